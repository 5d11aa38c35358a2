#pragma once
// The principal satellite's pass over the local sky, sampled from now until it sets, for at
// most one orbital period: 180 steps per period, the first sample at the present instant, and
// a closing point on the horizon circle when the satellite sets within the period. Each
// stretch of the track is yellow where the satellite is sunlit and red where it is eclipsed.

#include "common/Posizione_satellite.h"
#include "common/sky_tracks.h"

#include <QColor>
#include <QPointF>

#include <functional>
#include <vector>

/// Steps per orbital period.
inline constexpr int kTransitStepsPerPeriod = 180;

/// One stretch of the track to draw: a line from the pen position to `to`, and a dot at `to`
/// unless the stretch ends on the horizon.
struct TransitLeg
{
    QPointF from;
    QPointF to;
    QColor colour;
    bool dot = true;
};

struct TransitTrackResult
{
    std::vector<Punto_traccia> points{1}; ///< samples 1..n, element 0 unused
    std::vector<TransitLeg> legs;
};

/// The state of the principal satellite at a local instant (date value).
using TransitSampler = std::function<Posizione_satellite(double localDate)>;
/// The chart position of a direction (azimuth, elevation in degrees).
using TransitProjection = std::function<QPointF(double azimuthDeg, double elevationDeg)>;
/// The text of a sample's local instant.
using TransitTimeText = std::function<std::string(double localDate)>;

/// Samples the pass that is in progress at `now` (a local date value) for a satellite of
/// orbital period `periodSeconds`; `start` is the chart position of its present direction.
[[nodiscard]] TransitTrackResult computeTransitTrack(double now, double periodSeconds,
                                                     QPointF start, const TransitSampler& sample,
                                                     const TransitProjection& project,
                                                     const TransitTimeText& timeText);

/// The principal satellite's pass from the present instant (Data_attuale), projected with
/// `project`: slot 1 and the shared time state travel along the pass while the tick is held
/// off (pflgCentrale), and both are put back at the present instant before it may run again.
/// The samples go into Punti_transito and the time labels of an older track are dropped. With
/// no principal (slot 1 unnamed) nothing is computed and the result has no samples.
TransitTrackResult computePrincipalTransit(const TransitProjection& project);

/// The magnitude as the track stores it: the number with "." as decimal point, or the text.
[[nodiscard]] std::string magnitudeText(const Magnitude& magnitude);

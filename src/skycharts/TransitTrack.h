#pragma once
// The principal satellite's pass over the local sky, sampled from now until it sets, for at
// most one orbital period: 180 steps per period, the first sample at the present instant, and
// a closing point on the horizon circle when the satellite sets within the period. Each
// stretch of the track is yellow where the satellite is sunlit and red where it is eclipsed.
// An instant whose state cannot be computed gives no sample: the track goes on from the last
// sample that could.

#include "common/Posizione_satellite.h"
#include "common/sky_tracks.h"

#include <QColor>
#include <QPointF>

#include <functional>
#include <optional>
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

/// The state of the principal satellite at a local instant (date value); no value when it
/// cannot be computed there.
using TransitSampler = std::function<std::optional<Posizione_satellite>(double localDate)>;
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
/// `project`. The pass is sampled from a copy of the principal's elements, as the pass chart
/// samples its own: slot 1, the shared time state and the tick are left alone. The samples go
/// into Punti_transito and the time labels of an older track are dropped. With no principal
/// (slot 1 unnamed), or one whose present state cannot be computed, nothing is computed and
/// the result has no samples.
TransitTrackResult computePrincipalTransit(const TransitProjection& project);

/// The magnitude as the track stores it: the number with "." as decimal point, or the text.
[[nodiscard]] std::string magnitudeText(const Magnitude& magnitude);

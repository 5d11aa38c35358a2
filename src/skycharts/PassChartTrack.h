#pragma once
// The satellite's track on a pass chart: sampled from a quarter-minute 15 to 30 seconds
// before the rise until the first sample at or after the set, at a step that grows with the
// length of the pass, and joined to the direction at the rise. Each sample keeps its time,
// direction, state and magnitude text (empty while the satellite is eclipsed).
//
// The track is computed from the chart's own copy of the satellite: no program slot and no
// shared time state is touched.

#include "skycharts/SkyProjection.h"

#include "common/Elemento_satellite.h"
#include "common/Posizione_satellite.h"
#include "common/options.h"
#include "common/sky_tracks.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace skycharts {

/// At most this many samples (a 16-bit count); a longer span is cut there.
inline constexpr int kMaxPassTrackPoints = 32767;

/// The first instant of the track for a rise at `riseLocal` (local date value): the rise less
/// 15 seconds, taken back to the quarter-minute at or before it (to the whole second).
[[nodiscard]] double passTrackStart(double riseLocal);

/// Minute boundaries crossed from `from` to `to` (local date values), as a calendar minute
/// difference counts them.
[[nodiscard]] long minuteBoundaries(double from, double to);

/// The sampling step [seconds] for a span of `spanMinutes`: 15 below 10 minutes, 30 below 20,
/// 60 below 60, 120 below 720 and 180 from 720 on.
[[nodiscard]] int passTrackStepSeconds(long spanMinutes);

/// The satellite's state at a local instant; no value when it cannot be computed there.
using PassSampler = std::function<std::optional<Posizione_satellite>(double localDate)>;

/// Samples a satellite from its own record for an observer and options (not the slots).
[[nodiscard]] PassSampler satelliteSampler(const Elemento_satellite& satellite,
                                           const Dati_osservatore& observer,
                                           const Opzioni& options);

struct PassTrack
{
    /// The direction at the rise, where the line starts; none when it could not be computed.
    std::optional<HorizontalDirection> rise;
    /// Samples 1..n (element 0 unused); chart positions for the projection it was made with.
    std::vector<Punto_traccia> points{1};
};

/// The text of a sample's instant.
using SampleTimeText = std::function<std::string(double localDate)>;

/// Samples the pass from `riseLocal` to `setLocal`. A sample that cannot be computed ends the
/// track there.
[[nodiscard]] PassTrack computePassTrack(double riseLocal, double setLocal,
                                         const PassSampler& sample,
                                         const SkyProjection& projection,
                                         const SampleTimeText& timeText);

/// The chart positions of the samples (and of the rise) again for another projection.
void projectPassTrack(PassTrack& track, const SkyProjection& projection);

/// The track point (1..n) a press at chart position (x, y) picks: the nearest one (the lower
/// index on a tie) within a squared distance of 10 chart units, for a press strictly inside
/// the chart's square; 0 for none. A point on an axis of the chart is picked like any other.
[[nodiscard]] int pickPassTrackPoint(const std::vector<Punto_traccia>& points, float x, float y);

/// The standard date-and-time text of a local date value, as the track stores it.
[[nodiscard]] std::string sampleDateTimeText(double localDate);

} // namespace skycharts

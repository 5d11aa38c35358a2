#pragma once
// The principal satellite's ground track from one orbital period before an instant to one
// period after it, computed on a copy of its elements: neither a slot nor the shared time
// state is touched, so the tick may go on meanwhile.

#include "worldmap/WorldMapGeometry.h"

#include "common/Elemento_satellite.h"
#include "common/options.h"

#include <optional>
#include <vector>

namespace worldmap {

/// Steps of the track per orbital period; the track has twice that plus one samples.
inline constexpr int kTrackStepsPerPeriod = 270;

struct GroundTrack
{
    std::vector<LonLat> past;   ///< sub-points up to the instant (its sample last)
    std::vector<LonLat> future; ///< sub-points from the instant (its sample first) on
};

/// The sub-point of a satellite at a Julian date (UT) and its orbital period [s]; nothing
/// when it cannot be computed.
struct SubPoint
{
    LonLat place;
    double periodSeconds = 0;
};
[[nodiscard]] std::optional<SubPoint> subPointAt(const Elemento_satellite& elements,
                                                 const Dati_osservatore& observer,
                                                 const Opzioni& options, double julianDate);

/// The track of 541 samples, one period either side of `julianDate`, in steps of a 270th of
/// the period. Samples that cannot be computed are left out; an element set that cannot be
/// propagated at all gives an empty track.
[[nodiscard]] GroundTrack groundTrack(const Elemento_satellite& elements,
                                      const Dati_osservatore& observer, const Opzioni& options,
                                      double julianDate);

} // namespace worldmap

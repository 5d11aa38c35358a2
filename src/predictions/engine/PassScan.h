#pragma once
// The scan of one satellite's elevation over a span of time and the events of each pass:
// acquisition (rise above the minimum elevation), culmination (highest elevation) and loss
// (fall below it). The scan samples the slope of the elevation at a coarse step (a quarter
// of the orbital period), brackets each maximum between a rising sample (less one slope step,
// as the slope looks back that far) and the falling sample after it, and refines it with
// Brent's minimiser; rise and set are found by widening outwards from the culmination and
// Brent's root finder (mMate's searches).
//
// The function of time is any sampler, so the scan runs on a real satellite (SatelliteSky)
// or on a synthetic elevation curve in the tests. Nothing here reads shared state.

#include "common/Posizione_satellite.h"

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

namespace passes {

/// What the pass lines show of one instant of a pass.
struct SkySample
{
    double elevationDeg = 0;
    double azimuthDeg = 0;
    int status = kStatoAzzerato; ///< Posizione_satellite::Stato
    Magnitude magnitude{std::string()};
    double sunElevationDeg = 0;
    double rangeKm = 0;
};

/// The sky at a Julian date (UT); no value when the satellite cannot be computed there.
using SkySampler = std::function<std::optional<SkySample>(double julianDate)>;

struct PassEvent
{
    double julianDate = 0; ///< UT
    SkySample sky;
};

struct FoundPass
{
    PassEvent acquisition;
    PassEvent culmination;
    PassEvent loss;
};

struct ScanParameters
{
    double startJd = 0;
    double endJd = 0;
    double stepDays = 0;   ///< coarse step, a quarter of the period (less when eccentric)
    double periodDays = 0; ///< how far rise and set are looked for from a culmination
    double minimumElevationDeg = 0;
};

struct ScanOutcome
{
    std::vector<FoundPass> passes;  ///< in time order
    int failedPasses = 0;           ///< passes whose events the searches could not settle
    bool computationFailed = false; ///< the satellite could not be computed: scan ended there
    bool cancelled = false;
};

/// Coarse difference step of the slope test [days]: 10 seconds.
inline constexpr double kSlopeStepDays = 10.0 / 86400.0;

/// The coarse step for a satellite of `revsPerDay` and eccentricity `e` [days]: a quarter of
/// the period, shortened for eccentric orbits, whose fast perigee passes are shorter than a
/// quarter period.
[[nodiscard]] double coarseStepDays(double revsPerDay, double eccentricity);

/// Every pass of the sampled satellite above the minimum elevation within the span. A pass
/// in progress at the start begins at the start, one still going at the end ends there.
/// `cancel` is looked at once per coarse step and per widening step.
[[nodiscard]] ScanOutcome scanPasses(const SkySampler& sky, const ScanParameters& parameters,
                                     const std::atomic<bool>* cancel = nullptr);

} // namespace passes

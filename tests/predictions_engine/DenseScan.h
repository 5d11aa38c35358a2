#pragma once
// A brute-force reference for the events of one pass, independent of the pass search's
// bracketing and minimiser: the elevation is sampled every second across the pass, and each
// event is then pinned down by sampling every 0.01 s between the two 1-second samples around
// it. A culmination found by the search should lie where this scan puts the highest point.

#include "core/ElementSet.h"
#include "core/mSat.h"
#include "predictions/engine/PassSearchEngine.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace densescan {

inline constexpr double kSecondDays = 1.0 / 86400.0;
inline constexpr double kFineStepSeconds = 0.01;

/// Elevation of the satellite at a Julian date (UT) [degrees].
using ElevationAt = std::function<double(double julianDate)>;

struct Peak
{
    double julianDate = 0;
    double elevationDeg = 0;
    double coarseBestDeg = 0; ///< the highest of the 1-second samples
};

/// The highest point of the elevation within [from, to]: the best 1-second sample, then the
/// best 0.01 s sample within a second either side of it.
inline Peak highestPoint(const ElevationAt& elevation, double from, double to)
{
    const double coarse = kSecondDays;
    Peak peak{from, elevation(from), 0};
    const auto samples = static_cast<std::size_t>(std::floor((to - from) / coarse));
    for (std::size_t k = 1; k <= samples; ++k) {
        const double t = from + static_cast<double>(k) * coarse;
        const double e = elevation(t);
        if (e > peak.elevationDeg)
            peak = {t, e, 0};
    }
    peak.coarseBestDeg = peak.elevationDeg;
    const double centre = peak.julianDate;
    const double fine = kFineStepSeconds * kSecondDays;
    const int fineSteps = static_cast<int>(std::lround(1.0 / kFineStepSeconds));
    for (int k = -fineSteps; k <= fineSteps; ++k) {
        const double t = centre + k * fine;
        if (t < from || t > to)
            continue;
        const double e = elevation(t);
        if (e > peak.elevationDeg) {
            peak.julianDate = t;
            peak.elevationDeg = e;
        }
    }
    return peak;
}

/// The instants within [from, to] where the elevation crosses `minimumDeg`, each located to
/// 0.01 s and interpolated linearly within that step.
inline std::vector<double> crossings(const ElevationAt& elevation, double from, double to,
                                     double minimumDeg)
{
    std::vector<double> out;
    const double coarse = kSecondDays;
    const double fine = kFineStepSeconds * kSecondDays;
    double previousT = from;
    double previousE = elevation(from) - minimumDeg;
    for (double t = from + coarse; t <= to; t += coarse) {
        const double e = elevation(t) - minimumDeg;
        if ((previousE > 0.0) != (e > 0.0)) {
            double a = previousT;
            double ea = previousE;
            const int fineSteps = static_cast<int>(std::lround(1.0 / kFineStepSeconds));
            for (int k = 1; k <= fineSteps; ++k) {
                const double u = k < fineSteps ? previousT + k * fine : t;
                const double eu = k < fineSteps ? elevation(u) - minimumDeg : e;
                if ((ea > 0.0) != (eu > 0.0)) {
                    out.push_back(a + (0.0 - ea) / (eu - ea) * (u - a));
                    break;
                }
                a = u;
                ea = eu;
            }
        }
        previousT = t;
        previousE = e;
    }
    return out;
}

/// The elevation of one element set through the observing state the pass search uses.
class SetElevation
{
public:
    SetElevation(const Record_TLE& set, const passes::PassSearchRequest& request)
        : m_elements(mSat::parseElementSet(set.Riga0, set.Riga1, set.Riga2, {std::string()},
                                           {Record_TLE{}})
                         .elements),
          m_propagator(mSat::toPropagationElements(m_elements),
                       mSat::propagatorModel(request.options.Propagatore)),
          m_request(request)
    {
    }
    double operator()(double julianDate) const
    {
        return mSat::observingState(m_propagator, m_elements, m_request.observer, m_request.options,
                                    julianDate, {}, 0)
            .valori.Elevazione;
    }
    const Elemento_satellite& elements() const { return m_elements; }

private:
    Elemento_satellite m_elements;
    mSat::SatellitePropagator m_propagator;
    const passes::PassSearchRequest& m_request;
};

/// How far the events of the passes found lie from the dense scan's. Only passes wholly
/// inside the span are compared: a pass cut by the span has its events at the span's ends.
struct EventErrors
{
    int passesCompared = 0;
    std::vector<double> riseSetSeconds;         ///< |rise - reference|, |set - reference|
    std::vector<double> culminationSeconds;     ///< |culmination - reference peak|
    std::vector<double> culminationDeg;         ///< |elevation there - reference peak|
    int culminationsOnCoarseSamples = 0;        ///< on a sample of the coarse scan, peak elsewhere
    std::vector<std::string> culminationMisses; ///< passes beyond the tolerances, described
};

inline constexpr double kCulminationToleranceSeconds = 0.1;
inline constexpr double kCulminationToleranceDeg = 0.01;

/// Compares every pass of `rows` (searched over `sets` with `request`) with the dense scan.
inline EventErrors compareWithDenseScan(const std::vector<Record_TLE>& sets,
                                        const passes::PassSearchRequest& request,
                                        const std::vector<passes::PassRow>& rows)
{
    EventErrors errors;
    const double margin = 60 * kSecondDays;
    for (const passes::PassRow& row : rows) {
        const passes::FoundPass& p = row.pass;
        if (p.acquisition.julianDate <= request.startJd || p.loss.julianDate >= request.endJd)
            continue;
        const Record_TLE& set = sets[static_cast<std::size_t>(row.index - 1)];
        const SetElevation elevation(set, request);
        const double from = std::max(request.startJd, p.acquisition.julianDate - margin);
        const double to = std::min(request.endJd, p.loss.julianDate + margin);
        const double minimum = request.filters.minimumElevationDeg;
        const std::vector<double> events = crossings(elevation, from, to, minimum);
        if (events.size() != 2)
            continue; // the 1-second scan misses a crossing of a grazing pass
        ++errors.passesCompared;
        errors.riseSetSeconds.push_back(std::fabs(p.acquisition.julianDate - events[0]) /
                                        kSecondDays);
        errors.riseSetSeconds.push_back(std::fabs(p.loss.julianDate - events[1]) / kSecondDays);

        const Peak peak = highestPoint(elevation, from, to);
        const double dt = std::fabs(p.culmination.julianDate - peak.julianDate) / kSecondDays;
        const double de = std::fabs(p.culmination.sky.elevationDeg - peak.elevationDeg);
        errors.culminationSeconds.push_back(dt);
        errors.culminationDeg.push_back(de);

        const Elemento_satellite& e = elevation.elements();
        const double step = passes::coarseStepDays(e.Moto_medio, e.Eccentricita);
        const double k = std::round((p.culmination.julianDate - request.startJd) / step);
        const bool onSample =
            std::fabs(p.culmination.julianDate - (request.startJd + k * step)) < 1e-7;
        if (onSample && dt > kCulminationToleranceSeconds)
            ++errors.culminationsOnCoarseSamples;
        if (dt > kCulminationToleranceSeconds || de > kCulminationToleranceDeg) {
            errors.culminationMisses.push_back(
                set.Riga0 + ": culmination " + std::to_string(dt) + " s and " + std::to_string(de) +
                " deg from the peak" + (onSample ? ", on a coarse sample" : ""));
        }
    }
    return errors;
}

/// The value below which `part` of the sorted values lie (0 when there are none).
inline double percentile(std::vector<double> values, double part)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(part * static_cast<double>(values.size() - 1));
    return values[at];
}

inline double largest(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

} // namespace densescan

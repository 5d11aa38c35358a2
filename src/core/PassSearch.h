#pragma once
// Pass-event search of module mMate: the culmination of a satellite pass and the instants
// its elevation crosses the minimum elevation of a search (rise and set). Brent's
// minimiser and Brent's root finder in the form of Numerical Recipes (Press et al.,
// ch. 9.3 and 10.2), over a function of time that may fail.

#include <cstdint>
#include <functional>
#include <optional>

namespace mMate {

enum class SearchStatus {
    Found,
    NotConverged,     ///< 50 iterations did not reach the tolerance
    NotBracketed,     ///< 50 widenings found no change of sign
    EvaluationFailed, ///< the function could not be evaluated (the satellite computation failed)
};

/// A function of time (Julian date) that may fail (no value).
using TimeFunction = std::function<std::optional<double>(double)>;

struct SearchResult
{
    SearchStatus status = SearchStatus::Found;
    double t = 0; ///< Julian date found (meaningful when Found)
    double f = 0; ///< function value there
};

/// Brent's minimum of f on [a, b] (a < b), to 1e-14 |t| + 2.23e-16 days.
[[nodiscard]] SearchResult findMinimum(double a, double b, const TimeFunction& f);

/// Moves b away from a by a quarter of the current b - a at a time (at least once, at most
/// 50 times) until f(a) and f(b) have opposite signs; t is the new b.
[[nodiscard]] SearchResult widenUntilSignChange(double a, double b, const TimeFunction& f);

/// Brent's zero of f between a and b, where f changes sign, to 4.46e-16 |t| + 5e-11 days.
[[nodiscard]] SearchResult findZero(double a, double b, const TimeFunction& f);

/// What the pass-event searches follow: the slot (1..202) whose satellite they propagate
/// and the minimum elevation of the search [degrees].
struct PassTarget
{
    std::int16_t slot = 0;
    double minimumElevationDeg = 0;
};

/// f(t) = target.minimumElevationDeg - elevation of slot target.slot at t [degrees], after
/// Calcola_satellite(target.slot, t); no value when that computation fails.
[[nodiscard]] std::optional<double> elevationBelowMinimum(const PassTarget& target, double t);

// The shells of the pass search, on elevationBelowMinimum of the target. Every evaluation
// rewrites Valori(target.slot). On failure T, F and b are left as passed and the status says
// why; the caller treats it as no result.

/// Culmination in [a, b]: T the time of the highest elevation, F = f(T).
SearchStatus Cerca_culminazione(const PassTarget& target, double a, double b, double& T, double& F);
/// Moves b away from a until f changes sign between them.
SearchStatus Espandi_intervallo(const PassTarget& target, double& a, double& b);
/// The crossing of the minimum elevation between a and b: T, and F = f(T).
SearchStatus Cerca_orizzonte(const PassTarget& target, double a, double b, double& T, double& F);

} // namespace mMate

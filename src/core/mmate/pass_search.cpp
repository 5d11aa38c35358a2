#include "core/PassSearch.h"

#include "common/satellite_slots.h"
#include "core/mSat.h"

#include <cmath>

namespace mMate {
namespace {

constexpr int kMaxIterations = 50;
constexpr int kMaxWidenings = 50;
constexpr double kGolden = 0.38196601125; ///< 1 - 1 / golden ratio
// Minimiser tolerance: relative 1e-14 (a few milliseconds at Julian dates near 2.45
// million) plus a floor near the double precision epsilon.
constexpr double kMinimumRelativeTolerance = 1e-14;
constexpr double kMinimumAbsoluteTolerance = 2.23e-16;
// Root finder tolerance: twice the double precision epsilon relative, plus half of 1e-10
// days absolute.
constexpr double kZeroRelativeTolerance = 4.46e-16;
constexpr double kZeroAbsoluteTolerance = 5e-11;

/// |a| with the sign of b (Fortran SIGN: b = 0 counts as positive).
double withSignOf(double a, double b)
{
    return b >= 0.0 ? std::fabs(a) : -std::fabs(a);
}

/// The Brent minimiser's state: x the best point, w the second best, v the previous w.
struct Bracket
{
    double a, b, x, w, v, fx, fw, fv;
};

/// The step from x: parabolic through x, w, v when it falls well inside [a, b] and
/// shrinks, golden section otherwise. e is the step before last, d the last step.
void nextStep(const Bracket& s, double& e, double& d, double xm, double tol1, double tol2)
{
    if (std::fabs(e) > tol1) {
        const double r = (s.x - s.w) * (s.fx - s.fv);
        double q = (s.x - s.v) * (s.fx - s.fw);
        double p = (s.x - s.v) * q - (s.x - s.w) * r;
        q = 2.0 * (q - r);
        if (q > 0.0)
            p = -p;
        q = std::fabs(q);
        const double etemp = e;
        e = d;
        const bool rejected = std::fabs(p) >= std::fabs(0.5 * q * etemp) || p <= q * (s.a - s.x) ||
                              p >= q * (s.b - s.x);
        if (!rejected) {
            d = p / q;
            const double u = s.x + d;
            if (u - s.a < tol2 || s.b - u < tol2)
                d = withSignOf(tol1, xm - s.x);
            return;
        }
    }
    e = s.x >= xm ? s.a - s.x : s.b - s.x;
    d = kGolden * e;
}

void accept(Bracket& s, double u, double fu)
{
    if (fu <= s.fx) {
        if (u >= s.x)
            s.a = s.x;
        else
            s.b = s.x;
        s.v = s.w;
        s.fv = s.fw;
        s.w = s.x;
        s.fw = s.fx;
        s.x = u;
        s.fx = fu;
        return;
    }
    if (u < s.x)
        s.a = u;
    else
        s.b = u;
    if (fu <= s.fw || s.w == s.x) {
        s.v = s.w;
        s.fv = s.fw;
        s.w = u;
        s.fw = fu;
    } else if (fu <= s.fv || s.v == s.x || s.v == s.w) {
        s.v = u;
        s.fv = fu;
    }
}

/// The root finder's next step d from b (e the step before): inverse quadratic
/// interpolation through a, b, c (the secant when a = c) when it falls well inside the
/// bracket and shrinks fast enough, bisection otherwise.
void zeroStep(double a, double b, double c, double fa, double fb, double fc, double xm, double tol1,
              double& d, double& e)
{
    if (std::fabs(e) < tol1 || std::fabs(fa) <= std::fabs(fb)) {
        d = xm;
        e = d;
        return;
    }
    const double s = fb / fa;
    double p, q;
    if (a == c) {
        p = 2.0 * xm * s;
        q = 1.0 - s;
    } else {
        q = fa / fc;
        const double r = fb / fc;
        p = s * (2.0 * xm * q * (q - r) - (b - a) * (r - 1.0));
        q = (q - 1.0) * (r - 1.0) * (s - 1.0);
    }
    if (p > 0.0)
        q = -q;
    p = std::fabs(p);
    const double min1 = 3.0 * xm * q - std::fabs(tol1 * q);
    const double min2 = std::fabs(e * q);
    if (2.0 * p < (min1 < min2 ? min1 : min2)) {
        e = d;
        d = p / q;
    } else {
        d = xm;
        e = d;
    }
}

SearchResult failed(SearchStatus status)
{
    SearchResult r;
    r.status = status;
    return r;
}

} // namespace

SearchResult findMinimum(double a, double b, const TimeFunction& f)
{
    Bracket s{a, b, 0, 0, 0, 0, 0, 0};
    s.x = s.w = s.v = a + kGolden * (b - a);
    const std::optional<double> f0 = f(s.x);
    if (!f0)
        return failed(SearchStatus::EvaluationFailed);
    s.fx = s.fw = s.fv = *f0;
    double e = 0.0;
    double d = 0.0;
    for (int iteration = 1; iteration <= kMaxIterations; ++iteration) {
        const double xm = 0.5 * (s.a + s.b);
        const double tol1 = kMinimumRelativeTolerance * std::fabs(s.x) + kMinimumAbsoluteTolerance;
        const double tol2 = 2.0 * tol1;
        if (std::fabs(s.x - xm) <= tol2 - 0.5 * (s.b - s.a))
            return SearchResult{SearchStatus::Found, s.x, s.fx};
        nextStep(s, e, d, xm, tol1, tol2);
        const double u = std::fabs(d) >= tol1 ? s.x + d : s.x + withSignOf(tol1, d);
        const std::optional<double> fu = f(u);
        if (!fu)
            return failed(SearchStatus::EvaluationFailed);
        accept(s, u, *fu);
    }
    return failed(SearchStatus::NotConverged);
}

SearchResult widenUntilSignChange(double a, double b, const TimeFunction& f)
{
    const std::optional<double> fa = f(a);
    if (!fa)
        return failed(SearchStatus::EvaluationFailed);
    for (int widening = 1; widening <= kMaxWidenings; ++widening) {
        b = b + (b - a) / 4.0;
        const std::optional<double> fb = f(b);
        if (!fb)
            return failed(SearchStatus::EvaluationFailed);
        if (*fa * *fb < 0.0)
            return SearchResult{SearchStatus::Found, b, *fb};
    }
    return failed(SearchStatus::NotBracketed);
}

SearchResult findZero(double a, double b, const TimeFunction& f)
{
    const std::optional<double> fa0 = f(a);
    const std::optional<double> fb0 = fa0 ? f(b) : std::nullopt;
    if (!fa0 || !fb0)
        return failed(SearchStatus::EvaluationFailed);
    double fa = *fa0, fb = *fb0;
    double c = b, fc = fb, d = 0.0, e = 0.0;
    for (int iteration = 1; iteration <= kMaxIterations; ++iteration) {
        if (fb * fc > 0.0) {
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tol1 = kZeroRelativeTolerance * std::fabs(b) + kZeroAbsoluteTolerance;
        const double xm = 0.5 * (c - b);
        if (std::fabs(xm) <= tol1 || fb == 0.0)
            return SearchResult{SearchStatus::Found, b, fb};
        zeroStep(a, b, c, fa, fb, fc, xm, tol1, d, e);
        a = b;
        fa = fb;
        b = std::fabs(d) > tol1 ? b + d : b + withSignOf(tol1, xm);
        const std::optional<double> fnew = f(b);
        if (!fnew)
            return failed(SearchStatus::EvaluationFailed);
        fb = *fnew;
    }
    return failed(SearchStatus::NotConverged);
}

std::optional<double> elevationBelowMinimum(const PassTarget& target, double t)
{
    if (mSat::Calcola_satellite(target.slot, t) != mSat::Status::Ok)
        return std::nullopt;
    return target.minimumElevationDeg - Valori[target.slot].Elevazione;
}

namespace {

TimeFunction functionOf(const PassTarget& target)
{
    return [target](double t) { return elevationBelowMinimum(target, t); };
}

} // namespace

SearchStatus Cerca_culminazione(const PassTarget& target, double a, double b, double& T, double& F)
{
    const SearchResult r = findMinimum(a, b, functionOf(target));
    if (r.status == SearchStatus::Found) {
        T = r.t;
        F = r.f;
    }
    return r.status;
}

SearchStatus Espandi_intervallo(const PassTarget& target, double& a, double& b)
{
    const SearchResult r = widenUntilSignChange(a, b, functionOf(target));
    if (r.status == SearchStatus::Found)
        b = r.t;
    return r.status;
}

SearchStatus Cerca_orizzonte(const PassTarget& target, double a, double b, double& T, double& F)
{
    const SearchResult r = findZero(a, b, functionOf(target));
    if (r.status == SearchStatus::Found) {
        T = r.t;
        F = r.f;
    }
    return r.status;
}

} // namespace mMate

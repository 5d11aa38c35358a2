#include "predictions/engine/PassScan.h"

#include "core/PassSearch.h"

#include <cmath>

namespace passes {
namespace {

/// First widening step out of a culmination towards its rise or set [days]: 3 seconds.
constexpr double kFirstWideningDays = 3.0 / 86400.0;
/// The widening grows by a quarter of the distance covered at each step, but never by more
/// than this part of the coarse step, so it cannot jump over a set and the next rise.
constexpr double kWideningJumpPerStep = 1.0 / 8.0;
/// Eccentric orbits get a shorter coarse step from this eccentricity on.
constexpr double kEccentricFrom = 0.1;
/// How many times a bracket is split to look for a further pass beside the one found.
constexpr int kMaxBracketSplits = 4;
/// Slope samples across a part of a bracket left over beside a pass.
constexpr int kLeftoverProbes = 4;

enum class EventResult { Found, NoCrossing, SearchFailed, ComputationFailed, Cancelled };

class Scanner
{
public:
    Scanner(const SkySampler& sky, const ScanParameters& p, const std::atomic<bool>* cancel)
        : m_sky(sky), m_p(p), m_cancel(cancel)
    {
        m_f = [this](double t) { return below(t); };
    }

    ScanOutcome run();

private:
    /// The slope at the start (looking forwards); keeps the pass in progress at the start
    /// when the satellite is already past its culmination there. No value when it fails.
    std::optional<double> slopeAtStart();
    /// The last stretch of the span, from the last coarse sample to the end.
    void finishAtEnd(bool rising, double lastRising);
    /// Where a bracket around the maximum after a rising sample starts: never after the
    /// maximum, and not before `floor`.
    double peakBracketStart(double risingSample, double floor) const;
    /// The events of a pass cut by an edge of the span, where the slope test saw the
    /// elevation only falling after the start or only rising before the end. The test spans
    /// a slope step, so the highest point may still lie inside [lo, hi], between the edge and
    /// the test's other sample: it is searched for there, and the edge is the culmination
    /// only when nothing inside is higher.
    void eventsAtEdge(double lo, double hi, double edge, double fEdge);

    std::optional<double> below(double t)
    {
        const std::optional<SkySample> s = m_sky(t);
        if (!s) {
            m_out.computationFailed = true;
            return std::nullopt;
        }
        return m_p.minimumElevationDeg - s->elevationDeg;
    }
    bool cancelled()
    {
        if (m_cancel != nullptr && m_cancel->load(std::memory_order_relaxed))
            m_out.cancelled = true;
        return m_out.cancelled;
    }
    /// f(t) - f(t - 10 s): positive while the elevation falls.
    std::optional<double> slopeAt(double t)
    {
        const std::optional<double> now = below(t);
        const std::optional<double> before = now ? below(t - kSlopeStepDays) : std::nullopt;
        if (!before)
            return std::nullopt;
        return *now - *before;
    }
    bool stopped() const { return m_out.cancelled || m_out.computationFailed; }

    void refine(double a, double b, int depth = 0);
    std::optional<FoundPass> events(double tOpt, double fOpt);
    void eventsAndKeep(double tOpt, double fOpt)
    {
        if (const std::optional<FoundPass> pass = events(tOpt, fOpt))
            keep(*pass);
    }
    EventResult crossing(double tOpt, double fOpt, double direction, double limit, double& t);
    bool sampleAt(double t, PassEvent& event);
    void searchLeftover(double lo, double hi, bool risingAtLo, bool fallingAtHi, int depth);
    void keep(const FoundPass& pass);

    const SkySampler& m_sky;
    ScanParameters m_p;
    const std::atomic<bool>* m_cancel;
    mMate::TimeFunction m_f;
    ScanOutcome m_out;
};

ScanOutcome Scanner::run()
{
    const std::optional<double> startSlope = slopeAtStart();
    if (!startSlope)
        return m_out;
    // Walk the coarse samples; a rising sample followed by a falling one brackets a maximum.
    double t = m_p.startJd;
    bool rising = *startSlope <= 0.0;
    double lastRising = t;
    while (!stopped() && !cancelled()) {
        t += m_p.stepDays;
        if (t >= m_p.endJd) {
            finishAtEnd(rising, lastRising);
            break;
        }
        const std::optional<double> slope = slopeAt(t);
        if (!slope)
            break;
        const bool risingNow = *slope <= 0.0;
        if (rising && !risingNow)
            refine(peakBracketStart(lastRising, m_p.startJd), t);
        if (risingNow)
            lastRising = t;
        rising = risingNow;
    }
    return m_out;
}

std::optional<double> Scanner::slopeAtStart()
{
    const double ti = m_p.startJd;
    const std::optional<double> f0 = below(ti);
    const std::optional<double> f1 = f0 ? below(ti + kSlopeStepDays) : std::nullopt;
    if (!f1)
        return std::nullopt;
    const double slope = *f1 - *f0;
    // Already above the minimum and going down at the start: the culmination is the start,
    // or a higher point within the first slope step.
    if (slope > 0.0 && *f0 < 0.0)
        eventsAtEdge(ti, ti + kSlopeStepDays, ti, *f0);
    return slope;
}

void Scanner::finishAtEnd(bool rising, double lastRising)
{
    const double tf = m_p.endJd;
    const std::optional<double> fEnd = below(tf);
    const std::optional<double> fBefore = fEnd ? below(tf - kSlopeStepDays) : std::nullopt;
    if (!fBefore)
        return;
    if (*fEnd - *fBefore < 0.0) {
        // Still rising at the end: the pass is cut there, its culmination the end or a
        // higher point within the last slope step.
        if (*fEnd < 0.0)
            eventsAtEdge(tf - kSlopeStepDays, tf, tf, *fEnd);
        return;
    }
    // Rising at the last sample and falling at the end: a maximum lies between them.
    if (rising)
        refine(peakBracketStart(lastRising, m_p.startJd), tf);
}

double Scanner::peakBracketStart(double risingSample, double floor) const
{
    // The start's slope looks forwards, so a maximum lies after it.
    if (risingSample <= m_p.startJd)
        return risingSample;
    // Elsewhere the slope looks back a slope step: a sample still counts as rising when the
    // maximum lies up to about half a slope step before it, so the bracket starts one whole
    // slope step earlier, or Brent's minimum would settle on the bracket's lower end.
    return std::fmax(floor, risingSample - kSlopeStepDays);
}

void Scanner::eventsAtEdge(double lo, double hi, double edge, double fEdge)
{
    double tOpt = edge;
    double fOpt = fEdge;
    const mMate::SearchResult m = mMate::findMinimum(lo, hi, m_f);
    if (m.status == mMate::SearchStatus::EvaluationFailed)
        return;
    // Where the elevation only falls (or only rises) across the step, the minimiser settles
    // beside the edge on a lower point, and the edge stays the culmination.
    if (m.status == mMate::SearchStatus::Found && m.f < fEdge) {
        tOpt = m.t;
        fOpt = m.f;
    }
    eventsAndKeep(tOpt, fOpt);
}

void Scanner::refine(double a, double b, int depth)
{
    if (!(b > a) || stopped())
        return;
    const mMate::SearchResult m = mMate::findMinimum(a, b, m_f);
    if (m.status == mMate::SearchStatus::EvaluationFailed)
        return;
    if (m.status != mMate::SearchStatus::Found) {
        ++m_out.failedPasses;
        return;
    }
    if (!(m.f < 0.0))
        return;
    const std::optional<FoundPass> pass = events(m.t, m.f);
    if (!pass)
        return;
    // A further pass may hide in the parts of the bracket outside this one: the satellite is
    // above the minimum at a bracket end outside the pass, or the slope sampled across the
    // part turns from rising to falling.
    if (depth >= kMaxBracketSplits) {
        keep(*pass);
        return;
    }
    const double aos = pass->acquisition.julianDate;
    const double los = pass->loss.julianDate;
    if (aos < a) {
        // The pass began before the bracket, in a stretch the coarse scan saw rising at both
        // ends: a higher maximum of the same pass may lie there.
        searchLeftover(aos, a, true, false, depth + 1);
    } else if (aos > a) {
        const std::optional<double> fa = below(a);
        if (fa && *fa < 0.0)
            refine(a, aos, depth + 1);
        else
            searchLeftover(a, aos, true, false, depth + 1);
    }
    keep(*pass);
    if (los < b) {
        const std::optional<double> fb = below(b);
        if (fb && *fb < 0.0)
            refine(los, b, depth + 1);
        else
            searchLeftover(los, b, false, true, depth + 1);
    }
}

void Scanner::searchLeftover(double lo, double hi, bool risingAtLo, bool fallingAtHi, int depth)
{
    bool rising = risingAtLo;
    double lastRising = lo;
    for (int k = 1; k <= kLeftoverProbes && !stopped(); ++k) {
        const double x = lo + (hi - lo) * k / (kLeftoverProbes + 1);
        const std::optional<double> slope = slopeAt(x);
        if (!slope)
            return;
        if (*slope <= 0.0) {
            rising = true;
            lastRising = x;
        } else if (rising) {
            refine(peakBracketStart(lastRising, lo), x, depth);
            rising = false;
        }
    }
    if (fallingAtHi && rising)
        refine(peakBracketStart(lastRising, lo), hi, depth);
}

EventResult Scanner::crossing(double tOpt, double fOpt, double direction, double limit, double& t)
{
    const double maxJump = m_p.stepDays * kWideningJumpPerStep;
    double previous = tOpt;
    double b = tOpt + direction * kFirstWideningDays;
    while (true) {
        if (direction * (b - limit) >= 0.0)
            b = limit;
        if (b == previous)
            return EventResult::NoCrossing;
        const std::optional<double> value = below(b);
        if (!value)
            return EventResult::ComputationFailed;
        if (fOpt * *value < 0.0)
            break;
        if (b == limit)
            return EventResult::NoCrossing;
        if (cancelled())
            return EventResult::Cancelled;
        const double jump = std::fmin(std::fabs(b - tOpt) / 4.0, maxJump);
        previous = b;
        b += direction * jump;
    }
    const mMate::SearchResult root = mMate::findZero(previous, b, m_f);
    if (root.status == mMate::SearchStatus::EvaluationFailed)
        return EventResult::ComputationFailed;
    if (root.status != mMate::SearchStatus::Found)
        return EventResult::SearchFailed;
    t = root.t;
    return EventResult::Found;
}

bool Scanner::sampleAt(double t, PassEvent& event)
{
    const std::optional<SkySample> s = m_sky(t);
    if (!s) {
        m_out.computationFailed = true;
        return false;
    }
    event.julianDate = t;
    event.sky = *s;
    return true;
}

std::optional<FoundPass> Scanner::events(double tOpt, double fOpt)
{
    if (cancelled())
        return std::nullopt;
    const double ti = m_p.startJd;
    const double tf = m_p.endJd;
    double tAos = ti;
    double tLos = tf;
    const EventResult rise = crossing(tOpt, fOpt, -1.0, std::fmax(ti, tOpt - m_p.periodDays), tAos);
    if (rise == EventResult::ComputationFailed || rise == EventResult::Cancelled)
        return std::nullopt;
    const EventResult set =
        rise == EventResult::SearchFailed
            ? EventResult::SearchFailed
            : crossing(tOpt, fOpt, 1.0, std::fmin(tf, tOpt + m_p.periodDays), tLos);
    if (set == EventResult::ComputationFailed || set == EventResult::Cancelled)
        return std::nullopt;
    if (rise == EventResult::SearchFailed || set == EventResult::SearchFailed) {
        // Never reuse another pass's times: this pass is left out and counted.
        ++m_out.failedPasses;
        return std::nullopt;
    }
    // No crossing within reach: the pass runs to the edge of the span.
    if (rise == EventResult::NoCrossing || tAos < ti)
        tAos = ti;
    if (set == EventResult::NoCrossing || tLos > tf)
        tLos = tf;

    FoundPass pass;
    if (!sampleAt(tAos, pass.acquisition) || !sampleAt(tOpt, pass.culmination) ||
        !sampleAt(tLos, pass.loss))
        return std::nullopt;
    return pass;
}

void Scanner::keep(const FoundPass& pass)
{
    // Two maxima of one pass (the elevation dipping without falling below the minimum) give
    // the same rise and set: the pass is listed once, at its highest culmination.
    if (!m_out.passes.empty()) {
        FoundPass& last = m_out.passes.back();
        if (pass.culmination.julianDate <= last.loss.julianDate) {
            if (pass.culmination.sky.elevationDeg > last.culmination.sky.elevationDeg)
                last = pass;
            return;
        }
    }
    m_out.passes.push_back(pass);
}

} // namespace

double coarseStepDays(double revsPerDay, double eccentricity)
{
    const double quarter = 1.0 / revsPerDay / 4.0;
    if (eccentricity < kEccentricFrom)
        return quarter;
    // The angular rate at perigee exceeds the mean motion by about (1 - e)^-1.5.
    return quarter * std::pow(1.0 - eccentricity, 1.5);
}

ScanOutcome scanPasses(const SkySampler& sky, const ScanParameters& parameters,
                       const std::atomic<bool>* cancel)
{
    if (!(parameters.endJd > parameters.startJd) || !(parameters.stepDays > 0.0))
        return {};
    Scanner scanner(sky, parameters, cancel);
    return scanner.run();
}

} // namespace passes

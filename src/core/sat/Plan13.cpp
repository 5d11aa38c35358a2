// Plan 13 (J. R. Miller, G3RUH, "Satellite Tracking Software", Oscar News 1990): a
// Keplerian ellipse whose node and perigee drift at the J2 secular rates and whose size
// follows a linear drag model from the first derivative of the mean motion. Times run in
// minutes and mean motions in radians per minute here, not in days.

#include "core/mMate.h"
#include "core/sat/Sgp4Model.h"

#include <cmath>

namespace mSat::detail {
namespace {

constexpr double kGmKm3S2 = 398600.8; ///< Earth's gravitational parameter [km^3/s^2]
constexpr double kEarthRadiusKm = 6378.135;
constexpr double kThreeHalvesJ2 = 0.001623924; ///< 1.5 J2, J2 = 0.001082616
constexpr double kKeplerToleranceRad = 1e-5;
/// Guard: Newton's method from the mean anomaly converges in a handful of steps for any
/// eccentricity below 1; the bound only keeps a pathological set from freezing the program.
constexpr int kKeplerStepLimit = 100;

} // namespace

Plan13Model::Plan13Model(const PropagationElements& el) : m_el(el)
{
    m_n0 = el.XNO / 60.0;
    m_a0 = std::cbrt(kGmKm3S2 / (m_n0 * m_n0));
    m_b0 = m_a0 * std::sqrt(1.0 - el.EO * el.EO);
    m_si = std::sin(el.XINCL);
    m_ci = std::cos(el.XINCL);
    double prec = kEarthRadiusKm * m_a0 / (m_b0 * m_b0);
    prec = kThreeHalvesJ2 * prec * prec * el.XNO;
    m_qd = -prec * m_ci;
    m_wd = prec * (5.0 * m_ci * m_ci - 1.0) / 2.0;
    m_dc = -2.0 * el.XNDT2O / el.XNO / 3.0;
}

PropagationResult Plan13Model::propagate(double t) const
{
    const PropagationElements& el = m_el;
    PropagationResult result;
    const double dt = m_dc * t / 2.0;
    const double kd = 1.0 + 4.0 * dt;
    const double kdp = 1.0 - 7.0 * dt;

    double m = el.XMO + el.XNO * t * (1.0 - 3.0 * dt);
    const double dr = std::floor(m / mMate::kTwoPi);
    m = m - dr * mMate::kTwoPi;

    // Kepler's equation by Newton's method from EA = M; the first step is always taken and
    // the sine and cosine kept are those the last step started from.
    const double e = el.EO;
    double ea = m;
    double c = 0, s = 0, dnom = 0, d = 0;
    int steps = 0;
    do {
        c = std::cos(ea);
        s = std::sin(ea);
        dnom = 1.0 - e * c;
        d = (ea - e * s - m) / dnom;
        ea = ea - d;
        if (++steps > kKeplerStepLimit) {
            result.status = Status::KeplerNotConverged;
            return result;
        }
    } while (std::fabs(d) >= kKeplerToleranceRad);

    const double a = m_a0 * kd;
    const double b = m_b0 * kd;
    const double sx = a * (c - e);
    const double sy = b * s;
    const double vx = -a * s / dnom * m_n0;
    const double vy = b * c / dnom * m_n0;

    const double ap = el.OMEGAO + m_wd * t * kdp;
    const double raan = el.XNODEO + m_qd * t * kdp;
    const double cw = std::cos(ap), sw = std::sin(ap);
    const double cq = std::cos(raan), sq = std::sin(raan);

    // From the orbital plane to the inertial frame.
    const double cxx = cw * cq - sw * m_ci * sq;
    const double cxy = -sw * cq - cw * m_ci * sq;
    const double cyx = cw * sq + sw * m_ci * cq;
    const double cyy = -sw * sq + cw * m_ci * cq;
    const double czx = sw * m_si;
    const double czy = cw * m_si;
    result.state.positionKm = {sx * cxx + sy * cxy, sx * cyx + sy * cyy, sx * czx + sy * czy};
    result.state.velocityKmS = {vx * cxx + vy * cxy, vx * cyx + vy * cyy, vx * czx + vy * czy};
    if (!isFinite(result.state))
        result.status = Status::NoFiniteResult;
    // Guard: the linear drag model shrinks the orbit without limit; a position inside the
    // Earth means the satellite has decayed.
    else if (std::hypot(sx, sy) < kEarthRadiusKm)
        result.status = Status::Decayed;
    return result;
}

} // namespace mSat::detail

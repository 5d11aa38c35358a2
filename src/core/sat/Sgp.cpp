// SGP, Spacetrack Report No. 3 section 5: drag from the first and second derivatives of
// the mean motion, J2 secular and short-period terms, J3 long-period terms.

#include "core/mMate.h"
#include "core/sat/Sgp4Model.h"

#include <cmath>

namespace mSat::detail {
namespace {

constexpr double kC1 = k1_5Ck2; ///< 1.5 CK2
constexpr double kC2 = kCk2 / 4.0;
constexpr double kC3 = kCk2 / 2.0;
/// XJ3 AE^3 / (4 CK2), with 4 CK2 written 0.002165232.
constexpr double kC4 = -2.53881e-6 / 0.002165232;

} // namespace

SgpModel::SgpModel(const PropagationElements& el) : m_el(el)
{
    const double cosio = std::cos(el.XINCL);
    const double sinio = std::sin(el.XINCL);
    const double a1 = std::pow(kXke / el.XNO, kTothrd);
    const double d1 =
        kC1 / a1 / a1 * (3.0 * cosio * cosio - 1.0) / std::pow(1.0 - el.EO * el.EO, 1.5);
    m_ao = a1 * (1.0 - 1.0 / 3.0 * d1 - d1 * d1 - 134.0 / 81.0 * d1 * d1 * d1);
    const double po = m_ao * (1.0 - el.EO * el.EO);
    m_qo = m_ao * (1.0 - el.EO);
    m_xlo = el.XMO + el.OMEGAO + el.XNODEO;
    m_d1o = kC3 * sinio * sinio;
    m_d2o = kC2 * (7.0 * cosio * cosio - 1.0);
    m_d3o = kC1 * cosio;
    m_d4o = m_d3o * sinio;
    const double po2no = el.XNO / (po * po);
    m_omgdt = kC1 * po2no * (5.0 * cosio * cosio - 1.0);
    m_xnodot = -2.0 * m_d3o * po2no;
    m_c5 = 0.5 * kC4 * sinio * (3.0 + 5.0 * cosio) / (1.0 + cosio);
    m_c6 = kC4 * sinio;
}

namespace {

struct SgpKepler
{
    double sineo1 = 0, coseo1 = 0;
    bool converged = false;
};

/// Kepler's equation from U, at most 10 corrections, none larger than 1 rad, stopping when
/// a correction is below 1e-6 rad.
SgpKepler solveSgpKepler(double u, double axnsl, double aynsl)
{
    SgpKepler k;
    double eo1 = u;
    double tem5 = 1.0;
    for (int item3 = 0;; ++item3) {
        k.sineo1 = std::sin(eo1);
        k.coseo1 = std::cos(eo1);
        if (std::fabs(tem5) < kE6a || item3 >= kKeplerIterations)
            break;
        tem5 = (u - aynsl * k.coseo1 + axnsl * k.sineo1 - eo1) /
               (1.0 - k.coseo1 * axnsl - k.sineo1 * aynsl);
        const double tem2 = std::fabs(tem5);
        if (tem2 > 1.0)
            tem5 = tem2 / tem5;
        eo1 = eo1 + tem5;
    }
    k.converged = std::fabs(tem5) < kE6a;
    return k;
}

} // namespace

PropagationResult SgpModel::propagate(double tsince) const
{
    const PropagationElements& el = m_el;
    // Secular gravity and atmospheric drag.
    double a = el.XNO + (2.0 * el.XNDT2O + 3.0 * el.XNDD6O * tsince) * tsince;
    // Guard: the drag model must leave a positive mean motion.
    if (!(a > 0.0))
        return PropagationResult{Status::MeanMotionNotPositive, {}};
    a = m_ao * std::pow(el.XNO / a, kTothrd);
    double e = kE6a;
    if (a > m_qo)
        e = 1.0 - m_qo / a;
    const double p = a * (1.0 - e * e);
    const double xnodes = el.XNODEO + m_xnodot * tsince;
    const double omgas = el.OMEGAO + m_omgdt * tsince;
    const double xls = mMate::Riduci_angolo(
        m_xlo + (el.XNO + m_omgdt + m_xnodot + (el.XNDT2O + el.XNDD6O * tsince) * tsince) * tsince);

    // Long-period periodics.
    const double axnsl = e * std::cos(omgas);
    const double aynsl = e * std::sin(omgas) - m_c6 / p;
    const double xl = mMate::Riduci_angolo(xls - m_c5 / p * axnsl);

    const SgpKepler k = solveSgpKepler(mMate::Riduci_angolo(xl - xnodes), axnsl, aynsl);
    // Guard: ten corrections that do not converge leave a wrong anomaly; report it.
    if (!k.converged)
        return PropagationResult{Status::KeplerNotConverged, {}};
    return shortPeriodPeriodics(a, axnsl, aynsl, xnodes, k.sineo1, k.coseo1);
}

PropagationResult SgpModel::shortPeriodPeriodics(double a, double axnsl, double aynsl,
                                                 double xnodes, double sineo1, double coseo1) const
{
    const double ecose = axnsl * coseo1 + aynsl * sineo1;
    const double esine = axnsl * sineo1 - aynsl * coseo1;
    const double el2 = axnsl * axnsl + aynsl * aynsl;
    const double pl = a * (1.0 - el2);
    if (!(pl > 0.0))
        return PropagationResult{Status::SemilatusRectumNegative, {}};
    const double pl2 = pl * pl;
    const double r = a * (1.0 - ecose);
    if (!(r > 0.0))
        return PropagationResult{Status::Decayed, {}};
    const double rdot = kXke * std::sqrt(a) / r * esine;
    const double rvdot = kXke * std::sqrt(pl) / r;
    const double temp = esine / (1.0 + std::sqrt(1.0 - el2));
    const double sinu = a / r * (sineo1 - aynsl - axnsl * temp);
    const double cosu = a / r * (coseo1 - axnsl + aynsl * temp);
    const double su = mMate::Arcotangente_completa(sinu, cosu);

    const double sin2u = (cosu + cosu) * sinu;
    const double cos2u = 1.0 - 2.0 * sinu * sinu;
    const double rk = r + m_d1o / pl * cos2u;
    const double uk = su - m_d2o / pl2 * sin2u;
    const double xnodek = xnodes + m_d3o * sin2u / pl2;
    const double xinck = m_el.XINCL + m_d4o / pl2 * cos2u;
    // Guard: a position below the Earth's surface means the satellite has decayed.
    if (rk < 1.0)
        return PropagationResult{Status::Decayed, {}};
    PropagationResult result;
    result.state = orientationToState(rk, uk, xnodek, xinck, rdot, rvdot);
    if (!isFinite(result.state))
        result.status = Status::NoFiniteResult;
    return result;
}

} // namespace mSat::detail

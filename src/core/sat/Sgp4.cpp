// SGP4, Spacetrack Report No. 3 (Hoots & Roehrich, 1980), section 6, with the WGS-72
// constants of the report. The initialisation is shared with SDP4 (Sdp4.cpp).

#include "core/mMate.h"
#include "core/sat/Sgp4Common.h"
#include "core/sat/Sgp4Model.h"

#include <cmath>

namespace mSat::detail {
namespace {

/// Perigee height [km] below which the drag equations are truncated (ISIMP).
constexpr double kSimplePerigeeKm = 220.0;
/// Perigee heights [km] that change the atmosphere parameter S.
constexpr double kLowPerigeeKm = 156.0;
constexpr double kVeryLowPerigeeKm = 98.0;
constexpr double kDensityAltitudeKm = 78.0; ///< S = 1 + 78 / XKMPER above kLowPerigeeKm
constexpr double kVeryLowS4Km = 20.0;
constexpr double kQ0AltitudeKm = 120.0;

void setPerigeeDependentDensity(Sgp4Constants& c, double eo)
{
    c.s4 = kS;
    c.qoms24 = kQoms2t;
    const double perige = (c.aodp * (1.0 - eo) - 1.0) * kXkmper;
    if (perige < kLowPerigeeKm) {
        double s4Km = perige - kDensityAltitudeKm;
        if (perige <= kVeryLowPerigeeKm)
            s4Km = kVeryLowS4Km;
        c.qoms24 = std::pow((kQ0AltitudeKm - s4Km) / kXkmper, 4);
        c.s4 = s4Km / kXkmper + 1.0;
    }
}

void setDragCoefficients(Sgp4Constants& c, const PropagationElements& el)
{
    const double pinvsq = 1.0 / (c.aodp * c.aodp * c.betao2 * c.betao2);
    c.tsi = 1.0 / (c.aodp - c.s4);
    c.eta = c.aodp * el.EO * c.tsi;
    const double etasq = c.eta * c.eta;
    const double eeta = el.EO * c.eta;
    const double psisq = std::fabs(1.0 - etasq);
    c.coef = c.qoms24 * std::pow(c.tsi, 4);
    c.coef1 = c.coef / std::pow(psisq, 3.5);
    const double c2 = c.coef1 * c.xnodp *
                      (c.aodp * (1.0 + 1.5 * etasq + eeta * (4.0 + etasq)) +
                       k0_75Ck2 * c.tsi / psisq * c.x3thm1 * (8.0 + 3.0 * etasq * (8.0 + etasq)));
    c.c1 = el.BSTAR * c2;
    if (el.EO > kSmallEccentricity)
        c.c3 = c.coef * c.tsi * kA3ovk2 * c.xnodp * c.sinio / el.EO;
    c.c4 =
        2.0 * c.xnodp * c.coef1 * c.aodp * c.betao2 *
        (c.eta * (2.0 + 0.5 * etasq) + el.EO * (0.5 + 2.0 * etasq) -
         k2Ck2 * c.tsi / (c.aodp * psisq) *
             (-3.0 * c.x3thm1 * (1.0 - 2.0 * eeta + etasq * (1.5 - 0.5 * eeta)) +
              0.75 * c.x1mth2 * (2.0 * etasq - eeta * (1.0 + etasq)) * std::cos(2.0 * el.OMEGAO)));
    c.c5 = 2.0 * c.coef1 * c.aodp * c.betao2 * (1.0 + 2.75 * (etasq + eeta) + eeta * etasq);

    const double theta4 = c.theta2 * c.theta2;
    const double temp1 = k3Ck2 * pinvsq * c.xnodp;
    const double temp2 = temp1 * kCk2 * pinvsq;
    const double temp3 = k1_25Ck4 * pinvsq * pinvsq * c.xnodp;
    c.xmdot = c.xnodp + 0.5 * temp1 * c.betao * c.x3thm1 +
              0.0625 * temp2 * c.betao * (13.0 - 78.0 * c.theta2 + 137.0 * theta4);
    const double x1m5th = 1.0 - 5.0 * c.theta2;
    c.omgdot = -0.5 * temp1 * x1m5th + 0.0625 * temp2 * (7.0 - 114.0 * c.theta2 + 395.0 * theta4) +
               temp3 * (3.0 - 36.0 * c.theta2 + 49.0 * theta4);
    const double xhdot1 = -temp1 * c.cosio;
    c.xnodot =
        xhdot1 +
        (0.5 * temp2 * (4.0 - 19.0 * c.theta2) + 2.0 * temp3 * (3.0 - 7.0 * c.theta2)) * c.cosio;
    c.omgcof = el.BSTAR * c.c3 * std::cos(el.OMEGAO);
    if (el.EO > kSmallEccentricity)
        c.xmcof = -kTothrd * c.coef * el.BSTAR / eeta;
    c.xnodcf = 3.5 * c.betao2 * xhdot1 * c.c1;
    c.t2cof = 1.5 * c.c1;
    c.xlcof = 0.125 * kA3ovk2 * c.sinio * (3.0 + 5.0 * c.cosio) / (1.0 + c.cosio);
    c.aycof = 0.25 * kA3ovk2 * c.sinio;
    c.delmo = std::pow(1.0 + c.eta * std::cos(el.XMO), 3);
    c.sinmo = std::sin(el.XMO);
}

void setHigherOrderDrag(Sgp4Constants& c)
{
    const double c1sq = c.c1 * c.c1;
    c.d2 = 4.0 * c.aodp * c.tsi * c1sq;
    const double temp = c.d2 * c.tsi * c.c1 / 3.0;
    c.d3 = (17.0 * c.aodp + c.s4) * temp;
    c.d4 = 0.5 * temp * c.aodp * c.tsi * (221.0 * c.aodp + 31.0 * c.s4) * c.c1;
    c.t3cof = c.d2 + 2.0 * c1sq;
    c.t4cof = 0.25 * (3.0 * c.d3 + c.c1 * (12.0 * c.d2 + 10.0 * c1sq));
    c.t5cof = 0.2 * (3.0 * c.d4 + 12.0 * c.c1 * c.d3 + 6.0 * c.d2 * c.d2 +
                     15.0 * c1sq * (2.0 * c.d2 + c1sq));
}

} // namespace

MeanMotionRecovery recover(const PropagationElements& el)
{
    const double a1 = std::pow(kXke / el.XNO, kTothrd);
    const double cosio = std::cos(el.XINCL);
    const double betao2 = 1.0 - el.EO * el.EO;
    const double t = k1_5Ck2 * (3.0 * cosio * cosio - 1.0) / (betao2 * std::sqrt(betao2));
    const double del1 = t / (a1 * a1);
    const double ao = a1 * (1.0 - del1 * (0.5 * kTothrd + del1 * (1.0 + 134.0 / 81.0 * del1)));
    const double delo = t / (ao * ao);
    MeanMotionRecovery r;
    r.xnodp = el.XNO / (1.0 + delo);
    r.aodp = ao / (1.0 - delo);
    // Deep space from a period of 225 minutes (0.15625 day) on.
    r.deepSpace = mMate::kTwoPi / r.xnodp / kMinutesPerDay >= 0.15625;
    return r;
}

Sgp4Constants initialiseSgp4(const PropagationElements& el)
{
    Sgp4Constants c;
    const MeanMotionRecovery r = recover(el);
    c.aodp = r.aodp;
    c.xnodp = r.xnodp;
    c.cosio = std::cos(el.XINCL);
    c.sinio = std::sin(el.XINCL);
    c.theta2 = c.cosio * c.cosio;
    c.x3thm1 = 3.0 * c.theta2 - 1.0;
    c.x1mth2 = 1.0 - c.theta2;
    c.x7thm1 = 7.0 * c.theta2 - 1.0;
    c.eosq = el.EO * el.EO;
    c.betao2 = 1.0 - c.eosq;
    c.betao = std::sqrt(c.betao2);

    c.isimp = c.aodp * (1.0 - el.EO) < kSimplePerigeeKm / kXkmper + 1.0;
    setPerigeeDependentDensity(c, el.EO);
    setDragCoefficients(c, el);
    if (!c.isimp)
        setHigherOrderDrag(c);
    return c;
}

bool dragDecayedEccentricity(double& e)
{
    constexpr double kMinimumEccentricity = 1.0e-6;
    constexpr double kDecayedEccentricity = -0.001;
    if (e < kDecayedEccentricity)
        return false;
    if (e < kMinimumEccentricity)
        e = kMinimumEccentricity;
    return true;
}

bool isFinite(const StateVector& s)
{
    for (int i = 0; i < 3; ++i) {
        if (!std::isfinite(s.positionKm[static_cast<std::size_t>(i)]) ||
            !std::isfinite(s.velocityKmS[static_cast<std::size_t>(i)]))
            return false;
    }
    return true;
}

namespace {

struct KeplerSolution
{
    double sinepw = 0, cosepw = 0;
    double ecose = 0, esine = 0;
    bool converged = false;
};

/// Kepler's equation for E + omega from CAPU, at most 10 Newton steps, stopping when a
/// step is at most 1e-6 rad. As in the report the sines and cosines kept are those of the
/// last value a step started from (worth up to a few metres against a full convergence).
KeplerSolution solveKepler(double capu, double axn, double ayn)
{
    KeplerSolution k;
    double temp2 = capu;
    double temp3 = 0, temp4 = 0, temp5 = 0, temp6 = 0;
    for (int i = 0; i < kKeplerIterations; ++i) {
        k.sinepw = std::sin(temp2);
        k.cosepw = std::cos(temp2);
        temp3 = axn * k.sinepw;
        temp4 = ayn * k.cosepw;
        temp5 = axn * k.cosepw;
        temp6 = ayn * k.sinepw;
        const double epw = (capu - temp4 + temp3 - temp2) / (1.0 - temp5 - temp6) + temp2;
        if (std::fabs(epw - temp2) <= kE6a) {
            k.converged = true;
            break;
        }
        temp2 = epw;
    }
    k.ecose = temp5 + temp6;
    k.esine = temp3 - temp4;
    return k;
}

} // namespace

StateVector orientationToState(double rk, double uk, double xnodek, double xinck, double rdotk,
                               double rfdotk)
{
    const double sinuk = std::sin(uk);
    const double cosuk = std::cos(uk);
    const double sinik = std::sin(xinck);
    const double cosik = std::cos(xinck);
    const double sinnok = std::sin(xnodek);
    const double cosnok = std::cos(xnodek);
    const double xmx = -sinnok * cosik;
    const double xmy = cosnok * cosik;
    const double u[3] = {xmx * sinuk + cosnok * cosuk, xmy * sinuk + sinnok * cosuk, sinik * sinuk};
    const double v[3] = {xmx * cosuk - cosnok * sinuk, xmy * cosuk - sinnok * sinuk, sinik * cosuk};
    StateVector s;
    for (std::size_t i = 0; i < 3; ++i) {
        s.positionKm[i] = rk * u[i] * kXkmper;
        s.velocityKmS[i] = (rdotk * u[i] + rfdotk * v[i]) * kVelocityToKmS;
    }
    return s;
}

namespace {

/// Long-period periodics: the components of the eccentricity vector and the argument
/// of Kepler's equation.
struct LongPeriodTerms
{
    double axn = 0, ayn = 0, capu = 0;
};

LongPeriodTerms longPeriodPeriodics(const Sgp4Constants& c, const MeanElements& m)
{
    const double beta = std::sqrt(1.0 - m.e * m.e);
    LongPeriodTerms l;
    l.axn = m.e * std::cos(m.omega);
    const double temp = 1.0 / (m.a * beta * beta);
    const double xll = temp * c.xlcof * l.axn;
    const double aynl = temp * c.aycof;
    const double xlt = m.xl + xll;
    l.ayn = m.e * std::sin(m.omega) + aynl;
    l.capu = mMate::Riduci_angolo(xlt - m.xnode);
    return l;
}

/// Short-period periodics and the orientation vectors.
PropagationResult shortPeriodPeriodics(const Sgp4Constants& c, const MeanElements& m,
                                       const LongPeriodTerms& l, const KeplerSolution& k)
{
    PropagationResult result;
    const double xn = kXke / std::pow(m.a, 1.5);
    const double elsq = l.axn * l.axn + l.ayn * l.ayn;
    double temp = 1.0 - elsq;
    const double pl = m.a * temp;
    // Guard: the osculating orbit must have a positive semi-latus rectum.
    if (!(pl > 0.0))
        return PropagationResult{Status::SemilatusRectumNegative, {}};
    const double r = m.a * (1.0 - k.ecose);
    if (!(r > 0.0))
        return PropagationResult{Status::Decayed, {}};
    double temp1 = 1.0 / r;
    const double rdot = kXke * std::sqrt(m.a) * k.esine * temp1;
    const double rfdot = kXke * std::sqrt(pl) * temp1;
    double temp2 = m.a * temp1;
    const double betal = std::sqrt(temp);
    const double temp3 = 1.0 / (1.0 + betal);
    const double cosu = temp2 * (k.cosepw - l.axn + l.ayn * k.esine * temp3);
    const double sinu = temp2 * (k.sinepw - l.ayn - l.axn * k.esine * temp3);
    const double u = mMate::Arcotangente_completa(sinu, cosu);
    const double sin2u = 2.0 * sinu * cosu;
    const double cos2u = 2.0 * cosu * cosu - 1.0;
    temp = 1.0 / pl;
    temp1 = kCk2 * temp;
    temp2 = temp1 * temp;

    const double rk = r * (1.0 - 1.5 * temp2 * betal * c.x3thm1) + 0.5 * temp1 * c.x1mth2 * cos2u;
    const double uk = u - 0.25 * temp2 * c.x7thm1 * sin2u;
    const double xnodek = m.xnode + 1.5 * temp2 * c.cosio * sin2u;
    const double xinck = m.xinc + 1.5 * temp2 * c.cosio * c.sinio * cos2u;
    const double rdotk = rdot - xn * temp1 * c.x1mth2 * sin2u;
    const double rfdotk = rfdot + xn * temp1 * (c.x1mth2 * cos2u + 1.5 * c.x3thm1);
    // Guard: a position below the Earth's surface means the satellite has decayed.
    if (rk < 1.0)
        return PropagationResult{Status::Decayed, {}};
    result.state = orientationToState(rk, uk, xnodek, xinck, rdotk, rfdotk);
    if (!isFinite(result.state))
        result.status = Status::NoFiniteResult;
    return result;
}

} // namespace

PropagationResult finishSgp4(const Sgp4Constants& c, const MeanElements& m,
                             Status eccentricityStatus)
{
    // Guard: an eccentricity of 1 or more has no real BETA; report it instead of NaN.
    if (!(std::fabs(m.e) < 1.0))
        return PropagationResult{eccentricityStatus, {}};
    // Guard: a semi-major axis of zero (drag has used the orbit up) has no mean motion.
    if (!(m.a > 0.0))
        return PropagationResult{Status::Decayed, {}};
    const LongPeriodTerms l = longPeriodPeriodics(c, m);
    const KeplerSolution k = solveKepler(l.capu, l.axn, l.ayn);
    // Guard: ten steps that do not converge (eccentricities near 1) leave a wrong anomaly;
    // report it instead of a position far off the orbit.
    if (!k.converged)
        return PropagationResult{Status::KeplerNotConverged, {}};
    return shortPeriodPeriodics(c, m, l, k);
}

Sgp4Model::Sgp4Model(const PropagationElements& elements)
    : m_elements(elements), m_c(initialiseSgp4(elements))
{
}

PropagationResult Sgp4Model::propagate(double tsince) const
{
    const PropagationElements& el = m_elements;
    const Sgp4Constants& c = m_c;
    // Secular gravity and atmospheric drag.
    const double xmdf = el.XMO + c.xmdot * tsince;
    const double omgadf = el.OMEGAO + c.omgdot * tsince;
    const double xnoddf = el.XNODEO + c.xnodot * tsince;
    double omega = omgadf;
    double xmp = xmdf;
    const double tsq = tsince * tsince;
    const double xnode = xnoddf + c.xnodcf * tsq;
    double tempa = 1.0 - c.c1 * tsince;
    double tempe = el.BSTAR * c.c4 * tsince;
    double templ = c.t2cof * tsq;
    if (!c.isimp) {
        const double delomg = c.omgcof * tsince;
        const double delm = c.xmcof * (std::pow(1.0 + c.eta * std::cos(xmdf), 3) - c.delmo);
        const double temp = delomg + delm;
        xmp = xmdf + temp;
        omega = omgadf - temp;
        const double tcube = tsq * tsince;
        const double tfour = tsince * tcube;
        tempa = tempa - c.d2 * tsq - c.d3 * tcube - c.d4 * tfour;
        tempe = tempe + el.BSTAR * c.c5 * (std::sin(xmp) - c.sinmo);
        templ = templ + c.t3cof * tcube + tfour * (c.t4cof + tsince * c.t5cof);
    }
    MeanElements m;
    m.a = c.aodp * tempa * tempa;
    m.e = el.EO - tempe;
    if (!dragDecayedEccentricity(m.e))
        return PropagationResult{Status::MeanEccentricityOutOfRange, {}};
    m.omega = omega;
    m.xnode = xnode;
    m.xl = xmp + omega + xnode + c.xnodp * templ;
    m.xinc = el.XINCL;
    return finishSgp4(c, m, Status::MeanEccentricityOutOfRange);
}

} // namespace mSat::detail

// SDP4, Spacetrack Report No. 3 section 7: the SGP4 initialisation and periodics around
// the deep-space perturbations of DeepSpace.cpp.

#include "core/mMate.h"
#include "core/sat/Sgp4Model.h"

#include <cmath>

namespace mSat {

double Tempo_siderale_1950(double julianDate)
{
    // Days from 1950 January 0.0 UT, and the report's linear hour angle of the equinox.
    const double ds50 = julianDate - 2433281.5;
    return mMate::Riduci_angolo(1.72944494 + 6.3003880987 * ds50);
}

namespace detail {
namespace {

DeepSpaceInput deepSpaceInput(const PropagationElements& el, const Sgp4Constants& c)
{
    DeepSpaceInput in;
    in.eosq = c.eosq;
    in.sinio = c.sinio;
    in.cosio = c.cosio;
    in.betao = c.betao;
    in.aodp = c.aodp;
    in.theta2 = c.theta2;
    in.sing = std::sin(el.OMEGAO);
    in.cosg = std::cos(el.OMEGAO);
    in.betao2 = c.betao2;
    in.xmdot = c.xmdot;
    in.omgdot = c.omgdot;
    in.xnodot = c.xnodot;
    in.xnodp = c.xnodp;
    return in;
}

} // namespace

Sdp4Model::Sdp4Model(const PropagationElements& elements)
    : m_elements(elements), m_c(initialiseSgp4(elements)),
      m_deep(initialiseDeepSpace(elements, deepSpaceInput(elements, m_c)))
{
}

PropagationResult Sdp4Model::propagate(double tsince, ResonanceStep* kept) const
{
    const PropagationElements& el = m_elements;
    const Sgp4Constants& c = m_c;
    // Secular gravity and atmospheric drag.
    DeepSpaceElements m;
    m.xll = el.XMO + c.xmdot * tsince;
    m.omgasm = el.OMEGAO + c.omgdot * tsince;
    const double xnoddf = el.XNODEO + c.xnodot * tsince;
    const double tsq = tsince * tsince;
    m.xnodes = xnoddf + c.xnodcf * tsq;
    const double tempa = 1.0 - c.c1 * tsince;
    const double tempe = el.BSTAR * c.c4 * tsince;
    const double templ = c.t2cof * tsq;
    m.xn = c.xnodp;
    applyDeepSecular(m_deep, el, m, tsince, kept);

    PropagationResult result;
    // Guard: the resonance integration must leave a positive mean motion.
    if (!(m.xn > 0.0)) {
        result.status = Status::MeanMotionNotPositive;
        return result;
    }
    const double a = std::pow(kXke / m.xn, kTothrd) * tempa * tempa;
    m.em = m.em - tempe;
    if (!dragDecayedEccentricity(m.em) || !(m.em < 1.0)) {
        result.status = Status::MeanEccentricityOutOfRange;
        return result;
    }
    m.xll = m.xll + c.xnodp * templ;
    applyDeepPeriodics(m_deep, m, tsince);

    MeanElements mean;
    mean.a = a;
    mean.e = m.em;
    mean.omega = m.omgasm;
    mean.xnode = m.xnodes;
    mean.xl = m.xll + m.omgasm + m.xnodes;
    mean.xinc = m.xinc;
    return finishSgp4(c, mean, Status::PerturbedEccentricityOutOfRange);
}

} // namespace detail
} // namespace mSat

#pragma once
// Internal to SDP4: the deep-space perturbations of Spacetrack Report No. 3 (its DEEP
// routine with the entries DPINIT, DPSEC and DPPER): lunar and solar secular and periodic
// terms, and the 12-hour and 24-hour geopotential resonance integrated from the epoch.

#include "core/mSat.h"

namespace mSat::detail {

/// What SDP4's initialisation hands to DPINIT (report names).
struct DeepSpaceInput
{
    double eosq = 0, sinio = 0, cosio = 0, betao = 0, aodp = 0, theta2 = 0;
    double sing = 0, cosg = 0, betao2 = 0;
    double xmdot = 0, omgdot = 0, xnodot = 0, xnodp = 0;
};

/// Lunar or solar periodic coefficients of one body.
struct BodyPeriodics
{
    double e2 = 0, e3 = 0, i2 = 0, i3 = 0, l2 = 0, l3 = 0, l4 = 0;
    double gh2 = 0, gh3 = 0, gh4 = 0, h2 = 0, h3 = 0;
};

/// Coefficients of the 12-hour (D2201..D5433) or 24-hour (DEL1..DEL3) resonance.
struct ResonanceConstants
{
    bool resonant = false;    ///< IRESON
    bool synchronous = false; ///< ISYNFL: the 24-hour case
    double del1 = 0, del2 = 0, del3 = 0;
    double d2201 = 0, d2211 = 0, d3210 = 0, d3222 = 0, d4410 = 0, d4422 = 0;
    double d5220 = 0, d5232 = 0, d5421 = 0, d5433 = 0;
    double xlamo = 0; ///< resonant longitude at epoch [rad]
    double xfact = 0; ///< [rad/min]
};

/// Everything DPINIT computes; constant for one element set.
struct DeepSpaceConstants
{
    double thgr = 0;  ///< Greenwich hour angle at epoch [rad]
    double xnq = 0;   ///< un-Kozai mean motion [rad/min]
    double xqncl = 0; ///< inclination at epoch [rad]
    double siniq = 0, cosiq = 0;
    double omegaq = 0;                                  ///< argument of perigee at epoch [rad]
    double omgdt = 0;                                   ///< perigee rate [rad/min]
    double sse = 0, ssi = 0, ssl = 0, ssg = 0, ssh = 0; ///< lunar-solar secular rates
    double zmos = 0, zmol = 0; ///< solar and lunar mean anomalies at epoch [rad]
    BodyPeriodics sun;
    BodyPeriodics moon;
    ResonanceConstants resonance;
};

/// DPINIT.
[[nodiscard]] DeepSpaceConstants initialiseDeepSpace(const PropagationElements& elements,
                                                     const DeepSpaceInput& input);

/// The mean elements DPSEC and DPPER update in place.
struct DeepSpaceElements
{
    double xll = 0;    ///< mean anomaly [rad]
    double omgasm = 0; ///< argument of perigee [rad]
    double xnodes = 0; ///< node [rad]
    double em = 0;     ///< eccentricity
    double xinc = 0;   ///< inclination [rad]
    double xn = 0;     ///< mean motion [rad/min]
};

/// DPSEC: secular lunar-solar rates over t minutes, and the resonance integrated from the
/// epoch to t in steps of 720 minutes. With `kept`, the integration continues from the
/// step kept there when the restart from the epoch would pass through it (same direction,
/// t not behind it), and the last step reached is kept; the result is the same bits.
void applyDeepSecular(const DeepSpaceConstants& deep, const PropagationElements& elements,
                      DeepSpaceElements& m, double t, ResonanceStep* kept = nullptr);

/// DPPER: lunar-solar periodics at t minutes, the Lyddane form below 0.2 rad inclination.
void applyDeepPeriodics(const DeepSpaceConstants& deep, DeepSpaceElements& m, double t);

} // namespace mSat::detail

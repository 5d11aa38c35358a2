#pragma once
// Internal to the propagators: the SGP4 initialisation shared by SGP4 and SDP4, and the
// long-period, Kepler and short-period steps that both end with. Spacetrack Report No. 3,
// sections 6 (SGP4) and 7 (SDP4); names are the report's.

#include "core/mSat.h"

namespace mSat::detail {

// WGS-72 constants as the report gives them.
inline constexpr double kXke = 0.0743669161;         ///< sqrt(GM) [Earth radii^1.5 / min]
inline constexpr double kCk2 = 0.000541308;          ///< J2 / 2
inline constexpr double kA3ovk2 = 2.53881e-6 / kCk2; ///< -J3 / CK2 (AE = 1)
inline constexpr double kXkmper = 6378.135;          ///< Earth equatorial radius [km]
inline constexpr double kS = 1.01222928;             ///< 1 + 78 / XKMPER
inline constexpr double kQoms2t = 1.88027916e-9;     ///< ((120 - 78) / XKMPER)^4
inline constexpr double kE6a = 1e-6;
inline constexpr double kTothrd = 2.0 / 3.0;
inline constexpr double kMinutesPerDay = 1440.0;
// Products of constants, folded as the report's programs use them.
inline constexpr double k1_5Ck2 = 0.000811962;
inline constexpr double k0_75Ck2 = 0.000405981;
inline constexpr double k2Ck2 = 0.001082616;
inline constexpr double k3Ck2 = 0.001623924;
inline constexpr double k1_25Ck4 = 7.762359375e-7;
/// Earth radii per minute to km/s.
inline constexpr double kVelocityToKmS = kXkmper / 60.0;
/// Below this eccentricity the drag terms C3 and XMCOF, which divide by it, are left out
/// (as in Vallado et al. 2006, "Revisiting Spacetrack Report #3"): a circular orbit
/// propagates instead of dividing by zero.
inline constexpr double kSmallEccentricity = 1.0e-4;

/// The mean eccentricity after drag, EO - TEMPE, floored at 1e-6: drag that has
/// circularised the orbit must not turn the eccentricity negative and let it grow again.
/// Below -0.001 the orbit has decayed past the model (MeanEccentricityOutOfRange). Both as
/// in Vallado et al. 2006.
[[nodiscard]] bool dragDecayedEccentricity(double& e);

/// Kepler iterations of SGP, SGP4 and SDP4.
inline constexpr int kKeplerIterations = 10;

/// Quantities of the SGP4 initialisation (report names, lower case).
struct Sgp4Constants
{
    double cosio = 0, sinio = 0, theta2 = 0, x3thm1 = 0, x1mth2 = 0, x7thm1 = 0;
    double eosq = 0, betao = 0, betao2 = 0;
    double aodp = 0, xnodp = 0;
    double s4 = 0, qoms24 = 0, tsi = 0, eta = 0, coef = 0, coef1 = 0;
    double c1 = 0, c4 = 0;
    double xmdot = 0, omgdot = 0, xnodot = 0, xnodcf = 0, t2cof = 0, xlcof = 0, aycof = 0;
    // Near-Earth only (SGP4 proper).
    bool isimp = false; ///< perigee below 220 km: truncated drag equations
    double c3 = 0, c5 = 0, omgcof = 0, xmcof = 0, delmo = 0, sinmo = 0;
    double d2 = 0, d3 = 0, d4 = 0, t3cof = 0, t4cof = 0, t5cof = 0;
};

/// The SGP4 initialisation of an element set.
[[nodiscard]] Sgp4Constants initialiseSgp4(const PropagationElements& elements);

/// Mean elements at the time, after the secular (and deep-space) updates.
struct MeanElements
{
    double a = 0;     ///< semi-major axis [Earth radii]
    double e = 0;     ///< eccentricity
    double omega = 0; ///< argument of perigee [rad]
    double xnode = 0; ///< node [rad]
    double xl = 0;    ///< mean longitude [rad]
    double xinc = 0;  ///< inclination [rad]
};

/// Long-period periodics, Kepler's equation, short-period periodics and the orientation
/// vectors; the state in km and km/s. `eccentricityStatus` names the failure when the
/// eccentricity given is outside (-1, 1).
[[nodiscard]] PropagationResult finishSgp4(const Sgp4Constants& c, const MeanElements& mean,
                                           Status eccentricityStatus);

/// Position [km] and velocity [km/s] from the osculating radius RK, argument of latitude
/// UK, node XNODEK and inclination XINCK (radians, Earth radii) and the radial and
/// transverse velocities RDOTK and RFDOTK [Earth radii/min].
[[nodiscard]] StateVector orientationToState(double rk, double uk, double xnodek, double xinck,
                                             double rdotk, double rfdotk);

/// Un-Kozai mean motion and semi-major axis as published.
[[nodiscard]] MeanMotionRecovery recover(const PropagationElements& elements);

/// True when every component of the state is a finite number.
[[nodiscard]] bool isFinite(const StateVector& state);

} // namespace mSat::detail

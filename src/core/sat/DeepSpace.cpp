// Deep-space perturbations of SDP4: Spacetrack Report No. 3, section 10 (DEEP), with the
// report's constants. Every quantity keeps the report's name in lower case.

#include "core/sat/DeepSpace.h"
#include "core/mMate.h"

#include <cmath>

namespace mSat::detail {
namespace {

// Solar and lunar mean motions [rad/min], perturbation coefficients and eccentricities.
constexpr double kZns = 1.19459e-5;
constexpr double kC1ss = 2.9864797e-6;
constexpr double kZes = 0.01675;
constexpr double kZnl = 1.5835218e-4;
constexpr double kC1l = 4.7968065e-7;
constexpr double kZel = 0.0549;
// The Sun's orbit: cosine and sine of the obliquity, and of its argument of perigee.
constexpr double kZcosis = 0.91744867;
constexpr double kZsinis = 0.39785416;
constexpr double kZsings = -0.98088458;
constexpr double kZcosgs = 0.1945905;
// Geopotential resonance coefficients.
constexpr double kQ22 = 1.7891679e-6;
constexpr double kQ31 = 2.1460748e-6;
constexpr double kQ33 = 2.2123015e-7;
constexpr double kG22 = 5.7686396;
constexpr double kG32 = 0.95240898;
constexpr double kG44 = 1.8014998;
constexpr double kG52 = 1.050833;
constexpr double kG54 = 4.4108898;
constexpr double kRoot22 = 1.7891679e-6;
constexpr double kRoot32 = 3.7393792e-7;
constexpr double kRoot44 = 7.3636953e-9;
constexpr double kRoot52 = 1.1428639e-7;
constexpr double kRoot54 = 2.1765803e-9;
constexpr double kThdt = 4.3752691e-3; ///< Earth rotation [rad/min]
constexpr double kFasx2 = 0.13130908;
constexpr double kFasx4 = 2.8843198;
constexpr double kFasx6 = 0.37448087;
constexpr double kPi = 3.14159265;
/// Days from 1900 January 0.5 to 1950 January 0.0, the origin of the lunar series.
constexpr double kDaysFrom1900 = 18261.5;
/// Resonance windows of the un-Kozai mean motion [rad/min]: 24-hour (both ends excluded)
/// and 12-hour (both ends included, eccentricity at least 0.5).
constexpr double kSynchronousLow = 0.0034906585;
constexpr double kSynchronousHigh = 0.0052359877;
constexpr double kHalfDayLow = 8.26e-3;
constexpr double kHalfDayHigh = 9.24e-3;
constexpr double kHalfDayMinEccentricity = 0.5;
/// Below about 3 degrees of inclination the node terms are dropped.
constexpr double kSmallInclination = 5.2359877e-2;
/// Below this inclination [rad] the periodics are applied in Lyddane's form.
constexpr double kLyddaneInclination = 0.2;
/// Integrator step [min] and half its square [min^2].
constexpr double kStep = 720.0;
constexpr double kStep2 = 259200.0;

struct BodyGeometry
{
    double zcosg = 0, zsing = 0, zcosi = 0, zsini = 0, zcosh = 0, zsinh = 0;
    double cc = 0, zn = 0, ze = 0;
};

struct BodySecular
{
    double se = 0, si = 0, sl = 0, sgh = 0, sh = 0;
    BodyPeriodics periodics;
};

/// Direction cosines of the perturbing body's orbit in the satellite's orbital frame.
struct BodyDirection
{
    double a1 = 0, a2 = 0, a3 = 0, a4 = 0, a5 = 0, a6 = 0;
    double x1 = 0, x2 = 0, x3 = 0, x4 = 0, x5 = 0, x6 = 0, x7 = 0, x8 = 0;
};

BodyDirection bodyDirection(const BodyGeometry& g, const DeepSpaceInput& in)
{
    const double a1 = g.zcosg * g.zcosh + g.zsing * g.zcosi * g.zsinh;
    const double a3 = -g.zsing * g.zcosh + g.zcosg * g.zcosi * g.zsinh;
    const double a7 = -g.zcosg * g.zsinh + g.zsing * g.zcosi * g.zcosh;
    const double a8 = g.zsing * g.zsini;
    const double a9 = g.zsing * g.zsinh + g.zcosg * g.zcosi * g.zcosh;
    const double a10 = g.zcosg * g.zsini;
    const double a2 = in.cosio * a7 + in.sinio * a8;
    const double a4 = in.cosio * a9 + in.sinio * a10;
    const double a5 = -in.sinio * a7 + in.cosio * a8;
    const double a6 = -in.sinio * a9 + in.cosio * a10;

    const double x1 = a1 * in.cosg + a2 * in.sing;
    const double x2 = a3 * in.cosg + a4 * in.sing;
    const double x3 = -a1 * in.sing + a2 * in.cosg;
    const double x4 = -a3 * in.sing + a4 * in.cosg;
    const double x5 = a5 * in.sing;
    const double x6 = a6 * in.sing;
    const double x7 = a5 * in.cosg;
    const double x8 = a6 * in.cosg;
    return BodyDirection{a1, a2, a3, a4, a5, a6, x1, x2, x3, x4, x5, x6, x7, x8};
}

/// The report's block shared by the Sun and the Moon: secular rates and periodic
/// coefficients of one body.
BodySecular bodyTerms(const BodyGeometry& g, const DeepSpaceInput& in, double eq, double xqncl)
{
    const BodyDirection d = bodyDirection(g, in);
    const double a1 = d.a1, a2 = d.a2, a3 = d.a3, a4 = d.a4, a5 = d.a5, a6 = d.a6;
    const double x1 = d.x1, x2 = d.x2, x3 = d.x3, x4 = d.x4, x5 = d.x5, x6 = d.x6, x7 = d.x7,
                 x8 = d.x8;
    const double eqsq = in.eosq;
    const double z31 = 12.0 * x1 * x1 - 3.0 * x3 * x3;
    const double z32 = 24.0 * x1 * x2 - 6.0 * x3 * x4;
    const double z33 = 12.0 * x2 * x2 - 3.0 * x4 * x4;
    double z1 = 3.0 * (a1 * a1 + a2 * a2) + z31 * eqsq;
    double z2 = 6.0 * (a1 * a3 + a2 * a4) + z32 * eqsq;
    double z3 = 3.0 * (a3 * a3 + a4 * a4) + z33 * eqsq;
    const double z11 = -6.0 * a1 * a5 + eqsq * (-24.0 * x1 * x7 - 6.0 * x3 * x5);
    const double z12 = -6.0 * (a1 * a6 + a3 * a5) +
                       eqsq * (-24.0 * (x2 * x7 + x1 * x8) - 6.0 * (x3 * x6 + x4 * x5));
    const double z13 = -6.0 * a3 * a6 + eqsq * (-24.0 * x2 * x8 - 6.0 * x4 * x6);
    const double z21 = 6.0 * a2 * a5 + eqsq * (24.0 * x1 * x5 - 6.0 * x3 * x7);
    const double z22 =
        6.0 * (a4 * a5 + a2 * a6) + eqsq * (24.0 * (x2 * x5 + x1 * x6) - 6.0 * (x4 * x7 + x3 * x8));
    const double z23 = 6.0 * a4 * a6 + eqsq * (24.0 * x2 * x6 - 6.0 * x4 * x8);
    z1 = z1 + z1 + in.betao2 * z31;
    z2 = z2 + z2 + in.betao2 * z32;
    z3 = z3 + z3 + in.betao2 * z33;

    const double s3 = g.cc / in.xnodp;
    const double s2 = -0.5 * s3 / in.betao;
    const double s4 = s3 * in.betao;
    const double s1 = -15.0 * eq * s4;
    const double s5 = x1 * x3 + x2 * x4;
    const double s6 = x2 * x3 + x1 * x4;
    const double s7 = x2 * x4 - x1 * x3;

    BodySecular b;
    b.se = s1 * g.zn * s5;
    b.si = s2 * g.zn * (z11 + z13);
    b.sl = -g.zn * s3 * (z1 + z3 - 14.0 - 6.0 * eqsq);
    b.sgh = s4 * g.zn * (z31 + z33 - 6.0);
    b.sh = -g.zn * s2 * (z21 + z23);
    if (xqncl < kSmallInclination)
        b.sh = 0.0;
    BodyPeriodics& p = b.periodics;
    p.e2 = 2.0 * s1 * s6;
    p.e3 = 2.0 * s1 * s7;
    p.i2 = 2.0 * s2 * z12;
    p.i3 = 2.0 * s2 * (z13 - z11);
    p.l2 = -2.0 * s3 * z2;
    p.l3 = -2.0 * s3 * (z3 - z1);
    p.l4 = -2.0 * s3 * (-21.0 - 9.0 * eqsq) * g.ze;
    p.gh2 = 2.0 * s4 * z32;
    p.gh3 = 2.0 * s4 * (z33 - z31);
    p.gh4 = -18.0 * s4 * g.ze;
    p.h2 = -2.0 * s2 * z22;
    p.h3 = -2.0 * s2 * (z23 - z21);
    return b;
}

/// The node term divided by the sine of the inclination. Guard: at an inclination of
/// exactly 0 the term is 0 already (dropped below 3 degrees) and stays 0 instead of 0/0.
double perSine(double sh, double siniq)
{
    return sh == 0.0 ? 0.0 : sh / siniq;
}

struct LunarOrbit
{
    double zcosil = 0, zsinil = 0, zcoshl = 0, zsinhl = 0, zcosgl = 0, zsingl = 0;
    double zmol = 0, zmos = 0;
};

/// The Moon's orbit and the two mean anomalies at the epoch, from the report's series in
/// days since 1900 January 0.5.
LunarOrbit lunarOrbit(double ds50)
{
    const double day = ds50 + kDaysFrom1900;
    LunarOrbit l;
    const double xnodce = 4.523602 - 9.2422029e-4 * day;
    const double stem = std::sin(xnodce);
    const double ctem = std::cos(xnodce);
    l.zcosil = 0.91375164 - 0.03568096 * ctem;
    l.zsinil = std::sqrt(1.0 - l.zcosil * l.zcosil);
    l.zsinhl = 0.089683511 * stem / l.zsinil;
    l.zcoshl = std::sqrt(1.0 - l.zsinhl * l.zsinhl);
    const double c = 4.7199672 + 0.2299715 * day;
    const double gam = 5.8351514 + 0.001944368 * day;
    l.zmol = mMate::Riduci_angolo(c - gam);
    double zx = kZsinis * stem / l.zsinil;
    const double zy = l.zcoshl * ctem + kZcosis * l.zsinhl * stem;
    zx = mMate::Arcotangente_completa(zx, zy);
    zx = gam + zx - xnodce;
    l.zcosgl = std::cos(zx);
    l.zsingl = std::sin(zx);
    l.zmos = mMate::Riduci_angolo(6.2565837 + 0.017201977 * day);
    return l;
}

/// The report's eccentricity polynomials of the 12-hour resonance.
struct HalfDayPolynomials
{
    double g201 = 0, g211 = 0, g310 = 0, g322 = 0, g410 = 0, g422 = 0;
    double g520 = 0, g521 = 0, g532 = 0, g533 = 0;
};

HalfDayPolynomials halfDayPolynomials(double eq, double eqsq)
{
    const double eoc = eq * eqsq;
    const double g201 = -0.306 - (eq - 0.64) * 0.440;
    double g211, g310, g322, g410, g422, g520;
    if (eq <= 0.65) {
        g211 = 3.616 - 13.247 * eq + 16.290 * eqsq;
        g310 = -19.302 + 117.390 * eq - 228.419 * eqsq + 156.591 * eoc;
        g322 = -18.9068 + 109.7927 * eq - 214.6334 * eqsq + 146.5816 * eoc;
        g410 = -41.122 + 242.694 * eq - 471.094 * eqsq + 313.953 * eoc;
        g422 = -146.407 + 841.880 * eq - 1629.014 * eqsq + 1083.435 * eoc;
        g520 = -532.114 + 3017.977 * eq - 5740.0 * eqsq + 3708.276 * eoc;
    } else {
        g211 = -72.099 + 331.819 * eq - 508.738 * eqsq + 266.724 * eoc;
        g310 = -346.844 + 1582.851 * eq - 2415.925 * eqsq + 1246.113 * eoc;
        g322 = -342.585 + 1554.908 * eq - 2366.899 * eqsq + 1215.972 * eoc;
        g410 = -1052.797 + 4758.686 * eq - 7193.992 * eqsq + 3651.957 * eoc;
        g422 = -3581.69 + 16178.11 * eq - 24462.77 * eqsq + 12422.52 * eoc;
        if (eq <= 0.715)
            g520 = 1464.74 - 4664.75 * eq + 3763.64 * eqsq;
        else
            g520 = -5149.66 + 29936.92 * eq - 54087.36 * eqsq + 31324.56 * eoc;
    }
    double g533, g521, g532;
    if (eq < 0.7) {
        g533 = -919.2277 + 4988.61 * eq - 9064.77 * eqsq + 5542.21 * eoc;
        g521 = -822.71072 + 4568.6173 * eq - 8491.4146 * eqsq + 5337.524 * eoc;
        g532 = -853.666 + 4690.25 * eq - 8624.77 * eqsq + 5341.4 * eoc;
    } else {
        g533 = -37995.78 + 161616.52 * eq - 229838.2 * eqsq + 109377.94 * eoc;
        g521 = -51752.104 + 218913.95 * eq - 309468.16 * eqsq + 146349.42 * eoc;
        g532 = -40023.88 + 170470.89 * eq - 242699.48 * eqsq + 115605.82 * eoc;
    }
    return HalfDayPolynomials{g201, g211, g310, g322, g410, g422, g520, g521, g532, g533};
}

void initialiseHalfDayResonance(ResonanceConstants& r, const DeepSpaceInput& in, double eq)
{
    const HalfDayPolynomials g = halfDayPolynomials(eq, in.eosq);
    const double siniq = in.sinio;
    const double cosiq = in.cosio;
    const double cosq2 = in.theta2;
    const double sini2 = siniq * siniq;
    const double f220 = 0.75 * (1.0 + 2.0 * cosiq + cosq2);
    const double f221 = 1.5 * sini2;
    const double f321 = 1.875 * siniq * (1.0 - 2.0 * cosiq - 3.0 * cosq2);
    const double f322 = -1.875 * siniq * (1.0 + 2.0 * cosiq - 3.0 * cosq2);
    const double f441 = 35.0 * sini2 * f220;
    const double f442 = 39.3750 * sini2 * sini2;
    const double f522 = 9.84375 * siniq *
                        (sini2 * (1.0 - 2.0 * cosiq - 5.0 * cosq2) +
                         0.33333333 * (-2.0 + 4.0 * cosiq + 6.0 * cosq2));
    const double f523 = siniq * (4.92187512 * sini2 * (-2.0 - 4.0 * cosiq + 10.0 * cosq2) +
                                 6.56250012 * (1.0 + 2.0 * cosiq - 3.0 * cosq2));
    const double f542 =
        29.53125 * siniq * (2.0 - 8.0 * cosiq + cosq2 * (-12.0 + 8.0 * cosiq + 10.0 * cosq2));
    const double f543 =
        29.53125 * siniq * (-2.0 - 8.0 * cosiq + cosq2 * (12.0 + 8.0 * cosiq - 10.0 * cosq2));

    const double aqnv = 1.0 / in.aodp;
    const double xno2 = in.xnodp * in.xnodp;
    const double ainv2 = aqnv * aqnv;
    double temp1 = 3.0 * xno2 * ainv2;
    double temp = temp1 * kRoot22;
    r.d2201 = temp * f220 * g.g201;
    r.d2211 = temp * f221 * g.g211;
    temp1 = temp1 * aqnv;
    temp = temp1 * kRoot32;
    r.d3210 = temp * f321 * g.g310;
    r.d3222 = temp * f322 * g.g322;
    temp1 = temp1 * aqnv;
    temp = 2.0 * temp1 * kRoot44;
    r.d4410 = temp * f441 * g.g410;
    r.d4422 = temp * f442 * g.g422;
    temp1 = temp1 * aqnv;
    temp = temp1 * kRoot52;
    r.d5220 = temp * f522 * g.g520;
    r.d5232 = temp * f523 * g.g532;
    temp = 2.0 * temp1 * kRoot54;
    r.d5421 = temp * f542 * g.g521;
    r.d5433 = temp * f543 * g.g533;
}

void initialiseSynchronousResonance(ResonanceConstants& r, const DeepSpaceInput& in)
{
    const double eqsq = in.eosq;
    const double cosiq = in.cosio;
    const double aqnv = 1.0 / in.aodp;
    const double g200 = 1.0 + eqsq * (-2.5 + 0.8125 * eqsq);
    const double g310 = 1.0 + 2.0 * eqsq;
    const double g300 = 1.0 + eqsq * (-6.0 + 6.60937 * eqsq);
    const double f220 = 0.75 * (1.0 + cosiq) * (1.0 + cosiq);
    const double f311 = 0.9375 * in.sinio * in.sinio * (1.0 + 3.0 * cosiq) - 0.75 * (1.0 + cosiq);
    double f330 = 1.0 + cosiq;
    f330 = 1.875 * f330 * f330 * f330;
    const double del1 = 3.0 * in.xnodp * in.xnodp * aqnv * aqnv;
    r.del2 = 2.0 * del1 * f220 * g200 * kQ22;
    r.del3 = 3.0 * del1 * f330 * g300 * kQ33 * aqnv;
    r.del1 = del1 * f311 * g310 * kQ31 * aqnv;
}

} // namespace

DeepSpaceConstants initialiseDeepSpace(const PropagationElements& el, const DeepSpaceInput& in)
{
    DeepSpaceConstants d;
    d.thgr = Tempo_siderale_1950(el.Epoca);
    const double ds50 = el.Epoca - 2433281.5;
    const double eq = el.EO;
    d.xnq = in.xnodp;
    d.xqncl = el.XINCL;
    d.siniq = in.sinio;
    d.cosiq = in.cosio;
    d.omegaq = el.OMEGAO;
    d.omgdt = in.omgdot;
    const double xpidot = in.omgdot + in.xnodot;
    const double sinq = std::sin(el.XNODEO);
    const double cosq = std::cos(el.XNODEO);

    const LunarOrbit moon = lunarOrbit(ds50);
    d.zmos = moon.zmos;
    d.zmol = moon.zmol;

    BodyGeometry g;
    g.zcosg = kZcosgs;
    g.zsing = kZsings;
    g.zcosi = kZcosis;
    g.zsini = kZsinis;
    g.zcosh = cosq;
    g.zsinh = sinq;
    g.cc = kC1ss;
    g.zn = kZns;
    g.ze = kZes;
    const BodySecular solar = bodyTerms(g, in, eq, d.xqncl);
    d.sun = solar.periodics;

    g.zcosg = moon.zcosgl;
    g.zsing = moon.zsingl;
    g.zcosi = moon.zcosil;
    g.zsini = moon.zsinil;
    g.zcosh = moon.zcoshl * cosq + moon.zsinhl * sinq;
    g.zsinh = sinq * moon.zcoshl - cosq * moon.zsinhl;
    g.cc = kC1l;
    g.zn = kZnl;
    g.ze = kZel;
    const BodySecular lunar = bodyTerms(g, in, eq, d.xqncl);
    d.moon = lunar.periodics;

    d.sse = solar.se + lunar.se;
    d.ssi = solar.si + lunar.si;
    d.ssl = solar.sl + lunar.sl;
    const double solarSsh = perSine(solar.sh, d.siniq);
    d.ssg = solar.sgh - d.cosiq * solarSsh + lunar.sgh - d.cosiq * perSine(lunar.sh, d.siniq);
    d.ssh = solarSsh + perSine(lunar.sh, d.siniq);

    ResonanceConstants& r = d.resonance;
    double bfact = 0;
    if (d.xnq > kSynchronousLow && d.xnq < kSynchronousHigh) {
        r.resonant = true;
        r.synchronous = true;
        initialiseSynchronousResonance(r, in);
        r.xlamo = el.XMO + el.XNODEO + el.OMEGAO - d.thgr;
        bfact = in.xmdot + xpidot - kThdt + d.ssl + d.ssg + d.ssh;
    } else if (d.xnq >= kHalfDayLow && d.xnq <= kHalfDayHigh && eq >= kHalfDayMinEccentricity) {
        r.resonant = true;
        initialiseHalfDayResonance(r, in, eq);
        r.xlamo = el.XMO + el.XNODEO + el.XNODEO - d.thgr - d.thgr;
        bfact = in.xmdot + in.xnodot + in.xnodot - kThdt - kThdt + d.ssl + d.ssh + d.ssh;
    }
    if (r.resonant)
        r.xfact = bfact - d.xnq;
    return d;
}

namespace {

struct Integrator
{
    double xli = 0;   ///< resonant longitude [rad]
    double xni = 0;   ///< mean motion [rad/min]
    double atime = 0; ///< time of xli and xni [min]
};

struct DotTerms
{
    double xndot = 0, xnddt = 0, xldot = 0;
};

DotTerms dotTerms(const DeepSpaceConstants& d, const Integrator& s)
{
    const ResonanceConstants& r = d.resonance;
    DotTerms t;
    if (r.synchronous) {
        t.xndot = r.del1 * std::sin(s.xli - kFasx2) + r.del2 * std::sin(2.0 * (s.xli - kFasx4)) +
                  r.del3 * std::sin(3.0 * (s.xli - kFasx6));
        t.xnddt = r.del1 * std::cos(s.xli - kFasx2) +
                  2.0 * r.del2 * std::cos(2.0 * (s.xli - kFasx4)) +
                  3.0 * r.del3 * std::cos(3.0 * (s.xli - kFasx6));
    } else {
        const double xomi = d.omegaq + d.omgdt * s.atime;
        const double x2omi = xomi + xomi;
        const double x2li = s.xli + s.xli;
        t.xndot =
            r.d2201 * std::sin(x2omi + s.xli - kG22) + r.d2211 * std::sin(s.xli - kG22) +
            r.d3210 * std::sin(xomi + s.xli - kG32) + r.d3222 * std::sin(-xomi + s.xli - kG32) +
            r.d4410 * std::sin(x2omi + x2li - kG44) + r.d4422 * std::sin(x2li - kG44) +
            r.d5220 * std::sin(xomi + s.xli - kG52) + r.d5232 * std::sin(-xomi + s.xli - kG52) +
            r.d5421 * std::sin(xomi + x2li - kG54) + r.d5433 * std::sin(-xomi + x2li - kG54);
        t.xnddt =
            r.d2201 * std::cos(x2omi + s.xli - kG22) + r.d2211 * std::cos(s.xli - kG22) +
            r.d3210 * std::cos(xomi + s.xli - kG32) + r.d3222 * std::cos(-xomi + s.xli - kG32) +
            r.d5220 * std::cos(xomi + s.xli - kG52) + r.d5232 * std::cos(-xomi + s.xli - kG52) +
            2.0 *
                (r.d4410 * std::cos(x2omi + x2li - kG44) + r.d4422 * std::cos(x2li - kG44) +
                 r.d5421 * std::cos(xomi + x2li - kG54) + r.d5433 * std::cos(-xomi + x2li - kG54));
    }
    t.xldot = s.xni + r.xfact;
    t.xnddt = t.xnddt * t.xldot;
    return t;
}

/// Whether the integration from the epoch towards t passes through the kept step: the same
/// direction, and the loop's test still true at the step before it.
bool continuesFrom(const ResonanceStep& kept, double t, double delt)
{
    if (!kept.valid || kept.stepMin != delt)
        return false;
    if (kept.atime == 0.0)
        return true;
    const double before = kept.atime - delt;
    return delt > 0.0 ? t - before >= kStep : before - t >= kStep;
}

/// The report's integrator: from the epoch (DPINIT runs before every DPSEC) in steps of 720
/// minutes towards t with the Euler-Maclaurin update. The steps depend only on the direction
/// and their count, so continuing from a kept step gives the same bits as the restart.
void integrateResonance(const DeepSpaceConstants& d, DeepSpaceElements& m, double t,
                        ResonanceStep* kept)
{
    Integrator s;
    s.xli = d.resonance.xlamo;
    s.xni = d.xnq;
    const double delt = t >= 0.0 ? kStep : -kStep;
    if (kept != nullptr && continuesFrom(*kept, t, delt)) {
        s.xli = kept->xli;
        s.xni = kept->xni;
        s.atime = kept->atime;
    }
    while (std::fabs(t - s.atime) >= kStep) {
        const DotTerms dots = dotTerms(d, s);
        s.xli = s.xli + dots.xldot * delt + dots.xndot * kStep2;
        s.xni = s.xni + dots.xndot * delt + dots.xnddt * kStep2;
        s.atime = s.atime + delt;
    }
    if (kept != nullptr)
        *kept = ResonanceStep{true, delt, s.xli, s.xni, s.atime};
    const double ft = t - s.atime;
    const DotTerms dots = dotTerms(d, s);
    m.xn = s.xni + dots.xndot * ft + dots.xnddt * ft * ft * 0.5;
    const double xl = s.xli + dots.xldot * ft + dots.xndot * ft * ft * 0.5;
    const double temp = -m.xnodes + d.thgr + t * kThdt;
    m.xll = d.resonance.synchronous ? xl - m.omgasm + temp : xl + temp + temp;
}

struct PeriodicTerms
{
    double se = 0, si = 0, sl = 0, sgh = 0, sh = 0;
};

PeriodicTerms bodyPeriodicTerms(const BodyPeriodics& p, double zm, double ze)
{
    const double zf = zm + 2.0 * ze * std::sin(zm);
    const double sinzf = std::sin(zf);
    const double f2 = 0.5 * sinzf * sinzf - 0.25;
    const double f3 = -0.5 * sinzf * std::cos(zf);
    PeriodicTerms t;
    t.se = p.e2 * f2 + p.e3 * f3;
    t.si = p.i2 * f2 + p.i3 * f3;
    t.sl = p.l2 * f2 + p.l3 * f3 + p.l4 * sinzf;
    t.sgh = p.gh2 * f2 + p.gh3 * f3 + p.gh4 * sinzf;
    t.sh = p.h2 * f2 + p.h3 * f3;
    return t;
}

} // namespace

void applyDeepSecular(const DeepSpaceConstants& d, const PropagationElements& el,
                      DeepSpaceElements& m, double t, ResonanceStep* kept)
{
    m.xll = m.xll + d.ssl * t;
    m.omgasm = m.omgasm + d.ssg * t;
    m.xnodes = m.xnodes + d.ssh * t;
    m.em = el.EO + d.sse * t;
    m.xinc = el.XINCL + d.ssi * t;
    if (m.xinc < 0.0) {
        m.xinc = -m.xinc;
        m.xnodes = m.xnodes + kPi;
        m.omgasm = m.omgasm - kPi;
    }
    if (d.resonance.resonant)
        integrateResonance(d, m, t, kept);
}

void applyDeepPeriodics(const DeepSpaceConstants& d, DeepSpaceElements& m, double t)
{
    const double sinis = std::sin(m.xinc);
    const double cosis = std::cos(m.xinc);
    const PeriodicTerms sun = bodyPeriodicTerms(d.sun, d.zmos + kZns * t, kZes);
    const PeriodicTerms moon = bodyPeriodicTerms(d.moon, d.zmol + kZnl * t, kZel);
    const double pe = sun.se + moon.se;
    const double pinc = sun.si + moon.si;
    const double pl = sun.sl + moon.sl;
    double pgh = sun.sgh + moon.sgh;
    double ph = sun.sh + moon.sh;
    m.xinc = m.xinc + pinc;
    m.em = m.em + pe;

    if (d.xqncl >= kLyddaneInclination) {
        ph = ph / d.siniq;
        pgh = pgh - d.cosiq * ph;
        m.omgasm = m.omgasm + pgh;
        m.xnodes = m.xnodes + ph;
        m.xll = m.xll + pl;
        return;
    }
    // Lyddane's modification: node and longitude from the direction cosines, which stay
    // defined at small inclinations.
    const double sinok = std::sin(m.xnodes);
    const double cosok = std::cos(m.xnodes);
    double alfdp = sinis * sinok;
    double betdp = sinis * cosok;
    const double dalf = ph * cosok + pinc * cosis * sinok;
    const double dbet = -ph * sinok + pinc * cosis * cosok;
    alfdp = alfdp + dalf;
    betdp = betdp + dbet;
    double xls = m.xll + m.omgasm + cosis * m.xnodes;
    const double dls = pl + pgh - pinc * m.xnodes * sinis;
    xls = xls + dls;
    m.xnodes = mMate::Arcotangente_completa(alfdp, betdp);
    m.xll = m.xll + pl;
    m.omgasm = xls - m.xll - std::cos(m.xinc) * m.xnodes;
}

} // namespace mSat::detail

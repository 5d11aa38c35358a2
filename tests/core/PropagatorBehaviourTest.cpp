// Behaviour of the four propagators beyond the published test cases: refused element sets,
// circular orbits, the near-Earth / deep-space choice, resonance, decay and invariants.

#include "SatelliteStateFixture.h"
#include "SatelliteTestData.h"

#include "core/mMate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

using mSat::PropagationElements;
using mSat::PropagationResult;
using mSat::PropagatorModel;
using mSat::Status;

using PropagateFunction = PropagationResult (*)(const PropagationElements&, double);

const PropagateFunction kAllModels[] = {mSat::Propaga_plan13, mSat::Propaga_sgp, mSat::Propaga_sgp4,
                                        mSat::Propaga_sdp4};

PropagationElements elements88888()
{
    return sattest::propagationElements(sattest::k88888Line1, sattest::k88888Line2);
}

PropagationElements elementsMolniya()
{
    return sattest::propagationElements(sattest::kMolniyaLine1, sattest::kMolniyaLine2);
}

PropagationElements elementsGeo()
{
    return sattest::propagationElements(sattest::kGeoLine1, sattest::kGeoLine2);
}

bool sameBits(const mSat::StateVector& a, const mSat::StateVector& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool finite(const mSat::StateVector& s)
{
    for (std::size_t i = 0; i < 3; ++i) {
        if (!std::isfinite(s.positionKm[i]) || !std::isfinite(s.velocityKmS[i]))
            return false;
    }
    return true;
}

TEST(PropagatorRefusal, ElementSetsOutsideTheModelAreStatusesInEveryModel)
{
    struct Bad
    {
        const char* what;
        double PropagationElements::*field;
        double value;
        Status expected;
    };
    const Bad cases[] = {
        {"mean motion 0", &PropagationElements::XNO, 0.0, Status::MeanMotionNotPositive},
        {"negative mean motion", &PropagationElements::XNO, -0.01, Status::MeanMotionNotPositive},
        {"eccentricity 1", &PropagationElements::EO, 1.0, Status::EccentricityOutOfRange},
        {"eccentricity 1.5", &PropagationElements::EO, 1.5, Status::EccentricityOutOfRange},
        {"negative eccentricity", &PropagationElements::EO, -0.1, Status::EccentricityOutOfRange},
        {"infinite drag", &PropagationElements::BSTAR, INFINITY, Status::NumberNotFinite},
        {"no epoch", &PropagationElements::Epoca, NAN, Status::NumberNotFinite},
    };
    for (const Bad& bad : cases) {
        PropagationElements el = elements88888();
        el.*bad.field = bad.value;
        for (PropagateFunction propagate : kAllModels)
            EXPECT_EQ(propagate(el, 100.0).status, bad.expected) << bad.what;
    }
}

TEST(PropagatorRefusal, TimeThatIsNotANumberIsAStatusNotAnEndlessIntegration)
{
    EXPECT_EQ(mSat::Propaga_sdp4(elementsGeo(), INFINITY).status, Status::NoFiniteResult);
    EXPECT_EQ(mSat::Propaga_sgp4(elements88888(), NAN).status, Status::NoFiniteResult);
}

TEST(CircularOrbit, EccentricityZeroPropagatesCloseToANearlyCircularOrbit)
{
    // Near Earth (SGP4, both drag branches) and deep space (SDP4).
    PropagationElements low = elements88888();
    PropagationElements highPerigee = elements88888();
    highPerigee.XNO = 14.0 * mMate::kTwoPi / 1440.0; // perigee above 220 km
    PropagationElements deep = elementsMolniya();
    deep.XNO = 1.5 * mMate::kTwoPi / 1440.0;
    for (PropagationElements el : {low, highPerigee, deep}) {
        PropagateFunction propagate =
            el.XNO < 2.0 * mMate::kTwoPi / 1440.0 ? mSat::Propaga_sdp4 : mSat::Propaga_sgp4;
        for (double t : {0.0, 720.0, 2880.0}) {
            el.EO = 0.0;
            const PropagationResult circular = propagate(el, t);
            el.EO = 1e-5;
            const PropagationResult nearly = propagate(el, t);
            ASSERT_EQ(circular.status, Status::Ok) << "at " << t << " min";
            ASSERT_TRUE(finite(circular.state));
            // An eccentricity of 1e-5 moves the orbit by about 1e-5 of its radius.
            EXPECT_LT(sattest::difference(circular.state.positionKm, nearly.state.positionKm), 1.0)
                << "at " << t << " min";
        }
    }
}

TEST(ModelChoice, DeepSpaceFromAPeriodOf225Minutes)
{
    const mSat::SatellitePropagator leo(elements88888(), PropagatorModel::Sgp4Sdp4);
    const mSat::SatellitePropagator molniya(elementsMolniya(), PropagatorModel::Sgp4Sdp4);
    EXPECT_EQ(leo.runModel(), PropagatorModel::Sgp4);
    EXPECT_EQ(molniya.runModel(), PropagatorModel::Sgp4Sdp4);
    // Just either side of 225 minutes (6.4 revolutions per day).
    PropagationElements el = elements88888();
    el.XNO = 6.45 * mMate::kTwoPi / 1440.0;
    EXPECT_FALSE(mSat::recoverMeanMotion(el).deepSpace);
    el.XNO = 6.35 * mMate::kTwoPi / 1440.0;
    EXPECT_TRUE(mSat::recoverMeanMotion(el).deepSpace);
    // The option alone: SGP4 is run for a deep-space set when the option says SGP4.
    EXPECT_EQ(mSat::SatellitePropagator(elementsMolniya(), PropagatorModel::Sgp4).runModel(),
              PropagatorModel::Sgp4);
}

TEST(DeepSpace, NoStateLeaksBetweenSatellitesOrCalls)
{
    const PropagationElements molniya = elementsMolniya();
    PropagationElements other = elementsGeo();
    other.Epoca += 1234.5;
    const PropagationResult first = mSat::Propaga_sdp4(molniya, 4000.0);
    (void)mSat::Propaga_sdp4(other, -900.0);
    (void)mSat::Propaga_sdp4(molniya, -4000.0);
    const PropagationResult again = mSat::Propaga_sdp4(molniya, 4000.0);
    ASSERT_EQ(first.status, Status::Ok);
    EXPECT_TRUE(sameBits(first.state, again.state));

    // An initialised propagator gives the bits of a fresh one at any time, in any order.
    const mSat::SatellitePropagator kept(molniya, PropagatorModel::Sgp4Sdp4);
    for (double t : {5000.0, -3000.0, 0.0, 12345.6, 5000.0}) {
        const PropagationResult k = kept.propagate(t);
        EXPECT_TRUE(sameBits(k.state, mSat::Propaga_sdp4(molniya, t).state)) << "at " << t;
    }
}

TEST(DeepSpace, SiderealTimeOf1950)
{
    EXPECT_NEAR(mSat::Tempo_siderale_1950(2433281.5), 1.72944494, 1e-12);
    const double day = mSat::Tempo_siderale_1950(2433282.5) - mSat::Tempo_siderale_1950(2433281.5);
    EXPECT_NEAR(day, 6.3003880987 - mMate::kTwoPi, 1e-9);
}

TEST(DeepSpace, EquatorialGeostationaryOrbitStaysFinite)
{
    // An inclination of exactly 0 divided 0 by 0 in the lunar-solar node terms.
    PropagationElements geo = elementsGeo();
    geo.XINCL = 0.0;
    for (double t : {0.0, 1440.0, 10000.0}) {
        const PropagationResult r = mSat::Propaga_sdp4(geo, t);
        ASSERT_EQ(r.status, Status::Ok);
        EXPECT_TRUE(finite(r.state));
        EXPECT_NEAR(std::hypot(r.state.positionKm[0], r.state.positionKm[1]), 42164.0, 50.0);
    }
}

TEST(Decay, HeavyDragEndsInAStatusNotInNumbers)
{
    PropagationElements el = elements88888();
    el.BSTAR = 0.05;
    bool failed = false;
    for (double t = 0; t < 30 * 1440.0 && !failed; t += 60.0) {
        const PropagationResult r = mSat::Propaga_sgp4(el, t);
        if (r.status != Status::Ok) {
            failed = true;
            EXPECT_TRUE(r.status == Status::Decayed ||
                        r.status == Status::MeanEccentricityOutOfRange)
                << mSat::statusMessage(r.status);
        } else {
            ASSERT_TRUE(finite(r.state));
        }
    }
    EXPECT_TRUE(failed);
}

TEST(Plan13, SpeedIsTheTwoBodySpeedWhileTheOrbitKeepsItsSize)
{
    // Without drag (XNDT2O = 0) the ellipse keeps its semi-major axis A0, so the speed at
    // every point is the vis-viva speed sqrt(GM (2 / r - 1 / A0)).
    constexpr double kGm = 398600.8;
    PropagationElements el = elementsMolniya();
    el.XNDT2O = 0.0;
    const double n0 = el.XNO / 60.0;
    const double a0 = std::cbrt(kGm / (n0 * n0));
    for (double t : {0.0, 97.0, 333.3, 700.0, -250.0}) {
        const PropagationResult r = mSat::Propaga_plan13(el, t);
        ASSERT_EQ(r.status, Status::Ok);
        const double radius =
            std::hypot(r.state.positionKm[0], r.state.positionKm[1], r.state.positionKm[2]);
        const double speed =
            std::hypot(r.state.velocityKmS[0], r.state.velocityKmS[1], r.state.velocityKmS[2]);
        EXPECT_NEAR(speed, std::sqrt(kGm * (2.0 / radius - 1.0 / a0)), 1e-9 * speed) << "at " << t;
        EXPECT_GE(radius, a0 * (1.0 - el.EO) * (1.0 - 1e-9));
        EXPECT_LE(radius, a0 * (1.0 + el.EO) * (1.0 + 1e-9));
    }
}

} // namespace

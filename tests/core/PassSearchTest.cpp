// Pass-event search: Brent's minimiser and root finder and the bounded widening on plain
// functions, then rise, culmination and set of a real pass of 88888 over Milan against a
// brute-force fine scan of the elevation.

#include "SatelliteStateFixture.h"

#include "core/ElementSet.h"
#include "core/PassSearch.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using mMate::SearchResult;
using mMate::SearchStatus;

constexpr double kSecond = 1.0 / 86400.0; ///< [days]
/// Events found to a second, as the pass lists print them.
constexpr double kEventToleranceDays = 1.0 * kSecond;

mMate::TimeFunction counted(std::function<double(double)> f, int& calls)
{
    return [f, &calls](double t) -> std::optional<double> {
        ++calls;
        return f(t);
    };
}

TEST(SearchRoutines, MinimumAndZeroOfPlainFunctions)
{
    int calls = 0;
    const SearchResult minimum = mMate::findMinimum(
        0.0, 5.0, counted([](double t) { return (t - 2.3) * (t - 2.3) + 1.0; }, calls));
    ASSERT_EQ(minimum.status, SearchStatus::Found);
    EXPECT_NEAR(minimum.t, 2.3, 1e-7);
    EXPECT_NEAR(minimum.f, 1.0, 1e-12);

    const SearchResult zero =
        mMate::findZero(1.0, 2.0, counted([](double t) { return std::cos(t); }, calls));
    ASSERT_EQ(zero.status, SearchStatus::Found);
    EXPECT_NEAR(zero.t, 1.5707963267948966, 1e-10);
}

TEST(SearchRoutines, ZeroExactlyAtTheEndStopsAtOnce)
{
    int calls = 0;
    const SearchResult zero =
        mMate::findZero(1.0, 2.0, counted([](double t) { return t - 2.0; }, calls));
    ASSERT_EQ(zero.status, SearchStatus::Found);
    EXPECT_EQ(zero.t, 2.0);
    EXPECT_EQ(calls, 2);
}

TEST(SearchRoutines, WideningGrowsByAQuarterAtLeastOnceAndIsBounded)
{
    int calls = 0;
    // Already of opposite signs: still widened once, by a quarter of b - a.
    SearchResult r =
        mMate::widenUntilSignChange(0.0, 1.0, counted([](double t) { return t - 0.5; }, calls));
    ASSERT_EQ(r.status, SearchStatus::Found);
    EXPECT_EQ(r.t, 1.25);
    // Backwards, as for a rise: b moves away from a on its own side.
    r = mMate::widenUntilSignChange(0.0, -1.0, counted([](double t) { return t + 3.0; }, calls));
    ASSERT_EQ(r.status, SearchStatus::Found);
    EXPECT_LT(r.t, -3.0);
    EXPECT_GT(r.t * 0.8, -3.0); // the widening before did not yet reach the crossing
    // Never a change of sign: 50 widenings, then NotBracketed.
    calls = 0;
    r = mMate::widenUntilSignChange(0.0, 1.0, counted([](double) { return 1.0; }, calls));
    EXPECT_EQ(r.status, SearchStatus::NotBracketed);
    EXPECT_EQ(calls, 51);
}

TEST(SearchRoutines, FailingFunctionEndsTheSearchWithAStatus)
{
    int calls = 0;
    const mMate::TimeFunction failsOnThird = [&calls](double t) -> std::optional<double> {
        if (++calls >= 3)
            return std::nullopt;
        return t * t - 2.0;
    };
    EXPECT_EQ(mMate::findMinimum(-1.0, 2.0, failsOnThird).status, SearchStatus::EvaluationFailed);
    calls = 0;
    EXPECT_EQ(mMate::findZero(0.0, 2.0, failsOnThird).status, SearchStatus::EvaluationFailed);
    calls = 0;
    EXPECT_EQ(mMate::widenUntilSignChange(3.0, 3.5, failsOnThird).status,
              SearchStatus::EvaluationFailed);
}

TEST(SearchRoutines, MinimumSearchGivesUpAfterFiftyIterations)
{
    // A kink far from the start: golden-section steps would need about 100 iterations to
    // shrink a million days to the tolerance.
    int calls = 0;
    const SearchResult r =
        mMate::findMinimum(0.0, 1e6, counted([](double t) { return std::fabs(t - 0.3); }, calls));
    EXPECT_EQ(r.status, SearchStatus::NotConverged);
    EXPECT_EQ(calls, 51);
}

class PassEvents : public sattest::SatelliteStateTest
{
protected:
    static constexpr int kSlot = 2;

    void SetUp() override
    {
        SatelliteStateTest::SetUp();
        ASSERT_EQ(mSat::Estrai_Dati_Satellite(kSlot, "TEST 88888", sattest::k88888Line1,
                                              sattest::k88888Line2),
                  mSat::Status::Ok);
    }

    mMate::PassTarget target{kSlot, 0.0};

    /// Elevation [degrees] by the pure computation, without the slot.
    static double elevation(double jd)
    {
        return mSat::observingState(Satelement[kSlot], Osservatore, Impostazioni, jd,
                                    Posizione_satellite{}, 0)
            .valori.Elevazione;
    }

    /// Coarse scan from the epoch for the first sample of a pass higher than 10 degrees.
    static double highestSampleOfFirstPass()
    {
        const double epoch = Satelement[kSlot].Epoca_giuliana;
        double best = 0, bestElevation = -90;
        for (double jd = epoch; jd < epoch + 2.0; jd += 30 * kSecond) {
            const double e = elevation(jd);
            if (e > bestElevation) {
                bestElevation = e;
                best = jd;
            }
            if (bestElevation > 10.0 && e < 0.0)
                break;
        }
        return best;
    }

    /// Brute force: the first instant from `from` in steps of `step` days at which the
    /// elevation is at or below the minimum elevation.
    double firstBelowMinimum(double from, double step) const
    {
        double jd = from;
        while (elevation(jd) > target.minimumElevationDeg)
            jd += step;
        return jd;
    }
};

TEST_F(PassEvents, RiseCulminationAndSetAgreeWithAFineScanToASecond)
{
    const double sample = highestSampleOfFirstPass();
    double tOpt = 0, fOpt = 0;
    ASSERT_EQ(
        mMate::Cerca_culminazione(target, sample - 30 * kSecond, sample + 30 * kSecond, tOpt, fOpt),
        SearchStatus::Found);
    double bestScan = sample - 30 * kSecond, bestElevation = -90;
    for (double jd = sample - 30 * kSecond; jd <= sample + 30 * kSecond; jd += 0.05 * kSecond) {
        if (elevation(jd) > bestElevation) {
            bestElevation = elevation(jd);
            bestScan = jd;
        }
    }
    EXPECT_NEAR(tOpt, bestScan, kEventToleranceDays);
    EXPECT_NEAR(-fOpt, bestElevation, 1e-6);
    EXPECT_GT(bestElevation, 10.0);

    // Rise: widen backwards from the culmination, then find the crossing.
    double a = tOpt, b = tOpt - 3 * kSecond, tAos = 0, f = 0;
    ASSERT_EQ(mMate::Espandi_intervallo(target, a, b), SearchStatus::Found);
    ASSERT_EQ(mMate::Cerca_orizzonte(target, a, b, tAos, f), SearchStatus::Found);
    EXPECT_NEAR(tAos, firstBelowMinimum(tOpt, -0.1 * kSecond), kEventToleranceDays);
    EXPECT_NEAR(Valori[kSlot].Elevazione, 0.0, 1e-3); // the slot holds the last evaluation

    // Set: widen forwards.
    a = tOpt;
    b = tOpt + 3 * kSecond;
    double tLos = 0;
    ASSERT_EQ(mMate::Espandi_intervallo(target, a, b), SearchStatus::Found);
    ASSERT_EQ(mMate::Cerca_orizzonte(target, a, b, tLos, f), SearchStatus::Found);
    EXPECT_NEAR(tLos, firstBelowMinimum(tOpt, 0.1 * kSecond), kEventToleranceDays);
    EXPECT_GT(tLos - tAos, 3.0 / 1440.0); // a pass of several minutes
}

TEST_F(PassEvents, PassBelowTheMinimumElevationHasAPositiveCulmination)
{
    target.minimumElevationDeg = 89.0;
    const double sample = highestSampleOfFirstPass();
    double tOpt = 0, fOpt = 0;
    ASSERT_EQ(
        mMate::Cerca_culminazione(target, sample - 30 * kSecond, sample + 30 * kSecond, tOpt, fOpt),
        SearchStatus::Found);
    EXPECT_GT(fOpt, 0.0);
    // No crossing follows: the widening gives up instead of running on.
    double a = tOpt, b = tOpt + 3 * kSecond;
    EXPECT_EQ(mMate::Espandi_intervallo(target, a, b), SearchStatus::NotBracketed);
    EXPECT_EQ(b, tOpt + 3 * kSecond);
}

TEST_F(PassEvents, FailedSatelliteComputationIsNoResult)
{
    Satelement[kSlot].Moto_medio = 0.0;
    const double jd = Satelement[kSlot].Epoca_giuliana;
    double t = -1, f = -2, a = jd, b = jd + kSecond;
    EXPECT_EQ(mMate::Cerca_culminazione(target, jd, jd + 0.01, t, f),
              SearchStatus::EvaluationFailed);
    EXPECT_EQ(mMate::Cerca_orizzonte(target, jd, jd + 0.01, t, f), SearchStatus::EvaluationFailed);
    EXPECT_EQ(mMate::Espandi_intervallo(target, a, b), SearchStatus::EvaluationFailed);
    EXPECT_EQ(t, -1);
    EXPECT_EQ(f, -2);
    EXPECT_EQ(b, jd + kSecond);
}

} // namespace

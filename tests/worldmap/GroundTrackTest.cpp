// The principal's ground track: one period either side of the instant, computed on a copy of
// the elements, leaving the slots and the shared time state alone.

#include "ElementSetFixtures.h"

#include "worldmap/GroundTrack.h"

#include "core/ElementSet.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace worldmap;

namespace {

constexpr double kSiderealDaySeconds = 86164.1;

Elemento_satellite issElements()
{
    return mSat::parseElementSet(kIssSet.Riga0, kIssSet.Riga1, kIssSet.Riga2, {}, {}).elements;
}

} // namespace

TEST_F(SharedStateTest, GroundTrackSpansOnePeriodEitherSideAndTouchesNoSlot)
{
    const Elemento_satellite elements = issElements();
    const double now = elements.Epoca_giuliana + 0.25;
    Valori[kPrincipalSlot].Quota = 123;
    mAstro::Data_giuliana = 42;

    const GroundTrack track = groundTrack(elements, Osservatore, Impostazioni, now);
    ASSERT_EQ(track.past.size(), std::size_t(kTrackStepsPerPeriod + 1));
    ASSERT_EQ(track.future.size(), std::size_t(kTrackStepsPerPeriod + 1));
    const std::optional<SubPoint> current = subPointAt(elements, Osservatore, Impostazioni, now);
    ASSERT_TRUE(current);
    // The past part ends and the future part starts at the satellite's place now.
    EXPECT_NEAR(track.past.back().lat, current->place.lat, 1e-6);
    EXPECT_NEAR(track.future.front().lon, current->place.lon, 1e-6);
    // One period on, the orbit is at the same latitude and the Earth has turned under it.
    const double turnDeg = 360.0 * current->periodSeconds / kSiderealDaySeconds;
    for (const auto& [from, to] : {std::pair{track.past.front(), track.past.back()},
                                   std::pair{track.future.front(), track.future.back()}}) {
        EXPECT_NEAR(to.lat, from.lat, 0.5);
        const double west = std::remainder(from.lon - to.lon, 360.0);
        EXPECT_NEAR(west, turnDeg, 1.0);
    }
    EXPECT_DOUBLE_EQ(Valori[kPrincipalSlot].Quota, 123);
    EXPECT_DOUBLE_EQ(mAstro::Data_giuliana, 42);
}

TEST_F(SharedStateTest, GroundTrackOfASetThatCannotBePropagatedIsEmpty)
{
    Elemento_satellite elements = issElements();
    elements.Moto_medio = 0;
    const GroundTrack track = groundTrack(elements, Osservatore, Impostazioni, elements.Epoca_giuliana);
    EXPECT_TRUE(track.past.empty());
    EXPECT_TRUE(track.future.empty());
    EXPECT_FALSE(subPointAt(elements, Osservatore, Impostazioni, elements.Epoca_giuliana));
}

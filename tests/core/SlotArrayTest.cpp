#include "common/satellite_slots.h"

#include <gtest/gtest.h>

TEST(SlotArray, SlotsCountFromOneToTheLastScratchSlot)
{
    EXPECT_FALSE(SlotArray<int>::isSlot(0));
    EXPECT_TRUE(SlotArray<int>::isSlot(kPrincipalSlot));
    EXPECT_TRUE(SlotArray<int>::isSlot(kSecondScratchSlot));
    EXPECT_FALSE(SlotArray<int>::isSlot(kLastSlot + 1));
}

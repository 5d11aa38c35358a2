#include "common/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    struct Case
    {
        double value;
        double expected;
    };
    const Case cases[] = {
        {0.5, 0.0},     {1.5, 2.0},      {2.5, 2.0},  {3.5, 4.0},         {-0.5, -0.0},
        {-1.5, -2.0},   {-2.5, -2.0},    {2.4999, 2}, {2.5001, 3},        {-2.5001, -3},
        {7.0, 7.0},     {1e15 + 0.5, 1e15},           {359.5, 360.0},     {358.5, 358.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(roundHalfEven(c.value), c.expected) << "value " << c.value;
}

TEST(RoundHalfEven, PassesNonFiniteValuesThrough)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(roundHalfEven(inf), inf);
    EXPECT_TRUE(std::isnan(roundHalfEven(std::numeric_limits<double>::quiet_NaN())));
}

} // namespace

// The time grid of the listings: fixed and automatic steps, the first and last instants and
// the number of rows.

#include "core/DateValue.h"
#include "predictions/ListingGrid.h"

#include <gtest/gtest.h>

namespace {

double at(int day, int hour, int minute, int second)
{
    return DateValue::fromDateTime(2024, 3, day, hour, minute, second);
}

struct GridCase
{
    const char* name;
    double start;
    double end;
    double step; ///< 0 automatic
    std::int64_t expectedStep;
    std::int64_t expectedRows;
    double expectedFirst;
    double expectedLast;
};

class ListingGridCases : public ::testing::TestWithParam<GridCase>
{
};

TEST_P(ListingGridCases, FirstRowStepCountAndLastRow)
{
    const GridCase& c = GetParam();
    const std::optional<ListingGrid> grid =
        c.step == 0 ? std::optional(automaticStepGrid(c.start, c.end))
                    : fixedStepGrid(c.start, c.end, c.step);
    ASSERT_TRUE(grid.has_value());
    EXPECT_EQ(grid->stepSeconds, c.expectedStep);
    ASSERT_EQ(grid->rowCount, c.expectedRows);
    EXPECT_EQ(linearSeconds(grid->rowDate(0)), linearSeconds(c.expectedFirst));
    EXPECT_EQ(linearSeconds(grid->rowDate(grid->rowCount - 1)), linearSeconds(c.expectedLast));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ListingGridCases,
    ::testing::Values(
        GridCase{"Given60sWholeSpan", at(1, 12, 0, 0), at(1, 12, 10, 0), 60, 60, 11,
                 at(1, 12, 0, 0), at(1, 12, 10, 0)},
        GridCase{"Given60sLastRowAfterEnd", at(1, 12, 0, 0), at(1, 12, 10, 30), 60, 60, 12,
                 at(1, 12, 0, 0), at(1, 12, 11, 0)},
        GridCase{"SixtyDaysAtOneSecond", at(1, 0, 0, 0), at(31, 0, 0, 0) + 30.0, 1, 1,
                 5184001, at(1, 0, 0, 0), at(31, 0, 0, 0) + 30.0},
        GridCase{"AutoNineMinutes", at(1, 12, 0, 20), at(1, 12, 9, 20), 0, 15, 38,
                 at(1, 12, 0, 15), at(1, 12, 9, 30)},
        GridCase{"AutoTenMinutesFromWholeMinute", at(1, 12, 0, 0), at(1, 12, 9, 0), 0, 30, 19,
                 at(1, 12, 0, 0), at(1, 12, 9, 0)},
        GridCase{"AutoFortyFiveMinutes", at(1, 12, 0, 20), at(1, 12, 45, 20), 0, 60, 46,
                 at(1, 12, 1, 0), at(1, 12, 46, 0)},
        GridCase{"AutoThreeHours", at(1, 12, 0, 20), at(1, 15, 0, 20), 0, 120, 91,
                 at(1, 12, 2, 0), at(1, 15, 2, 0)},
        GridCase{"AutoTwelveHoursExactly", at(1, 12, 0, 0), at(1, 23, 59, 30), 0, 180, 240,
                 at(1, 12, 2, 30), at(1, 23, 59, 30)},
        GridCase{"AutoThirteenHours", at(1, 12, 0, 20), at(2, 1, 0, 20), 0, 180, 261,
                 at(1, 12, 3, 0), at(2, 1, 3, 0)}),
    [](const ::testing::TestParamInfo<GridCase>& param) { return std::string(param.param.name); });

TEST(ListingGrid, StepUnderOneSecondIsRefused)
{
    EXPECT_FALSE(fixedStepGrid(at(1, 12, 0, 0), at(1, 13, 0, 0), 0.4).has_value());
    EXPECT_FALSE(fixedStepGrid(at(1, 12, 0, 0), at(1, 13, 0, 0), -60).has_value());
}

TEST(ListingGrid, AutomaticStepBands)
{
    const std::pair<std::int64_t, std::int64_t> bands[] = {
        {0, 15}, {9, 15}, {10, 30}, {19, 30}, {20, 60}, {59, 60},
        {60, 120}, {719, 120}, {720, 180}, {780, 180}};
    for (const auto& [minutes, step] : bands)
        EXPECT_EQ(automaticStepSeconds(minutes), step) << minutes << " minutes";
}

} // namespace

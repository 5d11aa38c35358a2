#include "core/DateValue.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kOneSecond = 1.0 / DateValue::kSecondsPerDay;

void expectParts(double date, int year, int month, int day, int hour, int minute, int second)
{
    const DateValue::Parts p = DateValue::split(date);
    EXPECT_EQ(p.year, year) << "date value " << date;
    EXPECT_EQ(p.month, month) << "date value " << date;
    EXPECT_EQ(p.day, day) << "date value " << date;
    EXPECT_EQ(p.hour, hour) << "date value " << date;
    EXPECT_EQ(p.minute, minute) << "date value " << date;
    EXPECT_EQ(p.second, second) << "date value " << date;
}

} // namespace

// Serial numbers of the OLE automation date (the day count of VB and spreadsheets).
TEST(DateValue, CountsDaysFromThe30thOfDecember1899)
{
    EXPECT_EQ(DateValue::fromDate(1899, 12, 30), 0.0);
    EXPECT_EQ(DateValue::fromDate(1900, 1, 1), 2.0);
    EXPECT_EQ(DateValue::fromDate(1900, 3, 1), 61.0); // 1900 is no leap year
    EXPECT_EQ(DateValue::fromDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(DateValue::fromDateTime(2000, 1, 1, 18, 0, 0), 36526.75);
}

TEST(DateValue, OutOfRangeMonthsAndDaysRollOverLikeDateSerial)
{
    EXPECT_EQ(DateValue::fromDate(2000, 13, 1), DateValue::fromDate(2001, 1, 1));
    EXPECT_EQ(DateValue::fromDate(2000, 0, 1), DateValue::fromDate(1999, 12, 1));
    EXPECT_EQ(DateValue::fromDate(2000, 3, 0), DateValue::fromDate(2000, 2, 29));
    EXPECT_EQ(DateValue::fromDate(2001, 1, 0), DateValue::fromDate(2000, 12, 31));
    EXPECT_EQ(DateValue::fromDate(2000, 1, 366), DateValue::fromDate(2000, 12, 31));
    EXPECT_EQ(DateValue::fromDateTime(2000, 1, 1, 24, 0, 60),
              DateValue::fromDateTime(2000, 1, 2, 0, 1, 0));
}

TEST(DateValue, SplitReturnsThePartsItWasMadeFrom)
{
    for (int year : {1900, 1999, 2000, 2024, 2100}) {
        for (int month = 1; month <= 12; ++month) {
            for (int day : {1, 15, 28}) {
                const double date = DateValue::fromDateTime(year, month, day, 23, 59, 59);
                expectParts(date, year, month, day, 23, 59, 59);
            }
        }
    }
}

TEST(DateValue, SplitRoundsToTheNearestSecondAndCarriesIntoTheNextDay)
{
    const double lastSecond = DateValue::fromDateTime(2000, 12, 31, 23, 59, 59);
    expectParts(lastSecond + 0.4 * kOneSecond, 2000, 12, 31, 23, 59, 59);
    expectParts(lastSecond + 0.6 * kOneSecond, 2001, 1, 1, 0, 0, 0);
}

TEST(DateValue, SplitHoldsDatesBeyondTheCalendarAtItsEnds)
{
    for (double late : {2958466.0, 1e300, HUGE_VAL})
        expectParts(late, 9999, 12, 31, 23, 59, 59);
    for (double early : {-657435.0, -1e300, -HUGE_VAL})
        expectParts(early, 100, 1, 1, 0, 0, 0);
    expectParts(std::nan(""), 1899, 12, 30, 0, 0, 0);
}

TEST(DateValue, WeekdayCountsFromSundayAndDayOfYearFromFirstJanuary)
{
    EXPECT_EQ(DateValue::split(0).weekday, 7);                               // Saturday
    EXPECT_EQ(DateValue::split(DateValue::fromDate(2000, 1, 1)).weekday, 7); // Saturday
    EXPECT_EQ(DateValue::split(DateValue::fromDate(2024, 1, 1)).weekday, 2); // Monday
    EXPECT_EQ(DateValue::split(DateValue::fromDate(2024, 3, 3)).weekday, 1); // Sunday

    EXPECT_EQ(DateValue::split(DateValue::fromDate(2000, 1, 1)).dayOfYear, 1);
    EXPECT_EQ(DateValue::split(DateValue::fromDate(2000, 3, 1)).dayOfYear, 61);
    EXPECT_EQ(DateValue::split(DateValue::fromDate(2000, 12, 31)).dayOfYear, 366);
    EXPECT_EQ(DateValue::split(DateValue::fromDate(1999, 12, 31)).dayOfYear, 365);
}

// Before the epoch the OLE form keeps the fraction positive: -1.25 is 29 December 06:00.
TEST(DateValue, DatesBeforeTheEpochKeepAForwardTimeOfDay)
{
    EXPECT_EQ(DateValue::fromDateTime(1899, 12, 29, 6, 0, 0), -1.25);
    expectParts(-1.25, 1899, 12, 29, 6, 0, 0);
    EXPECT_EQ(DateValue::addHours(-1.25, 24), 0.25);
    EXPECT_EQ(DateValue::addHours(0.25, -12), -1.75);
    expectParts(-1.75, 1899, 12, 29, 18, 0, 0);
    EXPECT_EQ(DateValue::toLinearDays(-1.25), -0.75);
    EXPECT_EQ(DateValue::fromLinearDays(-0.75), -1.25);
}

TEST(DateValue, DateAddsCarryAcrossUnitsAndRoundFractionalCounts)
{
    const double noon = DateValue::fromDateTime(2000, 2, 28, 12, 0, 0);
    expectParts(DateValue::addMinutes(noon, 12 * 60), 2000, 2, 29, 0, 0, 0);
    expectParts(DateValue::addMinutes(noon, 36 * 60), 2000, 3, 1, 0, 0, 0);
    expectParts(DateValue::addSeconds(DateValue::fromDateTime(2000, 1, 1, 12, 0, 0), 60), 2000, 1,
                1, 12, 1, 0);
    expectParts(DateValue::addMinutes(noon, -(5.75f * 60.0f)), 2000, 2, 28, 6, 15, 0);
    EXPECT_EQ(DateValue::addMinutes(noon, 0.4), noon);
    EXPECT_EQ(DateValue::addDays(noon, 1), DateValue::fromDateTime(2000, 2, 29, 12, 0, 0));
}

#include "core/DateValue.h"
#include "core/mAstro.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using mAstro::RiseSetDay;
using mAstro::RiseSetEvent;
using mAstro::RiseSetStatus;

// Published almanac times are given to the minute, for the same convention of the horizon.
constexpr int kPublishedTimeToleranceMinutes = 2;

constexpr double kMilanoLatitude = 45.47;
constexpr double kMilanoLongitude = 9.19;
constexpr double kSondrioLatitude = 46.0 + 10.0 / 60.0;
constexpr double kSondrioLongitude = 9.0 + 52.0 / 60.0;
// The zone argument is west positive: Central European Time and its summer time.
constexpr double kCet = -1.0;
constexpr double kCest = -2.0;

int minutesOfDay(const RiseSetEvent& event)
{
    return event.hour * 60 + event.minute;
}

struct PublishedDay
{
    const char* what;
    double latitude, longitude, zone;
    int year, month, day;
    int riseHour, riseMinute, setHour, setMinute;
};

void expectPublishedTimes(const PublishedDay& c, const RiseSetDay& day)
{
    ASSERT_TRUE(day.rise.occurred) << c.what;
    ASSERT_TRUE(day.set.occurred) << c.what;
    EXPECT_EQ(day.status, RiseSetStatus::BothEvents) << c.what;
    EXPECT_NEAR(minutesOfDay(day.rise), c.riseHour * 60 + c.riseMinute,
                kPublishedTimeToleranceMinutes)
        << c.what << ": rise " << day.rise.hour << ":" << day.rise.minute;
    EXPECT_NEAR(minutesOfDay(day.set), c.setHour * 60 + c.setMinute, kPublishedTimeToleranceMinutes)
        << c.what << ": set " << day.set.hour << ":" << day.set.minute;
}

RiseSetDay sunInMilano(int year, int month, int day, double zone = kCet)
{
    return mAstro::Sorge_tramonta_sole(kMilanoLatitude, kMilanoLongitude, zone,
                                       DateValue::fromDate(year, month, day));
}

} // namespace

// Milano (45.46 N, 9.19 E), sunrise and sunset on the first of the month in 2025, as
// tabulated by whattime.city/milan/sun (upper limb with standard refraction).
TEST(SunRiseSet, MilanoMatchesPublishedTimes)
{
    const PublishedDay cases[] = {
        {"Milano 1 January", kMilanoLatitude, kMilanoLongitude, kCet, 2025, 1, 1, 8, 4, 16, 51},
        {"Milano 1 June", kMilanoLatitude, kMilanoLongitude, kCest, 2025, 6, 1, 5, 39, 21, 5},
        {"Milano 1 December", kMilanoLatitude, kMilanoLongitude, kCet, 2025, 12, 1, 7, 43, 16, 43},
        // Circolo Astrofili di Milano (G. M. Caglieris), ephemerides for Sondrio
        // (46d10m N, 9d52m E), Gazzetta di Sondrio, May 2009.
        {"Sondrio 10 May 2009", kSondrioLatitude, kSondrioLongitude, kCest, 2009, 5, 10, 5, 54, 20,
         40},
    };
    for (const PublishedDay& c : cases)
        expectPublishedTimes(
            c, mAstro::Sorge_tramonta_sole(c.latitude, c.longitude, c.zone,
                                           DateValue::fromDate(c.year, c.month, c.day)));
}

TEST(SunRiseSet, RiseAndSetAzimuthsMirrorAboutTheMeridian)
{
    for (int month = 1; month <= 12; ++month) {
        const RiseSetDay day = sunInMilano(2025, month, 15);
        EXPECT_GT(day.rise.azimuthDeg, 0.0);
        EXPECT_LT(day.rise.azimuthDeg, 180.0) << "month " << month;
        EXPECT_GT(day.set.azimuthDeg, 180.0) << "month " << month;
        EXPECT_NEAR(day.rise.azimuthDeg + day.set.azimuthDeg, 360.0, 1.0) << "month " << month;
    }
    // June solstice (declination 23.44): cos A = (sin dec - sin lat sin h) / (cos lat cos h)
    // with the Sun's centre at h = -0.833 degrees gives 54.40 degrees.
    EXPECT_NEAR(sunInMilano(2025, 6, 21).rise.azimuthDeg, 54.40, 0.1);
}

// The day count switches calendar at 1583: the Julian 31 December 1582 is the Gregorian
// 10 January 1583, so both give the same sunset.
TEST(SunRiseSet, DatesBefore1583CountInTheJulianCalendar)
{
    const RiseSetDay julian = sunInMilano(1582, 12, 31);
    const RiseSetDay gregorian = sunInMilano(1583, 1, 10);
    EXPECT_NEAR(minutesOfDay(julian.set), minutesOfDay(gregorian.set), 1);
    EXPECT_GT(minutesOfDay(gregorian.set) - minutesOfDay(sunInMilano(1583, 1, 1).set), 5);
}

// Tromso (69.65 N, 18.96 E) has midnight sun at the June solstice and polar night at the
// December one; the event outputs stay untouched.
TEST(SunRiseSet, PolarDayAndNightReportTheirStatus)
{
    const RiseSetDay summer =
        mAstro::Sorge_tramonta_sole(69.65, 18.96, kCest, DateValue::fromDate(2020, 6, 21));
    EXPECT_EQ(summer.status, RiseSetStatus::AlwaysAbove);
    EXPECT_FALSE(summer.rise.occurred);
    EXPECT_FALSE(summer.set.occurred);
    const RiseSetDay winter =
        mAstro::Sorge_tramonta_sole(69.65, 18.96, kCet, DateValue::fromDate(2020, 12, 21));
    EXPECT_EQ(winter.status, RiseSetStatus::AlwaysBelow);
    EXPECT_FALSE(winter.rise.occurred);
    EXPECT_FALSE(winter.set.occurred);
}

// A sunset in the last half minute of the local day is shown as 24:00. The zone is moved
// second by second until the sunset leaves the day.
TEST(SunRiseSet, EventInTheLastHalfMinuteIsHour24)
{
    bool sawMidnight = false;
    int previous = -1;
    for (double zone = -4.85; zone > -5.0; zone -= 1.0 / 3600.0) {
        const RiseSetDay day = sunInMilano(2025, 6, 1, zone);
        if (!day.set.occurred) {
            EXPECT_EQ(day.status, RiseSetStatus::NoSet);
            break;
        }
        EXPECT_LE(day.set.hour, 24);
        EXPECT_LT(day.set.minute, 60);
        if (day.set.hour == 24) {
            EXPECT_EQ(day.set.minute, 0);
            sawMidnight = true;
        }
        EXPECT_GE(minutesOfDay(day.set), previous) << "zone " << zone;
        previous = minutesOfDay(day.set);
    }
    EXPECT_TRUE(sawMidnight);
}

// Circolo Astrofili di Milano (G. M. Caglieris), ephemerides for Sondrio, Gazzetta di
// Sondrio, March 2008 and May 2009.
TEST(MoonRiseSet, SondrioMatchesPublishedTimes)
{
    const PublishedDay cases[] = {
        {"20 March 2008", kSondrioLatitude, kSondrioLongitude, kCet, 2008, 3, 20, 17, 26, 5, 43},
        {"30 March 2008", kSondrioLatitude, kSondrioLongitude, kCest, 2008, 3, 30, 3, 48, 11, 56},
        {"10 May 2009", kSondrioLatitude, kSondrioLongitude, kCest, 2009, 5, 10, 22, 37, 6, 5},
        {"20 May 2009", kSondrioLatitude, kSondrioLongitude, kCest, 2009, 5, 20, 3, 8, 16, 20},
    };
    for (const PublishedDay& c : cases)
        expectPublishedTimes(
            c, mAstro::Sorge_tramonta_luna(c.latitude, c.longitude, c.zone,
                                           DateValue::fromDate(c.year, c.month, c.day)));
}

// The Moon rises about 50 minutes later each day, so roughly once a month a day has no
// moonrise and once no moonset; the status then names the missing event.
TEST(MoonRiseSet, DaysWithoutOneEventNameTheMissingOne)
{
    int noRise = 0, noSet = 0;
    for (int day = 1; day <= 60; ++day) {
        const RiseSetDay d = mAstro::Sorge_tramonta_luna(kMilanoLatitude, kMilanoLongitude, kCet,
                                                         DateValue::fromDate(2025, 1, day));
        switch (d.status) {
        case RiseSetStatus::BothEvents:
            EXPECT_TRUE(d.rise.occurred && d.set.occurred) << "January " << day;
            break;
        case RiseSetStatus::NoRise:
            ++noRise;
            EXPECT_TRUE(!d.rise.occurred && d.set.occurred) << "January " << day;
            break;
        case RiseSetStatus::NoSet:
            ++noSet;
            EXPECT_TRUE(d.rise.occurred && !d.set.occurred) << "January " << day;
            break;
        default:
            ADD_FAILURE() << "the Moon cannot stay up or down all day at 45 N, January " << day;
        }
    }
    EXPECT_GE(noRise, 1);
    EXPECT_LE(noRise, 3);
    EXPECT_GE(noSet, 1);
    EXPECT_LE(noSet, 3);
}

TEST(HourCrossing, FindsTheRootInsideTheHour)
{
    // (E - 0.3)(E + 2) sampled at 0, 0.5 and 1.
    EXPECT_NEAR(*mAstro::quadraticCrossing(-0.6, 0.5, 2.1), 0.3, 1e-12);
    // (E - 0.4)(E - 3): the first root lies outside the hour, the second is taken.
    EXPECT_NEAR(*mAstro::quadraticCrossing(1.2, -0.25, -1.2), 0.4, 1e-12);
    EXPECT_FALSE(mAstro::quadraticCrossing(1.0, 1.25, 2.0).has_value()); // E^2 + 1
}

// Three altitudes on a straight line used to divide by zero in the quadratic formula.
TEST(HourCrossing, StraightLineTakesTheLinearRoot)
{
    EXPECT_DOUBLE_EQ(*mAstro::quadraticCrossing(-0.25, 0.25, 0.75), 0.25);
    EXPECT_DOUBLE_EQ(*mAstro::quadraticCrossing(1.0, 0.0, -1.0), 0.5);
    EXPECT_FALSE(mAstro::quadraticCrossing(0.0, 0.0, 0.0).has_value());
}

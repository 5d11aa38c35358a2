#include "AstroTestSupport.h"

#include "core/DateValue.h"
#include "core/mAstro.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kJulianDayTolerance = 1e-9;     // the rule is exact in whole and half days
constexpr double kSiderealToleranceHours = 1e-5; // 0.036 s: series vs Meeus' worked values
constexpr double kOneSecondDays = 1.0 / 86400.0;

struct JulianDayCase
{
    double year, month, day, julianDay;
};

} // namespace

// Meeus, Astronomical Algorithms (2nd ed.), ch. 7, Examples 7.a and 7.b and the table of
// Julian days that follows them.
TEST(CalendarToJulianDay, MatchesMeeusWorkedValues)
{
    const JulianDayCase cases[] = {
        {2000, 1, 1.5, 2451545.0},   {1957, 10, 4.81, 2436116.31}, {333, 1, 27.5, 1842713.0},
        {1999, 1, 1.0, 2451179.5},   {1987, 1, 27.0, 2446822.5},   {1987, 6, 19.5, 2446966.0},
        {1988, 1, 27.0, 2447187.5},  {1988, 6, 19.5, 2447332.0},   {1900, 1, 1.0, 2415020.5},
        {1600, 1, 1.0, 2305447.5},   {1600, 12, 31.0, 2305812.5},  {837, 4, 10.3, 2026871.8},
        {-1000, 7, 12.5, 1356001.0}, {-4712, 1, 1.5, 0.0},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(mAstro::Calcola_giorno_giuliano(c.year, c.month, c.day), c.julianDay, 1e-6)
            << c.year << "-" << c.month << "-" << c.day;
}

TEST(CalendarToJulianDay, GregorianReformSkipsTenDays)
{
    EXPECT_NEAR(mAstro::Calcola_giorno_giuliano(1582, 10, 15), 2299160.5, kJulianDayTolerance);
    EXPECT_NEAR(mAstro::Calcola_giorno_giuliano(1582, 10, 4), 2299159.5, kJulianDayTolerance);
}

TEST(CalendarToJulianDay, DayIsLinearSoDayOfYearEpochsWork)
{
    EXPECT_NEAR(mAstro::Calcola_giorno_giuliano(2000, 1, 32),
                mAstro::Calcola_giorno_giuliano(2000, 2, 1), kJulianDayTolerance);
    EXPECT_NEAR(mAstro::Calcola_giorno_giuliano(2001, 1, 365.25),
                mAstro::Calcola_giorno_giuliano(2001, 12, 31.25), kJulianDayTolerance);
}

class TimeScales : public SharedAstroStateTest
{
};

TEST_F(TimeScales, JulianDayToLocalDateAppliesZoneAndDaylightSaving)
{
    Osservatore.Fuso_orario = 0;
    Osservatore.Ora_legale = 0;
    EXPECT_EQ(mAstro::Data_da_giuliano(2451545.0), DateValue::fromDateTime(2000, 1, 1, 12, 0, 0));
    Osservatore.Fuso_orario = 1;
    Osservatore.Ora_legale = 1;
    EXPECT_EQ(mAstro::Data_da_giuliano(2451545.0), DateValue::fromDateTime(2000, 1, 1, 14, 0, 0));
    EXPECT_EQ(mAstro::utDateFromJulian(2299160.5), DateValue::fromDate(1582, 10, 15));
}

TEST_F(TimeScales, SecondsRoundingToSixtyCarryIntoTheNextMinute)
{
    Osservatore.Fuso_orario = 0;
    Osservatore.Ora_legale = 0;
    const double julianDay = 2451545.0 + 59.7 * kOneSecondDays;
    EXPECT_EQ(mAstro::Data_da_giuliano(julianDay), DateValue::fromDateTime(2000, 1, 1, 12, 1, 0));
}

TEST_F(TimeScales, LocalInstantSurvivesTheRoundTripThroughTheJulianDay)
{
    const float zones[] = {0.0f, 1.0f, 5.5f, 5.75f, -3.5f, -10.0f};
    for (const float zone : zones) {
        for (const std::uint8_t saving : {std::uint8_t{0}, std::uint8_t{1}}) {
            Osservatore.Fuso_orario = zone;
            Osservatore.Ora_legale = saving;
            for (int day = 0; day < 800; day += 37) {
                const double local = DateValue::fromDateTime(1999, 12, 31 + day, day % 24,
                                                             (day * 7) % 60, (day * 13) % 60);
                const mAstro::TimeState t = mAstro::timeStateAt(local, Osservatore);
                EXPECT_NEAR(mAstro::Data_da_giuliano(t.Data_giuliana), local, 1.01 * kOneSecondDays)
                    << "zone " << zone << " saving " << int(saving) << " day " << day;
            }
        }
    }
}

TEST_F(TimeScales, HalfAndQuarterHourZonesShiftUniversalTimeByWholeMinutes)
{
    const double local = DateValue::fromDateTime(2010, 6, 1, 12, 0, 0);
    Osservatore.Fuso_orario = 5.5f;
    EXPECT_EQ(mAstro::timeStateAt(local, Osservatore).Data_greenwich,
              DateValue::fromDateTime(2010, 6, 1, 6, 30, 0));
    Osservatore.Fuso_orario = 5.75f;
    EXPECT_EQ(mAstro::timeStateAt(local, Osservatore).Data_greenwich,
              DateValue::fromDateTime(2010, 6, 1, 6, 15, 0));
}

TEST_F(TimeScales, CalcolaTempiFillsTheStateForTheSharedObserver)
{
    Osservatore = milano();
    Osservatore.Ora_legale = 1;
    // 00:30 local on 1 January is 22:30 UT on the last day of the year before.
    mAstro::Calcola_tempi(DateValue::fromDateTime(2000, 1, 1, 0, 30, 0));

    EXPECT_EQ(mAstro::Anno_greenwich, 1999);
    EXPECT_EQ(mAstro::Mese_greenwich, 12);
    EXPECT_EQ(mAstro::Giorno_greenwich, 31);
    EXPECT_EQ(mAstro::Anno_locale, 2000);
    EXPECT_EQ(mAstro::Giorno_anno, 365);
    EXPECT_EQ(mAstro::Giorno_anno_locale, 1);
    EXPECT_DOUBLE_EQ(mAstro::Ora_greenwich, 22.5);
    EXPECT_DOUBLE_EQ(mAstro::Ora_locale, 0.5);
    EXPECT_NEAR(mAstro::Data_giuliana, 2451544.4375, kJulianDayTolerance);
    EXPECT_NEAR(mAstro::Data_giuliana_0h, 2451543.5, kJulianDayTolerance);
    EXPECT_NEAR(std::fmod(mAstro::Tempo_siderale + 9.19f / 15.0 + 24.0, 24.0),
                mAstro::Tempo_siderale_locale, 1e-12);
}

TEST_F(TimeScales, ZeroHourJulianDateEndsInAHalfDay)
{
    Osservatore = Dati_osservatore{};
    mAstro::TimeState t =
        mAstro::timeStateAt(DateValue::fromDateTime(2000, 1, 1, 12, 0, 0), Osservatore);
    EXPECT_NEAR(t.Data_giuliana, 2451545.0, kJulianDayTolerance);
    EXPECT_NEAR(t.Data_giuliana_0h, 2451544.5, kJulianDayTolerance);
    t = mAstro::timeStateAt(DateValue::fromDate(2000, 1, 1), Osservatore);
    EXPECT_NEAR(t.Data_giuliana, 2451544.5, kJulianDayTolerance);
    EXPECT_NEAR(t.Data_giuliana_0h, 2451544.5, kJulianDayTolerance);
    t = mAstro::timeStateAt(DateValue::fromDateTime(2000, 12, 31, 23, 59, 59), Osservatore);
    EXPECT_EQ(t.Giorno_anno, 366);
    EXPECT_NEAR(t.Data_giuliana_0h, 2451909.5, kJulianDayTolerance);
}

// Meeus, Astronomical Algorithms, Examples 12.a and 12.b: mean sidereal time at Greenwich on
// 1987 April 10 at 0 h UT is 13h10m46.3668s, at 19h21m00s UT 8h34m57.0896s.
TEST_F(TimeScales, GreenwichSiderealTimeMatchesMeeus)
{
    Osservatore = Dati_osservatore{};
    Osservatore.Longitudine_osservatore = -77.0f;
    mAstro::TimeState t = mAstro::timeStateAt(DateValue::fromDate(1987, 4, 10), Osservatore);
    EXPECT_NEAR(t.Tempo_siderale, 13.0 + 10.0 / 60 + 46.3668 / 3600, kSiderealToleranceHours);
    t = mAstro::timeStateAt(DateValue::fromDateTime(1987, 4, 10, 19, 21, 0), Osservatore);
    const double greenwich = 8.0 + 34.0 / 60 + 57.0896 / 3600;
    EXPECT_NEAR(t.Tempo_siderale, greenwich, kSiderealToleranceHours);
    EXPECT_NEAR(t.Tempo_siderale_locale, greenwich - 77.0 / 15.0, kSiderealToleranceHours);
}

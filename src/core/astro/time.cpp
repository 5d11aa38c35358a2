#include "core/mAstro.h"

#include "core/DateValue.h"
#include "core/mMate.h"

#include <cmath>

namespace mAstro {
namespace {

// Start of the Gregorian calendar as the date number year + month / 100 + day / 10000.
constexpr double kGregorianDateNumber = 1582.1015;
// First Julian day number of the Gregorian calendar (1582-10-15).
constexpr double kGregorianJulianDay = 2299161.0;
constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerJulianCentury = 36525.0;

struct CalendarParts
{
    double year = 0;
    double month = 0;
    double day = 0;
    double hours = 0; ///< time of day [decimal hours]
    std::int16_t dayOfYear = 0;
};

CalendarParts calendarParts(double date)
{
    const DateValue::Parts p = DateValue::split(date);
    CalendarParts c;
    c.year = p.year;
    c.month = p.month;
    c.day = p.day;
    c.hours = p.hour + (p.minute + p.second / 60.0) / 60.0;
    c.dayOfYear = static_cast<std::int16_t>(p.dayOfYear);
    return c;
}

} // namespace

double zoneOffsetMinutes(const Dati_osservatore& observer)
{
    return static_cast<double>((static_cast<float>(observer.Ora_legale) + observer.Fuso_orario) *
                               60.0f);
}

TimeState timeStateAt(double localDate, const Dati_osservatore& observer)
{
    TimeState t;
    t.Data_locale = localDate;
    t.Data_greenwich = DateValue::addMinutes(localDate, -zoneOffsetMinutes(observer));

    const CalendarParts ut = calendarParts(t.Data_greenwich);
    const CalendarParts local = calendarParts(t.Data_locale);
    t.Anno_greenwich = ut.year;
    t.Mese_greenwich = ut.month;
    t.Giorno_greenwich = ut.day;
    t.Anno_locale = local.year;
    t.Mese_locale = local.month;
    t.Giorno_locale = local.day;
    t.Ora_greenwich = ut.hours;
    t.Ora_locale = local.hours;
    t.Giorno_anno = ut.dayOfYear;
    t.Giorno_anno_locale = local.dayOfYear;

    t.Data_giuliana = Calcola_giorno_giuliano(t.Anno_greenwich, t.Mese_greenwich,
                                              t.Giorno_greenwich + t.Ora_greenwich / 24.0);
    const double wholeDays = std::floor(t.Data_giuliana);
    t.Data_giuliana_0h = t.Data_giuliana - wholeDays >= 0.5 ? wholeDays + 0.5 : wholeDays - 0.5;

    // Greenwich mean sidereal time at 0 h UT, then advanced by the sidereal rate.
    const double centuries = (t.Data_giuliana_0h - kJ2000) / kDaysPerJulianCentury;
    const double siderealAt0h = mMate::Modulo(
        6.697374558 + 2400.051336 * centuries + 0.000025862 * centuries * centuries, 24.0);
    t.Tempo_siderale = mMate::Modulo(siderealAt0h + 1.002737909 * t.Ora_greenwich, 24.0);
    t.Tempo_siderale_locale = mMate::Modulo(
        t.Tempo_siderale + static_cast<double>(observer.Longitudine_osservatore) / 15.0, 24.0);
    return t;
}

void Calcola_tempi(double localDate)
{
    const TimeState t = timeStateAt(localDate, Osservatore);
    Data_locale = t.Data_locale;
    Data_greenwich = t.Data_greenwich;
    Anno_greenwich = t.Anno_greenwich;
    Mese_greenwich = t.Mese_greenwich;
    Giorno_greenwich = t.Giorno_greenwich;
    Anno_locale = t.Anno_locale;
    Mese_locale = t.Mese_locale;
    Giorno_locale = t.Giorno_locale;
    Ora_greenwich = t.Ora_greenwich;
    Ora_locale = t.Ora_locale;
    Giorno_anno = t.Giorno_anno;
    Giorno_anno_locale = t.Giorno_anno_locale;
    Data_giuliana = t.Data_giuliana;
    Data_giuliana_0h = t.Data_giuliana_0h;
    Tempo_siderale = t.Tempo_siderale;
    Tempo_siderale_locale = t.Tempo_siderale_locale;
}

double Calcola_giorno_giuliano(double year, double month, double day)
{
    double y = year;
    double m = month;
    if (month <= 2) {
        y = year - 1;
        m = month + 12;
    }
    const double dateNumber = year + month / 100.0 + day / 10000.0;
    double gregorianCorrection = 0;
    if (dateNumber >= kGregorianDateNumber) {
        const double centuries = std::floor(y / 100.0);
        gregorianCorrection = 2.0 - centuries + std::floor(centuries / 4.0);
    }
    const double yearDays = y < 0 ? std::trunc(365.25 * y - 0.75) : std::floor(365.25 * y);
    const double monthDays = std::floor(30.6001 * (m + 1.0));
    return yearDays + gregorianCorrection + monthDays + day + 1720994.5;
}

double utDateFromJulian(double julianDay)
{
    // Meeus, Astronomical Algorithms, ch. 7.
    const double z = std::floor(julianDay + 0.5);
    const double f = julianDay + 0.5 - z;
    double a = z;
    if (z >= kGregorianJulianDay) {
        const double alpha = std::floor((z - 1867216.25) / 36524.25);
        a = z + 1.0 + alpha - std::floor(alpha / 4.0);
    }
    const double b = a + 1524.0;
    const double c = std::floor((b - 122.1) / 365.25);
    const double d = std::floor(365.25 * c);
    const double e = std::floor((b - d) / 30.6001);

    double day = b - d + f - std::floor(30.6001 * e);
    // The day is cut, not rounded, to 1e-5 day (0.864 s) before it is split into hours,
    // minutes and seconds, so the instant may come out up to a second before the exact one.
    day = std::floor(day * 100000.0) / 100000.0;
    const double month = e < 13.5 ? e - 1.0 : e - 13.0;
    const double year = month > 2.5 ? c - 4716.0 : c - 4715.0;

    const double dayFraction = day - std::floor(day);
    day = std::floor(day);
    const double hours = std::floor(24.0 * dayFraction);
    const double minutes = std::floor((24.0 * dayFraction - hours) * 60.0);
    // Rounded to a whole second, so it may be 60: the date-add carries it into the minute.
    const double seconds =
        mMate::roundLikeFormat(((24.0 * dayFraction - hours) * 60.0 - minutes) * 60.0);

    double instant =
        DateValue::fromDate(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day));
    instant = DateValue::addHours(instant, hours);
    instant = DateValue::addMinutes(instant, minutes);
    return DateValue::addSeconds(instant, seconds);
}

double Data_da_giuliano(double julianDay)
{
    return DateValue::addMinutes(utDateFromJulian(julianDay), zoneOffsetMinutes(Osservatore));
}

} // namespace mAstro

#include "core/DateValue.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace DateValue {
namespace {

// Day count of a proleptic Gregorian date relative to 1970-01-01, by the era method
// (400-year cycles of 146097 days, years taken from March so the leap day is last).
std::int64_t daysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day)
{
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t monthFromMarch = month > 2 ? month - 3 : month + 9;
    const std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct Civil
{
    std::int64_t year;
    int month;
    int day;
};

Civil civilFromDays(std::int64_t days)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const int month =
        static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

const std::int64_t kEpochDays = daysFromCivil(1899, 12, 30);

// The calendar's first and last instants: 100-01-01 00:00 and 9999-12-31 23:59:59.
constexpr double kFirstDate = -657434.0;
constexpr double kLastDate = 2958465.0 + 86399.0 / 86400.0;

// Whole days since the epoch of a date whose month and day may be out of range.
std::int64_t serialDay(int year, int month, int day)
{
    const std::int64_t monthIndex = static_cast<std::int64_t>(year) * 12 + (month - 1);
    const std::int64_t normalYear = monthIndex >= 0 ? monthIndex / 12 : (monthIndex - 11) / 12;
    const std::int64_t normalMonth = monthIndex - normalYear * 12 + 1;
    return daysFromCivil(normalYear, normalMonth, 1) + (day - 1) - kEpochDays;
}

} // namespace

double toLinearDays(double date)
{
    const double day = std::trunc(date);
    return day + std::fabs(date - day);
}

double fromLinearDays(double linearDays)
{
    const double day = std::floor(linearDays);
    const double fraction = linearDays - day;
    return day >= 0 ? linearDays : day - fraction;
}

double fromDate(int year, int month, int day)
{
    return static_cast<double>(serialDay(year, month, day));
}

double fromDateTime(int year, int month, int day, int hour, int minute, double second)
{
    const double linear =
        fromDate(year, month, day) + (hour * 3600.0 + minute * 60.0 + second) / kSecondsPerDay;
    return fromLinearDays(linear);
}

Parts split(double date)
{
    // Guard: the whole days go through integer arithmetic; a date that is not a number or lies
    // beyond the years 100 to 9999 would overflow it, so it is held to the calendar's ends.
    if (!std::isfinite(date))
        date = std::isnan(date) ? 0.0 : date > 0 ? kLastDate : kFirstDate;
    const double linear = std::clamp(toLinearDays(date), toLinearDays(kFirstDate), kLastDate);
    double wholeDays = std::floor(linear);
    auto seconds = static_cast<std::int64_t>(std::round((linear - wholeDays) * kSecondsPerDay));
    if (seconds >= static_cast<std::int64_t>(kSecondsPerDay)) {
        seconds -= static_cast<std::int64_t>(kSecondsPerDay);
        wholeDays += 1;
    }
    const auto days = static_cast<std::int64_t>(wholeDays);
    const Civil civil = civilFromDays(days + kEpochDays);

    Parts parts;
    parts.year = static_cast<int>(civil.year);
    parts.month = civil.month;
    parts.day = civil.day;
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    // The epoch day 1899-12-30 was a Saturday (7).
    parts.weekday = static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
    parts.dayOfYear = static_cast<int>(days - serialDay(parts.year, 1, 0));
    return parts;
}

double addDays(double date, double days)
{
    return fromLinearDays(toLinearDays(date) + std::nearbyint(days));
}

double addHours(double date, double hours)
{
    return fromLinearDays(toLinearDays(date) + std::nearbyint(hours) / kHoursPerDay);
}

double addMinutes(double date, double minutes)
{
    return fromLinearDays(toLinearDays(date) + std::nearbyint(minutes) / kMinutesPerDay);
}

double addSeconds(double date, double seconds)
{
    return fromLinearDays(toLinearDays(date) + std::nearbyint(seconds) / kSecondsPerDay);
}

double datePart(double date)
{
    return std::trunc(date);
}

double intPart(double x)
{
    return std::floor(x);
}

double fixPart(double x)
{
    return std::trunc(x);
}

} // namespace DateValue

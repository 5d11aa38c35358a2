#pragma once
// Date values: the program's calendar instants as plain doubles, counted in days since
// 1899-12-30 00:00, as OLE automation dates count them.
// The whole part is the day, the fraction the time of day. Dates before the epoch keep the
// OLE convention: the whole part is negative and the fraction still counts forward from
// that day's midnight, so -1.25 is 1899-12-29 06:00 (not 1899-12-28 18:00). Arithmetic
// between instants must therefore go through toLinearDays / fromLinearDays (the add*
// helpers do); for every date after 1899-12-30 the two forms are the same number.
// The calendar is the proleptic Gregorian one throughout.

namespace DateValue {

inline constexpr double kSecondsPerDay = 86400.0;
inline constexpr double kMinutesPerDay = 1440.0;
inline constexpr double kHoursPerDay = 24.0;

/// Calendar parts of a date value, rounded to the nearest whole second.
struct Parts
{
    int year = 1899;
    int month = 12;      ///< 1..12
    int day = 30;        ///< 1..31
    int hour = 0;        ///< 0..23
    int minute = 0;      ///< 0..59
    int second = 0;      ///< 0..59
    int weekday = 7;     ///< 1 Sunday .. 7 Saturday
    int dayOfYear = 364; ///< 1 January = 1
};

/// Midnight of a calendar date. Months and days out of range roll over like VB's
/// DateSerial: month 13 is January of the next year, day 0 the last day of the month before.
[[nodiscard]] double fromDate(int year, int month, int day);

/// A calendar date and time of day. Out-of-range parts roll over into the next unit.
[[nodiscard]] double fromDateTime(int year, int month, int day, int hour, int minute,
                                  double second);

/// Calendar parts; the time is rounded to the nearest second, which may carry into the
/// next day (23:59:59.6 reads as 00:00:00 of the day after). A date before 100-01-01 or after
/// 9999-12-31 23:59:59 gives the parts of that end; not-a-number gives the epoch.
[[nodiscard]] Parts split(double date);

/// Days since the epoch on a continuous scale (differs from the date value before 1899-12-30).
[[nodiscard]] double toLinearDays(double date);
[[nodiscard]] double fromLinearDays(double linearDays);

/// Date-adds in whole units: a fractional count is first rounded to the nearest whole
/// unit (ties to even), as VB's DateAdd does with the counts it is given.
[[nodiscard]] double addDays(double date, double days);
[[nodiscard]] double addHours(double date, double hours);
[[nodiscard]] double addMinutes(double date, double minutes);
[[nodiscard]] double addSeconds(double date, double seconds);

/// The date at midnight (the whole part, truncated toward zero as the OLE form requires).
[[nodiscard]] double datePart(double date);

/// VB's Int: the floor.
[[nodiscard]] double intPart(double x);
/// VB's Fix: truncation toward zero.
[[nodiscard]] double fixPart(double x);

} // namespace DateValue

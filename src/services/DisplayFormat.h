#pragma once
// Numbers, dates and times turned into display text by pattern.
//
// Number patterns: "0" a digit always shown, "#" a digit shown only when significant, "."
// the locale's decimal separator, "," between integer digits the locale's thousands
// separator, "%" multiplies by 100 and is shown, text in double quotes or after a backslash
// and every other character copied. The value is rounded half away from zero to the decimals
// shown, working on its 15 significant decimal digits (so 2.675 shows as 2.68, as written).
// Integer digits beyond the pattern's are all shown.
//
// Date patterns (letters in either case): d, dd day; ddd, dddd short and long weekday name;
// m, mm month; mmm, mmmm short and long month name; yy, yyyy year; h, hh hour; n, nn minute;
// s, ss second; m and mm directly after an hour field, or before a seconds field, are
// minutes. Names come from the locale; every other character is copied.

#include <QLocale>
#include <QString>

class QDateTime;

/// The calendar and clock parts of one instant, as the program's date values hold them.
struct DateParts
{
    int year = 1899;
    int month = 12;  ///< 1..12
    int day = 30;    ///< 1..31
    int hour = 0;    ///< 0..23
    int minute = 0;  ///< 0..59
    int second = 0;  ///< 0..59, already rounded to the whole second
    int weekday = 0; ///< 1 Monday .. 7 Sunday; 0: worked out from the date
};

[[nodiscard]] QString formatNumber(double value, QStringView pattern,
                                   const QLocale& locale = QLocale());

/// A text that reads as a number ("." decimal point, as in the data files) is formatted as
/// that number; an empty text stays empty and any other text is returned unchanged.
[[nodiscard]] QString formatNumberText(const QString& text, QStringView pattern,
                                       const QLocale& locale = QLocale());

[[nodiscard]] QString formatDate(const DateParts& date, QStringView pattern,
                                 const QLocale& locale = QLocale());

/// The date and time as the QDateTime holds them (its own time spec), rounded to the
/// nearest second.
[[nodiscard]] QString formatDate(const QDateTime& dateTime, QStringView pattern,
                                 const QLocale& locale = QLocale());

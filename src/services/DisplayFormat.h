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

#include "core/DateValue.h"

#include <QLocale>
#include <QString>

class QDateTime;

[[nodiscard]] QString formatNumber(double value, QStringView pattern,
                                   const QLocale& locale = QLocale());

/// A signed value [degrees or hours] as whole units then whole minutes, each part in its own
/// pattern ("#0\u00b0" and "00'" give "-0\u00b047'", "#0h" and "00m" give "5h30m"). The
/// minutes are cut, not rounded, and split from one total, so they never show 60; a value a
/// hair under a whole minute only by its binary representation counts as that minute. A value
/// below zero keeps its minus sign when its whole units are 0.
[[nodiscard]] QString formatUnitsAndMinutes(double value, QStringView unitsPattern,
                                            QStringView minutesPattern,
                                            const QLocale& locale = QLocale());

/// A text that reads as a number ("." decimal point, as in the data files) is formatted as
/// that number; an empty text stays empty and any other text is returned unchanged.
[[nodiscard]] QString formatNumberText(const QString& text, QStringView pattern,
                                       const QLocale& locale = QLocale());

/// The parts of a date value (DateValue::split) in a date pattern; the weekday is the one the
/// parts give (1 Sunday .. 7 Saturday), the day of the year is not used.
[[nodiscard]] QString formatDate(const DateValue::Parts& date, QStringView pattern,
                                 const QLocale& locale = QLocale());

/// As formatDate, but every month or weekday name is padded with blanks on the right to the
/// longest name of its kind in the locale (at least three characters), so that a date has
/// one width whatever its month and weekday: the dates of fixed-column listings.
[[nodiscard]] QString formatDateFixedWidth(const DateValue::Parts& date, QStringView pattern,
                                           const QLocale& locale = QLocale());

/// The characters of the locale's longest month name in `format` (QLocale::monthName).
[[nodiscard]] int longestMonthName(const QLocale& locale, QLocale::FormatType format);

/// The characters a fixed-width date (formatDateFixedWidth, "mmm") is wider in the locale than
/// with three-letter month names: 0 in English, 2 in German ("Sept.").
[[nodiscard]] int fixedDateWidening(const QLocale& locale);

/// `row` with up to `count` blanks taken out of the run of blanks at or after column `from`
/// (after the word that stands there, if any), keeping two of them: the columns after the run
/// move left together.
[[nodiscard]] QString narrowedAfter(QString row, qsizetype from, int count);

/// A heading or ruler laid out for dates with three-letter month names in its first
/// `dateColumnWidth` characters, with the blanks that the locale's longer names add inserted
/// after that column (or after a heading word that runs past it), so that the heading stays
/// over the columns of rows dated with formatDateFixedWidth.
[[nodiscard]] QString alignedToFixedDates(const QString& heading, int dateColumnWidth,
                                          const QLocale& locale);

/// The date and time as the QDateTime holds them (its own time spec), rounded to the
/// nearest second.
[[nodiscard]] QString formatDate(const QDateTime& dateTime, QStringView pattern,
                                 const QLocale& locale = QLocale());

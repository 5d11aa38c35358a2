#pragma once
// The fixed-width text fields of the listings: labels left-aligned, numbers formatted by
// pattern and right-aligned, and the listing's date and time form "dd mmm yyyy  hh:mm:ss".
// Numbers use the display locale's decimal separator; the month is the locale's abbreviation.

#include "common/Elemento_satellite.h"

#include <QLocale>
#include <QString>
#include <QStringView>

namespace listingText {

/// `text` padded with blanks on the right to `width` characters, or its first `width`.
[[nodiscard]] QString left(const QString& text, int width);
/// `text` padded with blanks on the left to `width` characters, or its first `width`.
[[nodiscard]] QString right(const QString& text, int width);
/// `value` formatted with `pattern`, right-aligned in `width` characters.
[[nodiscard]] QString number(double value, int width, QStringView pattern, const QLocale& locale);

/// A local date value as "dd mmm yyyy  hh:mm:ss", rounded to the second, the month name
/// padded to the locale's longest so that every row's columns stay in place.
[[nodiscard]] QString dateTime(double date, const QLocale& locale);

/// The characters of the date and time column with three-letter month names, the width the
/// language file's headings and the rulers are laid out for.
inline constexpr int kDateTimeWidth = 21;

/// A heading or ruler laid out for three-letter month names, with the blanks that the
/// locale's longer names add to the date column inserted after that column, so that it
/// stays over the columns of the rows.
[[nodiscard]] QString alignedToDates(const QString& heading, const QLocale& locale);

/// The epoch of an element set: "dd mmm yyyy - hh:mm:ss UTC", the day of year's whole part
/// giving the date (1 January is day 1) and its fraction the time.
[[nodiscard]] QString epoch(const Elemento_satellite& elements, const QLocale& locale);

/// The launch designation: the 6 characters of element line 1 from column 10.
[[nodiscard]] QString launchDesignation(const QString& line1);

} // namespace listingText

#pragma once
// Fields of the element lines as the database readers and listings use them. Columns are
// 1-based as in the standard two-line format: line 1 catalogue number 3-7, launch year 10-11,
// epoch year 19-20, epoch day 21-32; line 2 inclination 9-16, node 18-25, eccentricity 27-33
// (decimal point assumed), argument of perigee 35-42, mean motion 53-63.

#include <string_view>

namespace elementColumns {

/// The text of `count` columns from column `first`; shorter, or empty, where the line ends.
[[nodiscard]] std::string_view columns(std::string_view line, int first, int count);

/// The leading number of those columns (0 when they hold none).
[[nodiscard]] double number(std::string_view line, int first, int count);

/// Whether a text is a number as a whole, blanks around it allowed ("57", " 8", "+3", "2.");
/// empty text, blanks only and letters are not.
[[nodiscard]] bool isWholeTextNumber(std::string_view text);

/// A two-digit year of the element format: below 57 in the 2000s, otherwise in the 1900s.
[[nodiscard]] double fourDigitYear(double twoDigits);

/// The catalogue number text of line 1 (columns 3-7, unchanged).
[[nodiscard]] std::string_view catalogueText(std::string_view line1);

/// Whether the epoch day of line 1 lies in its year: from 1.0 (1 January 0 h) to before 367.
[[nodiscard]] bool epochDayInYear(std::string_view line1);

/// Julian date (UT) of the epoch of line 1.
[[nodiscard]] double epochJulianDate(std::string_view line1);

/// Whether two catalogue number texts name the same satellite: the same number when both
/// read as catalogue numbers (so "00005" and "    5" agree, and Alpha-5 "A0001" is 100001),
/// otherwise the same text.
[[nodiscard]] bool sameCatalogueNumber(std::string_view a, std::string_view b);

} // namespace elementColumns

#pragma once
// What the database lists show of an element set, and the age statistics of a database.
//
// A list entry is a value followed by two blanks and the short name (the first 24 characters
// of the name line, untrimmed). Values are zero-padded to a fixed number of integer digits,
// so that the list's ascending text order is the order of the value; the name key lists the
// short name alone.

#include "common/Record_TLE.h"

#include <QString>

#include <optional>
#include <span>
#include <string>
#include <vector>

/// The sort keys, numbered as the items of the sort-key box.
enum class SortKey {
    Name = 0,          ///< the short name
    LaunchYear,        ///< four-digit launch year, line 1 columns 10-11
    Inclination,       ///< [degrees] "000.0"
    Node,              ///< right ascension of the ascending node [degrees] "000.0"
    Period,            ///< 1440 / mean motion [minutes] "0000.0"
    CatalogueNumber,   ///< line 1 columns 3-7 as they stand
    StandardMagnitude, ///< standard magnitude "0.0", or "???" when the satellite has none
    Eccentricity,      ///< "0.0000"
    ArgumentOfPerigee, ///< [degrees] "000.0"
    MeanMotion,        ///< [revolutions/day] "00.0"
};
inline constexpr int kSortKeyCount = 10;

/// The key of a sort-key item index; nothing for an index outside 0..9.
[[nodiscard]] std::optional<SortKey> sortKeyFromIndex(int index);

/// The text a value shows when it cannot be given: a satellite without a standard magnitude,
/// or a period where the mean motion is 0.
inline constexpr char16_t kUnknownValue[] = u"???";

/// The list text of an element set under a key. `magnitudes` is the standard-magnitude table
/// by catalogue number; `decimalPoint` the display locale's separator.
[[nodiscard]] QString listText(const Record_TLE& set, SortKey key,
                               const std::vector<std::string>& magnitudes,
                               const QString& decimalPoint);

/// Indices 0..n-1 of `texts` in ascending text order, letter case ignored; equal texts keep
/// their order.
[[nodiscard]] std::vector<int> ascendingTextOrder(const std::vector<QString>& texts);

/// Whether the satellite of a catalogue number text has a standard magnitude in the table.
/// A text that is no catalogue number, or lies beyond the table, has none.
[[nodiscard]] bool hasStandardMagnitude(std::string_view catalogue,
                                        const std::vector<std::string>& magnitudes);

/// Ages of the element sets of a database, in days before an instant, and how many sets
/// have a standard magnitude.
struct DatabaseStatistics
{
    int sets = 0;
    double oldestDays = 0; ///< the largest age
    double newestDays = 0; ///< the smallest age (negative for an epoch after the instant)
    double meanDays = 0;
    int withMagnitude = 0;
};

/// Statistics of `sets` at the Julian date `nowJulianDate` (UT). Nothing for no sets.
[[nodiscard]] std::optional<DatabaseStatistics>
databaseStatistics(std::span<const Record_TLE> sets, const std::vector<std::string>& magnitudes,
                   double nowJulianDate);

/// An age for display: one decimal, at least one integer digit, the display locale's
/// separator ("12.3", "0.5").
[[nodiscard]] QString formatAgeDays(double days, const QString& decimalPoint);

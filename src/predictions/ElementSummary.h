#pragma once
// The summary of element sets: one row of eleven texts per set (catalogue number, name,
// launch, inclination, period, node, eccentricity, standard magnitude, element-set number and
// the age of the elements), and the reading of an element file into its sets.

#include "common/Record_TLE.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <functional>
#include <vector>

inline constexpr int kSummaryColumns = 11;
using SummaryRow = std::array<QString, kSummaryColumns>;

/// The row of one well-formed set; `julianNow` is the program's current Julian date (UT).
/// Empty when the set cannot be read (a short line, no name, elements out of range).
[[nodiscard]] std::optional<SummaryRow> summaryRow(const Record_TLE& set, double julianNow,
                                                   const QLocale& locale);

/// The lines of a text whose lines end in CR LF, LF or CR, blank lines left out.
[[nodiscard]] QStringList elementFileLines(QStringView text);

/// The element sets of an element file's lines, three lines each; lines after the last
/// complete set are ignored.
[[nodiscard]] std::vector<Record_TLE> elementSetsOfLines(const QStringList& lines);

/// What summarising a list of sets gave.
struct SummaryTable
{
    std::vector<SummaryRow> rows;
    int skippedSets = 0; ///< sets that could not be read, left out
    bool stopped = false; ///< the user stopped it; the rows before stay
};

/// Summarises `sets` from index `first` on; `progress` is told the sets done and returns false
/// to stop.
[[nodiscard]] SummaryTable summarise(const std::vector<Record_TLE>& sets, std::size_t first,
                                     double julianNow, const QLocale& locale,
                                     const std::function<bool(std::size_t)>& progress = {});

#pragma once
// The texts of a pass: its three event lines (acquisition, culmination, loss) in fixed columns,
// the row of the pass list with its two hidden sort keys, and the row's tag. Times are the
// observer's local time (UT + zone + daylight saving); month names follow the locale.

#include "predictions/engine/PassSearchEngine.h"

#include <QLocale>
#include <QString>

#include <array>

/// Columns of the pass list.
enum PassColumn : int {
    kColumnCulmination = 0,
    kColumnName,
    kColumnElevation,
    kColumnAzimuth,
    kColumnStatus,
    kColumnMagnitude,
    kColumnDuration,
    kColumnCulminationKey, ///< hidden: "yyyymmdd hh:mm:ss"
    kColumnMagnitudeKey,   ///< hidden: magnitude + 99, "000.00"; no magnitude sorts last
    kPassColumnCount
};

struct PassTexts
{
    std::array<QString, kPassColumnCount> columns;
    std::array<QString, 3> lines; ///< acquisition, culmination, loss
    QString tag;                  ///< index ";" line ";" line ";" line
};

/// The local date value (days since 1899-12-30) of a Julian date for the observer.
[[nodiscard]] double localDateOf(double julianDate, const Dati_osservatore& observer);

/// One event line: date and time, elevation, azimuth, status, magnitude, Sun elevation, range.
/// The status column is as wide as the longest status name (statusColumnWidth).
[[nodiscard]] QString passLine(const passes::PassEvent& event, const Dati_osservatore& observer,
                               const QLocale& locale = QLocale());

/// The heading of the event lines as the language file has it, laid out for three-letter
/// month names and a status of kStatusColumnWidth characters, with blanks inserted where the
/// locale's dates widen the lines and taken out after the date where the longest status name
/// takes them (passDateGapGiven), so it stays over their columns.
[[nodiscard]] QString passLinesHeading(const QString& heading, const QLocale& locale = QLocale());

/// The pass list's culmination column of a local date value: "dd mmm yyyy hh:mm:ss", the
/// month name padded to the locale's longest.
[[nodiscard]] QString culminationColumnText(double localDate, const QLocale& locale = QLocale());

[[nodiscard]] PassTexts passTexts(const passes::PassRow& row, const Dati_osservatore& observer,
                                  const QLocale& locale = QLocale());

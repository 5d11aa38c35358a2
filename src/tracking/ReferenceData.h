#pragma once
// The reference tables loaded once at start from the program folder: the star catalogue
// (stars.bin), the constellation lines and names (clines.dat, cnames.dat), the elements of the
// Sun, the Moon and the planets (planets.dat), the standard magnitudes (magnitud.dat) and the
// radio frequencies (frequen.dat) of satellites. They fill the tables of common/catalogues.h.

#include "common/catalogues.h"

#include <QByteArrayView>
#include <QString>

/// Outcome of loading the reference data: the name of the file that could not be read, empty
/// when every file loaded.
struct ReferenceDataStatus
{
    QString failedFile;

    [[nodiscard]] bool ok() const { return failedFile.isEmpty(); }
};

/// Size of one stars.bin record [bytes].
inline constexpr int kStarRecordSize = 35;
/// Highest catalogue number the magnitude table holds: magnitud.dat writes five-digit numbers.
inline constexpr int kLastMagnitudeCatalogueNumber = 99999;

/// Loads the six files from MyPath into Stelle, Record_stella, Linee_costellazioni,
/// Nomi_costellazioni, Corpi_celesti (names and elements), Tabella_magnitudini and
/// Tabella_frequenze. The tables change only when every file loaded; otherwise they keep their
/// contents and the status names the first file that is missing, too short or holds a field
/// that is not a number where a number belongs.
[[nodiscard]] ReferenceDataStatus Carica_archivi();

/// Decodes one 35-byte stars.bin record: little-endian IEEE floats and 16-bit integer, then
/// single-byte characters.
[[nodiscard]] Stella_catalogo decodeStarRecord(QByteArrayView record);

#pragma once
// The reference tables loaded once at start from the program folder: the star catalogue
// (stars.bin), the constellation lines and names (clines.dat, cnames.dat), the elements of the
// Sun, the Moon and the planets (planets.dat), the standard magnitudes (magnitud.dat) and the
// radio frequencies (frequen.dat) of satellites. They fill the tables of common/catalogues.h.

#include "common/catalogues.h"

#include <QByteArrayView>
#include <QString>

#include <array>
#include <string>
#include <vector>

/// Outcome of loading the reference data: the name of the file that could not be read, empty
/// when every file loaded.
struct ReferenceDataStatus
{
    QString failedFile;

    [[nodiscard]] bool ok() const { return failedFile.isEmpty(); }
};

/// Size of one stars.bin record [bytes].
inline constexpr int kStarRecordSize = 35;
/// Highest catalogue number the magnitude table holds: the highest an element line can carry
/// in its five columns ("Z9999" in the Alpha-5 form).
inline constexpr int kLastMagnitudeCatalogueNumber = 339999;

/// The six reference files, in the order they load at start.
enum class ReferenceFile {
    Stars,
    ConstellationLines,
    ConstellationNames,
    Bodies,
    Magnitudes,
    Frequencies
};
inline constexpr std::size_t kReferenceFileCount = 6;

/// The name of a reference file in the program folder ("stars.bin", "clines.dat", ...).
[[nodiscard]] QString referenceFileName(ReferenceFile file);

/// Everything the reference files fill, before it replaces the shared tables. The bodies start
/// as the shared table holds them: planets.dat sets only their names and elements.
struct ReferenceDataTables
{
    std::vector<Stella> stars = std::vector<Stella>(kStarCount + 1);
    Stella_catalogo lastStar;
    std::vector<Linea_costellazione> lines =
        std::vector<Linea_costellazione>(kConstellationLineCount + 1);
    std::vector<Nome_costellazione> names =
        std::vector<Nome_costellazione>(kConstellationNameCount + 1);
    std::array<Corpo_celeste, kBodyCount + 1> bodies = Corpi_celesti;
    std::vector<std::string> magnitudes = std::vector<std::string>(1);
    std::vector<Record_TLE> frequencies = std::vector<Record_TLE>(1);
};

/// Reads the contents of one reference file into its own part of `tables` (the other parts are
/// not touched). False when the contents are too short or hold a field that is not a number
/// where a number belongs; that part is then incomplete.
[[nodiscard]] bool readReferenceFile(ReferenceFile file, QByteArrayView bytes,
                                     ReferenceDataTables& tables);

/// Loads the six files from MyPath into Stelle, Record_stella, Linee_costellazioni,
/// Nomi_costellazioni, Corpi_celesti (names and elements), Tabella_magnitudini and
/// Tabella_frequenze. The tables change only when every file loaded; otherwise they keep their
/// contents and the status names the first file that is missing, too short or holds a field
/// that is not a number where a number belongs.
[[nodiscard]] ReferenceDataStatus Carica_archivi();

/// Decodes one 35-byte stars.bin record: little-endian IEEE floats and 16-bit integer, then
/// single-byte characters.
[[nodiscard]] Stella_catalogo decodeStarRecord(QByteArrayView record);

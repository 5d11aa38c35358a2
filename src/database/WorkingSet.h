#pragma once
// The working set of satellites kept between runs in "Quorvanel.ini" in the program folder:
// three lines per satellite in slot order (name, element line 1, element line 2), at most 200
// satellites, lines ending in CR LF. An empty working set is an empty file.

#include "common/Record_TLE.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QIODevice;

inline const QString kWorkingSetFileName = QStringLiteral("Quorvanel.ini");
/// Added to the working-set file's name for the copy kept of a damaged one.
inline const QString kDamagedFileSuffix = QStringLiteral(".bad");

/// Writes slots 1 to Numero_satelliti: the parsed name Satelement(i).Nome_satellite and the
/// element lines RigaDati(i).Riga1 and Riga2. The file is replaced atomically, so a failed
/// write keeps the previous one. False when the file could not be written.
bool Salva_Ini();

/// Reads the working-set file into RigaDati from slot 1 and sets Numero_satelliti to the number
/// of sets read; the caller then parses each slot (Estrai_Dati_Satellite). Lines may end in CR LF,
/// LF or CR. A set whose name line is empty is skipped, an incomplete last set is ignored, and
/// reading stops after 200 sets, without reading the rest of the file. False, with the working set untouched, when the file cannot
/// be read.
bool Leggi_Ini();

/// The sets of a working-set file as Leggi_Ini keeps them, at most 200; nothing when the device
/// failed. Reads no further than the last set kept.
[[nodiscard]] std::optional<std::vector<Record_TLE>> readWorkingSet(QIODevice& device);

/// What loadWorkingSetSlots found.
struct WorkingSetLoad
{
    bool read = false;     ///< the file could be read
    QStringList unusable;  ///< the names of the sets left out, in file order (cut short)
    QString damagedCopy;   ///< the copy of the file kept beside it; empty when none was made
};

/// Reads the working set (Leggi_Ini) and parses every set into its slot
/// (Estrai_Dati_Satellite). A set that cannot be parsed is left out, so it is neither tracked
/// nor written back; the sets after it move up. When any was left out, the file as it was is
/// first copied beside itself under the name + kDamagedFileSuffix, so nothing is lost.
WorkingSetLoad loadWorkingSetSlots();

#pragma once
// The working set of satellites kept between runs in "Quorvanel.ini" in the program folder:
// three lines per satellite in slot order (name, element line 1, element line 2), at most 200
// satellites, lines ending in CR LF. An empty working set is an empty file.

#include "common/Record_TLE.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QIODevice;

inline const QString kWorkingSetFileName = QStringLiteral("Quorvanel.ini");
/// Added to the working-set file's name for the copy kept of a damaged one.
inline const QString kDamagedFileSuffix = QStringLiteral(".bad");

/// Writes slots 1 to Numero_satelliti: the parsed name Satelement(i).Nome_satellite and the
/// element lines RigaDati(i).Riga1 and Riga2. The file is replaced atomically, so a failed
/// write keeps the previous one. False when the file could not be written, and while it is
/// held (workingSetFileHeld): then nothing is written.
bool Salva_Ini();

/// True when the working-set file existed at start but could not be read, or held lines that
/// were left out and could not be copied: it is kept as it is for the rest of the run, and
/// nothing is written over it.
[[nodiscard]] bool workingSetFileHeld();

/// Salva_Ini for the commands that change the active list and for the exit: while the file is
/// held nothing is written and the result is true, since the user was told once at start that
/// the changes of this run are not kept. False only when a write failed.
bool saveWorkingSet();

/// Opens the working-set file for reading; nullptr when it cannot be opened.
using WorkingSetOpener = std::function<std::unique_ptr<QIODevice>(const QString& path)>;
/// Puts `opener` in place of opening the file (tests give a device that fails); an empty one
/// restores the file. Forgets a file held by an earlier read.
void setWorkingSetOpener(WorkingSetOpener opener);

/// Reads the working-set file into RigaDati from slot 1 and sets Numero_satelliti to the number
/// of sets read (readWorkingSet); the caller then parses each slot (Estrai_Dati_Satellite).
/// False, with the working set untouched, when the file cannot be read.
bool Leggi_Ini();

/// Consecutive lines of a working-set file that were left out.
struct LeftOutLines
{
    qint64 firstLine = 0; ///< 1-based line number in the file
    qint64 lastLine = 0;
    QString excerpt; ///< the first of them that is not blank, cut short; empty when all are
};

/// What readWorkingSet found.
struct WorkingSetRead
{
    std::vector<Record_TLE> sets;
    std::vector<qint64> nameLines;     ///< the line number of each set's name line
    std::vector<qint64> lastLines;     ///< the line number of each set's element line 2
    std::vector<LeftOutLines> skipped; ///< the lines that are part of no set, in file order
};

/// The sets of a working-set file as Leggi_Ini keeps them, at most 200; nothing when the device
/// failed. Lines may end in CR LF, LF or CR. Blank lines (empty or of blanks alone) are passed
/// over and told nowhere. A set is a name line followed by two lines that read as element
/// lines 1 and 2 (judgeElementSet); a line of text that is part of no set (a stray line, a set
/// without its name or with a damaged element line, an incomplete last set) is skipped and the
/// next set is found again after it. Reads no further than the 200th set.
/// A line longer than any set holds is cut short as it is read and is part of no set.
[[nodiscard]] std::optional<WorkingSetRead> readWorkingSet(QIODevice& device);

/// What loadWorkingSetSlots found.
struct WorkingSetLoad
{
    bool read = false;     ///< the file could be read
    /// it exists but could not be read, or lines were left out and no copy could be made:
    /// kept as it is, and not written this run
    bool held = false;
    /// The sets that cannot be parsed and the lines that hold no set, in file order.
    QList<LeftOutLines> unusable;
    QString damagedCopy;   ///< the copy of the file kept beside it; empty when none was made
};

/// Reads the working set (Leggi_Ini) and parses every set into its slot
/// (Estrai_Dati_Satellite). A set that cannot be parsed is left out, so it is neither tracked
/// nor written back; the sets after it move up. When any was left out, the file as it was is
/// first copied beside itself under the name + kDamagedFileSuffix (".bad.2", ".bad.3" ... when
/// older copies exist: they are kept, whatever they are), so nothing is lost; when no copy can
/// be made the file is held (workingSetFileHeld).
WorkingSetLoad loadWorkingSetSlots();

#include "database/WorkingSet.h"

#include "common/satellite_slots.h"
#include "core/ElementSet.h"
#include "services/AtomicFile.h"
#include "services/ProgramFolder.h"
#include "services/TextData.h"
#include "services/TextLineReader.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <memory>

namespace {

constexpr int kLinesPerSet = 3;
/// The longest line kept [bytes]: far more than a name or an element line (69 characters)
/// takes, so only a line that no working set holds is cut.
constexpr qsizetype kMaxLineBytes = 1024;

/// Set when the file existed at start but could not be read: it is then kept as it is.
bool g_fileHeld = false;

WorkingSetOpener g_opener;

std::unique_ptr<QIODevice> openForReading(const QString& path)
{
    if (g_opener)
        return g_opener(path);
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        return nullptr;
    return file;
}

/// A name line as the user is shown it: trimmed, characters that do not print as '?', and
/// cut short.
QString shownName(const std::string& line)
{
    return printableExcerpt(QString::fromStdString(line).trimmed());
}

/// Copies a file, block by block (the file may be large), through a temporary file that is
/// then given `copyName` or the first free numbered name after it (moveToFreeName), so an
/// older copy is never replaced. Returns the name of the copy; empty when none was made.
QString copyFileAtomically(const QString& source, const QString& copyName)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    SavingFile out(copyName);
    if (!out.open())
        return {};
    constexpr qint64 kBlock = 1 << 16;
    QByteArray block(kBlock, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(block.data(), kBlock);
        if (got < 0)
            return {};
        if (got == 0)
            break;
        if (!out.write(QByteArrayView(block.constData(), got)))
            return {};
    }
    return out.keepAs(copyName);
}

} // namespace

bool Salva_Ini()
{
    // Guard: a file that could not be read at start still holds the user's satellites; the
    // empty or partial working set of this run is not written over it.
    if (g_fileHeld)
        return false;
    const int count = std::clamp<int>(Numero_satelliti, 0, kMaxActiveSatellites);
    QString text;
    const auto appendLine = [&text](const std::string& line) {
        text += QString::fromStdString(line);
        text += QStringLiteral("\r\n");
    };
    for (int slot = 1; slot <= count; ++slot) {
        appendLine(Satelement[slot].Nome_satellite);
        appendLine(RigaDati[slot].Riga1);
        appendLine(RigaDati[slot].Riga2);
    }
    return writeFileAtomically(dataFilePath(kWorkingSetFileName), text.toUtf8());
}

std::optional<std::vector<Record_TLE>> readWorkingSet(QIODevice& device)
{
    TextLineReader reader(device);
    reader.setMaxLineLength(kMaxLineBytes);
    std::vector<Record_TLE> sets;
    QByteArray lines[kLinesPerSet];
    // Guard: reading stops after the last set kept, so a huge file is not read to its end.
    while (sets.size() < static_cast<std::size_t>(kMaxActiveSatellites)) {
        int read = 0;
        bool cut = false;
        while (read < kLinesPerSet && reader.next(lines[read])) {
            cut = cut || reader.lineCut();
            ++read;
        }
        if (read < kLinesPerSet)
            break; // an incomplete last set is ignored
        const QString name = QString::fromUtf8(lines[0]);
        // Guard: a set without a name is skipped rather than left as an unnamed hole among
        // the active slots.
        if (name.trimmed().isEmpty())
            continue;
        // A set with a line cut short is no set the program wrote: its element lines are left
        // empty, so that it cannot be parsed and is left out (the file is then kept aside).
        if (cut) {
            sets.push_back(Record_TLE{name.toStdString(), {}, {}});
            continue;
        }
        sets.push_back(Record_TLE{name.toStdString(), QString::fromUtf8(lines[1]).toStdString(),
                                  QString::fromUtf8(lines[2]).toStdString()});
    }
    if (reader.failed())
        return std::nullopt;
    return sets;
}

bool Leggi_Ini()
{
    const std::unique_ptr<QIODevice> file = openForReading(dataFilePath(kWorkingSetFileName));
    if (!file)
        return false;
    const std::optional<std::vector<Record_TLE>> sets = readWorkingSet(*file);
    if (!sets)
        return false;
    int slot = 0;
    for (const Record_TLE& set : *sets)
        RigaDati[++slot] = set;
    Numero_satelliti = static_cast<std::int16_t>(slot);
    return true;
}

WorkingSetLoad loadWorkingSetSlots()
{
    WorkingSetLoad load;
    Numero_satelliti = 0;
    g_fileHeld = false;
    if (!Leggi_Ini()) {
        g_fileHeld = QFileInfo::exists(dataFilePath(kWorkingSetFileName));
        load.held = g_fileHeld;
        return load;
    }
    load.read = true;
    const int count = Numero_satelliti;
    int kept = 0;
    for (int slot = 1; slot <= count; ++slot) {
        const Record_TLE lines = RigaDati[slot];
        if (mSat::Estrai_Dati_Satellite(kept + 1, lines.Riga0, lines.Riga1, lines.Riga2) ==
            mSat::Status::Ok)
            ++kept;
        else
            load.unusable.append(shownName(lines.Riga0));
    }
    for (int slot = kept + 1; slot <= count; ++slot) {
        mSat::Azzera_Satelement(slot);
        mSat::Azzera_RigaDati(slot);
    }
    Numero_satelliti = static_cast<std::int16_t>(kept);
    if (!load.unusable.isEmpty()) {
        const QString file = dataFilePath(kWorkingSetFileName);
        load.damagedCopy = copyFileAtomically(file, file + kDamagedFileSuffix);
    }
    return load;
}

bool workingSetFileHeld()
{
    return g_fileHeld;
}

bool saveWorkingSet()
{
    return g_fileHeld || Salva_Ini();
}

void setWorkingSetOpener(WorkingSetOpener opener)
{
    g_opener = std::move(opener);
    g_fileHeld = false;
}

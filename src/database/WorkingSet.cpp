#include "database/WorkingSet.h"

#include "common/satellite_slots.h"
#include "core/ElementSet.h"
#include "services/AtomicFile.h"
#include "services/ProgramFolder.h"
#include "services/TextData.h"
#include "services/TextLineReader.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace {

constexpr int kLinesPerSet = 3;

/// A name line as the user is shown it: trimmed, characters that do not print as '?', and
/// cut short.
QString shownName(const std::string& line)
{
    return printableExcerpt(QString::fromStdString(line).trimmed());
}

/// Copies a file through a temporary file, block by block (the file may be large).
bool copyFileAtomically(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    constexpr qint64 kBlock = 1 << 16;
    QByteArray block(kBlock, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(block.data(), kBlock);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        if (out.write(block.constData(), got) != got)
            return false;
    }
    return out.commit();
}

} // namespace

bool Salva_Ini()
{
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
    std::vector<Record_TLE> sets;
    QByteArray lines[kLinesPerSet];
    // Guard: reading stops after the last set kept, so a huge file is not read to its end.
    while (sets.size() < static_cast<std::size_t>(kMaxActiveSatellites)) {
        int read = 0;
        while (read < kLinesPerSet && reader.next(lines[read]))
            ++read;
        if (read < kLinesPerSet)
            break; // an incomplete last set is ignored
        const QString name = QString::fromUtf8(lines[0]);
        // Guard: a set without a name is skipped rather than left as an unnamed hole among
        // the active slots.
        if (name.trimmed().isEmpty())
            continue;
        sets.push_back(Record_TLE{name.toStdString(), QString::fromUtf8(lines[1]).toStdString(),
                                  QString::fromUtf8(lines[2]).toStdString()});
    }
    if (reader.failed())
        return std::nullopt;
    return sets;
}

bool Leggi_Ini()
{
    QFile file(dataFilePath(kWorkingSetFileName));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const std::optional<std::vector<Record_TLE>> sets = readWorkingSet(file);
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
    if (!Leggi_Ini())
        return load;
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
        const QString copy = file + kDamagedFileSuffix;
        if (copyFileAtomically(file, copy))
            load.damagedCopy = copy;
    }
    return load;
}

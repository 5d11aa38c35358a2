#include "database/WorkingSet.h"

#include "common/satellite_slots.h"
#include "services/AtomicFile.h"
#include "services/ProgramFolder.h"
#include "services/TextLineReader.h"

#include <QFile>

#include <algorithm>

namespace {

constexpr int kLinesPerSet = 3;

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

#include "database/WorkingSet.h"

#include "common/satellite_slots.h"
#include "services/AtomicFile.h"
#include "services/ProgramFolder.h"
#include "services/TextData.h"

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

bool Leggi_Ini()
{
    QFile file(dataFilePath(kWorkingSetFileName));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    const QStringList lines = splitDataLines(QString::fromUtf8(bytes));

    int sets = 0;
    for (qsizetype first = 0; first + kLinesPerSet <= lines.size() && sets < kMaxActiveSatellites;
         first += kLinesPerSet) {
        const QString& name = lines.at(first);
        // Guard: a set without a name is skipped rather than left as an unnamed hole among
        // the active slots.
        if (name.trimmed().isEmpty())
            continue;
        ++sets;
        RigaDati[sets] = Record_TLE{name.toStdString(), lines.at(first + 1).toStdString(),
                                    lines.at(first + 2).toStdString()};
    }
    Numero_satelliti = static_cast<std::int16_t>(sets);
    return true;
}

#include "ElementSetFixtures.h"

#include <QFile>

namespace {

const QString kGpredictCatalogue =
    QStringLiteral("/usr/share/gpredict/data/satdata/satellites.dat");

} // namespace

std::optional<std::vector<Record_TLE>> gpredictSets()
{
    QFile file(kGpredictCatalogue);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    // Sections "[number]" of key=value lines; a set is complete once NAME, TLE1 and TLE2 are in.
    std::vector<Record_TLE> sets;
    Record_TLE current;
    const auto flush = [&] {
        if (!current.Riga0.empty() && !current.Riga1.empty() && !current.Riga2.empty())
            sets.push_back(current);
        current = Record_TLE{};
    };
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith('[')) {
            flush();
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            continue;
        const QByteArray key = line.left(equals);
        const std::string value = line.mid(equals + 1).toStdString();
        if (key == "NAME")
            current.Riga0 = value;
        else if (key == "TLE1")
            current.Riga1 = value;
        else if (key == "TLE2")
            current.Riga2 = value;
    }
    flush();
    return sets;
}

#include "InstallDataFiles.h"

#include <QFile>

#include <bit>
#include <cstring>

namespace installdata {

QString dataPath(const QString& fileName)
{
    return QStringLiteral(QUORVANEL_DATA_DIR "/") + fileName;
}

QByteArray readBytes(const QString& fileName)
{
    QFile file(dataPath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

static QStringList splitRecord(const QByteArray& line)
{
    QStringList fields;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i <= n) {
        while (i < n && line[i] == ' ')
            ++i;
        QByteArray field;
        if (i < n && line[i] == '"') {
            const qsizetype close = line.indexOf('"', i + 1);
            const qsizetype end = close < 0 ? n : close;
            field = line.mid(i + 1, end - i - 1);
            i = line.indexOf(',', end);
            i = i < 0 ? n + 1 : i + 1;
        } else {
            qsizetype comma = line.indexOf(',', i);
            if (comma < 0)
                comma = n;
            field = line.mid(i, comma - i).trimmed();
            i = comma + 1;
        }
        fields << QString::fromLatin1(field);
    }
    return fields;
}

std::vector<QStringList> readRecords(const QString& fileName)
{
    std::vector<QStringList> records;
    for (QByteArray line : readBytes(fileName).split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.trimmed().isEmpty())
            records.push_back(splitRecord(line));
    }
    return records;
}

double number(const QString& field, bool* ok)
{
    // QString::toDouble is locale-independent (C locale), as the data files are.
    return field.trimmed().toDouble(ok);
}

static std::uint32_t littleEndian32(const char* bytes)
{
    std::uint32_t value = 0;
    for (int k = 3; k >= 0; --k)
        value = (value << 8) | static_cast<unsigned char>(bytes[k]);
    return value;
}

std::vector<StarRecord> readStars()
{
    const QByteArray bytes = readBytes(QStringLiteral("stars.bin"));
    std::vector<StarRecord> stars;
    for (qsizetype offset = 0; offset + kStarRecordSize <= bytes.size();
         offset += kStarRecordSize) {
        const char* record = bytes.constData() + offset;
        StarRecord star;
        star.rightAscensionHours = std::bit_cast<float>(littleEndian32(record));
        star.declinationDegrees = std::bit_cast<float>(littleEndian32(record + 4));
        const auto low = static_cast<unsigned char>(record[8]);
        const auto high = static_cast<unsigned char>(record[9]);
        star.centimagnitude = static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
        star.spectralClass = QByteArray(record + 12, 2);
        star.bayerLetter = QByteArray(record + 14, 2);
        star.constellation = QByteArray(record + 16, 3);
        star.name = QByteArray(record + 19, 16);
        stars.push_back(star);
    }
    return stars;
}

} // namespace installdata

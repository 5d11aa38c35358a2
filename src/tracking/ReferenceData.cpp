#include "tracking/ReferenceData.h"

#include "tracking/FieldReader.h"
#include "core/ElementSet.h"
#include "services/ProgramFolder.h"
#include "services/TextData.h"

#include <QFile>
#include <QtEndian>

#include <bit>
#include <cmath>
#include <optional>

namespace {

/// The stored units of the constellation files: thousandths of an hour, hundredths of a degree.
constexpr double kThousandthsPerHour = 1000.0;
constexpr double kHundredthsPerDegree = 100.0;
constexpr int kConstellationCodeLength = 3;

std::optional<QByteArray> readFile(const QString& name)
{
    QFile file(dataFilePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

FieldReader fieldsOf(QByteArrayView bytes)
{
    return FieldReader(QString::fromUtf8(bytes));
}

float readFloat(const char* bytes)
{
    return std::bit_cast<float>(qFromLittleEndian<quint32>(bytes));
}

std::string latin1(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes).toStdString();
}

bool loadStars(QByteArrayView bytes, ReferenceDataTables& tables)
{
    if (bytes.size() < qsizetype{kStarCount} * kStarRecordSize)
        return false;
    for (int k = 1; k <= kStarCount; ++k) {
        const QByteArrayView record(bytes.data() + qsizetype{k - 1} * kStarRecordSize,
                                    kStarRecordSize);
        const Stella_catalogo star = decodeStarRecord(record);
        Stella& entry = tables.stars[static_cast<std::size_t>(k)];
        entry.Ascensione_retta = star.Ascensione_retta;
        entry.Declinazione = star.Declinazione;
        if (k == kStarCount)
            tables.lastStar = star;
    }
    return true;
}

bool loadLines(QByteArrayView bytes, ReferenceDataTables& tables)
{
    FieldReader fields = fieldsOf(bytes);
    for (int k = 1; k <= kConstellationLineCount; ++k) {
        if (!fields.text())
            return false;
        const std::optional<double> ra1 = fields.number();
        const std::optional<double> dec1 = fields.number();
        const std::optional<double> ra2 = fields.number();
        const std::optional<double> dec2 = fields.number();
        if (!ra1 || !dec1 || !ra2 || !dec2)
            return false;
        Linea_costellazione& line = tables.lines[static_cast<std::size_t>(k)];
        line.Ascensione_retta1 = static_cast<float>(*ra1 / kThousandthsPerHour);
        line.Declinazione1 = static_cast<float>(*dec1 / kHundredthsPerDegree);
        line.Ascensione_retta2 = static_cast<float>(*ra2 / kThousandthsPerHour);
        line.Declinazione2 = static_cast<float>(*dec2 / kHundredthsPerDegree);
    }
    return true;
}

bool loadNames(QByteArrayView bytes, ReferenceDataTables& tables)
{
    FieldReader fields = fieldsOf(bytes);
    for (int k = 1; k <= kConstellationNameCount; ++k) {
        const std::optional<double> ra = fields.number();
        const std::optional<double> dec = fields.number();
        const std::optional<QString> name = fields.text();
        const std::optional<QString> code = fields.text();
        if (!ra || !dec || !name || !code)
            return false;
        Nome_costellazione& entry = tables.names[static_cast<std::size_t>(k)];
        entry.Ascensione_retta = *ra / kThousandthsPerHour;
        entry.Declinazione = *dec / kHundredthsPerDegree;
        entry.Nome = name->toStdString();
        entry.Sigla = code->left(kConstellationCodeLength)
                          .leftJustified(kConstellationCodeLength, u' ')
                          .toStdString();
    }
    return true;
}

bool loadBodies(QByteArrayView bytes, ReferenceDataTables& tables)
{
    FieldReader fields = fieldsOf(bytes);
    for (std::size_t k = 1; k <= kBodyCount; ++k) {
        const std::optional<QString> name = fields.text();
        if (!name)
            return false;
        Corpo_celeste& body = tables.bodies[k];
        body.Nome = name->toStdString();
        for (std::size_t e = 1; e < body.Elementi_orbitali.size(); ++e) {
            const std::optional<double> value = fields.number();
            if (!value)
                return false;
            body.Elementi_orbitali[e] = *value;
        }
    }
    return true;
}

bool loadMagnitudes(QByteArrayView bytes, ReferenceDataTables& tables)
{
    FieldReader fields = fieldsOf(bytes);
    while (!fields.atEnd()) {
        const std::optional<QString> numberText = fields.text();
        if (!numberText || numberText->isEmpty())
            break;
        const std::optional<QString> magnitude = fields.text();
        std::optional<double> number = parseDataNumber(*numberText);
        if (!number) {
            // The Alpha-5 form ("A0000" is 100000), as the element lines write it.
            if (const auto alpha5 = mSat::catalogueNumber(numberText->toStdString()))
                number = *alpha5;
        }
        if (!magnitude || !number)
            return false;
        const double catalogueNumber = std::round(*number);
        if (catalogueNumber < 0)
            return false;
        // A number no element line can carry names no satellite: the row is passed over.
        if (catalogueNumber > kLastMagnitudeCatalogueNumber)
            continue;
        const auto index = static_cast<std::size_t>(catalogueNumber);
        // Guard: a number lower than one read before must not shrink the table and drop the
        // magnitudes of the higher numbers; the table only grows.
        if (index >= tables.magnitudes.size())
            tables.magnitudes.resize(index + 1);
        tables.magnitudes[index] = magnitude->toStdString();
    }
    return true;
}

bool loadFrequencies(QByteArrayView bytes, ReferenceDataTables& tables)
{
    FieldReader fields = fieldsOf(bytes);
    while (!fields.atEnd()) {
        const std::optional<QString> numberText = fields.text();
        if (!numberText || numberText->isEmpty())
            break;
        const std::optional<double> uplink = fields.number();
        const std::optional<double> downlink = fields.number();
        const std::optional<QString> unused = fields.text();
        if (!uplink || !downlink || !unused)
            return false;
        tables.frequencies.push_back(Record_TLE{numberText->toStdString(),
                                                formatDataNumber(*uplink).toStdString(),
                                                formatDataNumber(*downlink).toStdString()});
    }
    return true;
}

} // namespace

Stella_catalogo decodeStarRecord(QByteArrayView record)
{
    Stella_catalogo star;
    if (record.size() < kStarRecordSize)
        return star;
    const char* bytes = record.data();
    star.Ascensione_retta = readFloat(bytes);
    star.Declinazione = readFloat(bytes + 4);
    star.Magnitudine_centesimi = qFromLittleEndian<qint16>(bytes + 8);
    // Bytes 10 and 11 are not used.
    star.Spettro = latin1(record.sliced(12, 2));
    star.Lettera = latin1(record.sliced(14, 2));
    star.Costellazione = latin1(record.sliced(16, 3));
    star.Nome = latin1(record.sliced(19, 16));
    return star;
}

QString referenceFileName(ReferenceFile file)
{
    switch (file) {
    case ReferenceFile::Stars:
        return QStringLiteral("stars.bin");
    case ReferenceFile::ConstellationLines:
        return QStringLiteral("clines.dat");
    case ReferenceFile::ConstellationNames:
        return QStringLiteral("cnames.dat");
    case ReferenceFile::Bodies:
        return QStringLiteral("planets.dat");
    case ReferenceFile::Magnitudes:
        return QStringLiteral("magnitud.dat");
    case ReferenceFile::Frequencies:
        return QStringLiteral("frequen.dat");
    }
    return {};
}

bool readReferenceFile(ReferenceFile file, QByteArrayView bytes, ReferenceDataTables& tables)
{
    switch (file) {
    case ReferenceFile::Stars:
        return loadStars(bytes, tables);
    case ReferenceFile::ConstellationLines:
        return loadLines(bytes, tables);
    case ReferenceFile::ConstellationNames:
        return loadNames(bytes, tables);
    case ReferenceFile::Bodies:
        return loadBodies(bytes, tables);
    case ReferenceFile::Magnitudes:
        return loadMagnitudes(bytes, tables);
    case ReferenceFile::Frequencies:
        return loadFrequencies(bytes, tables);
    }
    return false;
}

ReferenceDataStatus Carica_archivi()
{
    ReferenceDataTables tables;
    for (std::size_t k = 0; k < kReferenceFileCount; ++k) {
        const auto file = static_cast<ReferenceFile>(k);
        const QString name = referenceFileName(file);
        const std::optional<QByteArray> bytes = readFile(name);
        if (!bytes || !readReferenceFile(file, *bytes, tables))
            return ReferenceDataStatus{name};
    }
    Stelle = std::move(tables.stars);
    Record_stella = std::move(tables.lastStar);
    Linee_costellazioni = std::move(tables.lines);
    Nomi_costellazioni = std::move(tables.names);
    Corpi_celesti = std::move(tables.bodies);
    Tabella_magnitudini = std::move(tables.magnitudes);
    Tabella_frequenze = std::move(tables.frequencies);
    return {};
}

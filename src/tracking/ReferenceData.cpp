#include "tracking/ReferenceData.h"

#include "tracking/FieldReader.h"
#include "services/ProgramFolder.h"
#include "services/TextData.h"

#include <QFile>
#include <QtEndian>

#include <bit>
#include <cmath>
#include <optional>

namespace {

const QString kStarsFile = QStringLiteral("stars.bin");
const QString kLinesFile = QStringLiteral("clines.dat");
const QString kNamesFile = QStringLiteral("cnames.dat");
const QString kPlanetsFile = QStringLiteral("planets.dat");
const QString kMagnitudesFile = QStringLiteral("magnitud.dat");
const QString kFrequenciesFile = QStringLiteral("frequen.dat");

/// The stored units of the constellation files: thousandths of an hour, hundredths of a degree.
constexpr double kThousandthsPerHour = 1000.0;
constexpr double kHundredthsPerDegree = 100.0;
constexpr int kConstellationCodeLength = 3;

/// Everything the loader reads, committed to the shared tables only when all of it loaded.
struct Tables
{
    std::vector<Stella> stars = std::vector<Stella>(kStarCount + 1);
    Stella_catalogo lastStar;
    std::vector<Linea_costellazione> lines = std::vector<Linea_costellazione>(
        kConstellationLineCount + 1);
    std::vector<Nome_costellazione> names = std::vector<Nome_costellazione>(
        kConstellationNameCount + 1);
    std::array<Corpo_celeste, kBodyCount + 1> bodies = Corpi_celesti;
    std::vector<std::string> magnitudes = std::vector<std::string>(1);
    std::vector<Record_TLE> frequencies = std::vector<Record_TLE>(1);
};

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

std::optional<FieldReader> openFields(const QString& name)
{
    const std::optional<QByteArray> bytes = readFile(name);
    if (!bytes)
        return std::nullopt;
    return FieldReader(QString::fromUtf8(*bytes));
}

float readFloat(const char* bytes)
{
    return std::bit_cast<float>(qFromLittleEndian<quint32>(bytes));
}

std::string latin1(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes).toStdString();
}

bool loadStars(Tables& tables)
{
    const std::optional<QByteArray> bytes = readFile(kStarsFile);
    if (!bytes || bytes->size() < qsizetype{kStarCount} * kStarRecordSize)
        return false;
    for (int k = 1; k <= kStarCount; ++k) {
        const QByteArrayView record(bytes->constData() + qsizetype{k - 1} * kStarRecordSize,
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

bool loadLines(Tables& tables)
{
    std::optional<FieldReader> fields = openFields(kLinesFile);
    if (!fields)
        return false;
    for (int k = 1; k <= kConstellationLineCount; ++k) {
        if (!fields->text())
            return false;
        const std::optional<double> ra1 = fields->number();
        const std::optional<double> dec1 = fields->number();
        const std::optional<double> ra2 = fields->number();
        const std::optional<double> dec2 = fields->number();
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

bool loadNames(Tables& tables)
{
    std::optional<FieldReader> fields = openFields(kNamesFile);
    if (!fields)
        return false;
    for (int k = 1; k <= kConstellationNameCount; ++k) {
        const std::optional<double> ra = fields->number();
        const std::optional<double> dec = fields->number();
        const std::optional<QString> name = fields->text();
        const std::optional<QString> code = fields->text();
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

bool loadBodies(Tables& tables)
{
    std::optional<FieldReader> fields = openFields(kPlanetsFile);
    if (!fields)
        return false;
    for (std::size_t k = 1; k <= kBodyCount; ++k) {
        const std::optional<QString> name = fields->text();
        if (!name)
            return false;
        Corpo_celeste& body = tables.bodies[k];
        body.Nome = name->toStdString();
        for (std::size_t e = 1; e < body.Elementi_orbitali.size(); ++e) {
            const std::optional<double> value = fields->number();
            if (!value)
                return false;
            body.Elementi_orbitali[e] = *value;
        }
    }
    return true;
}

bool loadMagnitudes(Tables& tables)
{
    std::optional<FieldReader> fields = openFields(kMagnitudesFile);
    if (!fields)
        return false;
    while (!fields->atEnd()) {
        const std::optional<QString> numberText = fields->text();
        if (!numberText || numberText->isEmpty())
            break;
        const std::optional<QString> magnitude = fields->text();
        const std::optional<double> number = parseDataNumber(*numberText);
        if (!magnitude || !number)
            return false;
        const double catalogueNumber = std::round(*number);
        if (catalogueNumber < 0 || catalogueNumber > kLastMagnitudeCatalogueNumber)
            return false;
        const auto index = static_cast<std::size_t>(catalogueNumber);
        // Guard: a number lower than one read before must not shrink the table and drop the
        // magnitudes of the higher numbers; the table only grows.
        if (index >= tables.magnitudes.size())
            tables.magnitudes.resize(index + 1);
        tables.magnitudes[index] = magnitude->toStdString();
    }
    return true;
}

bool loadFrequencies(Tables& tables)
{
    std::optional<FieldReader> fields = openFields(kFrequenciesFile);
    if (!fields)
        return false;
    while (!fields->atEnd()) {
        const std::optional<QString> numberText = fields->text();
        if (!numberText || numberText->isEmpty())
            break;
        const std::optional<double> uplink = fields->number();
        const std::optional<double> downlink = fields->number();
        const std::optional<QString> unused = fields->text();
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

ReferenceDataStatus Carica_archivi()
{
    Tables tables;
    const std::pair<const QString*, bool (*)(Tables&)> steps[] = {
        {&kStarsFile, loadStars},       {&kLinesFile, loadLines},
        {&kNamesFile, loadNames},       {&kPlanetsFile, loadBodies},
        {&kMagnitudesFile, loadMagnitudes}, {&kFrequenciesFile, loadFrequencies},
    };
    for (const auto& [file, load] : steps) {
        if (!load(tables))
            return ReferenceDataStatus{*file};
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

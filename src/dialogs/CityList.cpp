#include "dialogs/CityList.h"

#include "services/AtomicFile.h"
#include "services/TextData.h"

#include <QFile>

#include <cmath>
#include <optional>

namespace {

constexpr double kMaxLatitudeDeg = 90;
constexpr double kMaxLongitudeDeg = 180;
// Zones of the world run from -12 to +14 hours; a little room either side still reads, and
// the location dialog clamps what it cannot show.
constexpr double kMaxZoneHours = 24;

std::optional<float> fieldValue(QStringView field, double limit)
{
    const std::optional<double> value = parseDataNumber(field);
    if (!value || std::abs(*value) > limit)
        return std::nullopt;
    return static_cast<float>(*value);
}

enum class LineKind {
    Place,
    EndOfList, ///< a place with an empty name
    Invalid,
};

LineKind parseLine(QStringView line, City& city)
{
    if (!line.startsWith(u'"'))
        return LineKind::Invalid;
    const qsizetype close = line.indexOf(u'"', 1);
    if (close < 0)
        return LineKind::Invalid;
    const QStringView name = line.sliced(1, close - 1);
    const QStringView rest = line.sliced(close + 1).trimmed();
    if (!rest.startsWith(u','))
        return LineKind::Invalid;
    const QList<QStringView> fields = rest.sliced(1).split(u',');
    if (fields.size() != 3)
        return LineKind::Invalid;
    const std::optional<float> latitude = fieldValue(fields[0], kMaxLatitudeDeg);
    const std::optional<float> longitude = fieldValue(fields[1], kMaxLongitudeDeg);
    const std::optional<float> zone = fieldValue(fields[2], kMaxZoneHours);
    if (!latitude || !longitude || !zone)
        return LineKind::Invalid;
    if (name.isEmpty())
        return LineKind::EndOfList;
    city = City{name.toString(), *latitude, *longitude, *zone};
    return LineKind::Place;
}

QString numberText(float value)
{
    // The shortest text that reads back as the same single, never with an exponent: the
    // file's readers expect plain decimals.
    const float rounded = value == 0 ? 0.0f : value; // no "-0"
    QString text = formatDataNumber(rounded);
    if (text.contains(u'e')) {
        for (int decimals = 1; decimals <= 12; ++decimals) {
            text = QString::number(static_cast<double>(rounded), 'f', decimals);
            if (static_cast<float>(text.toDouble()) == rounded)
                break;
        }
    }
    return text;
}

} // namespace

void CityTable::assign(const std::vector<City>& cities)
{
    m_rows = cities;
}

int CityTable::add(const City& city)
{
    m_rows.push_back(city);
    return lastRow();
}

bool CityTable::replace(int row, const City& city)
{
    if (row < 1 || row > lastRow())
        return false;
    m_rows[static_cast<std::size_t>(row - 1)] = city;
    return true;
}

void CityTable::remove(int row)
{
    if (row >= 1 && row <= lastRow())
        m_rows[static_cast<std::size_t>(row - 1)] = City{};
}

const City* CityTable::row(int row) const
{
    if (row < 1 || row > lastRow())
        return nullptr;
    const City& city = m_rows[static_cast<std::size_t>(row - 1)];
    return city.name.isEmpty() ? nullptr : &city;
}

int CityTable::firstRowNamed(const QString& name) const
{
    if (name.isEmpty())
        return 0;
    for (int r = 1; r <= lastRow(); ++r) {
        if (m_rows[static_cast<std::size_t>(r - 1)].name == name)
            return r;
    }
    return 0;
}

std::vector<City> CityTable::places() const
{
    std::vector<City> result;
    for (const City& city : m_rows) {
        if (!city.name.isEmpty())
            result.push_back(city);
    }
    return result;
}

CityReading parseCityList(QStringView text)
{
    QString normalised = text.toString();
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(u'\r', u'\n');
    const QList<QStringView> lines = QStringView(normalised).split(u'\n');

    CityReading reading;
    int endOfList = 0; // line of a place without a name
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringView line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        const int lineNumber = static_cast<int>(i + 1);
        if (endOfList != 0) {
            // More places follow the end of the list: rewriting the file would lose them.
            reading.failedLine = endOfList;
            return reading;
        }
        City city;
        switch (parseLine(line, city)) {
        case LineKind::Place:
            reading.cities.push_back(city);
            break;
        case LineKind::EndOfList:
            endOfList = lineNumber;
            break;
        case LineKind::Invalid:
            reading.failedLine = lineNumber;
            return reading;
        }
    }
    reading.complete = true;
    return reading;
}

CityReading readCityFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        CityReading reading;
        reading.errorText = file.errorString();
        return reading;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        CityReading reading;
        reading.errorText = file.errorString();
        return reading;
    }
    CityReading reading = parseCityList(QString::fromUtf8(bytes));
    if (!reading.complete)
        reading.errorText = QStringLiteral("line %1").arg(reading.failedLine);
    return reading;
}

QString cityLine(const City& city)
{
    return u'"' + city.name + u'"' + u',' + numberText(city.latitude) + u',' +
           numberText(city.longitude) + u',' + numberText(city.zone);
}

bool isValidCityName(const QString& name)
{
    if (name.trimmed().isEmpty())
        return false;
    for (const QChar c : name) {
        if (c == u'"' || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

bool writeCityFile(const QString& path, const CityTable& table, QString* errorText)
{
    QByteArray bytes;
    for (const City& city : table.places())
        bytes += cityLine(city).toUtf8() + "\r\n";
    return writeFileAtomically(path, bytes, errorText);
}

#include "worldmap/ElementTexts.h"

#include "core/DateValue.h"

#include "services/DisplayFormat.h"

#include <QDate>

#include <cmath>

namespace {

constexpr double kPi = 3.14159265;
constexpr double kTwoPi = 6.2831853;
constexpr double kGm = 398600.8;          // [km^3/s^2]
constexpr double kEarthRadiusKm = 6378.135;
constexpr double kSecondsPerDay = 86400.0;

/// Characters `first` to `last` (1-based, inclusive) of a line, as far as it reaches.
QString columns(const std::string& line, std::size_t first, std::size_t last)
{
    if (line.size() < first)
        return {};
    return QString::fromStdString(line.substr(first - 1, last - first + 1));
}

/// The epoch as a calendar date and the day fraction as a time of day.
QString epochDate(double year, double dayOfYear, const QLocale& locale)
{
    const QDate date = QDate(static_cast<int>(year), 1, 1)
                           .addDays(static_cast<qint64>(std::floor(dayOfYear)) - 1);
    if (!date.isValid())
        return {};
    const double fraction = dayOfYear - std::floor(dayOfYear);
    const auto seconds =
        static_cast<int>(std::lround(fraction * kSecondsPerDay)) % static_cast<int>(kSecondsPerDay);
    DateValue::Parts day;
    day.year = date.year();
    day.month = date.month();
    day.day = date.day();
    DateValue::Parts time = day;
    time.hour = seconds / 3600;
    time.minute = seconds / 60 % 60;
    time.second = seconds % 60;
    return formatDate(day, u"dd mmm yyyy", locale) + QStringLiteral(" - ") +
           formatDate(time, u"hh:mm:ss", locale);
}

} // namespace

std::optional<DerivedOrbit> derivedOrbit(double meanMotionRevPerDay, double eccentricity)
{
    if (!(meanMotionRevPerDay > 0) || !(eccentricity >= 0 && eccentricity < 1))
        return std::nullopt;
    const double n = 2 * meanMotionRevPerDay * kPi / kSecondsPerDay; // [rad/s]
    DerivedOrbit orbit;
    orbit.semiMajorKm = std::cbrt(kGm / (n * n));
    orbit.semiMinorKm = orbit.semiMajorKm * std::sqrt(1 - eccentricity * eccentricity);
    orbit.periodSeconds = kTwoPi * orbit.semiMajorKm * std::sqrt(orbit.semiMajorKm / kGm);
    orbit.apogeeHeightKm = (1 + eccentricity) * orbit.semiMajorKm - kEarthRadiusKm;
    orbit.perigeeHeightKm = (1 - eccentricity) * orbit.semiMajorKm - kEarthRadiusKm;
    if (!std::isfinite(orbit.semiMajorKm))
        return std::nullopt;
    return orbit;
}

std::optional<ElementTexts> elementTexts(const Elemento_satellite& e, const Record_TLE& lines,
                                         double julianNow, const QLocale& locale)
{
    const std::optional<DerivedOrbit> orbit = derivedOrbit(e.Moto_medio, e.Eccentricita);
    if (!orbit)
        return std::nullopt;
    const auto number = [&locale](double value, QStringView pattern) {
        return formatNumber(value, pattern, locale);
    };
    ElementTexts t;
    t.noradNumber = formatNumberText(QString::fromStdString(e.Numero_catalogo), u"####0", locale);
    t.international = columns(lines.Riga1, 10, 15);
    t.launchYear = number(e.Anno_lancio, u"0000");
    t.launchNumber = number(e.Numero_lancio, u"##0") +
                     formatNumberText(QString::fromStdString(e.Pezzo_lancio), u"###", locale);
    t.age = number(julianNow - e.Epoca_giuliana, u"0.0");
    t.set = columns(lines.Riga1, 65, 68);
    // The stored magnitude is text with a "." point, as the magnitude file writes it.
    t.magStd = e.Magnitudine_standard.empty()
                   ? QStringLiteral("???")
                   : formatNumberText(QString::fromStdString(e.Magnitudine_standard), u"0.0",
                                      locale);
    t.epochTime = number(e.Giorno_epoca, u"##0.00000000") + u'@' + number(e.Anno_epoca, u"0000");
    t.date = epochDate(e.Anno_epoca, e.Giorno_epoca, locale);
    t.inclination = number(e.Inclinazione, u"##0.0000");
    t.raan = number(e.Raan, u"##0.0000");
    t.eccentricity = number(e.Eccentricita, u"0.0000000");
    t.argumentPerigee = number(e.Argomento_perigeo, u"##0.0000");
    t.meanAnomaly = number(e.Anomalia_media, u"##0.0000");
    t.meanMotion = number(e.Moto_medio, u"#0.00000000");
    t.dev1 = number(e.Derivata_prima, u"0.00000000");
    t.dev2 = number(e.Derivata_seconda * std::pow(10.0, e.Esponente_derivata_seconda),
                    u"0.00000000");
    t.bStar = number(e.Bstar * std::pow(10.0, e.Esponente_bstar), u"0.00000000");
    t.orbitNumberEpoch = number(e.Numero_rivoluzione, u"####0");
    t.apogee = number(orbit->apogeeHeightKm, u"#####0.0");
    t.perigee = number(orbit->perigeeHeightKm, u"#####0.0");
    t.orbitalPeriod = number(orbit->periodSeconds / 60, u"####0.0");
    t.semiMaj = number(orbit->semiMajorKm, u"#####0.0");
    t.semiMin = number(orbit->semiMinorKm, u"#####0.0");
    t.zeroLine = QString::fromStdString(lines.Riga0);
    t.firstLine = QString::fromStdString(lines.Riga1);
    t.secondLine = QString::fromStdString(lines.Riga2);
    return t;
}

ElementTexts emptyElementTexts(const QLocale& locale)
{
    const QString zero = QStringLiteral("0");
    const QString zeroDecimal = formatNumber(0, u"0.0", locale);
    ElementTexts t;
    for (QString* text : {&t.noradNumber, &t.international, &t.launchYear, &t.launchNumber, &t.age,
                          &t.set, &t.magStd, &t.epochTime, &t.inclination, &t.raan,
                          &t.eccentricity, &t.argumentPerigee, &t.meanAnomaly, &t.meanMotion,
                          &t.dev1, &t.dev2, &t.bStar, &t.orbitNumberEpoch})
        *text = zero;
    for (QString* text : {&t.apogee, &t.perigee, &t.orbitalPeriod, &t.semiMaj, &t.semiMin})
        *text = zeroDecimal;
    t.zeroLine = QStringLiteral("N");
    t.firstLine = QStringLiteral("1");
    t.secondLine = QStringLiteral("2");
    return t;
}

#include "predictions/EphemerisRows.h"

#include "core/mMate.h"
#include "predictions/ListingText.h"
#include "services/DisplayFormat.h"
#include "services/mLang.h"

#include <variant>

namespace {

using listingText::number;

constexpr int kLabelWidth = 9;
const QString kThree = QStringLiteral("   ");
const QString kTwo = QStringLiteral("  ");
// Spans the four kilometre and the four kilometre-per-second columns of the inertial rows.
const QString kEciRuler = QStringLiteral(
    "                        --------------------(km.)---------------------  "
    "-------------(km/sec)-------------");

QString magnitudeText(const Magnitude& magnitude, const QLocale& locale)
{
    if (const double* value = std::get_if<double>(&magnitude))
        return formatNumber(*value, u"0.0", locale);
    return QString::fromStdString(std::get<std::string>(magnitude));
}

QString obsRow(const SatelliteSample& s, const ListingTexts& texts, const QLocale& locale)
{
    const Posizione_satellite& v = s.valori;
    const int status = v.Stato >= 0 && v.Stato < 4 ? v.Stato : 0;
    return kThree + number(v.Elevazione, 6, u"0.00", locale) + kThree
           + number(v.Azimut, 6, u"0.00", locale) + kThree + number(v.Distanza, 8, u"0.0", locale)
           + kThree + number(v.Quota, 8, u"0.0", locale) + kThree
           + listingText::right(magnitudeText(v.Magnitudine, locale), 4) + kThree
           + number(v.Frazione_illuminata * 100.0, 4, u"0.0", locale) + kThree
           + number(v.Angolo_fase, 5, u"0.0", locale) + kThree
           + number(s.sunElevationDeg, 6, u"#0.00", locale) + kThree
           + texts.status[static_cast<std::size_t>(status)];
}

QString eciRow(const SatelliteSample& s, const QLocale& locale)
{
    const auto& p = s.eci.positionKm;
    const auto& w = s.eci.velocityKmS;
    return kThree + number(p[0], 10, u"0.000", locale) + kTwo + number(p[1], 10, u"0.000", locale)
           + kTwo + number(p[2], 10, u"0.000", locale) + kTwo
           + number(s.valori.Distanza_geocentrica, 10, u"0.000", locale) + kTwo
           + number(w[0], 7, u"0.000", locale) + kTwo + number(w[1], 7, u"0.000", locale) + kTwo
           + number(w[2], 7, u"0.000", locale) + kTwo
           + number(s.valori.Velocita, 7, u"0.000", locale);
}

QString llaRow(const SatelliteSample& s, const QLocale& locale)
{
    const Posizione_satellite& v = s.valori;
    return kThree + number(v.Latitudine_proiezione, 6, u"0.00", locale) + kThree
           + number(v.Longitudine_est, 6, u"0.00", locale) + kThree
           + number(v.Quota, 8, u"0.0", locale);
}

QString radRow(const SatelliteSample& s, const Dati_osservatore& observer, const QLocale& locale)
{
    const SkyPositionText sky = skyPosition(s, observer, locale);
    return kTwo + listingText::right(sky.rightAscension, 10) + kThree
           + listingText::right(sky.declination, 7);
}

} // namespace

std::optional<CoordinateSystem> coordinateSystem(int number)
{
    if (number < static_cast<int>(CoordinateSystem::Obs)
        || number > static_cast<int>(CoordinateSystem::Rad))
        return std::nullopt;
    return static_cast<CoordinateSystem>(number);
}

ListingTexts ListingTexts::load(const std::function<QString(int)>& statusName)
{
    ListingTexts t;
    const auto text = [](const char16_t* key) { return mLang::Testo_lingua(u"frmDetails", key); };
    t.satellite = text(u"satellite");
    t.satelliteA = text(u"satellitea");
    t.satelliteB = text(u"satelliteb");
    t.elements = text(u"elementiorbita");
    t.location = text(u"localita");
    t.latitude = mLang::Testo_lingua(u"Def", u"lat");
    t.longitude = mLang::Testo_lingua(u"Def", u"lon");
    t.ephemerisHeadings = {text(u"intestazioneobs"), text(u"intestazioneeci"),
                           text(u"intestazionella"), text(u"intestazionerad")};
    t.relativeHeadings = {text(u"intestazionerelativoobs"), text(u"intestazionerelativoeci"),
                          text(u"intestazionerelativolla"), text(u"intestazionerelativorad")};
    for (int status = 0; status < 4; ++status)
        t.status[static_cast<std::size_t>(status)] = statusName ? statusName(status) : QString();
    return t;
}

SkyPositionText skyPosition(const SatelliteSample& sample, const Dati_osservatore& observer,
                            const QLocale& locale)
{
    const mAstro::SexagesimalEquatorial e = mAstro::horizontalToEquatorial(
        sample.valori.Azimut * mMate::kDegToRad, sample.valori.Elevazione * mMate::kDegToRad,
        static_cast<double>(observer.Latitudine_osservatore), sample.time.Tempo_siderale_locale);
    SkyPositionText sky;
    sky.rightAscension = formatNumber(e.hours, u"00", locale) + u'h'
                         + formatNumber(e.minutes, u"00", locale) + u'm'
                         + formatNumber(e.seconds, u"00", locale) + u's';
    sky.declination = QChar::fromLatin1(e.sign) + formatNumber(e.degrees, u"00", locale)
                      + QChar(0x00B0) + formatNumber(e.degreeMinutes, u"00", locale) + u'\'';
    sky.rightAscensionHours = mMate::Gradi_decimali(e.hours, e.minutes, e.seconds);
    const double declination = e.degrees + e.degreeMinutes / 60.0;
    sky.declinationDeg = e.sign == '-' ? -declination : declination;
    return sky;
}

QStringList satelliteHeader(const QString& label, const QString& elementsLabel,
                            const Elemento_satellite& elements, const Record_TLE& lines,
                            int labelWidth, const QLocale& locale)
{
    const QString separator = QStringLiteral(": ");
    return {listingText::left(label, labelWidth) + separator
                + QString::fromStdString(elements.Nome_satellite).trimmed(),
            listingText::left(QStringLiteral("Norad #"), labelWidth) + separator
                + QString::fromStdString(elements.Numero_catalogo),
            listingText::left(QStringLiteral("ID #"), labelWidth) + separator
                + listingText::launchDesignation(QString::fromStdString(lines.Riga1)),
            listingText::left(elementsLabel, labelWidth) + separator
                + listingText::epoch(elements, locale)};
}

QStringList ephemerisHeader(CoordinateSystem system, const Elemento_satellite& elements,
                            const Record_TLE& lines, const Dati_osservatore& observer,
                            const ListingTexts& texts, const QLocale& locale)
{
    QStringList header{QString()};
    header += satelliteHeader(texts.satellite, texts.elements, elements, lines, kLabelWidth,
                              locale);
    header += QString();
    const QString place = listingText::left(texts.location, kLabelWidth) + QStringLiteral(": ")
                          + QString::fromStdString(observer.Nome_localita);
    const std::size_t heading = static_cast<std::size_t>(system) - 1;
    switch (system) {
    case CoordinateSystem::Obs:
        header += place + QStringLiteral(" (") + texts.latitude + u' '
                  + formatNumber(static_cast<double>(observer.Latitudine_osservatore),
                                 u"#0.000\u00B0", locale)
                  + u' ' + texts.longitude + u' '
                  + formatNumber(static_cast<double>(observer.Longitudine_osservatore),
                                 u"##0.000\u00B0", locale)
                  + u')';
        header += QString();
        break;
    case CoordinateSystem::Eci:
        header += listingText::alignedToDates(kEciRuler, locale);
        break;
    case CoordinateSystem::Lla:
        break;
    case CoordinateSystem::Rad:
        header += place;
        header += QString();
        break;
    }
    header += listingText::alignedToDates(texts.ephemerisHeadings[heading], locale);
    header += QString();
    return header;
}

QString ephemerisRow(CoordinateSystem system, double date, const SatelliteSample& sample,
                     const Dati_osservatore& observer, const ListingTexts& texts,
                     const QLocale& locale)
{
    const QString time = listingText::dateTime(date, locale);
    switch (system) {
    case CoordinateSystem::Obs:
        return time + obsRow(sample, texts, locale);
    case CoordinateSystem::Eci:
        return time + eciRow(sample, locale);
    case CoordinateSystem::Lla:
        return time + llaRow(sample, locale);
    case CoordinateSystem::Rad:
        return time + radRow(sample, observer, locale);
    }
    return time;
}

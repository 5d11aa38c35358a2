#include "predictions/RelativeRows.h"

#include "core/mMate.h"
#include "predictions/ListingText.h"
#include "services/DisplayFormat.h"

#include <algorithm>
#include <cmath>

namespace {

using listingText::number;
using listingText::right;

constexpr int kLabelWidth = 11;
constexpr double kHalfTurnDeg = 180.0;
constexpr double kFullTurnDeg = 360.0;
constexpr double kHalfDayHours = 12.0;
constexpr double kFullDayHours = 24.0;

const QString kEciRuler = QStringLiteral("                         ------------Satellite A----------    -----------Satellite B-----------");
const QString kObsRuler = QStringLiteral("                                                      -------Satellite A------    -------Satellite B------");
const QString kLlaRuler = QStringLiteral("                                                      ---------Satellite A-------    ---------Satellite B-------");

QString blanks(int count)
{
    return QString(count, u' ');
}

/// Arccosine in degrees of a cosine made from rounded vectors.
double angleDeg(double cosine)
{
    // Guard: two equal directions can give a cosine a little above 1, whose arccosine is not
    // a number; the angle between them is 0.
    return mMate::Arcocoseno(std::clamp(cosine, -1.0, 1.0)) * mMate::kRadToDeg;
}

QString hoursMinutesSeconds(double hours, const QLocale& locale)
{
    double h = 0, m = 0, s = 0;
    mMate::Gradi_primi_secondi(hours, h, m, s);
    return formatNumber(h, u"00", locale) + u'h' + formatNumber(m, u"00", locale) + u'm'
           + formatNumber(s, u"00", locale) + u's';
}

QString degreesMinutes(double degrees, const QLocale& locale)
{
    double d = 0, n = 0;
    mMate::Gradi_primi(degrees, d, n);
    return formatNumber(d, u"00", locale) + QChar(0x00B0) + formatNumber(n, u"00", locale) + u'\'';
}

QString latitudeText(const Posizione_satellite& v, const QLocale& locale)
{
    return formatNumber(v.Latitudine, u"0.00", locale) + QChar(0x00B0)
           + QString::fromStdString(v.Emisfero_ns);
}

QString longitudeText(const Posizione_satellite& v, const QLocale& locale)
{
    return formatNumber(v.Longitudine, u"0.00", locale) + QChar(0x00B0)
           + QString::fromStdString(v.Emisfero_ew);
}

QString eciRow(const SatelliteSample& a, const SatelliteSample& b, const RelativeGeometry& g,
               const QLocale& locale)
{
    QString row = blanks(3) + number(a.eci.positionKm[0], 10, u"0.000", locale);
    for (const double value : {a.eci.positionKm[1], a.eci.positionKm[2], b.eci.positionKm[0],
                               b.eci.positionKm[1], b.eci.positionKm[2]})
        row += blanks(2) + number(value, 10, u"0.000", locale);
    return row + blanks(2) + number(g.distanceKm, 8, u"0.0", locale);
}

QString obsRow(const SatelliteSample& a, const SatelliteSample& b, const RelativeGeometry& g,
               const QLocale& locale)
{
    QString row = blanks(4) + number(g.geocentricAngleDeg, 6, u"0.00", locale) + blanks(3)
                  + number(g.observedAngleDeg, 6, u"0.00", locale) + blanks(2)
                  + number(g.distanceKm, 8, u"0.0", locale);
    for (const SatelliteSample* s : {&a, &b})
        row += blanks(4) + number(s->valori.Elevazione, 6, u"0.00", locale) + blanks(2)
               + number(s->valori.Azimut, 6, u"0.00", locale) + blanks(2)
               + number(s->valori.Quota, 8, u"0.0", locale);
    return row;
}

QString llaRow(const SatelliteSample& a, const SatelliteSample& b, const RelativeGeometry& g,
               const QLocale& locale)
{
    QString row = blanks(4) + number(g.latitudeDifferenceDeg, 6, u"0.00", locale) + blanks(3)
                  + number(g.longitudeDifferenceDeg, 6, u"0.00", locale) + blanks(2)
                  + number(g.distanceKm, 8, u"0.0", locale);
    for (const SatelliteSample* s : {&a, &b})
        row += blanks(4) + right(latitudeText(s->valori, locale), 7) + blanks(2)
               + right(longitudeText(s->valori, locale), 8) + blanks(2)
               + number(s->valori.Quota, 8, u"0.0", locale);
    return row;
}

QString radRow(const SatelliteSample& a, const SatelliteSample& b, const RelativeGeometry& g,
               const Dati_osservatore& observer, const QLocale& locale)
{
    const SkyPositionText skyA = skyPosition(a, observer, locale);
    const SkyPositionText skyB = skyPosition(b, observer, locale);
    const double raDifference =
        rightAscensionDifferenceHours(skyA.rightAscensionHours, skyB.rightAscensionHours);
    const double decDifference = std::fabs(skyA.declinationDeg - skyB.declinationDeg);
    return blanks(5) + right(hoursMinutesSeconds(raDifference, locale), 9) + blanks(2)
           + right(degreesMinutes(decDifference, locale), 6) + blanks(3)
           + number(g.distanceKm, 8, u"0.0", locale) + blanks(4) + right(skyA.rightAscension, 9)
           + blanks(4) + right(skyA.declination, 7) + blanks(8) + right(skyB.rightAscension, 9)
           + blanks(4) + right(skyB.declination, 7);
}

} // namespace

RelativeGeometry relativeGeometry(const SatelliteSample& a, const SatelliteSample& b)
{
    const auto& p = a.eci.positionKm;
    const auto& q = b.eci.positionKm;
    RelativeGeometry g;
    g.distanceKm = std::sqrt((p[0] - q[0]) * (p[0] - q[0]) + (p[1] - q[1]) * (p[1] - q[1])
                             + (p[2] - q[2]) * (p[2] - q[2]));
    const double lengths = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2])
                           * std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2]);
    const double dot = p[0] * q[0] + p[1] * q[1] + p[2] * q[2];
    // Guard: a position at the Earth's centre has no direction; its angle is given as 0.
    g.geocentricAngleDeg = lengths > 0 ? angleDeg(dot / lengths) : 0.0;
    const Posizione_satellite& va = a.valori;
    const Posizione_satellite& vb = b.valori;
    g.observedAngleDeg = angleDeg(va.Direzione_est * vb.Direzione_est
                                  + va.Direzione_nord * vb.Direzione_nord
                                  + va.Direzione_zenit * vb.Direzione_zenit);
    g.latitudeDifferenceDeg = std::fabs(va.Latitudine_proiezione - vb.Latitudine_proiezione);
    g.longitudeDifferenceDeg = std::fabs(va.Longitudine_est - vb.Longitudine_est);
    if (g.longitudeDifferenceDeg > kHalfTurnDeg)
        g.longitudeDifferenceDeg = kFullTurnDeg - g.longitudeDifferenceDeg;
    return g;
}

double rightAscensionDifferenceHours(double raAHours, double raBHours)
{
    const double difference = std::fabs(raAHours - raBHours);
    return difference > kHalfDayHours ? kFullDayHours - difference : difference;
}

QStringList relativeHeader(CoordinateSystem system, const TrackSet& tracks,
                           const Record_TLE& linesA, const Record_TLE& linesB,
                           const ListingTexts& texts, const QLocale& locale)
{
    QStringList header{QString()};
    header += satelliteHeader(texts.satelliteA, texts.elements, tracks.track(0).elements(), linesA,
                              kLabelWidth, locale);
    header += satelliteHeader(texts.satelliteB, texts.elements, tracks.track(1).elements(), linesB,
                              kLabelWidth, locale);
    header += QString();
    switch (system) {
    case CoordinateSystem::Eci:
        header += listingText::alignedToDates(kEciRuler, locale);
        break;
    case CoordinateSystem::Lla:
        header += listingText::alignedToDates(kLlaRuler, locale);
        break;
    case CoordinateSystem::Obs:
    case CoordinateSystem::Rad:
        header += listingText::alignedToDates(kObsRuler, locale);
        break;
    }
    header += listingText::alignedToDates(
        texts.relativeHeadings[static_cast<std::size_t>(system) - 1], locale);
    header += QString();
    return header;
}

QString relativeRow(CoordinateSystem system, double date, const ListingSamples& samples,
                    const Dati_osservatore& observer, const QLocale& locale)
{
    const SatelliteSample& a = samples.of[0];
    const SatelliteSample& b = samples.of[1];
    const RelativeGeometry g = relativeGeometry(a, b);
    const QString time = listingText::dateTime(date, locale);
    switch (system) {
    case CoordinateSystem::Eci:
        return time + eciRow(a, b, g, locale);
    case CoordinateSystem::Obs:
        return time + obsRow(a, b, g, locale);
    case CoordinateSystem::Lla:
        return time + llaRow(a, b, g, locale);
    case CoordinateSystem::Rad:
        return time + radRow(a, b, g, observer, locale);
    }
    return time;
}

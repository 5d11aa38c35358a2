#include "tracking/TickTexts.h"

#include "core/DateValue.h"
#include "services/DisplayFormat.h"
#include "services/TextData.h"
#include "services/mLang.h"

#include <algorithm>
#include <cmath>
#include <variant>

namespace {

constexpr double kSecondsPerHour = 3600.0;
constexpr double kSecondsPerMinute = 60.0;
constexpr int kFirstChannel = 1;
constexpr int kLastChannel = 10;

// The degree sign, kept out of the source text.
const QString kDegree = QStringLiteral("\u00B0");

QString number(double value, const QString& pattern, const QLocale& locale)
{
    return formatNumber(value, pattern, locale);
}

QString magnitudeText(const Posizione_satellite& valori, const QLocale& locale)
{
    if (valori.Elevazione < 0 || valori.Stato == kStatoEclisse)
        return QStringLiteral("*");
    if (const double* value = std::get_if<double>(&valori.Magnitudine))
        return number(*value, QStringLiteral("#0.0"), locale);
    return QString::fromStdString(std::get<std::string>(valori.Magnitudine));
}

QString date(double dateValue, const QString& pattern, const QLocale& locale)
{
    return formatDate(DateValue::split(dateValue), pattern, locale);
}

QString g_eclipsedName;
QString g_visibleName;
QString g_notVisibleName;

} // namespace

void readStatusNames()
{
    g_eclipsedName = mLang::Testo_lingua(u"Conditions", u"eclisse");
    g_visibleName = mLang::Testo_lingua(u"Conditions", u"visibile");
    g_notVisibleName = mLang::Testo_lingua(u"Conditions", u"nonvisibile");
}

QString statusName(int stato)
{
    switch (stato) {
    case kStatoEclisse:
        return g_eclipsedName;
    case kStatoVisibile:
        return g_visibleName;
    case kStatoIlluminato:
        return g_notVisibleName;
    default:
        return {};
    }
}

int statusColumnWidth()
{
    qsizetype width = kStatusColumnWidth;
    for (const QString* name : {&g_eclipsedName, &g_visibleName, &g_notVisibleName})
        width = std::max(width, name->size());
    return static_cast<int>(width);
}

int passDateGapGiven()
{
    return std::clamp(statusColumnWidth() - kStatusColumnWidth, 0, kPassDateGap - 2);
}

QString periodText(double periodSeconds)
{
    const double hours = std::floor(periodSeconds / kSecondsPerHour);
    const double minutes =
        std::floor((periodSeconds - kSecondsPerHour * hours) / kSecondsPerMinute);
    const double seconds =
        std::floor(periodSeconds - kSecondsPerHour * hours - kSecondsPerMinute * minutes);
    const QString twoDigits = QStringLiteral("00");
    const QLocale c = QLocale::c();
    return number(hours, twoDigits, c) + u':' + number(minutes, twoDigits, c) + u':' +
           number(seconds, twoDigits, c);
}

QString dopplerText(const std::string& frequency, double rangeRateKmS, int sign,
                    const QLocale& locale)
{
    if (frequency.empty())
        return QStringLiteral("0");
    const double base = leadingNumber(QString::fromStdString(frequency));
    return number(base * (1.0 + sign * rangeRateKmS / kLightSpeedKmS), QStringLiteral("000.0000"),
                  locale);
}

PrincipalTexts widestPrincipalTexts(const QLocale& locale)
{
    const QString point = locale.decimalPoint();
    const QString minus = locale.negativeSign();
    const auto digits = [&point](int whole, int decimals) {
        return QString(whole, u'0') + point + QString(decimals, u'0');
    };
    PrincipalTexts t;
    t.latitude = digits(2, 2) + kDegree + u'N';
    t.longitude = digits(3, 2) + kDegree + u'W';
    t.height = digits(6, 1);
    t.range = digits(6, 1);
    t.rangeRate = minus + digits(2, 1);
    t.orbitNumber = digits(6, 1);
    t.elevation = minus + digits(2, 2) + kDegree;
    t.azimuth = digits(3, 2) + kDegree;
    t.apogee = digits(6, 1);
    t.perigee = digits(6, 1);
    t.period = QStringLiteral("00:00:00");
    t.speed = digits(2, 1);
    t.rightAscension = QStringLiteral("00h00m00s");
    t.declination = QStringLiteral("+00") + kDegree + QStringLiteral("00'");
    for (const int stato : {kStatoEclisse, kStatoVisibile, kStatoIlluminato}) {
        if (statusName(stato).size() > t.state.size())
            t.state = statusName(stato);
    }
    t.magnitude = minus + digits(2, 1);
    t.downlink = digits(4, 4);
    t.uplink = digits(4, 4);
    return t;
}

PrincipalTexts principalTexts(const Posizione_satellite& valori, const Elemento_satellite& elements,
                              int channel, const mAstro::SexagesimalEquatorial& equatorial,
                              const QString& stateName, const QLocale& locale)
{
    // Guard: a channel number outside 1..10 would index past the channel table.
    const auto c = static_cast<std::size_t>(
        channel >= kFirstChannel && channel <= kLastChannel ? channel : kFirstChannel);
    const QString twoDigits = QStringLiteral("00");
    const QLocale plain = QLocale::c();
    PrincipalTexts texts;
    texts.latitude = number(valori.Latitudine, QStringLiteral("#0.00") + kDegree, locale) +
                     QString::fromStdString(valori.Emisfero_ns);
    texts.longitude = number(valori.Longitudine, QStringLiteral("##0.00") + kDegree, locale) +
                      QString::fromStdString(valori.Emisfero_ew);
    texts.height = number(valori.Quota, QStringLiteral("#####0.0"), locale);
    texts.range = number(valori.Distanza, QStringLiteral("#####0.0"), locale);
    texts.rangeRate = number(valori.Variazione_distanza, QStringLiteral("#0.0"), locale);
    texts.orbitNumber = number(valori.Orbita, QStringLiteral("#####0.0"), locale);
    texts.elevation = number(valori.Elevazione, QStringLiteral("00.00") + kDegree, locale);
    texts.azimuth = number(valori.Azimut, QStringLiteral("#00.00") + kDegree, locale);
    texts.apogee = number(valori.Apogeo, QStringLiteral("#####0.0"), locale);
    texts.perigee = number(valori.Perigeo, QStringLiteral("#####0.0"), locale);
    texts.period = periodText(valori.Periodo);
    texts.speed = number(valori.Velocita, QStringLiteral("##0.0"), locale);
    texts.rightAscension = number(equatorial.hours, twoDigits, plain) + u'h' +
                           number(equatorial.minutes, twoDigits, plain) + u'm' +
                           number(equatorial.seconds, twoDigits, plain) + u's';
    texts.declination = QChar::fromLatin1(equatorial.sign) +
                        number(equatorial.degrees, twoDigits, plain) + kDegree +
                        number(equatorial.degreeMinutes, twoDigits, plain) + u'\'';
    texts.state = stateName;
    texts.magnitude = magnitudeText(valori, locale);
    texts.downlink =
        dopplerText(elements.Frequenze_downlink[c], valori.Variazione_distanza, -1, locale);
    texts.uplink =
        dopplerText(elements.Frequenze_uplink[c], valori.Variazione_distanza, +1, locale);
    return texts;
}

std::optional<QString> statusClockText(int formato, const mAstro::TimeState& time,
                                       std::uint8_t daylightSaving, const QLocale& locale)
{
    const QString mark = daylightSaving == 1 ? QStringLiteral("*") : QString();
    const QString localMark = u' ' + mark;
    const QString greenwich = QStringLiteral(" (Greenwich)");
    switch (formato) {
    case 0:
        return date(time.Data_locale, QStringLiteral("dd mmmm yyyy  hh:mm:ss"), locale) + localMark;
    case 1:
        return date(time.Data_greenwich, QStringLiteral("dd mmmm yyyy  hh:mm:ss"), locale) +
               greenwich;
    case 2:
        return date(time.Data_locale, QStringLiteral("ddd dd mmmm yyyy  hh:mm:ss"), locale) +
               localMark;
    case 3:
        return date(time.Data_greenwich, QStringLiteral("ddd dd mmmm yyyy  hh:mm:ss"), locale) +
               greenwich;
    case 4:
        return date(time.Data_locale, QStringLiteral("mmm dd yyyy  hh:mm:ss"), locale) + localMark;
    case 5:
        return date(time.Data_greenwich, QStringLiteral("mmm dd yyyy  hh:mm:ss"), locale) +
               QStringLiteral(" Greenwich");
    case 6:
        return number(time.Giorno_anno_locale, QStringLiteral("000 giorno"), locale) +
               date(time.Data_locale, QStringLiteral(" hh:mm:ss"), locale) + localMark;
    case 7:
        return number(time.Giorno_anno, QStringLiteral("000 giorno"), locale) +
               date(time.Data_greenwich, QStringLiteral(" hh:mm:ss"), locale) +
               QStringLiteral(" Greenwich");
    case 8:
        return number(time.Giorno_anno_locale + time.Ora_locale / 24.0,
                      QStringLiteral("##0.00000000"), locale) +
               u'@' + QString::number(static_cast<int>(time.Anno_locale)) + localMark;
    case 9:
        return number(time.Giorno_anno + time.Ora_greenwich / 24.0, QStringLiteral("##0.00000000"),
                      locale) +
               u'@' + QString::number(static_cast<int>(time.Anno_greenwich)) +
               QStringLiteral(" Greenwich");
    default:
        return std::nullopt;
    }
}

mAstro::TimeState currentTimeState()
{
    mAstro::TimeState t;
    t.Data_giuliana = mAstro::Data_giuliana;
    t.Data_giuliana_0h = mAstro::Data_giuliana_0h;
    t.Tempo_siderale_locale = mAstro::Tempo_siderale_locale;
    t.Tempo_siderale = mAstro::Tempo_siderale;
    t.Data_locale = mAstro::Data_locale;
    t.Data_greenwich = mAstro::Data_greenwich;
    t.Giorno_anno = mAstro::Giorno_anno;
    t.Giorno_anno_locale = mAstro::Giorno_anno_locale;
    t.Anno_greenwich = mAstro::Anno_greenwich;
    t.Mese_greenwich = mAstro::Mese_greenwich;
    t.Giorno_greenwich = mAstro::Giorno_greenwich;
    t.Anno_locale = mAstro::Anno_locale;
    t.Mese_locale = mAstro::Mese_locale;
    t.Giorno_locale = mAstro::Giorno_locale;
    t.Ora_greenwich = mAstro::Ora_greenwich;
    t.Ora_locale = mAstro::Ora_locale;
    return t;
}

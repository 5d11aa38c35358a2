#include "skycharts/SkyObjectTexts.h"

#include "services/DisplayFormat.h"

#include <cmath>

namespace skycharts {

namespace {

// Light travel over one astronomical unit [hours], as the program rounds it.
constexpr float kLightHoursPerAu = 0.1386f;
constexpr double kLightSpeedKmS = 299792.0;
constexpr double kSunMagnitude = -26.4;

struct HoursMinutesSeconds
{
    long hours = 0;
    long minutes = 0;
    long seconds = 0;
};

HoursMinutesSeconds splitSeconds(double totalSeconds)
{
    const long total = std::lround(std::max(totalSeconds, 0.0));
    return {total / 3600, (total % 3600) / 60, total % 60};
}

QString degreesText(double value, QStringView pattern, const QLocale& locale)
{
    return formatNumber(value, pattern, locale);
}

} // namespace

QString rightAscensionText(double hours)
{
    const double h = std::floor(hours);
    const double m = std::floor((hours - h) * 60.0);
    const double s = std::floor(((hours - h) * 60.0 - m) * 60.0);
    return formatNumber(h, u" 00h") + formatNumber(m, u" 00m") + formatNumber(s, u" 00s");
}

QString declinationText(double degrees)
{
    const QChar sign = degrees < 0 ? u'-' : u'+';
    const float a = std::fabs(static_cast<float>(degrees));
    const float d = std::floor(a);
    const float n = std::floor((a - d) * 60.0f);
    return sign + formatNumber(d, u"00\u00b0") + formatNumber(n, u" 00'");
}

QString diameterText(double arcseconds)
{
    const double minutes = std::floor(arcseconds / 60.0);
    const double seconds = std::floor(arcseconds - minutes * 60.0);
    return formatNumber(minutes, u"#0'") + formatNumber(seconds, u"00''");
}

QString planetLightTimeText(double distanceAu)
{
    const float lightHours = static_cast<float>(distanceAu) * kLightHoursPerAu;
    const HoursMinutesSeconds t = splitSeconds(static_cast<double>(lightHours) * 3600.0);
    if (t.hours == 0)
        return formatNumber(static_cast<double>(t.minutes), u"#0m")
               + formatNumber(static_cast<double>(t.seconds), u"00s");
    return formatNumber(static_cast<double>(t.hours), u"0h")
           + formatNumber(static_cast<double>(t.minutes), u"00m")
           + formatNumber(static_cast<double>(t.seconds), u"00s");
}

QString sunLightTimeText(double distanceKm)
{
    const float seconds = static_cast<float>(distanceKm / kLightSpeedKmS);
    const HoursMinutesSeconds t = splitSeconds(seconds);
    return formatNumber(static_cast<double>(t.hours * 60 + t.minutes), u"00m")
           + formatNumber(static_cast<double>(t.seconds), u"00s");
}

SkyObjectTexts starTexts(const Stella_catalogo& star, double azimuthDeg, double altitudeDeg,
                         const SkyObjectCaptions& captions, const QLocale& locale)
{
    SkyObjectTexts texts;
    texts.title = QString::fromStdString(star.Nome).trimmed();
    texts.rightAscension = rightAscensionText(star.Ascensione_retta);
    texts.declination = declinationText(star.Declinazione);
    texts.altitude = degreesText(altitudeDeg, u"#0.0\u00b0", locale);
    texts.azimuth = degreesText(azimuthDeg, u"##0.0\u00b0", locale);
    texts.magnitude = formatNumber(star.Magnitudine_centesimi / 100.0, u"0.00", locale);
    texts.diameterCaption = captions.constellation;
    texts.diameter = QString::fromStdString(star.Costellazione);
    texts.phaseCaption = captions.letter;
    texts.phase = QString::fromStdString(star.Lettera);
    texts.distanceCaption = captions.spectrum;
    texts.distance = QString::fromStdString(star.Spettro);
    // The light-time row stays, with neither caption nor value.
    texts.lightTimeCaption = QStringLiteral(" ");
    return texts;
}

SkyObjectTexts bodyTexts(int index, const Corpo_celeste& body, const QString& name,
                         const SkyObjectCaptions& captions, const QLocale& locale)
{
    SkyObjectTexts texts;
    texts.title = name;
    texts.rightAscension = rightAscensionText(body.Ascensione_retta);
    texts.declination = declinationText(body.Declinazione);
    texts.altitude = degreesText(body.Altezza, u"#0.0\u00b0", locale);
    texts.azimuth = degreesText(body.Azimut, u"##0.0\u00b0", locale);
    // A planet whose lit part cannot be seen has no magnitude: its field stays empty.
    texts.magnitude = std::isfinite(body.Magnitudine_visuale)
                          ? formatNumber(body.Magnitudine_visuale, u"0.0", locale)
                          : QString();
    texts.diameter = diameterText(body.Diametro_apparente);
    if (index == kLuna) {
        texts.magnitudeShown = false;
        texts.distance = formatNumber(body.Distanza, u"000,000 km", locale);
        texts.phase =
            formatNumber((1.0 - std::cos(body.Frazione_illuminata)) * 0.5, u"#0%", locale);
        texts.lightTime = formatNumber(body.Distanza / kLightSpeedKmS, u"0.0s", locale);
        return texts;
    }
    if (index == kSole) {
        texts.magnitudeShown = false;
        texts.phaseCaption = captions.magnitude;
        texts.phase = locale.toString(kSunMagnitude);
        texts.distance = formatNumber(body.Distanza, u"000,000,000 km", locale);
        texts.lightTime = sunLightTimeText(body.Distanza);
        return texts;
    }
    texts.distance = formatNumber(body.Distanza, u"#0.00 UA", locale);
    texts.phase = formatNumber(body.Frazione_illuminata, u"0.00", locale);
    texts.lightTime = planetLightTimeText(body.Distanza);
    return texts;
}

} // namespace skycharts

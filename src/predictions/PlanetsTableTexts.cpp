#include "predictions/PlanetsTableTexts.h"

#include "skycharts/SkyObjectTexts.h"

#include "core/mAstro.h"
#include "services/DisplayFormat.h"

#include <cmath>

namespace planets {

namespace {

constexpr double kLightSpeedKmS = 299792.0;

} // namespace

QString rightAscensionText(double hours)
{
    return formatUnitsAndMinutes(hours, u"#0h", u"00m");
}

QString declinationText(double degrees, const QLocale& locale)
{
    return formatUnitsAndMinutes(degrees, u"#0\u00b0", u"00'", locale);
}

QString sunLightTimeText(double distanceKm, const QLocale& locale)
{
    const long total = std::lround(std::max(distanceKm / kLightSpeedKmS, 0.0));
    return formatNumber(static_cast<double>(total / 60), u"#0m", locale)
           + formatNumber(static_cast<double>(total % 60), u"00s", locale);
}

QString moonLightTimeText(double distanceKm, const QLocale& locale)
{
    return formatNumber(distanceKm / kLightSpeedKmS, u"0.0s", locale);
}

QColor altitudeColour(double altitudeDeg)
{
    return altitudeDeg < 0 ? QColor(255, 0, 0) : QColor(0, 0, 255);
}

PlanetRow planetRow(int index, const Corpo_celeste& body, const QLocale& locale)
{
    PlanetRow row;
    row.rightAscension = rightAscensionText(body.Ascensione_retta);
    row.declination = declinationText(body.Declinazione, locale);
    row.azimuth = formatNumber(body.Azimut, u"##0.0\u00b0", locale);
    row.altitude = formatNumber(body.Altezza, u"#0.0\u00b0", locale);
    row.altitudeColour = altitudeColour(body.Altezza);
    if (index == kSole) {
        row.distance = formatNumber(body.Distanza, u"000,000,000", locale);
        row.lightTime = sunLightTimeText(body.Distanza, locale);
    } else if (index == kLuna) {
        row.distance = formatNumber(body.Distanza, u"000,000", locale);
        row.lightTime = moonLightTimeText(body.Distanza, locale);
    } else {
        row.distance = formatNumber(body.Distanza, u"#0.0", locale);
        if (std::isfinite(body.Magnitudine_visuale))
            row.magnitude = formatNumber(body.Magnitudine_visuale, u"0.0", locale);
        row.lightTime = skycharts::planetLightTimeText(body.Distanza);
    }
    return row;
}

} // namespace planets

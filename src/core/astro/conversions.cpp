#include "core/mAstro.h"

#include "core/mMate.h"

#include <cmath>

namespace mAstro {
namespace {

using mMate::kDegToRad;
using mMate::kRadToDeg;

// Arcsine as atan(s / sqrt(1 - s^2)). Guard: at the zenith, the nadir or a pole s reaches
// +-1 (or passes it by rounding); the division by zero and the root of a negative number
// used to skip the statement and leave a stale value behind. The limit +-pi/2 is returned.
double guardedArcsine(double s)
{
    if (s >= 1.0)
        return std::atan(1.0) * 2.0;
    if (s <= -1.0)
        return -std::atan(1.0) * 2.0;
    return std::atan(s / std::sqrt(1.0 - s * s));
}

} // namespace

HorizontalPosition equatorialToHorizontal(double rightAscensionHours, double declinationDeg,
                                          double latitudeDeg, double localSiderealHours)
{
    const double phi = latitudeDeg * kDegToRad;
    const double dec = declinationDeg * kDegToRad;
    double hourAngle = localSiderealHours - rightAscensionHours;
    if (hourAngle < 0)
        hourAngle += 24.0;
    hourAngle = hourAngle * 15.0 * kDegToRad;

    const double s =
        std::sin(dec) * std::sin(phi) + std::cos(dec) * std::cos(phi) * std::cos(hourAngle);
    const double altitude = guardedArcsine(s);
    const double azimuth = mMate::Arcotangente_completa(
        -std::cos(dec) * std::cos(phi) * std::sin(hourAngle), std::sin(dec) - std::sin(phi) * s);
    return {azimuth * kRadToDeg, altitude * kRadToDeg};
}

void Calcola_azimut_altezza(double rightAscensionHours, double declinationDeg, double& azimuthDeg,
                            double& altitudeDeg)
{
    const HorizontalPosition p = equatorialToHorizontal(
        rightAscensionHours, declinationDeg,
        static_cast<double>(Osservatore.Latitudine_osservatore), Tempo_siderale_locale);
    azimuthDeg = p.azimuthDeg;
    altitudeDeg = p.altitudeDeg;
}

void Eclittiche_a_equatoriali(double latitudeRad, double longitudeRad, double obliquityRad,
                              double& rightAscensionHours, double& declinationDeg)
{
    const double s = std::sin(latitudeRad) * std::cos(obliquityRad) +
                     std::cos(latitudeRad) * std::sin(obliquityRad) * std::sin(longitudeRad);
    const double dec = guardedArcsine(s);
    const double ra =
        mMate::Arcotangente_completa(std::sin(longitudeRad) * std::cos(obliquityRad) -
                                         std::tan(latitudeRad) * std::sin(obliquityRad),
                                     std::cos(longitudeRad));
    rightAscensionHours = ra * kRadToDeg / 15.0;
    declinationDeg = dec * kRadToDeg;
}

SexagesimalEquatorial horizontalToEquatorial(double azimuthRad, double altitudeRad,
                                             double latitudeDeg, double localSiderealHours)
{
    const double phi = latitudeDeg * kDegToRad;
    const double s = std::sin(altitudeRad) * std::sin(phi) +
                     std::cos(altitudeRad) * std::cos(phi) * std::cos(azimuthRad);
    const double dec = guardedArcsine(s);
    const double decDeg = dec * kRadToDeg;

    // Guard: at a pole or with the object at a celestial pole the cosine ratio may pass +-1
    // by rounding (or divide by zero); it is held to the arc so the hour angle stays defined.
    double c = (std::sin(altitudeRad) - std::sin(phi) * s) / (std::cos(phi) * std::cos(dec));
    if (!(c <= 1.0))
        c = 1.0; // also catches NaN from 0 / 0
    if (c < -1.0)
        c = -1.0;
    double hourAngleDeg =
        (mMate::kPi / 2.0 - mMate::Arcotangente_completa(c, std::sqrt(1.0 - c * c))) * kRadToDeg;
    if (std::sin(azimuthRad) > 0) // east of the meridian
        hourAngleDeg = 360.0 - hourAngleDeg;
    const double ra = mMate::Modulo(localSiderealHours - hourAngleDeg / 15.0, 24.0);

    SexagesimalEquatorial out;
    out.sign = decDeg < 0 ? '-' : '+';
    out.degrees = std::fabs(std::trunc(decDeg));
    out.degreeMinutes = std::floor((std::fabs(decDeg) - std::floor(std::fabs(decDeg))) * 60.0);
    out.hours = std::floor(ra);
    out.minutes = std::floor((ra - out.hours) * 60.0);
    out.seconds = std::floor(((ra - out.hours) * 60.0 - out.minutes) * 60.0);
    return out;
}

void Calcola_ascensione_declinazione(double azimuthRad, double altitudeRad, double& raHours,
                                     double& raMinutes, double& raSeconds, double& decDegrees,
                                     double& decMinutes, char& decSign)
{
    const SexagesimalEquatorial e = horizontalToEquatorial(
        azimuthRad, altitudeRad, static_cast<double>(Osservatore.Latitudine_osservatore),
        Tempo_siderale_locale);
    raHours = e.hours;
    raMinutes = e.minutes;
    raSeconds = e.seconds;
    decDegrees = e.degrees;
    decMinutes = e.degreeMinutes;
    decSign = e.sign;
}

double Altezza_ellissoide(double distanceKm, double latitudeRad)
{
    // WGS-72: equatorial radius 6378.135 km, flattening 1/298.26 (f/2 and f^2 stored).
    constexpr double kEquatorialRadiusKm = 6378.135;
    constexpr double kHalfFlattening = 0.0016763897270837525;
    constexpr double kFlatteningSquared = 0.000011241130068287752;
    return distanceKm -
           kEquatorialRadiusKm * (1.0 - kHalfFlattening * (1.0 - std::cos(2.0 * latitudeRad)) -
                                  (kEquatorialRadiusKm / (4.0 * distanceKm) - 1.0 / 16.0) *
                                      kFlatteningSquared * (1.0 - std::cos(4.0 * latitudeRad)));
}

CircleClip Intersezione_cerchio(float& x1, float& y1, float& x2, float& y2)
{
    constexpr float kRadiusSquared = kHorizonRadius * kHorizonRadius;
    auto strictlyBetween = [](float v, float a, float b) {
        return (v > a && v < b) || (v > b && v < a);
    };

    float firstX = 0, firstY = 0, secondX = 0, secondY = 0;
    const bool vertical = x1 == x2;
    if (vertical) {
        // Guard: a vertical segment has no slope; it used to divide by zero. Its line
        // x = x1 meets the circle at y = +-sqrt(r^2 - x1^2).
        const float d = kRadiusSquared - x1 * x1;
        if (d < 0)
            return CircleClip::Missed;
        firstX = secondX = x1;
        firstY = std::sqrt(d);
        secondY = -firstY;
    } else {
        const float m = (y1 - y2) / (x1 - x2);
        const float q = y1 - m * x1;
        const float a = m * m + 1.0f;
        const float b = 2.0f * q * m;
        const float c = q * q - kRadiusSquared;
        const float d = b * b - 4.0f * a * c;
        // Guard: a line that misses the circle used to take the root of a negative number.
        if (d < 0)
            return CircleClip::Missed;
        firstX = (-b + std::sqrt(d)) / (2.0f * a);
        secondX = (-b - std::sqrt(d)) / (2.0f * a);
        firstY = m * firstX + q;
        secondY = m * secondX + q;
    }

    // Both crossings are tested against the ends as passed; when both qualify the second wins.
    // Guard: along a coordinate that does not vary (a vertical or horizontal segment) no
    // value lies strictly between the ends, which left a horizontal line running past the
    // horizon; only the varying coordinate decides there.
    const float endX = x2;
    const float endY = y2;
    const bool horizontal = y1 == y2;
    auto inside = [&](float x, float y) {
        return (vertical || strictlyBetween(x, x1, endX)) &&
               (horizontal || strictlyBetween(y, y1, endY));
    };
    CircleClip result = CircleClip::Unchanged;
    if (inside(firstX, firstY)) {
        x2 = firstX;
        y2 = firstY;
        result = CircleClip::Clipped;
    }
    if (inside(secondX, secondY)) {
        x2 = secondX;
        y2 = secondY;
        result = CircleClip::Clipped;
    }
    return result;
}

} // namespace mAstro

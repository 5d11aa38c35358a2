#include "core/mAstro.h"

#include "core/mMate.h"

#include <cmath>

namespace mAstro {
namespace {

using mMate::kDegToRad;
using mMate::kRadToDeg;
using mMate::Modulo;

constexpr double kTropicalYearDays = 365.242191;
constexpr double kAuKm = 149598500.0;
constexpr double kMoonSemiMajorAxisKm = 384401.0;
// 0.5181 degrees, the Moon's apparent diameter at its mean distance [rad].
constexpr double kMoonDiameterAtMeanDistanceRad = 0.00904255084425;
constexpr double kKeplerTolerance = 1e-6; // [rad]
constexpr double kJ2000 = 2451545.0;
constexpr double kSunEpoch = 2415020.0;  // 1900 January 0.5
constexpr double kMoonEpoch = 2447891.5; // 1990 January 0.0

double sinDeg(double x)
{
    return std::sin(x * kDegToRad);
}

double cosDeg(double x)
{
    return std::cos(x * kDegToRad);
}

// Eccentric anomaly by Newton's method from E = M (radians).
double solveKepler(double meanAnomaly, double e)
{
    double eccentric = meanAnomaly;
    double residual = eccentric - e * std::sin(eccentric) - meanAnomaly;
    if (std::fabs(residual) <= kKeplerTolerance)
        return eccentric;
    do {
        residual = eccentric - e * std::sin(eccentric) - meanAnomaly;
        eccentric -= residual / (1.0 - e * std::cos(eccentric));
    } while (std::fabs(residual) > kKeplerTolerance);
    return eccentric;
}

// Heliocentric longitude, true anomaly (degrees) and radius factor (1 - e^2) / (1 + e cos v)
// of a planet's row with the first-order equation of the centre.
struct Heliocentric
{
    double longitudeDeg;
    double trueAnomalyDeg;
    double radiusFactor;
};

Heliocentric heliocentric(const Corpo_celeste& row, double daysSinceJ2000)
{
    const auto& el = row.Elementi_orbitali;
    const double period = el[1];
    const double longitudeAtEpoch = el[2];
    const double perihelion = el[3];
    const double e = el[4];
    const double meanMotion = Modulo(360.0 * daysSinceJ2000 / (kTropicalYearDays * period), 360.0);
    const double meanAnomaly = meanMotion + longitudeAtEpoch - perihelion;
    const double longitude = Modulo(
        meanMotion + (360.0 / mMate::kPi) * e * sinDeg(meanAnomaly) + longitudeAtEpoch, 360.0);
    const double trueAnomaly = longitude - perihelion;
    return {longitude, trueAnomaly, (1.0 - e * e) / (1.0 + e * cosDeg(trueAnomaly))};
}

} // namespace

SunPosition sunAt(double julianDate, double julianDate0h, double diameterAt1AuDeg)
{
    const double t = (julianDate0h - kSunEpoch) / 36525.0;
    const double meanLongitude = 279.6966778 + 36000.76892 * t + 0.0003025 * t * t;
    const double perigee = 281.2208444 + 1.719175 * t + 0.000452778 * t * t;
    const double e = 0.01675104 - 0.0000418 * t - 0.000000126 * t * t;

    const double dayFraction = julianDate - julianDate0h;
    const double motionToday = Modulo(360.0 * dayFraction / kTropicalYearDays, 360.0);
    double meanAnomaly = motionToday + meanLongitude - perigee;
    if (meanAnomaly < 0)
        meanAnomaly += 360.0;

    SunPosition sun;
    sun.meanAnomalyRad = meanAnomaly * kDegToRad;
    const double eccentric = solveKepler(sun.meanAnomalyRad, e);
    const double trueAnomaly =
        2.0 * std::atan(std::sqrt((1.0 + e) / (1.0 - e)) * std::tan(eccentric / 2.0)) * kRadToDeg;
    const double longitude = Modulo(perigee + trueAnomaly, 360.0);
    sun.longitudeRad = longitude * kDegToRad;

    const double q = (1.0 + e * cosDeg(trueAnomaly)) / (1.0 - e * e);
    sun.distanceKm = kAuKm / q;
    sun.diameterArcsec = diameterAt1AuDeg * q * 3600.0;
    Eclittiche_a_equatoriali(0.0, sun.longitudeRad, kObliquityRad, sun.rightAscensionHours,
                             sun.declinationDeg);
    return sun;
}

MoonPosition moonAt(double julianDate, const Corpo_celeste& moonRow, double sunLongitudeRad,
                    double sunMeanAnomalyRad)
{
    const auto& el = moonRow.Elementi_orbitali;
    const double longitudeAtEpoch = el[2];
    const double perigeeAtEpoch = el[3];
    const double e = el[4];
    const double inclination = el[6];
    const double nodeAtEpoch = el[7];

    const double sunLongitude = sunLongitudeRad * kRadToDeg;
    const double sinSunAnomaly = std::sin(sunMeanAnomalyRad);
    const double days = julianDate - kMoonEpoch;

    const double meanLongitude = Modulo(13.1763966 * days + longitudeAtEpoch, 360.0);
    const double meanAnomaly = Modulo(meanLongitude - 0.1114041 * days - perigeeAtEpoch, 360.0);
    const double node = Modulo(nodeAtEpoch - 0.0529539 * days, 360.0);

    const double evection = 1.2739 * sinDeg(2.0 * (meanLongitude - sunLongitude) - meanAnomaly);
    const double annualEquation = 0.1858 * sinSunAnomaly;
    const double thirdCorrection = 0.37 * sinSunAnomaly;
    const double anomaly = meanAnomaly + evection - annualEquation - thirdCorrection;
    const double centre = 6.2886 * sinDeg(anomaly);
    const double fourthCorrection = 0.214 * sinDeg(2.0 * anomaly);
    const double correctedLongitude =
        meanLongitude + evection + centre - annualEquation + fourthCorrection;
    const double variation = 0.6583 * sinDeg(2.0 * (correctedLongitude - sunLongitude));
    const double trueLongitude = correctedLongitude + variation;
    const double correctedNode = node - 0.16 * sinSunAnomaly;

    MoonPosition moon;
    const double fromNode = trueLongitude - correctedNode;
    moon.longitudeRad =
        mMate::Arcotangente_completa(sinDeg(fromNode) * cosDeg(inclination), cosDeg(fromNode)) +
        correctedNode * kDegToRad;
    moon.latitudeRad = mMate::Arcoseno(sinDeg(fromNode) * sinDeg(inclination));

    const double rho = (1.0 - e * e) / (1.0 + e * cosDeg(anomaly + centre));
    moon.distanceKm = kMoonSemiMajorAxisKm * rho;
    moon.diameterArcsec = kMoonDiameterAtMeanDistanceRad / rho * kRadToDeg * 3600.0;
    moon.elongationRad = trueLongitude * kDegToRad - sunLongitudeRad;
    if (moon.elongationRad < 0)
        moon.elongationRad += mMate::kTwoPi;
    Eclittiche_a_equatoriali(moon.latitudeRad, moon.longitudeRad, kObliquityRad,
                             moon.rightAscensionHours, moon.declinationDeg);
    return moon;
}

PlanetPosition planetAt(int planet, double julianDate, const Corpo_celeste& row,
                        const Corpo_celeste& earthRow)
{
    const auto& el = row.Elementi_orbitali;
    const double semiMajorAxis = el[5];
    const double inclination = el[6];
    const double node = el[7];
    const double days = julianDate - kJ2000;

    const Heliocentric earth = heliocentric(earthRow, days);
    const double earthLongitude = earth.longitudeDeg;
    const double earthRadius = earth.radiusFactor;
    const Heliocentric body = heliocentric(row, days);
    const double radius = semiMajorAxis * body.radiusFactor;

    // Projection onto the ecliptic.
    const double fromNode = body.longitudeDeg - node;
    const double latitudeHelioRad = mMate::Arcoseno(sinDeg(fromNode) * sinDeg(inclination));
    const double projectedLongitude =
        mMate::Arcotangente_completa(sinDeg(fromNode) * cosDeg(inclination), cosDeg(fromNode)) *
            kRadToDeg +
        node;
    const double projectedRadius = radius * std::cos(latitudeHelioRad);

    PlanetPosition p;
    if (planet <= 2) {
        const double angle = earthLongitude - projectedLongitude;
        p.longitudeDeg = Modulo(180.0 + earthLongitude +
                                    std::atan(projectedRadius * sinDeg(angle) /
                                              (earthRadius - projectedRadius * cosDeg(angle))) *
                                        kRadToDeg,
                                360.0);
    } else {
        const double angle = projectedLongitude - earthLongitude;
        p.longitudeDeg = Modulo(std::atan(earthRadius * sinDeg(angle) /
                                          (projectedRadius - earthRadius * cosDeg(angle))) *
                                        kRadToDeg +
                                    projectedLongitude,
                                360.0);
    }
    const double latitudeBase = earthRadius * sinDeg(projectedLongitude - earthLongitude);
    if (latitudeBase != 0) {
        p.latitudeDeg = std::atan(projectedRadius * std::tan(latitudeHelioRad) *
                                  sinDeg(p.longitudeDeg - projectedLongitude) / latitudeBase) *
                        kRadToDeg;
    } else {
        // Guard: with the planet at the Earth's heliocentric longitude (conjunction or
        // opposition) the formula is 0 / 0 and gave NaN or +-90 degrees. The sine rule it
        // comes from reduces to the planet's height over its distance in the ecliptic plane.
        p.latitudeDeg = std::atan(projectedRadius * std::tan(latitudeHelioRad) /
                                  std::fabs(earthRadius - projectedRadius)) *
                        kRadToDeg;
    }
    Eclittiche_a_equatoriali(p.latitudeDeg * kDegToRad, p.longitudeDeg * kDegToRad, kObliquityRad,
                             p.rightAscensionHours, p.declinationDeg);

    p.distanceAu =
        std::sqrt(radius * radius + earthRadius * earthRadius -
                  2.0 * earthRadius * radius * cosDeg(body.longitudeDeg - earthLongitude));
    p.diameterArcsec = el[8] / p.distanceAu;
    p.illuminatedFraction = (1.0 + cosDeg(p.longitudeDeg - body.longitudeDeg)) / 2.0;
    // Guard: at inferior conjunction the fraction is 0 and the magnitude used to divide by
    // zero; the planet then has no magnitude.
    if (p.illuminatedFraction > 0)
        p.visualMagnitude =
            el[9] + 5.0 * std::log10(radius * p.distanceAu / std::sqrt(p.illuminatedFraction));
    return p;
}

namespace {

// Places a body on the observer's sky at the time state's sidereal time.
void storeSkyPosition(Corpo_celeste& body, double rightAscensionHours, double declinationDeg)
{
    body.Ascensione_retta = rightAscensionHours;
    body.Declinazione = declinationDeg;
    Calcola_azimut_altezza(rightAscensionHours, declinationDeg, body.Azimut, body.Altezza);
}

} // namespace

void Calcola_sole()
{
    const SunPosition sun =
        sunAt(Data_giuliana, Data_giuliana_0h, Corpi_celesti[kSole].Elementi_orbitali[8]);
    Longitudine_sole = sun.longitudeRad;
    Anomalia_sole = sun.meanAnomalyRad;
    Declinazione_sole = sun.declinationDeg;
    AR_sole = sun.rightAscensionHours;

    Corpo_celeste& body = Corpi_celesti[kSole];
    storeSkyPosition(body, sun.rightAscensionHours, sun.declinationDeg);
    body.Distanza = sun.distanceKm;
    body.Diametro_apparente = sun.diameterArcsec;
}

void Calcola_luna()
{
    Corpo_celeste& body = Corpi_celesti[kLuna];
    const MoonPosition moon = moonAt(Data_giuliana, body, Longitudine_sole, Anomalia_sole);
    storeSkyPosition(body, moon.rightAscensionHours, moon.declinationDeg);
    body.Distanza = moon.distanceKm;
    body.Frazione_illuminata = moon.elongationRad;
    body.Diametro_apparente = moon.diameterArcsec;
}

void Calcola_pianeti()
{
    for (int k = kMercurio; k <= kNettuno; ++k) {
        Corpo_celeste& body = Corpi_celesti[static_cast<std::size_t>(k)];
        const PlanetPosition p = planetAt(k, Data_giuliana, body, Corpi_celesti[kTerra]);
        storeSkyPosition(body, p.rightAscensionHours, p.declinationDeg);
        body.Distanza = p.distanceAu;
        body.Frazione_illuminata = p.illuminatedFraction;
        body.Magnitudine_visuale = p.visualMagnitude.value_or(kNoMagnitude);
        body.Diametro_apparente = p.diameterArcsec;
    }
}

} // namespace mAstro

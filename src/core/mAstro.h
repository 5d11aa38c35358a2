#pragma once
// Time scales, coordinate conversions, and the Sun, the Moon and the planets.
//
// Time state: Calcola_tempi turns a local civil instant into UT, calendar parts, the Julian
// date and sidereal time and leaves them in the variables below, which every astronomical
// computation reads afterwards. Local = UT + (Fuso_orario + Ora_legale) hours, from the
// shared observer Osservatore. Date values are days since 1899-12-30 (core/DateValue.h).
// Angles: right ascension in hours; declination, latitude, longitude, azimuth (from north
// through east) and altitude in degrees, unless a routine says radians.

#include "common/options.h"

#include <cstdint>

namespace mAstro {

// --- Time state: written only by Calcola_tempi, read by every subsystem. ---------------
inline double Data_giuliana = 0;         ///< Julian date (UT) of the instant, with fraction
inline double Data_giuliana_0h = 0;      ///< Julian date of 0 h UT of the same UT date (x.5)
inline double Tempo_siderale_locale = 0; ///< local mean sidereal time [hours] 0..<24
inline double Tempo_siderale = 0;        ///< Greenwich mean sidereal time [hours] 0..<24
inline double Data_locale = 0;           ///< the local instant passed in (date value)
inline double Data_greenwich = 0;        ///< the same instant in UT (date value)
inline std::int16_t Giorno_anno = 0;        ///< day of year of the UT date, 1 January = 1
inline std::int16_t Giorno_anno_locale = 0; ///< day of year of the local date
inline double Anno_greenwich = 0;  ///< UT year
inline double Mese_greenwich = 0;  ///< UT month 1..12
inline double Giorno_greenwich = 0; ///< UT day of month
inline double Anno_locale = 0;
inline double Mese_locale = 0;
inline double Giorno_locale = 0;
inline double Ora_greenwich = 0;   ///< UT time of day [decimal hours]
inline double Ora_locale = 0;      ///< local time of day [decimal hours]

/// Everything Calcola_tempi derives from one local instant.
struct TimeState
{
    double Data_giuliana = 0;
    double Data_giuliana_0h = 0;
    double Tempo_siderale_locale = 0;
    double Tempo_siderale = 0;
    double Data_locale = 0;
    double Data_greenwich = 0;
    std::int16_t Giorno_anno = 0;
    std::int16_t Giorno_anno_locale = 0;
    double Anno_greenwich = 0;
    double Mese_greenwich = 0;
    double Giorno_greenwich = 0;
    double Anno_locale = 0;
    double Mese_locale = 0;
    double Giorno_locale = 0;
    double Ora_greenwich = 0;
    double Ora_locale = 0;
};

/// Minutes to add to UT to get the observer's local civil time: (Ora_legale + Fuso_orario) x 60,
/// evaluated in single precision as the observer record holds it.
[[nodiscard]] double zoneOffsetMinutes(const Dati_osservatore& observer);

/// The time state of a local instant (date value) for an observer. Sidereal time is the
/// mean sidereal time of Meeus, Astronomical Algorithms, ch. 12, from 0 h UT.
[[nodiscard]] TimeState timeStateAt(double localDate, const Dati_osservatore& observer);

/// Fills the time state from a local instant for the shared observer Osservatore.
void Calcola_tempi(double localDate);

/// Julian day of a calendar date (Meeus' rule with the constant 1720994.5); the day may
/// carry a fraction and may exceed the month's length. Dates before 1582-10-15 are Julian.
/// January and February count as months 13 and 14 of the year before.
[[nodiscard]] double Calcola_giorno_giuliano(double year, double month, double day);

/// The UT calendar instant (date value) of a Julian day, to the whole second.
[[nodiscard]] double utDateFromJulian(double julianDay);

/// The local civil instant (date value) of a Julian day (UT) for the shared observer.
[[nodiscard]] double Data_da_giuliano(double julianDay);

// --- Coordinate conversions -------------------------------------------------------------

/// Obliquity of the ecliptic used everywhere [radians] (23.43929 degrees).
inline constexpr double kObliquityRad = 0.40909281926890995;

struct HorizontalPosition
{
    double azimuthDeg = 0;  ///< from north through east, [0, 360)
    double altitudeDeg = 0; ///< above the horizon, no refraction
};

/// Azimuth and altitude of a right ascension (hours) and declination (degrees) for an
/// observer at latitudeDeg whose local sidereal time is localSiderealHours.
[[nodiscard]] HorizontalPosition equatorialToHorizontal(double rightAscensionHours,
                                                        double declinationDeg,
                                                        double latitudeDeg,
                                                        double localSiderealHours);

/// Azimuth and altitude (degrees) for the shared observer at Tempo_siderale_locale.
void Calcola_azimut_altezza(double rightAscensionHours, double declinationDeg,
                            double& azimuthDeg, double& altitudeDeg);

/// Right ascension (hours, [0, 24)) and declination (degrees) of an ecliptic latitude and
/// longitude, obliquity given (all radians).
void Eclittiche_a_equatoriali(double latitudeRad, double longitudeRad, double obliquityRad,
                              double& rightAscensionHours, double& declinationDeg);

/// Right ascension and declination split for display, every part cut (not rounded);
/// the declination has no seconds.
struct SexagesimalEquatorial
{
    double hours = 0;
    double minutes = 0;
    double seconds = 0;
    double degrees = 0;         ///< absolute whole degrees
    double degreeMinutes = 0;
    char sign = '+';            ///< '-' south of the equator
};

/// The inverse of equatorialToHorizontal for display: azimuth and altitude in radians.
[[nodiscard]] SexagesimalEquatorial horizontalToEquatorial(double azimuthRad,
                                                           double altitudeRad,
                                                           double latitudeDeg,
                                                           double localSiderealHours);

/// horizontalToEquatorial for the shared observer at Tempo_siderale_locale.
void Calcola_ascensione_declinazione(double azimuthRad, double altitudeRad, double& raHours,
                                     double& raMinutes, double& raSeconds, double& decDegrees,
                                     double& decMinutes, char& decSign);

/// Height above the WGS-72 ellipsoid [km] of a point at geocentric distance distanceKm
/// and geocentric latitude latitudeRad.
[[nodiscard]] double Altezza_ellissoide(double distanceKm, double latitudeRad);

/// Outcome of clipping a chart segment at the horizon circle.
enum class CircleClip {
    Clipped,   ///< the second end was moved onto the circle
    Unchanged, ///< no crossing strictly inside the segment: the ends are as passed
    Missed,    ///< the segment's line does not meet the circle: the ends are as passed
};

/// Radius of the horizon circle on a sky chart: 90 degrees from the zenith.
inline constexpr float kHorizonRadius = 90.0f;

/// Stops the chart segment (x1, y1)-(x2, y2) at the horizon circle x^2 + y^2 = 90^2:
/// when the line crosses the circle strictly between the ends, (x2, y2) is moved to the
/// crossing (of two such crossings, the one with the smaller x wins). The first end never
/// moves. Arithmetic in single precision, as the charts store their coordinates.
CircleClip Intersezione_cerchio(float& x1, float& y1, float& x2, float& y2);

} // namespace mAstro

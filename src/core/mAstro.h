#pragma once
// Time scales, coordinate conversions, and the Sun, the Moon and the planets.
//
// Time state: Calcola_tempi turns a local civil instant into UT, calendar parts, the Julian
// date and sidereal time and leaves them in the variables below, which every astronomical
// computation reads afterwards. Local = UT + (Fuso_orario + Ora_legale) hours, from the
// shared observer Osservatore. Date values are days since 1899-12-30 (core/DateValue.h).
// Angles: right ascension in hours; declination, latitude, longitude, azimuth (from north
// through east) and altitude in degrees, unless a routine says radians.

#include "common/catalogues.h"
#include "common/options.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace mAstro {

// --- Time state: written only by Calcola_tempi, read by every subsystem. ---------------
inline double Data_giuliana = 0;            ///< Julian date (UT) of the instant, with fraction
inline double Data_giuliana_0h = 0;         ///< Julian date of 0 h UT of the same UT date (x.5)
inline double Tempo_siderale_locale = 0;    ///< local mean sidereal time [hours] 0..<24
inline double Tempo_siderale = 0;           ///< Greenwich mean sidereal time [hours] 0..<24
inline double Data_locale = 0;              ///< the local instant passed in (date value)
inline double Data_greenwich = 0;           ///< the same instant in UT (date value)
inline std::int16_t Giorno_anno = 0;        ///< day of year of the UT date, 1 January = 1
inline std::int16_t Giorno_anno_locale = 0; ///< day of year of the local date
inline double Anno_greenwich = 0;           ///< UT year
inline double Mese_greenwich = 0;           ///< UT month 1..12
inline double Giorno_greenwich = 0;         ///< UT day of month
inline double Anno_locale = 0;
inline double Mese_locale = 0;
inline double Giorno_locale = 0;
inline double Ora_greenwich = 0; ///< UT time of day [decimal hours]
inline double Ora_locale = 0;    ///< local time of day [decimal hours]

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
                                                        double declinationDeg, double latitudeDeg,
                                                        double localSiderealHours);

/// Azimuth and altitude (degrees) for the shared observer at Tempo_siderale_locale.
void Calcola_azimut_altezza(double rightAscensionHours, double declinationDeg, double& azimuthDeg,
                            double& altitudeDeg);

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
    double degrees = 0; ///< absolute whole degrees
    double degreeMinutes = 0;
    char sign = '+'; ///< '-' south of the equator
};

/// The inverse of equatorialToHorizontal for display: azimuth and altitude in radians.
[[nodiscard]] SexagesimalEquatorial horizontalToEquatorial(double azimuthRad, double altitudeRad,
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
/// crossing (of two such crossings, the one with the smaller x wins; for a vertical segment
/// the one with the smaller y). The first end never moves. Arithmetic in single precision,
/// as the charts store their coordinates.
CircleClip Intersezione_cerchio(float& x1, float& y1, float& x2, float& y2);

// --- Sun, Moon and planets --------------------------------------------------------------
// Low-precision methods of Duffett-Smith, Practical Astronomy with your Calculator: the Sun
// from mean elements of 1900 January 0.5 with Kepler's equation, the Moon from elements of
// 1990 January 0.0 with evection, annual equation, equation of the centre and variation, the
// planets from J2000.0 mean elements with the first-order equation of the centre. Expect
// the Sun within about 0.01 degree, the Moon within a few tenths, the planets within about
// a degree. The elements are the nine planets.dat numbers in Corpo_celeste::Elementi_orbitali.

// Written by Calcola_sole, read by Calcola_luna and the world map's night shadow.
inline double Declinazione_sole = 0; ///< the Sun's declination [degrees]
inline double AR_sole = 0;           ///< the Sun's right ascension [hours]
inline double Longitudine_sole = 0;  ///< the Sun's geocentric ecliptic longitude [rad] 0..<2 pi
inline double Anomalia_sole = 0;     ///< the Sun's mean anomaly [rad], not reduced

struct SunPosition
{
    double longitudeRad = 0;   ///< geocentric ecliptic longitude, [0, 2 pi)
    double meanAnomalyRad = 0; ///< not reduced to one turn
    double rightAscensionHours = 0;
    double declinationDeg = 0;
    double distanceKm = 0;
    double diameterArcsec = 0;
};

/// The Sun at a Julian date (UT); julianDate0h is 0 h UT of the same date.
/// diameterAt1AuDeg is the eighth number of the Sun's row (degrees).
[[nodiscard]] SunPosition sunAt(double julianDate, double julianDate0h, double diameterAt1AuDeg);

struct MoonPosition
{
    double longitudeRad = 0; ///< geocentric ecliptic longitude, not reduced to one turn
    double latitudeRad = 0;
    double rightAscensionHours = 0;
    double declinationDeg = 0;
    double distanceKm = 0;
    double diameterArcsec = 0;
    /// The Moon's longitude minus the Sun's [rad], made non-negative: 0 new, pi full.
    double elongationRad = 0;
};

/// The Moon at a Julian date (UT) from its row (numbers 2, 3, 4, 6, 7) and the Sun's
/// longitude and mean anomaly for the same instant.
[[nodiscard]] MoonPosition moonAt(double julianDate, const Corpo_celeste& moonRow,
                                  double sunLongitudeRad, double sunMeanAnomalyRad);

struct PlanetPosition
{
    double longitudeDeg = 0; ///< geocentric ecliptic longitude [0, 360)
    double latitudeDeg = 0;  ///< geocentric ecliptic latitude
    double rightAscensionHours = 0;
    double declinationDeg = 0;
    double distanceAu = 0;
    double illuminatedFraction = 0; ///< 0..1
    /// Empty when no light reaches us (illuminated fraction 0, inferior conjunction).
    std::optional<double> visualMagnitude;
    double diameterArcsec = 0;
};

/// Planet number 1 (Mercury) to 7 (Neptune) at a Julian date, from its row and the Earth's.
/// Mercury and Venus take the inner-planet formula, the others the outer one.
[[nodiscard]] PlanetPosition planetAt(int planet, double julianDate, const Corpo_celeste& row,
                                      const Corpo_celeste& earthRow);

/// Magnitude stored in Corpi_celesti for a planet whose disc is unlit (illuminated fraction
/// 0): +infinity, fainter than every limiting magnitude. Views show it as no value.
inline constexpr double kNoMagnitude = std::numeric_limits<double>::infinity();

/// Fills Corpi_celesti(8), Declinazione_sole, AR_sole, Longitudine_sole and Anomalia_sole
/// for the instant of the last Calcola_tempi, seen by the shared observer.
void Calcola_sole();

/// Fills Corpi_celesti(9); uses Longitudine_sole and Anomalia_sole of the last Calcola_sole.
void Calcola_luna();

/// Fills Corpi_celesti(1) to (7) from their rows and the Earth's row (10).
void Calcola_pianeti();

// --- Sun and Moon rise and set ----------------------------------------------------------
// The Sky & Telescope method (sunrise/sunset and moonrise/moonset programs): low-precision
// positions at the day's start and end (the Sun by the series of Van Flandern and Pulkkinen),
// an hour-by-hour test of the altitude against the horizon and a quadratic through three
// altitudes inside the hour. Self-contained: the time state and Corpi_celesti are untouched.
// The horizon is 90.833 degrees from the zenith for the Sun (refraction and semi-diameter),
// 90.567 - 41.685 / distance in Earth radii for the Moon (also its parallax).

/// One event of a day; when occurred is false the almanac leaves its texts as they were.
struct RiseSetEvent
{
    bool occurred = false;
    int hour = 0;   ///< 0..24 zone time, rounded to the nearest minute (24:00 = last half minute)
    int minute = 0; ///< 0..59
    double azimuthDeg = 0; ///< [0, 360] from north through east
};

/// What the day lacks. The almanac shows the text of section "frmRiseSet" by key:
/// NoRise "nonsorge", NoSet "nontramonta", AlwaysAbove "sopraorizzonte",
/// AlwaysBelow "sottoorizzonte"; BothEvents leaves the state text as it was.
/// The times are shown as hour and minute with the pattern "00" each ("hh:mm"), the
/// azimuths with the pattern "000.0".
enum class RiseSetStatus {
    BothEvents,
    NoRise,
    NoSet,
    AlwaysAbove,
    AlwaysBelow,
};

struct RiseSetDay
{
    RiseSetEvent rise; ///< the day's last rise
    RiseSetEvent set;  ///< the day's last set
    RiseSetStatus status = RiseSetStatus::BothEvents;
};

/// Fraction of an hour (normally 0..1) at which the parabola through the altitude excesses
/// v0, v1 and v2 at the hour's start, middle and end crosses zero; empty when it does not.
/// When the three lie on a straight line the linear root is returned.
[[nodiscard]] std::optional<double> quadraticCrossing(double v0, double v1, double v2);

/// Sunrise and sunset of the calendar day of date (a date value; only year, month, day
/// count) at latitudeDeg (north positive), longitudeDeg (east positive), in the zone time
/// zoneWestHours behind UT (west positive: the almanac passes -(Fuso_orario + Ora_legale)).
[[nodiscard]] RiseSetDay Sorge_tramonta_sole(double latitudeDeg, double longitudeDeg,
                                             double zoneWestHours, double date);

/// Moonrise and moonset, arguments as Sorge_tramonta_sole.
[[nodiscard]] RiseSetDay Sorge_tramonta_luna(double latitudeDeg, double longitudeDeg,
                                             double zoneWestHours, double date);

} // namespace mAstro

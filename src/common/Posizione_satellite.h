#pragma once
// The computed observing state of one slot at one instant, written by Calcola_satellite.

#include <string>
#include <variant>

/// A magnitude is a number, the text "???" when the satellite has no standard magnitude,
/// or the empty text when it is eclipsed (or the record was never computed).
using Magnitude = std::variant<std::string, double>;

struct Posizione_satellite
{
    double Elevazione = 0;               ///< [degrees] above the horizon, refraction added when enabled
    double Azimut = 0;                   ///< [degrees] 0..<360 from north through east
    double Frazione_illuminata = 0;      ///< (1 + cos phase angle) / 2; 0 when eclipsed
    double Angolo_fase = 0;              ///< [degrees] 180 minus the Sun-satellite-observer angle
    int Stato = 0;                       ///< 0 cleared, 1 eclipsed, 2 visible, 3 sunlit not visible
    Magnitude Magnitudine{std::string()};///< see Magnitude
    double Latitudine = 0;               ///< [degrees] |sub-point latitude| (hemisphere in Emisfero_ns)
    double Longitudine = 0;              ///< [degrees] 0..180 for display (side in Emisfero_ew)
    double Distanza_geocentrica = 0;     ///< [km] from the Earth's centre
    double Orbita = 0;                   ///< revolution number at the instant, with fraction
    double Variazione_distanza = 0;      ///< range rate [km/s], positive when receding
    double Apogeo = 0;                   ///< [km] above a sphere of 6378.135 km
    double Perigeo = 0;                  ///< [km] above a sphere of 6378.135 km
    double Velocita = 0;                 ///< inertial speed [km/s]
    double Quota = 0;                    ///< height above the ellipsoid [km]
    double Distanza = 0;                 ///< slant range [km]
    double Periodo = 0;                  ///< orbital period [s]
    double Latitudine_subsatellite = 0;  ///< [degrees] signed, north positive
    double Longitudine_subsatellite = 0; ///< [degrees] signed, east positive, (-180, 180]
    double Latitudine_proiezione = 0;    ///< [degrees] signed sub-point latitude again
    double Longitudine_est = 0;          ///< [degrees] east, 0..<360
    std::string Emisfero_ns;             ///< "N" or "S"
    std::string Emisfero_ew;             ///< "E" or "W"
    double Direzione_zenit = 0;          ///< up component of the unit line-of-sight vector
    double Direzione_est = 0;            ///< east component
    double Direzione_nord = 0;           ///< north component
};

/// Status values of Posizione_satellite::Stato.
inline constexpr int kStatoAzzerato = 0;
inline constexpr int kStatoEclisse = 1;
inline constexpr int kStatoVisibile = 2;
inline constexpr int kStatoIlluminato = 3;

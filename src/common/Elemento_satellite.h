#pragma once
// The orbital elements of one satellite, parsed by fixed columns from its element set.

#include <array>
#include <string>

inline constexpr int kRadioChannels = 10;
/// The characters of a satellite's name kept from its name line.
inline constexpr int kNameCharacters = 24;

struct Elemento_satellite
{
    double Anno_epoca = 0;                  ///< epoch year, four digits
    double Giorno_epoca = 0;                ///< epoch day of year with fraction (1.0 = 1 Jan 0h UT)
    double Inclinazione = 0;                ///< [degrees]
    double Raan = 0;                        ///< right ascension of the ascending node [degrees]
    double Eccentricita = 0;                ///< eccentricity
    double Argomento_perigeo = 0;           ///< [degrees]
    double Anomalia_media = 0;              ///< [degrees]
    double Moto_medio = 0;                  ///< mean motion [revolutions/day]
    double Derivata_prima = 0;              ///< first derivative of mean motion, as written in line 1
    double Numero_rivoluzione = 0;          ///< revolution number at epoch
    std::string Numero_catalogo;            ///< catalogue number, the five characters of line 1
    double Anno_lancio = 0;                 ///< launch year, four digits
    double Numero_lancio = 0;               ///< launch number of that year
    std::string Pezzo_lancio;               ///< launch piece, right-trimmed
    std::string Nome_satellite;             ///< name in proper case, trimmed
    std::string Magnitudine_standard;       ///< standard magnitude text; empty when none
    double Derivata_seconda = 0;            ///< mantissa of the second derivative of mean motion
    double Esponente_derivata_seconda = 0;  ///< its power-of-ten exponent
    double Bstar = 0;                       ///< mantissa of the B* drag term [1/Earth radii]
    double Esponente_bstar = 0;             ///< its power-of-ten exponent
    double Epoca_giuliana = 0;              ///< Julian date of the epoch (UT)
    /// Radio channels 1..10 (index 0 unused); an empty uplink and downlink is a free channel.
    std::array<std::string, kRadioChannels + 1> Frequenze_uplink{};
    std::array<std::string, kRadioChannels + 1> Frequenze_downlink{};
};

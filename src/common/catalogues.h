#pragma once
// Reference tables loaded once at start from the installation data and kept until exit.
// Written by the reference-data loader (and, for the bodies' computed fields, by the Sun,
// Moon and planets routines); read by the element parser (magnitudes, frequencies), the sky
// charts and the planets table. The sky charts only read them: each keeps the chart
// positions it projects (skycharts::SkyPositions).

#include "common/Record_TLE.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kStarCount = 9010;
inline constexpr int kConstellationLineCount = 646;
inline constexpr int kConstellationNameCount = 89;
inline constexpr int kBodyCount = 10;

/// Body numbers in Corpi_celesti.
inline constexpr int kMercurio = 1;
inline constexpr int kNettuno = 7;
inline constexpr int kSole = 8;
inline constexpr int kLuna = 9;
inline constexpr int kTerra = 10;

struct Stella
{
    float Ascensione_retta = 0; ///< [hours]
    float Declinazione = 0;     ///< [degrees]
};

/// One 35-byte record of stars.bin.
struct Stella_catalogo
{
    float Ascensione_retta = 0;         ///< [hours]
    float Declinazione = 0;             ///< [degrees]
    std::int16_t Magnitudine_centesimi = 0; ///< visual magnitude x 100
    std::string Spettro;                ///< 2 characters, spectral class
    std::string Lettera;                ///< 2 characters, Bayer letter
    std::string Costellazione;          ///< 3 characters, constellation code
    std::string Nome;                   ///< 16 characters, blank padded
};

/// One segment: both ends in right ascension [hours] and declination [degrees].
struct Linea_costellazione
{
    float Ascensione_retta1 = 0, Declinazione1 = 0;
    float Ascensione_retta2 = 0, Declinazione2 = 0;
};

struct Nome_costellazione
{
    double Ascensione_retta = 0; ///< [hours]
    double Declinazione = 0;     ///< [degrees]
    std::string Nome;
    std::string Sigla;           ///< three-letter code, exactly three characters
};

struct Corpo_celeste
{
    double Ascensione_retta = 0;     ///< geocentric [hours] 0..<24
    double Declinazione = 0;         ///< geocentric [degrees]
    double Azimut = 0;               ///< [degrees] from north through east
    double Altezza = 0;              ///< [degrees], no refraction
    double Distanza = 0;             ///< km for the Sun and the Moon, AU for a planet
    double Frazione_illuminata = 0;  ///< planets: 0..1; Moon: its longitude minus the Sun's [rad]
    double Magnitudine_visuale = 0;  ///< planets only
    double Diametro_apparente = 0;   ///< [arcseconds]
    std::array<double, 10> Elementi_orbitali{}; ///< the nine numbers of planets.dat, 1..9 (0 unused)
    std::string Nome;
};

/// Tables indexed from 1 as the catalogue numbers them (element 0 unused).
inline std::vector<Stella> Stelle(kStarCount + 1);
inline Stella_catalogo Record_stella;
inline std::vector<Linea_costellazione> Linee_costellazioni(kConstellationLineCount + 1);
inline std::vector<Nome_costellazione> Nomi_costellazioni(kConstellationNameCount + 1);
inline std::array<Corpo_celeste, kBodyCount + 1> Corpi_celesti{};

/// Standard magnitude text by catalogue number (index 0 .. last number read); empty = none.
inline std::vector<std::string> Tabella_magnitudini(1);
/// Radio frequency rows from 1 (index 0 unused): catalogue number, uplink, downlink texts.
inline std::vector<Record_TLE> Tabella_frequenze(1);

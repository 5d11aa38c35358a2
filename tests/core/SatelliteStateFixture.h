#pragma once
// A fixture for tests that touch the shared satellite state: it snapshots the slots, the
// options, the observer, the reference tables and the module variables of mSat and mMate,
// and puts them back afterwards, so test order cannot matter.

#include "SatelliteTestData.h"
#include "common/catalogues.h"
#include "common/options.h"
#include "common/satellite_slots.h"
#include "core/PassSearch.h"
#include "core/mSat.h"

#include <gtest/gtest.h>

namespace sattest {

/// The default observer of the program: Milan, 45.47 N 9.19 E, 133 m, zone +1.
inline Dati_osservatore defaultObserver()
{
    Dati_osservatore o;
    o.Nome_localita = "Milano";
    o.Latitudine_osservatore = 45.47f;
    o.Longitudine_osservatore = 9.19f;
    o.Quota_osservatore = 133.0f;
    o.Fuso_orario = 1.0f;
    o.Ora_legale = 0;
    return o;
}

class SatelliteStateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_riga = RigaDati;
        m_elements = Satelement;
        m_valori = Valori;
        m_count = Numero_satelliti;
        m_options = Impostazioni;
        m_observer = Osservatore;
        m_magnitudes = Tabella_magnitudini;
        m_frequencies = Tabella_frequenze;
        m_position = mSat::Posizione_ECI;
        m_velocity = mSat::Velocita_ECI;
        m_sun = mSat::Elevazione_sole;
        Impostazioni = Opzioni{};
        Osservatore = defaultObserver();
        mSat::clearPropagatorCache();
    }

    void TearDown() override
    {
        RigaDati = m_riga;
        Satelement = m_elements;
        Valori = m_valori;
        Numero_satelliti = m_count;
        Impostazioni = m_options;
        Osservatore = m_observer;
        Tabella_magnitudini = m_magnitudes;
        Tabella_frequenze = m_frequencies;
        mSat::Posizione_ECI = m_position;
        mSat::Velocita_ECI = m_velocity;
        mSat::Elevazione_sole = m_sun;
        mSat::clearPropagatorCache();
    }

private:
    SlotArray<Record_TLE> m_riga;
    SlotArray<Elemento_satellite> m_elements;
    SlotArray<Posizione_satellite> m_valori;
    std::int16_t m_count = 0;
    Opzioni m_options;
    Dati_osservatore m_observer;
    std::vector<std::string> m_magnitudes;
    std::vector<Record_TLE> m_frequencies;
    std::array<double, 3> m_position{};
    std::array<double, 3> m_velocity{};
    double m_sun = 0;
};

// Element sets used across the tests (lines of the public catalogue form).
// The near-Earth test set of Spacetrack Report No. 3.
inline constexpr const char* k88888Line1 =
    "1 88888U          80275.98708465  .00073094  13844-3  66816-4 0    87";
inline constexpr const char* k88888Line2 =
    "2 88888  72.8435 115.9689 0086731  52.6988 110.5714 16.05824518  1058";
// A Molniya orbit (12-hour, resonant) of the revised verification set.
inline constexpr const char* kMolniyaLine1 =
    "1 08195U 75081A   06176.33215444  .00000099  00000-0  11873-3 0   813";
inline constexpr const char* kMolniyaLine2 =
    "2 08195  64.1586 279.0717 6877146 264.7651  20.2257  2.00491383225656";
// A geostationary satellite (24-hour, resonant), XM-3 of the revised verification set.
inline constexpr const char* kGeoLine1 =
    "1 28626U 05008A   06176.46683397 -.00000205  00000-0  10000-3 0  2190";
inline constexpr const char* kGeoLine2 =
    "2 28626   0.0019 286.9433 0000335  13.7918  55.6504  1.00270176  4891";

} // namespace sattest

#pragma once
// Shared helpers of the astronomy tests: a fixture that restores every shared variable the
// astronomy shells read or write, and body rows filled from published elements.

#include "common/catalogues.h"
#include "common/options.h"
#include "core/mAstro.h"

#include <gtest/gtest.h>

#include <array>

/// Snapshots the observer, the time state, the Sun's state and Corpi_celesti, and puts
/// them back after the test, so test order cannot matter.
class SharedAstroStateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_observer = Osservatore;
        m_bodies = Corpi_celesti;
        m_time = captureTimeState();
        m_sun = {mAstro::Declinazione_sole, mAstro::AR_sole, mAstro::Longitudine_sole,
                 mAstro::Anomalia_sole};
    }

    void TearDown() override
    {
        Osservatore = m_observer;
        Corpi_celesti = m_bodies;
        restoreTimeState(m_time);
        mAstro::Declinazione_sole = m_sun[0];
        mAstro::AR_sole = m_sun[1];
        mAstro::Longitudine_sole = m_sun[2];
        mAstro::Anomalia_sole = m_sun[3];
    }

    static Dati_osservatore milano()
    {
        Dati_osservatore o;
        o.Nome_localita = "Milano";
        o.Latitudine_osservatore = 45.47f;
        o.Longitudine_osservatore = 9.19f;
        o.Fuso_orario = 1;
        o.Ora_legale = 0;
        return o;
    }

private:
    static mAstro::TimeState captureTimeState()
    {
        using namespace mAstro;
        return {Data_giuliana,  Data_giuliana_0h, Tempo_siderale_locale, Tempo_siderale,
                Data_locale,    Data_greenwich,   Giorno_anno,           Giorno_anno_locale,
                Anno_greenwich, Mese_greenwich,   Giorno_greenwich,      Anno_locale,
                Mese_locale,    Giorno_locale,    Ora_greenwich,         Ora_locale};
    }

    static void restoreTimeState(const mAstro::TimeState& t)
    {
        using namespace mAstro;
        Data_giuliana = t.Data_giuliana;
        Data_giuliana_0h = t.Data_giuliana_0h;
        Tempo_siderale_locale = t.Tempo_siderale_locale;
        Tempo_siderale = t.Tempo_siderale;
        Data_locale = t.Data_locale;
        Data_greenwich = t.Data_greenwich;
        Giorno_anno = t.Giorno_anno;
        Giorno_anno_locale = t.Giorno_anno_locale;
        Anno_greenwich = t.Anno_greenwich;
        Mese_greenwich = t.Mese_greenwich;
        Giorno_greenwich = t.Giorno_greenwich;
        Anno_locale = t.Anno_locale;
        Mese_locale = t.Mese_locale;
        Giorno_locale = t.Giorno_locale;
        Ora_greenwich = t.Ora_greenwich;
        Ora_locale = t.Ora_locale;
    }

    Dati_osservatore m_observer;
    std::array<Corpo_celeste, kBodyCount + 1> m_bodies{};
    mAstro::TimeState m_time;
    std::array<double, 4> m_sun{};
};

/// A body row from its nine numbers in planets.dat order.
inline Corpo_celeste bodyRow(const std::array<double, 9>& numbers)
{
    Corpo_celeste body;
    for (std::size_t k = 0; k < numbers.size(); ++k)
        body.Elementi_orbitali[k + 1] = numbers[k];
    return body;
}

/// Rows in planets.dat order: period [tropical years], mean longitude at J2000, longitude of
/// perihelion, eccentricity, semi-major axis [AU], inclination, node [degrees], diameter at
/// 1 AU [arcseconds], magnitude at 1 AU. Angles and axes: E. M. Standish, "Keplerian
/// Elements for Approximate Positions of the Major Planets" (JPL), J2000 mean elements;
/// periods, diameters and magnitudes: Duffett-Smith, Practical Astronomy with your
/// Calculator, table of planetary data.
inline std::array<Corpo_celeste, kBodyCount + 1> publishedBodyRows()
{
    std::array<Corpo_celeste, kBodyCount + 1> rows{};
    rows[1] = bodyRow({0.24085, 252.25032350, 77.45779628, 0.20563593, 0.38709927, 7.00497902,
                       48.33076593, 6.74, -0.42});
    rows[2] = bodyRow({0.615207, 181.97909950, 131.60246718, 0.00677672, 0.72333566, 3.39467605,
                       76.67984255, 16.92, -4.40});
    rows[3] = bodyRow({1.880765, -4.55343205, -23.94362959, 0.09339410, 1.52371034, 1.84969142,
                       49.55953891, 9.36, -1.52});
    rows[4] = bodyRow({11.857911, 34.39644051, 14.72847983, 0.04838624, 5.20288700, 1.30439695,
                       100.47390909, 196.94, -9.40});
    rows[5] = bodyRow({29.310579, 49.95424423, 92.59887831, 0.05386179, 9.53667594, 2.48599187,
                       113.66242448, 165.60, -8.88});
    rows[6] = bodyRow({84.039492, 313.23810451, 170.95427630, 0.04725744, 19.18916464, 0.77263783,
                       74.01692503, 65.80, -7.19});
    rows[7] = bodyRow({165.84539, -55.12002969, 44.96476227, 0.00859048, 30.06992276, 1.77004347,
                       131.78422574, 62.20, -6.87});
    // The Sun: only the apparent diameter at 1 AU [degrees] is used.
    rows[8] = bodyRow({0, 0, 0, 0, 0, 0, 0, 0.533128, 0});
    // The Moon at 1990 January 0.0 (Duffett-Smith): l0, P0, e, inclination, N0.
    rows[9] = bodyRow({0, 318.351648, 36.340410, 0.054900, 0, 5.145396, 318.510107, 0, 0});
    rows[10] = bodyRow({0.999996, 100.46457166, 102.93768193, 0.01671123, 1.00000261, 0, 0, 0, 0});
    return rows;
}

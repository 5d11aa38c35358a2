// Observing state of a satellite: look angles and the Sun against an independent
// computation, invariants of range, range rate and orbit geometry, visibility rules, and
// the shell Calcola_satellite (wiring, failures, kept initialisation).

#include "SatelliteStateFixture.h"
#include "SatelliteTestData.h"

#include "core/ElementSet.h"
#include "core/mSat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

using mSat::Status;

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;
/// Agreement of look angles with the independent computation [degrees]. Plan 13 puts
/// Greenwich at 99.4033 degrees at 1990 January 0.0, 0.0054 degrees east of the mean
/// sidereal time of Meeus; seen from the observer that turns the satellite by up to that
/// angle times its distance from the polar axis over the range.
constexpr double kLookAngleToleranceDeg = 0.001;
constexpr double kPlan13GreenwichOffsetDeg = 0.0054;
/// The Plan 13 Sun against the low-precision Sun of the Astronomical Almanac [degrees].
constexpr double kSunToleranceDeg = 0.3;

Elemento_satellite parsed(const char* name, const char* line1, const char* line2)
{
    const std::vector<std::string> magnitudes(1);
    const std::vector<Record_TLE> frequencies(1);
    return mSat::parseElementSet(name, line1, line2, magnitudes, frequencies).elements;
}

/// Greenwich mean sidereal time [rad] of a Julian date (UT), Meeus, Astronomical
/// Algorithms, eq. 12.4.
double greenwichSiderealRad(double jd)
{
    const double d = jd - 2451545.0;
    const double t = d / 36525.0;
    const double deg = 280.46061837 + 360.98564736629 * d + 0.000387933 * t * t;
    return std::fmod(deg, 360.0) * kDeg;
}

/// Elevation and azimuth [degrees] of an inertial (equator of date) position [km] from a
/// geodetic observer on the WGS-72 ellipsoid.
std::array<double, 2> lookAngles(const std::array<double, 3>& eci, double jd,
                                 const Dati_osservatore& o)
{
    const double lat = o.Latitudine_osservatore * kDeg;
    const double lon = o.Longitudine_osservatore * kDeg;
    const double a = 6378.135, f = 1.0 / 298.26, h = o.Quota_osservatore / 1000.0;
    const double e2 = f * (2.0 - f);
    const double n = a / std::sqrt(1.0 - e2 * std::sin(lat) * std::sin(lat));
    const double obs[3] = {(n + h) * std::cos(lat) * std::cos(lon),
                           (n + h) * std::cos(lat) * std::sin(lon),
                           (n * (1.0 - e2) + h) * std::sin(lat)};
    const double g = greenwichSiderealRad(jd);
    const double sat[3] = {eci[0] * std::cos(g) + eci[1] * std::sin(g),
                           -eci[0] * std::sin(g) + eci[1] * std::cos(g), eci[2]};
    const double r[3] = {sat[0] - obs[0], sat[1] - obs[1], sat[2] - obs[2]};
    const double east = -std::sin(lon) * r[0] + std::cos(lon) * r[1];
    const double north = -std::sin(lat) * std::cos(lon) * r[0] -
                         std::sin(lat) * std::sin(lon) * r[1] + std::cos(lat) * r[2];
    const double up = std::cos(lat) * std::cos(lon) * r[0] + std::cos(lat) * std::sin(lon) * r[1] +
                      std::sin(lat) * r[2];
    const double range = std::sqrt(east * east + north * north + up * up);
    double azimuth = std::atan2(east, north) / kDeg;
    if (azimuth < 0)
        azimuth += 360.0;
    return {std::asin(up / range) / kDeg, azimuth};
}

/// The Sun's elevation [degrees], low-precision formulae of the Astronomical Almanac.
double sunElevationDeg(double jd, const Dati_osservatore& o)
{
    const double n = jd - 2451545.0;
    const double l = (280.460 + 0.9856474 * n) * kDeg;
    const double g = (357.528 + 0.9856003 * n) * kDeg;
    const double lambda = l + (1.915 * std::sin(g) + 0.020 * std::sin(2 * g)) * kDeg;
    const double eps = (23.439 - 0.0000004 * n) * kDeg;
    const double ra = std::atan2(std::cos(eps) * std::sin(lambda), std::cos(lambda));
    const double dec = std::asin(std::sin(eps) * std::sin(lambda));
    const double hourAngle = greenwichSiderealRad(jd) + o.Longitudine_osservatore * kDeg - ra;
    const double lat = o.Latitudine_osservatore * kDeg;
    return std::asin(std::sin(lat) * std::sin(dec) +
                     std::cos(lat) * std::cos(dec) * std::cos(hourAngle)) /
           kDeg;
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

/// Every field of two records the same, numbers bit for bit.
bool sameRecord(const Posizione_satellite& a, const Posizione_satellite& b)
{
    const double Posizione_satellite::*numbers[] = {&Posizione_satellite::Elevazione,
                                                    &Posizione_satellite::Azimut,
                                                    &Posizione_satellite::Frazione_illuminata,
                                                    &Posizione_satellite::Angolo_fase,
                                                    &Posizione_satellite::Latitudine,
                                                    &Posizione_satellite::Longitudine,
                                                    &Posizione_satellite::Distanza_geocentrica,
                                                    &Posizione_satellite::Orbita,
                                                    &Posizione_satellite::Variazione_distanza,
                                                    &Posizione_satellite::Apogeo,
                                                    &Posizione_satellite::Perigeo,
                                                    &Posizione_satellite::Velocita,
                                                    &Posizione_satellite::Quota,
                                                    &Posizione_satellite::Distanza,
                                                    &Posizione_satellite::Periodo,
                                                    &Posizione_satellite::Latitudine_subsatellite,
                                                    &Posizione_satellite::Longitudine_subsatellite,
                                                    &Posizione_satellite::Latitudine_proiezione,
                                                    &Posizione_satellite::Longitudine_est,
                                                    &Posizione_satellite::Direzione_zenit,
                                                    &Posizione_satellite::Direzione_est,
                                                    &Posizione_satellite::Direzione_nord};
    for (auto field : numbers) {
        if (!sameBits(a.*field, b.*field))
            return false;
    }
    const bool sameMagnitude =
        a.Magnitudine.index() == b.Magnitudine.index() &&
        (a.Magnitudine.index() == 0
             ? std::get<std::string>(a.Magnitudine) == std::get<std::string>(b.Magnitudine)
             : sameBits(std::get<double>(a.Magnitudine), std::get<double>(b.Magnitudine)));
    return sameMagnitude && a.Stato == b.Stato && a.Emisfero_ns == b.Emisfero_ns &&
           a.Emisfero_ew == b.Emisfero_ew;
}

class ObservingState : public ::testing::Test
{
protected:
    Elemento_satellite m_sat = parsed("TEST 88888", sattest::k88888Line1, sattest::k88888Line2);
    Dati_osservatore m_observer = sattest::defaultObserver();
    Opzioni m_options;

    mSat::ObservingResult at(double jd) const
    {
        return mSat::observingState(m_sat, m_observer, m_options, jd, Posizione_satellite{}, 0.0);
    }
};

TEST_F(ObservingState, LookAnglesAndSunAgreeWithAnIndependentComputation)
{
    // Two days of 88888 over Milan, every 7 minutes, above and below the horizon.
    for (double jd = m_sat.Epoca_giuliana; jd < m_sat.Epoca_giuliana + 2.0; jd += 7.0 / 1440.0) {
        const mSat::ObservingResult r = at(jd);
        ASSERT_EQ(r.status, Status::Ok);
        const std::array<double, 2> expected = lookAngles(r.eci.positionKm, jd, m_observer);
        const double axisDistance = std::hypot(r.eci.positionKm[0], r.eci.positionKm[1]);
        const double tolerance =
            kLookAngleToleranceDeg + kPlan13GreenwichOffsetDeg * axisDistance / r.valori.Distanza;
        EXPECT_NEAR(r.valori.Elevazione, expected[0], tolerance) << "JD " << jd;
        const double azimuthError = std::remainder(r.valori.Azimut - expected[1], 360.0);
        EXPECT_NEAR(azimuthError * std::cos(expected[0] * kDeg), 0.0, tolerance) << "JD " << jd;
        EXPECT_NEAR(r.sunElevationDeg, sunElevationDeg(jd, m_observer), kSunToleranceDeg)
            << "JD " << jd;
    }
}

TEST_F(ObservingState, RangeRateIsTheRateOfChangeOfTheRange)
{
    // A power of two, so that jd +- the step are exact at Julian dates near 2.4 million.
    const double kStepDays = std::ldexp(1.0, -17); // 0.66 s
    for (double jd = m_sat.Epoca_giuliana; jd < m_sat.Epoca_giuliana + 0.3; jd += 0.011) {
        const double rate =
            (at(jd + kStepDays).valori.Distanza - at(jd - kStepDays).valori.Distanza) /
            (2.0 * kStepDays * 86400.0);
        EXPECT_NEAR(at(jd).valori.Variazione_distanza, rate, 1e-4) << "JD " << jd;
    }
}

TEST_F(ObservingState, GeometryFieldsAreConsistent)
{
    constexpr double kEarthRadiusKm = 6378.135;
    for (double jd = m_sat.Epoca_giuliana; jd < m_sat.Epoca_giuliana + 0.2; jd += 0.013) {
        const Posizione_satellite v = at(jd).valori;
        // The current radius lies on the osculating orbit, between perigee and apogee.
        EXPECT_LE(v.Perigeo + kEarthRadiusKm, v.Distanza_geocentrica * (1 + 1e-9));
        EXPECT_GE(v.Apogeo + kEarthRadiusKm, v.Distanza_geocentrica * (1 - 1e-9));
        EXPECT_NEAR(v.Periodo, 86400.0 / 16.05824518, 60.0);
        EXPECT_NEAR(v.Quota, v.Distanza_geocentrica - kEarthRadiusKm, 25.0);
        const double unit = v.Direzione_zenit * v.Direzione_zenit +
                            v.Direzione_est * v.Direzione_est + v.Direzione_nord * v.Direzione_nord;
        EXPECT_NEAR(unit, 1.0, 1e-12);
        EXPECT_EQ(v.Emisfero_ns, v.Latitudine_subsatellite < 0 ? "S" : "N");
        EXPECT_DOUBLE_EQ(v.Latitudine, std::fabs(v.Latitudine_subsatellite));
        EXPECT_DOUBLE_EQ(v.Latitudine_proiezione, v.Latitudine_subsatellite);
        EXPECT_EQ(v.Emisfero_ew, v.Longitudine_est <= 180.0 ? "E" : "W");
        EXPECT_NEAR(std::remainder(v.Longitudine_subsatellite - v.Longitudine_est, 360.0), 0.0,
                    1e-9);
        EXPECT_DOUBLE_EQ(v.Longitudine, std::fabs(v.Longitudine_subsatellite));
    }
    // At the epoch the orbit number is the revolution number plus the mean anomaly's part.
    EXPECT_NEAR(at(m_sat.Epoca_giuliana).valori.Orbita, 105.0 + 110.5714 / 360.0, 1e-6);
}

TEST_F(ObservingState, VisibilityEclipseAndMagnitude)
{
    m_sat.Magnitudine_standard = "4.5";
    bool seen[4] = {false, false, false, false};
    for (double jd = m_sat.Epoca_giuliana; jd < m_sat.Epoca_giuliana + 1.5; jd += 1.0 / 1440.0) {
        const mSat::ObservingResult r = at(jd);
        const Posizione_satellite& v = r.valori;
        seen[v.Stato] = true;
        if (v.Stato == kStatoEclisse) {
            EXPECT_EQ(v.Frazione_illuminata, 0.0);
            EXPECT_EQ(std::get<std::string>(v.Magnitudine), "");
            continue;
        }
        ASSERT_TRUE(v.Stato == kStatoVisibile || v.Stato == kStatoIlluminato);
        const bool visible = v.Elevazione > 0 && r.sunElevationDeg < m_options.Limite_sole;
        EXPECT_EQ(v.Stato == kStatoVisibile, visible) << "JD " << jd;
        // Magnitude model 0: the standard magnitude at 1000 km fully lit, minus 15.75 + 2.5
        // log10 of range squared over the lit fraction.
        const double expected =
            4.5 - 15.75 + 2.5 * std::log10(v.Distanza * v.Distanza / v.Frazione_illuminata);
        EXPECT_NEAR(std::get<double>(v.Magnitudine), expected, 1e-9);
    }
    EXPECT_TRUE(seen[kStatoEclisse]);
    EXPECT_TRUE(seen[kStatoIlluminato]);

    m_sat.Magnitudine_standard.clear();
    for (double jd = m_sat.Epoca_giuliana; jd < m_sat.Epoca_giuliana + 0.1; jd += 1.0 / 1440.0) {
        const Posizione_satellite v = at(jd).valori;
        if (v.Stato != kStatoEclisse) {
            EXPECT_EQ(std::get<std::string>(v.Magnitudine), "???");
        }
    }
}

TEST_F(ObservingState, StatementThatCannotBeComputedKeepsItsField)
{
    // A standard magnitude that is not a number: the magnitude keeps its previous value
    // while every other field is computed.
    m_sat.Magnitudine_standard = "bright";
    Posizione_satellite previous;
    previous.Magnitudine = 7.75;
    previous.Distanza = -1.0;
    for (double jd = m_sat.Epoca_giuliana; jd < m_sat.Epoca_giuliana + 0.2; jd += 3.0 / 1440.0) {
        const mSat::ObservingResult r =
            mSat::observingState(m_sat, m_observer, m_options, jd, previous, 0.0);
        ASSERT_EQ(r.status, Status::Ok);
        EXPECT_GT(r.valori.Distanza, 0.0);
        if (r.valori.Stato != kStatoEclisse) {
            EXPECT_EQ(std::get<double>(r.valori.Magnitudine), 7.75);
        }
    }
}

TEST_F(ObservingState, RefractionRaisesOnlyElevationsFromMinus0Point6Degrees)
{
    Opzioni refracting = m_options;
    refracting.Rifrazione = true;
    bool nearHorizon = false;
    for (double jd = m_sat.Epoca_giuliana; jd < m_sat.Epoca_giuliana + 1.0; jd += 0.3 / 1440.0) {
        const Posizione_satellite plain = at(jd).valori;
        const Posizione_satellite refracted =
            mSat::observingState(m_sat, m_observer, refracting, jd, Posizione_satellite{}, 0)
                .valori;
        const double lift = refracted.Elevazione - plain.Elevazione;
        if (plain.Elevazione < -0.6) {
            EXPECT_EQ(lift, 0.0);
        } else {
            EXPECT_GT(lift, 0.0);
            EXPECT_LT(lift, 0.6); // about 0.48 degrees at the horizon (Saemundsson)
            nearHorizon = nearHorizon || std::fabs(plain.Elevazione) < 0.5;
        }
        EXPECT_EQ(refracted.Azimut, plain.Azimut);
        EXPECT_EQ(refracted.Direzione_zenit, plain.Direzione_zenit);
    }
    EXPECT_TRUE(nearHorizon);
}

class CalcolaSatellite : public sattest::SatelliteStateTest
{
};

TEST_F(CalcolaSatellite, WritesTheSlotAndTheModuleOutputsOfTheLastCall)
{
    ASSERT_EQ(mSat::Estrai_Dati_Satellite(1, "LEO", sattest::k88888Line1, sattest::k88888Line2),
              Status::Ok);
    ASSERT_EQ(
        mSat::Estrai_Dati_Satellite(2, "MOLNIYA", sattest::kMolniyaLine1, sattest::kMolniyaLine2),
        Status::Ok);
    const double jd = Satelement[2].Epoca_giuliana + 0.4;
    ASSERT_EQ(mSat::Calcola_satellite(1, Satelement[1].Epoca_giuliana + 0.4), Status::Ok);
    ASSERT_EQ(mSat::Calcola_satellite(2, jd), Status::Ok);

    const mSat::ObservingResult expected = mSat::observingState(
        Satelement[2], Osservatore, Impostazioni, jd, Posizione_satellite{}, 0);
    EXPECT_TRUE(sameRecord(Valori[2], expected.valori));
    EXPECT_EQ(mSat::Posizione_ECI, expected.eci.positionKm);
    EXPECT_EQ(mSat::Velocita_ECI, expected.eci.velocityKmS);
    EXPECT_EQ(mSat::Elevazione_sole, expected.sunElevationDeg);
    EXPECT_EQ(mSat::Calcola_satellite(0, jd), Status::NoSuchSlot);
    EXPECT_EQ(mSat::Calcola_satellite(kLastSlot + 1, jd), Status::NoSuchSlot);
}

TEST_F(CalcolaSatellite, KeptSlotStateGivesTheBitsOfAFreshComputation)
{
    // A low orbit and two resonant deep-space orbits a month after their epochs, the time
    // moving on and back as the tick and a pass search move it, and the observer moving once.
    const std::array<std::array<const char*, 2>, 3> sets{
        {{sattest::k88888Line1, sattest::k88888Line2},
         {sattest::kMolniyaLine1, sattest::kMolniyaLine2},
         {sattest::kGeoLine1, sattest::kGeoLine2}}};
    Impostazioni.Propagatore = 3;
    for (const auto& lines : sets) {
        ASSERT_EQ(mSat::Estrai_Dati_Satellite(5, "SET", lines[0], lines[1]), Status::Ok);
        const double epoch = Satelement[5].Epoca_giuliana;
        Osservatore = sattest::defaultObserver();
        int call = 0;
        for (double jd : {epoch + 30.0, epoch + 30.0 + 1e-5, epoch + 29.99, epoch + 31.2,
                          epoch + 0.3, epoch + 30.5, epoch - 2.0, epoch + 30.6}) {
            if (++call == 5)
                Osservatore.Latitudine_osservatore = -33.9f;
            ASSERT_EQ(mSat::Calcola_satellite(5, jd), Status::Ok) << lines[0];
            const mSat::ObservingResult fresh = mSat::observingState(
                Satelement[5], Osservatore, Impostazioni, jd, Valori[5], mSat::Elevazione_sole);
            EXPECT_TRUE(sameRecord(Valori[5], fresh.valori)) << lines[0] << " at " << jd;
            EXPECT_EQ(mSat::Posizione_ECI, fresh.eci.positionKm) << lines[0] << " at " << jd;
        }
    }
}

TEST_F(CalcolaSatellite, FailureLeavesTheSlotAndTheOutputsOfTheLastGoodCall)
{
    ASSERT_EQ(mSat::Estrai_Dati_Satellite(2, "LEO", sattest::k88888Line1, sattest::k88888Line2),
              Status::Ok);
    const double jd = Satelement[2].Epoca_giuliana + 0.1;
    ASSERT_EQ(mSat::Calcola_satellite(2, jd), Status::Ok);
    const std::array<double, 3> position = mSat::Posizione_ECI;
    const double sun = mSat::Elevazione_sole;

    Satelement[3] = Satelement[2];
    Satelement[3].Moto_medio = 0.0;
    Valori[3].Azimut = 123.0;
    Valori[3].Magnitudine = std::string("sentinel");
    EXPECT_EQ(mSat::Calcola_satellite(3, jd), Status::MeanMotionNotPositive);
    Satelement[3].Moto_medio = 16.0;
    Satelement[3].Eccentricita = 1.0;
    EXPECT_EQ(mSat::Calcola_satellite(3, jd), Status::EccentricityOutOfRange);
    EXPECT_EQ(Valori[3].Azimut, 123.0);
    EXPECT_EQ(std::get<std::string>(Valori[3].Magnitudine), "sentinel");
    EXPECT_EQ(mSat::Posizione_ECI, position);
    EXPECT_EQ(mSat::Elevazione_sole, sun);
}

TEST_F(CalcolaSatellite, PropagatorOptionOutsideZeroToThreeActsAsSgp4)
{
    ASSERT_EQ(mSat::Estrai_Dati_Satellite(4, "LEO", sattest::k88888Line1, sattest::k88888Line2),
              Status::Ok);
    const double jd = Satelement[4].Epoca_giuliana + 0.25;
    Impostazioni.Propagatore = 2;
    ASSERT_EQ(mSat::Calcola_satellite(4, jd), Status::Ok);
    const Posizione_satellite sgp4 = Valori[4];
    Impostazioni.Propagatore = 9;
    ASSERT_EQ(mSat::Calcola_satellite(4, jd), Status::Ok);
    EXPECT_TRUE(sameRecord(Valori[4], sgp4));
    Impostazioni.Propagatore = 0;
    ASSERT_EQ(mSat::Calcola_satellite(4, jd), Status::Ok);
    EXPECT_FALSE(sameRecord(Valori[4], sgp4)); // Plan 13 is another model
}

TEST_F(CalcolaSatellite, KeptInitialisationGivesTheBitsOfAFreshOne)
{
    const char* sets[][3] = {{"LEO", sattest::k88888Line1, sattest::k88888Line2},
                             {"MOLNIYA", sattest::kMolniyaLine1, sattest::kMolniyaLine2},
                             {"GEO", sattest::kGeoLine1, sattest::kGeoLine2}};
    for (int slot = 1; slot <= 3; ++slot) {
        ASSERT_EQ(mSat::Estrai_Dati_Satellite(slot, sets[slot - 1][0], sets[slot - 1][1],
                                              sets[slot - 1][2]),
                  Status::Ok);
    }
    for (std::int16_t model = 0; model <= 3; ++model) {
        Impostazioni.Propagatore = model;
        for (int step = 0; step < 12; ++step) {
            // Interleave slots and times, and give slot 3 a new element set half way.
            if (step == 6) {
                ASSERT_EQ(mSat::Estrai_Dati_Satellite(3, "LEO2", sattest::k88888Line1,
                                                      sattest::k88888Line2),
                          Status::Ok);
            }
            for (int slot = 1; slot <= 3; ++slot) {
                const double jd = Satelement[slot].Epoca_giuliana + 0.37 * step - 0.9 * slot;
                const Posizione_satellite before = Valori[slot];
                const double sunBefore = mSat::Elevazione_sole;
                ASSERT_EQ(mSat::Calcola_satellite(slot, jd), Status::Ok);
                const mSat::ObservingResult fresh = mSat::observingState(
                    Satelement[slot], Osservatore, Impostazioni, jd, before, sunBefore);
                EXPECT_TRUE(sameRecord(Valori[slot], fresh.valori))
                    << "model " << model << " slot " << slot << " step " << step;
                EXPECT_EQ(mSat::Posizione_ECI, fresh.eci.positionKm);
            }
        }
        ASSERT_EQ(mSat::Estrai_Dati_Satellite(3, "GEO", sattest::kGeoLine1, sattest::kGeoLine2),
                  Status::Ok);
    }
}

} // namespace

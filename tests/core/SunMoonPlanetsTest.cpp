#include "AstroTestSupport.h"

#include "core/DateValue.h"
#include "core/mAstro.h"
#include "core/mMate.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Duffett-Smith's Sun is good to about 0.01 degree (no nutation or aberration here).
constexpr double kSunToleranceDeg = 0.01;
constexpr double kSunDistanceRelativeTolerance = 1e-4;
// The Moon's few periodic terms keep it within a few tenths of a degree; its distance
// carries only the equation of the centre, about 2 percent.
constexpr double kMoonToleranceDeg = 0.15;
constexpr double kMoonDistanceRelativeTolerance = 0.02;
// Mean elements with the first-order equation of the centre: about a degree for a planet.
constexpr double kPlanetToleranceDeg = 1.0;
constexpr double kAuKm = 149597870.7;

double degreesApart(double a, double b)
{
    return std::fabs(std::remainder(a - b, 360.0));
}

double sunLongitudeDeg(double julianDate)
{
    const double midnight = std::floor(julianDate - 0.5) + 0.5;
    return mAstro::sunAt(julianDate, midnight, 0.533128).longitudeRad * mMate::kRadToDeg;
}

mAstro::PlanetPosition planet(int k, double julianDate)
{
    const auto rows = publishedBodyRows();
    return mAstro::planetAt(k, julianDate, rows[static_cast<std::size_t>(k)], rows[kTerra]);
}

mAstro::MoonPosition moon(double julianDate)
{
    const double midnight = std::floor(julianDate - 0.5) + 0.5;
    const mAstro::SunPosition sun = mAstro::sunAt(julianDate, midnight, 0.533128);
    return mAstro::moonAt(julianDate, publishedBodyRows()[kLuna], sun.longitudeRad,
                          sun.meanAnomalyRad);
}

} // namespace

// Meeus, Astronomical Algorithms, Example 25.a, 1992 October 13.0: true longitude
// 199.90988, right ascension 198.38083, declination -7.78507 degrees, distance 0.99766 AU.
TEST(SunPosition, MatchesMeeusExample)
{
    const mAstro::SunPosition sun = mAstro::sunAt(2448908.5, 2448908.5, 0.533128);
    EXPECT_NEAR(sun.longitudeRad * mMate::kRadToDeg, 199.90988, kSunToleranceDeg);
    EXPECT_NEAR(sun.rightAscensionHours * 15.0, 198.38083, kSunToleranceDeg);
    EXPECT_NEAR(sun.declinationDeg, -7.78507, kSunToleranceDeg);
    EXPECT_NEAR(sun.distanceKm / (0.99766 * kAuKm), 1.0, kSunDistanceRelativeTolerance);
    EXPECT_NEAR(sun.diameterArcsec, 0.533128 * 3600 / 0.99766, 1.0);
}

// Meeus, Example 47.a, 1992 April 12.0: longitude 133.162655, latitude -3.229126, right
// ascension 134.688470, declination 13.768368 degrees, distance 368409.7 km.
TEST(MoonPosition, MatchesMeeusExample)
{
    const mAstro::MoonPosition m = moon(2448724.5);
    EXPECT_LT(degreesApart(m.longitudeRad * mMate::kRadToDeg, 133.162655), kMoonToleranceDeg);
    EXPECT_NEAR(m.latitudeRad * mMate::kRadToDeg, -3.229126, kMoonToleranceDeg);
    EXPECT_LT(degreesApart(m.rightAscensionHours * 15.0, 134.688470), kMoonToleranceDeg);
    EXPECT_NEAR(m.declinationDeg, 13.768368, kMoonToleranceDeg);
    EXPECT_NEAR(m.distanceKm / 368409.7, 1.0, kMoonDistanceRelativeTolerance);
}

// New moon 2000 January 6, 18h14m UT; full moon (total lunar eclipse) 2000 January 21,
// 04h40m UT (Astronomical Almanac for 2000).
TEST(MoonPosition, ElongationIsZeroAtNewMoonAndHalfATurnAtFullMoon)
{
    const double newMoon = mAstro::Calcola_giorno_giuliano(2000, 1, 6 + (18 + 14 / 60.0) / 24);
    const double fullMoon = mAstro::Calcola_giorno_giuliano(2000, 1, 21 + (4 + 40 / 60.0) / 24);
    const double elongationAtNew = moon(newMoon).elongationRad;
    EXPECT_LT(std::min(elongationAtNew, 2 * M_PI - elongationAtNew), 0.05);
    EXPECT_NEAR(moon(fullMoon).elongationRad, M_PI, 0.05);
}

TEST(MoonPosition, ApparentDiameterStaysWithinPerigeeAndApogeeValues)
{
    for (double jd = 2451545.0; jd < 2451545.0 + 60; jd += 0.25) {
        const mAstro::MoonPosition m = moon(jd);
        EXPECT_GE(m.diameterArcsec, 1768.0) << "jd " << jd;
        EXPECT_LE(m.diameterArcsec, 1974.0) << "jd " << jd;
        EXPECT_GE(m.elongationRad, 0.0) << "jd " << jd;
    }
}

// Meeus, Example 33.a and 41.a, Venus on 1992 December 20.0: right ascension 316.17272,
// declination -18.88801 degrees, distance 0.910947 AU, illuminated fraction 0.647.
TEST(PlanetPosition, VenusMatchesMeeusExample)
{
    const mAstro::PlanetPosition venus = planet(2, 2448976.5);
    EXPECT_LT(degreesApart(venus.rightAscensionHours * 15.0, 316.17272), kPlanetToleranceDeg);
    EXPECT_NEAR(venus.declinationDeg, -18.88801, kPlanetToleranceDeg);
    EXPECT_NEAR(venus.distanceAu, 0.910947, 0.01);
    EXPECT_NEAR(venus.illuminatedFraction, 0.647, 0.01);
    ASSERT_TRUE(venus.visualMagnitude.has_value());
    EXPECT_NEAR(venus.diameterArcsec, 16.92 / venus.distanceAu, 1e-9);
}

// Mars at its closest in 2003: August 27, 09h51m UT, 0.37272 AU, opposite the Sun.
// Venus in transit, 2004 June 8, 08h20m UT: 0.2889 AU, nearly new.
TEST(PlanetPosition, OppositionAndInferiorConjunctionGeometry)
{
    const double marsDate = mAstro::Calcola_giorno_giuliano(2003, 8, 27 + (9 + 51 / 60.0) / 24);
    const mAstro::PlanetPosition mars = planet(3, marsDate);
    EXPECT_NEAR(mars.distanceAu, 0.37272, 0.005);
    EXPECT_GT(mars.illuminatedFraction, 0.99);
    EXPECT_NEAR(degreesApart(mars.longitudeDeg, sunLongitudeDeg(marsDate)), 180.0, 3.0);

    const double venusDate = mAstro::Calcola_giorno_giuliano(2004, 6, 8 + (8 + 20 / 60.0) / 24);
    const mAstro::PlanetPosition venus = planet(2, venusDate);
    EXPECT_NEAR(venus.distanceAu, 0.2889, 0.005);
    EXPECT_LT(venus.illuminatedFraction, 0.01);
    EXPECT_LT(degreesApart(venus.longitudeDeg, sunLongitudeDeg(venusDate)), 2.0);
}

// Inner planets stay near the Sun (greatest elongations about 28 and 47 degrees); outer
// planets reach opposition. A planet given the wrong formula fails one of these.
TEST(PlanetPosition, InnerPlanetsStayNearTheSunAndOuterOnesReachOpposition)
{
    double largestMercury = 0, largestVenus = 0, largestJupiter = 0;
    for (double jd = 2451545.0; jd < 2451545.0 + 2 * 365.25; jd += 2.0) {
        const double sun = sunLongitudeDeg(jd);
        largestMercury = std::max(largestMercury, degreesApart(planet(1, jd).longitudeDeg, sun));
        largestVenus = std::max(largestVenus, degreesApart(planet(2, jd).longitudeDeg, sun));
        largestJupiter = std::max(largestJupiter, degreesApart(planet(4, jd).longitudeDeg, sun));
    }
    EXPECT_GT(largestMercury, 17.0);
    EXPECT_LT(largestMercury, 28.0 + kPlanetToleranceDeg);
    EXPECT_GT(largestVenus, 45.0);
    EXPECT_LT(largestVenus, 47.8 + kPlanetToleranceDeg);
    EXPECT_GT(largestJupiter, 178.0);
}

class BodiesInTheTable : public SharedAstroStateTest
{
protected:
    void SetUp() override
    {
        SharedAstroStateTest::SetUp();
        Osservatore = milano();
        Corpi_celesti = publishedBodyRows();
    }
};

// At 2000-01-01 12:00 UT the Sun is near longitude 280.4 and declination -23.0 degrees,
// 147.1 million km away (perihelion is two days later).
TEST_F(BodiesInTheTable, CalcolaSoleFillsTheSunAndItsSharedState)
{
    mAstro::Calcola_tempi(DateValue::fromDateTime(2000, 1, 1, 13, 0, 0));
    mAstro::Calcola_sole();
    const Corpo_celeste& sun = Corpi_celesti[kSole];
    EXPECT_NEAR(mAstro::Longitudine_sole * mMate::kRadToDeg, 280.4, 0.1);
    EXPECT_NEAR(mAstro::Declinazione_sole, -23.0, 0.1);
    EXPECT_NEAR(sun.Distanza, 147.1e6, 0.1e6);
    EXPECT_EQ(sun.Declinazione, mAstro::Declinazione_sole);
    EXPECT_EQ(sun.Ascensione_retta, mAstro::AR_sole);
    const mAstro::HorizontalPosition sky = mAstro::equatorialToHorizontal(
        mAstro::AR_sole, mAstro::Declinazione_sole, 45.47f, mAstro::Tempo_siderale_locale);
    EXPECT_EQ(sun.Azimut, sky.azimuthDeg);
    EXPECT_EQ(sun.Altezza, sky.altitudeDeg);
    EXPECT_NEAR(sun.Altezza, 90 - 45.47 - 23.0, 1.0); // near the meridian at local noon
}

TEST_F(BodiesInTheTable, CalcolaLunaUsesTheSunLeftByCalcolaSole)
{
    mAstro::Calcola_tempi(DateValue::fromDateTime(1992, 4, 12, 1, 0, 0));
    mAstro::Longitudine_sole = 0;
    mAstro::Anomalia_sole = 0;
    mAstro::Calcola_luna();
    EXPECT_EQ(Corpi_celesti[kLuna].Distanza,
              mAstro::moonAt(mAstro::Data_giuliana, Corpi_celesti[kLuna], 0, 0).distanceKm);

    mAstro::Calcola_sole();
    mAstro::Calcola_luna();
    const Corpo_celeste& m = Corpi_celesti[kLuna];
    EXPECT_LT(degreesApart(m.Ascensione_retta * 15.0, 134.688470), kMoonToleranceDeg);
    EXPECT_GT(m.Frazione_illuminata, 0);
    EXPECT_LT(m.Frazione_illuminata, 2 * M_PI);
}

TEST_F(BodiesInTheTable, CalcolaPianetiFillsTheSevenPlanetsAndLeavesTheEarth)
{
    mAstro::Calcola_tempi(DateValue::fromDateTime(1992, 12, 20, 1, 0, 0));
    const Corpo_celeste earthBefore = Corpi_celesti[kTerra];
    mAstro::Calcola_pianeti();
    for (int k = kMercurio; k <= kNettuno; ++k) {
        const Corpo_celeste& body = Corpi_celesti[static_cast<std::size_t>(k)];
        const mAstro::PlanetPosition p = planet(k, mAstro::Data_giuliana);
        EXPECT_EQ(body.Ascensione_retta, p.rightAscensionHours) << "planet " << k;
        EXPECT_EQ(body.Distanza, p.distanceAu) << "planet " << k;
        EXPECT_EQ(body.Magnitudine_visuale, *p.visualMagnitude) << "planet " << k;
        EXPECT_GE(body.Altezza, -90.0) << "planet " << k;
    }
    EXPECT_EQ(Corpi_celesti[kTerra].Ascensione_retta, earthBefore.Ascensione_retta);
}

// A planet exactly between the Sun and the Earth shows no lit disc: its magnitude used to
// divide by zero and its latitude to be 0 / 0.
TEST_F(BodiesInTheTable, UnlitPlanetHasNoMagnitudeAndAFinitePosition)
{
    Corpi_celesti[kTerra] = bodyRow({1, 0, 0, 0, 1, 0, 0, 0, 0});
    Corpi_celesti[2] = bodyRow({0.615, 0, 0, 0, 0.72, 0, 0, 16.92, -4.4});
    const mAstro::PlanetPosition p =
        mAstro::planetAt(2, 2451545.0, Corpi_celesti[2], Corpi_celesti[kTerra]);
    EXPECT_EQ(p.illuminatedFraction, 0.0);
    EXPECT_FALSE(p.visualMagnitude.has_value());
    EXPECT_EQ(p.latitudeDeg, 0.0);
    EXPECT_NEAR(p.distanceAu, 0.28, 1e-9);
    EXPECT_TRUE(std::isfinite(p.rightAscensionHours));
    EXPECT_TRUE(std::isfinite(p.declinationDeg));

    mAstro::Data_giuliana = 2451545.0;
    mAstro::Calcola_pianeti();
    EXPECT_EQ(Corpi_celesti[2].Magnitudine_visuale, mAstro::kNoMagnitude);
    EXPECT_TRUE(std::isinf(Corpi_celesti[2].Magnitudine_visuale));
    EXPECT_TRUE(std::isfinite(Corpi_celesti[2].Altezza));
}

// planets.dat: ten bodies in the program's order with nine numbers each.

#include "InstallDataFiles.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

using namespace installdata;

namespace {

constexpr int kBodyCount = 10;
constexpr int kNumbersPerBody = 9;

// Kepler's third law, P^2 = a^3 in years and AU, holds to a few parts in a thousand for
// the planets' mean elements (the planet's own mass and the tropical year account for it).
constexpr double kKeplerRelativeTolerance = 0.005;

const std::array<const char*, kBodyCount> kNames = {
    "mercurio", "venere", "marte", "giove", "saturno", "urano", "nettuno", "sole", "luna", "terra"};

struct Body
{
    QString name;
    std::array<double, kNumbersPerBody + 1> n{}; // 1-based, as the program numbers them
};

std::vector<Body> readBodies()
{
    std::vector<Body> bodies;
    for (const QStringList& r : readRecords(QStringLiteral("planets.dat"))) {
        Body body;
        body.name = r.value(0);
        for (int k = 1; k <= kNumbersPerBody; ++k) {
            bool ok = false;
            body.n[std::size_t(k)] = number(r.value(k), &ok);
            EXPECT_TRUE(ok) << body.name.toStdString() << " number " << k;
        }
        EXPECT_EQ(r.size(), kNumbersPerBody + 1) << body.name.toStdString();
        bodies.push_back(body);
    }
    return bodies;
}

} // namespace

TEST(PlanetElements, ListTheTenBodiesInTheProgramsOrder)
{
    const auto bodies = readBodies();
    ASSERT_EQ(bodies.size(), std::size_t(kBodyCount));
    for (std::size_t k = 0; k < bodies.size(); ++k)
        EXPECT_EQ(bodies[k].name, QString::fromLatin1(kNames[k]));
}

TEST(PlanetElements, PlanetRowsAreOrbitsInTheirColumns)
{
    const auto bodies = readBodies();
    ASSERT_EQ(bodies.size(), std::size_t(kBodyCount));
    double previousA = 0;
    for (std::size_t k = 0; k < 7; ++k) {
        const Body& b = bodies[k];
        SCOPED_TRACE(b.name.toStdString());
        const double period = b.n[1], a = b.n[5], e = b.n[4];
        EXPECT_NEAR(period * period, a * a * a, kKeplerRelativeTolerance * a * a * a);
        EXPECT_GT(a, previousA);
        previousA = a;
        EXPECT_GE(e, 0.0);
        EXPECT_LT(e, 0.25);
        for (int angle : {2, 3, 7}) {
            EXPECT_GE(b.n[std::size_t(angle)], 0.0);
            EXPECT_LT(b.n[std::size_t(angle)], 360.0);
        }
        EXPECT_GT(b.n[6], 0.0);   // inclination to the ecliptic
        EXPECT_LT(b.n[6], 8.0);
        EXPECT_GT(b.n[8], 5.0);   // apparent diameter at 1 AU, arcseconds
        EXPECT_LT(b.n[8], 200.0);
        EXPECT_LT(b.n[9], 0.0);   // magnitude at 1 AU
        EXPECT_GT(b.n[9], -10.0);
    }
}

TEST(PlanetElements, SunMoonAndEarthRowsHoldTheirOwnNumbers)
{
    const auto bodies = readBodies();
    ASSERT_EQ(bodies.size(), std::size_t(kBodyCount));
    const Body& sun = bodies[7];
    EXPECT_NEAR(sun.n[8], 0.533, 0.001); // degrees: 31' 59" at 1 AU
    const Body& moon = bodies[8];
    for (int angle : {2, 3, 7}) {
        EXPECT_GE(moon.n[std::size_t(angle)], 0.0);
        EXPECT_LT(moon.n[std::size_t(angle)], 360.0);
    }
    EXPECT_NEAR(moon.n[4], 0.0549, 1e-4);
    EXPECT_NEAR(moon.n[6], 5.145, 0.001);
    // Duffett-Smith's values for 1990 January 0.0: l0 318.351648, P0 36.340410, N0 318.510107.
    EXPECT_NEAR(moon.n[2], 318.3516, 0.01);
    EXPECT_NEAR(moon.n[3], 36.3404, 0.01);
    EXPECT_NEAR(moon.n[7], 318.5101, 0.01);
    const Body& earth = bodies[9];
    EXPECT_NEAR(earth.n[1], 1.0, 1e-4);  // one year
    EXPECT_NEAR(earth.n[4], 0.0167, 1e-4);
    EXPECT_NEAR(earth.n[3], 102.94, 0.01);
}

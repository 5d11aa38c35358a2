#include "AstroTestSupport.h"

#include "core/mAstro.h"
#include "core/mMate.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kExact = 1e-12;
constexpr double kRoundedPiTolerance = 1e-7; // the rounded quarter turn differs by ~3e-9
constexpr double kWorkedExampleToleranceDeg = 1e-4;

void expectSexagesimal(double value, double degrees, double minutes, double seconds)
{
    double d = -1, m = -1, s = -1;
    mMate::Gradi_primi_secondi(value, d, m, s);
    EXPECT_EQ(d, degrees) << "value " << value;
    EXPECT_EQ(m, minutes) << "value " << value;
    EXPECT_EQ(s, seconds) << "value " << value;
}

} // namespace

TEST(AngleRoutines, ModuloIsNonNegativeForPositiveDivisors)
{
    EXPECT_EQ(mMate::Modulo(-1, 24), 23);
    EXPECT_EQ(mMate::Modulo(24, 24), 0);
    EXPECT_EQ(mMate::Modulo(25.5, 24), 1.5);
    EXPECT_EQ(mMate::Modulo(-720, 360), 0);
    EXPECT_NEAR(mMate::Modulo(-0.25, 360), 359.75, kExact);
}

TEST(AngleRoutines, FullArctangentCoversTheCircleWithTheRoundedQuarterTurn)
{
    EXPECT_DOUBLE_EQ(mMate::Arcotangente_completa(0, 1), 0.0);
    EXPECT_DOUBLE_EQ(mMate::Arcotangente_completa(0, -1), 3.14159266);
    EXPECT_DOUBLE_EQ(mMate::Arcotangente_completa(0, 0), 1.57079633);
    EXPECT_DOUBLE_EQ(mMate::Arcotangente_completa(1, 0), 1.57079633);
    EXPECT_DOUBLE_EQ(mMate::Arcotangente_completa(-1, 0), 4.71238899);
    // Every quadrant agrees with atan2 once it is made non-negative.
    for (int step = 1; step < 72; ++step) {
        if (step % 18 == 0)
            continue;
        const double angle = step * 5.0 * M_PI / 180.0;
        const double expected =
            std::fmod(std::atan2(std::sin(angle), std::cos(angle)) + 2 * M_PI, 2 * M_PI);
        EXPECT_NEAR(mMate::Arcotangente_completa(std::sin(angle), std::cos(angle)), expected,
                    kRoundedPiTolerance)
            << "angle " << step * 5 << " degrees";
    }
}

TEST(AngleRoutines, ReducedAngleLiesInOneRoundedTurn)
{
    EXPECT_NEAR(mMate::Riduci_angolo(-0.1), 6.1831853, kExact);
    EXPECT_EQ(mMate::Riduci_angolo(6.2831853), 0.0);
    EXPECT_NEAR(mMate::Riduci_angolo(3 * 6.2831853 + 1.0), 1.0, kExact);
    EXPECT_NEAR(mMate::Riduci_angolo(-3 * 6.2831853 - 1.0), 6.2831853 - 1.0, kExact);
}

TEST(AngleRoutines, ArcsineAndArccosineAgreeWithTheLibraryAndReachTheirLimits)
{
    for (double x = -0.99; x < 1.0; x += 0.03) {
        EXPECT_NEAR(mMate::Arcoseno(x), std::asin(x), kExact) << "x " << x;
        EXPECT_NEAR(mMate::Arcocoseno(x), std::acos(x), kExact) << "x " << x;
    }
    EXPECT_NEAR(mMate::Arcoseno(1), M_PI / 2, kExact);
    EXPECT_NEAR(mMate::Arcoseno(-1), -M_PI / 2, kExact);
    EXPECT_NEAR(mMate::Arcocoseno(1), 0, kExact);
    EXPECT_NEAR(mMate::Arcocoseno(-1), M_PI, kExact);
}

TEST(AngleRoutines, SexagesimalPartsFloorTheDegreesAndCarryRoundedSeconds)
{
    expectSexagesimal(45.5125, 45, 30, 45);
    expectSexagesimal(10.99999, 11, 0, 0); // 59.964 s rounds to 60 and carries twice
    expectSexagesimal(-4.5, -5, 30, 0);
    double d = 0, m = 0;
    mMate::Gradi_primi(45.9999, d, m);
    EXPECT_EQ(d, 46);
    EXPECT_EQ(m, 0);
    mMate::Gradi_primi(12.25, d, m);
    EXPECT_EQ(d, 12);
    EXPECT_EQ(m, 15);
    EXPECT_NEAR(mMate::Gradi_decimali(45, 30, 45), 45.5125, kExact);
    EXPECT_NEAR(mMate::Gradi_decimali(-5, 30, 0), -4.5, kExact); // the caller carries the sign
}

// Meeus, Astronomical Algorithms, Example 13.b: Venus from Washington (38d55m17s N) on
// 1987 April 10, 19h21m UT, hour angle 64.352133 degrees: azimuth 68.0337 degrees west of
// south (248.0337 from north), altitude 15.1249 degrees.
TEST(CoordinateConversions, HorizontalCoordinatesMatchMeeus)
{
    const double rightAscensionDeg = 347.3193375;
    const double declinationDeg = -(6 + 43 / 60.0 + 11.61 / 3600.0);
    const double latitudeDeg = 38 + 55 / 60.0 + 17 / 3600.0;
    const double siderealHours = (rightAscensionDeg + 64.352133) / 15.0 - 24.0;
    const mAstro::HorizontalPosition p = mAstro::equatorialToHorizontal(
        rightAscensionDeg / 15.0, declinationDeg, latitudeDeg, siderealHours);
    EXPECT_NEAR(p.azimuthDeg, 248.0337, kWorkedExampleToleranceDeg);
    EXPECT_NEAR(p.altitudeDeg, 15.1249, kWorkedExampleToleranceDeg);
}

TEST(CoordinateConversions, MeridianAndZenithAreHandled)
{
    mAstro::HorizontalPosition p = mAstro::equatorialToHorizontal(6.0, 10.0, 45.0, 6.0);
    EXPECT_NEAR(p.azimuthDeg, 180.0, 1e-6); // 180.0000004 with the rounded quarter turn
    EXPECT_NEAR(p.altitudeDeg, 55.0, 1e-6);
    p = mAstro::equatorialToHorizontal(6.0, 10.0, 45.0, 6.1); // just past the meridian: west
    EXPECT_GT(p.azimuthDeg, 180.0);
    EXPECT_LT(p.azimuthDeg, 360.0);
    // At the zenith the altitude is 90, not a value left over from before.
    p = mAstro::equatorialToHorizontal(6.0, 45.0, 45.0, 6.0);
    EXPECT_NEAR(p.altitudeDeg, 90.0, 1e-3);
    p = mAstro::equatorialToHorizontal(18.0, -45.0, 45.0, 6.0); // nadir
    EXPECT_NEAR(p.altitudeDeg, -90.0, 1e-3);
}

// Meeus, Example 13.a: Pollux at ecliptic longitude 113.215630, latitude 6.684170 degrees
// has right ascension 116.328942 and declination 28.026183 degrees (obliquity 23.4392911).
TEST(CoordinateConversions, EclipticToEquatorialMatchesMeeus)
{
    const double deg = mMate::kDegToRad;
    double raHours = 0, decDeg = 0;
    mAstro::Eclittiche_a_equatoriali(6.684170 * deg, 113.215630 * deg, mAstro::kObliquityRad,
                                     raHours, decDeg);
    EXPECT_NEAR(raHours * 15.0, 116.328942, kWorkedExampleToleranceDeg);
    EXPECT_NEAR(decDeg, 28.026183, kWorkedExampleToleranceDeg);
}

TEST(CoordinateConversions, HorizontalToEquatorialInvertsTheForwardConversion)
{
    const double latitudeDeg = 45.47;
    const double siderealHours = 7.25;
    for (double ra = 0.5; ra < 24; ra += 2.75) {
        for (double dec = -60; dec <= 80; dec += 17.5) {
            const mAstro::HorizontalPosition h =
                mAstro::equatorialToHorizontal(ra, dec, latitudeDeg, siderealHours);
            const mAstro::SexagesimalEquatorial e = mAstro::horizontalToEquatorial(
                h.azimuthDeg * mMate::kDegToRad, h.altitudeDeg * mMate::kDegToRad, latitudeDeg,
                siderealHours);
            const double raBack = e.hours + e.minutes / 60 + e.seconds / 3600;
            const double decBack = (e.sign == '-' ? -1 : 1) * (e.degrees + e.degreeMinutes / 60);
            // Every part is cut: one second of time, one arcminute of declination.
            EXPECT_NEAR(std::remainder(raBack - ra, 24.0), -0.5 / 3600, 0.5 / 3600 + 1e-6)
                << "ra " << ra << " dec " << dec;
            EXPECT_NEAR(std::fabs(decBack), std::fabs(dec) - 0.5 / 60, 0.5 / 60 + 1e-6)
                << "ra " << ra << " dec " << dec;
            EXPECT_EQ(e.sign, dec < 0 ? '-' : '+');
        }
    }
}

TEST(CoordinateConversions, SmallSouthernDeclinationKeepsItsSign)
{
    const mAstro::HorizontalPosition h = mAstro::equatorialToHorizontal(3.0, -0.505, 45.0, 5.0);
    const mAstro::SexagesimalEquatorial e = mAstro::horizontalToEquatorial(
        h.azimuthDeg * mMate::kDegToRad, h.altitudeDeg * mMate::kDegToRad, 45.0, 5.0);
    EXPECT_EQ(e.sign, '-');
    EXPECT_EQ(e.degrees, 0);
    EXPECT_EQ(e.degreeMinutes, 30);
}

TEST(CoordinateConversions, EllipsoidHeightIsZeroOnTheWgs72Surface)
{
    EXPECT_NEAR(mAstro::Altezza_ellissoide(6378.135, 0.0), 0.0, 1e-9);
    EXPECT_NEAR(mAstro::Altezza_ellissoide(6356.75, M_PI / 2), 0.0, 0.01);
    EXPECT_NEAR(mAstro::Altezza_ellissoide(6378.135 + 400, 0.0), 400.0, 1e-9);
}

TEST(HorizonClip, SecondEndMovesOntoTheCircleWhereTheSegmentLeavesIt)
{
    float x1 = 0, y1 = 0, x2 = 100, y2 = 100;
    EXPECT_EQ(mAstro::Intersezione_cerchio(x1, y1, x2, y2), mAstro::CircleClip::Clipped);
    EXPECT_NEAR(x2, 90 / std::sqrt(2.0), 1e-3);
    EXPECT_NEAR(y2, 90 / std::sqrt(2.0), 1e-3);
    EXPECT_EQ(x1, 0);
    EXPECT_EQ(y1, 0);

    // A chord crossing the circle twice: the crossing with the smaller x wins.
    x1 = -100, y1 = -1, x2 = 100, y2 = 1;
    EXPECT_EQ(mAstro::Intersezione_cerchio(x1, y1, x2, y2), mAstro::CircleClip::Clipped);
    EXPECT_LT(x2, 0);
    EXPECT_NEAR(x2 * x2 + y2 * y2, 8100, 0.1);
}

TEST(HorizonClip, HorizontalSegmentIsStoppedAtTheHorizon)
{
    float x1 = 0, y1 = 10, x2 = 100, y2 = 10;
    EXPECT_EQ(mAstro::Intersezione_cerchio(x1, y1, x2, y2), mAstro::CircleClip::Clipped);
    EXPECT_NEAR(x2, std::sqrt(8000.0), 1e-3);
    EXPECT_EQ(y2, 10);
}

TEST(HorizonClip, SegmentsWithoutAStrictCrossingAreLeftAlone)
{
    float x1 = 0, y1 = 0, x2 = 10, y2 = 20; // inside the circle
    EXPECT_EQ(mAstro::Intersezione_cerchio(x1, y1, x2, y2), mAstro::CircleClip::Unchanged);
    EXPECT_EQ(x2, 10);
}

// These two divided by zero or took the root of a negative number before.
TEST(HorizonClip, VerticalSegmentsAndMissedCirclesAreReportedNotComputed)
{
    float x1 = 10, y1 = 0, x2 = 10, y2 = 100;
    EXPECT_EQ(mAstro::Intersezione_cerchio(x1, y1, x2, y2), mAstro::CircleClip::Clipped);
    EXPECT_EQ(x2, 10);
    EXPECT_NEAR(y2, std::sqrt(8000.0), 1e-3);

    x1 = 95, y1 = -10, x2 = 95, y2 = 10;
    EXPECT_EQ(mAstro::Intersezione_cerchio(x1, y1, x2, y2), mAstro::CircleClip::Missed);
    EXPECT_EQ(y2, 10);

    x1 = 100, y1 = 100, x2 = 200, y2 = 90;
    EXPECT_EQ(mAstro::Intersezione_cerchio(x1, y1, x2, y2), mAstro::CircleClip::Missed);
    EXPECT_EQ(x2, 200);
    EXPECT_EQ(y2, 90);
}

// The shell reads the shared observer and the local sidereal time of the last Calcola_tempi.
class AngleShells : public SharedAstroStateTest
{
};

TEST_F(AngleShells, ShellsUseTheSharedObserverAndSiderealTime)
{
    Osservatore = milano();
    mAstro::Tempo_siderale_locale = 4.5;
    double azimuth = 0, altitude = 0;
    mAstro::Calcola_azimut_altezza(2.0, 20.0, azimuth, altitude);
    const mAstro::HorizontalPosition p = mAstro::equatorialToHorizontal(2.0, 20.0, 45.47f, 4.5);
    EXPECT_EQ(azimuth, p.azimuthDeg);
    EXPECT_EQ(altitude, p.altitudeDeg);

    double h = 0, m = 0, s = 0, d = 0, dm = 0;
    char sign = ' ';
    mAstro::Calcola_ascensione_declinazione(p.azimuthDeg * mMate::kDegToRad,
                                            p.altitudeDeg * mMate::kDegToRad, h, m, s, d, dm, sign);
    // 2h and 20 degrees come back cut: 2h00m00s or 1h59m59s, 20d00m or 19d59m.
    EXPECT_NEAR(h * 3600 + m * 60 + s, 7199.5, 0.5);
    EXPECT_NEAR(d * 60 + dm, 1199.5, 0.5);
    EXPECT_EQ(sign, '+');
}

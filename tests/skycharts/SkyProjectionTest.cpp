// Sky chart projection: known points of both forms in the four orientations, the inverse as a
// round trip over the sky, and the cutting of chart lines at the horizon.

#include "skycharts/SkyProjection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

using skycharts::ChartPoint;
using skycharts::SkyOrientation;
using skycharts::SkyProjection;
using skycharts::SkyProjectionForm;

namespace {

// Chart positions are single precision (about 1e-5 at the horizon radius) and the program's
// rounded degree factor differs from the exact one by about 1e-9 relatively.
constexpr float kChartTolerance = 1e-4f;
constexpr double kAngleToleranceDeg = 1e-4;

constexpr SkyProjectionForm kForms[] = {SkyProjectionForm::Normal,
                                        SkyProjectionForm::Stereographic};
constexpr SkyOrientation kOrientations[] = {SkyOrientation::South, SkyOrientation::East,
                                            SkyOrientation::North, SkyOrientation::West};

double radiusOf(ChartPoint p)
{
    return std::hypot(static_cast<double>(p.x), static_cast<double>(p.y));
}

double azimuthDifference(double a, double b)
{
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

std::string caseName(SkyProjectionForm form, SkyOrientation orientation)
{
    return std::string(form == SkyProjectionForm::Normal ? "normal" : "stereographic")
           + " k=" + std::to_string(static_cast<int>(orientation));
}

struct KnownPoint
{
    SkyOrientation orientation;
    double azimuthDeg;
    float x;
    float y;
};

// Where the horizon points fall: south orientation puts north at the top and east on the
// left (the chart is the sky seen from below).
constexpr KnownPoint kHorizonPoints[] = {
    {SkyOrientation::South, 0, 0, 90},   {SkyOrientation::South, 90, -90, 0},
    {SkyOrientation::South, 180, 0, -90}, {SkyOrientation::South, 270, 90, 0},
    {SkyOrientation::East, 0, -90, 0},   {SkyOrientation::East, 90, 0, -90},
    {SkyOrientation::North, 0, 0, -90},  {SkyOrientation::North, 90, 90, 0},
    {SkyOrientation::West, 0, 90, 0},    {SkyOrientation::West, 270, 0, -90},
};

} // namespace

TEST(SkyProjection, HorizonPointsFallOnTheCompassPointsOfEachOrientation)
{
    for (SkyProjectionForm form : kForms) {
        for (const KnownPoint& known : kHorizonPoints) {
            const ChartPoint p = SkyProjection(form, known.orientation).toChart(known.azimuthDeg, 0);
            EXPECT_NEAR(p.x, known.x, kChartTolerance)
                << caseName(form, known.orientation) << " azimuth " << known.azimuthDeg;
            EXPECT_NEAR(p.y, known.y, kChartTolerance)
                << caseName(form, known.orientation) << " azimuth " << known.azimuthDeg;
        }
    }
}

TEST(SkyProjection, ZenithMapsToTheCentreAndBackInEveryFormAndOrientation)
{
    for (SkyProjectionForm form : kForms) {
        for (SkyOrientation orientation : kOrientations) {
            const SkyProjection projection(form, orientation);
            for (double azimuth : {0.0, 37.0, 180.0, 359.0}) {
                const ChartPoint p = projection.toChart(azimuth, 90);
                EXPECT_NEAR(p.x, 0, kChartTolerance) << caseName(form, orientation);
                EXPECT_NEAR(p.y, 0, kChartTolerance) << caseName(form, orientation);
            }
            EXPECT_NEAR(projection.toHorizontal({0, 0}).altitudeDeg, 90, kAngleToleranceDeg)
                << caseName(form, orientation);
        }
    }
}

TEST(SkyProjection, RadiusFollowsTheFormOfTheProjection)
{
    struct RadiusCase
    {
        SkyProjectionForm form;
        double altitudeDeg;
        double radius;
    };
    const double tan225 = std::tan(22.5 * std::numbers::pi / 180.0);
    const RadiusCase cases[] = {
        {SkyProjectionForm::Normal, 45, 45},
        {SkyProjectionForm::Normal, 0, 90},
        {SkyProjectionForm::Normal, -10, 100},
        {SkyProjectionForm::Stereographic, 45, 90 * tan225},   // about 37.28
        {SkyProjectionForm::Stereographic, 0, 90},
        {SkyProjectionForm::Stereographic, -45, 90 / tan225},  // about 217.3
    };
    for (const RadiusCase& c : cases) {
        for (SkyOrientation orientation : kOrientations) {
            const ChartPoint p = SkyProjection(c.form, orientation).toChart(123.0, c.altitudeDeg);
            EXPECT_NEAR(radiusOf(p), c.radius, 1e-3)
                << caseName(c.form, orientation) << " altitude " << c.altitudeDeg;
        }
    }
}

TEST(SkyProjection, InverseOfAStereographicPointGivesItsAltitude)
{
    const SkyProjection projection(SkyProjectionForm::Stereographic, SkyOrientation::South);
    const auto direction = projection.toHorizontal({0, 50});
    const double expected = 90.0 - 2.0 * std::atan(50.0 / 90.0) * 180.0 / std::numbers::pi;
    EXPECT_NEAR(direction.altitudeDeg, expected, kAngleToleranceDeg);
    EXPECT_NEAR(direction.azimuthDeg, 0, kAngleToleranceDeg);

    const SkyProjection normal(SkyProjectionForm::Normal, SkyOrientation::South);
    EXPECT_NEAR(normal.toHorizontal({0, 50}).altitudeDeg, 40, kAngleToleranceDeg);
}

TEST(SkyProjection, InverseRoundTripsOverTheSkyInEveryFormAndOrientation)
{
    for (SkyProjectionForm form : kForms) {
        for (SkyOrientation orientation : kOrientations) {
            const SkyProjection projection(form, orientation);
            for (double altitude = -80; altitude < 90; altitude += 7.5) {
                for (double azimuth = 0; azimuth < 360; azimuth += 7.5) {
                    const auto back = projection.toHorizontal(projection.toChart(azimuth, altitude));
                    ASSERT_NEAR(back.altitudeDeg, altitude, kAngleToleranceDeg)
                        << caseName(form, orientation) << " azimuth " << azimuth;
                    ASSERT_LT(azimuthDifference(back.azimuthDeg, azimuth), kAngleToleranceDeg)
                        << caseName(form, orientation) << " altitude " << altitude
                        << " azimuth " << azimuth << " came back as " << back.azimuthDeg;
                    ASSERT_GE(back.azimuthDeg, 0);
                    ASSERT_LT(back.azimuthDeg, 360);
                }
            }
        }
    }
}

TEST(SkyProjection, PointsOnTheVerticalAxisRoundTrip)
{
    // x = 0 exactly: the angle of the point comes from the vertical-axis branch.
    for (SkyProjectionForm form : kForms) {
        for (SkyOrientation orientation : kOrientations) {
            const SkyProjection projection(form, orientation);
            for (float y : {60.0f, -60.0f}) {
                const auto direction = projection.toHorizontal({0, y});
                const ChartPoint p = projection.toChart(direction.azimuthDeg, direction.altitudeDeg);
                EXPECT_NEAR(p.x, 0, kChartTolerance) << caseName(form, orientation) << " y " << y;
                EXPECT_NEAR(p.y, y, kChartTolerance) << caseName(form, orientation) << " y " << y;
            }
        }
    }
}

TEST(SkyOrientationTicks, FirstTickInTheOrderSouthEastNorthWestWins)
{
    using skycharts::orientationFromTicks;
    EXPECT_EQ(orientationFromTicks(false, false, false, false), SkyOrientation::South);
    EXPECT_EQ(orientationFromTicks(false, true, false, false), SkyOrientation::East);
    EXPECT_EQ(orientationFromTicks(false, false, true, false), SkyOrientation::North);
    EXPECT_EQ(orientationFromTicks(false, false, false, true), SkyOrientation::West);
    EXPECT_EQ(orientationFromTicks(true, false, true, false), SkyOrientation::South);
    EXPECT_EQ(orientationFromTicks(false, true, false, true), SkyOrientation::East);
    EXPECT_EQ(orientationFromTicks(false, false, true, true), SkyOrientation::North);
}

TEST(HorizonCut, LineCrossingTheHorizonIsDrawnFromTheUpperEndToTheCircle)
{
    for (SkyProjectionForm form : kForms) {
        const SkyProjection projection(form, SkyOrientation::South);
        const ChartPoint upper = projection.toChart(100, 20);
        const ChartPoint lower = projection.toChart(130, -5);
        for (bool upperFirst : {true, false}) {
            const auto part = upperFirst ? skycharts::visiblePartOfLine(upper, 20, lower, -5)
                                         : skycharts::visiblePartOfLine(lower, -5, upper, 20);
            ASSERT_TRUE(part.has_value()) << caseName(form, SkyOrientation::South);
            EXPECT_EQ(part->from.x, upper.x);
            EXPECT_EQ(part->from.y, upper.y);
            EXPECT_NEAR(radiusOf(part->to), 90, 1e-3) << caseName(form, SkyOrientation::South);
            // The cut point lies on the original segment, between its ends.
            const double along = (part->to.x - upper.x) / (lower.x - upper.x);
            EXPECT_GT(along, 0);
            EXPECT_LT(along, 1);
            EXPECT_NEAR(upper.y + along * (lower.y - upper.y), part->to.y, 1e-3);
        }
    }
}

TEST(HorizonCut, LinesAboveAreWholeAndLinesAtOrBelowTheHorizonAreLeftOut)
{
    const ChartPoint a{10, 20};
    const ChartPoint b{-30, 40};
    const auto whole = skycharts::visiblePartOfLine(a, 30, b, 10);
    ASSERT_TRUE(whole.has_value());
    EXPECT_EQ(whole->from.x, a.x);
    EXPECT_EQ(whole->to.y, b.y);

    EXPECT_FALSE(skycharts::visiblePartOfLine(a, 0, b, 30).has_value());   // one end on it
    EXPECT_FALSE(skycharts::visiblePartOfLine({95, 0}, -5, {0, -99}, -9).has_value());
    EXPECT_FALSE(skycharts::visiblePartOfLine(a, std::nan(""), b, 30).has_value());
}

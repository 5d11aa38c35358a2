// Geometry shared by the sky charts: the view box of a picture, the twilight stages, the
// azimuth labels in the four orientations and the two orientation numberings, the star
// classes on screen and paper, the Moon's phase disc, and what a click picks.

#include "skycharts/LocalSkyChart.h"
#include "skycharts/SkyChartGeometry.h"

#include <gtest/gtest.h>

#include <string>

using namespace skycharts;
using ChartOrientation = skycharts::SkyOrientation;

namespace {

struct ViewCase
{
    double aspect;
    ViewBox expected;
};

TEST(SkyViewBox, ShorterSideSpansTwoHundredUnitsWithYUp)
{
    const ViewCase cases[] = {
        {1.0, {-100, 100, 100, -100}},
        {2.0, {-200, 100, 200, -100}},
        {0.5, {-100, 200, 100, -200}},
        {0.0, {-100, 100, 100, -100}}, // a picture of no size: the square view
    };
    for (const ViewCase& c : cases) {
        EXPECT_EQ(fullViewBox(c.aspect), c.expected) << "aspect " << c.aspect;
    }
}

TEST(SkyBackgroundStage, FollowsTheSunsAltitudeWithTheBoundsInTheDarkerStage)
{
    const std::pair<double, TwilightStage> cases[] = {
        {10, TwilightStage::Day},
        {-5.99, TwilightStage::Day},
        {-6, TwilightStage::CivilTwilight},
        {-12, TwilightStage::NauticalTwilight},
        {-17.99, TwilightStage::NauticalTwilight},
        {-18, TwilightStage::Night},
        {-60, TwilightStage::Night},
    };
    for (const auto& [altitude, stage] : cases)
        EXPECT_EQ(twilightStage(altitude), stage) << "Sun at " << altitude;
    const SkyBackground night = skyBackground(TwilightStage::Night);
    EXPECT_EQ(night.gradientRim, (Rgb{0, 0, 96}));
    EXPECT_EQ(night.gradientCentre, (Rgb{0, 0, 0}));
    EXPECT_EQ(night.gridColourNumber, 4);
    EXPECT_EQ(skyBackground(TwilightStage::Day).fill, (Rgb{0, 0, 196}));
}

std::string labelAt(int place, ChartOrientation orientation)
{
    return std::string(azimuthLabelText(azimuthLabelAt(place, orientation)));
}

TEST(AzimuthLabels, TurnWithTheOrientation)
{
    // Places: 0 right, 3 top, 6 left, 9 bottom.
    struct Case
    {
        ChartOrientation orientation;
        const char* right;
        const char* top;
        const char* left;
        const char* bottom;
    };
    const Case cases[] = {
        {ChartOrientation::South, "W", "N", "E", "S"},
        {ChartOrientation::East, "S", "W", "N", "E"},
        {ChartOrientation::North, "E", "S", "W", "N"},
        {ChartOrientation::West, "N", "E", "S", "W"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(labelAt(0, c.orientation), c.right);
        EXPECT_EQ(labelAt(3, c.orientation), c.top);
        EXPECT_EQ(labelAt(6, c.orientation), c.left);
        EXPECT_EQ(labelAt(9, c.orientation), c.bottom);
    }
    EXPECT_EQ(labelAt(1, ChartOrientation::South), "300\xc2\xb0");
    EXPECT_EQ(std::string(azimuthLabelText(1)), " 30\xc2\xb0");
}

TEST(Orientation, StoredNumberingAndModelTicksGiveTheProjectionsNumbering)
{
    // Stored option: 0 north, 1 south, 2 west, 3 east; projection: 0 south, 1 east, 2 north,
    // 3 west.
    const std::pair<int, ChartOrientation> stored[] = {{0, ChartOrientation::North},
                                                     {1, ChartOrientation::South},
                                                     {2, ChartOrientation::West},
                                                     {3, ChartOrientation::East},
                                                     {7, ChartOrientation::South}};
    for (const auto& [number, orientation] : stored) {
        EXPECT_EQ(orientationOfStoredOption(number), orientation) << "stored " << number;
        if (number > 3)
            continue;
        LocalSkyDisplay display;
        display.orientamento = static_cast<::SkyOrientation>(number);
        EXPECT_EQ(localSkyProjection(display).orientation(), orientation) << "stored " << number;
    }
    LocalSkyDisplay normal;
    normal.proiezioneStereo = false;
    EXPECT_EQ(localSkyProjection(normal).form(), SkyProjectionForm::Normal);
}

TEST(StarClasses, ScreenAndPaperDrawTheirOwnBoundaries)
{
    const struct
    {
        int rank;
        StarClass screen;
        int paper;
    } cases[] = {
        {1, StarClass::Bright, 12},    {293, StarClass::Bright, 12}, {294, StarClass::Medium, 8},
        {921, StarClass::Medium, 8},   {922, StarClass::Medium, 3},  {1639, StarClass::Medium, 3},
        {1640, StarClass::Faint, 3},   {9010, StarClass::Faint, 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(screenStarClass(c.rank), c.screen) << "rank " << c.rank;
        EXPECT_EQ(paperStarWidth(c.rank), c.paper) << "rank " << c.rank;
    }
}

TEST(MoonPhaseDisc, LitSideAndTerminatorFollowTheElongation)
{
    constexpr double pi = 3.14159265;
    const struct
    {
        double elongation;
        int position;
        bool discLit;
        bool halfLit;
        bool halfOnRight;
        double aspect;
    } cases[] = {
        {0, 0, true, false, true, 1.0},            // new: all dark
        {pi, 180, false, true, true, 1.0},         // full: all lit
        {1.5 * pi, 90, false, true, false, 0.0},   // last quarter: left half lit
        {0.5 * pi, 270, true, false, false, 0.0},  // first quarter: right half lit
        {0.25 * pi, 315, true, false, false, 0.5}, // crescent on the right
    };
    for (const auto& c : cases) {
        const MoonPhaseShape shape = moonPhaseShape(c.elongation);
        EXPECT_EQ(shape.position, c.position) << c.elongation;
        EXPECT_EQ(shape.discLit, c.discLit) << c.elongation;
        EXPECT_EQ(shape.halfLit, c.halfLit) << c.elongation;
        EXPECT_EQ(shape.halfOnRight, c.halfOnRight) << c.elongation;
        EXPECT_NEAR(shape.terminatorAspect, c.aspect, 1e-9) << c.elongation;
    }
}

TEST(SkyPicking, TheWholeViewCountsNotOnlyItsInnerHalf)
{
    // A chart twice as wide as high: 400 x 200 units; a star at x = 150 lies in the outer half.
    const ViewBox view = fullViewBox(2.0);
    const ChartPoint stars[] = {{150, 20}, {0, 0}};
    const ChartPoint bodies[] = {{-150, -20}};
    const double threshold = 200.0 / 30.0;
    const SkyPick outerStar = pickSkyObject(view, 150.5f, 20.5f, stars, bodies, threshold);
    EXPECT_EQ(outerStar.kind, SkyPick::Kind::Star);
    EXPECT_EQ(outerStar.index, 1);
    const SkyPick outerBody = pickSkyObject(view, -150.5f, -20.5f, stars, bodies, threshold);
    EXPECT_EQ(outerBody.kind, SkyPick::Kind::Body);
    // Squared distance 9 is above the threshold 6.67: nothing.
    EXPECT_EQ(pickSkyObject(view, 153, 20, stars, bodies, threshold).kind, SkyPick::Kind::Nothing);
    // Outside the view nothing is picked, even next to an object.
    const ChartPoint edgeStar[] = {{199.5f, 0}};
    EXPECT_EQ(pickSkyObject(view, 200.5f, 0, edgeStar, {}, threshold).kind, SkyPick::Kind::Nothing);
    // A mirrored zoom box still has an inside.
    const ViewBox mirrored{50, -50, -50, 50};
    EXPECT_EQ(pickSkyObject(mirrored, 0, 0, stars, {}, threshold).index, 2);
}

TEST(SkyPicking, ATieGoesToTheBody)
{
    const ChartPoint star[] = {{1, 0}};
    const ChartPoint body[] = {{-1, 0}};
    const SkyPick pick = pickSkyObject(fullViewBox(1), 0, 0, star, body, 200.0 / 30.0);
    EXPECT_EQ(pick.kind, SkyPick::Kind::Body);
}

TEST(TrackPicking, TakesTheNearestPointButNeverTheLast)
{
    const ViewBox view = fullViewBox(2.0);
    const ChartPoint track[] = {{150, 0}, {160, 0}, {170, 0}};
    EXPECT_EQ(pickTrackPoint(view, 151, 0, track), 1);
    EXPECT_EQ(pickTrackPoint(view, 161, 1, track), 2);
    EXPECT_EQ(pickTrackPoint(view, 170, 0, track), 0); // only the last point is near
    EXPECT_EQ(pickTrackPoint(view, 150, 0, std::span(track).first(1)), 0);
    EXPECT_FALSE(labelIndexValid(0, 3));
    EXPECT_TRUE(labelIndexValid(3, 3));
    EXPECT_FALSE(labelIndexValid(4, 3));
}

} // namespace

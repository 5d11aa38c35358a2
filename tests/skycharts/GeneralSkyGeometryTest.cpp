// The whole-sky chart's geometry on its own: constellation segments across 0 h, the pointer
// readout, the view of a zoom drag at and beyond the chart's edges, and what a click picks.

#include "skycharts/GeneralSkyGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace skycharts;

namespace {

constexpr float kTolerance = 1e-5f;

void expectSegment(const ChartSegment& actual, ChartSegment expected, const char* what)
{
    EXPECT_NEAR(actual.from.x, expected.from.x, kTolerance) << what;
    EXPECT_NEAR(actual.from.y, expected.from.y, kTolerance) << what;
    EXPECT_NEAR(actual.to.x, expected.to.x, kTolerance) << what;
    EXPECT_NEAR(actual.to.y, expected.to.y, kTolerance) << what;
}

} // namespace

TEST(GeneralSkyGeometry, SegmentsAcrossZeroHoursAreDrawnFromBothEdges)
{
    const struct
    {
        const char* what;
        ChartPoint a, b;
        std::vector<ChartSegment> pieces;
    } cases[] = {
        {"short segment", {5, 10}, {6, 20}, {{{5, 10}, {6, 20}}}},
        {"exactly 16 h is not wrapped", {2, 0}, {18, 5}, {{{2, 0}, {18, 5}}}},
        {"23.9 h to 0.1 h", {23.9f, 10}, {0.1f, 12},
         {{{23.9f, 10}, {24.1f, 12}}, {{-0.1f, 10}, {0.1f, 12}}}},
        {"0.1 h to 23.9 h", {0.1f, -30}, {23.9f, -31},
         {{{24.1f, -30}, {23.9f, -31}}, {{0.1f, -30}, {-0.1f, -31}}}},
    };
    for (const auto& c : cases) {
        const std::vector<ChartSegment> pieces = constellationSegmentPieces(c.a, c.b);
        ASSERT_EQ(pieces.size(), c.pieces.size()) << c.what;
        for (std::size_t i = 0; i < pieces.size(); ++i)
            expectSegment(pieces[i], c.pieces[i], c.what);
        // No piece runs across the chart: each spans at most 16 h.
        for (const ChartSegment& piece : pieces)
            EXPECT_LE(std::fabs(piece.to.x - piece.from.x), 16.0f) << c.what;
    }
}

TEST(GeneralSkyGeometry, ReadoutTruncatesEveryPart)
{
    const struct
    {
        float x, y;
        char sign;
        int h, m, s, deg, min;
    } cases[] = {
        {5.5f, -0.5f, '-', 5, 30, 0, 0, 30},
        {5.5f, 0.0f, '+', 5, 30, 0, 0, 0},
        {0.0f, 90.0f, '+', 0, 0, 0, 90, 0},
        {23.99999f, -89.99f, '-', 23, 59, 59, 89, 59},
        {12.25f, 45.75f, '+', 12, 15, 0, 45, 45},
    };
    for (const auto& c : cases) {
        const EquatorialReadout r = equatorialReadout(c.x, c.y);
        EXPECT_EQ(r.sign, c.sign) << c.x << " " << c.y;
        EXPECT_EQ(r.hours, c.h) << c.x;
        EXPECT_EQ(r.minutes, c.m) << c.x;
        EXPECT_EQ(r.seconds, c.s) << c.x;
        EXPECT_EQ(r.degrees, c.deg) << c.y;
        EXPECT_EQ(r.arcMinutes, c.min) << c.y;
    }
}

TEST(GeneralSkyGeometry, OnlyPointsOfTheViewAreOnIt)
{
    // The whole sky, edges included; a drag beyond it reaches declinations past the poles.
    EXPECT_TRUE(onView(kWholeSkyView, {24.0f, 90.0f}));
    EXPECT_TRUE(onView(kWholeSkyView, {0.0f, -90.0f}));
    EXPECT_TRUE(onView(kWholeSkyView, {12.0f, 0.0f}));
    EXPECT_FALSE(onView(kWholeSkyView, {12.0f, -133.2f}));
    EXPECT_FALSE(onView(kWholeSkyView, {-0.5f, 10.0f}));
    EXPECT_FALSE(onView(kWholeSkyView, {24.5f, 10.0f}));
    // A zoom dragged leftwards and upwards is mirrored on both axes.
    const ViewBox mirrored{2.0f, -10.0f, 4.0f, 10.0f};
    EXPECT_TRUE(onView(mirrored, {3.0f, 0.0f}));
    EXPECT_FALSE(onView(mirrored, {5.0f, 0.0f}));
    EXPECT_FALSE(onView(mirrored, {3.0f, 20.0f}));
}

TEST(GeneralSkyGeometry, ZoomHoldsTheReleaseToTheSkyAndRefusesTinyBoxes)
{
    constexpr float minHours = 0.1f;
    constexpr float minDeg = 1.0f;
    const struct
    {
        const char* what;
        ChartPoint start, release;
        std::optional<ViewBox> view;
    } cases[] = {
        {"towards the lower right", {18, 40}, {12, 0}, ViewBox{18, 40, 12, 0}},
        {"released beyond the right and bottom edges", {6, 10}, {-3, -120}, ViewBox{6, 10, 0, -90}},
        {"released beyond the left and top edges", {6, 10}, {30, 100}, ViewBox{6, 10, 24, 90}},
        {"a drag leftwards mirrors right ascension", {6, 10}, {8, -10}, ViewBox{6, 10, 8, -10}},
        {"no drag", {6, 10}, {6, 10}, std::nullopt},
        {"only sideways", {6, 10}, {3, 10}, std::nullopt},
        {"smaller than the minimum", {6, 10}, {5.95f, 0}, std::nullopt},
        // Pressed at the right edge and released beyond it: nothing left once held.
        {"pressed at 0 h, released past it", {0.02f, 10}, {-2, -10}, std::nullopt},
        {"pressed at +90, released above it", {6, 89.5f}, {3, 120}, std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<ViewBox> view = zoomedWholeSkyView(c.start, c.release, minHours, minDeg);
        ASSERT_EQ(view.has_value(), c.view.has_value()) << c.what;
        if (view) {
            EXPECT_EQ(*view, *c.view) << c.what;
            EXPECT_NE(view->width(), 0.0f) << c.what;
            EXPECT_NE(view->height(), 0.0f) << c.what;
        }
    }
}

TEST(GeneralSkyGeometry, PickWeighsDeclinationByTheViewAndBreaksTies)
{
    using Kind = SkyPick::Kind;
    const ViewBox whole = kWholeSkyView;
    const struct
    {
        const char* what;
        std::vector<ChartPoint> stars;
        std::vector<ChartPoint> bodies;
        ChartPoint click;
        SkyPick expected;
    } cases[] = {
        {"two equally near stars: the brighter", {{6.1f, 0}, {5.9f, 0}}, {}, {6, 0}, {Kind::Star, 1}},
        {"a body as near as a star wins", {{6.1f, 0}}, {{5.9f, 0}}, {6, 0}, {Kind::Body, 1}},
        {"the nearer star wins over a body", {{6.05f, 0}}, {{5.8f, 0}}, {6, 0}, {Kind::Star, 1}},
        // One degree of declination weighs 1/7.5 of an hour squared: 0.133 against 0.04.
        {"declination weighs by height over width", {{6, 1}, {6.2f, 0}}, {}, {6, 0}, {Kind::Star, 2}},
        {"nothing near enough", {{7, 0}}, {{5, 0}}, {6, 0}, {Kind::Nothing, 0}},
        {"no star counted: only bodies", {}, {{6.1f, 0.5f}}, {6, 0}, {Kind::Body, 1}},
    };
    for (const auto& c : cases) {
        const SkyPick pick = pickOnWholeSky(whole, c.click, c.stars, c.bodies);
        EXPECT_EQ(pick.kind, c.expected.kind) << c.what;
        EXPECT_EQ(pick.index, c.expected.index) << c.what;
    }
    // Zoomed, the threshold follows the box: 2 h by 10 degrees gives 2/400 hours squared.
    const ViewBox zoomed{8, 10, 6, 0};
    const std::vector<ChartPoint> star{{7.1f, 5}};
    EXPECT_EQ(pickOnWholeSky(zoomed, {7.05f, 5}, star, {}).kind, Kind::Star);
    EXPECT_EQ(pickOnWholeSky(zoomed, {7.2f, 5}, star, {}).kind, Kind::Nothing);
}

// The world map's geometry: projections both ways in every view, the pointer readout, the
// picture chosen for a sub-point, the footprint, the date-line and limb splitting of lines,
// the terminator and the graticule.

#include "worldmap/MapProjection.h"
#include "worldmap/WorldMapGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace worldmap;

namespace {

constexpr double kRoundTripToleranceDeg = 1e-6;
constexpr double kPixelTolerance = 1e-6;
const std::string kDegree = "\xC2\xB0";

/// Difference of two longitudes, folded into -180..180.
double lonDifference(double a, double b)
{
    double d = std::fmod(a - b, 360.0);
    if (d > 180)
        d -= 360;
    if (d < -180)
        d += 360;
    return d;
}

struct ViewCase
{
    std::string name;
    MapKind kind;
    double lon0;
    double lat0;
};

std::vector<ViewCase> allViews()
{
    std::vector<ViewCase> views{{"MapEarth", MapKind::Rectangular, 0, 0}};
    for (const OrthoView& v : orthographicViews())
        views.push_back({std::string(v.file.substr(0, v.file.find('.'))), MapKind::Orthographic,
                         v.lon0, v.lat0});
    return views;
}

void PrintTo(const ViewCase& view, std::ostream* out)
{
    *out << view.name;
}

class EveryView : public ::testing::TestWithParam<ViewCase>
{
};

} // namespace

TEST_P(EveryView, PlaceToPixelAndBackRoundTrips)
{
    const ViewCase& view = GetParam();
    for (const QSizeF box : {QSizeF(1280, 640), QSizeF(500, 700), QSizeF(713, 421)}) {
        const MapProjection projection(view.kind, box, view.lon0, view.lat0);
        int checked = 0;
        for (int lat = -85; lat <= 85; lat += 5) {
            for (int lon = -180; lon < 180; lon += 7) {
                const std::optional<QPointF> pixel = projection.placeToPixel(lon, lat);
                if (!pixel)
                    continue;
                // Points grazing the limb read back poorly in latitude; keep a margin of one
                // degree of arc from it.
                if (view.kind == MapKind::Orthographic) {
                    const OrthoPoint p = Proiezione_ortografica(view.lon0, view.lat0, lon, lat);
                    if (std::hypot(p.x, p.y) > kGlobeRadius * std::cos(1.0 * 0.0174532925))
                        continue;
                }
                const std::optional<LonLat> back = projection.pixelToPlace(*pixel);
                ASSERT_TRUE(back) << "lon " << lon << " lat " << lat;
                EXPECT_NEAR(back->lat, lat, kRoundTripToleranceDeg) << "lon " << lon;
                EXPECT_NEAR(lonDifference(back->lon, lon), 0, kRoundTripToleranceDeg)
                    << "lat " << lat;
                ++checked;
            }
        }
        EXPECT_GT(checked, 300);
    }
}

TEST_P(EveryView, CentreAndRimReadAsTheirPlaces)
{
    const ViewCase& view = GetParam();
    const MapProjection projection(view.kind, QSizeF(800, 400), view.lon0, view.lat0);
    const QPointF centre(400, 200);
    const std::optional<LonLat> middle = projection.pixelToPlace(centre);
    ASSERT_TRUE(middle);
    if (view.kind == MapKind::Orthographic) {
        EXPECT_NEAR(middle->lat, view.lat0, kRoundTripToleranceDeg);
        if (std::fabs(view.lat0) < 90) {
            EXPECT_NEAR(lonDifference(middle->lon, view.lon0), 0, kRoundTripToleranceDeg);
        }
        // The rim is 90 degrees of arc from the centre in every direction.
        const double radiusPx = kGlobeRadius * projection.pixelsPerUnit();
        for (int a = 0; a < 360; a += 45) {
            const QPointF rim = centre + QPointF(radiusPx * std::cos(a * 0.0174532925),
                                                 radiusPx * std::sin(a * 0.0174532925));
            const std::optional<LonLat> place = projection.pixelToPlace(rim);
            ASSERT_TRUE(place) << "angle " << a;
            const OrthoPoint back = Proiezione_ortografica(view.lon0, view.lat0, place->lon, place->lat);
            EXPECT_TRUE(back.visibile) << "angle " << a;
            EXPECT_NEAR(std::hypot(back.x, back.y), kGlobeRadius, 1e-3) << "angle " << a;
            EXPECT_FALSE(projection.pixelToPlace(centre + (rim - centre) * 1.01)) << "angle " << a;
        }
    } else {
        EXPECT_NEAR(middle->lon, 0, kRoundTripToleranceDeg);
        EXPECT_NEAR(middle->lat, 0, kRoundTripToleranceDeg);
    }
}

INSTANTIATE_TEST_SUITE_P(WorldMapProjection, EveryView, ::testing::ValuesIn(allViews()),
                         [](const auto& param) { return param.param.name; });

TEST(WorldMapProjection, PolarViewsReadEveryQuadrantOfTheGlobe)
{
    // Seen from above the north pole, Greenwich points down the map, 90 E to the right; the
    // principal-value arctangent would put the upper half 180 degrees off.
    struct Case
    {
        double lat0, x, y, lon, lat;
    };
    const double r = kGlobeRadius * std::cos(45 * 0.0174532925);
    const Case cases[] = {
        {90, 0, -r, 0, 45},     {90, r, 0, 90, 45},      {90, 0, r, 180, 45},
        {90, -r, 0, -90, 45},   {90, r * 0.7071, r * 0.7071, 135, 45},
        {-90, 0, r, 0, -45},    {-90, r, 0, 90, -45},    {-90, 0, -r, 180, -45},
        {-90, -r, 0, -90, -45}, {-90, -r * 0.7071, -r * 0.7071, -135, -45},
    };
    for (const Case& c : cases) {
        const std::optional<LonLat> place = orthographicReadout(0, c.lat0, c.x, c.y);
        ASSERT_TRUE(place);
        EXPECT_NEAR(std::fabs(lonDifference(place->lon, c.lon)), 0, 1e-3)
            << "view " << c.lat0 << " at " << c.x << "," << c.y << " read " << place->lon;
        EXPECT_NEAR(place->lat, c.lat, 1e-3);
        EXPECT_GE(place->lon, -180.0);
        EXPECT_LE(place->lon, 180.0);
    }
}

TEST(WorldMapProjection, RectangularMapKeepsThePicturesAspect)
{
    const struct
    {
        QSizeF box;
        QRectF picture;
    } cases[] = {
        {{720, 360}, {0, 0, 720, 360}},
        {{1000, 360}, {140, 0, 720, 360}},
        {{720, 600}, {0, 120, 720, 360}},
    };
    for (const auto& c : cases) {
        const MapProjection projection(MapKind::Rectangular, c.box);
        EXPECT_EQ(projection.pictureRect(), c.picture) << c.box.width() << "x" << c.box.height();
        EXPECT_NEAR(projection.toPixel({-180, 90}).x(), c.picture.left(), kPixelTolerance);
        EXPECT_NEAR(projection.toPixel({180, -90}).y(), c.picture.bottom(), kPixelTolerance);
    }
    // The globe spans 360 units on the shorter side whichever it is.
    EXPECT_DOUBLE_EQ(MapProjection(MapKind::Orthographic, {900, 360}).pixelsPerUnit(), 1.0);
    EXPECT_DOUBLE_EQ(MapProjection(MapKind::Orthographic, {360, 900}).pixelsPerUnit(), 1.0);
}

TEST(WorldMapProjection, PointNinetyDegreesFromTheCentreLiesOnTheLimb)
{
    const OrthoPoint limb = Proiezione_ortografica(0, 0, 90, 0);
    EXPECT_TRUE(limb.visibile);
    EXPECT_NEAR(std::hypot(limb.x, limb.y), kGlobeRadius, 1e-9);
    EXPECT_FALSE(Proiezione_ortografica(0, 0, 90.01, 0).visibile);
}

TEST(WorldMapPictureChoice, FollowsTheSubPointWithStrictBounds)
{
    const struct
    {
        double lonEast, lat;
        std::string_view file;
    } cases[] = {
        {315, 0, "Map0.dat"},         {314.99, 0, "Map270.dat"},   {45, 0, "Map90.dat"},
        {135, 10, "Map180.dat"},      {225, -10, "Map270.dat"},    {10, 30, "Map0.dat"},
        {10, 30.01, "Map0N45.dat"},   {10, -30, "Map0.dat"},       {100, -30.5, "Map90S45.dat"},
        {200, 70, "Map180N45.dat"},   {200, 70.01, "MapNorth.dat"}, {300, -70.01, "MapSouth.dat"},
        {359.9, -70, "Map0S45.dat"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(orthographicViewFor(c.lonEast, c.lat).file, c.file)
            << c.lonEast << " " << c.lat;
}

TEST(WorldMapReadout, SplitsDegreesAndMinutesWithTheSign)
{
    const DegreesMinutes west = splitDegrees(-0.5);
    EXPECT_TRUE(west.negative);
    EXPECT_EQ(west.degrees, 0);
    EXPECT_EQ(west.minutes, 30);
    const DegreesMinutes north = splitDegrees(10.25);
    EXPECT_FALSE(north.negative);
    EXPECT_EQ(north.degrees, 10);
    EXPECT_EQ(north.minutes, 15);
}

TEST(WorldMapFootprint, IsTheHorizonCircleAroundTheSubPoint)
{
    // ISS-like height: q = 6378.135 / 6778, radius about 19.8 degrees of arc.
    const std::vector<LonLat> circle = footprintCircle(10, 20, 6778.9);
    ASSERT_EQ(circle.size(), std::size_t(kFootprintPoints));
    const double radiusDeg = std::acos(kEarthRadiusKm / 6778.0) * 57.295779513;
    EXPECT_NEAR(circle.front().lat, 10 + radiusDeg, 1e-4);
    EXPECT_NEAR(circle.front().lon, 20, 1e-4);
    EXPECT_NEAR(circle.back().lat, circle.front().lat, 1e-6);
    // Every point lies at the radius from the centre.
    for (const LonLat& p : circle) {
        const double c = std::sin(10 * 0.0174532925) * std::sin(p.lat * 0.0174532925)
                         + std::cos(10 * 0.0174532925) * std::cos(p.lat * 0.0174532925)
                               * std::cos((p.lon - 20) * 0.0174532925);
        EXPECT_NEAR(std::acos(c) * 57.295779513, radiusDeg, 1e-3);
    }
    EXPECT_TRUE(footprintCircle(10, 20, 0).empty());
    EXPECT_TRUE(footprintCircle(10, 20, 6378.9).empty());
}

TEST(WorldMapSplitting, FootprintTouchingTheDateLineIsDrawnAtBothEdges)
{
    const std::vector<Polyline> pieces = splitAtDateLine(footprintCircle(0, 175, 7000));
    ASSERT_EQ(pieces.size(), 3u); // east part, west part, east part again (closing)
    for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
        // A piece that leaves at one edge is followed by one entering at the other.
        const MapPoint out = pieces[i].back(), in = pieces[i + 1].front();
        EXPECT_GT(std::fabs(out.x), 180);
        EXPECT_GT(std::fabs(in.x), 180);
        EXPECT_LT(out.x * in.x, 0);
        EXPECT_NEAR(std::fabs(out.x - in.x), 360, kDateLineJumpDeg);
    }
    for (const Polyline& piece : pieces) {
        for (std::size_t i = 1; i < piece.size(); ++i)
            EXPECT_LE(std::fabs(piece[i].x - piece[i - 1].x), kDateLineJumpDeg);
    }
}

TEST(WorldMapSplitting, FootprintAroundAPoleCrossesTheDateLineOnceAndSkipsTheEdges)
{
    const std::vector<Polyline> pieces = splitAtDateLine(footprintCircle(80, 30, 8000));
    ASSERT_EQ(pieces.size(), 2u);
    double minLat = 90;
    for (const Polyline& piece : pieces) {
        for (const MapPoint& p : piece) {
            EXPECT_LT(p.y, 90.0); // nothing along the top edge
            minLat = std::min(minLat, p.y);
        }
    }
    EXPECT_GT(minLat, 40.0);
}

TEST(WorldMapSplitting, GroundTrackCrossingTheDateLineSeveralTimesIsCutAtEachCrossing)
{
    // Three westward laps of a track: longitudes falling through -180 three times.
    std::vector<LonLat> track;
    for (int k = 0; k <= 540; ++k)
        track.push_back({std::fmod(170.0 - 2.0 * k + 3600.0, 360.0) - 180.0, 50 * std::sin(k * 0.03)});
    const std::vector<Polyline> pieces = splitAtDateLine(track);
    int crossings = 0;
    for (std::size_t i = 1; i < track.size(); ++i)
        crossings += std::fabs(track[i].lon - track[i - 1].lon) > kDateLineJumpDeg ? 1 : 0;
    EXPECT_EQ(crossings, 3);
    EXPECT_EQ(pieces.size(), std::size_t(crossings + 1));
    std::size_t points = 0;
    for (const Polyline& piece : pieces)
        points += piece.size();
    EXPECT_EQ(points, track.size() + 2 * std::size_t(crossings)); // two edge points per crossing
}

TEST(WorldMapSplitting, GlobeLinesKeepOnlyTheirVisibleRuns)
{
    // A footprint straddling the limb of the 0/0 view: its far part is left out and no line
    // joins the two limb crossings.
    const std::vector<LonLat> circle = footprintCircle(0, 90, 8000);
    const std::vector<Polyline> runs = visibleRuns(circle, 0, 0);
    ASSERT_FALSE(runs.empty());
    std::size_t drawn = 0;
    for (const Polyline& run : runs) {
        drawn += run.size();
        for (const MapPoint& p : run)
            EXPECT_LE(std::hypot(p.x, p.y), kGlobeRadius + 1e-9);
    }
    EXPECT_LT(drawn, circle.size());
    EXPECT_GT(drawn, circle.size() / 3);
    EXPECT_TRUE(visibleRuns(footprintCircle(0, 180, 7000), 0, 0).empty());
}

TEST(WorldMapSun, SubSolarPointAndTerminator)
{
    // Greenwich hour angle 90 degrees: the Sun stands over 90 W.
    const SubSolarPoint sun = subSolarPoint(6, 0, 20);
    EXPECT_DOUBLE_EQ(sun.ghaDeg, 90);
    EXPECT_DOUBLE_EQ(sun.place.lon, -90);
    EXPECT_DOUBLE_EQ(subSolarPoint(18, 0, 0).place.lon, 90);
    EXPECT_DOUBLE_EQ(subSolarPoint(12, 0, 0).place.lon, 180);

    const auto points = terminatorPoints(sun.ghaDeg, 20);
    EXPECT_DOUBLE_EQ(points.front().lon, -180);
    EXPECT_DOUBLE_EQ(points.back().lon, 180);
    for (const LonLat& p : points) {
        EXPECT_NEAR(sunlightCosine(sun, p.lon, p.lat), 0, 2e-4);
        EXPECT_DOUBLE_EQ(p.lat, std::round(p.lat * 100) / 100);
    }
    EXPECT_LT(sunlightCosine(sun, 90, 0), 0); // the far side of the Earth is dark
    EXPECT_GT(sunlightCosine(sun, -90, 0), 0);
    // At an equinox instant the terminator is taken at half a degree, which is finite.
    for (const LonLat& p : terminatorPoints(90, 0))
        EXPECT_TRUE(std::isfinite(p.lat));
}

TEST(WorldMapGraticule, LabelsAndGlobeLines)
{
    EXPECT_EQ(graticuleLabel(-150, true), " 150" + kDegree + "W");
    EXPECT_EQ(graticuleLabel(30, true), " 30" + kDegree + "E");
    EXPECT_EQ(graticuleLabel(0, true), " 0  ");
    EXPECT_EQ(graticuleLabel(-60, false), " 60" + kDegree + "S");
    EXPECT_EQ(graticuleLabel(0, false), " 0  ");
    for (double lat0 : {-90.0, -45.0, 0.0, 45.0, 90.0}) {
        const std::vector<Polyline> lines = orthographicGraticule(lat0);
        EXPECT_GE(lines.size(), 10u) << lat0;
        for (const Polyline& line : lines) {
            for (const MapPoint& p : line)
                EXPECT_LE(std::hypot(p.x, p.y), kGlobeRadius + 1e-6) << lat0;
        }
    }
}

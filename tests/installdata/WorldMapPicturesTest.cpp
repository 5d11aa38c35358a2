// MapEarth.dat and the fourteen orthographic views: places projected the way the world map
// draws them must land on the right pixels of the picture it shows.

#include "InstallDataFiles.h"

#include "worldmap/WorldMapGeometry.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <numbers>

using namespace installdata;

namespace {

constexpr double kDegToRad = 0.0174532925;
constexpr double kGlobeRadiusUnits = 142.0;
constexpr double kPictureHeightUnits = 360.0;   // each view spans 720 x 360 map units
// Slack at the limb, which is smoothed over a pixel or two (half a map unit each in the
// committed views) and softened further by the JPEG coding.
constexpr double kLimbMarginUnits = 2.0;

struct View
{
    const char* file;
    double lon0;
    double lat0;
};

const View kViews[] = {
    {"Map0.dat", 0, 0},       {"Map0N45.dat", 0, 45},     {"Map0S45.dat", 0, -45},
    {"Map90.dat", 90, 0},     {"Map90N45.dat", 90, 45},   {"Map90S45.dat", 90, -45},
    {"Map180.dat", 180, 0},   {"Map180N45.dat", 180, 45}, {"Map180S45.dat", 180, -45},
    {"Map270.dat", 270, 0},   {"Map270N45.dat", 270, 45}, {"Map270S45.dat", 270, -45},
    {"MapNorth.dat", 0, 90},  {"MapSouth.dat", 0, -90},
};

/// The view the world map shows for a sub-point (longitude east 0..360, latitude).
const View& viewFor(double lonEast, double lat)
{
    const std::string_view file = worldmap::orthographicViewFor(lonEast, lat).file;
    for (const View& v : kViews) {
        if (file == v.file)
            return v;
    }
    ADD_FAILURE() << "no view named " << file;
    return kViews[0];
}

struct MapPoint
{
    double x = 0;
    double y = 0;
    bool visible = false;
};

/// The world map's orthographic projection, map units, y up.
MapPoint project(double lon0, double lat0, double lon, double lat)
{
    const worldmap::OrthoPoint p = worldmap::Proiezione_ortografica(lon0, lat0, lon, lat);
    return {p.x, p.y, p.visibile};
}

/// Pixel of a view picture under map point (x, y): the picture fills 720 x 360 units,
/// centred on the origin.
QRgb viewPixel(const QImage& picture, double x, double y)
{
    const double pxPerUnit = picture.height() / kPictureHeightUnits;
    const int px = int(std::floor(picture.width() / 2.0 + x * pxPerUnit));
    const int py = int(std::floor(picture.height() / 2.0 - y * pxPerUnit));
    return picture.pixel(px, py);
}

QRgb earthPixel(const QImage& picture, double lonEast, double lat)
{
    const double lon = lonEast >= 180 ? lonEast - 360 : lonEast;
    const int px = std::min(picture.width() - 1, int((lon + 180) / 360 * picture.width()));
    const int py = std::min(picture.height() - 1, int((90 - lat) / 180 * picture.height()));
    return picture.pixel(px, py);
}

// Sea in the NASA picture is dark to light blue; land green, brown, sand or ice white.
bool isWater(QRgb c)
{
    return qBlue(c) > qRed(c) + 25 && qBlue(c) >= qGreen(c);
}

bool isBlack(QRgb c)
{
    return std::max({qRed(c), qGreen(c), qBlue(c)}) < 24;
}

bool isLand(QRgb c)
{
    return !isWater(c) && !isBlack(c);
}

struct Place
{
    const char* name;
    double lat;
    double lonEast;   // 0..360
};

// Places well inland, at least one for every view, and some within two hundred km of a coast,
// so that a view shifted or scaled by a degree or two puts them in the sea.
const Place kInland[] = {
    {"Kano", 12.00, 8.52},               {"Madrid", 40.42, 356.30},
    {"Moscow", 55.75, 37.62},            {"Beaufort West", -32.35, 22.58},
    {"Delhi", 28.61, 77.21},             {"Ulaanbaatar", 47.92, 106.92},
    {"Kalgoorlie", -30.75, 121.47},      {"Birdsville", -25.90, 139.35},
    {"Fairbanks", 64.84, 212.28},        {"Canberra", -35.28, 149.13},
    {"Brasilia", -15.79, 312.12},        {"Denver", 39.74, 255.01},
    {"Cordoba", -31.42, 295.82},         {"Greenland ice sheet", 72.58, 321.54},
    {"Vostok station", -78.46, 106.84},  {"Manaus", -3.10, 300.00},
    {"Paris", 48.86, 2.35},              {"Toulouse", 43.60, 1.44},
    {"Florence", 43.77, 11.25},          {"Cairo", 30.04, 31.24},
    {"Tehran", 35.70, 51.42},            {"Sacramento", 38.58, 238.51},
    {"Mexico City", 19.43, 260.87},      {"Atlanta", 33.75, 275.61},
};

// Open ocean, and seas a hundred to two hundred km off the nearest coast.
const Place kOcean[] = {
    {"central Pacific", 0.0, 210.0},     {"South Atlantic", -30.0, 345.0},
    {"North Atlantic", 30.0, 320.0},     {"Indian Ocean", -40.0, 80.0},
    {"South Pacific", -50.0, 180.0},     {"North Pacific", 40.0, 200.0},
    {"Bay of Biscay", 45.50, 356.0},     {"Tyrrhenian Sea", 40.0, 12.0},
    {"Black Sea", 43.50, 34.0},          {"Gulf of Mexico", 25.0, 270.0},
    {"Ionian Sea", 34.50, 20.0},         {"Arabian Sea", 15.0, 65.0},
    {"off Cape Hatteras", 35.0, 287.0},   {"off California", 36.0, 235.0},
};

QImage loadPicture(const char* file)
{
    return QImage(dataPath(QString::fromLatin1(file)));
}

} // namespace

TEST(WorldMapPictures, AreOrdinaryJpegOrPngPictures)
{
    QStringList files{QStringLiteral("MapEarth.dat")};
    for (const View& v : kViews)
        files << QString::fromLatin1(v.file);
    for (const QString& file : files) {
        const QByteArray head = readBytes(file).left(4);
        EXPECT_TRUE(head.startsWith("\xFF\xD8\xFF") || head.startsWith("\x89PNG"))
            << file.toStdString();
    }
}

TEST(WorldMapPictures, RectangularMapIsTheTwoToOneEarth)
{
    const QImage earth = loadPicture("MapEarth.dat");
    ASSERT_FALSE(earth.isNull());
    EXPECT_EQ(earth.width(), 2048);
    EXPECT_EQ(earth.height(), 1024);
    for (const Place& p : kInland)
        EXPECT_TRUE(isLand(earthPixel(earth, p.lonEast, p.lat))) << p.name;
    for (const Place& p : kOcean)
        EXPECT_TRUE(isWater(earthPixel(earth, p.lonEast, p.lat))) << p.name;
}

TEST(WorldMapPictures, GlobeFillsItsCircleAndBlackSurroundsIt)
{
    // Just inside the limb nearly every pixel shows the Earth (a few may be sea dark enough
    // to pass for black); just outside every pixel is black.
    constexpr int kAngles = 360;
    constexpr double kMinEarthShare = 0.95;
    for (const View& v : kViews) {
        SCOPED_TRACE(v.file);
        const QImage picture = loadPicture(v.file);
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.width(), 2 * picture.height());
        const double inside = kGlobeRadiusUnits - kLimbMarginUnits;
        const double outside = kGlobeRadiusUnits + kLimbMarginUnits;
        int earthInside = 0;
        for (int a = 0; a < kAngles; ++a) {
            const double c = std::cos(a * kDegToRad), s = std::sin(a * kDegToRad);
            earthInside += isBlack(viewPixel(picture, inside * c, inside * s)) ? 0 : 1;
            EXPECT_TRUE(isBlack(viewPixel(picture, outside * c, outside * s))) << "angle " << a;
        }
        EXPECT_GE(earthInside, int(kMinEarthShare * kAngles));
        EXPECT_TRUE(isBlack(picture.pixel(0, 0)));
        EXPECT_TRUE(isBlack(picture.pixel(picture.width() - 1, picture.height() - 1)));
    }
}

TEST(WorldMapPictures, InlandPlacesFallOnLandInTheViewTheMapChooses)
{
    for (const Place& p : kInland) {
        const View& v = viewFor(p.lonEast, p.lat);
        SCOPED_TRACE(::testing::Message() << p.name << " in " << v.file);
        const QImage picture = loadPicture(v.file);
        ASSERT_FALSE(picture.isNull());
        const MapPoint m = project(v.lon0, v.lat0, p.lonEast, p.lat);
        ASSERT_TRUE(m.visible);
        EXPECT_TRUE(isLand(viewPixel(picture, m.x, m.y)));
    }
}

TEST(WorldMapPictures, OpenOceanFallsOnWaterInTheViewTheMapChooses)
{
    for (const Place& p : kOcean) {
        const View& v = viewFor(p.lonEast, p.lat);
        SCOPED_TRACE(::testing::Message() << p.name << " in " << v.file);
        const QImage picture = loadPicture(v.file);
        ASSERT_FALSE(picture.isNull());
        const MapPoint m = project(v.lon0, v.lat0, p.lonEast, p.lat);
        ASSERT_TRUE(m.visible);
        EXPECT_TRUE(isWater(viewPixel(picture, m.x, m.y)));
    }
}

TEST(WorldMapPictures, EveryViewShowsTheSamePlaceWhereverItIsOnTheDisc)
{
    // Madrid seen from every view that has it well inside the disc: a mirrored or shifted
    // view would put sea there.
    const Place madrid = kInland[1];
    int checked = 0;
    for (const View& v : kViews) {
        const MapPoint m = project(v.lon0, v.lat0, madrid.lonEast, madrid.lat);
        if (!m.visible || std::hypot(m.x, m.y) > 0.8 * kGlobeRadiusUnits)
            continue;
        const QImage picture = loadPicture(v.file);
        ASSERT_FALSE(picture.isNull()) << v.file;
        EXPECT_TRUE(isLand(viewPixel(picture, m.x, m.y))) << v.file;
        ++checked;
    }
    EXPECT_GE(checked, 3);
}

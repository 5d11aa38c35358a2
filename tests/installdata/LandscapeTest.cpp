// landscape.dat: a horizon silhouette, pure green where the sky shows through.

#include "InstallDataFiles.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <numbers>

using namespace installdata;

namespace {

const QRgb kSkyKey = qRgb(0, 255, 0);

// Any land colour must be far from the key, so no edge pixel is a blend of sky and land.
constexpr int kMaxLandGreen = 128;

QImage landscape()
{
    return QImage(dataPath(QStringLiteral("landscape.dat")));
}

} // namespace

TEST(Landscape, IsASquarePngPicture)
{
    EXPECT_TRUE(readBytes(QStringLiteral("landscape.dat")).startsWith("\x89PNG"));
    const QImage image = landscape();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), image.height());
}

TEST(Landscape, EveryPixelIsEitherTheSkyKeyOrClearlyLand)
{
    const QImage image = landscape().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(image.isNull());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y) & RGB_MASK;
            if (c == (kSkyKey & RGB_MASK))
                continue;
            ASSERT_LT(qGreen(c), kMaxLandGreen) << "blended pixel at " << x << ", " << y;
        }
    }
}

TEST(Landscape, LandRimsTheHorizonAndLeavesTheSkyAboveIt)
{
    const QImage image = landscape().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(image.isNull());
    const double centre = image.width() / 2.0;
    const auto isSky = [&](double radiusFraction, double azimuthDeg) {
        const double a = azimuthDeg * std::numbers::pi / 180.0;
        const int x = int(centre + radiusFraction * centre * std::sin(a));
        const int y = int(centre - radiusFraction * centre * std::cos(a));
        return (image.pixel(x, y) & RGB_MASK) == (kSkyKey & RGB_MASK);
    };
    for (int az = 0; az < 360; az += 5) {
        EXPECT_FALSE(isSky(0.99, az)) << "no land on the horizon at azimuth " << az;
        EXPECT_TRUE(isSky(0.75, az)) << "land 22 degrees up at azimuth " << az;
    }
    EXPECT_TRUE(isSky(0.0, 0)) << "zenith";
    EXPECT_TRUE((image.pixel(0, 0) & RGB_MASK) == (kSkyKey & RGB_MASK)) << "outside the horizon";
}

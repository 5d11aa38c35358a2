// Gradient, arrow and masked transparent copy drawn into images and read back.

#include "services/PaintDeviceSurface.h"
#include "services/mGlobal.h"
#include "services/mTrasp.h"

#include <QImage>

#include <cmath>

#include <gtest/gtest.h>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);

/// A 200 x 100 white image drawn on one unit to a pixel, y down.
class DrawingRoutinesTest : public ::testing::Test
{
protected:
    DrawingRoutinesTest() : image(200, 100, QImage::Format_RGB32), surface(image)
    {
        image.fill(kWhite);
        surface.Scale(0, 0, 200, 100);
    }

    QImage drawn()
    {
        surface.end();
        return image;
    }

    QImage image;
    PaintDeviceSurface surface;
};

TEST_F(DrawingRoutinesTest, GradientRunsFromTheFirstColourAtTheRimTowardsTheSecond)
{
    surface.setFillColor(QColor(1, 2, 3));
    surface.setFillStyle(drawing::FillStyle::Cross);
    // Eight rings 5 pixels wide; ring i has 255 * i / 8 truncated.
    mGlobal::Disegna_sfumatura(surface, kBlack, kWhite, 100, 50, 40, 1.0, 8);
    const QImage result = drawn();
    EXPECT_EQ(result.pixelColor(100 + 37, 50), kBlack);            // i = 0 at the rim
    EXPECT_EQ(result.pixelColor(100 + 32, 50), QColor(31, 31, 31)); // i = 1
    EXPECT_EQ(result.pixelColor(100 - 17, 50), QColor(127, 127, 127)); // i = 4
    // The innermost disc has the colour of the last step, one step short of white.
    EXPECT_EQ(result.pixelColor(100, 50), QColor(223, 223, 223));
    EXPECT_EQ(result.pixelColor(145, 50), kWhite); // outside the disc
    EXPECT_EQ(surface.FillColor(), QColor(1, 2, 3)); // fill colour and style given back
    EXPECT_EQ(surface.FillStyle(), drawing::FillStyle::Cross);
}

TEST_F(DrawingRoutinesTest, GradientOfOneColourPaintsEveryDiscInIt)
{
    const QColor sky(30, 60, 120);
    mGlobal::Disegna_sfumatura(surface, sky, sky, 100, 50, 40, 0.5, 16);
    const QImage result = drawn();
    EXPECT_EQ(result.pixelColor(100, 50), sky);
    EXPECT_EQ(result.pixelColor(135, 50), sky);
    EXPECT_EQ(result.pixelColor(100, 65), sky); // aspect 0.5: 20 up and down
    EXPECT_EQ(result.pixelColor(100, 75), kWhite);
}

TEST_F(DrawingRoutinesTest, GradientOfNoStepsDrawsNothing)
{
    surface.setFillColor(QColor(1, 2, 3));
    surface.setFillStyle(drawing::FillStyle::Cross);
    for (const int steps : {0, -1, -8})
        mGlobal::Disegna_sfumatura(surface, kBlack, kBlack, 100, 50, 40, 1.0, steps);
    const QImage result = drawn();
    // Not a pixel changed: no disc, no rim, no dot at the centre.
    int changed = 0;
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x)
            changed += result.pixelColor(x, y) != kWhite ? 1 : 0;
    }
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(surface.FillColor(), QColor(1, 2, 3));
    EXPECT_EQ(surface.FillStyle(), drawing::FillStyle::Cross);
}

TEST_F(DrawingRoutinesTest, ArrowChevronsStandAtTheFirstPointAndOptionallyAtTheEnd)
{
    // Along +x, size 10: the wings go back to (-10, +10) and (-10, -10) from each base point.
    mGlobal::Disegna_freccia(surface, 50, 30, 150, 30, 10, false, 1, 20);
    mGlobal::Disegna_freccia(surface, 50, 70, 150, 70, 10, true, 1, 20);
    const QImage result = drawn();
    EXPECT_EQ(result.pixelColor(100, 30), kBlack);     // the shaft
    EXPECT_EQ(result.pixelColor(45, 35), kBlack);      // chevron at the first point
    EXPECT_EQ(result.pixelColor(45, 25), kBlack);
    EXPECT_EQ(result.pixelColor(145, 35), kWhite);     // no head asked
    EXPECT_EQ(result.pixelColor(145, 75), kBlack);     // head at the end point
    EXPECT_EQ(result.pixelColor(145, 65), kBlack);
}

TEST_F(DrawingRoutinesTest, ArrowChevronsAreSpacedAlongTheShaft)
{
    mGlobal::Disegna_freccia(surface, 20, 50, 180, 50, 6, false, 3, 40);
    const QImage result = drawn();
    for (int base : {20, 60, 100})
        EXPECT_EQ(result.pixelColor(base - 3, 53), kBlack) << "chevron at x " << base;
    EXPECT_EQ(result.pixelColor(140 - 3, 53), kWhite); // only three
}

TEST_F(DrawingRoutinesTest, ArrowBetweenCoincidingPointsDrawsNoChevron)
{
    mGlobal::Disegna_freccia(surface, 100, 50, 100, 50, 10, true, 3, 5);
    const QImage result = drawn();
    EXPECT_EQ(result.pixelColor(95, 55), kWhite);
    EXPECT_TRUE(std::isfinite(surface.CurrentX()));
}

TEST_F(DrawingRoutinesTest, TransparentCopyKeepsTheDestinationUnderTheKeyColourOnly)
{
    const QColor background(0, 0, 200);
    image.fill(background);
    QImage landscape(4, 2, QImage::Format_RGB32);
    landscape.fill(mTrasp::kKeyColour);
    landscape.setPixelColor(0, 1, QColor(90, 60, 30));
    landscape.setPixelColor(1, 1, QColor(0, 254, 0)); // one bit off the key: opaque
    landscape.setPixelColor(3, 1, QColor(1, 255, 0));

    mTrasp::Copia_trasparente(surface, landscape, 10, 20, 4, 2, mTrasp::kKeyColour);
    mTrasp::Copia_trasparente(surface, landscape, 100, 20, 50, 50, mTrasp::kKeyColour); // cut
    const QImage result = drawn();
    EXPECT_EQ(result.pixelColor(10, 21), QColor(90, 60, 30));
    EXPECT_EQ(result.pixelColor(11, 21), QColor(0, 254, 0));
    EXPECT_EQ(result.pixelColor(12, 21), background);
    EXPECT_EQ(result.pixelColor(13, 21), QColor(1, 255, 0));
    for (int x = 10; x < 14; ++x)
        EXPECT_EQ(result.pixelColor(x, 20), background) << "x " << x;
    EXPECT_EQ(result.pixelColor(100, 21), QColor(90, 60, 30));
    EXPECT_EQ(result.pixelColor(100, 22), background); // nothing below the source
}

} // namespace

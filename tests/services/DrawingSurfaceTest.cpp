// The drawing surface drawn into images and read back pixel by pixel at a few known points.

#include "services/PaintDeviceSurface.h"
#include "services/PictureBox.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

QColor at(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

/// A picture box of 200 x 100 pixels on a white background, scaled one unit to a pixel.
class PictureBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        box.resize(200, 100);
        box.setBackColor(kWhite);
        box.Scale(0, 0, 200, 100);
    }

    PictureBox box;
};

TEST(SurfaceScale, DeviceAndUserPointsRoundTripForEveryDirection)
{
    const QSizeF device(400, 300);
    const SurfaceScale scales[] = {
        {0, 0, 200, 100},       // y down
        {-100, 100, 200, -200}, // y up, origin in the middle
        {50, -10, -25, 40},     // x leftwards
    };
    for (const SurfaceScale& scale : scales) {
        for (double x = -150; x <= 150; x += 37.5) {
            for (double y = -150; y <= 150; y += 37.5) {
                const QPointF back = scale.toUser(scale.toDevice({x, y}, device), device);
                EXPECT_NEAR(back.x(), x, 1e-9) << "scale left " << scale.left;
                EXPECT_NEAR(back.y(), y, 1e-9) << "scale left " << scale.left;
            }
        }
    }
    const SurfaceScale yUp{-100, 100, 200, -200};
    EXPECT_EQ(yUp.toDevice({-100, 100}, device), QPointF(0, 0));     // top-left corner
    EXPECT_EQ(yUp.toDevice({100, -100}, device), QPointF(400, 300)); // bottom-right corner
}

TEST_F(PictureBoxTest, ScaleWithYUpPutsPointsAboveTheBottomEdge)
{
    box.Scale(0, 100, 200, 0); // y runs from 0 at the bottom edge to 100 at the top
    box.PSet(10, 10, kRed);
    box.PSet(150, 80, kBlue);
    const QImage image = box.screenImage();
    EXPECT_EQ(at(image, 10, 90), kRed);
    EXPECT_EQ(at(image, 150, 20), kBlue);
    EXPECT_EQ(at(image, 10, 10), kWhite);
    EXPECT_DOUBLE_EQ(box.CurrentX(), 150.0);
    EXPECT_DOUBLE_EQ(box.CurrentY(), 80.0);
}

TEST_F(PictureBoxTest, DefaultScaleCountsTwipsAndFollowsTheSizeUntilAScaleIsSet)
{
    box.ScaleReset();
    EXPECT_DOUBLE_EQ(box.ScaleWidth(), 200 * 15.0);
    EXPECT_DOUBLE_EQ(box.ScaleHeight(), 100 * 15.0);
    box.resize(300, 150);
    EXPECT_DOUBLE_EQ(box.ScaleWidth(), 300 * 15.0);
    EXPECT_DOUBLE_EQ(box.Width(), 300 * 15.0);

    box.setScaleWidth(100); // only the width changes; the other extents keep their twips
    box.resize(600, 150);
    EXPECT_DOUBLE_EQ(box.ScaleWidth(), 100.0);
    EXPECT_DOUBLE_EQ(box.ScaleHeight(), 150 * 15.0);
    EXPECT_DOUBLE_EQ(box.toDevice({50, 0}).x(), 300.0);

    box.setScaleWidth(0); // refused: it would squeeze everything into one column
    EXPECT_DOUBLE_EQ(box.ScaleWidth(), 100.0);
}

TEST_F(PictureBoxTest, CircleAspectSetsTheRatioOfVerticalToHorizontalRadius)
{
    box.setFillStyle(drawing::FillStyle::Solid);
    box.setFillColor(kBlack);

    box.Circle(100, 50, 40, kBlack, 0.5); // 40 across, 20 up and down
    QImage image = box.screenImage();
    EXPECT_EQ(at(image, 135, 50), kBlack);
    EXPECT_EQ(at(image, 100, 65), kBlack);
    EXPECT_EQ(at(image, 100, 75), kWhite);

    box.Cls();
    box.Circle(100, 50, 40, kBlack, 2.0); // above 1 the radius is the vertical one
    image = box.screenImage();
    EXPECT_EQ(at(image, 100, 85), kBlack);
    EXPECT_EQ(at(image, 115, 50), kBlack);
    EXPECT_EQ(at(image, 125, 50), kWhite);
}

TEST_F(PictureBoxTest, CircleIsRoundOnTheDeviceWhateverTheScale)
{
    box.Scale(0, 0, 100, 100); // an x unit is 2 pixels, a y unit 1 pixel
    box.setFillStyle(drawing::FillStyle::Solid);
    box.setFillColor(kBlack);
    box.Circle(50, 50, 20, kBlack); // radius in x units: 40 pixels both ways
    const QImage image = box.screenImage();
    EXPECT_EQ(at(image, 100 + 35, 50), kBlack);
    EXPECT_EQ(at(image, 100, 50 + 35), kBlack);
    EXPECT_EQ(at(image, 100, 50 - 35), kBlack);
    EXPECT_EQ(at(image, 100 + 45, 50), kWhite);
}

TEST_F(PictureBoxTest, NegativeArcAnglesMakeAFilledPieCounterClockwiseOnScreen)
{
    box.setFillStyle(drawing::FillStyle::Solid);
    box.setFillColor(kBlack);
    constexpr double pi = std::numbers::pi;
    box.Arc(100, 50, 40, -pi / 4, -3 * pi / 4, kBlack); // the upper quarter
    const QImage image = box.screenImage();
    EXPECT_EQ(at(image, 100, 25), kBlack);  // straight up
    EXPECT_EQ(at(image, 100, 75), kWhite);  // straight down
    EXPECT_EQ(at(image, 130, 50), kWhite);  // to the right
}

TEST_F(PictureBoxTest, XorDrawingTwiceRestoresThePicture)
{
    box.setAutoRedraw(true);
    box.FilledBox(0, 0, 100, 100, kRed);
    box.FilledBox(100, 0, 200, 100, QColor(20, 200, 90));
    box.setAutoRedraw(false);
    const QImage before = box.screenImage();

    box.setDrawMode(drawing::DrawMode::XorPen);
    box.setDrawWidth(3);
    box.Line(10, 50, 190, 50, QColor(0, 255, 0));
    box.Box(20, 20, 180, 80, QColor(0, 255, 0));
    const QImage drawn = box.screenImage();
    EXPECT_EQ(at(drawn, 50, 50), QColor(255, 255, 0)); // red XOR green
    EXPECT_NE(drawn, before);

    box.Line(10, 50, 190, 50, QColor(0, 255, 0));
    box.Box(20, 20, 180, 80, QColor(0, 255, 0));
    EXPECT_EQ(box.screenImage(), before);
}

TEST_F(PictureBoxTest, NotXorWithTheBlackPenInvertsWhatIsUnderIt)
{
    box.FilledBox(0, 0, 100, 100, kBlack);
    box.setDrawMode(drawing::DrawMode::NotXorPen);
    box.setForeColor(kBlack);
    box.FilledBox(50, 0, 150, 100);
    const QImage image = box.screenImage();
    EXPECT_EQ(at(image, 25, 50), kBlack);   // untouched
    EXPECT_EQ(at(image, 75, 50), kWhite);   // black inverted
    EXPECT_EQ(at(image, 125, 50), kBlack);  // white inverted
    EXPECT_EQ(at(image, 175, 50), kWhite);  // untouched
}

TEST_F(PictureBoxTest, TemporaryDrawingIsWipedAndThePersistentPictureStays)
{
    box.setAutoRedraw(true);
    box.FilledBox(0, 0, 100, 100, kRed);
    box.setAutoRedraw(false);
    box.FilledBox(100, 0, 200, 100, kBlue);

    EXPECT_EQ(at(box.screenImage(), 150, 50), kBlue);
    EXPECT_EQ(at(box.image(), 150, 50), kWhite); // the persistent picture has no blue
    box.update();                                // a repaint of the window loses nothing
    EXPECT_EQ(at(box.screenImage(), 150, 50), kBlue);

    box.Cls(); // with AutoRedraw off: only the temporary drawing goes
    EXPECT_EQ(at(box.screenImage(), 150, 50), kWhite);
    EXPECT_EQ(at(box.screenImage(), 50, 50), kRed);
    EXPECT_DOUBLE_EQ(box.CurrentX(), 0.0);

    box.FilledBox(100, 0, 200, 100, kBlue);
    box.Refresh();
    EXPECT_EQ(at(box.screenImage(), 150, 50), kWhite);
    EXPECT_EQ(at(box.screenImage(), 50, 50), kRed);

    box.setAutoRedraw(true);
    box.Cls(); // with AutoRedraw on: everything back to the background
    EXPECT_EQ(at(box.image(), 50, 50), kWhite);
    EXPECT_EQ(at(box.screenImage(), 50, 50), kWhite);
}

TEST_F(PictureBoxTest, PersistentDrawingSurvivesAResize)
{
    box.setAutoRedraw(true);
    box.FilledBox(0, 0, 50, 50, kRed);
    box.resize(300, 120);
    EXPECT_EQ(box.image().size(), QSize(300, 120));
    EXPECT_EQ(at(box.image(), 25, 25), kRed);
    EXPECT_EQ(at(box.image(), 250, 110), kWhite);
}

TEST_F(PictureBoxTest, BoxFillFollowsFillStyleWhileFilledBoxTakesItsColour)
{
    box.Box(10, 10, 90, 90, kBlack); // transparent fill: the inside stays
    box.setFillStyle(drawing::FillStyle::Solid);
    box.setFillColor(kBlue);
    box.Box(110, 10, 190, 90, kBlack);
    const QImage image = box.screenImage();
    EXPECT_EQ(at(image, 50, 10), kBlack);
    EXPECT_EQ(at(image, 50, 50), kWhite);
    EXPECT_EQ(at(image, 150, 10), kBlack);
    EXPECT_EQ(at(image, 150, 50), kBlue);
    EXPECT_DOUBLE_EQ(box.CurrentX(), 190.0);
    EXPECT_DOUBLE_EQ(box.CurrentY(), 90.0);
}

TEST_F(PictureBoxTest, WidePointIsARoundDotDrawWidthAcross)
{
    box.setDrawWidth(7);
    box.PSet(100, 50, kRed);
    const QImage image = box.screenImage();
    EXPECT_EQ(at(image, 100, 50), kRed);
    EXPECT_EQ(at(image, 102, 50), kRed);
    EXPECT_EQ(at(image, 100, 47), kRed);
    EXPECT_EQ(at(image, 105, 50), kWhite);
}

TEST_F(PictureBoxTest, PictureStretchedOnAnUpsideDownScaleStaysUpright)
{
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(kBlue);
    for (int x = 0; x < 10; ++x) {
        for (int y = 0; y < 5; ++y)
            picture.setPixelColor(x, y, kRed); // red top half
    }
    box.Scale(0, 100, 200, 0);
    box.PaintPicture(picture, 20, 80, 40, -40); // device rows 20 to 60
    box.PaintPicture(picture, 120, 80);         // natural size, top-left at row 20
    const QImage image = box.screenImage();
    EXPECT_EQ(at(image, 40, 25), kRed);
    EXPECT_EQ(at(image, 40, 55), kBlue);
    EXPECT_EQ(at(image, 125, 21), kRed);
    EXPECT_EQ(at(image, 125, 28), kBlue);
    EXPECT_EQ(at(image, 125, 31), kWhite);
}

/// Where the ink of an image differs from white.
QRect inkBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != kWhite)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

QImage printedAt(const SurfaceScale& scale, QPointF pen, const QString& text)
{
    QImage image(160, 80, QImage::Format_RGB32);
    image.fill(kWhite);
    PaintDeviceSurface surface(image);
    surface.Scale(scale.left, scale.top, scale.left + scale.width, scale.top + scale.height);
    surface.setFontSize(20);
    surface.setCurrentX(pen.x());
    surface.setCurrentY(pen.y());
    surface.Print(text);
    surface.end();
    return image;
}

TEST(DrawingSurfaceText, TextIsNeverMirroredByAnUpsideDownScale)
{
    // The same device point (20, 10) on a y-down and on a y-up scale.
    const QImage down = printedAt({0, 0, 160, 80}, {20, 10}, QStringLiteral("FL"));
    const QImage up = printedAt({0, 80, 160, -80}, {20, 70}, QStringLiteral("FL"));
    EXPECT_EQ(down, up);
    const QRect ink = inkBounds(up);
    ASSERT_FALSE(ink.isNull());
    EXPECT_GE(ink.top(), 10); // the pen is the text's top-left corner
    EXPECT_GE(ink.left(), 20);
}

TEST(DrawingSurfaceText, PrintMovesThePenDownOneLineOnEitherScale)
{
    QImage image(160, 80, QImage::Format_RGB32);
    image.fill(kWhite);
    PaintDeviceSurface surface(image);
    surface.Scale(0, 80, 160, 0); // y up
    surface.setCurrentX(30);
    surface.setCurrentY(70);
    const double lineHeight = surface.TextHeight(QStringLiteral("A"));
    EXPECT_GT(lineHeight, 0.0);
    surface.Print(QStringLiteral("A"));
    EXPECT_DOUBLE_EQ(surface.CurrentX(), 0.0);
    EXPECT_NEAR(surface.CurrentY(), 70 - lineHeight, 1e-9);

    surface.setCurrentX(30);
    surface.Print(QStringLiteral("AB"), false); // the pen stays on the line, after the text
    EXPECT_NEAR(surface.CurrentX(), 30 + surface.TextWidth(QStringLiteral("AB")), 1e-9);
    EXPECT_NEAR(surface.CurrentY(), 70 - lineHeight, 1e-9);
}

} // namespace

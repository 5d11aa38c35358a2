#include "controls/RangeTool/RangeTool.h"

#include "WidgetTestSupport.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

using controls::resolveColour;
using controls_test::hex;
using controls_test::rendered;

namespace {

// 200 pixels wide: 183 pixels of thumb travel for the default scale 0..100.
class RangeToolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        slider.resize(200, 60);
        slider.show(); // a hidden widget gets its resize when shown
        lowerThumb = slider.findChild<QWidget*>(QStringLiteral("picBottom"));
        upperThumb = slider.findChild<QWidget*>(QStringLiteral("picTop"));
        ASSERT_NE(lowerThumb, nullptr);
        ASSERT_NE(upperThumb, nullptr);
    }

    void expectRange(int lower, int upper)
    {
        EXPECT_EQ(slider.LowerValue(), lower);
        EXPECT_EQ(slider.UpperValue(), upper);
    }

    // Presses a thumb at its middle and moves the pointer dx pixels in steps of at most ten,
    // as a hand would; the thumb follows, so each step is given in its current coordinates.
    void dragBy(QWidget* thumb, int dx)
    {
        const QPoint grab(7, 7);
        QTest::mousePress(thumb, Qt::LeftButton, {}, grab);
        const QPoint start = thumb->pos() + grab;
        for (int moved = 0; moved != dx;) {
            moved += std::clamp(dx - moved, -10, 10);
            moveTo(thumb, start + QPoint(moved, 0));
        }
    }
    static void moveTo(QWidget* thumb, QPoint inSlider)
    {
        QTest::mouseMove(thumb, inSlider - thumb->pos());
    }
    static void release(QWidget* thumb) { QTest::mouseRelease(thumb, Qt::LeftButton); }

    RangeTool slider;
    QWidget* lowerThumb = nullptr;
    QWidget* upperThumb = nullptr;
    QSignalSpy scrolls{&slider, &RangeTool::Scroll};
    QSignalSpy changes{&slider, &RangeTool::Change};
};

} // namespace

TEST_F(RangeToolTest, StartsWithTheQuarterToThreeQuartersRange)
{
    EXPECT_EQ(slider.Min(), 0);
    EXPECT_EQ(slider.Max(), 100);
    expectRange(25, 75);
    EXPECT_EQ(lowerThumb->x(), 46) << "25 % of 183";
    EXPECT_EQ(upperThumb->x(), 137) << "75 % of 183";
    EXPECT_EQ(lowerThumb->y(), 60 - 15);
    EXPECT_EQ(upperThumb->y(), 0);
}

TEST_F(RangeToolTest, LimitsAreNeverNegativeAndKeepTheValuesInside)
{
    slider.setMin(-5);
    EXPECT_EQ(slider.Min(), 0);
    slider.setMin(30);
    expectRange(30, 75);
    slider.setMax(20);
    EXPECT_EQ(slider.Min(), 20) << "Max below Min pulls Min down";
    EXPECT_EQ(slider.Max(), 20);
    expectRange(20, 20);
    slider.setMax(-1);
    EXPECT_EQ(slider.Max(), 0);
    expectRange(0, 0);
    EXPECT_EQ(scrolls.count(), 0) << "limits raise no event";
}

TEST_F(RangeToolTest, SettingAValueClampsItAndMovesTheOtherOnceWithOneScroll)
{
    slider.setUpperValue(10);
    expectRange(10, 10);
    EXPECT_EQ(scrolls.count(), 1);
    slider.setLowerValue(500);
    expectRange(100, 100);
    slider.setLowerValue(-7);
    expectRange(0, 100);
    EXPECT_EQ(scrolls.count(), 3);
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(RangeToolTest, DraggingLowerPastUpperCarriesItAlongAndBack)
{
    dragBy(lowerThumb, 120); // 46 + 120 = 166 pixels: value 91
    expectRange(91, 91);
    EXPECT_EQ(upperThumb->x(), lowerThumb->x());
    moveTo(lowerThumb, QPoint(46 + 7, 7));
    expectRange(25, 75);
    release(lowerThumb);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_GT(scrolls.count(), 10);
}

TEST_F(RangeToolTest, DragStopsAtBothEndsOfTheScale)
{
    dragBy(upperThumb, 400);
    EXPECT_EQ(slider.UpperValue(), 100);
    EXPECT_EQ(upperThumb->x(), 183);
    release(upperThumb);
    dragBy(lowerThumb, -400);
    EXPECT_EQ(slider.LowerValue(), 0);
    EXPECT_EQ(lowerThumb->x(), 0);
    release(lowerThumb);
}

TEST_F(RangeToolTest, LockedUpperThumbStopsTheLowerAndIgnoresPressesButStillReportsRelease)
{
    slider.setUpperLocked(true);
    dragBy(lowerThumb, 150);
    expectRange(75, 75);
    release(lowerThumb);

    scrolls.clear();
    changes.clear();
    QTest::mousePress(upperThumb, Qt::LeftButton, {}, QPoint(7, 7));
    QTest::mouseMove(upperThumb, QPoint(-40, 7));
    QTest::mouseRelease(upperThumb, Qt::LeftButton, {}, QPoint(-40, 7));
    expectRange(75, 75);
    EXPECT_EQ(scrolls.count(), 0);
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(RangeToolTest, PressAndReleaseWithoutMovingOnlyReportsChange)
{
    QTest::mouseClick(lowerThumb, Qt::LeftButton, {}, QPoint(3, 9));
    expectRange(25, 75);
    EXPECT_EQ(scrolls.count(), 0);
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(RangeToolTest, BandShowsColorBetweenTheThumbs)
{
    slider.setColor(0x0000FF00u);
    const QImage image = rendered(slider);
    EXPECT_EQ(hex(image.pixelColor(100, 30)), hex(QColor(Qt::green)));
    EXPECT_NE(hex(image.pixelColor(30, 30)), hex(QColor(Qt::green)));
    EXPECT_NE(hex(image.pixelColor(170, 30)), hex(QColor(Qt::green)));
}

TEST_F(RangeToolTest, DisabledSliderDrawsAnEtchedTrackWhateverItsBorderStyle)
{
    slider.setBorderStyle(RangeTool::kEdgeRaised);
    const QPoint trackCorner(4, 15);
    EXPECT_EQ(hex(rendered(slider).pixelColor(trackCorner)),
              hex(resolveColour(controls::kLight3D, slider.palette())));
    slider.setEnabled(false);
    EXPECT_EQ(hex(rendered(slider).pixelColor(trackCorner)),
              hex(resolveColour(controls::kButtonShadow, slider.palette())));
}

TEST_F(RangeToolTest, ShrinkingBelowFortyPixelsSnapsBack)
{
    slider.resize(25, 30);
    EXPECT_EQ(slider.size(), QSize(40, 40));
}


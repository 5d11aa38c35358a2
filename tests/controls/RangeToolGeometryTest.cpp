#include "controls/RangeTool/RangeToolGeometry.h"

#include <gtest/gtest.h>

using controls::dragLowerThumb;
using controls::dragUpperThumb;
using controls::RangeToolGeometry;
using controls::rangeToolGeometry;
using controls::RangeValues;
using controls::rangeValueAt;

namespace {

// 200 x 60 pixels: a thumb's left edge travels 200 - 17 = 183 pixels.
constexpr QSize kSurface(200, 60);
constexpr int kTravel = 183;

} // namespace

TEST(RangeToolGeometry, ThumbsSpanTheTravelFromMinimumToMaximum)
{
    const RangeToolGeometry ends = rangeToolGeometry(kSurface, 0, 100, 0, 100);
    EXPECT_EQ(ends.travel, kTravel);
    EXPECT_EQ(ends.lowerLeft, 0);
    EXPECT_EQ(ends.upperLeft, kTravel);

    const RangeToolGeometry inside = rangeToolGeometry(kSurface, 10, 20, 12, 15);
    EXPECT_EQ(inside.lowerLeft, 37) << "2/10 of 183, rounded";
    EXPECT_EQ(inside.upperLeft, 92) << "5/10 of 183, rounded";
    EXPECT_EQ(inside.band, QRect(37 + 7, 15 + 4, 92 - 37, 60 - 30 - 7));
}

TEST(RangeToolGeometry, BandIsTwoPixelsWideWhenBothThumbsMeet)
{
    const RangeToolGeometry geometry = rangeToolGeometry(kSurface, 0, 100, 40, 40);
    EXPECT_EQ(geometry.band.width(), 2);
}

TEST(RangeToolGeometry, EmptyScalePutsBothThumbsAtTheLeftEnd)
{
    const RangeToolGeometry geometry = rangeToolGeometry(kSurface, 30, 30, 30, 30);
    EXPECT_EQ(geometry.lowerLeft, 0);
    EXPECT_EQ(geometry.upperLeft, 0);
    EXPECT_EQ(rangeValueAt(50, kTravel, 30, 30), 30);
}

TEST(RangeToolGeometry, ValueAtPositionStaysOnTheScaleAndRoundsHalvesToEven)
{
    EXPECT_EQ(rangeValueAt(0, kTravel, 0, 100), 0);
    EXPECT_EQ(rangeValueAt(kTravel, kTravel, 0, 100), 100);
    EXPECT_EQ(rangeValueAt(-20, kTravel, 0, 100), 0);
    EXPECT_EQ(rangeValueAt(kTravel + 20, kTravel, 0, 100), 100);
    EXPECT_EQ(rangeValueAt(kTravel, kTravel, 0, 360), 360);
    // Ten units over twenty pixels: half a unit per pixel.
    EXPECT_EQ(rangeValueAt(1, 20, 0, 10), 0);
    EXPECT_EQ(rangeValueAt(3, 20, 0, 10), 2);
    EXPECT_EQ(rangeValueAt(5, 20, 0, 10), 2);
    EXPECT_EQ(rangeValueAt(3, 20, 7, 17), 8) << "8.5 rounds to even";
}

TEST(RangeToolDrag, DraggedThumbPushesTheOtherAlongAndLetsItBackToWhereItWas)
{
    EXPECT_EQ(dragLowerThumb(60, 75, false), (RangeValues{60, 75}));
    EXPECT_EQ(dragLowerThumb(90, 75, false), (RangeValues{90, 90}));
    EXPECT_EQ(dragLowerThumb(80, 75, false), (RangeValues{80, 80}));
    EXPECT_EQ(dragLowerThumb(10, 75, false), (RangeValues{10, 75}));

    EXPECT_EQ(dragUpperThumb(50, 25, false), (RangeValues{25, 50}));
    EXPECT_EQ(dragUpperThumb(10, 25, false), (RangeValues{10, 10}));
    EXPECT_EQ(dragUpperThumb(40, 25, false), (RangeValues{25, 40}));
}

TEST(RangeToolDrag, LockedOtherThumbStopsTheDragAtItsValue)
{
    EXPECT_EQ(dragLowerThumb(95, 90, true), (RangeValues{90, 90}));
    EXPECT_EQ(dragLowerThumb(30, 90, true), (RangeValues{30, 90}));
    EXPECT_EQ(dragUpperThumb(5, 25, true), (RangeValues{25, 25}));
}

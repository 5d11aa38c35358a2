#include "controls/GraphButton/GraphButtonLayout.h"

#include <gtest/gtest.h>

using controls::GraphButtonLayout;
using controls::layoutGraphButton;

namespace {

// A 100 x 40 button: content (4, 4) to (96, 36), 92 x 32 pixels.
constexpr QSize kSurface(100, 40);
constexpr QSize kPicture(16, 16);
constexpr QSize kCaption(30, 14);
constexpr int kGap = controls::kGraphButtonPictureGap;

} // namespace

TEST(GraphButtonLayout, PictureWithoutCaptionIsCentred)
{
    const GraphButtonLayout layout
        = layoutGraphButton(kSurface, true, kPicture, QSize(), controls::kPictureLeft, {});
    EXPECT_EQ(layout.picture, QRect(4 + (92 - 16) / 2, 4 + (32 - 16) / 2, 16, 16));
}

TEST(GraphButtonLayout, CaptionWithoutPictureIsCentred)
{
    const GraphButtonLayout layout
        = layoutGraphButton(kSurface, false, kPicture, kCaption, controls::kPictureLeft, {});
    EXPECT_EQ(layout.caption, QRect(4 + (92 - 30) / 2, 4 + (32 - 14) / 2, 30, 14));
}

TEST(GraphButtonLayout, PictureAndCaptionFormOneCentredBlockOnTheChosenSide)
{
    struct Case
    {
        int position;
        QRect picture;
        QRect caption;
    };
    // Side by side: block 16 + 4 + 30 = 50 wide, starting at 4 + (92 - 50) / 2 = 25.
    // Stacked: block 16 + 4 + 14 = 34 high, starting at 4 + (32 - 34) / 2 = 3.
    const Case cases[] = {
        {controls::kPictureAbove, QRect(42, 3, 16, 16), QRect(35, 3 + 16 + kGap, 30, 14)},
        {controls::kPictureLeft, QRect(25, 12, 16, 16), QRect(25 + 16 + kGap, 13, 30, 14)},
        {controls::kPictureRight, QRect(25 + 30 + kGap, 12, 16, 16), QRect(25, 13, 30, 14)},
        {controls::kPictureBelow, QRect(42, 3 + 14 + kGap, 16, 16), QRect(35, 3, 30, 14)},
    };
    for (const Case& c : cases) {
        const GraphButtonLayout layout
            = layoutGraphButton(kSurface, true, kPicture, kCaption, c.position, {});
        EXPECT_EQ(layout.picture, c.picture) << "picture position " << c.position;
        EXPECT_EQ(layout.caption, c.caption) << "picture position " << c.position;
    }
}

TEST(GraphButtonLayout, UnknownPositionCentresCaptionAndKeepsThePreviousPicturePlace)
{
    const GraphButtonLayout previous
        = layoutGraphButton(kSurface, true, kPicture, kCaption, controls::kPictureAbove, {});
    const GraphButtonLayout layout
        = layoutGraphButton(kSurface, true, kPicture, kCaption, 5, previous);
    EXPECT_EQ(layout.picture, previous.picture);
    EXPECT_EQ(layout.caption, QRect(35, 13, 30, 14));
}

TEST(GraphButtonLayout, OversizedItemsOverhangBothSidesAlike)
{
    // 99 wide in 92: the excess of 7 splits as 3 left (truncated toward zero) and 4 right.
    const GraphButtonLayout layout
        = layoutGraphButton(kSurface, false, kPicture, QSize(99, 14), controls::kPictureLeft, {});
    EXPECT_EQ(layout.caption.left(), 4 - 3);
}

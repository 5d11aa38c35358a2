#include "controls/SystemColour.h"

#include <gtest/gtest.h>

#include "WidgetTestSupport.h"

using controls::resolveColour;

TEST(SystemColour, RgbValuesKeepRedInTheLowByte)
{
    const QPalette palette;
    EXPECT_EQ(resolveColour(0x000000FFu, palette), QColor(255, 0, 0));
    EXPECT_EQ(resolveColour(0x00FF0000u, palette), QColor(0, 0, 255));
    EXPECT_EQ(resolveColour(0x00123456u, palette), QColor(0x56, 0x34, 0x12));
}

TEST(SystemColour, SystemColoursFollowThePalette)
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Dark, QColor(4, 5, 6));
    palette.setColor(QPalette::Highlight, QColor(7, 8, 9));
    EXPECT_EQ(resolveColour(controls::kButtonFace, palette), QColor(1, 2, 3));
    EXPECT_EQ(resolveColour(controls::kButtonShadow, palette), QColor(4, 5, 6));
    EXPECT_EQ(resolveColour(controls::kActiveCaption, palette), QColor(7, 8, 9));
    EXPECT_EQ(resolveColour(controls::kSystemColourFlag + 99, palette), QColor(Qt::black));
}

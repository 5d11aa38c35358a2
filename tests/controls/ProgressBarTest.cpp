#include "controls/ProgressBar/ProgressBar.h"

#include "WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

using controls::progressPercent;
using controls::progressText;
using controls_test::hex;
using controls_test::rendered;

TEST(ProgressBarText, PercentageRoundsToAWholeNumberFollowedByPercentSign)
{
    const struct
    {
        double percent;
        const char* text;
    } cases[] = {
        {45.0, "45%"}, {0.0, "0%"}, {0.4, "0%"}, {99.5, "100%"}, {150.2, "150%"}, {-3.0, "-3%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(progressText(c.percent), QString::fromLatin1(c.text)) << c.percent;
}

TEST(ProgressBarText, PercentageIsValueOverMaximumAndZeroWhileMaximumIsUnset)
{
    EXPECT_DOUBLE_EQ(progressPercent(45, 100), 45.0);
    EXPECT_DOUBLE_EQ(progressPercent(512, 2048), 25.0);
    EXPECT_DOUBLE_EQ(progressPercent(150, 100), 150.0);
    EXPECT_DOUBLE_EQ(progressPercent(10, 0), 0.0);
    EXPECT_DOUBLE_EQ(progressPercent(0, 0), 0.0);
    EXPECT_DOUBLE_EQ(progressPercent(1e300, 1e-300), 0.0) << "overflow to infinity";
    EXPECT_DOUBLE_EQ(progressPercent(std::numeric_limits<double>::quiet_NaN(), 100), 0.0);
    EXPECT_EQ(progressText(1e12), QStringLiteral("1000000000%")) << "no overflow when rounded";
}

namespace {

// A 200 x 30 bar: 2-pixel border, inside from x 2 to 197. Row 4 lies above the centred text.
class ProgressBarTest : public ::testing::Test
{
protected:
    void SetUp() override { bar.resize(200, 30); }

    bool isBar(int x)
    {
        return hex(rendered(bar).pixelColor(x, kRow)) == hex(bar.palette().color(QPalette::Highlight));
    }
    bool isEmpty(int x)
    {
        return hex(rendered(bar).pixelColor(x, kRow)) == hex(bar.palette().color(QPalette::Base));
    }

    static constexpr int kRow = 4;
    ProgressBar bar;
};

} // namespace

TEST_F(ProgressBarTest, BarFillsFromTheLeftAsFarAsThePercentage)
{
    bar.setMax(100);
    bar.setValue(50);
    EXPECT_TRUE(isBar(3));
    EXPECT_TRUE(isBar(97));
    EXPECT_TRUE(isEmpty(102));
    EXPECT_TRUE(isEmpty(196));
}

TEST_F(ProgressBarTest, NoBarAtZeroOrWhileMaximumIsUnset)
{
    bar.setMax(100);
    bar.setValue(0);
    EXPECT_TRUE(isEmpty(3));
    bar.setMax(0);
    bar.setValue(10);
    EXPECT_TRUE(isEmpty(3));
}

TEST_F(ProgressBarTest, ValuePastMaximumFillsToTheRightEdgeOnly)
{
    bar.setMax(100);
    bar.setValue(250);
    EXPECT_TRUE(isBar(196));
    EXPECT_FALSE(isBar(199)) << "the border stays";
}

TEST_F(ProgressBarTest, NewMaximumShowsWithTheNextValueOnly)
{
    bar.setMax(100);
    bar.setValue(50);
    bar.setMax(200);
    EXPECT_TRUE(isBar(97));
    bar.setValue(50);
    EXPECT_TRUE(isEmpty(97));
    EXPECT_TRUE(isBar(45));
}

TEST_F(ProgressBarTest, TextInsideTheBarTurnsToTheInverseColours)
{
    bar.setMax(100);
    bar.setValue(100);
    const QImage full = rendered(bar);
    const QColor inverse = bar.palette().color(QPalette::HighlightedText);
    int textPixels = 0;
    for (int y = 8; y < 22; ++y)
        for (int x = 80; x < 120; ++x)
            textPixels += controls_test::nearColour(full.pixelColor(x, y), inverse, 24) ? 1 : 0;
    EXPECT_GT(textPixels, 5) << "percentage text in the highlighted-text colour";
}

TEST_F(ProgressBarTest, ShrinkingBelowTheTextHeightSnapsBack)
{
    bar.resize(200, 5);
    EXPECT_EQ(bar.height(), 17);
}

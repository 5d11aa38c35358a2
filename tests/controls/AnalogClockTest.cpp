#include "controls/AnalogClock/AnalogClock.h"

#include "WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using controls::clockHandAngles;
using controls::ClockHandAngles;
using controls::dialPoint;
using controls_test::nearColour;
using controls_test::rendered;

namespace {

constexpr double kAngleToleranceDeg = 1e-9;

// Direction of a hand folded into 0..360 degrees, so that equal directions compare equal.
double direction(double angleDeg)
{
    const double folded = std::fmod(angleDeg, 360.0);
    return folded < 0 ? folded + 360.0 : folded;
}

} // namespace

TEST(AnalogClockHands, MidnightAndNoonPointEveryHandStraightUp)
{
    for (const QTime time : {QTime(0, 0, 0), QTime(12, 0, 0)}) {
        const ClockHandAngles angles = clockHandAngles(time);
        EXPECT_NEAR(direction(angles.hourDeg), 180.0, kAngleToleranceDeg) << time.toString().toStdString();
        EXPECT_NEAR(direction(angles.minuteDeg), 180.0, kAngleToleranceDeg);
        EXPECT_NEAR(direction(angles.secondDeg), 180.0, kAngleToleranceDeg);
    }
}

TEST(AnalogClockHands, HourAndMinuteHandsMoveContinuouslySecondHandInWholeSeconds)
{
    const ClockHandAngles halfPastThree = clockHandAngles(QTime(15, 30, 0));
    EXPECT_NEAR(direction(halfPastThree.hourDeg), 180.0 - 3.5 * 30.0, kAngleToleranceDeg)
        << "halfway between 3 and 4";
    EXPECT_NEAR(direction(halfPastThree.minuteDeg), 0.0, kAngleToleranceDeg) << "straight down";

    const ClockHandAngles halfPastTwelve = clockHandAngles(QTime(12, 30, 0));
    EXPECT_NEAR(direction(halfPastTwelve.hourDeg), direction(180.0 - 0.5 * 30.0),
                kAngleToleranceDeg)
        << "halfway between 12 and 1";

    const ClockHandAngles angles = clockHandAngles(QTime(9, 10, 45, 900));
    EXPECT_NEAR(angles.minuteDeg, 180.0 - 6.0 * (10 + 45 / 60.0), kAngleToleranceDeg);
    EXPECT_NEAR(angles.secondDeg, 180.0 - 6.0 * 45, kAngleToleranceDeg) << "milliseconds ignored";
}

namespace {

// A 200 x 200 clock: centre (100, 100), dial radius 100 - 50/15 pixels.
class AnalogClockTest : public ::testing::Test
{
protected:
    void SetUp() override { clock.resize(200, 200); }

    // The point at a fraction of the radius along a hand's direction.
    static QPoint along(double angleDeg, double fraction, QPointF centre = {100.0, 100.0},
                        double radius = kRadius)
    {
        const QPointF at = centre + dialPoint(angleDeg, fraction * radius);
        return QPoint(static_cast<int>(at.x()), static_cast<int>(at.y()));
    }
    // Antialiased lines spread over neighbouring pixels: a hand is found when one pixel of
    // the 3 x 3 block around a point shows it, and is absent when all of them show the face.
    template <typename Test>
    static bool anyAround(const QImage& image, QPoint at, Test test)
    {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (test(image.pixelColor(at + QPoint(dx, dy))))
                    return true;
        return false;
    }
    bool isDark(const QImage& image, QPoint at) const
    {
        return anyAround(image, at, [](const QColor& c) { return c.lightness() < 60; });
    }
    bool isRed(const QImage& image, QPoint at) const
    {
        return anyAround(image, at, [](const QColor& c) {
            return c.red() > 200 && c.red() - c.green() > 100 && c.red() - c.blue() > 100;
        });
    }
    bool isFace(const QImage& image, QPoint at) const
    {
        const QColor face = clock.palette().color(QPalette::Window);
        return !anyAround(image, at,
                          [&face](const QColor& c) { return !nearColour(c, face, 8); });
    }

    static constexpr double kRadius = 100.0 - 50.0 / 15.0;
    AnalogClock clock;
};

} // namespace

TEST_F(AnalogClockTest, HandsPointAtTheTimeSet)
{
    // 15:33:45: hour hand just past halfway from 3 to 4, minute hand between 6 and 7, second
    // hand at 9; none of them over a number.
    clock.setValue(QTime(15, 33, 45));
    const ClockHandAngles angles = clockHandAngles(clock.Value());
    const QImage image = rendered(clock);
    EXPECT_TRUE(isDark(image, along(angles.hourDeg, 0.45)));
    EXPECT_TRUE(isDark(image, along(angles.minuteDeg, 0.7)));
    EXPECT_TRUE(isRed(image, along(angles.secondDeg, 0.8)));
    // Each hand ends at its reach: hour 1/2, minute 3/4 of the radius.
    EXPECT_TRUE(isFace(image, along(angles.hourDeg, 0.57)));
    EXPECT_TRUE(isFace(image, along(angles.minuteDeg, 0.8)));
    // Nothing points the opposite way.
    EXPECT_TRUE(isFace(image, along(angles.hourDeg + 180.0, 0.3)));
    EXPECT_TRUE(isFace(image, along(angles.minuteDeg + 180.0, 0.5)));
    EXPECT_TRUE(isFace(image, along(angles.secondDeg + 180.0, 0.5)));
}

TEST_F(AnalogClockTest, NewTimeLeavesNoTraceOfTheEarlierHands)
{
    clock.setValue(QTime(15, 33, 45));
    const ClockHandAngles before = clockHandAngles(clock.Value());
    clock.setValue(QTime(9, 10, 20));
    const ClockHandAngles after = clockHandAngles(clock.Value());
    const QImage image = rendered(clock);
    EXPECT_TRUE(isFace(image, along(before.hourDeg, 0.3)));
    EXPECT_TRUE(isFace(image, along(before.minuteDeg, 0.6)));
    EXPECT_TRUE(isFace(image, along(before.secondDeg, 0.6)));
    EXPECT_TRUE(isDark(image, along(after.hourDeg, 0.3)));
    EXPECT_TRUE(isRed(image, along(after.secondDeg, 0.6)));
}

TEST_F(AnalogClockTest, DialAndHandsFollowTheControlSize)
{
    clock.setValue(QTime(15, 33, 45));
    clock.resize(100, 300);
    const QPointF centre(50, 150);
    const double radius = 50.0 - 50.0 / 15.0;
    const QImage image = rendered(clock);
    EXPECT_TRUE(isRed(image, along(clockHandAngles(clock.Value()).secondDeg, 0.8, centre, radius)));
    EXPECT_TRUE(isDark(image, along(180.0, 1.0, centre, radius))) << "rim at 12 o'clock";
    EXPECT_TRUE(isFace(image, along(180.0, 1.2, centre, radius))) << "outside the rim";
}

TEST_F(AnalogClockTest, BeforeTheFirstTimeOnlyTheDialShows)
{
    const QImage image = rendered(clock);
    for (double angle : {0.0, 90.0, 180.0, 270.0})
        EXPECT_TRUE(isFace(image, along(angle, 0.4))) << angle;
    EXPECT_TRUE(isDark(image, along(0.0, 1.0))) << "rim at 6 o'clock";
}

TEST_F(AnalogClockTest, ControlTooSmallForADialPaintsNothing)
{
    clock.resize(5, 5);
    clock.setValue(QTime(1, 2, 3));
    EXPECT_TRUE(isFace(rendered(clock), QPoint(2, 2)));
}

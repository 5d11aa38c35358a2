// The sky charts' pointer forwarding: each mouse event reaches its handler in chart units,
// other events pass on, and a failing handler is told to the window without leaving the
// event loop.

#include "skycharts/ChartPointer.h"

#include "services/PictureBox.h"

#include <QMouseEvent>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

struct Calls
{
    std::string handler;
    Qt::MouseButton button = Qt::NoButton;
    Qt::MouseButtons buttons;
    QPointF chart;
    QPoint global;
    int failures = 0;
};

skycharts::ChartPointerHandlers recording(Calls& calls, bool fail = false)
{
    const auto maybeFail = [fail] {
        if (fail)
            throw std::runtime_error("handler failed");
    };
    return {[&calls, maybeFail](Qt::MouseButton b, QPointF chart, QPoint global) {
                calls = {"press", b, {}, chart, global, calls.failures};
                maybeFail();
            },
            [&calls, maybeFail](Qt::MouseButtons b, QPointF chart) {
                calls = {"move", Qt::NoButton, b, chart, {}, calls.failures};
                maybeFail();
            },
            [&calls, maybeFail](Qt::MouseButton b, QPointF chart) {
                calls = {"release", b, {}, chart, {}, calls.failures};
                maybeFail();
            },
            [&calls] { ++calls.failures; }};
}

TEST(ChartPointer, MouseEventsReachTheirHandlerInChartUnitsAndFailuresStayInside)
{
    PictureBox picture;
    picture.resize(200, 100);
    picture.Scale(-100, 50, 100, -50);
    const QPointF pixel(150, 25);
    const QPointF global(900, 400);
    struct Case
    {
        QEvent::Type type;
        Qt::MouseButton button;
        Qt::MouseButtons buttons;
        const char* handler;
    };
    const Case cases[] = {
        {QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, "press"},
        {QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, "move"},
        {QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, "release"},
    };
    for (const Case& c : cases) {
        for (const bool fail : {false, true}) {
            SCOPED_TRACE(std::string(c.handler) + (fail ? " failing" : ""));
            QMouseEvent event(c.type, pixel, pixel, global, c.button, c.buttons, Qt::NoModifier);
            Calls calls;
            bool handled = true;
            EXPECT_NO_THROW(handled = skycharts::forwardChartPointer(picture, event,
                                                                     recording(calls, fail)));
            EXPECT_EQ(handled, !fail) << "a failed event passes on to the window";
            EXPECT_EQ(calls.failures, fail ? 1 : 0);
            EXPECT_EQ(calls.handler, c.handler);
            EXPECT_EQ(calls.chart, picture.toUser(pixel));
            EXPECT_NE(calls.chart, pixel) << "chart units, not pixels";
            if (c.type == QEvent::MouseButtonPress) {
                EXPECT_EQ(calls.global, global.toPoint());
            }
            if (c.type == QEvent::MouseMove) {
                EXPECT_EQ(calls.buttons, c.buttons);
            } else {
                EXPECT_EQ(calls.button, c.button);
            }
        }
    }

    QEvent other(QEvent::Enter);
    Calls calls;
    EXPECT_FALSE(skycharts::forwardChartPointer(picture, other, recording(calls)));
    EXPECT_TRUE(calls.handler.empty());
}

} // namespace

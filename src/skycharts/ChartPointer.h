#pragma once
// The pointer over a sky chart's picture box, handed to the chart's window in chart units.

#include <QPoint>
#include <QPointF>
#include <Qt>

#include <functional>

class PictureBox;
class QEvent;

namespace skycharts {

/// What a chart window does with the pointer over its picture box.
struct ChartPointerHandlers
{
    std::function<void(Qt::MouseButton button, QPointF chart, QPoint global)> press;
    std::function<void(Qt::MouseButtons buttons, QPointF chart)> move;
    std::function<void(Qt::MouseButton button, QPointF chart)> release;
    /// A handler failed: the window drops what a drag had begun.
    std::function<void()> failed;
};

/// Hands a mouse press, move or release over `picture` to its handler, with the pointer's
/// place in the picture's chart units (and on the screen, for a press). True when a handler
/// took the event; false for any other event and when a handler failed (after `failed`), so
/// that the caller passes the event on. A handler's failure never leaves this function.
bool forwardChartPointer(const PictureBox& picture, QEvent& event,
                         const ChartPointerHandlers& handlers);

} // namespace skycharts

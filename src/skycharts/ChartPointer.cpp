#include "skycharts/ChartPointer.h"

#include "services/PictureBox.h"

#include <QMouseEvent>

namespace skycharts {

bool forwardChartPointer(const PictureBox& picture, QEvent& event,
                         const ChartPointerHandlers& handlers)
{
    // Handlers never let an exception out of the event loop.
    try {
        switch (event.type()) {
        case QEvent::MouseButtonPress: {
            const auto& mouse = static_cast<const QMouseEvent&>(event);
            handlers.press(mouse.button(), picture.toUser(mouse.position()),
                           mouse.globalPosition().toPoint());
            return true;
        }
        case QEvent::MouseMove: {
            const auto& mouse = static_cast<const QMouseEvent&>(event);
            handlers.move(mouse.buttons(), picture.toUser(mouse.position()));
            return true;
        }
        case QEvent::MouseButtonRelease: {
            const auto& mouse = static_cast<const QMouseEvent&>(event);
            handlers.release(mouse.button(), picture.toUser(mouse.position()));
            return true;
        }
        default:
            break;
        }
    } catch (...) {
        handlers.failed();
    }
    return false;
}

} // namespace skycharts

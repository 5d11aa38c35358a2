#include "mainwindow/MdiArrangement.h"

#include <QChildEvent>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVariant>

#include <algorithm>

namespace {

/// Watches the document area for new windows and puts each inside it as it first shows.
class SubWindowKeeper : public QObject
{
public:
    explicit SubWindowKeeper(QMdiArea& area)
        : QObject(&area), m_area(area), m_viewport(area.viewport())
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The viewport is compared with the one kept at the start: while the area is being
        // destroyed its children still send events, and the area can no longer be asked.
        if (watched == m_viewport) {
            // Polishing comes before the first show, when the window is fully made.
            if (event->type() == QEvent::ChildPolished) {
                QObject* child = static_cast<QChildEvent*>(event)->child();
                if (auto* window = qobject_cast<QMdiSubWindow*>(child);
                    window != nullptr && !window->property(kWatched).toBool()) {
                    window->setProperty(kWatched, true);
                    window->installEventFilter(this);
                }
            }
        } else if (event->type() == QEvent::Show) {
            if (auto* window = qobject_cast<QMdiSubWindow*>(watched))
                keepInside(*window);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void keepInside(QMdiSubWindow& window)
    {
        const QSize area = m_area.viewport()->size();
        if (!m_area.isVisible() || area.isEmpty())
            return;
        // Only the first show: a window the user moved keeps its place when it shows again.
        window.removeEventFilter(this);
        if (window.isMaximized() || window.isMinimized())
            return;
        // Never below its minimum size: the area scrolls to what lies beyond it.
        const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize());
        const QRect fitted = fittedIntoArea(window.geometry(), area, least);
        if (fitted != window.geometry())
            window.setGeometry(fitted);
    }

    static constexpr const char* kWatched = "keptInsideDocumentArea";
    QMdiArea& m_area;
    const QObject* m_viewport;
};

} // namespace

QList<QRect> tileRects(const QRect& area, int count, Qt::Orientation orientation)
{
    QList<QRect> rects;
    if (count <= 0 || area.isEmpty())
        return rects;
    const bool sideBySide = orientation == Qt::Horizontal;
    const int length = sideBySide ? area.width() : area.height();
    const int share = length / count;
    for (int i = 0; i < count; ++i) {
        const int start = i * share;
        const int size = i == count - 1 ? length - start : share;
        rects.append(sideBySide ? QRect(area.left() + start, area.top(), size, area.height())
                                : QRect(area.left(), area.top() + start, area.width(), size));
    }
    return rects;
}

void tileSubWindows(QMdiArea& area, Qt::Orientation orientation)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : area.subWindowList()) {
        if (window->isVisible() && !window->isMinimized())
            windows.append(window);
    }
    const QList<QRect> rects =
        tileRects(area.viewport()->rect(), static_cast<int>(windows.size()), orientation);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        windows[i]->showNormal();
        windows[i]->setGeometry(rects[i]);
    }
}

void arrangeMinimisedSubWindows(QMdiArea& area)
{
    int left = 0;
    const int bottom = area.viewport()->height();
    for (QMdiSubWindow* window : area.subWindowList()) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        window->move(left, bottom - size.height());
        left += size.width();
    }
}

void keepNewSubWindowsInside(QMdiArea& area)
{
    area.viewport()->installEventFilter(new SubWindowKeeper(area));
}

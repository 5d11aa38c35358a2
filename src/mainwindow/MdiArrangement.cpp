#include "mainwindow/MdiArrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>

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

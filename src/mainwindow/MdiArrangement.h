#pragma once
// Arranging the child windows of the main window's document area.

#include "services/WindowPlacement.h"

#include <QList>
#include <QRect>

class QMdiArea;

/// Rectangles that share `area` among `count` windows: side by side for Qt::Horizontal, one
/// above the other for Qt::Vertical, every one the same size but the last, which takes what
/// whole pixels leave over.
[[nodiscard]] QList<QRect> tileRects(const QRect& area, int count, Qt::Orientation orientation);

/// Tiles the child windows that are neither hidden nor minimised.
void tileSubWindows(QMdiArea& area, Qt::Orientation orientation);

/// Lines the minimised child windows up along the bottom edge, from the left.
void arrangeMinimisedSubWindows(QMdiArea& area);

/// Keeps every document window of `area` inside it when it first shows, so a new window needs
/// no scrolling to be seen whole. Windows that show maximised or minimised are left alone, as
/// is everything while the area itself has no size yet.
void keepNewSubWindowsInside(QMdiArea& area);

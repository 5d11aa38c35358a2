#include "database/DatabaseButtonPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

constexpr int kPictureSidePx = 16;
const QColor kArrowFill(30, 90, 170);
const QColor kArrowRim(10, 40, 90);

/// An arrow pointing right inside the 16 x 16 square; the others are turned from it.
QPolygonF rightArrow()
{
    return QPolygonF({QPointF(2, 6), QPointF(8, 6), QPointF(8, 2.5), QPointF(14, 8),
                      QPointF(8, 13.5), QPointF(8, 10), QPointF(2, 10)});
}

void drawTurnedArrow(QPainter& painter, qreal degrees)
{
    painter.translate(kPictureSidePx / 2.0, kPictureSidePx / 2.0);
    painter.rotate(degrees);
    painter.translate(-kPictureSidePx / 2.0, -kPictureSidePx / 2.0);
    painter.drawPolygon(rightArrow());
}

// Three quarters of a circle with a head at its end: the order turns round.
void drawRotation(QPainter& painter)
{
    QPainterPath arc;
    const QRectF circle(3, 3, 10, 10);
    arc.arcMoveTo(circle, 90);
    arc.arcTo(circle, 90, 270);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kArrowFill, 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(arc);
    painter.setPen(QPen(kArrowRim, 1));
    painter.setBrush(kArrowFill);
    painter.drawPolygon(QPolygonF({QPointF(13, 1), QPointF(13, 9), QPointF(8.5, 5)}));
}

} // namespace

QPixmap buttonPicture(ButtonPicture picture, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(kPictureSidePx, kPictureSidePx) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kArrowRim, 1));
    painter.setBrush(kArrowFill);
    switch (picture) {
    case ButtonPicture::ArrowRight:
        drawTurnedArrow(painter, 0);
        break;
    case ButtonPicture::ArrowDown:
        drawTurnedArrow(painter, 90);
        break;
    case ButtonPicture::ArrowLeft:
        drawTurnedArrow(painter, 180);
        break;
    case ButtonPicture::ArrowUp:
        drawTurnedArrow(painter, 270);
        break;
    case ButtonPicture::Rotate:
        drawRotation(painter);
        break;
    }
    return pixmap;
}

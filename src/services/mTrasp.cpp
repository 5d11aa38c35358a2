#include "services/mTrasp.h"

#include "services/DrawingSurface.h"

#include <QImage>

namespace mTrasp {

void Copia_trasparente(DrawingSurface& destination, const QImage& source, int x, int y, int width,
                       int height, const QColor& keyColour)
{
    const QRect block = QRect(0, 0, width, height).intersected(source.rect());
    if (block.isEmpty())
        return;
    // One image with the mask in its alpha channel: key-coloured pixels become fully
    // transparent, all others fully opaque.
    QImage masked = source.copy(block).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = keyColour.rgb() & RGB_MASK;
    for (int row = 0; row < masked.height(); ++row) {
        auto* pixels = reinterpret_cast<QRgb*>(masked.scanLine(row));
        for (int column = 0; column < masked.width(); ++column) {
            const QRgb colour = pixels[column] & RGB_MASK;
            pixels[column] = colour == key ? 0 : (colour | ~RGB_MASK);
        }
    }
    destination.drawImageAtDevicePixel(masked, QPoint(x, y));
}

} // namespace mTrasp

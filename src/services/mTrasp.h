#pragma once
// Masked transparent copy of a picture onto a drawing surface: the landscape silhouette over
// the sky charts, whose sky is painted in a key colour.

#include <QColor>

class DrawingSurface;
class QImage;

namespace mTrasp {

/// The callers' key colour, pure green.
inline const QColor kKeyColour = QColor(0, 255, 0);

/// Copies the width x height block at the source's top-left corner to the device pixel
/// (x, y) of the destination, leaving the destination as it was wherever the source pixel
/// has exactly the key colour (its alpha is not looked at). A block larger than the source
/// is cut to it.
void Copia_trasparente(DrawingSurface& destination, const QImage& source, int x, int y, int width,
                       int height, const QColor& keyColour);

} // namespace mTrasp

#pragma once
// Where map units fall on the map box: the rectangular map keeps the picture's 2:1 aspect,
// centred in the box; the orthographic map spans 360 units on the box's shorter side, origin
// in the centre, with its 720 x 360 unit picture centred on it. Paired conversions both ways.

#include "worldmap/WorldMapGeometry.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <optional>

namespace worldmap {

enum class MapKind {
    Rectangular,  ///< tag "Recta"
    Orthographic, ///< tag "Ortho"
};

class MapProjection
{
public:
    MapProjection() = default;
    /// A projection for a box of `box` pixels; the centre is the orthographic view's.
    MapProjection(MapKind kind, QSizeF box, double lon0 = 0, double lat0 = 0);

    [[nodiscard]] MapKind kind() const { return m_kind; }
    [[nodiscard]] double lon0() const { return m_lon0; }
    [[nodiscard]] double lat0() const { return m_lat0; }
    [[nodiscard]] QSizeF box() const { return m_box; }
    [[nodiscard]] bool isEmpty() const { return m_box.width() < 1 || m_box.height() < 1; }

    /// Pixels per map unit (degree on the rectangular map).
    [[nodiscard]] double pixelsPerUnit() const { return m_scale; }
    [[nodiscard]] QPointF toPixel(MapPoint point) const;
    [[nodiscard]] MapPoint toMapUnits(QPointF pixel) const;

    /// The pixel of a place; nothing for a place on the far side of the globe.
    [[nodiscard]] std::optional<QPointF> placeToPixel(double lon, double lat) const;
    /// The place under a pixel; nothing off the globe or off the rectangular picture.
    [[nodiscard]] std::optional<LonLat> pixelToPlace(QPointF pixel) const;

    /// Where the map picture is painted.
    [[nodiscard]] QRectF pictureRect() const;

private:
    MapKind m_kind = MapKind::Rectangular;
    QSizeF m_box;
    double m_lon0 = 0;
    double m_lat0 = 0;
    double m_scale = 1;
    QPointF m_origin; // pixel of map point (0, 0)
};

} // namespace worldmap

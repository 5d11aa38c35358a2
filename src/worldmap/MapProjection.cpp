#include "worldmap/MapProjection.h"

#include <algorithm>

namespace worldmap {

namespace {

constexpr double kRectangularWidthDeg = 360.0;
constexpr double kRectangularHeightDeg = 180.0;

} // namespace

MapProjection::MapProjection(MapKind kind, QSizeF box, double lon0, double lat0)
    : m_kind(kind), m_box(box), m_lon0(lon0), m_lat0(lat0)
{
    const double w = std::max(0.0, box.width()), h = std::max(0.0, box.height());
    if (kind == MapKind::Rectangular)
        m_scale = std::min(w / kRectangularWidthDeg, h / kRectangularHeightDeg);
    else
        m_scale = std::min(w, h) / kPictureHeightUnits;
    if (m_scale <= 0)
        m_scale = 1;
    m_origin = QPointF(w / 2, h / 2);
}

QPointF MapProjection::toPixel(MapPoint point) const
{
    return {m_origin.x() + point.x * m_scale, m_origin.y() - point.y * m_scale};
}

MapPoint MapProjection::toMapUnits(QPointF pixel) const
{
    return {(pixel.x() - m_origin.x()) / m_scale, (m_origin.y() - pixel.y()) / m_scale};
}

std::optional<QPointF> MapProjection::placeToPixel(double lon, double lat) const
{
    if (m_kind == MapKind::Rectangular)
        return toPixel({lon, lat});
    const OrthoPoint point = Proiezione_ortografica(m_lon0, m_lat0, lon, lat);
    if (!point.visibile)
        return std::nullopt;
    return toPixel({point.x, point.y});
}

std::optional<LonLat> MapProjection::pixelToPlace(QPointF pixel) const
{
    const MapPoint unit = toMapUnits(pixel);
    if (m_kind == MapKind::Orthographic)
        return orthographicReadout(m_lon0, m_lat0, unit.x, unit.y);
    if (unit.x < -180 || unit.x > 180 || unit.y < -90 || unit.y > 90)
        return std::nullopt;
    return LonLat{unit.x, unit.y};
}

QRectF MapProjection::pictureRect() const
{
    const double halfWidth = m_kind == MapKind::Rectangular ? kRectangularWidthDeg / 2
                                                            : kPictureHeightUnits;
    const double halfHeight = m_kind == MapKind::Rectangular ? kRectangularHeightDeg / 2
                                                             : kPictureHeightUnits / 2;
    return QRectF(toPixel({-halfWidth, halfHeight}), toPixel({halfWidth, -halfHeight}));
}

} // namespace worldmap

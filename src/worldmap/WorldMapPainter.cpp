#include "worldmap/WorldMapPainter.h"

#include "worldmap/SatelliteIcons.h"

#include "core/mMate.h"
#include "services/Colours.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace worldmap {

namespace {

constexpr double kRectangularPickBound = 24.0; // square degrees
constexpr double kGlobePickBound = 81.0;       // square map units
constexpr double kFarSideMarker = 999.0;
constexpr double kObserverRadiusDeg = 0.5;     // rectangular map
constexpr double kObserverRadiusUnits = 1.0;   // globe
constexpr double kMinObserverRadiusPx = 2.5;   // so that the place shows on a small map
constexpr double kShadeEdgePx = 1.5;
constexpr double kLabelTopMeridianDeg = 89.0;
constexpr double kLabelBottomMeridianDeg = -85.0;

/// Saves the painter's state for a layer and gives it back at the end.
class PainterState
{
public:
    explicit PainterState(QPainter& painter) : m_painter(painter) { m_painter.save(); }
    ~PainterState() { m_painter.restore(); }
    PainterState(const PainterState&) = delete;
    PainterState& operator=(const PainterState&) = delete;

private:
    QPainter& m_painter;
};

QColor colourOf(std::int32_t value)
{
    return colours::fromRgbValue(static_cast<std::uint32_t>(value));
}

/// Text with its top-left corner at a pixel.
void drawTextAt(QPainter& painter, QPointF topLeft, const QString& text)
{
    painter.drawText(topLeft + QPointF(0, painter.fontMetrics().ascent()), text);
}

/// Coverage of the night shade for the cosine of the Sun's zenith distance; `edge` is the
/// cosine change across the blend.
inline std::uint8_t shadeAlpha(double cosZenith, double edge)
{
    const double coverage = std::clamp(0.5 - cosZenith / edge, 0.0, 1.0);
    return static_cast<std::uint8_t>(coverage * 255.0 + 0.5);
}

inline QRgb shadePixel(std::uint8_t alpha)
{
    // Premultiplied grey: full grey where the shade covers, transparent where it does not.
    const int grey = kNightShadeColour.red() * alpha / 255;
    return qRgba(grey, grey, grey, alpha);
}

void shadeRectangular(QImage& shade, const MapProjection& projection, const SubSolarPoint& sun)
{
    const QRectF picture = projection.pictureRect();
    const double ps = sun.place.lat * mMate::kDegToRad;
    const double edge = kShadeEdgePx / (projection.pixelsPerUnit() * mMate::kRadToDeg);
    const int left = std::max(0, int(std::floor(picture.left())));
    const int right = std::min(shade.width(), int(std::ceil(picture.right())));
    std::vector<double> cosHour(static_cast<std::size_t>(std::max(0, right - left)));
    for (int px = left; px < right; ++px) {
        const double lon = projection.toMapUnits(QPointF(px + 0.5, 0)).x;
        cosHour[static_cast<std::size_t>(px - left)] =
            std::cos((lon - sun.place.lon) * mMate::kDegToRad);
    }
    const int top = std::max(0, int(std::floor(picture.top())));
    const int bottom = std::min(shade.height(), int(std::ceil(picture.bottom())));
    for (int py = top; py < bottom; ++py) {
        const double lat = projection.toMapUnits(QPointF(0, py + 0.5)).y * mMate::kDegToRad;
        const double a = std::sin(lat) * std::sin(ps), b = std::cos(lat) * std::cos(ps);
        auto* line = reinterpret_cast<QRgb*>(shade.scanLine(py));
        for (int px = left; px < right; ++px)
            line[px] = shadePixel(shadeAlpha(a + b * cosHour[static_cast<std::size_t>(px - left)], edge));
    }
}

void shadeGlobe(QImage& shade, const MapProjection& projection, const SubSolarPoint& sun)
{
    // The Sun's direction in the view's frame: x east and y north at the view centre, z
    // towards the viewer; a point of the near side is (x, y, sqrt(1 - x^2 - y^2)).
    const double l0 = projection.lon0() * mMate::kDegToRad, p0 = projection.lat0() * mMate::kDegToRad;
    const double ls = sun.place.lon * mMate::kDegToRad, ps = sun.place.lat * mMate::kDegToRad;
    const double sx = std::cos(ps) * std::cos(ls), sy = std::cos(ps) * std::sin(ls), sz = std::sin(ps);
    const double ex = -std::sin(l0) * sx + std::cos(l0) * sy;
    const double ny = -std::sin(p0) * std::cos(l0) * sx - std::sin(p0) * std::sin(l0) * sy
                      + std::cos(p0) * sz;
    const double vz = std::cos(p0) * std::cos(l0) * sx + std::cos(p0) * std::sin(l0) * sy
                      + std::sin(p0) * sz;
    const double radiusPx = kGlobeRadius * projection.pixelsPerUnit();
    const double edge = kShadeEdgePx / radiusPx;
    const QPointF centre = projection.toPixel({0, 0});
    const int top = std::max(0, int(std::floor(centre.y() - radiusPx)));
    const int bottom = std::min(shade.height(), int(std::ceil(centre.y() + radiusPx)));
    const int left = std::max(0, int(std::floor(centre.x() - radiusPx)));
    const int right = std::min(shade.width(), int(std::ceil(centre.x() + radiusPx)));
    for (int py = top; py < bottom; ++py) {
        const double y = (centre.y() - (py + 0.5)) / radiusPx;
        auto* line = reinterpret_cast<QRgb*>(shade.scanLine(py));
        for (int px = left; px < right; ++px) {
            const double x = (px + 0.5 - centre.x()) / radiusPx;
            const double r2 = x * x + y * y;
            if (r2 > 1.0)
                continue;
            line[px] = shadePixel(shadeAlpha(x * ex + y * ny + std::sqrt(1.0 - r2) * vz, edge));
        }
    }
}

} // namespace

WorldMapColours coloursFrom(const Opzioni& options)
{
    return {colourOf(options.Colore_griglia_mappamondo), colourOf(options.Colore_nome_citta),
            colourOf(options.Colore_satellite), colourOf(options.Colore_orbita_passata),
            colourOf(options.Colore_orbita_futura)};
}

bool hasPosition(const TrackedSatellite& satellite)
{
    return satellite.fresh || satellite.state.Distanza_geocentrica > 0;
}

std::vector<SatelliteMarker> satelliteMarkers(const std::vector<TrackedSatellite>& satellites,
                                              const MapProjection& projection)
{
    std::vector<SatelliteMarker> markers;
    markers.reserve(satellites.size());
    for (const TrackedSatellite& satellite : satellites) {
        if (!hasPosition(satellite))
            continue;
        const Posizione_satellite& s = satellite.state;
        if (projection.kind() == MapKind::Rectangular) {
            markers.push_back({satellite.slot, {s.Longitudine_subsatellite, s.Latitudine_subsatellite}, true});
            continue;
        }
        const OrthoPoint point = Proiezione_ortografica(projection.lon0(), projection.lat0(),
                                                        s.Longitudine_est, s.Latitudine_proiezione);
        markers.push_back(point.visibile ? SatelliteMarker{satellite.slot, {point.x, point.y}, true}
                                         : SatelliteMarker{satellite.slot, {kFarSideMarker, kFarSideMarker}, false});
    }
    return markers;
}

int pickSatellite(const std::vector<SatelliteMarker>& markers, MapPoint pointer, MapKind kind)
{
    const double bound = kind == MapKind::Rectangular ? kRectangularPickBound : kGlobePickBound;
    int picked = 0;
    for (const SatelliteMarker& marker : markers) {
        const double dx = pointer.x - marker.at.x, dy = pointer.y - marker.at.y;
        if (marker.visible && dx * dx + dy * dy < bound)
            picked = std::max(picked, marker.slot);
    }
    return picked;
}

QImage nightShade(const MapProjection& projection, const SubSolarPoint& sun)
{
    const QSize size = projection.box().toSize();
    QImage shade(size, QImage::Format_ARGB32_Premultiplied);
    shade.fill(Qt::transparent);
    if (projection.isEmpty())
        return shade;
    if (projection.kind() == MapKind::Rectangular)
        shadeRectangular(shade, projection, sun);
    else
        shadeGlobe(shade, projection, sun);
    return shade;
}

WorldMapPainter::WorldMapPainter(QPainter& painter, const MapProjection& projection,
                                 const WorldMapColours& colours)
    : m_painter(painter), m_projection(projection), m_colours(colours)
{
}

void WorldMapPainter::drawPicture(const QImage* picture)
{
    m_painter.fillRect(QRectF(QPointF(0, 0), m_projection.box()), Qt::black);
    if (picture != nullptr && !picture->isNull())
        m_painter.drawImage(m_projection.pictureRect().topLeft(), *picture);
}

void WorldMapPainter::Disegna_ombra(const SubSolarPoint& sun, bool shade, bool terminator)
{
    PainterState state(m_painter);
    if (shade) {
        m_painter.setCompositionMode(QPainter::CompositionMode_Multiply);
        m_painter.drawImage(QPointF(0, 0), nightShade(m_projection, sun));
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    if (!terminator)
        return;
    const auto points = terminatorPoints(sun.ghaDeg, sun.place.lat);
    m_painter.setPen(QPen(kTerminatorColour, 1));
    drawPlaces(std::vector<LonLat>(points.begin(), points.end()));
}

void WorldMapPainter::Disegna_griglia(double sunDeclDeg)
{
    PainterState state(m_painter);
    m_painter.setPen(QPen(m_colours.grid, 1));
    if (m_projection.kind() == MapKind::Rectangular) {
        drawRectangularGraticule(sunDeclDeg);
        return;
    }
    for (const Polyline& line : orthographicGraticule(m_projection.lat0()))
        drawPolyline(line);
}

void WorldMapPainter::drawRectangularGraticule(double sunDeclDeg)
{
    m_painter.setClipRect(m_projection.pictureRect());
    QFont font = m_painter.font();
    font.setPointSizeF(7);
    m_painter.setFont(font);
    const double labelLat = sunDeclDeg > 0 ? kLabelTopMeridianDeg : kLabelBottomMeridianDeg;
    for (int lon = -150; lon <= 150; lon += 30) {
        m_painter.drawLine(m_projection.toPixel({double(lon), 90}), m_projection.toPixel({double(lon), -90}));
        drawTextAt(m_painter, m_projection.toPixel({double(lon), labelLat}),
                   QString::fromStdString(graticuleLabel(lon, true)));
    }
    for (int lat = -60; lat <= 60; lat += 30) {
        m_painter.drawLine(m_projection.toPixel({-180, double(lat)}), m_projection.toPixel({180, double(lat)}));
        drawTextAt(m_painter, m_projection.toPixel({-180, double(lat)}),
                   QString::fromStdString(graticuleLabel(lat, false)));
    }
}

void WorldMapPainter::Disegna_sole(const SubSolarPoint& sun)
{
    const std::optional<QPointF> at = m_projection.placeToPixel(sun.place.lon, sun.place.lat);
    if (!at)
        return;
    const QImage& picture = sunPicture();
    m_painter.drawImage(*at - QPointF(picture.width() / 2.0, picture.height() / 2.0), picture);
}

void WorldMapPainter::Disegna_localita(const Dati_osservatore& observer, bool withName)
{
    const std::optional<QPointF> at =
        m_projection.placeToPixel(observer.Longitudine_osservatore, observer.Latitudine_osservatore);
    if (!at)
        return;
    PainterState state(m_painter);
    m_painter.setRenderHint(QPainter::Antialiasing);
    const double units = m_projection.kind() == MapKind::Rectangular ? kObserverRadiusDeg
                                                                     : kObserverRadiusUnits;
    const double radius = std::max(kMinObserverRadiusPx, units * m_projection.pixelsPerUnit());
    m_painter.setPen(QPen(m_colours.cityName, 1));
    m_painter.setBrush(m_colours.cityName);
    m_painter.drawEllipse(*at, radius, radius);
    if (withName)
        drawTextAt(m_painter, *at, QString::fromStdString(observer.Nome_localita).trimmed());
}

void WorldMapPainter::Disegna_orbita(const GroundTrack& track)
{
    PainterState state(m_painter);
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setPen(QPen(m_colours.pastTrack, 1.2));
    drawPlaces(track.past);
    m_painter.setPen(QPen(m_colours.futureTrack, 1.2));
    drawPlaces(track.future);
}

void WorldMapPainter::Disegna_visibilita(const Posizione_satellite& principal)
{
    PainterState state(m_painter);
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setPen(QPen(m_colours.satellite, 1.2));
    drawPlaces(footprintCircle(principal.Latitudine_subsatellite,
                               principal.Longitudine_subsatellite, principal.Distanza_geocentrica));
}

void WorldMapPainter::Disegna_satellite(const std::vector<TrackedSatellite>& satellites,
                                        const std::vector<SatelliteMarker>& markers)
{
    PainterState state(m_painter);
    m_painter.setPen(m_colours.satellite);
    const int ascent = m_painter.fontMetrics().ascent();
    for (const TrackedSatellite& satellite : satellites) {
        // Guard: the markers may come from another tick than the satellites; a satellite is
        // drawn only at its own slot's marker, and one without a marker is not drawn.
        const auto marker = std::find_if(markers.begin(), markers.end(),
                                         [&satellite](const SatelliteMarker& m) {
                                             return m.slot == satellite.slot;
                                         });
        if (marker == markers.end() || !marker->visible || !hasPosition(satellite))
            continue;
        const QImage& icon = iconPicture(iconFor(satellite.slot, satellite.catalogueNumber, satellite.name));
        const QPointF centre = m_projection.toPixel(marker->at);
        const QPointF half(icon.width() / 2.0, icon.height() / 2.0);
        m_painter.drawImage(centre - half, icon);
        // The name starts at the icon's lower right corner.
        m_painter.drawText(centre + half + QPointF(0, ascent - 2),
                           QString::fromStdString(satellite.name));
    }
}

void WorldMapPainter::drawPlaces(const std::vector<LonLat>& places)
{
    if (m_projection.kind() == MapKind::Rectangular) {
        PainterState state(m_painter);
        m_painter.setClipRect(m_projection.pictureRect());
        for (const Polyline& piece : splitAtDateLine(places))
            drawPolyline(piece);
        return;
    }
    for (const Polyline& run : visibleRuns(places, m_projection.lon0(), m_projection.lat0()))
        drawPolyline(run);
}

void WorldMapPainter::drawPolyline(const Polyline& line)
{
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(line.size()));
    for (const MapPoint& point : line)
        polygon.append(m_projection.toPixel(point));
    m_painter.drawPolyline(polygon);
}

} // namespace worldmap

#include "skycharts/SkyLayers.h"

#include "skycharts/GeneralSkyGeometry.h"

#include "common/catalogues.h"
#include "core/mAstro.h"
#include "services/DisplayFormat.h"
#include "services/DrawingSurface.h"
#include "services/PaintDeviceSurface.h"
#include "services/PictureLoader.h"
#include "services/mGlobal.h"
#include "services/mTrasp.h"

#include <QPainter>
#include <QRegularExpression>

#include <cmath>

using drawing::FillStyle;

namespace skycharts {

namespace {

constexpr double kPi = 3.14159265;
constexpr double kHalfPi = 1.57079633;
constexpr double kHorizon = mAstro::kHorizonRadius;
const QColor kHorizonRim(140, 140, 140);
const QColor kLabelGrey(180, 180, 180);
const QColor kTrackSunlit(255, 255, 0);
const QColor kTrackEclipsed(255, 0, 0);
constexpr int kGradientSteps = 256;

/// The equatorial grid's sampling: every hour of right ascension, every degree of declination.
constexpr int kGridHours = 24;
constexpr int kGridSouthDeg = -90;
constexpr int kGridNorthDeg = 90;
constexpr int kDeclinationCircleStepDeg = 15;
constexpr int kOutermostDeclinationCircleDeg = 75;

/// The equatorial chart's grid: an hour line every 4 h, a declination line every 30 degrees.
constexpr int kHourLineStep = 4;
constexpr int kDeclinationLineStepDeg = 30;
constexpr int kOutermostDeclinationLineDeg = 60;

void drawCutLine(DrawingSurface& surface, ChartPoint a, double altitudeA, ChartPoint b,
                 double altitudeB)
{
    if (const auto part = visiblePartOfLine(a, altitudeA, b, altitudeB))
        surface.Line(part->from.x, part->from.y, part->to.x, part->to.y);
}

} // namespace

QColor toQColor(Rgb colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

SurfaceState::SurfaceState(DrawingSurface& surface)
    : m_surface(surface), m_fore(surface.ForeColor()), m_fill(surface.FillColor()),
      m_fillStyle(static_cast<int>(surface.FillStyle())),
      m_drawStyle(static_cast<int>(surface.DrawStyle())), m_drawWidth(surface.DrawWidth()),
      m_fontSize(surface.FontSize())
{}

SurfaceState::~SurfaceState()
{
    m_surface.setForeColor(m_fore);
    m_surface.setFillColor(m_fill);
    m_surface.setFillStyle(static_cast<FillStyle>(m_fillStyle));
    m_surface.setDrawStyle(static_cast<drawing::DrawStyle>(m_drawStyle));
    m_surface.setDrawWidth(m_drawWidth);
    m_surface.setFontSize(m_fontSize);
}

double chartCircleAspect(const DrawingSurface& surface)
{
    const double ratio = surface.Height() > 0 ? surface.Width() / surface.Height() : 1.0;
    const double denominator = std::fabs(surface.ScaleHeight()) * ratio;
    return denominator > 0 ? std::fabs(surface.ScaleWidth()) / denominator : 1.0;
}

std::optional<ChartPoint> SkyPositions::star(int rank) const
{
    if (rank < 1 || static_cast<std::size_t>(rank) >= stars.size())
        return std::nullopt;
    return stars[static_cast<std::size_t>(rank)].at;
}

ChartPoint SkyPositions::body(int index) const
{
    return bodies[static_cast<std::size_t>(std::clamp(index, 1, kBodyCount))];
}

SkyPositions projectCatalogues(const SkyProjection& projection, int starCount)
{
    const auto place = [&projection](float rightAscension, float declination) {
        double azimuth = 0;
        double altitude = 0;
        mAstro::Calcola_azimut_altezza(rightAscension, declination, azimuth, altitude);
        return SkyPlace{static_cast<float>(azimuth), static_cast<float>(altitude),
                        projection.toChart(azimuth, altitude)};
    };
    SkyPositions positions;
    positions.projected = true;
    const int stars = std::clamp(starCount, 0, kStarCount);
    positions.stars.reserve(static_cast<std::size_t>(stars) + 1);
    for (int i = 1; i <= stars; ++i) {
        const Stella& star = Stelle[static_cast<std::size_t>(i)];
        positions.stars.push_back(place(star.Ascensione_retta, star.Declinazione));
    }
    positions.lines.reserve(Linee_costellazioni.size());
    for (std::size_t i = 1; i < Linee_costellazioni.size(); ++i) {
        const Linea_costellazione& line = Linee_costellazioni[i];
        positions.lines.push_back({place(line.Ascensione_retta1, line.Declinazione1),
                                   place(line.Ascensione_retta2, line.Declinazione2)});
    }
    for (int b = 1; b <= kBodyCount; ++b) {
        const Corpo_celeste& body = Corpi_celesti[static_cast<std::size_t>(b)];
        positions.bodies[static_cast<std::size_t>(b)] = projection.toChart(body.Azimut, body.Altezza);
    }
    return positions;
}

void drawMoonPhase(DrawingSurface& surface, double x, double y, double radius,
                   double elongationRad, double aspect)
{
    const SurfaceState saved(surface);
    const MoonPhaseShape shape = moonPhaseShape(elongationRad);
    const QColor lit = Qt::white;
    const QColor dark = Qt::black;
    const QColor disc = shape.discLit ? lit : dark;
    const QColor half = shape.halfLit ? lit : dark;
    surface.setFillStyle(FillStyle::Solid);
    surface.setFillColor(disc);
    surface.Circle(x, y, radius, disc, aspect);
    surface.setFillColor(half);
    // Half discs as filled pies: the right half from 270 through 0 to 90 degrees.
    if (shape.halfOnRight)
        surface.Arc(x, y, radius, -3.0 * kHalfPi, -kHalfPi, half, aspect);
    else
        surface.Arc(x, y, radius, -kHalfPi, -3.0 * kHalfPi, half, aspect);
    if (shape.terminatorAspect > 0.0)
        surface.Circle(x, y, radius, half, aspect / shape.terminatorAspect);
    surface.setFillStyle(FillStyle::Transparent);
    surface.Circle(x, y, radius, dark, aspect);
}

QString trackLabelText(const Punto_traccia& point, const QString& magnitudeWord)
{
    static const QRegularExpression clock(QStringLiteral(R"((\d{1,2}):(\d{2}):(\d{2}))"));
    const QRegularExpressionMatch match = clock.match(QString::fromStdString(point.Ora));
    QString text;
    if (match.hasMatch())
        text = QStringLiteral("%1:%2:%3")
                   .arg(match.captured(1).toInt(), 2, 10, QLatin1Char('0'))
                   .arg(match.captured(2), match.captured(3));
    if (!point.Magnitudine.empty())
        text += u' ' + magnitudeWord.toLower()
                + formatNumberText(QString::fromStdString(point.Magnitudine), u"#0.0");
    return text;
}

SkyLayerPainter::SkyLayerPainter(DrawingSurface& surface, const SkyProjection& projection,
                                 const SkyPositions* positions)
    : m_surface(surface), m_projection(projection), m_positions(positions)
{}

SkyLayerPainter::SkyLayerPainter(DrawingSurface& surface, SkyPlacement placement)
    : m_surface(surface), m_placement(placement)
{}

std::optional<ChartPoint> SkyLayerPainter::starPosition(int rank) const
{
    if (equatorial()) {
        const Stella& star = Stelle[static_cast<std::size_t>(rank)];
        return ChartPoint{star.Ascensione_retta, star.Declinazione};
    }
    if (m_positions == nullptr || static_cast<std::size_t>(rank) >= m_positions->stars.size())
        return std::nullopt;
    const SkyPlace& place = m_positions->stars[static_cast<std::size_t>(rank)];
    if (!(place.altitudeDeg > 0))
        return std::nullopt;
    return place.at;
}

std::optional<ChartPoint> SkyLayerPainter::bodyPosition(int index) const
{
    const Corpo_celeste& body = Corpi_celesti[static_cast<std::size_t>(index)];
    if (equatorial())
        return ChartPoint{static_cast<float>(body.Ascensione_retta),
                          static_cast<float>(body.Declinazione)};
    if (m_positions == nullptr || !(body.Altezza > 0))
        return std::nullopt;
    return m_positions->body(index);
}

double SkyLayerPainter::circleAspect() const
{
    return equatorial() ? 1.0 : chartCircleAspect(m_surface);
}

double SkyLayerPainter::roundYFactor() const
{
    if (!equatorial())
        return chartCircleAspect(m_surface);
    const double width = std::fabs(m_surface.ScaleWidth()) * m_surface.Height();
    return width > 0 ? std::fabs(m_surface.ScaleHeight()) * m_surface.Width() / width : 1.0;
}

void SkyLayerPainter::drawBackground(const SkyBackground& background, bool horizonEffect)
{
    const SurfaceState saved(m_surface);
    const double aspect = chartCircleAspect(m_surface);
    m_surface.setFillStyle(FillStyle::Solid);
    m_surface.setFillColor(Qt::black);
    m_surface.FilledBox(m_surface.ScaleLeft(), m_surface.ScaleTop(),
                        m_surface.ScaleLeft() + m_surface.ScaleWidth(),
                        m_surface.ScaleTop() + m_surface.ScaleHeight(), Qt::black);
    if (horizonEffect) {
        mGlobal::Disegna_sfumatura(m_surface, toQColor(background.gradientRim),
                                   toQColor(background.gradientCentre), 0, 0, kHorizon, aspect,
                                   kGradientSteps);
        m_surface.setFillStyle(FillStyle::Transparent);
    } else {
        m_surface.setFillColor(toQColor(background.fill));
    }
    m_surface.Circle(0, 0, kHorizon, kHorizonRim, aspect);
}

void SkyLayerPainter::drawAzimuthLabels(const QColor& colour)
{
    const SurfaceState saved(m_surface);
    m_surface.setForeColor(colour);
    for (int place = 0; place < kAzimuthLabelCount; ++place) {
        const ChartPoint at = azimuthLabelPlace(place);
        const std::string_view text =
            azimuthLabelText(azimuthLabelAt(place, m_projection.orientation()));
        m_surface.setCurrentX(at.x);
        m_surface.setCurrentY(at.y);
        m_surface.Print(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), false);
    }
}

void SkyLayerPainter::drawAltAzimuthGrid(const QColor& colour, bool tenDegreeCircle)
{
    const SurfaceState saved(m_surface);
    const double aspect = chartCircleAspect(m_surface);
    m_surface.setFillStyle(FillStyle::Transparent);
    m_surface.setForeColor(colour);
    const auto circleOfAltitude = [&](double altitude) {
        const ChartPoint p = m_projection.toChart(0, altitude);
        m_surface.Circle(0, 0, std::max(std::fabs(p.x), std::fabs(p.y)), colour, aspect);
    };
    if (tenDegreeCircle)
        circleOfAltitude(10);
    circleOfAltitude(30);
    circleOfAltitude(60);
    m_surface.Line(-kHorizon, 0, kHorizon, 0);
    m_surface.Line(0, -kHorizon, 0, kHorizon);
}

void SkyLayerPainter::drawEquatorialGrid(const QColor& colour)
{
    struct GridPoint
    {
        ChartPoint at;
        double altitude = 0;
    };
    constexpr int rows = kGridNorthDeg - kGridSouthDeg + 1;
    std::vector<GridPoint> grid(static_cast<std::size_t>((kGridHours + 1) * rows));
    const auto cell = [&](int hour, int declination) -> GridPoint& {
        return grid[static_cast<std::size_t>(hour * rows + declination - kGridSouthDeg)];
    };
    for (int h = 0; h <= kGridHours; ++h) {
        for (int d = kGridSouthDeg; d <= kGridNorthDeg; ++d) {
            double azimuth = 0;
            double altitude = 0;
            mAstro::Calcola_azimut_altezza(h, d, azimuth, altitude);
            cell(h, d) = {m_projection.toChart(azimuth, altitude), altitude};
        }
    }
    const SurfaceState saved(m_surface);
    m_surface.setForeColor(colour);
    for (int h = 0; h < kGridHours; ++h) {
        for (int d = kGridSouthDeg; d < kGridNorthDeg; ++d) {
            const GridPoint& a = cell(h, d);
            const GridPoint& b = cell(h, d + 1);
            drawCutLine(m_surface, a.at, a.altitude, b.at, b.altitude);
        }
    }
    for (int d = -kOutermostDeclinationCircleDeg; d <= kOutermostDeclinationCircleDeg;
         d += kDeclinationCircleStepDeg) {
        for (int h = 0; h < kGridHours; ++h) {
            const GridPoint& a = cell(h, d);
            const GridPoint& b = cell(h + 1, d);
            drawCutLine(m_surface, a.at, a.altitude, b.at, b.altitude);
        }
    }
}

void SkyLayerPainter::drawHourDeclinationGrid(const QColor& colour, const QColor& labelColour)
{
    const SurfaceState saved(m_surface);
    const auto label = [this, &labelColour](double x, double y, const QString& text) {
        m_surface.setForeColor(labelColour);
        m_surface.setCurrentX(x);
        m_surface.setCurrentY(y);
        m_surface.Print(text, false);
    };
    const int hours = static_cast<int>(kWholeSkyHours);
    const int north = static_cast<int>(kWholeSkyNorthDeg);
    for (int h = kHourLineStep; h <= hours; h += kHourLineStep) {
        m_surface.Line(h, north, h, -north, colour);
        label(h, m_surface.ScaleTop(), QStringLiteral(" %1h").arg(h));
    }
    for (int d = -kOutermostDeclinationLineDeg; d <= kOutermostDeclinationLineDeg;
         d += kDeclinationLineStepDeg) {
        m_surface.Line(hours, d, 0, d, colour);
        label(m_surface.ScaleLeft(), d, QStringLiteral(" %1\u00b0").arg(d));
    }
}

void SkyLayerPainter::drawConstellationLines(const QColor& colour)
{
    const SurfaceState saved(m_surface);
    m_surface.setForeColor(colour);
    if (equatorial()) {
        for (std::size_t i = 1; i < Linee_costellazioni.size(); ++i) {
            const Linea_costellazione& line = Linee_costellazioni[i];
            for (const ChartSegment& piece :
                 constellationSegmentPieces({line.Ascensione_retta1, line.Declinazione1},
                                            {line.Ascensione_retta2, line.Declinazione2}))
                m_surface.Line(piece.from.x, piece.from.y, piece.to.x, piece.to.y);
        }
        return;
    }
    if (m_positions == nullptr)
        return;
    for (std::size_t i = 1; i < m_positions->lines.size(); ++i) {
        const auto& [first, second] = m_positions->lines[i];
        drawCutLine(m_surface, first.at, first.altitudeDeg, second.at, second.altitudeDeg);
    }
}

void SkyLayerPainter::drawConstellationNames(const QColor& colour, bool fullNames)
{
    const SurfaceState saved(m_surface);
    m_surface.setForeColor(colour);
    for (std::size_t i = 1; i < Nomi_costellazioni.size(); ++i) {
        const Nome_costellazione& name = Nomi_costellazioni[i];
        const QString text = QString::fromStdString(fullNames ? name.Nome : name.Sigla);
        if (equatorial()) {
            m_surface.setCurrentX(name.Ascensione_retta);
            m_surface.setCurrentY(name.Declinazione);
            m_surface.Print(text, false);
            continue;
        }
        double azimuth = 0;
        double altitude = 0;
        mAstro::Calcola_azimut_altezza(name.Ascensione_retta, name.Declinazione, azimuth,
                                       altitude);
        if (altitude < 0)
            continue;
        const ChartPoint at = m_projection.toChart(azimuth, altitude);
        m_surface.setCurrentX(at.x);
        m_surface.setCurrentY(at.y);
        m_surface.Print(text, false);
    }
}

void SkyLayerPainter::drawStars(int count, double brightRadius)
{
    const SurfaceState saved(m_surface);
    m_surface.setFillStyle(FillStyle::Solid);
    m_surface.setFillColor(Qt::white);
    const QColor medium(220, 220, 220);
    const QColor faint(140, 140, 140);
    const int last = std::clamp(count, 0, kStarCount);
    const double aspect = circleAspect();
    for (int i = 1; i <= last; ++i) {
        const std::optional<ChartPoint> at = starPosition(i);
        if (!at)
            continue;
        switch (screenStarClass(i)) {
        case StarClass::Bright:
            m_surface.Circle(at->x, at->y, brightRadius, Qt::white, aspect);
            // The equatorial chart's discs are narrower than a pixel over the whole sky: the
            // centre pixel keeps a bright star from vanishing between pixel centres.
            if (equatorial())
                m_surface.PSet(at->x, at->y, Qt::white);
            break;
        case StarClass::Medium:
            m_surface.PSet(at->x, at->y, medium);
            break;
        case StarClass::Faint:
            m_surface.PSet(at->x, at->y, faint);
            break;
        }
    }
}

void SkyLayerPainter::drawSun(double size, const QString& label)
{
    const std::optional<ChartPoint> sun = bodyPosition(kSole);
    if (!sun)
        return;
    const SurfaceState saved(m_surface);
    const QColor yellow(255, 255, 0);
    const double aspect = circleAspect();
    const double rayY = roundYFactor();
    m_surface.setFillStyle(FillStyle::Solid);
    m_surface.setFillColor(yellow);
    m_surface.Circle(sun->x, sun->y, size, yellow, aspect);
    // Eight rays from 1.2 to 1.7 radii.
    for (int ray = 0; ray < 8; ++ray) {
        const double angle = ray * kPi / 4.0;
        const double c = std::cos(angle);
        const double s = std::sin(angle) * rayY;
        m_surface.Line(sun->x + 1.2 * size * c, sun->y + 1.2 * size * s,
                       sun->x + 1.7 * size * c, sun->y + 1.7 * size * s, yellow);
    }
    if (!label.isEmpty()) {
        m_surface.setForeColor(kLabelGrey);
        m_surface.setCurrentX(sun->x - size);
        m_surface.setCurrentY(sun->y - size);
        m_surface.Print(label, false);
    }
}

void SkyLayerPainter::drawPlanet(int index, double size, const QColor& colour,
                                 const QString& label)
{
    const std::optional<ChartPoint> planet = bodyPosition(index);
    if (!planet)
        return;
    const SurfaceState saved(m_surface);
    m_surface.setFillStyle(FillStyle::Solid);
    m_surface.setFillColor(colour);
    m_surface.Circle(planet->x, planet->y, size, colour, circleAspect());
    if (!label.isEmpty()) {
        m_surface.setForeColor(kLabelGrey);
        m_surface.setCurrentX(planet->x - size);
        m_surface.setCurrentY(planet->y - size);
        m_surface.Print(label, false);
    }
}

void SkyLayerPainter::drawMoon(double radius, const QString& label)
{
    const std::optional<ChartPoint> moon = bodyPosition(kLuna);
    if (!moon)
        return;
    drawMoonPhase(m_surface, moon->x, moon->y, radius, Corpi_celesti[kLuna].Frazione_illuminata,
                  circleAspect());
    if (!label.isEmpty()) {
        const SurfaceState saved(m_surface);
        // On the mirrored equatorial chart the label stands at the lower right, as the
        // planets' labels do.
        const double offset = equatorial() ? -std::fabs(radius) : radius;
        m_surface.setForeColor(kLabelGrey);
        m_surface.setCurrentX(moon->x + offset);
        m_surface.setCurrentY(moon->y + offset);
        m_surface.Print(label, false);
    }
}

void SkyLayerPainter::drawPassTrack(const std::vector<Punto_traccia>& points,
                                    const std::vector<Etichetta_traccia>& labels,
                                    const QString& magnitudeWord)
{
    drawTrackLine(points, TrackLineStyle{});
    drawTrackLabels(points, labels, magnitudeWord, std::fabs(m_surface.ScaleHeight() / 30.0));
}

void SkyLayerPainter::drawTrackLine(const std::vector<Punto_traccia>& points,
                                    const TrackLineStyle& style)
{
    const int last = static_cast<int>(points.size()) - 1;
    if (last < 1)
        return;
    const SurfaceState saved(m_surface);
    const double aspect = chartCircleAspect(m_surface);
    const double dotRadius = std::fabs(m_surface.ScaleHeight()) / 400.0;
    m_surface.setFillStyle(FillStyle::Solid);
    const bool fromStart = style.start.has_value();
    ChartPoint pen = fromStart ? *style.start : ChartPoint{points[1].X_mappa, points[1].Y_mappa};
    for (int i = fromStart ? 1 : 2; i <= last; ++i) {
        const Punto_traccia& to = points[static_cast<std::size_t>(i)];
        // The leg from the start point has no sample behind it: it takes the colour of the
        // point it reaches.
        const Punto_traccia& colourPoint =
            style.legColour == TrackLineStyle::LegColour::ToPoint || i == 1
                ? to
                : points[static_cast<std::size_t>(i - 1)];
        const QColor colour = colourPoint.Magnitudine.empty() ? kTrackEclipsed : kTrackSunlit;
        m_surface.Line(pen.x, pen.y, to.X_mappa, to.Y_mappa, colour);
        if (!to.Ora.empty()) {
            m_surface.setFillColor(colour);
            m_surface.Circle(to.X_mappa, to.Y_mappa, dotRadius, colour, aspect);
        }
        pen = {to.X_mappa, to.Y_mappa};
    }
}

void SkyLayerPainter::drawTrackLabels(const std::vector<Punto_traccia>& points,
                                      const std::vector<Etichetta_traccia>& labels,
                                      const QString& magnitudeWord, double raise)
{
    const int last = static_cast<int>(points.size()) - 1;
    const SurfaceState saved(m_surface);
    m_surface.setForeColor(Qt::white);
    for (std::size_t j = 1; j < labels.size(); ++j) {
        const Etichetta_traccia& label = labels[j];
        // Guard: a label left over from an earlier track would name a point that is gone.
        if (!labelIndexValid(label.Indice_punto, last))
            continue;
        const Punto_traccia& point = points[static_cast<std::size_t>(label.Indice_punto)];
        m_surface.Line(label.X_punto, label.Y_punto, label.X_etichetta, label.Y_etichetta,
                       Qt::white);
        m_surface.setCurrentX(label.X_etichetta);
        m_surface.setCurrentY(label.Y_etichetta > label.Y_punto ? label.Y_etichetta + raise
                                                                : label.Y_etichetta);
        m_surface.Print(trackLabelText(point, magnitudeWord), false);
    }
}

void SkyBackgroundCache::draw(DrawingSurface& surface, QSize deviceSize,
                              const SkyProjection& projection, const SkyBackground& background,
                              bool horizonEffect)
{
    const ViewBox view{static_cast<float>(surface.ScaleLeft()),
                       static_cast<float>(surface.ScaleTop()),
                       static_cast<float>(surface.ScaleLeft() + surface.ScaleWidth()),
                       static_cast<float>(surface.ScaleTop() + surface.ScaleHeight())};
    if (m_image.size() != deviceSize || !(m_view == view) || !(m_background == background)
        || m_horizonEffect != horizonEffect) {
        m_image = QImage(deviceSize, QImage::Format_RGB32);
        m_image.fill(Qt::black);
        PaintDeviceSurface picture(m_image);
        picture.Scale(view.left, view.top, view.right, view.bottom);
        SkyLayerPainter(picture, projection).drawBackground(background, horizonEffect);
        picture.end();
        m_view = view;
        m_background = background;
        m_horizonEffect = horizonEffect;
    }
    surface.drawImageAtDevicePixel(m_image, QPoint(0, 0));
}

bool LandscapeOverlay::load(const QString& path)
{
    m_picture = loadPicture(path);
    m_rendered = QImage();
    return !m_picture.isNull();
}

void LandscapeOverlay::draw(DrawingSurface& surface, QSize deviceSize)
{
    if (m_picture.isNull() || deviceSize.isEmpty())
        return;
    const ViewBox view{static_cast<float>(surface.ScaleLeft()),
                       static_cast<float>(surface.ScaleTop()),
                       static_cast<float>(surface.ScaleLeft() + surface.ScaleWidth()),
                       static_cast<float>(surface.ScaleTop() + surface.ScaleHeight())};
    if (m_rendered.isNull() || m_renderedSize != deviceSize || !(m_renderedView == view)) {
        QImage stretched(deviceSize, QImage::Format_RGB32);
        stretched.fill(mTrasp::kKeyColour);
        const QPointF topLeft = surface.toDevice({-kHorizon, kHorizon});
        const QPointF bottomRight = surface.toDevice({kHorizon, -kHorizon});
        QPainter painter(&stretched);
        // Nearest-neighbour scaling keeps the key colour exact at the silhouette's edge.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(QRectF(topLeft, bottomRight).normalized(), m_picture);
        painter.end();
        // The keyed copy onto a transparent picture is kept: each redraw then lays the same
        // silhouette over the chart in one blend.
        m_rendered = QImage(deviceSize, QImage::Format_ARGB32_Premultiplied);
        m_rendered.fill(Qt::transparent);
        PaintDeviceSurface keyed(m_rendered);
        mTrasp::Copia_trasparente(keyed, stretched, 0, 0, deviceSize.width(), deviceSize.height(),
                                  mTrasp::kKeyColour);
        keyed.end();
        m_renderedSize = deviceSize;
        m_renderedView = view;
    }
    surface.drawImageAtDevicePixel(m_rendered, QPoint(0, 0));
}

} // namespace skycharts

#include "services/DrawingSurface.h"

#include "services/Twips.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QRegularExpression>

#include <cmath>
#include <numbers>

namespace {

constexpr double kFullTurn = 2.0 * std::numbers::pi;
constexpr double kQtAngleUnitsPerRadian = 16.0 * 180.0 / std::numbers::pi; // 1/16 degree

Qt::PenStyle penStyleFor(drawing::DrawStyle style)
{
    switch (style) {
    case drawing::DrawStyle::Dash:
        return Qt::DashLine;
    case drawing::DrawStyle::Dot:
        return Qt::DotLine;
    case drawing::DrawStyle::DashDot:
        return Qt::DashDotLine;
    case drawing::DrawStyle::DashDotDot:
        return Qt::DashDotDotLine;
    case drawing::DrawStyle::Transparent:
        return Qt::NoPen;
    case drawing::DrawStyle::Solid:
    case drawing::DrawStyle::InsideSolid:
        break;
    }
    return Qt::SolidLine;
}

Qt::BrushStyle brushStyleFor(drawing::FillStyle style)
{
    switch (style) {
    case drawing::FillStyle::Solid:
        return Qt::SolidPattern;
    case drawing::FillStyle::Transparent:
        return Qt::NoBrush;
    case drawing::FillStyle::HorizontalLine:
        return Qt::HorPattern;
    case drawing::FillStyle::VerticalLine:
        return Qt::VerPattern;
    case drawing::FillStyle::UpwardDiagonal:
        return Qt::BDiagPattern;
    case drawing::FillStyle::DownwardDiagonal:
        return Qt::FDiagPattern;
    case drawing::FillStyle::Cross:
        return Qt::CrossPattern;
    case drawing::FillStyle::DiagonalCross:
        return Qt::DiagCrossPattern;
    }
    return Qt::NoBrush;
}

QPainter::CompositionMode compositionFor(drawing::DrawMode mode)
{
    using M = drawing::DrawMode;
    switch (mode) {
    case M::Blackness:
        return QPainter::RasterOp_ClearDestination;
    case M::NotMergePen:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case M::MaskNotPen:
        return QPainter::RasterOp_NotSourceAndDestination;
    case M::NotCopyPen:
        return QPainter::RasterOp_NotSource;
    case M::MaskPenNot:
        return QPainter::RasterOp_SourceAndNotDestination;
    case M::Invert:
        return QPainter::RasterOp_NotDestination;
    case M::XorPen:
        return QPainter::RasterOp_SourceXorDestination;
    case M::NotMaskPen:
        return QPainter::RasterOp_NotSourceOrNotDestination;
    case M::MaskPen:
        return QPainter::RasterOp_SourceAndDestination;
    case M::NotXorPen:
        return QPainter::RasterOp_NotSourceXorDestination;
    case M::MergeNotPen:
        return QPainter::RasterOp_NotSourceOrDestination;
    case M::MergePenNot:
        return QPainter::RasterOp_SourceOrNotDestination;
    case M::MergePen:
        return QPainter::RasterOp_SourceOrDestination;
    case M::Whiteness:
        return QPainter::RasterOp_SetDestination;
    case M::Nop:
    case M::CopyPen:
        break;
    }
    return QPainter::CompositionMode_SourceOver;
}

} // namespace

QPointF SurfaceScale::toDevice(QPointF user, QSizeF deviceSize) const
{
    return {(user.x() - left) * deviceSize.width() / width,
            (user.y() - top) * deviceSize.height() / height};
}

QPointF SurfaceScale::toUser(QPointF device, QSizeF deviceSize) const
{
    const double w = deviceSize.width() > 0 ? deviceSize.width() : 1.0;
    const double h = deviceSize.height() > 0 ? deviceSize.height() : 1.0;
    return {left + device.x() * width / w, top + device.y() * height / h};
}

DrawingSurface::DrawingSurface() = default;
DrawingSurface::~DrawingSurface() = default;

// --- scale --------------------------------------------------------------------------------

void DrawingSurface::Scale(double x1, double y1, double x2, double y2)
{
    setCustomScale({x1, y1, x2 - x1, y2 - y1});
}

void DrawingSurface::ScaleReset()
{
    m_customScale = false;
}

SurfaceScale DrawingSurface::scale() const
{
    if (m_customScale)
        return m_scale;
    const QSizeF size = deviceSize();
    const double perPixel = twipsPerPixel();
    // An empty surface still gets a usable scale: one pixel's worth of twips.
    return {0.0, 0.0, std::max(size.width(), 1.0) * perPixel,
            std::max(size.height(), 1.0) * perPixel};
}

double DrawingSurface::ScaleLeft() const { return scale().left; }
double DrawingSurface::ScaleTop() const { return scale().top; }
double DrawingSurface::ScaleWidth() const { return scale().width; }
double DrawingSurface::ScaleHeight() const { return scale().height; }

void DrawingSurface::setScaleLeft(double value)
{
    SurfaceScale s = scale();
    s.left = value;
    setCustomScale(s);
}

void DrawingSurface::setScaleTop(double value)
{
    SurfaceScale s = scale();
    s.top = value;
    setCustomScale(s);
}

void DrawingSurface::setScaleWidth(double value)
{
    SurfaceScale s = scale();
    s.width = value;
    setCustomScale(s);
}

void DrawingSurface::setScaleHeight(double value)
{
    SurfaceScale s = scale();
    s.height = value;
    setCustomScale(s);
}

void DrawingSurface::setCustomScale(const SurfaceScale& scaleValue)
{
    // Guard: a zero or non-finite extent would map the whole surface onto one line.
    if (!(std::isfinite(scaleValue.width) && std::isfinite(scaleValue.height)
          && std::isfinite(scaleValue.left) && std::isfinite(scaleValue.top))
        || scaleValue.width == 0.0 || scaleValue.height == 0.0)
        return;
    m_scale = scaleValue;
    m_customScale = true;
}

double DrawingSurface::Width() const { return deviceSize().width() * twipsPerPixel(); }
double DrawingSurface::Height() const { return deviceSize().height() * twipsPerPixel(); }

QPointF DrawingSurface::toDevice(QPointF user) const
{
    return scale().toDevice(user, deviceSize());
}

QPointF DrawingSurface::toUser(QPointF device) const
{
    return scale().toUser(device, deviceSize());
}

double DrawingSurface::devicePixelsPerUnitX() const
{
    return std::abs(deviceSize().width() / scale().width);
}

// --- state --------------------------------------------------------------------------------

QColor DrawingSurface::BackColor() const { return m_backColor; }
void DrawingSurface::setBackColor(const QColor& colour) { m_backColor = colour; }

void DrawingSurface::setDrawWidth(int pixels)
{
    m_drawWidth = std::max(pixels, 1);
}

QString DrawingSurface::FontName() const { return m_font.family(); }
void DrawingSurface::setFontName(const QString& family) { m_font.setFamily(family); }
double DrawingSurface::FontSize() const { return m_font.pointSizeF(); }

void DrawingSurface::setFontSize(double points)
{
    if (points > 0)
        m_font.setPointSizeF(points);
}

double DrawingSurface::placeTextLine(double deviceTop, double /*deviceLineHeight*/)
{
    return deviceTop;
}

// --- figures ------------------------------------------------------------------------------

void DrawingSurface::drawFigure(const QColor& outline, bool withFill, const QColor& fill,
                                const std::function<void(QPainter&)>& figure)
{
    if (m_drawMode == drawing::DrawMode::Nop)
        return;
    QPen pen(outline.isValid() ? outline : m_foreColor);
    pen.setWidth(m_drawWidth);
    pen.setStyle(penStyleFor(m_drawStyle));
    pen.setCapStyle(m_drawWidth > 1 ? Qt::RoundCap : Qt::SquareCap);
    pen.setJoinStyle(Qt::RoundJoin);
    const QBrush brush = withFill ? QBrush(fill, brushStyleFor(m_fillStyle)) : QBrush(Qt::NoBrush);
    const QPainter::CompositionMode mode = compositionFor(m_drawMode);

    paint([&](QPainter& painter) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        if (mode != QPainter::CompositionMode_SourceOver
            && painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes))
            painter.setCompositionMode(mode);
        painter.setPen(pen);
        painter.setBrush(brush);
        figure(painter);
        painter.restore();
    });
}

void DrawingSurface::Line(double x1, double y1, double x2, double y2, const QColor& colour)
{
    const QPointF from = toDevice({x1, y1});
    const QPointF to = toDevice({x2, y2});
    drawFigure(colour, false, {}, [&](QPainter& painter) { painter.drawLine(from, to); });
    m_currentX = x2;
    m_currentY = y2;
}

void DrawingSurface::LineTo(double x2, double y2, const QColor& colour)
{
    Line(m_currentX, m_currentY, x2, y2, colour);
}

void DrawingSurface::Box(double x1, double y1, double x2, double y2, const QColor& colour)
{
    const QRectF box = QRectF(toDevice({x1, y1}), toDevice({x2, y2})).normalized();
    drawFigure(colour, true, m_fillColor, [&](QPainter& painter) { painter.drawRect(box); });
    m_currentX = x2;
    m_currentY = y2;
}

void DrawingSurface::FilledBox(double x1, double y1, double x2, double y2, const QColor& colour)
{
    const QRectF box = QRectF(toDevice({x1, y1}), toDevice({x2, y2})).normalized();
    const QColor fill = colour.isValid() ? colour : m_foreColor;
    drawFigure(fill, false, {}, [&](QPainter& painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRect(box);
    });
    m_currentX = x2;
    m_currentY = y2;
}

void DrawingSurface::Circle(double x, double y, double radius, const QColor& colour, double aspect)
{
    Arc(x, y, radius, 0.0, kFullTurn, colour, aspect);
}

void DrawingSurface::Arc(double x, double y, double radius, double start, double end,
                         const QColor& colour, double aspect)
{
    const QPointF centre = toDevice({x, y});
    const double r = std::abs(radius) * devicePixelsPerUnitX();
    const double a = std::abs(aspect);
    const double rx = a < 1.0 ? r : r / a;
    const double ry = a < 1.0 ? r * a : r;
    m_currentX = x;
    m_currentY = y;
    if (!std::isfinite(rx) || !std::isfinite(ry))
        return;

    const double from = std::abs(start);
    const double to = std::abs(end);
    double span = to - from;
    if (span <= 0.0)
        span += kFullTurn; // arcs run counter-clockwise; equal ends make the whole circle
    const bool wholeCircle = span >= kFullTurn - 1e-12;
    const QRectF bounds(centre.x() - rx, centre.y() - ry, 2.0 * rx, 2.0 * ry);
    const auto pointAt = [&](double angle) {
        return QPointF(centre.x() + rx * std::cos(angle), centre.y() - ry * std::sin(angle));
    };
    const int startQt = static_cast<int>(std::lround(from * kQtAngleUnitsPerRadian));
    const int spanQt = static_cast<int>(std::lround(span * kQtAngleUnitsPerRadian));

    if (wholeCircle && start >= 0.0 && end >= 0.0) {
        drawFigure(colour, true, m_fillColor,
                   [&](QPainter& painter) { painter.drawEllipse(centre, rx, ry); });
    } else if (start < 0.0 && end < 0.0) {
        drawFigure(colour, true, m_fillColor,
                   [&](QPainter& painter) { painter.drawPie(bounds, startQt, spanQt); });
    } else {
        drawFigure(colour, false, {}, [&](QPainter& painter) {
            painter.drawArc(bounds, startQt, spanQt);
            if (start < 0.0)
                painter.drawLine(centre, pointAt(from));
            if (end < 0.0)
                painter.drawLine(centre, pointAt(to));
        });
    }
}

void DrawingSurface::PSet(double x, double y, const QColor& colour)
{
    const QPointF at = toDevice({x, y});
    drawFigure(colour, false, {}, [&](QPainter& painter) {
        QPen pen = painter.pen();
        pen.setStyle(Qt::SolidLine); // a point is a point whatever the line style
        painter.setPen(pen);
        painter.drawPoint(at);
    });
    m_currentX = x;
    m_currentY = y;
}

// --- text ---------------------------------------------------------------------------------

double DrawingSurface::TextWidth(const QString& text) const
{
    const QFontMetricsF metrics(m_font, metricsDevice());
    double widest = 0.0;
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return std::abs(widest * scale().width / std::max(deviceSize().width(), 1.0));
}

double DrawingSurface::TextHeight(const QString& text) const
{
    const QFontMetricsF metrics(m_font, metricsDevice());
    const auto lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))).size();
    return std::abs(static_cast<double>(lines) * metrics.lineSpacing() * scale().height
                    / std::max(deviceSize().height(), 1.0));
}

void DrawingSurface::Print(const QString& text, bool newLine)
{
    const QFontMetricsF metrics(m_font, metricsDevice());
    const double lineHeight = metrics.lineSpacing();
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    const double leftEdge = 0.0; // the left edge of the surface, whatever the scale
    QPointF at = toDevice({m_currentX, m_currentY});
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            at = QPointF(leftEdge, at.y() + lineHeight);
        at.setY(placeTextLine(at.y(), lineHeight));
        const QString& line = lines[i];
        const QPointF baseline(at.x(), at.y() + metrics.ascent());
        const QColor colour = m_foreColor;
        const QFont font = m_font;
        if (!line.isEmpty()) {
            paint([&](QPainter& painter) {
                painter.save();
                painter.setFont(font);
                painter.setPen(colour);
                painter.drawText(baseline, line);
                painter.restore();
            });
        }
        if (i == lines.size() - 1)
            at.setX(at.x() + metrics.horizontalAdvance(line));
    }
    if (newLine)
        at = QPointF(leftEdge, at.y() + lineHeight);
    const QPointF user = toUser(at);
    m_currentX = user.x();
    m_currentY = user.y();
}

// --- pictures -----------------------------------------------------------------------------

void DrawingSurface::PaintPicture(const QImage& picture, double x, double y)
{
    if (picture.isNull())
        return;
    const double pixelScale = twips::kPerScreenPixel / twipsPerPixel();
    const QRectF target(toDevice({x, y}),
                        QSizeF(picture.width() * pixelScale, picture.height() * pixelScale));
    paint([&](QPainter& painter) { painter.drawImage(target, picture); });
}

void DrawingSurface::PaintPicture(const QImage& picture, double x, double y, double width,
                                  double height)
{
    if (picture.isNull())
        return;
    const QRectF target = QRectF(toDevice({x, y}), toDevice({x + width, y + height})).normalized();
    paint([&](QPainter& painter) { painter.drawImage(target, picture); });
}

void DrawingSurface::drawImageAtDevicePixel(const QImage& picture, QPoint pixel)
{
    if (picture.isNull())
        return;
    paint([&](QPainter& painter) { painter.drawImage(pixel, picture); });
}

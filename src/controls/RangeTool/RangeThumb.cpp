#include "controls/RangeTool/RangeThumb.h"

#include "controls/RangeTool/RangeToolGeometry.h"
#include "controls/SystemColour.h"

#include <QMouseEvent>
#include <QPainter>

#include <array>
#include <cmath>

namespace controls {

namespace {

enum class Shade { Shadow, Highlight, DarkShadow };

struct EdgeLine
{
    int x1, y1, x2, y2;
    Shade shade;
};

// Bevel lines of a thumb in drawing order (later lines paint over earlier ones), by look:
// flat (disabled or locked), pressed (being dragged) and raised (normal).
using S = Shade;
constexpr std::array<EdgeLine, 6> kLowerFlat{{{1, 13, 13, 13, S::Shadow},
                                              {7, 1, 13, 13, S::Highlight},
                                              {0, 14, 14, 14, S::Highlight},
                                              {2, 13, 8, 1, S::Highlight},
                                              {7, 2, 13, 13, S::Shadow},
                                              {0, 14, 7, 0, S::Shadow}}};
constexpr std::array<EdgeLine, 6> kLowerPressed{{{0, 14, 7, 0, S::DarkShadow},
                                                 {1, 13, 7, 1, S::Shadow},
                                                 {7, 2, 13, 13, S::Shadow},
                                                 {1, 13, 13, 13, S::Shadow},
                                                 {7, 0, 14, 14, S::Highlight},
                                                 {0, 14, 14, 14, S::Highlight}}};
constexpr std::array<EdgeLine, 6> kLowerRaised{{{7, 0, 14, 14, S::DarkShadow},
                                                {0, 14, 14, 14, S::DarkShadow},
                                                {7, 1, 13, 13, S::Shadow},
                                                {1, 13, 13, 13, S::Shadow},
                                                {0, 14, 7, 0, S::Highlight},
                                                {1, 13, 7, 1, S::Highlight}}};
constexpr std::array<EdgeLine, 6> kUpperFlat{{{1, 1, 13, 1, S::Highlight},
                                              {1, 0, 7, 12, S::Highlight},
                                              {13, 0, 7, 13, S::Shadow},
                                              {14, 0, 7, 14, S::Highlight},
                                              {0, 0, 14, 0, S::Shadow},
                                              {0, 0, 7, 14, S::Shadow}}};
constexpr std::array<EdgeLine, 6> kUpperPressed{{{13, 0, 7, 13, S::Shadow},
                                                 {14, 0, 7, 14, S::Highlight},
                                                 {1, 1, 13, 1, S::Shadow},
                                                 {1, 1, 7, 13, S::Shadow},
                                                 {0, 0, 14, 0, S::DarkShadow},
                                                 {0, 0, 7, 14, S::DarkShadow}}};
constexpr std::array<EdgeLine, 4> kUpperRaised{{{14, 0, 7, 14, S::DarkShadow},
                                                {13, 0, 7, 13, S::Shadow},
                                                {0, 0, 14, 0, S::Highlight},
                                                {0, 0, 7, 14, S::Highlight}}};

template <std::size_t N>
void drawEdges(QPainter& painter, const std::array<EdgeLine, N>& lines, const QPalette& palette)
{
    for (const EdgeLine& line : lines) {
        const quint32 colour = line.shade == Shade::Shadow      ? kButtonShadow
                               : line.shade == Shade::Highlight ? kButtonHighlight
                                                                : kDarkShadow3D;
        painter.setPen(resolveColour(colour, palette));
        painter.drawLine(line.x1, line.y1, line.x2, line.y2);
    }
}

} // namespace

RangeThumb::RangeThumb(Kind kind, QWidget* parent)
    : QWidget(parent)
    , m_kind(kind)
{
    setFixedSize(kRangeThumbSide, kRangeThumbSide);
    setObjectName(kind == Kind::Upper ? QStringLiteral("picTop") : QStringLiteral("picBottom"));
    setCursor(Qt::SizeHorCursor);
}

void RangeThumb::setLocked(bool locked)
{
    m_locked = locked;
    if (locked)
        unsetCursor();
    else
        setCursor(Qt::SizeHorCursor);
    update();
}

void RangeThumb::setDragging(bool dragging)
{
    m_dragging = dragging;
    update();
}

void RangeThumb::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    painter.fillRect(rect(), colours.color(QPalette::Window));
    // Face: rows narrowing by half a pixel a side towards the apex.
    const QColor face = resolveColour(kButtonFace, colours);
    const int last = kRangeThumbSide - 1;
    for (int i = 0; i <= last; ++i) {
        const int y = m_kind == Kind::Lower ? last - i : i;
        const double inset = i / 2.0;
        const int from = static_cast<int>(std::ceil(inset));
        const int to = last - from;
        if (to >= from)
            painter.fillRect(from, y, to - from, 1, face);
    }

    const bool flat = !isEnabled() || m_locked;
    if (m_kind == Kind::Lower) {
        if (flat)
            drawEdges(painter, kLowerFlat, colours);
        else if (m_dragging)
            drawEdges(painter, kLowerPressed, colours);
        else
            drawEdges(painter, kLowerRaised, colours);
    } else {
        if (flat)
            drawEdges(painter, kUpperFlat, colours);
        else if (m_dragging)
            drawEdges(painter, kUpperPressed, colours);
        else
            drawEdges(painter, kUpperRaised, colours);
    }
}

void RangeThumb::mousePressEvent(QMouseEvent* event)
{
    emit pressed(static_cast<int>(std::lround(event->position().x())));
}

void RangeThumb::mouseMoveEvent(QMouseEvent* event)
{
    emit moved(static_cast<int>(std::lround(event->position().x())));
}

void RangeThumb::mouseReleaseEvent(QMouseEvent*)
{
    emit released();
}

} // namespace controls

#include "controls/RangeTool/RangeTool.h"

#include "controls/RangeTool/RangeThumb.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>

using controls::RangeThumb;
using controls::resolveColour;

namespace {

// Least side [pixels] that leaves room for both thumb rows and a track between them.
constexpr int kMinimumSidePx = 40;
constexpr QSize kSizeHint(150, kMinimumSidePx);

struct BevelColours
{
    quint32 topLeft;
    quint32 bottomRight;
};

// The platform's 3-D edges: an outer and an inner one-pixel ring, each lit from the top left
// or from the bottom right.
constexpr BevelColours kRaisedOuter{controls::kLight3D, controls::kDarkShadow3D};
constexpr BevelColours kRaisedInner{controls::kButtonHighlight, controls::kButtonShadow};
constexpr BevelColours kSunkenOuter{controls::kButtonShadow, controls::kButtonHighlight};
constexpr BevelColours kSunkenInner{controls::kDarkShadow3D, controls::kLight3D};

void drawRing(QPainter& painter, const QRect& ring, BevelColours colours, const QPalette& palette)
{
    painter.setPen(resolveColour(colours.topLeft, palette));
    painter.drawLine(ring.left(), ring.top(), ring.right() - 1, ring.top());
    painter.drawLine(ring.left(), ring.top(), ring.left(), ring.bottom() - 1);
    painter.setPen(resolveColour(colours.bottomRight, palette));
    painter.drawLine(ring.left(), ring.bottom(), ring.right(), ring.bottom());
    painter.drawLine(ring.right(), ring.top(), ring.right(), ring.bottom());
}

void drawEdge(QPainter& painter, const QRect& box, BevelColours outer, BevelColours inner,
              const QPalette& palette)
{
    drawRing(painter, box, outer, palette);
    drawRing(painter, box.adjusted(1, 1, -1, -1), inner, palette);
}

} // namespace

RangeTool::RangeTool(QWidget* parent)
    : QWidget(parent)
    , m_upperThumb(new RangeThumb(RangeThumb::Kind::Upper, this))
    , m_lowerThumb(new RangeThumb(RangeThumb::Kind::Lower, this))
{
    setMinimumSize(kMinimumSidePx, kMinimumSidePx);
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (RangeThumb* thumb : {m_upperThumb, m_lowerThumb}) {
        connect(thumb, &RangeThumb::pressed, this, [this, thumb](int x) { thumbPressed(thumb, x); });
        connect(thumb, &RangeThumb::moved, this, [this, thumb](int x) { thumbMoved(thumb, x); });
        connect(thumb, &RangeThumb::released, this, [this, thumb] { thumbReleased(thumb); });
    }
    UpdatePosition();
}

void RangeTool::setBorderStyle(int style)
{
    m_borderStyle = style;
    update();
}

void RangeTool::setColor(quint32 colour)
{
    m_colour = colour;
    update();
}

void RangeTool::clampValues()
{
    m_upper = std::clamp(m_upper, m_min, m_max);
    m_lower = std::clamp(m_lower, m_min, m_max);
}

void RangeTool::setMin(int minimum)
{
    m_min = std::max(minimum, 0);
    m_max = std::max(m_max, m_min);
    clampValues();
    UpdatePosition();
}

void RangeTool::setMax(int maximum)
{
    m_max = std::max(maximum, 0);
    m_min = std::min(m_min, m_max);
    clampValues();
    UpdatePosition();
}

void RangeTool::setLowerValue(int value)
{
    m_lower = std::clamp(value, m_min, m_max);
    m_upper = std::max(m_upper, m_lower);
    UpdatePosition();
    emit Scroll();
}

void RangeTool::setUpperValue(int value)
{
    m_upper = std::clamp(value, m_min, m_max);
    m_lower = std::min(m_lower, m_upper);
    UpdatePosition();
    emit Scroll();
}

void RangeTool::setLowerLocked(bool locked)
{
    m_lowerLocked = locked;
    m_lowerThumb->setLocked(locked);
}

void RangeTool::setUpperLocked(bool locked)
{
    m_upperLocked = locked;
    m_upperThumb->setLocked(locked);
}

void RangeTool::setLowerVisible(bool visible)
{
    m_lowerVisible = visible;
    m_lowerThumb->setVisible(visible);
}

void RangeTool::setUpperVisible(bool visible)
{
    m_upperVisible = visible;
    m_upperThumb->setVisible(visible);
}

void RangeTool::UpdatePosition()
{
    m_geometry = controls::rangeToolGeometry(size(), m_min, m_max, m_lower, m_upper);
    m_upperThumb->move(m_geometry.upperLeft, 0);
    m_lowerThumb->move(m_geometry.lowerLeft, height() - m_lowerThumb->height());
    update();
}

QSize RangeTool::sizeHint() const
{
    return kSizeHint;
}

void RangeTool::resizeEvent(QResizeEvent*)
{
    UpdatePosition();
}

void RangeTool::changeEvent(QEvent* event)
{
    // A thumb disabled in mid-drag never sees its release: end the drag here.
    if (event->type() == QEvent::EnabledChange && !isEnabled() && m_dragged) {
        m_dragged->setDragging(false);
        m_dragged = nullptr;
    }
    QWidget::changeEvent(event);
}

void RangeTool::thumbPressed(RangeThumb* thumb, int x)
{
    const bool upper = thumb == m_upperThumb;
    if (upper ? m_upperLocked : m_lowerLocked)
        return;
    m_dragged = thumb;
    m_savedValue = upper ? m_lower : m_upper;
    m_grabOffset = x;
    thumb->setDragging(true);
}

void RangeTool::thumbMoved(RangeThumb* thumb, int x)
{
    if (thumb != m_dragged)
        return;
    const int position = thumb->x() + x - m_grabOffset;
    const int value = controls::rangeValueAt(position, m_geometry.travel, m_min, m_max);
    const controls::RangeValues values
        = thumb == m_upperThumb ? controls::dragUpperThumb(value, m_savedValue, m_lowerLocked)
                                : controls::dragLowerThumb(value, m_savedValue, m_upperLocked);
    m_lower = values.lower;
    m_upper = values.upper;
    UpdatePosition();
    emit Scroll();
}

void RangeTool::thumbReleased(RangeThumb* thumb)
{
    if (thumb == m_dragged) {
        m_dragged = nullptr;
        thumb->setDragging(false);
    }
    UpdatePosition();
    emit Change();
}

void RangeTool::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    drawTrack(painter);
    painter.fillRect(m_geometry.band, resolveColour(m_colour, palette()));
}

void RangeTool::drawTrack(QPainter& painter) const
{
    const QRect& track = m_geometry.track;
    const QPalette& colours = palette();
    const int style = isEnabled() ? m_borderStyle : kEdgeEtched;
    switch (style) {
    case kEdgeRaised:
        painter.fillRect(track, resolveColour(controls::kButtonFace, colours));
        drawEdge(painter, track, kRaisedOuter, kRaisedInner, colours);
        break;
    case kEdgeSunken:
        painter.fillRect(track, resolveColour(controls::kButtonFace, colours));
        drawEdge(painter, track, kSunkenOuter, kSunkenInner, colours);
        break;
    case kEdgeBump:
        drawEdge(painter, track, kRaisedOuter, kSunkenInner, colours);
        break;
    case kEdgeEtched:
        drawEdge(painter, track, kSunkenOuter, kRaisedInner, colours);
        break;
    default:
        break;
    }
}

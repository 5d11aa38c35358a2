#include "dialogs/ColourSwatch.h"

#include "services/Colours.h"

#include <QMouseEvent>

namespace {

constexpr int kSwatchWidthPx = 48;
constexpr int kSwatchHeightPx = 18;

} // namespace

ColourSwatch::ColourSwatch(QWidget* parent) : QLabel(parent)
{
    setFixedSize(kSwatchWidthPx, kSwatchHeightPx);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
    setColour(0);
}

void ColourSwatch::setColour(std::uint32_t colour)
{
    m_colour = colour & 0xffffffu;
    QPalette shades = palette();
    shades.setColor(QPalette::Window, colours::fromRgbValue(m_colour));
    setPalette(shades);
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

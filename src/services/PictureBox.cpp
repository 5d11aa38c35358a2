#include "services/PictureBox.h"

#include "services/Twips.h"

#include <QPaintEvent>

namespace {

// Opaque 32-bit pixels: the raster drawing modes need a format without alpha.
constexpr QImage::Format kPictureFormat = QImage::Format_RGB32;

QImage resized(const QImage& old, QSize size, const QColor& background)
{
    QImage image(size, kPictureFormat);
    image.fill(background);
    if (!old.isNull()) {
        QPainter painter(&image);
        painter.drawImage(0, 0, old);
    }
    return image;
}

} // namespace

QPainter* PictureBox::Layer::begin()
{
    if (image.isNull())
        return nullptr;
    if (!painter)
        painter = std::make_unique<QPainter>(&image);
    return painter.get();
}

void PictureBox::Layer::end()
{
    painter.reset();
}

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent), m_backColor(palette().color(QPalette::Window))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

PictureBox::~PictureBox() = default;

void PictureBox::setAutoRedraw(bool persistent)
{
    m_autoRedraw = persistent;
}

QColor PictureBox::BackColor() const
{
    return m_backColor;
}

void PictureBox::setBackColor(const QColor& colour)
{
    m_backColor = colour;
    DrawingSurface::setBackColor(colour);
    finishPainting();
    m_persistent.image.fill(colour);
    m_screen.image.fill(colour);
    update();
}

void PictureBox::Cls()
{
    matchWidgetSize();
    finishPainting();
    if (m_autoRedraw)
        m_persistent.image.fill(m_backColor);
    m_screen.image = m_persistent.image.copy();
    resetPen();
    update();
}

void PictureBox::Refresh()
{
    matchWidgetSize();
    finishPainting();
    m_screen.image = m_persistent.image.copy();
    update();
}

QImage PictureBox::image() const
{
    matchWidgetSize();
    finishPainting();
    return m_persistent.image;
}

QImage PictureBox::screenImage() const
{
    matchWidgetSize();
    finishPainting();
    return m_screen.image;
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    matchWidgetSize();
    finishPainting();
    QPainter painter(this);
    painter.drawImage(event->rect(), m_screen.image, event->rect());
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    matchWidgetSize();
}

QSizeF PictureBox::deviceSize() const
{
    return QSizeF(size());
}

double PictureBox::twipsPerPixel() const
{
    return twips::kPerScreenPixel;
}

QPaintDevice* PictureBox::metricsDevice() const
{
    matchWidgetSize();
    if (m_persistent.image.isNull())
        return const_cast<PictureBox*>(this); // no picture yet: measure on the widget itself
    return &m_persistent.image;
}

void PictureBox::paint(const std::function<void(QPainter&)>& operation)
{
    matchWidgetSize();
    if (m_autoRedraw) {
        if (QPainter* painter = m_persistent.begin())
            operation(*painter);
    }
    if (QPainter* painter = m_screen.begin())
        operation(*painter);
    update();
}

void PictureBox::matchWidgetSize() const
{
    // A hidden widget receives its resize event only when shown, so the images follow the
    // widget's size whenever they are used.
    const QSize wanted = size();
    if (m_persistent.image.size() == wanted || wanted.isEmpty())
        return;
    finishPainting();
    m_persistent.image = resized(m_persistent.image, wanted, m_backColor);
    m_screen.image = resized(m_screen.image, wanted, m_backColor);
}

void PictureBox::finishPainting() const
{
    m_persistent.end();
    m_screen.end();
}

#include "services/PaintDeviceSurface.h"

#include "services/Twips.h"

#include <QPainter>

PaintDeviceSurface::PaintDeviceSurface(QPaintDevice& device) : m_device(device) {}

PaintDeviceSurface::~PaintDeviceSurface()
{
    end();
}

void PaintDeviceSurface::end()
{
    if (m_painter) {
        m_painter->end();
        m_painter.reset();
    }
}

QPainter* PaintDeviceSurface::activePainter()
{
    if (!m_painter) {
        auto painter = std::make_unique<QPainter>();
        if (!painter->begin(&m_device))
            return nullptr;
        m_painter = std::move(painter);
    }
    return m_painter.get();
}

QSizeF PaintDeviceSurface::deviceSize() const
{
    return QSizeF(m_device.width(), m_device.height());
}

double PaintDeviceSurface::twipsPerPixel() const
{
    return twips::perPixel(std::max(m_device.logicalDpiX(), 1));
}

void PaintDeviceSurface::paint(const std::function<void(QPainter&)>& operation)
{
    if (QPainter* painter = activePainter())
        operation(*painter);
}

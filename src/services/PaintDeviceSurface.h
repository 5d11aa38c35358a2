#pragma once
// A drawing surface over one paint device (an image, a pixmap, a PDF writer, a printer).

#include "services/DrawingSurface.h"

#include <memory>

class PaintDeviceSurface : public DrawingSurface
{
public:
    /// The device must outlive the surface. Painting begins with the first figure.
    explicit PaintDeviceSurface(QPaintDevice& device);
    ~PaintDeviceSurface() override;

    /// Finishes painting, so that the device holds the drawing (an image can then be read,
    /// a printer sends its document). The next figure begins painting again.
    void end();
    [[nodiscard]] bool isPainting() const { return m_painter != nullptr; }

protected:
    [[nodiscard]] QPaintDevice& device() const { return m_device; }
    /// The painter, begun on first use; null when the device cannot be painted on.
    QPainter* activePainter();

    [[nodiscard]] QSizeF deviceSize() const override;
    [[nodiscard]] double twipsPerPixel() const override;
    [[nodiscard]] QPaintDevice* metricsDevice() const override { return &m_device; }
    void paint(const std::function<void(QPainter&)>& operation) override;

private:
    QPaintDevice& m_device;
    std::unique_ptr<QPainter> m_painter;
};

#pragma once
// A paint device that keeps the texts drawn on it and where they went, so a test can read what
// a chart or a printout wrote without reading pixels. Figures and pictures are dropped.

#include <QFont>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QString>

#include <vector>

struct DrawnText
{
    QString text;
    QPointF at; ///< baseline start [device pixels]
    QFont font;
};

class TextRecordingDevice : public QPaintDevice
{
public:
    explicit TextRecordingDevice(QSize size, int dpi = 96) : m_size(size), m_dpi(dpi) {}

    [[nodiscard]] QPaintEngine* paintEngine() const override { return &m_engine; }
    [[nodiscard]] const std::vector<DrawnText>& texts() const { return m_engine.texts; }
    [[nodiscard]] QSize size() const { return m_size; }

protected:
    [[nodiscard]] int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return m_size.width() * 254 / (10 * m_dpi);
        case PdmHeightMM:
            return m_size.height() * 254 / (10 * m_dpi);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return m_dpi;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 1 << 24;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        Engine() : QPaintEngine(QPaintEngine::AllFeatures) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawImage(const QRectF&, const QImage&, const QRectF&,
                       Qt::ImageConversionFlags) override
        {
        }
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override
        {
            texts.push_back({item.text(), painter()->transform().map(p), item.font()});
        }
        [[nodiscard]] Type type() const override { return QPaintEngine::User; }

        std::vector<DrawnText> texts;
    };

    QSize m_size;
    int m_dpi;
    mutable Engine m_engine;
};

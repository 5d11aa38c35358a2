#pragma once
// The chart and control picture area: a widget with a drawing surface that keeps two
// images. The persistent picture holds what is drawn while AutoRedraw is on; the screen
// image is that picture with the temporary drawing on top (what is drawn while AutoRedraw
// is off: the tick's satellites, rubber bands). Cls with AutoRedraw off and Refresh wipe the
// temporary drawing and show the persistent picture again; Cls with AutoRedraw on clears both
// to the background colour. Repaints of the window never lose either.

#include "services/DrawingSurface.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <memory>

class PictureBox : public QWidget, public DrawingSurface
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    [[nodiscard]] bool AutoRedraw() const { return m_autoRedraw; }
    void setAutoRedraw(bool persistent);

    /// Setting the background colour clears the box, persistent picture included.
    [[nodiscard]] QColor BackColor() const override;
    void setBackColor(const QColor& colour) override;

    /// Clears the drawing (see the class comment) and puts the pen at (0, 0).
    void Cls();
    /// Wipes the temporary drawing and repaints.
    void Refresh();

    /// The persistent picture.
    [[nodiscard]] QImage image() const;
    /// What the box shows: the persistent picture with the temporary drawing on top.
    [[nodiscard]] QImage screenImage() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    [[nodiscard]] QSizeF deviceSize() const override;
    [[nodiscard]] double twipsPerPixel() const override;
    [[nodiscard]] QPaintDevice* metricsDevice() const override;
    void paint(const std::function<void(QPainter&)>& operation) override;

private:
    struct Layer
    {
        QImage image;
        std::unique_ptr<QPainter> painter;
        QPainter* begin();
        void end();
    };

    void matchWidgetSize() const;
    void finishPainting() const;

    // Painters stay open between figures (a chart draws thousands) and are ended before the
    // images are read, resized or shown.
    mutable Layer m_persistent;
    mutable Layer m_screen;
    bool m_autoRedraw = false;
    QColor m_backColor;
};

#pragma once
// A drawing surface in the manner of the program's picture boxes and printer: a user
// coordinate scale, a pen position, line, box, circle, arc, point, text and picture
// operations, fill and line styles and raster drawing modes. The same drawing code paints
// on a picture box (PictureBox), on a printer page (PrinterSurface) or on any paint device
// (PaintDeviceSurface).

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QSizeF>
#include <QString>

#include <functional>

class QPainter;
class QPaintDevice;

namespace drawing {

/// How the inside of a box or circle is filled. Numbers as stored by the program.
enum class FillStyle {
    Solid = 0,
    Transparent = 1,
    HorizontalLine = 2,
    VerticalLine = 3,
    UpwardDiagonal = 4,
    DownwardDiagonal = 5,
    Cross = 6,
    DiagonalCross = 7,
};

/// Line style of the pen.
enum class DrawStyle {
    Solid = 0,
    Dash = 1,
    Dot = 2,
    DashDot = 3,
    DashDotDot = 4,
    Transparent = 5,
    InsideSolid = 6,
};

/// How a figure's pixels combine with the pixels already there (binary raster operations).
/// They act on picture boxes and images; a printer draws every mode as CopyPen.
enum class DrawMode {
    Blackness = 1,
    NotMergePen = 2,  ///< NOT (pen OR screen)
    MaskNotPen = 3,   ///< screen AND NOT pen
    NotCopyPen = 4,   ///< NOT pen
    MaskPenNot = 5,   ///< pen AND NOT screen
    Invert = 6,       ///< NOT screen
    XorPen = 7,       ///< pen XOR screen: drawing the same figure twice restores the picture
    NotMaskPen = 8,   ///< NOT (pen AND screen)
    MaskPen = 9,      ///< pen AND screen
    NotXorPen = 10,   ///< NOT (pen XOR screen)
    Nop = 11,         ///< nothing is drawn
    MergeNotPen = 12, ///< screen OR NOT pen
    CopyPen = 13,     ///< the pen colour (default)
    MergePenNot = 14, ///< pen OR NOT screen
    MergePen = 15,    ///< pen OR screen
    Whiteness = 16,
};

} // namespace drawing

/// The user scale of a surface: the coordinates of its left and top edges and its extents.
/// A negative height makes y grow upwards, a negative width x leftwards. Both directions of
/// the mapping are given for a device of a given size in pixels.
struct SurfaceScale
{
    double left = 0;
    double top = 0;
    double width = 1;
    double height = 1;

    [[nodiscard]] QPointF toDevice(QPointF user, QSizeF deviceSize) const;
    [[nodiscard]] QPointF toUser(QPointF device, QSizeF deviceSize) const;
};

class DrawingSurface
{
public:
    DrawingSurface();
    virtual ~DrawingSurface();
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;

    // User scale. Until a scale is set the surface counts in twips from its top-left corner,
    // and that scale follows the surface's size; a set scale keeps its values when the
    // surface is resized (the units stretch). A zero extent is refused.

    /// Scale (x1, y1)-(x2, y2): the left-top corner gets (x1, y1), the right-bottom (x2, y2).
    void Scale(double x1, double y1, double x2, double y2);
    /// Back to twips from the top-left corner.
    void ScaleReset();
    [[nodiscard]] double ScaleLeft() const;
    [[nodiscard]] double ScaleTop() const;
    [[nodiscard]] double ScaleWidth() const;
    [[nodiscard]] double ScaleHeight() const;
    void setScaleLeft(double value);
    void setScaleTop(double value);
    void setScaleWidth(double value);
    void setScaleHeight(double value);
    [[nodiscard]] SurfaceScale scale() const;

    /// Size of the drawing area [twips].
    [[nodiscard]] double Width() const;
    [[nodiscard]] double Height() const;

    /// Device pixel of a user point and back (for mouse positions).
    [[nodiscard]] QPointF toDevice(QPointF user) const;
    [[nodiscard]] QPointF toUser(QPointF device) const;

    // Pen and fill state.
    [[nodiscard]] double CurrentX() const { return m_currentX; }
    [[nodiscard]] double CurrentY() const { return m_currentY; }
    void setCurrentX(double x) { m_currentX = x; }
    void setCurrentY(double y) { m_currentY = y; }
    [[nodiscard]] QColor ForeColor() const { return m_foreColor; }
    void setForeColor(const QColor& colour) { m_foreColor = colour; }
    [[nodiscard]] virtual QColor BackColor() const;
    virtual void setBackColor(const QColor& colour);
    [[nodiscard]] QColor FillColor() const { return m_fillColor; }
    void setFillColor(const QColor& colour) { m_fillColor = colour; }
    [[nodiscard]] drawing::FillStyle FillStyle() const { return m_fillStyle; }
    void setFillStyle(drawing::FillStyle style) { m_fillStyle = style; }
    [[nodiscard]] drawing::DrawStyle DrawStyle() const { return m_drawStyle; }
    void setDrawStyle(drawing::DrawStyle style) { m_drawStyle = style; }
    /// Pen width [device pixels]; at least 1.
    [[nodiscard]] int DrawWidth() const { return m_drawWidth; }
    void setDrawWidth(int pixels);
    [[nodiscard]] drawing::DrawMode DrawMode() const { return m_drawMode; }
    void setDrawMode(drawing::DrawMode mode) { m_drawMode = mode; }

    [[nodiscard]] QString FontName() const;
    void setFontName(const QString& family);
    /// [points]
    [[nodiscard]] double FontSize() const;
    void setFontSize(double points);
    [[nodiscard]] QFont drawingFont() const { return m_font; }
    void setDrawingFont(const QFont& font) { m_font = font; }

    // Figures. A colour left invalid means ForeColor. Every figure leaves the pen at its end
    // point (circles and arcs at their centre).

    void Line(double x1, double y1, double x2, double y2, const QColor& colour = {});
    /// Line from the pen position.
    void LineTo(double x2, double y2, const QColor& colour = {});
    /// Box outline between two corners, its inside filled with FillColor by FillStyle.
    void Box(double x1, double y1, double x2, double y2, const QColor& colour = {});
    /// Box filled with its own colour.
    void FilledBox(double x1, double y1, double x2, double y2, const QColor& colour = {});
    /// Circle or ellipse around (x, y), filled with FillColor by FillStyle. The radius is in
    /// horizontal user units; aspect is the ratio of the vertical to the horizontal radius on
    /// the device (1 gives a round circle whatever the scale). With aspect above 1 the radius
    /// is the vertical one.
    void Circle(double x, double y, double radius, const QColor& colour = {}, double aspect = 1.0);
    /// Arc from angle start to angle end [radians, counter-clockwise from the right as seen
    /// on the device]. A negative angle also draws the radius to that end (its absolute value
    /// is the angle); with both negative the pie is filled like a circle.
    void Arc(double x, double y, double radius, double start, double end, const QColor& colour = {},
             double aspect = 1.0);
    /// A point DrawWidth pixels across.
    void PSet(double x, double y, const QColor& colour = {});

    /// Text in ForeColor with its top-left corner at the pen. Text is always drawn upright,
    /// whatever the direction of the scale. With newLine the pen then goes to the left edge
    /// of the next line, otherwise just after the text. Line ends in the text start new lines.
    void Print(const QString& text, bool newLine = true);
    /// Extent of a text in user units (never negative).
    [[nodiscard]] double TextWidth(const QString& text) const;
    [[nodiscard]] double TextHeight(const QString& text) const;

    /// Picture at its natural size (15 twips to a picture pixel), top-left corner at (x, y).
    void PaintPicture(const QImage& picture, double x, double y);
    /// Picture stretched over the box from (x, y) to (x + width, y + height); drawn upright.
    void PaintPicture(const QImage& picture, double x, double y, double width, double height);
    /// Picture copied pixel for pixel with its top-left corner at a device pixel.
    void drawImageAtDevicePixel(const QImage& picture, QPoint pixel);

protected:
    /// Size of the drawing area [device pixels].
    [[nodiscard]] virtual QSizeF deviceSize() const = 0;
    [[nodiscard]] virtual double twipsPerPixel() const = 0;
    /// Device whose resolution the text is measured at.
    [[nodiscard]] virtual QPaintDevice* metricsDevice() const = 0;
    /// Runs one drawing operation, in device pixels, on every image the surface keeps.
    virtual void paint(const std::function<void(QPainter&)>& operation) = 0;
    /// Called before a text line is drawn at deviceTop; returns where it goes instead (a
    /// printer starts a new page when the line would pass the bottom of the page).
    virtual double placeTextLine(double deviceTop, double deviceLineHeight);

    void resetPen() { m_currentX = 0; m_currentY = 0; }

private:
    void drawFigure(const QColor& outline, bool withFill, const QColor& fill,
                    const std::function<void(QPainter&)>& figure);
    [[nodiscard]] double devicePixelsPerUnitX() const;
    void setCustomScale(const SurfaceScale& scale);

    bool m_customScale = false;
    SurfaceScale m_scale;
    double m_currentX = 0;
    double m_currentY = 0;
    QColor m_foreColor = Qt::black;
    QColor m_backColor = Qt::white;
    QColor m_fillColor = Qt::black;
    drawing::FillStyle m_fillStyle = drawing::FillStyle::Transparent;
    drawing::DrawStyle m_drawStyle = drawing::DrawStyle::Solid;
    int m_drawWidth = 1;
    drawing::DrawMode m_drawMode = drawing::DrawMode::CopyPen;
    QFont m_font;
};

#pragma once
// Horizontal slider with two thumbs that selects the sub-range LowerValue..UpperValue of the
// integer scale Min..Max. The upper thumb runs along the top edge, the lower one along the
// bottom edge, and a band in Color between them shows the range. After every set and every
// drag step 0 <= Min <= LowerValue <= UpperValue <= Max.

#include "controls/RangeTool/RangeToolGeometry.h"
#include "controls/SystemColour.h"

#include <QRect>
#include <QWidget>

namespace controls {
class RangeThumb;
}

class RangeTool : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(quint32 Color READ Color WRITE setColor)
    Q_PROPERTY(int Min READ Min WRITE setMin)
    Q_PROPERTY(bool LowerLocked READ LowerLocked WRITE setLowerLocked)
    Q_PROPERTY(bool LowerVisible READ LowerVisible WRITE setLowerVisible)
    Q_PROPERTY(int Max READ Max WRITE setMax)
    Q_PROPERTY(bool UpperLocked READ UpperLocked WRITE setUpperLocked)
    Q_PROPERTY(bool UpperVisible READ UpperVisible WRITE setUpperVisible)
    Q_PROPERTY(int UpperValue READ UpperValue WRITE setUpperValue NOTIFY Scroll)
    Q_PROPERTY(int LowerValue READ LowerValue WRITE setLowerValue NOTIFY Scroll)

public:
    /// Values of BorderStyle, the track's 3-D edge; any other value draws no edge.
    enum TrackEdge : int {
        kEdgeRaised = 1,
        kEdgeSunken = 2,
        kEdgeBump = 3,
        kEdgeEtched = 4,
    };

    explicit RangeTool(QWidget* parent = nullptr);

    int BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);

    /// Band colour, as RGB with red in the low byte or as a system colour.
    quint32 Color() const { return m_colour; }
    void setColor(quint32 colour);

    /// A negative value is taken as 0; Max and both values follow into the new range.
    int Min() const { return m_min; }
    void setMin(int minimum);
    int Max() const { return m_max; }
    void setMax(int maximum);

    /// Clamped to Min..Max; the other value follows when it would cross. Raises Scroll.
    int LowerValue() const { return m_lower; }
    void setLowerValue(int value);
    int UpperValue() const { return m_upper; }
    void setUpperValue(int value);

    /// A locked thumb cannot be dragged, and the other thumb cannot be dragged past it.
    bool LowerLocked() const { return m_lowerLocked; }
    void setLowerLocked(bool locked);
    bool UpperLocked() const { return m_upperLocked; }
    void setUpperLocked(bool locked);

    bool LowerVisible() const { return m_lowerVisible; }
    void setLowerVisible(bool visible);
    bool UpperVisible() const { return m_upperVisible; }
    void setUpperVisible(bool visible);

    /// Places thumbs and band for the current values and size.
    void UpdatePosition();

    QSize sizeHint() const override;

signals:
    /// A thumb was released after a press on it, whether it moved or not.
    void Change();
    /// A value was set, or a thumb moved one drag step.
    void Scroll();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void thumbPressed(controls::RangeThumb* thumb, int x);
    void thumbMoved(controls::RangeThumb* thumb, int x);
    void thumbReleased(controls::RangeThumb* thumb);
    void clampValues();
    void drawTrack(QPainter& painter) const;

    int m_borderStyle = kEdgeEtched;
    quint32 m_colour = controls::kActiveCaption;
    int m_min = 0;
    int m_max = 100;
    int m_lower = 25;
    int m_upper = 75;
    bool m_lowerLocked = false;
    bool m_upperLocked = false;
    bool m_lowerVisible = true;
    bool m_upperVisible = true;

    controls::RangeThumb* m_upperThumb;
    controls::RangeThumb* m_lowerThumb;
    controls::RangeToolGeometry m_geometry;
    controls::RangeThumb* m_dragged = nullptr; // thumb being dragged, if any
    int m_grabOffset = 0;                      // where inside the thumb the drag started [pixels]
    int m_savedValue = 0;                      // the other thumb's value at the press
};

#pragma once
// One thumb of RangeTool: a 15 x 15 triangle, pointing down along the top edge (upper thumb)
// or up along the bottom edge (lower thumb). It draws itself and reports presses, drags and
// releases to its slider; the slider decides what they do.

#include <QWidget>

namespace controls {

class RangeThumb : public QWidget
{
    Q_OBJECT

public:
    enum class Kind { Upper, Lower };

    RangeThumb(Kind kind, QWidget* parent);

    Kind kind() const { return m_kind; }
    /// A locked thumb shows the plain arrow pointer and the flat look.
    void setLocked(bool locked);
    /// A thumb being dragged shows the pressed look.
    void setDragging(bool dragging);

signals:
    /// x: pointer position inside the thumb [pixels].
    void pressed(int x);
    void moved(int x);
    void released();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Kind m_kind;
    bool m_locked = false;
    bool m_dragging = false;
};

} // namespace controls

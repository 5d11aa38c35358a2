#pragma once
// Circular clock face with the numbers 1 to 12 and hour, minute and second hands. The host
// gives it the time to show (setValue); the clock never reads a clock of its own.

#include <QPointF>
#include <QTime>
#include <QWidget>

namespace controls {

/// Directions of the hands [degrees], measured so that dialPoint() turns them into screen
/// offsets: 180 is 12 o'clock, 90 is 3 o'clock. Hour and minute hands move continuously, the
/// second hand in whole seconds.
struct ClockHandAngles
{
    double hourDeg = 0;
    double minuteDeg = 0;
    double secondDeg = 0;
};

[[nodiscard]] ClockHandAngles clockHandAngles(QTime time);

/// Offset from the dial's centre of the point at angle angleDeg (as above) and distance
/// [pixels]; y grows downwards.
[[nodiscard]] QPointF dialPoint(double angleDeg, double distance);

} // namespace controls

class AnalogClock : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QTime Value READ Value WRITE setValue)

public:
    explicit AnalogClock(QWidget* parent = nullptr);

    /// The time of day shown; only hour, minute and second matter. An invalid time (the
    /// start) shows the dial without hands.
    QTime Value() const { return m_time; }
    void setValue(QTime time);

    QSize sizeHint() const override;
    /// The least side of a square clock at which no number of the dial touches its
    /// neighbours in the control's font [pixels].
    [[nodiscard]] int leastSideForNumbers() const;
    /// Where the number of `hour` (1..12) stands on the dial, in the control's coordinates.
    [[nodiscard]] QRectF numberBox(int hour) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawDial(QPainter& painter, double radius) const;
    void drawHands(QPainter& painter, double radius) const;

    QTime m_time;
};

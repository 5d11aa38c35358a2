#include "controls/AnalogClock/AnalogClock.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Angles use the rounded factor of the rest of the program.
constexpr double kRadiansPerDegree = 0.0174532925;
constexpr double kTwipsPerPixel = 15.0;
// Gap between the rim and the nearer edge of the control: 50 twips.
constexpr double kRimMarginPx = 50.0 / kTwipsPerPixel;
// The hub over which the hands turn: 10 twips.
constexpr double kHubRadiusPx = 10.0 / kTwipsPerPixel;
// How far each hand reaches, as a fraction of the dial's radius.
constexpr double kHourHandReach = 0.5;
constexpr double kMinuteHandReach = 0.75;
constexpr double kSecondHandReach = 0.85;
// Hand widths [pixels].
constexpr qreal kHourHandWidth = 3;
constexpr qreal kMinuteHandWidth = 2;
constexpr qreal kSecondHandWidth = 1;
// The numbers stand inside the rim by the width of "00" divided by this.
constexpr double kNumberInsetDivisor = 1.3;
constexpr QSize kSizeHint(120, 120);
// The largest clock leastSideForNumbers proposes, whatever the font [pixels].
constexpr int kLargestSidePx = 1000;

/// Where the number of `hour` stands on a dial drawn on `surface` with `metrics`.
QRectF numberBoxOn(QSizeF surface, const QFontMetricsF& metrics, int hour)
{
    const double radius = std::min(surface.width(), surface.height()) / 2.0 - kRimMarginPx;
    const double distance
        = radius - metrics.horizontalAdvance(QStringLiteral("00")) / kNumberInsetDivisor;
    const QPointF centre = QPointF(surface.width() / 2.0, surface.height() / 2.0)
                           + controls::dialPoint(180.0 - 30.0 * hour, distance);
    const QSizeF size(metrics.horizontalAdvance(QString::number(hour)), metrics.height());
    return QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size);
}

} // namespace

namespace controls {

ClockHandAngles clockHandAngles(QTime time)
{
    const int total = 3600 * time.hour() + 60 * time.minute() + time.second();
    double hours = total / 3600.0;
    const double minutes = (total - 3600 * std::floor(hours)) / 60.0;
    const double seconds = total - 3600 * std::floor(hours) - 60 * std::floor(minutes);
    if (hours >= 13)
        hours -= 12;
    return ClockHandAngles{180.0 - 30.0 * hours, 180.0 - 6.0 * minutes, 180.0 - 6.0 * seconds};
}

QPointF dialPoint(double angleDeg, double distance)
{
    const double angle = angleDeg * kRadiansPerDegree;
    return QPointF(distance * std::sin(angle), distance * std::cos(angle));
}

} // namespace controls

AnalogClock::AnalogClock(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void AnalogClock::setValue(QTime time)
{
    m_time = time;
    update();
}

QSize AnalogClock::sizeHint() const
{
    return kSizeHint;
}

int AnalogClock::leastSideForNumbers() const
{
    const QFontMetricsF metrics(font());
    const auto apart = [&metrics](int side) {
        for (int hour = 1; hour <= 12; ++hour) {
            if (numberBoxOn(QSizeF(side, side), metrics, hour)
                    .intersects(numberBoxOn(QSizeF(side, side), metrics, hour % 12 + 1)))
                return false;
        }
        return true;
    };
    int side = 1;
    while (side < kLargestSidePx && !apart(side))
        ++side;
    return side;
}

QRectF AnalogClock::numberBox(int hour) const
{
    return numberBoxOn(QSizeF(size()), QFontMetricsF(font()), hour);
}

void AnalogClock::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const double radius = std::min(width(), height()) / 2.0 - kRimMarginPx;
    // Guard: a control too small for a dial shows nothing rather than a turned-out circle.
    if (radius <= 0)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(width() / 2.0, height() / 2.0);
    drawDial(painter, radius);
    if (m_time.isValid())
        drawHands(painter, radius);
}

void AnalogClock::drawDial(QPainter& painter, double radius) const
{
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(palette().color(QPalette::Window));
    painter.drawEllipse(QPointF(0, 0), radius, radius);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPointF(0, 0), kHubRadiusPx, kHubRadiusPx);

    // The painter's origin is the dial's centre.
    const QPointF centre(width() / 2.0, height() / 2.0);
    for (int hour = 1; hour <= 12; ++hour)
        painter.drawText(numberBox(hour).translated(-centre), Qt::AlignCenter, QString::number(hour));
    painter.restore();
}

void AnalogClock::drawHands(QPainter& painter, double radius) const
{
    const controls::ClockHandAngles angles = controls::clockHandAngles(m_time);
    const auto hand = [&painter, radius](double angleDeg, double reach, qreal width,
                                         const QColor& colour) {
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(0, 0), controls::dialPoint(angleDeg, radius * reach));
    };
    painter.save();
    hand(angles.hourDeg, kHourHandReach, kHourHandWidth, Qt::black);
    hand(angles.minuteDeg, kMinuteHandReach, kMinuteHandWidth, Qt::black);
    hand(angles.secondDeg, kSecondHandReach, kSecondHandWidth, Qt::red);
    painter.restore();
}

#include "controls/ProgressBar/ProgressBar.h"

#include <QPainter>
#include <qdrawutil.h>

#include <algorithm>
#include <cmath>

namespace {

// Least height that holds the percentage text: 255 twips at 15 twips per pixel.
constexpr int kMinimumHeightPx = 17;
// Sunken border around the bar [pixels].
constexpr int kBorderPx = 2;
constexpr int kHintWidthPx = 150;
// Percentages are shown as whole numbers; past this they are no longer a useful reading and
// would not fit a long integer when rounded.
constexpr double kLargestShownPercent = 1e9;

} // namespace

namespace controls {

double progressPercent(double value, double maximum)
{
    // Guard: before the host sets Max the quotient is a division by zero (infinite or not a
    // number); that reading, like any other that is not finite, shows as 0 %.
    const double percent = value / maximum * 100.0;
    return std::isfinite(percent) ? percent : 0.0;
}

QString progressText(double percent)
{
    const double shown = std::clamp(percent, -kLargestShownPercent, kLargestShownPercent);
    // A percentage that rounds to 0 still reads "0%", not a bare "%".
    return QString::number(std::lround(shown)) + QLatin1Char('%');
}

} // namespace controls

ProgressBar::ProgressBar(QWidget* parent)
    : QWidget(parent)
{
    setMinimumHeight(kMinimumHeightPx);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ProgressBar::setMax(double maximum)
{
    m_max = maximum;
    update();
}

void ProgressBar::setValue(double value)
{
    m_shownPercent = controls::progressPercent(value, m_max);
    m_value = value;
    update();
}

QSize ProgressBar::sizeHint() const
{
    return QSize(kHintWidthPx,
                 std::max(kMinimumHeightPx, fontMetrics().height() + 2 * kBorderPx + 2));
}

void ProgressBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), true);
    const QRect inside = rect().adjusted(kBorderPx, kBorderPx, -kBorderPx, -kBorderPx);
    const QString text = controls::progressText(m_shownPercent);
    const double filled = std::clamp(m_shownPercent, 0.0, 100.0) / 100.0;
    const QRect bar(inside.left(), inside.top(),
                    static_cast<int>(std::lround(filled * inside.width())), inside.height());

    painter.fillRect(inside, palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(inside, Qt::AlignCenter, text);
    if (bar.isEmpty())
        return;
    // Inside the bar the same text in the inverse colours.
    painter.setClipRect(bar);
    painter.fillRect(bar, palette().color(QPalette::Highlight));
    painter.setPen(palette().color(QPalette::HighlightedText));
    painter.drawText(inside, Qt::AlignCenter, text);
}

#pragma once
// Progress bar of the long operations: a bar that fills from the left with the percentage
// centred over it, the part of the text inside the bar in the inverse colours. The host sets
// Max once (100 for a percentage, a file length for a file being read), then Value as the
// work proceeds.

#include <QString>
#include <QWidget>

namespace controls {

/// Percentage that value is of maximum. A maximum of 0 (not set yet) and results that are not
/// finite give 0 %; a value past the maximum gives more than 100 %.
[[nodiscard]] double progressPercent(double value, double maximum);

/// The text shown over the bar: the percentage rounded to a whole number, then "%".
[[nodiscard]] QString progressText(double percent);

} // namespace controls

class ProgressBar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(double Max READ Max WRITE setMax)
    Q_PROPERTY(double Value READ Value WRITE setValue)

public:
    explicit ProgressBar(QWidget* parent = nullptr);

    /// The value that means 100 %. The bar shown is recomputed by the next setValue only.
    double Max() const { return m_max; }
    void setMax(double maximum);

    double Value() const { return m_value; }
    void setValue(double value);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_max = 0;
    double m_value = 0;
    double m_shownPercent = 0; // what the bar shows: computed by setValue only
};

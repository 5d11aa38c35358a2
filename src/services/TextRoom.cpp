#include "services/TextRoom.h"

#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>

#include <algorithm>

namespace {

// The blank a line edit keeps on either side of its text, and its text cursor [pixels].
constexpr int kTextMarginPx = 2;
constexpr int kCursorPx = 1;

} // namespace

int fieldWidthFor(const QLineEdit& field, const QString& widest)
{
    const QMargins margins = field.textMargins();
    const QMargins contents = field.contentsMargins();
    const int text = field.fontMetrics().horizontalAdvance(widest) + kCursorPx +
                     2 * kTextMarginPx + margins.left() + margins.right() + contents.left() +
                     contents.right();
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.lineWidth = field.hasFrame()
                           ? field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field)
                           : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    return field.style()
        ->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(text, field.fontMetrics().height()),
                           &field)
        .width();
}

int groupBoxWidthFor(const QGroupBox& box)
{
    const int rows = box.layout() != nullptr ? box.layout()->totalMinimumSize().width() : 0;
    if (box.title().isEmpty())
        return rows;
    // The style sets the title in from the frame; the same blank is kept after it.
    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = box.title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QRect label =
        box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
    const int inset = std::max(label.left(), 0);
    return std::max(rows, 2 * inset + box.fontMetrics().horizontalAdvance(box.title()));
}

#include "controls/DateTimeField/DateTimeField.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QWheelEvent>

DateTimeField::DateTimeField(QWidget* parent) : QDateTimeEdit(parent)
{
    setCalendarPopup(true);
}

QRect DateTimeField::calendarButton() const
{
    // The field is drawn as an editable drop-down list while its calendar button shows.
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    return style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
}

void DateTimeField::mousePressEvent(QMouseEvent* event)
{
    // The press still gives the field the focus (that comes before the event); only the step
    // it would make on the border is left out.
    if (calendarPopup() && !calendarButton().contains(event->position().toPoint())) {
        event->accept();
        return;
    }
    QDateTimeEdit::mousePressEvent(event);
}

void DateTimeField::wheelEvent(QWheelEvent* event)
{
    event->ignore();
}

#pragma once
// Date-time field of the windows: the value is changed through the calendar button beside the
// text and from the keyboard, never by an unseen step of the mouse.
//
// A QDateTimeEdit with a calendar button hides its step arrows, yet a press on its border
// steps the current section all the same: the style's hit test names the border of the
// drop-down look with the number that the spin box reads as its up arrow. The wheel steps the
// value as well, with nothing on screen to say so. Here a press anywhere but on the calendar
// button changes nothing (a press on the text places the cursor as usual, the text box takes
// it), and the wheel goes on to the window behind.

#include <QDateTimeEdit>

class DateTimeField : public QDateTimeEdit
{
    Q_OBJECT

public:
    /// A field with its calendar button.
    explicit DateTimeField(QWidget* parent = nullptr);

    /// The calendar button, in the field's own coordinates.
    [[nodiscard]] QRect calendarButton() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

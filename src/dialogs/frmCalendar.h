#pragma once
// The calendar: a month calendar opened on the program's current date (real or simulated).
// Browsing and choosing days changes nothing else.

#include <QDate>
#include <QWidget>

class QCalendarWidget;

class frmCalendar : public QWidget
{
    Q_OBJECT

public:
    explicit frmCalendar(QWidget* parent = nullptr);

    /// The calendar day of a date value (days since 1899-12-30, local time).
    [[nodiscard]] static QDate calendarDay(double dateValue);

private:
    void Applica_lingua();

    QCalendarWidget* MonthView1 = nullptr;
};

#include "dialogs/frmCalendar.h"

#include "common/program_time.h"
#include "core/DateValue.h"
#include "services/Twips.h"
#include "services/mLang.h"

#include <QCalendarWidget>
#include <QVBoxLayout>

namespace {
// The calendar sits this far below the title, with the same margin on the right and at the
// bottom.
constexpr double kMarginTwips = 100;
} // namespace

frmCalendar::frmCalendar(QWidget* parent) : QWidget(parent, Qt::Dialog)
{
    // A dialog window is kept above the main window that owns it; a plain window would go
    // behind it at the first click on the main window.
    setObjectName(QStringLiteral("frmCalendar"));

    MonthView1 = new QCalendarWidget(this);
    MonthView1->setObjectName(QStringLiteral("MonthView1"));
    MonthView1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);

    const int margin = qRound(twips::toPixels(kMarginTwips));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, margin, margin, margin);
    layout->addWidget(MonthView1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Applica_lingua();
    // Data_attuale, not the computer's clock: while time is simulated the calendar opens on
    // the simulated day.
    const QDate today = calendarDay(Data_attuale);
    MonthView1->setSelectedDate(today);
    MonthView1->setCurrentPage(today.year(), today.month());
}

QDate frmCalendar::calendarDay(double dateValue)
{
    const DateValue::Parts parts = DateValue::split(dateValue);
    return QDate(parts.year, parts.month, parts.day);
}

void frmCalendar::Applica_lingua()
{
    setWindowTitle(mLang::Testo_lingua(u"frmCalendar", u"calendario"));
}

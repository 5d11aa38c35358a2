// About box, calendar and progress window: their texts, the date the calendar opens on, and
// the progress window's stop request.

#include "DialogTestSupport.h"

#include "common/gates.h"
#include "common/program_time.h"
#include "controls/GraphButton/GraphButton.h"
#include "controls/ProgressBar/ProgressBar.h"
#include "core/DateValue.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmCalendar.h"
#include "dialogs/frmProgress.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>

namespace {

class SmallWindowsTest : public DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        QCoreApplication::setApplicationVersion(QStringLiteral("2.0.3"));
        pflgArresta = false;
    }

    void TearDown() override
    {
        pflgArresta = false;
        Data_attuale = m_savedClock;
        DialogTest::TearDown();
    }

    static QString labelText(QWidget& window, const char* name)
    {
        const auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
        return label != nullptr ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
    }

private:
    double m_savedClock = Data_attuale;
};

} // namespace

TEST_F(SmallWindowsTest, AboutBoxShowsTitleAndVersionFromTheLanguageFile)
{
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Quorvanel"));
    EXPECT_EQ(labelText(about, "lblTitle"), QStringLiteral("Quorvanel"));
    EXPECT_EQ(labelText(about, "lblVersion"), QStringLiteral("Version 2.0.3"));
    EXPECT_TRUE(labelText(about, "lblInternet").contains(frmAbout::webAddress()));
    EXPECT_EQ(about.findChild<GraphButton*>(QStringLiteral("cmdOK"))->Caption(),
              QStringLiteral("OK"));

    about.show();
    QTest::mouseClick(about.findChild<GraphButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible()) << "OK closes the About box";
}

TEST_F(SmallWindowsTest, AboutBoxWithoutItsKeysLeavesTheTextsEmpty)
{
    writeLanguageFile(QStringLiteral("Bare.ini"), "[Buttons]\nok=OK\n");
    useLanguageFile(QStringLiteral("Bare.ini"));
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), QString());
    EXPECT_EQ(labelText(about, "lblVersion"), QStringLiteral(" 2.0.3"));
}

TEST(AboutVersion, PartsAreWrittenAsPlainIntegers)
{
    EXPECT_EQ(frmAbout::versionNumber(QStringLiteral("2.0.3")), QStringLiteral("2.0.3"));
    EXPECT_EQ(frmAbout::versionNumber(QStringLiteral("10.04.007")), QStringLiteral("10.4.7"));
    EXPECT_EQ(frmAbout::versionNumber(QStringLiteral("3")), QStringLiteral("3.0.0"));
    EXPECT_EQ(frmAbout::versionNumber(QString()), QStringLiteral("0.0.0"));
}

TEST_F(SmallWindowsTest, CalendarOpensOnTheProgramDateEvenWhenSimulated)
{
    Data_attuale = DateValue::fromDateTime(1999, 8, 11, 11, 3, 0); // simulated, not today
    frmCalendar calendar;
    const auto* month = calendar.findChild<QCalendarWidget*>(QStringLiteral("MonthView1"));
    ASSERT_NE(month, nullptr);
    EXPECT_EQ(month->selectedDate(), QDate(1999, 8, 11));
    EXPECT_EQ(month->yearShown(), 1999);
    EXPECT_EQ(month->monthShown(), 8);
    EXPECT_EQ(calendar.windowTitle(), QStringLiteral("Calendar"));
}

TEST_F(SmallWindowsTest, StopAsksTheComputationToEndAndLeavesTheWindowOpen)
{
    frmProgress progress;
    progress.show();
    auto* stop = progress.findChild<GraphButton*>(QStringLiteral("cmdCancel"));
    ASSERT_NE(stop, nullptr);
    QTest::mouseClick(stop, Qt::LeftButton);
    EXPECT_TRUE(pflgArresta);
    EXPECT_TRUE(progress.isVisible());

    pflgArresta = false; // the computation saw the request
    QTest::mouseClick(stop, Qt::LeftButton);
    EXPECT_TRUE(pflgArresta) << "a second press asks again";
}

TEST_F(SmallWindowsTest, ClosingFromTheTitleBarStopsInsteadOfClosing)
{
    frmProgress progress;
    progress.show();
    QCloseEvent titleBarClose; // what the window system's close button sends
    QSpontaneKeyEvent::setSpontaneous(&titleBarClose);
    QApplication::instance()->notify(&progress, &titleBarClose); // sendEvent would clear the flag
    EXPECT_TRUE(pflgArresta);
    EXPECT_FALSE(titleBarClose.isAccepted());
    EXPECT_TRUE(progress.isVisible());

    progress.close(); // the computation ends the window
    EXPECT_FALSE(progress.isVisible());
}

TEST_F(SmallWindowsTest, ProgressWindowCarriesTheProgramTitleAndFixedStopCaption)
{
    writeLanguageFile(QStringLiteral("Bare.ini"), "[Buttons]\ncancel=Annulla\n");
    useLanguageFile(QStringLiteral("Bare.ini"));
    frmProgress progress;
    EXPECT_EQ(progress.windowTitle(), QStringLiteral("Quorvanel"));
    EXPECT_EQ(progress.cmdCancel->Caption(), QStringLiteral("&Stop"));
}

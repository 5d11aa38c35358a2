// The program clock as the user sets it in the time window, seen from the rest of the program:
// Windows > Close all leaves a simulated clock as it was, and a jump of the clock (Start, Stop,
// back to the computer's clock, a clock synchronisation) reaches the maps and charts at once.

#include "MainWindowTestSupport.h"

#include "common/gates.h"
#include "common/program_time.h"
#include "mainwindow/MDIForm1.h"
#include "services/WindowNames.h"
#include "services/WindowRegistry.h"
#include "services/mGlobal.h"
#include "tracking/TrackingModel.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QLabel>
#include <QPushButton>

namespace {

QString dateText(double dateValue)
{
    return wallClockOf(dateValue).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

class SimulatedClock : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        openGates();
        mainWindow().tmrCentrale_Timer(); // the first tick makes the time window
    }

    void TearDown() override
    {
        QLocale::setDefault(QLocale::c());
        MainWindowTest::TearDown();
    }

    void ticks(int count)
    {
        for (int i = 0; i < count; ++i) {
            m_clock.advance(1);
            mainWindow().tmrCentrale_Timer();
        }
    }

    /// A control of the time window; the window is made (hidden) when none is loaded, as the
    /// time command does before it shows it.
    template <class Control> Control* timeControl(const char* name)
    {
        QWidget* window = WindowRegistry::instance().form(windowNames::kTime);
        return window ? window->findChild<Control*>(QString::fromLatin1(name)) : nullptr;
    }

    /// Unticks the real-time box, puts the picker at `start` and presses Start.
    void startSimulationAt(const QDateTime& start)
    {
        timeControl<QCheckBox>("chkUsaOraPc")->setChecked(false);
        timeControl<QDateTimeEdit>("DTPicker1")->setDateTime(start);
        timeControl<QPushButton>("cmdPlay")->click();
    }

    void closeAll()
    {
        ASSERT_TRUE(mainWindow().runCommand(QStringLiteral("mnuFinestreChiudiTutto")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_FALSE(mGlobal::Form_caricato(windowNames::kTime));
    }

    const QDateTime m_start{QDate(2018, 6, 21), QTime(10, 0, 0), Qt::UTC};
};

} // namespace

TEST_F(SimulatedClock, CloseAllLeavesARunningSimulationRunning)
{
    startSimulationAt(m_start);
    ticks(5);
    ASSERT_EQ(dateText(Data_attuale), QStringLiteral("2018-06-21 10:00:04"));
    closeAll();
    ticks(1);
    EXPECT_EQ(dateText(Data_attuale), QStringLiteral("2018-06-21 10:00:05"))
        << "the clock went on from the simulated instant";
    EXPECT_TRUE(mainWindow().statusPanelText(1).startsWith(QStringLiteral("21 June 2018")));
    ASSERT_TRUE(mGlobal::Form_caricato(windowNames::kTime)) << "the tick made it again";
    EXPECT_FALSE(timeControl<QCheckBox>("chkUsaOraPc")->isChecked());
    EXPECT_TRUE(timeControl<QPushButton>("cmdStop")->isEnabled());
    EXPECT_FALSE(timeControl<QPushButton>("cmdPlay")->isEnabled());
    EXPECT_EQ(timeControl<QDateTimeEdit>("DTPicker1")->dateTime(), m_start);
    EXPECT_EQ(timeControl<QLabel>("lblLOCALTIME")->text(), QStringLiteral("10:00:05"));

    // The window made again runs the simulation as the first one did.
    timeControl<QPushButton>("cmdStop")->click();
    ticks(3);
    EXPECT_EQ(dateText(Data_attuale), QStringLiteral("2018-06-21 10:00:05"));
}

TEST_F(SimulatedClock, CloseAllLeavesAStoppedClockStoppedWithItsStartInstant)
{
    startSimulationAt(m_start);
    ticks(10);
    timeControl<QPushButton>("cmdStop")->click();
    const double stoppedAt = Data_attuale;
    closeAll();
    ticks(5);
    EXPECT_EQ(Data_attuale, stoppedAt);

    // The time command makes the window again, showing the stopped clock.
    EXPECT_FALSE(timeControl<QCheckBox>("chkUsaOraPc")->isChecked());
    EXPECT_FALSE(timeControl<QPushButton>("cmdStop")->isEnabled());
    EXPECT_TRUE(timeControl<QPushButton>("cmdPlay")->isEnabled());
    EXPECT_TRUE(timeControl<QDateTimeEdit>("DTPicker1")->isEnabled());
    EXPECT_EQ(timeControl<QDateTimeEdit>("DTPicker1")->dateTime(), m_start);
    EXPECT_EQ(Data_attuale, stoppedAt) << "making the window leaves the clock alone";
    ticks(5);
    EXPECT_EQ(Data_attuale, stoppedAt);

    // Start begins again at the picker's instant, as before Close all.
    timeControl<QPushButton>("cmdPlay")->click();
    ticks(1);
    EXPECT_EQ(dateText(Data_attuale), QStringLiteral("2018-06-21 10:00:00"));
}

TEST_F(SimulatedClock, CloseAllInRealTimeStaysInRealTime)
{
    closeAll();
    ticks(1);
    EXPECT_EQ(wallClockOf(Data_attuale), m_clock.currentUtc().addSecs(3600));
    EXPECT_TRUE(timeControl<QCheckBox>("chkUsaOraPc")->isChecked());
    EXPECT_FALSE(timeControl<QPushButton>("cmdPlay")->isEnabled());
}

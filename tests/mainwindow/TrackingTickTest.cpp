// The one-second tick driven on a test clock: real and simulated time, the gates, the
// periodic full redraw of the world map, the decay removal, satellites that cannot be
// computed, and what the live windows receive.

#include "FakeWindows.h"
#include "MainWindowTestSupport.h"

#include "common/gates.h"
#include "common/program_time.h"
#include "core/DateValue.h"
#include "mainwindow/MDIForm1.h"
#include "mainwindow/WorkingSet.h"

#include <QAction>
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

/// A low orbit whose perigee lies below 98 km: a = 6543 km, e = 0.012.
TestOrbit decayingOrbit()
{
    TestOrbit orbit;
    orbit.catalogueNumber = 90002;
    orbit.meanMotionRevPerDay = 16.4;
    orbit.eccentricity = 0.012;
    return orbit;
}

class OneSecondTick : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        openGates();
    }
    void TearDown() override
    {
        for (const QString& name :
             {windowNames::kWorldMap, windowNames::kLocalSky, windowNames::kFloating,
              windowNames::kTrack, windowNames::kPlanets})
            forgetWindow(name);
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

    template <class Control> Control* timeControl(const char* name)
    {
        QWidget* window = WindowRegistry::instance().find(windowNames::kTime);
        return window ? window->findChild<Control*>(QString::fromLatin1(name)) : nullptr;
    }

    void threeSatellites(const TestOrbit& second = TestOrbit{})
    {
        TestOrbit first;
        TestOrbit third;
        third.catalogueNumber = 90003;
        third.meanMotionRevPerDay = 14.1;
        third.inclinationDeg = 99.0;
        loadWorkingSet({elementSet("FIRST SAT", first), elementSet("SECOND SAT", second),
                        elementSet("THIRD SAT", third)});
    }
};

TEST_F(OneSecondTick, RealTimeIsTheComputerClockInTheObserversZoneAndDaylightSaving)
{
    mainWindow().tmrCentrale_Timer();
    EXPECT_EQ(dateText(Data_attuale), QStringLiteral("2026-12-08 21:00:00"));
    EXPECT_EQ(mainWindow().statusPanelText(1), QStringLiteral("08 December 2026  21:00:00 "));

    m_clock.advance(1);
    Osservatore.Ora_legale = 1;
    mainWindow().tmrCentrale_Timer();
    EXPECT_EQ(dateText(Data_attuale), QStringLiteral("2026-12-08 22:00:01"));
    EXPECT_EQ(mainWindow().statusPanelText(1), QStringLiteral("08 December 2026  22:00:01 *"));

    // The clock read is the computer's, not the count of ticks: a missed second is caught up.
    m_clock.advance(5);
    mainWindow().tmrCentrale_Timer();
    EXPECT_EQ(dateText(Data_attuale), QStringLiteral("2026-12-08 22:00:06"));
}

TEST_F(OneSecondTick, SimulationStartsAtThePickerStopsAndPlaysOnWhateverTheComputerClockDoes)
{
    mainWindow().tmrCentrale_Timer(); // the first tick makes the time window, in real time
    auto* realTime = timeControl<QCheckBox>("chkUsaOraPc");
    ASSERT_NE(realTime, nullptr);
    EXPECT_TRUE(realTime->isChecked());
    EXPECT_FALSE(WindowRegistry::instance().find(windowNames::kTime)->isVisible());

    realTime->setChecked(false); // stopped
    const double stoppedAt = Data_attuale;
    ticks(30);
    EXPECT_EQ(Data_attuale, stoppedAt);

    auto* picker = timeControl<QDateTimeEdit>("DTPicker1");
    picker->setDateTime(QDateTime(QDate(2026, 12, 9), QTime(10, 0, 0), Qt::UTC));
    EXPECT_EQ(dateText(Data_attuale), QStringLiteral("2026-12-09 10:00:00"));
    timeControl<QPushButton>("cmdPlay")->click();
    ticks(1);
    EXPECT_EQ(dateText(Data_attuale), QStringLiteral("2026-12-09 10:00:00"));
    ticks(1);
    EXPECT_EQ(dateText(Data_attuale), QStringLiteral("2026-12-09 10:00:01"));
    m_clock.advance(3600); // the computer's clock jumps; simulated time does not
    ticks(119);
    EXPECT_EQ(dateText(Data_attuale), QStringLiteral("2026-12-09 10:02:00"));
    EXPECT_EQ(timeControl<QLabel>("lblLOCALTIME")->text(), QStringLiteral("10:02:00"));
    EXPECT_EQ(timeControl<QLabel>("lblUTTIME")->text(), QStringLiteral("09:02:00"));

    timeControl<QPushButton>("cmdStop")->click();
    ticks(10);
    EXPECT_EQ(dateText(Data_attuale), QStringLiteral("2026-12-09 10:02:00"));
    // Play starts again at the picker's instant, the start of the simulation.
    timeControl<QPushButton>("cmdPlay")->click();
    ticks(1);
    EXPECT_EQ(dateText(Data_attuale), QStringLiteral("2026-12-09 10:00:00"));

    realTime->setChecked(true);
    ticks(1);
    EXPECT_EQ(wallClockOf(Data_attuale), m_clock.currentUtc().addSecs(3600));
}

TEST_F(OneSecondTick, ClosedSatelliteGateKeepsClockAndTimeWindowGoingButComputesNoSatellite)
{
    threeSatellites();
    auto* table = loadFake<FakeTable>(windowNames::kTrack);
    pflgSatellite.setEnabled(false);
    ticks(3);
    EXPECT_EQ(dateText(Data_attuale), QStringLiteral("2026-12-08 21:00:03"));
    EXPECT_TRUE(mainWindow().statusPanelText(1).contains(QStringLiteral("21:00:03")));
    EXPECT_EQ(Valori[1].Distanza, 0.0);
    EXPECT_EQ(table->refreshes, 0);
    EXPECT_FALSE(timeControl<QLabel>("lblJD")->text().isEmpty());

    pflgSatellite.setEnabled(true);
    ticks(1);
    EXPECT_GT(Valori[1].Distanza, 0.0);
    EXPECT_GT(Valori[3].Distanza, 0.0);
    EXPECT_EQ(table->refreshes, 1);
}

TEST_F(OneSecondTick, WorldMapIsRedrawnInFullOnEvery61stTickThatReachesTheSatellites)
{
    threeSatellites();
    auto* map = loadFake<FakeWorldMap>(windowNames::kWorldMap);
    ticks(60);
    EXPECT_EQ(map->redraws, 0);
    ticks(1);
    EXPECT_EQ(map->redraws, 1);
    pflgSatellite.setEnabled(false); // these ticks do not count
    ticks(30);
    pflgSatellite.setEnabled(true);
    ticks(60);
    EXPECT_EQ(map->redraws, 1);
    ticks(1);
    EXPECT_EQ(map->redraws, 2);
    // Every tick draws every satellite.
    EXPECT_EQ(map->drawn.size(), 122u * 3u);
}

TEST_F(OneSecondTick, DecayedSatelliteIsRemovedWithItsMessageAndTheWorkingSetIsWritten)
{
    threeSatellites(decayingOrbit());
    auto* dataBar = loadFake<FakeDataBar>(windowNames::kFloating);
    const ModalAnswerer answerer;
    ticks(1);

    ASSERT_EQ(answerer.messages().size(), 1u);
    EXPECT_EQ(answerer.messages()[0].title, QStringLiteral("Second Sat"));
    EXPECT_EQ(answerer.messages()[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(answerer.messages()[0].text.startsWith(
        mLang::Testo_lingua(u"MDIForm1", u"satellitedecaduto1")));
    EXPECT_EQ(Numero_satelliti, 2);
    EXPECT_EQ(Satelement[2].Nome_satellite, "Third Sat");
    EXPECT_EQ(Satelement[3].Nome_satellite, "");
    EXPECT_EQ(dataBar->shown, 0) << "the tick ends with the removal";
    EXPECT_TRUE(pflgSatellite.isOpen());

    const QByteArray workingSet = readTestFile(folderFile(QStringLiteral("Quorvanel.ini")));
    EXPECT_EQ(workingSet.count("\r\n"), 6);
    EXPECT_TRUE(workingSet.startsWith("First Sat\r\n"));

    ticks(1);
    EXPECT_EQ(dataBar->shown, 1);
    EXPECT_EQ(answerer.messages().size(), 1u);
}

TEST_F(OneSecondTick, DecayedSatelliteStaysWhileAPassSearchRuns)
{
    threeSatellites(decayingOrbit());
    pflgRicerca = true;
    const ModalAnswerer answerer;
    ticks(2);
    EXPECT_TRUE(answerer.messages().empty());
    EXPECT_EQ(Numero_satelliti, 3);
    EXPECT_LT(Valori[2].Perigeo, 98.0);
}

TEST_F(OneSecondTick, SatelliteThatCannotBeComputedIsSkippedAndReportedOnce)
{
    TestOrbit broken;
    broken.catalogueNumber = 90009;
    broken.meanMotionRevPerDay = 0; // no orbit at all
    threeSatellites(broken);
    Valori[2].Orbita = 123.0; // the previous state it must keep
    auto* map = loadFake<FakeWorldMap>(windowNames::kWorldMap);
    const ModalAnswerer answerer;
    ticks(3);
    QCoreApplication::processEvents();
    ticks(2);
    QCoreApplication::processEvents();

    EXPECT_EQ(Valori[2].Orbita, 123.0);
    EXPECT_GT(Valori[1].Distanza, 0.0);
    EXPECT_GT(Valori[3].Distanza, 0.0);
    EXPECT_EQ(map->drawn, (std::vector<int>{1, 3, 1, 3, 1, 3, 1, 3, 1, 3}));
    ASSERT_EQ(answerer.messages().size(), 1u);
    EXPECT_EQ(answerer.messages()[0].title, QStringLiteral("Second Sat"));
    EXPECT_EQ(Numero_satelliti, 3);
    EXPECT_TRUE(mainWindow().statusPanelText(1).contains(QStringLiteral("21:00:05")));
}

TEST_F(OneSecondTick, LiveWindowsGetThePrincipalsTextsAndTheSatellitesTheirMenusAskFor)
{
    threeSatellites();
    auto* dataBar = loadFake<FakeDataBar>(windowNames::kFloating);
    auto* map = loadFake<FakeWorldMap>(windowNames::kWorldMap);
    auto* sky = loadFake<FakeLocalSky>(windowNames::kLocalSky);
    auto* table = loadFake<FakeTable>(windowNames::kTrack);
    auto* planets = loadFake<FakeTable>(windowNames::kPlanets);
    ticks(1);
    EXPECT_EQ(dataBar->shown, 1);
    EXPECT_EQ(map->shown, 1);
    EXPECT_EQ(sky->shown, 1);
    EXPECT_EQ(dataBar->last.state, MDIForm1::Stato2Stringa(Valori[1].Stato));
    EXPECT_FALSE(dataBar->last.state.isEmpty());
    EXPECT_EQ(map->footprints, 0);
    EXPECT_EQ(sky->drawn, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(table->refreshes, 1);
    EXPECT_EQ(planets->refreshes, 1);

    mainWindow().menuItem(QStringLiteral("mnuWorldmapCerchioVisibilita"))->trigger();
    mainWindow().menuItem(QStringLiteral("mnuLocalSkySoloPrincipale"))->trigger();
    sky->drawn.clear();
    ticks(1);
    EXPECT_EQ(map->footprints, 1);
    EXPECT_EQ(sky->drawn, (std::vector<int>{1}));
}

} // namespace

// The one-second tick driven on a test clock: real and simulated time, the gates, the
// periodic full redraw of the world map, the decay removal, satellites that cannot be
// computed, and what the tick publishes into the tracking model for the windows.

#include "MainWindowTestSupport.h"

#include "common/gates.h"
#include "common/program_time.h"
#include "core/DateValue.h"
#include "mainwindow/MDIForm1.h"
#include "database/WorkingSet.h"
#include "services/WindowRegistry.h"
#include "services/mLang.h"
#include "tracking/TrackingModel.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QLabel>
#include <QPushButton>

namespace {

/// A low orbit whose perigee lies below 98 km: a = 6543 km, e = 0.012.
TestOrbit decayingOrbit()
{
    TestOrbit orbit;
    orbit.catalogueNumber = 90002;
    orbit.meanMotionRevPerDay = 16.4;
    orbit.eccentricity = 0.012;
    return orbit;
}

class OneSecondTick : public TickingMainWindowTest
{
protected:
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
    EXPECT_EQ(clockText(Data_attuale), QStringLiteral("2026-12-08 21:00:00"));
    EXPECT_EQ(mainWindow().statusPanelText(1), QStringLiteral("08 December 2026  21:00:00 "));

    m_clock.advance(1);
    Osservatore.Ora_legale = 1;
    mainWindow().tmrCentrale_Timer();
    EXPECT_EQ(clockText(Data_attuale), QStringLiteral("2026-12-08 22:00:01"));
    EXPECT_EQ(mainWindow().statusPanelText(1), QStringLiteral("08 December 2026  22:00:01 *"));

    // The clock read is the computer's, not the count of ticks: a missed second is caught up.
    m_clock.advance(5);
    mainWindow().tmrCentrale_Timer();
    EXPECT_EQ(clockText(Data_attuale), QStringLiteral("2026-12-08 22:00:06"));
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
    EXPECT_EQ(clockText(Data_attuale), QStringLiteral("2026-12-09 10:00:00"));
    timeControl<QPushButton>("cmdPlay")->click();
    ticks(1);
    EXPECT_EQ(clockText(Data_attuale), QStringLiteral("2026-12-09 10:00:00"));
    ticks(1);
    EXPECT_EQ(clockText(Data_attuale), QStringLiteral("2026-12-09 10:00:01"));
    m_clock.advance(3600); // the computer's clock jumps; simulated time does not
    ticks(119);
    EXPECT_EQ(clockText(Data_attuale), QStringLiteral("2026-12-09 10:02:00"));
    EXPECT_EQ(timeControl<QLabel>("lblLOCALTIME")->text(), QStringLiteral("10:02:00"));
    EXPECT_EQ(timeControl<QLabel>("lblUTTIME")->text(), QStringLiteral("09:02:00"));

    timeControl<QPushButton>("cmdStop")->click();
    ticks(10);
    EXPECT_EQ(clockText(Data_attuale), QStringLiteral("2026-12-09 10:02:00"));
    // Play starts again at the picker's instant, the start of the simulation.
    timeControl<QPushButton>("cmdPlay")->click();
    ticks(1);
    EXPECT_EQ(clockText(Data_attuale), QStringLiteral("2026-12-09 10:00:00"));

    realTime->setChecked(true);
    ticks(1);
    EXPECT_EQ(wallClockOf(Data_attuale), m_clock.currentUtc().addSecs(3600));
}

TEST_F(OneSecondTick, ClosedSatelliteGateKeepsClockAndTimeWindowGoingButComputesNoSatellite)
{
    threeSatellites();
    const ModelRecorder model;
    pflgSatellite.setEnabled(false);
    ticks(3);
    EXPECT_EQ(clockText(Data_attuale), QStringLiteral("2026-12-08 21:00:03"));
    EXPECT_TRUE(mainWindow().statusPanelText(1).contains(QStringLiteral("21:00:03")));
    EXPECT_EQ(Valori[1].Distanza, 0.0);
    ASSERT_EQ(model.ticks.size(), 3u);
    EXPECT_FALSE(model.ticks.back().satellitesUpdated) << "the tracking table is not refreshed";
    EXPECT_FALSE(model.ticks.back().hasPrincipal);
    EXPECT_FALSE(timeControl<QLabel>("lblJD")->text().isEmpty());

    pflgSatellite.setEnabled(true);
    ticks(1);
    EXPECT_GT(Valori[1].Distanza, 0.0);
    EXPECT_GT(Valori[3].Distanza, 0.0);
    EXPECT_TRUE(model.ticks.back().satellitesUpdated);
    EXPECT_EQ(model.freshSlots(), (std::vector<int>{1, 2, 3}));

    // Closed again: the last computed satellites stay in the snapshot, none of them fresh.
    pflgSatellite.setEnabled(false);
    ticks(1);
    ASSERT_EQ(model.ticks.back().satellites.size(), 3u);
    EXPECT_EQ(model.ticks.back().satellites[2].state.Distanza, Valori[3].Distanza);
    EXPECT_EQ(model.freshSlots().size(), 3u);
}

TEST_F(OneSecondTick, WorldMapIsRedrawnInFullOnEvery61stTickThatReachesTheSatellites)
{
    threeSatellites();
    const ModelRecorder model;
    ticks(60);
    EXPECT_EQ(model.mapRedraws, 0);
    ticks(1);
    EXPECT_EQ(model.mapRedraws, 1);
    pflgSatellite.setEnabled(false); // these ticks do not count
    ticks(30);
    pflgSatellite.setEnabled(true);
    ticks(60);
    EXPECT_EQ(model.mapRedraws, 1);
    ticks(1);
    EXPECT_EQ(model.mapRedraws, 2);
    // Every tick that reaches the satellites brings every satellite fresh.
    EXPECT_EQ(model.freshSlots().size(), 122u * 3u);
}

TEST_F(OneSecondTick, DecayedSatelliteIsRemovedWithItsMessageAndTheWorkingSetIsWritten)
{
    threeSatellites(decayingOrbit());
    const ModelRecorder model;
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
    EXPECT_TRUE(model.ticks.empty()) << "the tick ends with the removal";
    EXPECT_TRUE(pflgSatellite.isOpen());

    const QByteArray workingSet = readTestFile(folderFile(QStringLiteral("Quorvanel.ini")));
    EXPECT_EQ(workingSet.count("\r\n"), 6);
    EXPECT_TRUE(workingSet.startsWith("First Sat\r\n"));

    ticks(1);
    ASSERT_EQ(model.ticks.size(), 1u);
    EXPECT_TRUE(model.ticks[0].hasPrincipal);
    EXPECT_EQ(model.ticks[0].satellites.size(), 2u);
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
    const ModelRecorder model;
    const ModalAnswerer answerer;
    ticks(3);
    QCoreApplication::processEvents();
    ticks(2);
    QCoreApplication::processEvents();

    EXPECT_EQ(Valori[2].Orbita, 123.0);
    EXPECT_GT(Valori[1].Distanza, 0.0);
    EXPECT_GT(Valori[3].Distanza, 0.0);
    EXPECT_EQ(model.freshSlots(), (std::vector<int>{1, 3, 1, 3, 1, 3, 1, 3, 1, 3}));
    EXPECT_EQ(model.ticks.back().satellites[1].state.Orbita, 123.0);
    ASSERT_EQ(answerer.messages().size(), 1u);
    EXPECT_EQ(answerer.messages()[0].title, QStringLiteral("Second Sat"));
    EXPECT_EQ(Numero_satelliti, 3);
    EXPECT_TRUE(mainWindow().statusPanelText(1).contains(QStringLiteral("21:00:05")));
}

TEST_F(OneSecondTick, TickThatFailsEverySecondIsToldOnceAndKeepsTrying)
{
    threeSatellites();
    int published = 0;
    QObject listener;
    // A subscriber of the tick fails with something that is no std::exception.
    QObject::connect(&TrackingModel::instance(), &TrackingModel::ticked, &listener, [&published] {
        ++published;
        throw 7;
    });
    const ModalAnswerer answerer;
    ticks(3);
    QCoreApplication::processEvents();
    ticks(2);
    QCoreApplication::processEvents();

    EXPECT_EQ(published, 5) << "every tick ran again";
    ASSERT_EQ(answerer.messages().size(), 1u);
    EXPECT_EQ(answerer.messages()[0].text, mLang::Testo_lingua(u"MDIForm1", u"erroreaggiornamento"));
}

TEST_F(OneSecondTick, SnapshotCarriesEverySatelliteOnceAndThePrincipalsTexts)
{
    threeSatellites();
    const ModelRecorder model;
    ticks(1);
    ASSERT_EQ(model.ticks.size(), 1u);
    const TickSnapshot& tick = model.ticks[0];
    ASSERT_EQ(tick.satellites.size(), 3u);
    EXPECT_EQ(tick.satellites[0].slot, 1);
    EXPECT_EQ(tick.satellites[1].name, "Second Sat");
    EXPECT_EQ(tick.satellites[2].catalogueNumber, Satelement[3].Numero_catalogo);
    EXPECT_EQ(tick.satellites[0].state.Azimut, Valori[1].Azimut);
    EXPECT_TRUE(tick.hasPrincipal);
    EXPECT_EQ(tick.principal.state, MDIForm1::Stato2Stringa(Valori[1].Stato));
    EXPECT_FALSE(tick.principal.state.isEmpty());
    EXPECT_EQ(tick.time.Data_giuliana, mAstro::Data_giuliana);
    ticks(1);
    EXPECT_EQ(model.ticks[1].serial, model.ticks[0].serial + 1);

    // The tick reads no menu: the footprint and principal-only choices are the windows'.
    mainWindow().menuItem(QStringLiteral("mnuWorldmapCerchioVisibilita"))->trigger();
    mainWindow().menuItem(QStringLiteral("mnuLocalSkySoloPrincipale"))->trigger();
    ticks(1);
    EXPECT_EQ(model.ticks[2].satellites.size(), 3u);
}

} // namespace

// The program clock as the user sets it in the time window, seen from the rest of the program:
// Windows > Close all leaves a simulated clock as it was, and a jump of the clock (Start, Stop,
// back to the computer's clock, a clock synchronisation) reaches the maps and charts at once,
// as does a change of principal or place while the clock stands still.

#include "MainWindowTestSupport.h"

#include "app/WindowCatalogue.h"
#include "common/gates.h"
#include "common/program_time.h"
#include "controls/GraphButton/GraphButton.h"
#include "database/DatabaseCommands.h"
#include "database/frmDatabase.h"
#include "database/frmSyncro.h"
#include "dialogs/frmLocation.h"
#include "services/DisplayFormat.h"
#include "core/DateValue.h"
#include "core/mAstro.h"
#include "core/mSat.h"
#include "mainwindow/MDIForm1.h"
#include "services/WindowNames.h"
#include "services/WindowRegistry.h"
#include "services/mGlobal.h"
#include "skycharts/frmGeneralSky.h"
#include "skycharts/frmLocalSky.h"
#include "tracking/TrackingModel.h"
#include "worldmap/frmChannel.h"
#include "worldmap/frmTrack.h"
#include "worldmap/frmWorldMap.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>

namespace {

class SimulatedClock : public TickingMainWindowTest
{
protected:
    void SetUp() override
    {
        TickingMainWindowTest::SetUp();
        mainWindow().tmrCentrale_Timer(); // the first tick makes the time window
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
    ASSERT_EQ(clockText(Data_attuale), QStringLiteral("2018-06-21 10:00:04"));
    closeAll();
    ticks(1);
    EXPECT_EQ(clockText(Data_attuale), QStringLiteral("2018-06-21 10:00:05"))
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
    EXPECT_EQ(clockText(Data_attuale), QStringLiteral("2018-06-21 10:00:05"));
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
    EXPECT_EQ(clockText(Data_attuale), QStringLiteral("2018-06-21 10:00:00"));
}

TEST_F(SimulatedClock, CloseAllInRealTimeStaysInRealTime)
{
    closeAll();
    ticks(1);
    EXPECT_EQ(wallClockOf(Data_attuale), m_clock.currentUtc().addSecs(3600));
    EXPECT_TRUE(timeControl<QCheckBox>("chkUsaOraPc")->isChecked());
    EXPECT_FALSE(timeControl<QPushButton>("cmdPlay")->isEnabled());
}

TEST_F(SimulatedClock, EveryJumpOfTheClockIsPublishedOnceAtTheNewInstant)
{
    const ModelRecorder published;
    const auto jumpedTo = [&]() -> QString {
        if (published.ticks.empty() || !published.ticks.back().clockJumped)
            return QStringLiteral("no jump");
        return clockText(published.ticks.back().time.Data_locale);
    };

    // Start: the tick that shows the chosen instant is the one that tells of the jump.
    startSimulationAt(m_start);
    ticks(1);
    EXPECT_EQ(jumpedTo(), QStringLiteral("2018-06-21 10:00:00"));
    ticks(1);
    EXPECT_EQ(jumpedTo(), QStringLiteral("no jump"));
    ticks(8);

    // Stop: no tick follows, so the stopped instant is published at once.
    std::size_t before = published.ticks.size();
    timeControl<QPushButton>("cmdStop")->click();
    ASSERT_EQ(published.ticks.size(), before + 1);
    EXPECT_EQ(jumpedTo(), QStringLiteral("2018-06-21 10:00:09"));
    EXPECT_EQ(clockText(Data_attuale), QStringLiteral("2018-06-21 10:00:09"));

    // Back to the computer's clock: the next tick, at the computer's time.
    timeControl<QCheckBox>("chkUsaOraPc")->setChecked(true);
    ticks(1);
    EXPECT_EQ(jumpedTo(), clockText(DateValue::addSeconds(utcDateValue(m_clock.currentUtc()), 3600)));

    // The real-time box unticked stops the clock at once.
    before = published.ticks.size();
    timeControl<QCheckBox>("chkUsaOraPc")->setChecked(false);
    EXPECT_EQ(published.ticks.size(), before + 1);
    EXPECT_TRUE(published.ticks.back().clockJumped);
    ticks(3);
    EXPECT_EQ(published.ticks.size(), before + 1) << "a stopped clock publishes nothing more";
}

TEST_F(SimulatedClock, AJumpWhileAComputationHoldsTheClockIsPublishedByTheTickAfterIt)
{
    const ModelRecorder published;
    {
        const TickPause computation(pflgCentrale);
        TrackingModel::instance().notifyClockJumped();
        ticks(2);
        EXPECT_TRUE(published.ticks.empty()) << "the computation owns the time state";
    }
    ticks(1);
    ASSERT_EQ(published.ticks.size(), 1u);
    EXPECT_TRUE(published.ticks.back().clockJumped);
}

namespace {

/// The world map, the local sky and the whole-sky chart open in the program.
class ChartsAfterAJump : public SimulatedClock
{
protected:
    void SetUp() override
    {
        SimulatedClock::SetUp();
        ASSERT_TRUE(QFile::copy(QStringLiteral(QUORVANEL_DATA_DIR "/MapEarth.dat"),
                                folderFile(QStringLiteral("MapEarth.dat"))));
        defineWindows(mainWindow());
        loadWorkingSet({elementSet("FIRST SAT", TestOrbit{})});
        mainWindow().resize(1400, 900);
        mainWindow().show();
        ASSERT_TRUE(mainWindow().runCommand(QStringLiteral("mnuTerraMappaRettangolare")));
        ASSERT_TRUE(mainWindow().runCommand(QStringLiteral("mnuCieloMappaLocale")));
        ASSERT_TRUE(mainWindow().runCommand(QStringLiteral("mnuCieloMappaGenerale")));
        QCoreApplication::processEvents();
        WindowRegistry& windows = WindowRegistry::instance();
        m_map = qobject_cast<frmWorldMap*>(windows.find(windowNames::kWorldMap));
        m_localSky = qobject_cast<frmLocalSky*>(windows.find(windowNames::kLocalSky));
        m_wholeSky = qobject_cast<frmGeneralSky*>(windows.find(windowNames::kGeneralSky));
        ASSERT_TRUE(m_map && m_localSky && m_wholeSky);
        ticks(2);
    }

    void TearDown() override
    {
        for (QMdiSubWindow* frame : mainWindow().mdiArea()->subWindowList())
            WindowRegistry::instance().unload(frame->widget());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        SimulatedClock::TearDown();
    }

    /// The world map's background is the one a full redraw makes now.
    void expectMapDrawnForThePresent(const char* what)
    {
        const QImage shown = m_map->background();
        m_map->Genera_mappa();
        EXPECT_TRUE(shown == m_map->background()) << what;
    }

    frmWorldMap* m_map = nullptr;
    frmLocalSky* m_localSky = nullptr;
    frmGeneralSky* m_wholeSky = nullptr;
};

} // namespace

TEST_F(ChartsAfterAJump, StartAndStopRedrawEveryChartForTheNewInstantAtOnce)
{
    timeControl<QCheckBox>("chkUsaOraPc")->setChecked(false);
    timeControl<QDateTimeEdit>("DTPicker1")->setDateTime(m_start);
    const qint64 mapBefore = m_map->background().cacheKey();
    const int localBefore = m_localSky->redrawCount();
    const int wholeBefore = m_wholeSky->redrawCount();
    timeControl<QPushButton>("cmdPlay")->click();
    ticks(1);
    EXPECT_NE(m_map->background().cacheKey(), mapBefore);
    expectMapDrawnForThePresent("after Start");
    EXPECT_EQ(m_localSky->redrawCount(), localBefore + 1);
    EXPECT_EQ(m_wholeSky->redrawCount(), wholeBefore + 1);
    EXPECT_EQ(m_wholeSky->chartTime(), QStringLiteral("21 Jun 2018 10:00"));

    // Ten minutes on, Stop: the stopped charts show the stopped instant, not one ten minutes
    // old that no later redraw would mend.
    ticks(600);
    const int localRunning = m_localSky->redrawCount();
    const int wholeRunning = m_wholeSky->redrawCount();
    timeControl<QPushButton>("cmdStop")->click();
    expectMapDrawnForThePresent("after Stop");
    EXPECT_EQ(m_localSky->redrawCount(), localRunning + 1);
    EXPECT_EQ(m_wholeSky->redrawCount(), wholeRunning + 1);
    EXPECT_EQ(m_wholeSky->chartTime(), QStringLiteral("21 Jun 2018 10:10"));
}

TEST_F(ChartsAfterAJump, ASynchronisedComputerClockRedrawsTheChartsThatFollowIt)
{
    auto* synchronisation =
        qobject_cast<frmSyncro*>(WindowRegistry::instance().form(windowNames::kSyncro));
    ASSERT_NE(synchronisation, nullptr);
    const qint64 mapBefore = m_map->background().cacheKey();
    const int localBefore = m_localSky->redrawCount();
    const int wholeBefore = m_wholeSky->redrawCount();
    m_clock.advance(3 * 24 * 3600); // what the synchronisation did to the computer's clock
    emit synchronisation->clockSet();
    WindowRegistry::instance().unload(synchronisation);
    ticks(1);
    EXPECT_NE(m_map->background().cacheKey(), mapBefore);
    expectMapDrawnForThePresent("after the synchronisation");
    EXPECT_EQ(m_localSky->redrawCount(), localBefore + 1);
    EXPECT_EQ(m_wholeSky->redrawCount(), wholeBefore + 1);

    // A simulated clock does not follow the computer's: nothing to redraw.
    startSimulationAt(m_start);
    ticks(3);
    const int wholeSimulated = m_wholeSky->redrawCount();
    synchronisation =
        qobject_cast<frmSyncro*>(WindowRegistry::instance().form(windowNames::kSyncro));
    emit synchronisation->clockSet();
    WindowRegistry::instance().unload(synchronisation);
    ticks(1);
    EXPECT_EQ(m_wholeSky->redrawCount(), wholeSimulated);
}

TEST_F(ChartsAfterAJump, WhileTheClockStandsStillAnotherPrincipalOrPlaceIsShownAtOnce)
{
    writeTestFile(folderFile(QStringLiteral("cities.dat")), "\"Norway: Tromso\",69.65,18.96,1\r\n");
    TestOrbit second;
    second.catalogueNumber = 90002;
    second.meanAnomalyDeg = 100.0;
    loadWorkingSet({elementSet("FIRST SAT", TestOrbit{}), elementSet("SECOND SAT", second)});
    ticks(1);
    ASSERT_TRUE(mainWindow().runCommand(QStringLiteral("mnuVisualizzaBarraDati")));
    timeControl<QCheckBox>("chkUsaOraPc")->setChecked(false); // the clock stops here
    const double stoppedAt = Data_attuale;
    // A value of the principal as the world map, the local sky and the data bar show it.
    const auto shown = [this](const char* label) {
        std::vector<QString> texts;
        for (const QWidget* window : {static_cast<QWidget*>(m_map), static_cast<QWidget*>(m_localSky),
                                      WindowRegistry::instance().find(windowNames::kFloating)})
            texts.push_back(window->findChild<QLabel*>(QString::fromLatin1(label))->text());
        return texts;
    };
    const auto principal = [](double value, const QString& pattern, const std::string& after) {
        return std::vector<QString>(
            3, formatNumber(value, pattern, QLocale()) + QString::fromStdString(after));
    };

    // Another principal, clicked on the world map.
    const ModalAnswerer yes(QMessageBox::Yes);
    auto* picture = m_map->findChild<QWidget*>(QStringLiteral("Picture1"));
    const QPoint at = m_map->mapProjection()
                          .placeToPixel(Valori[2].Longitudine_subsatellite, Valori[2].Latitudine_subsatellite)
                          .value_or(QPointF())
                          .toPoint();
    QTest::mouseMove(picture, at);
    QTest::mouseClick(picture, Qt::LeftButton, {}, at);
    ASSERT_EQ(Satelement[kPrincipalSlot].Nome_satellite, "Second Sat");
    EXPECT_EQ(shown("lblLatitude"), principal(Valori[kPrincipalSlot].Latitudine,
                                              QStringLiteral("#0.00\u00B0"),
                                              Valori[kPrincipalSlot].Emisfero_ns));

    // Another place in the same zone: the same instant seen from elsewhere.
    ASSERT_TRUE(mainWindow().runCommand(QStringLiteral("mnuOpzioniLocalita")));
    auto* location =
        qobject_cast<frmLocation*>(WindowRegistry::instance().find(windowNames::kLocation));
    location->findChild<QListWidget*>(QStringLiteral("cmbCity"))
        ->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
    location->cmdOk_Click();
    ASSERT_EQ(Osservatore.Nome_localita, "Norway: Tromso");
    EXPECT_EQ(shown("lblAltitude"),
              principal(Valori[kPrincipalSlot].Elevazione, QStringLiteral("00.00\u00B0"), ""));

    // A satellite added through the database window and made principal, then its second radio
    // channel chosen in the tracking table while a computation holds the tick.
    TestOrbit third;
    third.catalogueNumber = 7530; // two channels in the frequency table: 29.45 and 145.95 MHz
    third.meanAnomalyDeg = 200.0;
    QByteArray file;
    for (const Record_TLE& set : {RigaDati[1], RigaDati[2], elementSet("THIRD SAT", third)})
        file += QByteArray::fromStdString(set.Riga0 + "\r\n" + set.Riga1 + "\r\n" + set.Riga2 + "\r\n");
    writeTestFile(folderFile(QStringLiteral("elements.txt")), file);
    Impostazioni.File_database = folderFile(QStringLiteral("elements.txt")).toStdString();
    ASSERT_TRUE(mainWindow().runCommand(QStringLiteral("mnuSatellitiDatabase")));
    frmDatabase* database = databaseWindow();
    ASSERT_NE(database, nullptr);
    auto* primary = database->findChild<QListView*>(QStringLiteral("lstDatabase(0)"));
    const QModelIndexList thirdRow = primary->model()->match(
        primary->model()->index(0, 0), Qt::DisplayRole, QStringLiteral("THIRD"), 1, Qt::MatchContains);
    ASSERT_EQ(thirdRow.size(), 1);
    primary->setCurrentIndex(thirdRow.front());
    emit database->findChild<GraphButton*>(QStringLiteral("cmdAdd(0)"))->Click();
    ASSERT_EQ(Numero_satelliti, 3);
    EXPECT_EQ(TrackingModel::instance().snapshot().satellites.size(), 3u) << "the added one shown";
    auto* active = database->findChild<QListView*>(QStringLiteral("lstActive"));
    active->setCurrentIndex(active->model()->index(2, 0));
    database->cmdPrincipale_Click();
    ASSERT_EQ(Satelement[kPrincipalSlot].Nome_satellite, "Third Sat");
    EXPECT_EQ(shown("lblLatitude"), principal(Valori[kPrincipalSlot].Latitudine,
                                              QStringLiteral("#0.00\u00B0"),
                                              Valori[kPrincipalSlot].Emisfero_ns));
    auto* table = WindowRegistry::instance().form<frmTrack>(windowNames::kTrack);
    const auto unloadTable = qScopeGuard([table] { WindowRegistry::instance().unload(table); });
    table->cmdCanale_Click(0); // the first row
    auto* chooser =
        qobject_cast<frmChannel*>(WindowRegistry::instance().find(QStringLiteral("frmChannel")));
    ASSERT_NE(chooser, nullptr);
    chooser->List1->setCurrentRow(1);
    {
        const TickPause search(pflgSatellite);
        chooser->cmdOK_Click();
    }
    QCoreApplication::processEvents(); // as the hold ends, before any tick
    for (const QString& downlink : shown("lblRicez"))
        EXPECT_TRUE(downlink.startsWith(formatNumber(145.9, QStringLiteral("0.0"), QLocale())))
            << downlink.toStdString();
    EXPECT_EQ(Data_attuale, stoppedAt) << "the clock stood still";
}

TEST_F(ChartsAfterAJump, WhileTheClockStandsStillANewStartAndAnotherLanguageAreShownAtOnce)
{
    ASSERT_TRUE(mainWindow().runCommand(QStringLiteral("mnuVisualizzaBarraDati")));
    const auto shownLatitudes = [this] {
        return std::vector<QString>{
            m_map->findChild<QLabel*>(QStringLiteral("lblLatitude"))->text(),
            WindowRegistry::instance().find(windowNames::kFloating)
                ->findChild<QLabel*>(QStringLiteral("lblLatitude"))->text()};
    };
    timeControl<QCheckBox>("chkUsaOraPc")->setChecked(false); // the clock stops here
    const int localBefore = m_localSky->redrawCount();

    // A new simulation start, without Start: every window at the picked instant at once.
    timeControl<QDateTimeEdit>("DTPicker1")->setDateTime(m_start);
    EXPECT_TRUE(mainWindow().statusPanelText(1).startsWith(QStringLiteral("21 June 2018")))
        << mainWindow().statusPanelText(1).toStdString();
    EXPECT_EQ(m_wholeSky->chartTime(), QStringLiteral("21 Jun 2018 10:00"));
    EXPECT_EQ(m_localSky->redrawCount(), localBefore + 1);
    expectMapDrawnForThePresent("after a new start");
    const std::vector<QString> shown = shownLatitudes();
    mSat::Calcola_satellite(kPrincipalSlot, mAstro::Data_giuliana);
    const Posizione_satellite& now = Valori[kPrincipalSlot];
    EXPECT_EQ(shown, std::vector<QString>(2, formatNumber(now.Latitudine, QStringLiteral("#0.00\u00B0"),
                                                          QLocale()) +
                                                 QString::fromStdString(now.Emisfero_ns)));

    // Another language: the data bar opened again shows the satellite's state in its words.
    QByteArray other = readTestFile(folderFile(QStringLiteral("English.ini")));
    for (const auto& [english, italian] : {std::pair{"=Eclipsed\n", "=Eclissato\n"},
                                           std::pair{"=Not visible\n", "=Non visibile\n"},
                                           std::pair{"=Visible\n", "=Visibile\n"}})
        other.replace(english, italian);
    writeTestFile(folderFile(QStringLiteral("Italiano.ini")), other);
    QWidget* chooser = WindowRegistry::instance().form(windowNames::kLanguage); // no modal loop
    ASSERT_NE(chooser, nullptr);
    chooser->show();
    chooser->findChild<QListWidget*>(QStringLiteral("lstLingua"))->setCurrentRow(1);
    emit chooser->findChild<GraphButton*>(QStringLiteral("cmdOK"))->Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(mainWindow().runCommand(QStringLiteral("mnuVisualizzaBarraDati")));
    const QString state = WindowRegistry::instance()
                              .find(windowNames::kFloating)
                              ->findChild<QLabel*>(QStringLiteral("lblState"))
                              ->text();
    EXPECT_TRUE(state == u"Eclissato" || state == u"Non visibile" || state == u"Visibile")
        << state.toStdString();
}

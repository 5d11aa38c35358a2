// The main window's menus, toolbar and status bar: names, captions, design states, which
// commands wait for windows not built yet, and the commands that act on the bars, the map
// menus and the window list.

#include "ChartProbes.h"
#include "MainWindowTestSupport.h"

#include "common/gates.h"
#include "mainwindow/MDIForm1.h"
#include "mainwindow/MainBars.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/MdiArrangement.h"
#include "mainwindow/MenuBindings.h"
#include "services/WindowNames.h"
#include "services/mGlobal.h"
#include "services/mLang.h"
#include "services/mReg.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

#include <optional>
#include <set>

namespace {

/// The menu items the language file captions, by their fixed names.
const QStringList kCaptionedItems =
    QStringLiteral(
        "mnuFile mnuFileApri mnuFileVisualizza mnuFileNuovo mnuFileModifica mnuFileSalva "
        "mnuFileImpostaStampante mnuFileStampa mnuFileRipristinaImpostazioni "
        "mnuFileSalvaImpostazioni mnuFileEsci mnuModifica mnuModificaAnnulla mnuModificaTaglia "
        "mnuModificaCopia mnuModificaIncolla mnuModificaCancella mnuVisualizza "
        "mnuVisualizzaBarraPulsanti mnuVisualizzaBarraStato mnuVisualizzaBarraDati "
        "mnuVisualizzaColoriNotte mnuWorldmapGriglia mnuWorldmapDatiSatellite "
        "mnuWorldmapCoordinateMouse mnuWorldmapNomeCitta mnuWorldmapSatellite "
        "mnuWorldmapCerchioVisibilita mnuWorldmapTracciatoOrbita mnuWorldmapRimuovi "
        "mnuWorldmapRidisegnaMappa mnuWorldmapChiudi mnuWorldmapRiquadroDati mnuWorldmapSole "
        "mnuWorldmapTerminatore mnuWorldmapOmbra mnuTerra mnuTerraMappaRettangolare "
        "mnuTerraMappaOrtografica mnuCielo mnuCieloMappaLocale mnuCieloMappaGenerale mnuSatelliti "
        "mnuSatellitiDatabase mnuSatellitiElementiOrbitali mnuSatellitiMotoRelativo "
        "mnuSatellitiCalcoloEffemeridi mnuSatellitiPrevisioniPassaggi mnuEffemeridi "
        "mnuEffemeridiPianeti mnuEffemeridiSatelliti mnuEffemeridiAlmanacco mnuStrumenti "
        "mnuStrumentiCalendario mnuStrumentiCalcolatrice mnuStrumentiProgramma "
        "mnuStrumentiDownload mnuStrumentiFormattazione mnuStrumentiSincronizzazione mnuOpzioni "
        "mnuOpzioniData mnuOpzioniLocalita mnuOpzioniGenerali mnuOpzioniSatelliti "
        "mnuOpzioniMappamondo mnuOpzioniCieloLocale mnuOpzioniCieloGenerale mnuOpzioniAnteprime "
        "mnuOpzioniFiltri mnuOpzioniServerNTP mnuOpzioniEsegui mnuOpzioniDownload mnuOpzioniColori "
        "mnuOpzioniLingua mnuFinestre mnuFinestreDiscesa mnuFinestreDisponiOrizzontale "
        "mnuFinestreDisponiVerticale mnuFinestreChiudiTutto mnuFinestreDisponiTutto mnuAiuto "
        "mnuAiutoSommario mnuAiutoCerca mnuAiutoInformazioni mnuLocalSkyGriglia "
        "mnuLocalSkyPaesaggio mnuLocalSkyCoordEquat mnuLocalSkyCoordOrizz mnuLocalSkyProiezStereo "
        "mnuLocalSkyProiezNormale mnuLocalSkyOrientamento mnuLocalSkyOrientamentoNord "
        "mnuLocalSkyOrientamentoSud mnuLocalSkyOrientamentoOvest mnuLocalSkyOrientamentoEst "
        "mnuLocalSkyOggetti mnuLocalSkyOggettiCostellazioni mnuLocalSkyOggettiPianeti "
        "mnuLocalSkyOggettiSoleLuna mnuLocalSkyEtichette mnuLocalSkyEtichetteCostellazioni "
        "mnuLocalSkyEtichettePianeti mnuLocalSkyEtichetteSoleLuna mnuLocalSkyMagnitudine "
        "mnuLocalSkyZoom mnuLocalSkyRipristina mnuLocalSkySatellite mnuLocalSkyTransitoPrincipale "
        "mnuLocalSkyTempi mnuLocalSkySoloPrincipale mnuLocalSkyRidisegnaMappa mnuLocalSkyStampa "
        "mnuLocalSkyChiudi mnuLocalSkyRiquadroDati mnuGeneralSkyGriglia mnuGeneralSkyOggetti "
        "mnuGeneralSkyOggettiCostellazioni mnuGeneralSkyOggettiPianeti "
        "mnuGeneralSkyOggettiSoleLuna "
        "mnuGeneralSkyEtichette mnuGeneralSkyEtichetteCostellazioni mnuGeneralSkyEtichettePianeti "
        "mnuGeneralSkyEtichetteSoleLuna mnuGeneralSkyMagnitudine mnuGeneralSkyZoom "
        "mnuGeneralSkyRipristina mnuGeneralSkyRidisegnaMappa mnuGeneralSkyStampa "
        "mnuGeneralSkyChiudi mnuSkySatGriglia mnuSkySatPaesaggio mnuSkySatProiezStereo "
        "mnuSkySatProiezNormale mnuSkySatOrientamento mnuSkySatOrientamentoNord "
        "mnuSkySatOrientamentoSud mnuSkySatOrientamentoOvest mnuSkySatOrientamentoEst "
        "mnuSkySatOggetti mnuSkySatOggettiCostellazioni mnuSkySatOggettiPianeti "
        "mnuSkySatOggettiSoleLuna mnuSkySatEtichette mnuSkySatEtichetteCostellazioni "
        "mnuSkySatEtichettePianeti mnuSkySatEtichetteSoleLuna mnuSkySatMagnitudine "
        "mnuSkySatRidisegnaMappa mnuSkySatStampa mnuSkySatChiudi")
        .split(u' ');

/// A document window that prints, as the listings and the sky charts do.
class PrintingWindow : public QWidget
{
    Q_OBJECT

public slots:
    void Stampa() { ++prints; }

public:
    int prints = 0;
};

class MainWindowMenus : public MainWindowTest
{
protected:
    QAction* item(const char* name) { return mainWindow().menuItem(QString::fromLatin1(name)); }
    bool ticked(const char* name) { return item(name)->isChecked(); }
    static TrackingModel& model() { return TrackingModel::instance(); }
    ChartCommandRecorder m_charts;
};

TEST_F(MainWindowMenus, EveryItemCarriesItsNameAndItsCaptionFromTheLanguageFile)
{
    ASSERT_EQ(kCaptionedItems.size(), 150);
    MDIForm1& window = mainWindow();
    for (const QString& name : kCaptionedItems) {
        QAction* action = window.menuItem(name);
        ASSERT_NE(action, nullptr) << name.toStdString();
        EXPECT_EQ(action->objectName(), name);
        EXPECT_FALSE(action->text().isEmpty()) << name.toStdString();
        EXPECT_EQ(window.findChildren<QObject*>(name).isEmpty(), false);
    }
    for (const QString& popup : popupMenuNames())
        EXPECT_NE(window.menu(popup), nullptr) << popup.toStdString();
    EXPECT_EQ(item("mnuVisualizzaBarraDati")->text(), item("mnuLocalSkyRiquadroDati")->text());
}

TEST_F(MainWindowMenus, EveryItemWithoutSubmenuHasExactlyOneCommand)
{
    std::set<QString> commands;
    for (const MDIForm1::Command& command : MDIForm1::commandTable()) {
        EXPECT_TRUE(commands.insert(command.item).second) << command.item.toStdString();
        ASSERT_NE(mainWindow().menuItem(command.item), nullptr) << command.item.toStdString();
        EXPECT_EQ(mainWindow().menuItem(command.item)->menu(), nullptr);
    }
    for (const QString& name : kCaptionedItems) {
        if (mainWindow().menuItem(name)->menu() == nullptr) {
            EXPECT_EQ(commands.count(name), 1u) << name.toStdString();
        }
    }
}

TEST_F(MainWindowMenus, EveryCommandOfTheMenuBarAndEveryButtonThatRunsOneIsAvailable)
{
    MDIForm1& window = mainWindow();
    // The map windows' pop-up items have their own design states (see below), and Print is
    // offered only over a window that prints.
    const auto ownState = [](const QString& item) {
        return !MDIForm1::popupCommandWindow(item).isEmpty() || item == u"mnuFileStampa";
    };
    for (const MDIForm1::Command& command : MDIForm1::commandTable()) {
        if (ownState(command.item))
            continue;
        EXPECT_TRUE(window.menuItem(command.item)->isEnabled()) << command.item.toStdString();
    }
    for (const ToolbarPosition& position : toolbarPositions()) {
        const QString command = QString::fromUtf16(position.command);
        if (position.key[0] == u'\0' || ownState(command))
            continue;
        EXPECT_TRUE(window.toolbarButton(QString::fromUtf16(position.key))->isEnabled())
            << command.toStdString();
    }
    // A panel without a command does nothing.
    window.StatusBar1_PanelClick(4);
}

TEST_F(MainWindowMenus, MapButtonsWaitForTheirMapToBeOpen)
{
    MDIForm1& window = mainWindow();
    const auto enabled = [&window](const char* key) {
        return window.toolbarButton(QString::fromLatin1(key))->isEnabled();
    };
    const char* worldMapButtons[] = {"Griglia", "Terminatore", "SatOrbit"};
    for (const char* key : worldMapButtons)
        EXPECT_FALSE(enabled(key)) << key << " with no world map";
    EXPECT_FALSE(enabled("Transit")) << "with no local sky";

    std::optional<LoadedWindow> worldMap(std::in_place, windowNames::kWorldMap);
    for (const char* key : worldMapButtons)
        EXPECT_TRUE(enabled(key)) << key << " over the open world map";
    EXPECT_FALSE(enabled("Transit"));
    LoadedWindow localSky(windowNames::kLocalSky);
    EXPECT_TRUE(enabled("Transit"));

    worldMap.reset();
    for (const char* key : worldMapButtons)
        EXPECT_FALSE(enabled(key)) << key << " after the world map closed";
    EXPECT_TRUE(enabled("Transit"));
    EXPECT_TRUE(enabled("Satellite")) << "a button that opens its window stays enabled";
}

TEST_F(MainWindowMenus, ShadowButtonAlwaysInvertsTheMarkAndMakesNoHiddenMap)
{
    int made = 0;
    WindowRegistry::instance().define(windowNames::kWorldMap, WindowLifetime::UnloadOnClose,
                                      [&made] {
                                          ++made;
                                          return new QWidget;
                                      });
    QAction* button = mainWindow().toolbarButton(QStringLiteral("Ombra"));
    const bool before = model().worldMap().ombra;
    for (const bool expected : {!before, before}) {
        EXPECT_TRUE(button->isEnabled()) << "with the world map closed";
        mainWindow().Toolbar1_ButtonClick(QStringLiteral("Ombra"));
        EXPECT_EQ(ticked("mnuWorldmapOmbra"), expected);
        EXPECT_EQ(model().worldMap().ombra, expected) << "what the map shows when it opens";
    }
    EXPECT_EQ(made, 0);
    EXPECT_FALSE(mGlobal::Form_caricato(windowNames::kWorldMap));

    {
        const LoadedWindow map(windowNames::kWorldMap);
        mainWindow().Toolbar1_ButtonClick(QStringLiteral("Ombra"));
        EXPECT_EQ(model().worldMap().ombra, !before);
        EXPECT_TRUE(m_charts.commands.empty()) << "the open map follows its options itself";
    }
    forgetWindow(windowNames::kWorldMap);
}

TEST_F(MainWindowMenus, PrintIsOfferedOnlyOverAWindowThatPrints)
{
    MDIForm1& window = mainWindow();
    QAction* print = item("mnuFileStampa");
    EXPECT_FALSE(print->isEnabled()) << "no document window";
    EXPECT_FALSE(window.toolbarButton(QStringLiteral("Stampa"))->isEnabled());

    auto* printing = new PrintingWindow;
    printing->setObjectName(windowNames::kSkySat); // the pass chart prints
    QMdiSubWindow* frame = window.mdiArea()->addSubWindow(printing);
    frame->show();
    window.mdiArea()->setActiveSubWindow(frame);
    EXPECT_TRUE(print->isEnabled());
    EXPECT_TRUE(window.toolbarButton(QStringLiteral("Stampa"))->isEnabled());
    print->trigger();
    EXPECT_EQ(printing->prints, 1);

    auto* plain = new QWidget;
    window.mdiArea()->setActiveSubWindow(window.mdiArea()->addSubWindow(plain));
    EXPECT_FALSE(print->isEnabled()) << "a window that does not print";
    delete frame;
    window.mdiArea()->closeAllSubWindows();
}

TEST_F(MainWindowMenus, DatabasePanelOpensTheDatabaseWindowAfterOfferingAFileToRead)
{
    // No primary database is recorded: its read offers the open dialog, here cancelled.
    const ModalAnswerer answerer;
    mainWindow().StatusBar1_PanelClick(2);
    EXPECT_EQ(answerer.otherDialogs(), 1);
    ASSERT_TRUE(mGlobal::Form_caricato(windowNames::kDatabase));
    EXPECT_EQ(Numero_satelliti, 0);
}

TEST_F(MainWindowMenus, DesignStatesOfTheItems)
{
    EXPECT_TRUE(ticked("mnuVisualizzaBarraPulsanti"));
    EXPECT_TRUE(ticked("mnuVisualizzaBarraStato"));
    EXPECT_FALSE(ticked("mnuVisualizzaColoriNotte"));
    EXPECT_EQ(item("mnuAiutoSommario")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(item("mnuAiutoCerca")->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_FALSE(item("mnuWorldmapRimuovi")->isEnabled());
    EXPECT_FALSE(item("mnuLocalSkyRipristina")->isEnabled());
    EXPECT_FALSE(item("mnuGeneralSkyStampa")->isEnabled());
    EXPECT_TRUE(ticked("mnuLocalSkyOrientamentoSud"));
    EXPECT_FALSE(ticked("mnuLocalSkyOrientamentoNord"));
    EXPECT_TRUE(ticked("mnuSkySatOggettiPianeti"));
    EXPECT_TRUE(ticked("mnuWorldmapOmbra"));
    EXPECT_FALSE(ticked("mnuWorldmapCerchioVisibilita"));
}

TEST_F(MainWindowMenus, EveryCheckMarkOfTheMapMenusIsBoundToOneFieldAndFollowsIt)
{
    std::set<QString> bound;
    const auto collect = [&bound](auto marks) {
        for (const auto& mark : marks)
            EXPECT_TRUE(bound.insert(mark.item.toString()).second)
                << mark.item.toString().toStdString();
    };
    collect(worldMapMarks());
    collect(localSkyMarks());
    collect(generalSkyMarks());
    collect(passChartMarks());
    for (const QString& popup : popupMenuNames()) {
        for (QAction* action : mainWindow().menu(popup)->findChildren<QAction*>()) {
            if (action->isCheckable()) {
                EXPECT_EQ(bound.count(action->objectName()), 1u)
                    << action->objectName().toStdString();
            }
        }
    }

    // Design marks are the records' defaults; a changed record moves its marks at once.
    EXPECT_TRUE(ticked("mnuLocalSkyCoordOrizz"));
    LocalSkyDisplay sky = model().localSky();
    sky.coordinateOrizzontali = false;
    sky.orientamento = SkyOrientation::Est;
    model().setLocalSky(sky);
    EXPECT_TRUE(ticked("mnuLocalSkyCoordEquat"));
    EXPECT_FALSE(ticked("mnuLocalSkyCoordOrizz"));
    EXPECT_TRUE(ticked("mnuLocalSkyOrientamentoEst"));
    EXPECT_FALSE(ticked("mnuLocalSkyOrientamentoSud"));
    WorldMapDisplay map = model().worldMap();
    map.cerchioVisibilita = true;
    model().setWorldMap(map);
    EXPECT_TRUE(ticked("mnuWorldmapCerchioVisibilita"));
}

TEST_F(MainWindowMenus, ToolbarAndStatusBarTakeTheirTooltipsFromTheLanguageFile)
{
    MDIForm1& window = mainWindow();
    const QList<QAction*> positions = window.toolbar()->actions();
    ASSERT_EQ(positions.size(), 29);
    for (const int separator : {3, 6, 13, 18, 25})
        EXPECT_TRUE(positions[separator - 1]->isSeparator()) << separator;
    EXPECT_EQ(window.toolbarButton(QStringLiteral("Open"))->toolTip(),
              mLang::Testo_lingua(u"MDIForm1", u"apri"));
    EXPECT_EQ(window.toolbarButton(QStringLiteral("Track"))->toolTip(),
              mLang::Testo_lingua(u"MDIForm1", u"effemeridi"));
    for (QAction* position : positions)
        EXPECT_TRUE(position->isSeparator() || !position->toolTip().isEmpty());
    EXPECT_FALSE(window.toolbarButton(QStringLiteral("Open"))->icon().isNull());
}

TEST_F(MainWindowMenus, StatusNamesFollowTheLanguageOnlyOnceLinguaRuns)
{
    mainWindow();
    EXPECT_EQ(MDIForm1::Stato2Stringa(1), QStringLiteral("Eclipsed"));
    EXPECT_EQ(MDIForm1::Stato2Stringa(2), QStringLiteral("Visible"));
    EXPECT_EQ(MDIForm1::Stato2Stringa(3), QStringLiteral("Not visible"));
    EXPECT_EQ(MDIForm1::Stato2Stringa(0), QString());
    EXPECT_EQ(MDIForm1::Stato2Stringa(4), QString());

    writeTestFile(folderFile(QStringLiteral("Other.ini")),
                  "[Conditions]\r\neclisse=In ombra\r\n[MDIForm1]\r\nmnuFile=Archivio\r\n"
                  "mnuLocalSkyRiquadroDati=Riquadro\r\n");
    Impostazioni.File_lingua = "Other.ini";
    mLang::Lingua_caricata = false;
    EXPECT_EQ(MDIForm1::Stato2Stringa(1), QStringLiteral("Eclipsed"));
    mainWindow().Lingua();
    EXPECT_EQ(MDIForm1::Stato2Stringa(1), QStringLiteral("In ombra"));
    EXPECT_EQ(item("mnuFile")->text(), QStringLiteral("Archivio"));
    EXPECT_EQ(item("mnuVisualizzaBarraDati")->text(), QStringLiteral("Riquadro"));
    EXPECT_EQ(item("mnuFileApri")->text(), QString()) << "a missing key gives no caption";
}

TEST_F(MainWindowMenus, BarItemsInvertTheirMarkAndTheirBarEachOnItsOwn)
{
    MDIForm1& window = mainWindow();
    QAction* toolbarItem = item("mnuVisualizzaBarraPulsanti");
    toolbarItem->trigger();
    EXPECT_FALSE(toolbarItem->isChecked());
    EXPECT_FALSE(window.toolbar()->isVisibleTo(&window));
    toolbarItem->trigger();
    EXPECT_TRUE(toolbarItem->isChecked());
    EXPECT_TRUE(window.toolbar()->isVisibleTo(&window));

    window.statusBar()->hide(); // the bar out of step with its mark
    item("mnuVisualizzaBarraStato")->trigger();
    EXPECT_FALSE(ticked("mnuVisualizzaBarraStato"));
    EXPECT_TRUE(window.statusBar()->isVisibleTo(&window));
}

TEST_F(MainWindowMenus, SaveButtonWritesTheOptions)
{
    Impostazioni.Formato_ora = 7;
    mainWindow().Toolbar1_ButtonClick(QStringLiteral("Save"));
    EXPECT_EQ(mReg::Leggi_registro(u"Quorvanel", u"Generali", u"Formato ora", u"?"),
              QStringLiteral("7"));
}

TEST_F(MainWindowMenus, WorldMapGridAndTrackNeedAPrincipalAndTheOpenMap)
{
    item("mnuWorldmapGriglia")->trigger();
    EXPECT_FALSE(ticked("mnuWorldmapGriglia")) << "no map open";
    mainWindow().Toolbar1_ButtonClick(QStringLiteral("Griglia"));
    EXPECT_FALSE(ticked("mnuWorldmapGriglia"));
    EXPECT_FALSE(mainWindow().toolbarButton(QStringLiteral("Griglia"))->isChecked());

    const LoadedWindow map(windowNames::kWorldMap);
    item("mnuWorldmapTracciatoOrbita")->trigger();
    EXPECT_FALSE(ticked("mnuWorldmapTracciatoOrbita")) << "no principal satellite";
    EXPECT_FALSE(model().worldMap().tracciatoOrbita);

    loadWorkingSet({elementSet("PRINCIPAL", TestOrbit{})});
    mainWindow().Toolbar1_ButtonClick(QStringLiteral("Griglia"));
    EXPECT_TRUE(ticked("mnuWorldmapGriglia"));
    EXPECT_TRUE(model().worldMap().griglia);
    EXPECT_TRUE(mainWindow().toolbarButton(QStringLiteral("Griglia"))->isChecked());
    item("mnuWorldmapGriglia")->trigger();
    EXPECT_FALSE(ticked("mnuWorldmapGriglia"));
    EXPECT_FALSE(model().worldMap().griglia);
    EXPECT_FALSE(mainWindow().toolbarButton(QStringLiteral("Griglia"))->isChecked());
    EXPECT_TRUE(m_charts.commands.empty()) << "the map follows its options itself";
}

TEST_F(MainWindowMenus, TerminatorOffTakesTheShadowWithItAndOnLeavesItOff)
{
    item("mnuWorldmapTerminatore")->trigger();
    EXPECT_TRUE(ticked("mnuWorldmapTerminatore")) << "only while the map is open";
    const LoadedWindow map(windowNames::kWorldMap);
    item("mnuWorldmapTerminatore")->trigger();
    EXPECT_FALSE(ticked("mnuWorldmapTerminatore"));
    EXPECT_FALSE(ticked("mnuWorldmapOmbra"));
    EXPECT_FALSE(model().worldMap().ombra);
    item("mnuWorldmapTerminatore")->trigger();
    EXPECT_TRUE(ticked("mnuWorldmapTerminatore"));
    EXPECT_FALSE(ticked("mnuWorldmapOmbra"));
    mainWindow().Toolbar1_ButtonClick(QStringLiteral("Ombra"));
    EXPECT_TRUE(ticked("mnuWorldmapOmbra"));
    EXPECT_TRUE(model().worldMap().ombra);
}

TEST_F(MainWindowMenus, LocalSkyOrientationAndRadioPairsChangeOnlyWhenAnotherItemIsChosen)
{
    const LoadedWindow sky(windowNames::kLocalSky);
    const auto redraws = [this] {
        return m_charts.count(ChartKind::LocalSky, ChartCommand::Redraw);
    };
    item("mnuLocalSkyOrientamentoSud")->trigger();
    EXPECT_EQ(redraws(), 0) << "the ticked orientation does nothing, no redraw";
    EXPECT_TRUE(ticked("mnuLocalSkyOrientamentoSud"));

    item("mnuLocalSkyOrientamentoNord")->trigger();
    EXPECT_TRUE(ticked("mnuLocalSkyOrientamentoNord"));
    EXPECT_FALSE(ticked("mnuLocalSkyOrientamentoSud"));
    EXPECT_EQ(model().localSky().orientamento, SkyOrientation::Nord);
    EXPECT_EQ(redraws(), 1);

    item("mnuLocalSkyCoordOrizz")->trigger();
    EXPECT_TRUE(ticked("mnuLocalSkyCoordOrizz"));
    item("mnuLocalSkyCoordEquat")->trigger();
    EXPECT_TRUE(ticked("mnuLocalSkyCoordEquat"));
    EXPECT_FALSE(ticked("mnuLocalSkyCoordOrizz"));
    EXPECT_FALSE(model().localSky().coordinateOrizzontali);
    EXPECT_EQ(redraws(), 1) << "the coordinate pair does not redraw";

    item("mnuLocalSkyProiezNormale")->trigger();
    EXPECT_TRUE(ticked("mnuLocalSkyProiezNormale"));
    EXPECT_FALSE(ticked("mnuLocalSkyProiezStereo"));
    EXPECT_EQ(redraws(), 2);
    item("mnuLocalSkyProiezNormale")->trigger();
    EXPECT_EQ(redraws(), 2) << "the projection in force: nothing";

    item("mnuLocalSkyGriglia")->trigger();
    EXPECT_TRUE(ticked("mnuLocalSkyGriglia"));
    EXPECT_TRUE(model().localSky().griglia);
    EXPECT_EQ(redraws(), 2) << "a layer: the sky redraws on the change of its options";
}

TEST_F(MainWindowMenus, ZoomAndTimeLabelsExcludeEachOtherAndRestoreGivesTheFullView)
{
    const LoadedWindow sky(windowNames::kLocalSky);
    Valori[1].Elevazione = 0.0;
    LocalSkyDisplay transitShown = model().localSky();
    transitShown.transitoPrincipale = true;
    model().setLocalSky(transitShown);
    item("mnuLocalSkyTempi")->trigger();
    EXPECT_FALSE(ticked("mnuLocalSkyTempi")) << "the principal is on the horizon";
    Valori[1].Elevazione = 12.0;
    item("mnuLocalSkyTempi")->trigger();
    EXPECT_TRUE(ticked("mnuLocalSkyTempi"));
    EXPECT_TRUE(model().localSky().tempi);

    item("mnuLocalSkyZoom")->trigger();
    EXPECT_TRUE(ticked("mnuLocalSkyZoom"));
    EXPECT_FALSE(ticked("mnuLocalSkyTempi"));
    EXPECT_TRUE(model().localSky().zoom);
    EXPECT_TRUE(item("mnuLocalSkyRipristina")->isEnabled());

    item("mnuLocalSkyRipristina")->trigger();
    EXPECT_FALSE(ticked("mnuLocalSkyZoom"));
    EXPECT_FALSE(item("mnuLocalSkyRipristina")->isEnabled());
    EXPECT_FALSE(model().localSky().zoomed);
    EXPECT_EQ(m_charts.count(ChartKind::LocalSky, ChartCommand::RestoreView), 1);
}

TEST_F(MainWindowMenus, RemovingThePickedPrincipalMakesTheSecondThePrincipal)
{
    TestOrbit second;
    second.catalogueNumber = 90004;
    loadWorkingSet({elementSet("FIRST", TestOrbit{}), elementSet("SECOND", second)});
    const LoadedWindow map(windowNames::kWorldMap);
    model().setWorldMapPick(1); // as the map does after a pick
    EXPECT_TRUE(item("mnuWorldmapRimuovi")->isEnabled());
    item("mnuWorldmapRimuovi")->trigger();
    EXPECT_EQ(Numero_satelliti, 1);
    EXPECT_EQ(Satelement[1].Nome_satellite, "Second");
    EXPECT_GT(Valori[1].Distanza, 0.0) << "the new principal is computed at once";
    EXPECT_EQ(m_charts.count(ChartKind::WorldMap, ChartCommand::Redraw), 1);
    EXPECT_EQ(mainWindow().statusPanelText(2), QStringLiteral("Second"));
    EXPECT_TRUE(readTestFile(folderFile(QStringLiteral("Quorvanel.ini"))).startsWith("Second\r\n"));

    model().setWorldMapPick(5); // no longer an active slot: nothing happens
    item("mnuWorldmapRimuovi")->trigger();
    EXPECT_EQ(Numero_satelliti, 1);
}

TEST_F(MainWindowMenus, NewPrincipalThatCannotBeComputedAfterARemovalIsToldAtOnce)
{
    TestOrbit broken;
    broken.catalogueNumber = 90004;
    broken.meanMotionRevPerDay = 0; // no orbit at all
    loadWorkingSet({elementSet("FIRST", TestOrbit{}), elementSet("SECOND", broken)});
    const LoadedWindow map(windowNames::kWorldMap);
    const ModalAnswerer answerer;
    model().setWorldMapPick(1);
    item("mnuWorldmapRimuovi")->trigger();
    QCoreApplication::processEvents();
    ASSERT_EQ(Numero_satelliti, 1);
    ASSERT_EQ(answerer.messages().size(), 1u) << "told without waiting for a tick";
    EXPECT_EQ(answerer.messages()[0].title, QStringLiteral("Second"));
    EXPECT_TRUE(answerer.messages()[0].text.startsWith(
        mLang::Testo_lingua(u"MDIForm1", u"satelliteerrato1")));
}

TEST_F(MainWindowMenus, CloseAllUnloadsTheHiddenTimeWindowAndTheNextTickMakesItAgain)
{
    openGates();
    mainWindow().tmrCentrale_Timer();
    ASSERT_TRUE(mGlobal::Form_caricato(windowNames::kTime));
    item("mnuFinestreChiudiTutto")->trigger();
    EXPECT_FALSE(mGlobal::Form_caricato(windowNames::kTime));
    EXPECT_TRUE(mGlobal::Form_caricato(QStringLiteral("MDIForm1")));
    mainWindow().tmrCentrale_Timer();
    EXPECT_TRUE(mGlobal::Form_caricato(windowNames::kTime));
}

TEST_F(MainWindowMenus, ExitAsksFirstOnlyWhenTheOptionSaysSo)
{
    Impostazioni.Conferma_uscita = true;
    {
        const ModalAnswerer answerer(QMessageBox::No);
        EXPECT_FALSE(mainWindow().close());
        ASSERT_EQ(answerer.messages().size(), 1u);
        EXPECT_EQ(answerer.messages()[0].text, mLang::Testo_lingua(u"MDIForm1", u"sicuridiuscire"));
    }
    EXPECT_TRUE(mGlobal::Form_caricato(QStringLiteral("MDIForm1")));
    Impostazioni.Conferma_uscita = false;
    const ModalAnswerer answerer;
    EXPECT_TRUE(mainWindow().close());
    EXPECT_TRUE(answerer.messages().empty());
}

TEST_F(MainWindowMenus, ReloadIsOfferedOnlyAfterADownloadReplacedThePrimaryFile)
{
    // The download window itself is not part of this test program: only the question after it.
    {
        const ModalAnswerer answerer(QMessageBox::No);
        mainWindow().runCommand(QStringLiteral("mnuStrumentiDownload"));
        EXPECT_TRUE(answerer.messages().empty());
    }
    pflgSostituzione = true;
    const ModalAnswerer answerer(QMessageBox::No);
    mainWindow().runCommand(QStringLiteral("mnuStrumentiDownload"));
    ASSERT_EQ(answerer.messages().size(), 1u);
    EXPECT_EQ(answerer.messages()[0].text,
              mLang::Testo_lingua(u"frmDownload", u"aggiornasatelliti1") + u'\n' +
                  mLang::Testo_lingua(u"frmDownload", u"aggiornasatelliti2"));
    EXPECT_FALSE(pflgSostituzione) << "answering No clears the flag too";
}

TEST(MdiArrangement, TilesShareTheWholeAreaSideBySideOrStacked)
{
    const QRect area(0, 0, 301, 200);
    const QList<QRect> columns = tileRects(area, 3, Qt::Horizontal);
    ASSERT_EQ(columns.size(), 3);
    EXPECT_EQ(columns[0], QRect(0, 0, 100, 200));
    EXPECT_EQ(columns[2], QRect(200, 0, 101, 200));
    const QList<QRect> rows = tileRects(area, 2, Qt::Vertical);
    EXPECT_EQ(rows[1], QRect(0, 100, 301, 100));
    EXPECT_TRUE(tileRects(area, 0, Qt::Vertical).isEmpty());
}

} // namespace

#include "MainWindowMenusTest.moc"

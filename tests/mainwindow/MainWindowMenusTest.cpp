// The main window's menus, toolbar and status bar: names, captions, design states, which
// commands wait for windows not built yet, and the commands that act on the bars, the map
// menus and the window list.

#include "FakeWindows.h"
#include "MainWindowTestSupport.h"

#include "common/gates.h"
#include "mainwindow/MDIForm1.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/MdiArrangement.h"
#include "services/mReg.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

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

class MainWindowMenus : public MainWindowTest
{
protected:
    void TearDown() override
    {
        for (const QString& name : {windowNames::kWorldMap, windowNames::kLocalSky})
            forgetWindow(name);
        MainWindowTest::TearDown();
    }

    QAction* item(const char* name) { return mainWindow().menuItem(QString::fromLatin1(name)); }
    bool ticked(const char* name) { return item(name)->isChecked(); }
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

TEST_F(MainWindowMenus, CommandsOfWindowsNotBuiltYetAreShownDisabledWithTheirButtons)
{
    MDIForm1& window = mainWindow();
    for (const MDIForm1::Command& command : MDIForm1::commandTable()) {
        if (command.state == MDIForm1::CommandState::WindowNotBuilt) {
            EXPECT_FALSE(window.menuItem(command.item)->isEnabled()) << command.item.toStdString();
            EXPECT_TRUE(window.menuItem(command.item)->isVisible());
            EXPECT_FALSE(command.window.isEmpty());
        }
    }
    EXPECT_TRUE(window.toolbarButton(QStringLiteral("Recta"))->isEnabled());
    EXPECT_TRUE(window.toolbarButton(QStringLiteral("Satellite"))->isEnabled());
    EXPECT_TRUE(window.toolbarButton(QStringLiteral("Time"))->isEnabled());
    EXPECT_TRUE(window.toolbarButton(QStringLiteral("Save"))->isEnabled());
    EXPECT_TRUE(item("mnuOpzioniData")->isEnabled());
    EXPECT_TRUE(item("mnuStrumentiFormattazione")->isEnabled());
    // A panel without a command does nothing.
    window.StatusBar1_PanelClick(4);
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

    auto* map = loadFake<FakeWorldMap>(windowNames::kWorldMap);
    item("mnuWorldmapTracciatoOrbita")->trigger();
    EXPECT_FALSE(ticked("mnuWorldmapTracciatoOrbita")) << "no principal satellite";
    EXPECT_EQ(map->groundTracks, 0);

    loadWorkingSet({elementSet("PRINCIPAL", TestOrbit{})});
    mainWindow().Toolbar1_ButtonClick(QStringLiteral("Griglia"));
    EXPECT_TRUE(ticked("mnuWorldmapGriglia"));
    EXPECT_TRUE(mainWindow().toolbarButton(QStringLiteral("Griglia"))->isChecked());
    EXPECT_EQ(map->grids, 1);
    EXPECT_EQ(map->redraws, 0);
    item("mnuWorldmapGriglia")->trigger();
    EXPECT_FALSE(ticked("mnuWorldmapGriglia"));
    EXPECT_EQ(map->redraws, 1);
}

TEST_F(MainWindowMenus, TerminatorOffTakesTheShadowWithItAndOnLeavesItOff)
{
    auto* map = loadFake<FakeWorldMap>(windowNames::kWorldMap);
    item("mnuWorldmapTerminatore")->trigger();
    EXPECT_FALSE(ticked("mnuWorldmapTerminatore"));
    EXPECT_FALSE(ticked("mnuWorldmapOmbra"));
    item("mnuWorldmapTerminatore")->trigger();
    EXPECT_TRUE(ticked("mnuWorldmapTerminatore"));
    EXPECT_FALSE(ticked("mnuWorldmapOmbra"));
    EXPECT_EQ(map->redraws, 2);
    mainWindow().Toolbar1_ButtonClick(QStringLiteral("Ombra"));
    EXPECT_TRUE(ticked("mnuWorldmapOmbra"));
    EXPECT_EQ(map->redraws, 3);
}

TEST_F(MainWindowMenus, LocalSkyOrientationAndRadioPairsChangeOnlyWhenAnotherItemIsChosen)
{
    auto* sky = loadFake<FakeLocalSky>(windowNames::kLocalSky);
    item("mnuLocalSkyOrientamentoSud")->trigger();
    EXPECT_EQ(sky->timerRedraws, 0) << "the ticked orientation does nothing, no redraw";
    EXPECT_TRUE(ticked("mnuLocalSkyOrientamentoSud"));

    item("mnuLocalSkyOrientamentoNord")->trigger();
    EXPECT_TRUE(ticked("mnuLocalSkyOrientamentoNord"));
    EXPECT_FALSE(ticked("mnuLocalSkyOrientamentoSud"));
    EXPECT_EQ(sky->timerRedraws, 1);

    item("mnuLocalSkyCoordOrizz")->trigger();
    EXPECT_TRUE(ticked("mnuLocalSkyCoordOrizz"));
    item("mnuLocalSkyCoordEquat")->trigger();
    EXPECT_TRUE(ticked("mnuLocalSkyCoordEquat"));
    EXPECT_FALSE(ticked("mnuLocalSkyCoordOrizz"));
    EXPECT_EQ(sky->timerRedraws, 1) << "the coordinate pair does not redraw";

    item("mnuLocalSkyProiezNormale")->trigger();
    EXPECT_TRUE(ticked("mnuLocalSkyProiezNormale"));
    EXPECT_FALSE(ticked("mnuLocalSkyProiezStereo"));
    EXPECT_EQ(sky->timerRedraws, 2);

    const int redraws = sky->redraws;
    item("mnuLocalSkyGriglia")->trigger();
    EXPECT_TRUE(ticked("mnuLocalSkyGriglia"));
    EXPECT_EQ(sky->redraws, redraws + 1);
    EXPECT_EQ(sky->timerRedraws, 2);
}

TEST_F(MainWindowMenus, ZoomAndTimeLabelsExcludeEachOtherAndRestoreGivesTheFullView)
{
    auto* sky = loadFake<FakeLocalSky>(windowNames::kLocalSky);
    Valori[1].Elevazione = 0.0;
    item("mnuLocalSkyTransitoPrincipale")->setChecked(true);
    item("mnuLocalSkyTempi")->trigger();
    EXPECT_FALSE(ticked("mnuLocalSkyTempi")) << "the principal is on the horizon";
    Valori[1].Elevazione = 12.0;
    item("mnuLocalSkyTempi")->trigger();
    EXPECT_TRUE(ticked("mnuLocalSkyTempi"));
    EXPECT_EQ(sky->cursor, ChartCursor::TimeLabel);

    item("mnuLocalSkyZoom")->trigger();
    EXPECT_TRUE(ticked("mnuLocalSkyZoom"));
    EXPECT_FALSE(ticked("mnuLocalSkyTempi"));
    EXPECT_EQ(sky->cursor, ChartCursor::Zoom);
    EXPECT_TRUE(item("mnuLocalSkyRipristina")->isEnabled());

    item("mnuLocalSkyRipristina")->trigger();
    EXPECT_FALSE(ticked("mnuLocalSkyZoom"));
    EXPECT_FALSE(item("mnuLocalSkyRipristina")->isEnabled());
    EXPECT_EQ(sky->bounds.left, -200.0f);
    EXPECT_EQ(sky->bounds.bottom, -100.0f);
    EXPECT_FALSE(sky->zoom);
    EXPECT_EQ(sky->cursor, ChartCursor::Normal);
}

TEST_F(MainWindowMenus, RemovingThePickedPrincipalMakesTheSecondThePrincipal)
{
    TestOrbit second;
    second.catalogueNumber = 90004;
    loadWorkingSet({elementSet("FIRST", TestOrbit{}), elementSet("SECOND", second)});
    auto* map = loadFake<FakeWorldMap>(windowNames::kWorldMap);
    map->picked = 1;
    item("mnuWorldmapRimuovi")->setEnabled(true); // as the map does after a pick
    item("mnuWorldmapRimuovi")->trigger();
    EXPECT_EQ(Numero_satelliti, 1);
    EXPECT_EQ(Satelement[1].Nome_satellite, "Second");
    EXPECT_GT(Valori[1].Distanza, 0.0) << "the new principal is computed at once";
    EXPECT_EQ(map->redraws, 1);
    EXPECT_EQ(mainWindow().statusPanelText(2), QStringLiteral("Second"));
    EXPECT_TRUE(readTestFile(folderFile(QStringLiteral("Quorvanel.ini"))).startsWith("Second\r\n"));

    map->picked = 5; // no longer an active slot: nothing happens
    item("mnuWorldmapRimuovi")->trigger();
    EXPECT_EQ(Numero_satelliti, 1);
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
              mLang::Testo_lingua(u"frmDownload", u"aggiornasatelliti1") + u'\n'
                  + mLang::Testo_lingua(u"frmDownload", u"aggiornasatelliti2"));
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

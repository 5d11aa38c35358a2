#include "app/WindowCatalogue.h"

#include "database/DatabaseCommands.h"
#include "database/frmDatabase.h"
#include "database/frmDownload.h"
#include "database/frmSyncro.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmCalendar.h"
#include "dialogs/frmLanguage.h"
#include "dialogs/frmLocation.h"
#include "dialogs/frmSettings.h"
#include "mainwindow/LiveWindows.h"
#include "mainwindow/MDIForm1.h"
#include "mainwindow/OptionsStore.h"
#include "mainwindow/WorkingSet.h"
#include "predictions/frmCalc.h"
#include "predictions/frmDetails.h"
#include "predictions/frmRelative.h"
#include "worldmap/frmChannel.h"
#include "worldmap/frmFloating.h"
#include "worldmap/frmTrack.h"

#include "common/Elemento_satellite.h"
#include "common/satellite_slots.h"
#include "core/mAstro.h"
#include "core/mSat.h"
#include "services/BusyCursor.h"
#include "services/WindowRegistry.h"
#include "services/mGlobal.h"
#include "services/mLang.h"
#include "tracking/TrackingModel.h"

#include <QAction>
#include <QStatusBar>
#include <QToolBar>

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

/// The observer changed (location dialog): the status bar shows the new place, the clock and
/// the satellites follow it at once, and the open maps redraw for it.
void followObserver(MDIForm1& main)
{
    main.showLocationName();
    if (auto* map = loadedWindow<WorldMapWindow>(windowNames::kWorldMap)) {
        const bool principal = !Satelement[kPrincipalSlot].Nome_satellite.empty();
        if (principal)
            mSat::Calcola_satellite(kPrincipalSlot, mAstro::Data_giuliana);
        yieldToEvents();
        map->Genera_mappa();
        if (principal)
            map->Disegna_satellite(kPrincipalSlot);
    }
    main.tmrCentrale_Timer();
    if (auto* sky = loadedWindow<LocalSkyWindow>(windowNames::kLocalSky))
        sky->tmrLocalSky_Timer();
    if (auto* sky = loadedWindow<GeneralSkyWindow>(windowNames::kGeneralSky))
        sky->Genera_mappa();
    // Windows that follow the model (the maps to come) hear of the new observer here.
    TrackingModel::instance().notifyObserverChanged();
}

void tick(MDIForm1& main, const char* item, bool value)
{
    if (QAction* action = main.menuItem(QString::fromLatin1(item)))
        action->setChecked(value);
}

/// The options dialog changed the options: the open maps take their menu ticks from them and
/// redraw, and the main window shows or hides its bars.
void followOptions(MDIForm1& main)
{
    const Opzioni& o = Impostazioni;
    if (auto* map = loadedWindow<WorldMapWindow>(windowNames::kWorldMap)) {
        tick(main, "mnuWorldmapGriglia", o.Mappamondo_griglia);
        tick(main, "mnuWorldmapNomeCitta", o.Mappamondo_citta);
        tick(main, "mnuWorldmapCerchioVisibilita", o.Mappamondo_cerchio);
        tick(main, "mnuWorldmapTracciatoOrbita", o.Mappamondo_orbita);
        tick(main, "mnuWorldmapDatiSatellite", o.Mappamondo_mouse_dati);
        tick(main, "mnuWorldmapCoordinateMouse", o.Mappamondo_localizzatore);
        tick(main, "mnuWorldmapSole", o.Mappamondo_sole);
        tick(main, "mnuWorldmapOmbra", o.Mappamondo_ombra);
        if (QAction* grid = main.toolbarButton(QStringLiteral("Griglia")))
            grid->setChecked(o.Mappamondo_griglia);
        if (QAction* track = main.toolbarButton(QStringLiteral("SatOrbit")))
            track->setChecked(o.Mappamondo_orbita);
        map->setCrossPointer(o.Mappamondo_localizzatore);
        if (!o.Mappamondo_localizzatore) {
            if (QWidget* window = WindowRegistry::instance().find(windowNames::kWorldMap))
                window->setWindowTitle(mLang::Testo_lingua(
                    u"frmWorldMap", map->projection() == WorldMapProjection::Rectangular
                                        ? u"mapparettangolare"
                                        : u"mappaortografica"));
        }
        map->Genera_mappa();
    }
    if (auto* sky = loadedWindow<LocalSkyWindow>(windowNames::kLocalSky)) {
        tick(main, "mnuLocalSkyGriglia", o.Cielo_locale_griglia);
        tick(main, "mnuLocalSkyOggettiCostellazioni", o.Cielo_locale_costellazioni_linee);
        tick(main, "mnuLocalSkyOggettiPianeti", o.Cielo_locale_pianeti);
        tick(main, "mnuLocalSkyOggettiSoleLuna", o.Cielo_locale_sole_luna);
        tick(main, "mnuLocalSkyEtichetteCostellazioni", o.Cielo_locale_costellazioni_nomi);
        tick(main, "mnuLocalSkyEtichettePianeti", o.Cielo_locale_pianeti_nomi);
        tick(main, "mnuLocalSkyEtichetteSoleLuna", o.Cielo_locale_sole_luna_nomi);
        tick(main, "mnuLocalSkyCoordOrizz", o.Cielo_locale_coordinate_altazimutali);
        tick(main, "mnuLocalSkyCoordEquat", !o.Cielo_locale_coordinate_altazimutali);
        tick(main, "mnuLocalSkyProiezStereo", o.Cielo_locale_proiezione_stereo);
        tick(main, "mnuLocalSkyProiezNormale", !o.Cielo_locale_proiezione_stereo);
        sky->tmrLocalSky_Timer();
    }
    if (auto* sky = loadedWindow<GeneralSkyWindow>(windowNames::kGeneralSky)) {
        tick(main, "mnuGeneralSkyGriglia", o.Cielo_generale_griglia);
        tick(main, "mnuGeneralSkyOggettiCostellazioni", o.Cielo_generale_costellazioni_linee);
        tick(main, "mnuGeneralSkyOggettiPianeti", o.Cielo_generale_pianeti);
        tick(main, "mnuGeneralSkyOggettiSoleLuna", o.Cielo_generale_sole_luna);
        tick(main, "mnuGeneralSkyEtichetteCostellazioni", o.Cielo_generale_costellazioni_nomi);
        tick(main, "mnuGeneralSkyEtichettePianeti", o.Cielo_generale_pianeti_nomi);
        tick(main, "mnuGeneralSkyEtichetteSoleLuna", o.Cielo_generale_sole_luna_nomi);
        sky->Genera_mappa();
    }
    main.toolbar()->setVisible(o.Barra_pulsanti);
    main.statusBar()->setVisible(o.Barra_stato);
    tick(main, "mnuVisualizzaBarraPulsanti", o.Barra_pulsanti);
    tick(main, "mnuVisualizzaBarraStato", o.Barra_stato);
    TrackingModel::instance().notifyObserverChanged();
}

} // namespace

void defineStartupWindows()
{
    WindowRegistry::instance().define(windowNames::kLanguage, WindowLifetime::UnloadOnClose,
                                      [] { return new frmLanguage(); });
}

void defineWindows(MDIForm1& main)
{
    WindowRegistry& windows = WindowRegistry::instance();
    MDIForm1* owner = &main;
    windows.define(windowNames::kAbout, WindowLifetime::UnloadOnClose,
                   [owner] { return new frmAbout(owner); });
    windows.define(windowNames::kLanguage, WindowLifetime::UnloadOnClose, [owner] {
        auto* chooser = new frmLanguage(owner);
        QObject::connect(chooser, &frmLanguage::languageChosen, owner, &MDIForm1::Lingua);
        return chooser;
    });
    windows.define(windowNames::kCalendar, WindowLifetime::UnloadOnClose,
                   [owner] { return new frmCalendar(owner); });
    // The network windows are modal and have no owner.
    windows.define(windowNames::kDownload, WindowLifetime::UnloadOnClose,
                   [] { return new frmDownload(); });
    windows.define(windowNames::kSyncro, WindowLifetime::UnloadOnClose,
                   [] { return new frmSyncro(); });
    windows.define(windowNames::kLocation, WindowLifetime::HideOnClose, [owner] {
        auto* location = new frmLocation(owner);
        QObject::connect(location, &frmLocation::observerChanged, owner,
                         [owner] { followObserver(*owner); });
        return location;
    });
    windows.define(windowNames::kSettings, WindowLifetime::UnloadOnClose, [owner] {
        auto* settings = new frmSettings(owner);
        settings->setOptionsWriter([] { return Salva_impostazioni(); });
        QObject::connect(settings, &frmSettings::optionsApplied, owner,
                         [owner] { followOptions(*owner); });
        return settings;
    });
    // The listing window is a document of the main window, a new one for every listing; the
    // request dialogs float beside it and stay open after each request.
    windows.define(kDetailsWindowName, WindowLifetime::NewPerRequest, [owner] {
        auto* listing = new frmDetails();
        owner->mdiArea()->addSubWindow(listing);
        return listing;
    });
    windows.define(windowNames::kCalc, WindowLifetime::UnloadOnClose,
                   [owner] { return new frmCalc(owner); });
    windows.define(windowNames::kRelative, WindowLifetime::UnloadOnClose,
                   [owner] { return new frmRelative(owner); });
    // The live tracking windows float beside the main window and follow the tick's model.
    windows.define(windowNames::kFloating, WindowLifetime::UnloadOnClose, [owner] {
        auto* bar = new frmFloating(owner);
        QObject::connect(bar, &frmFloating::unloaded, owner,
                         [owner] { tick(*owner, "mnuVisualizzaBarraDati", false); });
        return bar;
    });
    windows.define(windowNames::kTrack, WindowLifetime::UnloadOnClose,
                   [owner] { return new frmTrack(owner); });
    windows.define(QStringLiteral("frmChannel"), WindowLifetime::UnloadOnClose,
                   [] { return new frmChannel(); });
}

namespace {

LiveWindowHooks liveWindowHooks(MDIForm1& main)
{
    LiveWindowHooks live;
    live.showPrincipalName = [&main](const QString&) { main.showPrincipalName(); };
    live.redrawWorldMap = [&main] { main.mnuWorldmapRidisegnaMappa_Click(); };
    live.localSkyPrincipalChanged = [&main] { main.localSkyPrincipalChanged(); };
    live.clearWorldMapPrincipal = [&main] { main.clearWorldMapPrincipal(); };
    live.clearLocalSkyPrincipal = [&main] { main.clearLocalSkyPrincipal(); };
    return live;
}

/// The database window's frame: its place in the main window's document area, or itself.
QWidget* databaseFrame()
{
    QWidget* window = databaseWindow();
    if (window == nullptr)
        return nullptr;
    auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    return frame != nullptr ? frame : window;
}

} // namespace

void connectElementDatabase(MDIForm1& main, DatabaseSession& session)
{
    DatabaseWindowHooks hooks;
    hooks.live = liveWindowHooks(main);
    hooks.download = [&main] { main.mnuStrumentiDownload_Click(); };
    hooks.showSummary = [](DatabaseKind kind) {
        newListingWindow()->Sommario(static_cast<int>(kind));
    };
    defineDatabaseWindow(session, hooks,
                         [&main](QWidget* window) { main.mdiArea()->addSubWindow(window); });

    MDIForm1::DatabaseAccess access;
    access.open = [](int kind) { Apertura_database(static_cast<DatabaseKind>(kind)); };
    access.primaryCount = [] {
        const frmDatabase* window = databaseWindow();
        return window != nullptr ? window->entryCount(DatabaseKind::Primary) : 0;
    };
    access.readPrimary = [](const QString& path) {
        if (frmDatabase* window = databaseWindow())
            window->Database_satelliti(path);
    };
    access.show = [] {
        if (frmDatabase* window = databaseWindow())
            window->present();
    };
    access.hide = [] {
        if (QWidget* frame = databaseFrame())
            frame->hide();
    };
    access.removeDecayed = [&main, &session, live = hooks.live](int slot) {
        Azzera(slot, session.active(), live, &main);
    };
    access.removeActive = [&session](int slot) {
        const bool saved = session.active().removeDecayed(slot).workingSetSaved;
        if (mGlobal::Form_caricato(kDatabaseWindowName)) {
            if (frmDatabase* window = databaseWindow())
                window->activeSatellitesChanged();
        }
        return saved;
    };
    main.setDatabaseAccess(std::move(access));
}

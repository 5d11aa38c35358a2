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
#include "mainwindow/ProgramClock.h"
#include "mainwindow/ReferenceData.h"
#include "mainwindow/TransitTrack.h"
#include "mainwindow/OptionsStore.h"
#include "mainwindow/WorkingSet.h"
#include "predictions/frmCalc.h"
#include "predictions/frmDetails.h"
#include "predictions/frmRelative.h"
#include "worldmap/frmChannel.h"
#include "worldmap/frmFloating.h"
#include "worldmap/frmTrack.h"
#include "predictions/frmVisibleSatellites.h"
#include "skycharts/frmLocalSky.h"
#include "skycharts/frmMagnitude.h"
#include "worldmap/frmWorldMap.h"
#include "database/PrincipalRefresh.h"
#include "tracking/TrackingModel.h"

#include "common/Elemento_satellite.h"
#include "common/gates.h"
#include "common/program_time.h"
#include "common/satellite_slots.h"
#include "core/mAstro.h"
#include "core/mSat.h"
#include "services/BusyCursor.h"
#include "services/ProgramFolder.h"
#include "services/WindowRegistry.h"
#include "services/mGlobal.h"
#include "services/mLang.h"

#include <QAction>
#include <QStatusBar>
#include <QToolBar>
#include <QFile>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QApplication>
#include <QMessageBox>

namespace {

/// A pass sample's local time as the locale's short date and the time of day.
std::string transitTimeText(double localDate)
{
    const QDateTime wallClock = wallClockOf(localDate);
    return (QLocale().toString(wallClock.date(), QLocale::ShortFormat) + u' '
            + wallClock.time().toString(QStringLiteral("HH:mm:ss")))
        .toStdString();
}

/// The principal satellite's pass from now, sampled in the principal's slot; the shared time
/// state and the slot are back at the present instant afterwards.
std::vector<Punto_traccia> principalTransit(const frmLocalSky::Projection& project)
{
    if (Satelement[kPrincipalSlot].Nome_satellite.empty())
        return std::vector<Punto_traccia>(1);
    const TickPause pause(pflgCentrale);
    const auto sampleAt = [](double localDate) {
        mAstro::Calcola_tempi(localDate);
        mSat::Calcola_satellite(kPrincipalSlot, mAstro::Data_giuliana);
        return Valori[kPrincipalSlot];
    };
    const Posizione_satellite present = sampleAt(Data_attuale);
    const TransitTrackResult track =
        computeTransitTrack(Data_attuale, present.Periodo, project(present.Azimut, present.Elevazione),
                            sampleAt, project, transitTimeText);
    sampleAt(Data_attuale);
    return track.points;
}

/// The stars.bin record of a catalogue rank (1-based).
std::optional<Stella_catalogo> starRecord(int rank)
{
    QFile file(dataFilePath(QStringLiteral("stars.bin")));
    if (rank < 1 || !file.open(QIODevice::ReadOnly)
        || !file.seek(static_cast<qint64>(rank - 1) * kStarRecordSize))
        return std::nullopt;
    const QByteArray record = file.read(kStarRecordSize);
    if (record.size() != kStarRecordSize)
        return std::nullopt;
    return decodeStarRecord(record);
}

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
    windows.define(windowNames::kLocalSky, WindowLifetime::UnloadOnClose, [owner] {
        frmLocalSky::Hooks hooks;
        hooks.popupMenu = owner->menu(QStringLiteral("mnuLocalSky"));
        hooks.computeTransit = principalTransit;
        hooks.readStarRecord = starRecord;
        auto* sky = new frmLocalSky(std::move(hooks));
        owner->mdiArea()->addSubWindow(sky);
        return sky;
    });
    windows.define(windowNames::kMagnitude, WindowLifetime::UnloadOnClose,
                   [owner] { return new frmMagnitude(owner); });
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

namespace {

/// The world map as the main window's tick and map menus drive it today: the tick's calls
/// are turned into the tracking model's snapshot and the menu check marks into its display
/// options. It goes once the tick and the menus publish to the model themselves.
class WorldMapBridge final : public frmWorldMap, public WorldMapWindow
{
public:
    WorldMapBridge(MDIForm1& main, Hooks hooks)
        : frmWorldMap(TrackingModel::instance(), std::move(hooks)), m_main(main)
    {
    }

    void Genera_mappa() override
    {
        syncOptions();
        frmWorldMap::Genera_mappa();
    }
    void Disegna_satellite(int) override {}
    void Disegna_visibilita() override {}
    void Disegna_griglia() override { Genera_mappa(); }
    void Disegna_orbita() override { Genera_mappa(); }
    void Form_Resize() override { syncOptions(); }
    [[nodiscard]] int mintSelezione() const override { return frmWorldMap::mintSelezione(); }
    void setProjection(WorldMapProjection projection) override
    {
        frmWorldMap::setProjection(projection == WorldMapProjection::Rectangular
                                       ? worldmap::MapKind::Rectangular
                                       : worldmap::MapKind::Orthographic);
    }
    [[nodiscard]] WorldMapProjection projection() const override
    {
        return frmWorldMap::projection() == worldmap::MapKind::Rectangular
                   ? WorldMapProjection::Rectangular
                   : WorldMapProjection::Orthographic;
    }
    void setDataBoxVisible(bool) override { syncOptions(); }
    void setCrossPointer(bool) override { syncOptions(); }
    void clearChart() override { publishSlots(nullptr); }
    // Called once per tick after every satellite was computed.
    void showPrincipalTexts(const PrincipalTexts& texts) override
    {
        syncOptions();
        publishSlots(&texts);
    }
    void resetPrincipalTexts() override { publishSlots(nullptr); }

private:
    void syncOptions()
    {
        const auto checked = [this](const char* item) {
            const QAction* action = m_main.menuItem(QString::fromLatin1(item));
            return action != nullptr && action->isChecked();
        };
        WorldMapDisplay options;
        options.griglia = checked("mnuWorldmapGriglia");
        options.riquadroDati = checked("mnuWorldmapRiquadroDati");
        options.datiSatellite = checked("mnuWorldmapDatiSatellite");
        options.coordinateMouse = checked("mnuWorldmapCoordinateMouse");
        options.nomeCitta = checked("mnuWorldmapNomeCitta");
        options.sole = checked("mnuWorldmapSole");
        options.terminatore = checked("mnuWorldmapTerminatore");
        options.ombra = checked("mnuWorldmapOmbra");
        options.cerchioVisibilita = checked("mnuWorldmapCerchioVisibilita");
        options.tracciatoOrbita = checked("mnuWorldmapTracciatoOrbita");
        TrackingModel::instance().setWorldMap(options);
    }

    void publishSlots(const PrincipalTexts* texts)
    {
        TickSnapshot tick;
        tick.time = currentTimeState();
        if (texts != nullptr) {
            for (int slot = kPrincipalSlot; slot <= Numero_satelliti; ++slot) {
                tick.satellites.push_back({slot, Satelement[slot].Nome_satellite,
                                           Satelement[slot].Numero_catalogo, Valori[slot], true});
            }
            tick.hasPrincipal = !tick.satellites.empty();
            tick.principal = *texts;
        }
        TrackingModel::instance().publishTick(std::move(tick));
    }

    MDIForm1& m_main;
};

void reportWorldMapFailure(QWidget* window, const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::Warning, QApplication::applicationName(), text,
                                QMessageBox::Ok, window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

/// The world map, a child of the main window's document area, whose click makes a satellite
/// principal through the active list as the database window's command does.
void defineWorldMap(MDIForm1& main, DatabaseSession& session, const LiveWindowHooks& live)
{
    WindowRegistry::instance().define(windowNames::kWorldMap, WindowLifetime::UnloadOnClose, [&main, &session, live] {
        frmWorldMap::Hooks hooks;
        hooks.popupMenu = main.menu(QStringLiteral("mnuWorldmap"));
        hooks.makePrincipal = [&main, &session, live](int slot) {
            const MoveOutcome outcome = session.active().makePrincipal({slot - 1});
            if (outcome.status != ListCommand::Done)
                return;
            if (mGlobal::Form_caricato(kDatabaseWindowName)) {
                if (frmDatabase* window = databaseWindow())
                    window->activeSatellitesChanged();
            }
            showPrincipalName(live);
            redrawPrincipal(live);
            TrackingModel::instance().notifyActiveSetChanged();
            if (!outcome.workingSetSaved)
                reportWorldMapFailure(&main, mLang::Testo_lingua(u"frmDatabase", u"satellitinonsalvati"));
        };
        auto* map = new WorldMapBridge(main, std::move(hooks));
        main.mdiArea()->addSubWindow(map);
        return static_cast<frmWorldMap*>(map);
    });
}

} // namespace

void connectElementDatabase(MDIForm1& main, DatabaseSession& session)
{
    DatabaseWindowHooks hooks;
    hooks.live = liveWindowHooks(main);
    defineWorldMap(main, session, hooks.live);
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

    // The pass predictions reach the primary database through the database window.
    frmVisibleSatellites::DatabaseHooks passHooks;
    passHooks.primaryCount = [] {
        const frmDatabase* window = databaseWindow();
        return window != nullptr ? window->entryCount(DatabaseKind::Primary) : 0;
    };
    passHooks.readPrimary = [](const QString& path) {
        if (frmDatabase* window = databaseWindow())
            window->Database_satelliti(path);
    };
    passHooks.openPrimary = [&main] { main.mnuFileApri_Click(); };
    passHooks.hideDatabase = [] {
        if (QWidget* frame = databaseFrame())
            frame->hide();
    };
    WindowRegistry::instance().define(
        windowNames::kVisibleSatellites, WindowLifetime::UnloadOnClose,
        [&main, passHooks]() -> QWidget* {
            auto* window = new frmVisibleSatellites(passHooks);
            main.mdiArea()->addSubWindow(window);
            return window;
        });
}

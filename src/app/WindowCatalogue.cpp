#include "app/WindowCatalogue.h"

#include "database/DatabaseCommands.h"
#include "database/WorkingSet.h"
#include "database/frmDatabase.h"
#include "database/frmDownload.h"
#include "database/frmSyncro.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmCalendar.h"
#include "dialogs/frmFile.h"
#include "dialogs/frmLanguage.h"
#include "dialogs/frmLocation.h"
#include "dialogs/frmSettings.h"
#include "mainwindow/MDIForm1.h"
#include "mainwindow/MenuTable.h"
#include "mainwindow/ToolbarIcons.h"
#include "predictions/frmCalc.h"
#include "predictions/frmDetails.h"
#include "predictions/frmPlanets.h"
#include "predictions/frmRelative.h"
#include "predictions/frmRiseSet.h"
#include "worldmap/frmChannel.h"
#include "worldmap/frmFloating.h"
#include "worldmap/frmSatellite.h"
#include "worldmap/frmTrack.h"
#include "predictions/PassFormat.h"
#include "predictions/frmVisibleSatellites.h"
#include "skycharts/TransitTrack.h"
#include "skycharts/frmGeneralSky.h"
#include "skycharts/frmLocalSky.h"
#include "skycharts/frmMagnitude.h"
#include "skycharts/frmSkySat.h"
#include "tracking/OptionsStore.h"
#include "tracking/ProgramClock.h"
#include "tracking/ReferenceData.h"
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
#include "services/WindowNames.h"
#include "services/WindowRegistry.h"
#include "services/mGlobal.h"
#include "services/mLang.h"

#include <QAction>
#include <QFile>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QApplication>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>

namespace {

/// The principal satellite's pass from now for the local sky (the shared time state and slot 1
/// are back at the present instant afterwards).
std::vector<Punto_traccia> principalTransit(const frmLocalSky::Projection& project)
{
    return computePrincipalTransit(project).points;
}

/// The stars.bin record of a catalogue rank (1-based).
std::optional<Stella_catalogo> starRecord(int rank)
{
    QFile file(dataFilePath(QStringLiteral("stars.bin")));
    if (rank < 1 || !file.open(QIODevice::ReadOnly) ||
        !file.seek(static_cast<qint64>(rank - 1) * kStarRecordSize))
        return std::nullopt;
    const QByteArray record = file.read(kStarRecordSize);
    if (record.size() != kStarRecordSize)
        return std::nullopt;
    return decodeStarRecord(record);
}

/// The observer changed (location dialog): the clock and the satellites follow at once, and
/// the status bar and the open maps hear of it through the tracking model.
void followObserver(MDIForm1& main)
{
    if (!Satelement[kPrincipalSlot].Nome_satellite.empty())
        (void)mSat::Calcola_satellite(kPrincipalSlot, mAstro::Data_giuliana);
    yieldToEvents();
    main.tmrCentrale_Timer();
    TrackingModel::instance().notifyObserverChanged();
}

/// The options dialog changed the options: the open maps take the options the dialog copies
/// into their records, and redraw; the main window shows or hides its bars.
void followOptions(MDIForm1& main)
{
    const Opzioni& o = Impostazioni;
    TrackingModel& model = TrackingModel::instance();
    if (mGlobal::Form_caricato(windowNames::kWorldMap)) {
        WorldMapDisplay map = seededWorldMap(model.worldMap(), o);
        map.nomeCitta = o.Mappamondo_citta;
        map.sole = o.Mappamondo_sole;
        map.ombra = o.Mappamondo_ombra;
        model.setWorldMap(map);
        model.requestChartCommand(ChartKind::WorldMap, ChartCommand::Redraw);
    }
    if (mGlobal::Form_caricato(windowNames::kLocalSky)) {
        LocalSkyDisplay sky = model.localSky();
        sky.griglia = o.Cielo_locale_griglia;
        sky.oggettiCostellazioni = o.Cielo_locale_costellazioni_linee;
        sky.oggettiPianeti = o.Cielo_locale_pianeti;
        sky.oggettiSoleLuna = o.Cielo_locale_sole_luna;
        sky.etichetteCostellazioni = o.Cielo_locale_costellazioni_nomi;
        sky.etichettePianeti = o.Cielo_locale_pianeti_nomi;
        sky.etichetteSoleLuna = o.Cielo_locale_sole_luna_nomi;
        sky.coordinateOrizzontali = o.Cielo_locale_coordinate_altazimutali;
        sky.proiezioneStereo = o.Cielo_locale_proiezione_stereo;
        model.setLocalSky(sky);
        model.requestChartCommand(ChartKind::LocalSky, ChartCommand::Redraw);
    }
    if (mGlobal::Form_caricato(windowNames::kGeneralSky)) {
        model.setGeneralSky(seededGeneralSky(model.generalSky(), o));
        model.requestChartCommand(ChartKind::GeneralSky, ChartCommand::Redraw);
    }
    main.toolbar()->setVisible(o.Barra_pulsanti);
    main.statusBar()->setVisible(o.Barra_stato);
    main.menuItem(mnu(u"mnuVisualizzaBarraPulsanti"))->setChecked(o.Barra_pulsanti);
    main.menuItem(mnu(u"mnuVisualizzaBarraStato"))->setChecked(o.Barra_stato);
    model.notifyObserverChanged();
}

} // namespace

void defineStartupWindows()
{
    // The windows of the start (the language chooser, the messages of the start-up checks)
    // come before the main window, which would otherwise give them the program's icon.
    QApplication::setWindowIcon(programIcon());
    WindowRegistry::instance().define(windowNames::kLanguage, WindowLifetime::UnloadOnClose,
                                      [] { return new frmLanguage(); });
}

void defineWindows(MDIForm1& main)
{
    MDIForm1* owner = &main;
    // Every window here is made for this main window: its definitions go with it.
    const auto define = [owner](const QString& name, WindowLifetime lifetime,
                                WindowRegistry::Factory factory) {
        WindowRegistry::instance().define(name, lifetime, std::move(factory), owner);
    };
    define(windowNames::kAbout, WindowLifetime::UnloadOnClose,
                   [owner] { return new frmAbout(owner); });
    define(windowNames::kLanguage, WindowLifetime::UnloadOnClose, [owner] {
        auto* chooser = new frmLanguage(owner);
        QObject::connect(chooser, &frmLanguage::languageChosen, owner,
                         &MDIForm1::languageChanged);
        return chooser;
    });
    define(windowNames::kCalendar, WindowLifetime::UnloadOnClose,
                   [owner] { return new frmCalendar(owner); });
    define(windowNames::kDownload, WindowLifetime::UnloadOnClose, [owner] {
        auto* download = new frmDownload(owner);
        // A download over the primary database asks at once whether to read it again.
        download->setPrimaryReload({[] { return mGlobal::Form_caricato(kDatabaseWindowName); },
                                    [] {
                                        if (frmDatabase* database = databaseWindow())
                                            database->Database_satelliti(
                                                QString::fromStdString(Impostazioni.File_database));
                                    }});
        return download;
    });
    define(windowNames::kSyncro, WindowLifetime::UnloadOnClose, [owner] {
        auto* synchronisation = new frmSyncro(owner);
        // A simulated clock does not follow the computer's and does not move.
        QObject::connect(synchronisation, &frmSyncro::clockSet, &TrackingModel::instance(), [] {
            TrackingModel& model = TrackingModel::instance();
            if (model.clockMode() == ClockMode::Real)
                model.notifyClockJumped();
        });
        return synchronisation;
    });
    define(windowNames::kLocalSky, WindowLifetime::UnloadOnClose, [owner] {
        frmLocalSky::Hooks hooks;
        hooks.popupMenu = chartMenu(*owner, ChartKind::LocalSky);
        hooks.computeTransit = principalTransit;
        hooks.readStarRecord = starRecord;
        auto* sky = new frmLocalSky(std::move(hooks));
        owner->mdiArea()->addSubWindow(sky);
        return sky;
    });
    define(windowNames::kGeneralSky, WindowLifetime::UnloadOnClose, [owner] {
        frmGeneralSky::Hooks hooks;
        hooks.popupMenu = chartMenu(*owner, ChartKind::GeneralSky);
        hooks.readStarRecord = starRecord;
        auto* sky = new frmGeneralSky(std::move(hooks));
        owner->mdiArea()->addSubWindow(sky);
        return sky;
    });
    define(windowNames::kMagnitude, WindowLifetime::UnloadOnClose,
                   [owner] { return new frmMagnitude(owner); });
    define(windowNames::kLocation, WindowLifetime::HideOnClose, [owner] {
        auto* location = new frmLocation(owner);
        QObject::connect(location, &frmLocation::observerChanged, owner,
                         [owner] { followObserver(*owner); });
        return location;
    });
    define(windowNames::kSettings, WindowLifetime::UnloadOnClose, [owner] {
        auto* settings = new frmSettings(owner);
        settings->setOptionsWriter([] { return Salva_impostazioni(); });
        QObject::connect(settings, &frmSettings::optionsApplied, owner,
                         [owner] { followOptions(*owner); });
        return settings;
    });
    // The listing window is a document of the main window, a new one for every listing; the
    // request dialogs float beside it and stay open after each request.
    define(kDetailsWindowName, WindowLifetime::NewPerRequest, [owner] {
        auto* listing = new frmDetails();
        owner->mdiArea()->addSubWindow(listing);
        return listing;
    });
    // A text window for every element file, a document of the main window whose Edit menu
    // is its pop-up menu.
    define(windowNames::kFile, WindowLifetime::NewPerRequest, [owner] {
        frmFile::Hooks hooks;
        hooks.editMenu = owner->menu(mnu(u"mnuModifica"));
        auto* editor = new frmFile(std::move(hooks));
        owner->mdiArea()->addSubWindow(editor);
        return editor;
    });
    define(windowNames::kCalc, WindowLifetime::UnloadOnClose,
                   [owner] { return new frmCalc(owner); });
    define(windowNames::kRelative, WindowLifetime::UnloadOnClose,
                   [owner] { return new frmRelative(owner); });
    define(windowNames::kPlanets, WindowLifetime::UnloadOnClose,
                   [owner] { return new frmPlanets(owner); });
    define(windowNames::kRiseSet, WindowLifetime::UnloadOnClose,
                   [owner] { return new frmRiseSet(owner); });
    // The live tracking windows float beside the main window and follow the tick's model.
    define(windowNames::kFloating, WindowLifetime::UnloadOnClose, [owner] {
        auto* bar = new frmFloating(owner);
        QObject::connect(bar, &frmFloating::unloaded, owner,
                         [owner] { owner->menuItem(mnu(u"mnuVisualizzaBarraDati"))->setChecked(false); });
        return bar;
    });
    define(windowNames::kTrack, WindowLifetime::UnloadOnClose,
                   [owner] { return new frmTrack(owner); });
    define(QStringLiteral("frmChannel"), WindowLifetime::UnloadOnClose,
                   [] { return new frmChannel(); });
    define(windowNames::kSatellite, WindowLifetime::UnloadOnClose,
                   [owner] { return new frmSatellite(owner); });
}

namespace {

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

void reportWorldMapFailure(QWidget* window, const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::Warning, QApplication::applicationName(), text,
                                QMessageBox::Ok, window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

/// The world map, a child of the main window's document area, whose click makes a satellite
/// principal through the active list as the database window's command does.
void defineWorldMap(MDIForm1& main, DatabaseSession& session)
{
    WindowRegistry::instance().define(windowNames::kWorldMap, WindowLifetime::UnloadOnClose, [&main, &session] {
        frmWorldMap::Hooks hooks;
        hooks.popupMenu = chartMenu(main, ChartKind::WorldMap);
        hooks.makePrincipal = [&main, &session](int slot) {
            const MoveOutcome outcome = session.active().makePrincipal({slot - 1});
            if (outcome.status != ListCommand::Done)
                return;
            redrawPrincipal();
            notifyActiveSatellitesChanged();
            if (!outcome.workingSetSaved)
                reportWorldMapFailure(&main, mLang::Testo_lingua(u"frmDatabase", u"satellitinonsalvati"));
        };
        auto* map = new frmWorldMap(TrackingModel::instance(), std::move(hooks));
        main.mdiArea()->addSubWindow(map);
        return map;
    }, &main);
}

} // namespace

void connectElementDatabase(MDIForm1& main, DatabaseSession& session)
{
    DatabaseWindowHooks hooks;
    defineWorldMap(main, session);
    hooks.download = [&main] { main.mnuStrumentiDownload_Click(); };
    hooks.showSatellite = [](int slot) {
        if (auto* window = WindowRegistry::instance().form<frmSatellite>(windowNames::kSatellite)) {
            window->gintIndice = slot;
            window->exec();
        }
    };
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
    access.removeDecayed = [&main, &session](int slot) { Azzera(slot, session.active(), &main); };
    access.removeActive = [&session](int slot) {
        return session.active().removeDecayed(slot).workingSetSaved;
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
    // Activate adds the pass's own set to the active list as the database window's Add does,
    // and makes it principal as its Principal command does, whatever that window has chosen.
    frmVisibleSatellites::ActionHooks passActions;
    passActions.activate = [&session](const Record_TLE& set, bool principal) {
        AddOutcome outcome = session.active().add({set});
        if (outcome.added == 0)
            return outcome;
        if (principal) {
            const MoveOutcome moved =
                session.active().makePrincipal({session.active().count() - 1});
            outcome.principalChanged = outcome.principalChanged || moved.principalChanged;
            outcome.workingSetSaved = outcome.workingSetSaved && moved.workingSetSaved;
        }
        if (outcome.principalChanged)
            redrawPrincipal();
        notifyActiveSatellitesChanged();
        return outcome;
    };
    // Chart opens a new pass chart of the pass's own set, which keeps its copy of it.
    passActions.showChart = [&main](const PassListModel::Entry& entry) {
        const passes::FoundPass& pass = entry.row.pass;
        frmSkySat::open(skycharts::passChartRequest(
                            entry.row.elementLines,
                            localDateOf(pass.acquisition.julianDate, Osservatore),
                            localDateOf(pass.culmination.julianDate, Osservatore),
                            localDateOf(pass.loss.julianDate, Osservatore), entry.texts.lines),
                        main.mdiArea(), chartMenu(main, ChartKind::PassChart));
    };
    WindowRegistry::instance().define(
        windowNames::kVisibleSatellites, WindowLifetime::UnloadOnClose,
        [&main, passHooks, passActions]() -> QWidget* {
            auto* window = new frmVisibleSatellites(passHooks);
            window->setActionHooks(passActions);
            main.mdiArea()->addSubWindow(window);
            return window;
        });
}

QMenu* chartMenu(const MDIForm1& main, ChartKind chart)
{
    switch (chart) {
    case ChartKind::WorldMap:
        return main.menu(mnu(u"mnuWorldmap"));
    case ChartKind::LocalSky:
        return main.menu(mnu(u"mnuLocalSky"));
    case ChartKind::GeneralSky:
        return main.menu(mnu(u"mnuGeneralSky"));
    case ChartKind::PassChart:
        return main.menu(mnu(u"mnuSkySat"));
    }
    return nullptr;
}

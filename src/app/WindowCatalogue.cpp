#include "app/WindowCatalogue.h"

#include "database/DatabaseCommands.h"
#include "database/frmDatabase.h"
#include "database/frmDownload.h"
#include "database/frmSyncro.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmCalendar.h"
#include "dialogs/frmLanguage.h"
#include "mainwindow/LiveWindows.h"
#include "mainwindow/MDIForm1.h"
#include "mainwindow/WorkingSet.h"
#include "predictions/frmCalc.h"
#include "predictions/frmDetails.h"
#include "predictions/frmRelative.h"

#include "services/WindowRegistry.h"
#include "services/mGlobal.h"

#include <QMdiArea>
#include <QMdiSubWindow>

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
    windows.define(windowNames::kDownload, WindowLifetime::UnloadOnClose, [owner] {
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
    windows.define(windowNames::kSyncro, WindowLifetime::UnloadOnClose,
                   [owner] { return new frmSyncro(owner); });
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

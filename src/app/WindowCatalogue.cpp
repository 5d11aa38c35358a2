#include "app/WindowCatalogue.h"

#include "database/DatabaseCommands.h"
#include "database/WorkingSet.h"
#include "database/frmDatabase.h"
#include "database/frmDownload.h"
#include "database/frmSyncro.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmCalendar.h"
#include "dialogs/frmLanguage.h"
#include "mainwindow/MDIForm1.h"

#include "services/WindowNames.h"
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
    // The network windows are modal and have no owner.
    windows.define(windowNames::kDownload, WindowLifetime::UnloadOnClose,
                   [] { return new frmDownload(); });
    windows.define(windowNames::kSyncro, WindowLifetime::UnloadOnClose,
                   [] { return new frmSyncro(); });
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

void connectElementDatabase(MDIForm1& main, DatabaseSession& session)
{
    DatabaseWindowHooks hooks;
    hooks.download = [&main] { main.mnuStrumentiDownload_Click(); };
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

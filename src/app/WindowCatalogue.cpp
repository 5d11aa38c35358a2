#include "app/WindowCatalogue.h"

#include "database/ActiveSatellites.h"
#include "database/frmDownload.h"
#include "database/frmSyncro.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmCalendar.h"
#include "dialogs/frmLanguage.h"
#include "mainwindow/LiveWindows.h"
#include "mainwindow/MDIForm1.h"
#include "mainwindow/WorkingSet.h"

#include "services/WindowRegistry.h"

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

    main.setActiveSlotRemoval([](int slot) {
        return ActiveSatellites(&Salva_Ini).removeDecayed(slot).workingSetSaved;
    });
}

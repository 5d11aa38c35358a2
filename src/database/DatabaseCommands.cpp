#include "database/DatabaseCommands.h"

#include "common/gates.h"
#include "common/satellite_slots.h"
#include "core/mSat.h"
#include "database/PrincipalRefresh.h"
#include "database/frmDatabase.h"
#include "services/WindowRegistry.h"
#include "services/mGlobal.h"
#include "services/mLang.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

/// The active slot that holds these element lines; 0 when none does.
int activeSlotHolding(const Record_TLE& lines, int activeCount)
{
    for (int slot = kPrincipalSlot; slot <= activeCount; ++slot) {
        const Record_TLE& held = RigaDati[slot];
        if (held.Riga0 == lines.Riga0 && held.Riga1 == lines.Riga1 && held.Riga2 == lines.Riga2)
            return slot;
    }
    return 0;
}

} // namespace

QString chooseElementFileWithDialog(const QString& title, const QString& proposedFile,
                                    const QString& filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, proposedFile, filter);
}

void defineDatabaseWindow(DatabaseSession& session, DatabaseWindowHooks hooks,
                          std::function<void(QWidget* window)> place)
{
    WindowRegistry::instance().define(
        kDatabaseWindowName, WindowLifetime::HideOnClose,
        [&session, hooks = std::move(hooks), place = std::move(place)]() -> QWidget* {
            auto* window = new frmDatabase(session, hooks);
            if (place)
                place(window);
            return window;
        });
}

frmDatabase* databaseWindow()
{
    return WindowRegistry::instance().form<frmDatabase>(kDatabaseWindowName);
}

void Apertura_database(DatabaseKind kind)
{
    if (frmDatabase* window = databaseWindow())
        window->Apertura_database(kind);
}

void Azzera(int intIndice, ActiveSatellites& active, QWidget* parent)
{
    if (intIndice < kPrincipalSlot || intIndice > active.count())
        return;
    const TickPause pause(pflgSatellite);
    const Record_TLE decayed = RigaDati[intIndice];
    const QString name = QString::fromStdString(Satelement[intIndice].Nome_satellite).trimmed();
    QMessageBox::warning(parent, name,
                         mLang::Testo_lingua(u"MDIForm1", u"satellitedecaduto1") + u'\n'
                             + mLang::Testo_lingua(u"MDIForm1", u"satellitedecaduto2") + u'\n'
                             + mLang::Testo_lingua(u"MDIForm1", u"satellitedecaduto3"));
    // Removed by slot number, not through the database window's selection, so exactly this
    // satellite goes whatever the user has chosen in the active list. The message ran the
    // event loop, where the list may have been reordered: the slot is looked up again.
    const DecayedOutcome outcome =
        active.removeDecayed(activeSlotHolding(decayed, active.count()));
    if (!outcome.removed)
        return;
    if (outcome.wasPrincipal || outcome.listEmptied)
        clearPrincipalDataBoxes();
    notifyActiveSatellitesChanged();
    if (!outcome.workingSetSaved)
        QMessageBox::warning(parent, QGuiApplication::applicationDisplayName(),
                             mLang::Testo_lingua(u"frmDatabase", u"satellitinonsalvati"));
}

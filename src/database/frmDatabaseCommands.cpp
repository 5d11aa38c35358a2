// The database window's commands: the active list (add, remove, principal, order), the list
// events and the buttons that open other windows.

#include "database/frmDatabase.h"

#include "common/gates.h"
#include "common/satellite_slots.h"
#include "controls/GraphButton/GraphButton.h"
#include "core/ElementSet.h"
#include "core/mAstro.h"
#include "core/mSat.h"
#include "database/DatabaseListModels.h"
#include "database/PrincipalRefresh.h"
#include "services/BusyCursor.h"
#include "services/Help.h"
#include "services/ProgramFolder.h"
#include "services/WindowTexts.h"
#include "services/mLang.h"

#include <QApplication>
#include <QDir>
#include <QItemSelection>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QMessageBox>

namespace {

const WindowTexts texts(u"frmDatabase");

constexpr int kHelpContext = 80;

/// The one-selection commands' answer when not exactly one entry is chosen.
bool refusedForSelection(ListCommand status)
{
    return status == ListCommand::SelectOne;
}

} // namespace

void frmDatabase::activeSatellitesChanged()
{
    m_activeModel->refresh();
    lblNumeroSatellitiAttivi->setText(QString::number(m_session.active().count()));
    if (m_session.active().count() == 0) {
        for (DatabaseTab& t : m_tabs)
            t.cmdRemove->setEnabled(false);
    }
}

void frmDatabase::activeListChanged(bool principalChanged, bool listEmptied, bool workingSetSaved)
{
    if (listEmptied)
        Azzera_riquadri_dati();
    else if (principalChanged)
        redrawPrincipal();
    notifyActiveSatellitesChanged();
    if (!workingSetSaved)
        message(texts(u"satellitinonsalvati"), true);
}

void frmDatabase::selectActiveEntry(int entry)
{
    const QModelIndex index = m_activeModel->index(entry, 0);
    if (!index.isValid())
        return;
    lstActive->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    lstActive->scrollTo(index);
}

void frmDatabase::cmdAdd_Click(DatabaseKind kind)
{
    const ElementDatabase& db = database(kind);
    // Each chosen entry adds the set of its own record, however the list is sorted.
    const AddOutcome outcome =
        m_session.active().add(db.setsAtRows(selectedRows(tab(kind).lstDatabase)));
    if (outcome.status == ListCommand::NothingSelected) {
        message(texts(u"nosatelliteselezionato"), false);
        return;
    }
    for (const QString& name : outcome.alreadyActive)
        message(texts(u"satellitegiainelenco"), false, name);
    if (outcome.limitReached) {
        message(texts(u"limiteraggiunto1") + u'\n' + texts(u"limiteraggiunto2"), true);
    }
    if (outcome.added > 0)
        activeListChanged(outcome.principalChanged, false, outcome.workingSetSaved);
}

void frmDatabase::lstActive_DragDrop(DatabaseKind kind)
{
    cmdAdd_Click(kind);
    selectActiveEntry(m_session.active().count() - 1);
}

void frmDatabase::cmdRemove_Click()
{
    const RemoveOutcome outcome = m_session.active().remove(selectedRows(lstActive));
    if (outcome.status == ListCommand::NothingSelected) {
        message(texts(u"nosatelliteselezionato"), false);
        return;
    }
    // The maps show the new principal from the next tick on; only the status bar is told now.
    activeListChanged(false, outcome.listEmptied, outcome.workingSetSaved);
}

void frmDatabase::cmdPrincipale_Click()
{
    const MoveOutcome outcome = m_session.active().makePrincipal(selectedRows(lstActive));
    if (refusedForSelection(outcome.status)) {
        message(texts(u"selezionaresatellite"), false);
        return;
    }
    if (outcome.status != ListCommand::Done)
        return;
    activeListChanged(outcome.principalChanged, false, outcome.workingSetSaved);
    selectActiveEntry(outcome.selectedEntry);
}

void frmDatabase::afterMove(const MoveOutcome& outcome)
{
    if (refusedForSelection(outcome.status)) {
        message(texts(u"selezionaresatellite"), false);
        return;
    }
    if (outcome.status != ListCommand::Done)
        return;
    activeListChanged(outcome.principalChanged, false, outcome.workingSetSaved);
    selectActiveEntry(outcome.selectedEntry);
}

void frmDatabase::cmdUp_Click()
{
    afterMove(m_session.active().moveUp(selectedRows(lstActive)));
}

void frmDatabase::cmdDown_Click()
{
    afterMove(m_session.active().moveDown(selectedRows(lstActive)));
}

void frmDatabase::cmdOrder_Click()
{
    const MoveOutcome outcome = m_session.active().rotate();
    if (outcome.status == ListCommand::Done)
        activeListChanged(outcome.principalChanged, false, outcome.workingSetSaved);
}

void frmDatabase::cmdRemoveAll_Click()
{
    if (m_session.active().count() == 0)
        return;
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, QGuiApplication::applicationDisplayName(), texts(u"richiestacancellazione"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    const RemoveOutcome outcome = m_session.active().removeAll();
    activeListChanged(false, outcome.listEmptied, outcome.workingSetSaved);
}

void frmDatabase::cmdVisibili_Click(DatabaseKind kind)
{
    DatabaseTab& t = tab(kind);
    const int rows = t.model->rowCount();
    if (rows == 0)
        return;
    const TickPause pause(pflgSatellite);
    const BusyCursor busy;
    std::vector<int> allRows(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row)
        allRows[static_cast<std::size_t>(row)] = row;
    const std::vector<bool> above =
        aboveHorizon(database(kind).setsAtRows(allRows), mAstro::Data_giuliana);
    // One selection of runs of neighbouring rows: selecting row by row is slow on a long list.
    QItemSelection selection;
    for (int first = 0; first < rows;) {
        if (!above[static_cast<std::size_t>(first)]) {
            ++first;
            continue;
        }
        int last = first;
        while (last + 1 < rows && above[static_cast<std::size_t>(last + 1)])
            ++last;
        selection.select(t.model->index(first, 0), t.model->index(last, 0));
        first = last + 1;
    }
    t.lstDatabase->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void frmDatabase::lstDatabase_Click(DatabaseKind kind)
{
    DatabaseTab& t = tab(kind);
    t.cmdAdd->setEnabled(true);
    t.lblNumeroSelezionati->setText(
        QString::number(t.lstDatabase->selectionModel()->selectedRows().size()));
}

void frmDatabase::lstDatabase_DblClick(DatabaseKind kind)
{
    const DatabaseTab& t = tab(kind);
    const int record = database(kind).recordNumberAt(t.lstDatabase->currentIndex().row());
    // A list without a current entry has no set to show.
    if (record == 0 || !m_hooks.showSatellite)
        return;
    const Record_TLE& set = database(kind).record(record);
    (void)mSat::Estrai_Dati_Satellite(kFirstScratchSlot, set.Riga0, set.Riga1, set.Riga2);
    m_hooks.showSatellite(kFirstScratchSlot);
}

void frmDatabase::lstActive_Click()
{
    for (DatabaseTab& t : m_tabs)
        t.cmdRemove->setEnabled(m_session.active().count() > 0);
}

void frmDatabase::lstActive_DblClick()
{
    const int entry = lstActive->currentIndex().row();
    if (entry < 0 || entry >= m_session.active().count() || !m_hooks.showSatellite)
        return;
    m_hooks.showSatellite(entry + 1);
}

void frmDatabase::cmdSommario_Click(DatabaseKind kind)
{
    if (entryCount(kind) > 0 && m_hooks.showSummary)
        m_hooks.showSummary(kind);
}

void frmDatabase::cmdDatabase_Click(DatabaseKind kind)
{
    Apertura_database(kind);
}

void frmDatabase::cmdDownload_Click()
{
    if (m_hooks.download)
        m_hooks.download();
}

void frmDatabase::cmdOK_Click()
{
    close(); // only hides: the window keeps its lists until the program ends
}

void frmDatabase::cmdHelp_Click()
{
    showHelp(this, QDir(MyPath).filePath(mLang::Testo_lingua(u"Help", u"file")),
             HelpCommand::Context, kHelpContext, mLang::Testo_lingua(u"MDIForm1", u"nofilehelp"));
}

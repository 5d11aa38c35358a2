// What the user does with a found pass: its event lines, the ephemeris of the pass, its sky
// chart, adding its satellite to the active list, the listing of every pass of a tab, Save,
// Print and Help. Each action works on the copy of the pass taken when it was chosen, with its
// satellite's own element lines, never on a slot or a database position looked up later.

#include "predictions/frmVisibleSatellites.h"

#include "common/options.h"
#include "common/satellite_slots.h"
#include "controls/GraphButton/GraphButton.h"
#include "core/DateValue.h"
#include "database/ElementColumns.h"
#include "predictions/RequestSpan.h"
#include "predictions/frmDetails.h"
#include "services/AtomicFile.h"
#include "services/Help.h"
#include "services/Printing.h"
#include "services/ProgramFolder.h"
#include "services/mLang.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTreeView>

namespace {

constexpr int kCoordinatesObserver = 1;
constexpr int kHelpContextFirstTab = 150;
constexpr int kHelpStepPerTab = 10;
// Printouts: Courier New 10 points from this far off the top and left edges [twips].
constexpr double kPrintMarginTwips = 450;
constexpr double kPrintFontPoints = 10;

QString passText(QAnyStringView key)
{
    return mLang::Testo_lingua(u"frmVisibleSatellites", key);
}

QString databaseText(QAnyStringView key)
{
    return mLang::Testo_lingua(u"frmDatabase", key);
}

/// The local date value of an event, to the second the event line shows.
double shownLocalDate(double julianDate)
{
    const DateValue::Parts p = DateValue::split(localDateOf(julianDate, Osservatore));
    return DateValue::fromDateTime(p.year, p.month, p.day, p.hour, p.minute, p.second);
}

QString chooseSaveFileWithDialog(QWidget* parent, const QString& folder, const QString& filter)
{
    // The desktop's save dialog asks before it overwrites a file.
    return QFileDialog::getSaveFileName(parent, QString(), folder, filter);
}

} // namespace

void frmVisibleSatellites::setActionHooks(ActionHooks hooks)
{
    m_actions = std::move(hooks);
    for (int k = 0; k < kTabs; ++k)
        updateActionButtons(k);
}

void frmVisibleSatellites::setChartHook(std::function<void(const PassListModel::Entry&)> hook)
{
    m_actions.showChart = std::move(hook);
    for (int k = 0; k < kTabs; ++k)
        updateActionButtons(k);
}

const PassListModel::Entry* frmVisibleSatellites::chosenPass(int tab) const
{
    if (tab < 0 || tab >= kTabs)
        return nullptr;
    const auto& chosen = m_chosen[static_cast<std::size_t>(tab)];
    return chosen ? &*chosen : nullptr;
}

void frmVisibleSatellites::updateActionButtons(int k)
{
    const auto i = static_cast<std::size_t>(k);
    const bool chosen = m_chosen[i].has_value() && !lstPass[i]->selectedItems().isEmpty();
    cmdDettagli[i]->setEnabled(chosen);
    cmdMappa[i]->setEnabled(chosen && m_actions.showChart != nullptr);
    if (k == kTabAll)
        cmdAttiva->setEnabled(chosen && m_actions.activate != nullptr);
}

void frmVisibleSatellites::lvwPass_ItemClick(int k, int row)
{
    const auto i = static_cast<std::size_t>(k);
    const PassListModel::Entry* entry = m_models[i]->entry(row);
    if (entry == nullptr)
        return;
    m_chosen[i] = *entry;
    const QSignalBlocker quiet(lstPass[i]);
    lstPass[i]->clear();
    for (const QString& line : entry->texts.lines)
        lstPass[i]->addItem(line);
    // The culmination line is chosen first.
    lstPass[i]->setCurrentRow(1);
    lstPass_Click(k);
    emit passSelected(k, row);
}

void frmVisibleSatellites::lstPass_Click(int Index)
{
    if (Index < 0 || Index >= kTabs)
        return;
    updateActionButtons(Index);
}

void frmVisibleSatellites::lstPass_DblClick(int Index)
{
    const PassListModel::Entry* chosen = chosenPass(Index);
    if (chosen == nullptr || lstPass[static_cast<std::size_t>(Index)]->selectedItems().isEmpty())
        return;
    // The listing lets events run while it computes: it keeps its own copy of the pass, and
    // this window is not touched again (it may be closed meanwhile).
    const PassListModel::Entry pass = *chosen;
    frmDetails* listing = m_actions.newListing ? m_actions.newListing() : newListingWindow();
    if (listing == nullptr)
        return;
    // Whichever line is chosen, the listing covers the pass from its start to its end.
    double step = 0;
    (void)listing->Genera_elenco(
        pass.row.elementLines, shownLocalDate(pass.row.pass.acquisition.julianDate),
        shownLocalDate(pass.row.pass.loss.julianDate), step, kCoordinatesObserver);
}

void frmVisibleSatellites::cmdMappa_Click(int Index)
{
    const PassListModel::Entry* chosen = chosenPass(Index);
    if (chosen == nullptr || !m_actions.showChart ||
        lstPass[static_cast<std::size_t>(Index)]->selectedItems().isEmpty())
        return;
    const PassListModel::Entry pass = *chosen;
    m_actions.showChart(pass);
}

QMessageBox::StandardButton frmVisibleSatellites::askYesNoCancel(const QString& text)
{
    if (m_askYesNoCancel)
        return m_askYesNoCancel(text);
    return QMessageBox::question(this, QGuiApplication::applicationDisplayName(), text,
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                 QMessageBox::Yes);
}

void frmVisibleSatellites::cmdAttiva_Click()
{
    const PassListModel::Entry* chosen = chosenPass(kTabAll);
    if (chosen == nullptr || !m_actions.activate || lstPass[kTabAll]->selectedItems().isEmpty())
        return;
    const Record_TLE set = chosen->row.elementLines;
    const QString limit =
        databaseText(u"limiteraggiunto1") + u'\n' + databaseText(u"limiteraggiunto2");
    if (Numero_satelliti >= kMaxActiveSatellites) {
        showMessage(QMessageBox::Information, limit);
        return;
    }
    const std::string_view catalogue = elementColumns::catalogueText(set.Riga1);
    for (int slot = 1; slot <= Numero_satelliti; ++slot) {
        if (elementColumns::sameCatalogueNumber(Satelement[slot].Numero_catalogo, catalogue)) {
            showMessage(QMessageBox::Information, databaseText(u"satellitegiainelenco"),
                        QString::fromStdString(Satelement[slot].Nome_satellite).trimmed());
            return;
        }
    }
    const QMessageBox::StandardButton answer = askYesNoCancel(passText(u"impostarecomeprincipale"));
    if (answer != QMessageBox::Yes && answer != QMessageBox::No)
        return;
    const AddOutcome outcome = m_actions.activate(set, answer == QMessageBox::Yes);
    for (const QString& name : outcome.alreadyActive)
        showMessage(QMessageBox::Information, databaseText(u"satellitegiainelenco"), name);
    if (outcome.limitReached)
        showMessage(QMessageBox::Information, limit);
    if (!outcome.workingSetSaved)
        showMessage(QMessageBox::Warning, databaseText(u"satellitinonsalvati"));
}

void frmVisibleSatellites::lvwPass_RightClick(int Index)
{
    const PassListModel* list = passList(Index);
    if (list == nullptr || list->rowCount() == 0)
        return;
    QStringList lines{lblLegenda[static_cast<std::size_t>(Index)]->text()};
    // The tabs of several satellites say whose pass the three lines are; the principal's tab
    // holds one satellite only.
    const bool named = Index != kTabPrincipal;
    for (int row = 0; row < list->rowCount(); ++row) {
        const PassTexts& texts = list->entry(row)->texts;
        if (named)
            lines << texts.columns[kColumnName].trimmed();
        for (const QString& line : texts.lines)
            lines << line;
    }
    lines << QString();
    // The caption names the satellite of the principal's tab, the tab's satellites otherwise.
    const QString listed = named ? SSTab1->tabText(Index)
                                 : list->entry(0)->texts.columns[kColumnName].trimmed();
    frmDetails* listing = m_actions.newListing ? m_actions.newListing() : newListingWindow();
    if (listing != nullptr)
        listing->showLines(std::move(lines), passText(u"elencopassaggi") + QStringLiteral(" - ")
                                                 + listed);
}

void frmVisibleSatellites::cmdHelp_Click(int Index)
{
    showHelp(this, dataFilePath(mLang::Testo_lingua(u"Help", u"file")), HelpCommand::Context,
             kHelpContextFirstTab + kHelpStepPerTab * Index,
             mLang::Testo_lingua(u"MDIForm1", u"nofilehelp"));
}

QStringList frmVisibleSatellites::currentEventLines() const
{
    const int tab = SSTab1->currentIndex();
    if (tab < 0 || tab >= kTabs)
        return {};
    const QListWidget* list = lstPass[static_cast<std::size_t>(tab)];
    QStringList lines;
    for (int row = 0; row < list->count(); ++row)
        lines << list->item(row)->text();
    return lines;
}

void frmVisibleSatellites::Salva()
{
    // The lines are taken before the dialog: what is written is what was shown.
    const QStringList lines = currentEventLines();
    if (lines.isEmpty())
        return;
    const SaveChooser& choose =
        m_chooseSaveFile ? m_chooseSaveFile : SaveChooser(chooseSaveFileWithDialog);
    const QString path = choose(this, MyPath, mLang::Testo_lingua(u"Dialogs", u"filtrotxt"));
    if (path.isEmpty())
        return;
    const QByteArray bytes = (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    QString reason;
    if (!writeFileAtomically(path, bytes, &reason))
        showMessage(QMessageBox::Warning,
                    passText(u"salvataggiofallito") + u'\n' + path + u'\n' + reason);
}

void frmVisibleSatellites::Stampa()
{
    const QStringList lines = currentEventLines();
    if (lines.isEmpty()) {
        // File > Print is offered over this window before any pass is chosen.
        showMessage(QMessageBox::Information, passText(u"nessunpassaggiodastampare"));
        return;
    }
    PrinterSurface& printer = Printer();
    const bool chosen = m_choosePrinter ? m_choosePrinter(this) : showPrintDialog(this);
    if (!chosen) {
        printer.KillDoc();
        return;
    }
    printer.setForeColor(Qt::black);
    const QString savedFont = printer.FontName();
    const double savedSize = printer.FontSize();
    printer.setFontName(QStringLiteral("Courier New"));
    printer.setFontSize(kPrintFontPoints);
    printer.setCurrentY(kPrintMarginTwips);
    for (const QString& line : lines) {
        printer.setCurrentX(kPrintMarginTwips);
        printer.Print(line);
    }
    const bool printed = printer.EndDoc();
    printer.setFontName(savedFont);
    printer.setFontSize(savedSize);
    if (!printed)
        showMessage(QMessageBox::Warning, passText(u"stampafallita"));
}

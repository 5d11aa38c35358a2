// The summary tables of the listing window: of an element database or of an element file.

#include "predictions/frmDetails.h"

#include "common/element_databases.h"
#include "common/gates.h"
#include "controls/ProgressBar/ProgressBar.h"
#include "core/mAstro.h"
#include "dialogs/frmProgress.h"
#include "predictions/SummaryModel.h"
#include "services/WindowRegistry.h"
#include "services/mLang.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QSortFilterProxyModel>
#include <QTreeView>

#include <algorithm>

namespace {

constexpr qint64 kEventIntervalMs = 40;
constexpr int kTwipsPerPixel = 15; // the column widths are laid out at 96 dots per inch

QString detailsText(const char16_t* key)
{
    return mLang::Testo_lingua(u"frmDetails", key);
}

} // namespace

void frmDetails::prepareSummary()
{
    List1->hide();
    ListView1->hide();
    m_lastSortColumn = -1;
    m_sortedSummary->sort(-1);
    ListView1->header()->setSortIndicatorShown(false);
    m_summary->clear();
    m_summary->loadCaptions();
    // Each column at least as wide as its heading, so that no heading is cut off.
    QHeaderView* header = ListView1->header();
    for (int column = 0; column < kSummaryColumns; ++column)
        header->resizeSection(column,
                              std::max(SummaryModel::columnWidthTwips(column) / kTwipsPerPixel,
                                       header->sectionSizeHint(column)));
}

SummaryTable frmDetails::summariseWithProgress(const std::vector<Record_TLE>& sets,
                                               std::size_t first, QStringView taskKey)
{
    frmProgress progress(this);
    progress.setWindowModality(Qt::NonModal);
    progress.lblTask->setText(mLang::Testo_lingua(u"frmProgress", taskKey));
    progress.ProgressBar1->setMax(static_cast<double>(std::max<std::size_t>(1, sets.size())));
    progress.ProgressBar1->setVisible(true);
    progress.show();
    QCoreApplication::processEvents();
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    ++m_computing;
    SummaryTable table = summarise(sets, first, mAstro::Data_giuliana, QLocale(),
                                   [&](std::size_t done) {
                                       if (sinceEvents.elapsed() >= kEventIntervalMs) {
                                           progress.ProgressBar1->setValue(double(done));
                                           QCoreApplication::processEvents();
                                           sinceEvents.start();
                                       }
                                       if (m_stopRequested)
                                           return false;
                                       if (!pflgArresta)
                                           return true;
                                       pflgArresta = false;
                                       return false;
                                   });
    progress.close();
    --m_computing;
    return table;
}

void frmDetails::showSummary(SummaryTable table)
{
    const int skipped = table.skippedSets;
    m_summary->setRows(std::move(table.rows));
    List1->hide();
    ListView1->show();
    // A set that could not be read is left out and told once, whatever follows it.
    if (skipped > 0)
        QMessageBox::warning(this, QGuiApplication::applicationDisplayName(),
                             detailsText(u"setscartati").arg(skipped));
}

void frmDetails::Sommario(int elenco)
{
    if (elenco == 0)
        setWindowTitle(detailsText(u"sommariodbprincipale"));
    else if (elenco == 1)
        setWindowTitle(detailsText(u"sommariodbsecondario"));
    prepareSummary();
    // A copy: the database may be read again while the summary yields to the event loop.
    const std::vector<Record_TLE> sets = elenco == 1 ? Db_secondario : Db_principale;
    SummaryTable table = summariseWithProgress(sets, 1, u"creazionesommario");
    if (m_closeWhenDone) {
        WindowRegistry::instance().unloadOrClose(this);
        return;
    }
    showSummary(std::move(table));
}

void frmDetails::LeggiDiretto(const QString& FName)
{
    prepareSummary();
    QFile file(FName);
    if (!file.open(QIODevice::ReadOnly)) {
        QMessageBox::warning(this, FName, detailsText(u"filenonleggibile") + u'\n'
                                              + file.errorString());
        WindowRegistry::instance().unloadOrClose(this);
        return;
    }
    const std::vector<Record_TLE> sets =
        elementSetsOfLines(elementFileLines(QString::fromUtf8(file.readAll())));
    file.close();
    SummaryTable table = summariseWithProgress(sets, 0, u"letturasatelliti");
    if (m_closeWhenDone) {
        WindowRegistry::instance().unloadOrClose(this);
        return;
    }
    // Guard: a file without one readable set is no element file, not an empty summary.
    if (table.rows.empty() && !table.stopped) {
        QMessageBox::warning(this, FName, mLang::Testo_lingua(u"Dialogs", u"formatononvalido"));
        WindowRegistry::instance().unloadOrClose(this);
        return;
    }
    setWindowTitle(detailsText(u"sommariofile") + QStringLiteral(" - ") + FName);
    showSummary(std::move(table));
    if (QWidget* frame = parentWidget(); frame != nullptr && frame->isWindow() == false)
        frame->show();
    show();
}

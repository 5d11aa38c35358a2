#include "predictions/frmVisibleSatellites.h"

#include "common/catalogues.h"
#include "common/element_databases.h"
#include "common/options.h"
#include "common/satellite_slots.h"
#include "controls/GraphButton/GraphButton.h"
#include "controls/ProgressBar/ProgressBar.h"
#include "core/PassSearch.h"
#include "core/mAstro.h"
#include "dialogs/frmProgress.h"
#include "services/WindowRegistry.h"
#include "services/mLang.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>

namespace {

/// How often a running search is looked at [ms]: short enough for Stop to feel immediate.
constexpr int kPollIntervalMs = 40;
/// Time spent formatting and appending rows per look [ms], so a long list never stalls the
/// window (about 500 rows).
constexpr qint64 kBatchBudgetMs = 30;

} // namespace

struct frmVisibleSatellites::Run
{
    explicit Run(int k) : tab(k) {}
    int tab;
    // The program clock and the satellites stand still while a run lasts, as during every
    // long computation. The search itself does not depend on it: its worker threads read
    // only the request's copies of the elements, the observer and the options.
    TickPause clockGate{pflgCentrale};
    TickPause satelliteGate{pflgSatellite};
    std::unique_ptr<passes::PassSearchRun> search;
    QPointer<frmProgress> progress;
    QTimer timer;
    std::deque<passes::PassRow> pending;
    Dati_osservatore observer;
    bool failed = false; ///< an unexpected error ended the run
};

frmVisibleSatellites::frmVisibleSatellites(DatabaseHooks hooks, QWidget* parent)
    : QWidget(parent), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("frmVisibleSatellites"));
    buildControls();
    Applica_lingua();
    loadState();
    connectControls();
}

frmVisibleSatellites::~frmVisibleSatellites()
{
    if (m_run && m_run->search)
        m_run->search->cancel();
    if (m_run && m_run->progress)
        delete m_run->progress;
    if (m_run)
        pflgRicerca = false;
}

void frmVisibleSatellites::connectControls()
{
    connect(cmdAttiva, &GraphButton::Click, this, &frmVisibleSatellites::cmdAttiva_Click);
    for (int k = 0; k < kTabs; ++k) {
        const auto i = static_cast<std::size_t>(k);
        connect(cmdOK[i], &GraphButton::Click, this, [this, k] { cmdOK_Click(k); });
        connect(cmdCancel[i], &GraphButton::Click, this, &frmVisibleSatellites::cmdCancel_Click);
        connect(chkNessunFiltro[i], &QCheckBox::clicked, this,
                [this, k] { chkNessunFiltro_Click(k); });
        connect(lvwPass[i]->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this, k](const QModelIndex& current) {
                    if (current.isValid())
                        lvwPass_ItemClick(k, current.row());
                });
        connect(lvwPass[i]->header(), &QHeaderView::sectionClicked, this,
                [this, k](int column) { lvwPass_ColumnClick(k, column); });
        connect(lvwPass[i], &QTreeView::doubleClicked, this,
                [this, k](const QModelIndex& index) { emit passActivated(k, index.row()); });
        connect(lvwPass[i], &QWidget::customContextMenuRequested, this,
                [this, k] { lvwPass_RightClick(k); });
        connect(lstPass[i], &QListWidget::itemSelectionChanged, this,
                [this, k] { lstPass_Click(k); });
        connect(lstPass[i], &QListWidget::itemDoubleClicked, this,
                [this, k] { lstPass_DblClick(k); });
        connect(cmdDettagli[i], &GraphButton::Click, this, [this, k] { cmdDettagli_Click(k); });
        connect(cmdMappa[i], &GraphButton::Click, this, [this, k] { cmdMappa_Click(k); });
        connect(cmdHelp[i], &GraphButton::Click, this, [this, k] { cmdHelp_Click(k); });
    }
}

void frmVisibleSatellites::chkNessunFiltro_Click(int Index)
{
    const auto i = static_cast<std::size_t>(Index);
    if (chkNessunFiltro[i]->isChecked()) {
        m_minimumElevation = 0;
        m_azimuthMin = 0;
        m_azimuthMax = 360;
    } else {
        m_minimumElevation = Impostazioni.Filtro_altezza_min[i];
        m_azimuthMin = Impostazioni.Filtro_azimut_min[i];
        m_azimuthMax = Impostazioni.Filtro_azimut_max[i];
    }
}

void frmVisibleSatellites::showMessage(QMessageBox::Icon icon, const QString& text,
                                       const QString& title)
{
    if (m_message) {
        m_message(icon, text);
        return;
    }
    QMessageBox box(icon, title.isEmpty() ? QGuiApplication::applicationDisplayName() : title, text,
                    QMessageBox::Ok, this);
    box.exec();
}

bool frmVisibleSatellites::checkBeforeSearch(int k)
{
    const auto i = static_cast<std::size_t>(k);
    if (k == kTabPrincipal && Numero_satelliti == 0) {
        showMessage(QMessageBox::Information,
                    mLang::Testo_lingua(u"frmVisibleSatellites", u"nessunsatelliteprimario"));
        return false;
    }
    if (k == kTabSecondary && Numero_satelliti < 2) {
        showMessage(QMessageBox::Information,
                    mLang::Testo_lingua(u"frmVisibleSatellites", u"nessunsatellitesecondario"));
        return false;
    }
    if (!chkAM[i]->isChecked() && !chkPM[i]->isChecked()) {
        showMessage(QMessageBox::Information,
                    mLang::Testo_lingua(u"frmVisibleSatellites", u"selezionareampm"));
        return false;
    }
    m_currentTab = k;
    chkNessunFiltro_Click(k);
    if (k == kTabAll) {
        const int sets = m_hooks.primaryCount ? m_hooks.primaryCount()
                                              : static_cast<int>(Db_principale.size()) - 1;
        if (sets <= 0) {
            m_chosen[i].reset();
            lstPass[i]->clear();
            updateActionButtons(k);
            if (askForDatabase())
                QTimer::singleShot(0, this, [this] { cmdOK_Click(kTabAll); });
            return false;
        }
    }
    if (Impostazioni.Filtro_azimut_min[i] >= Impostazioni.Filtro_azimut_max[i]) {
        showMessage(QMessageBox::Warning,
                    mLang::Testo_lingua(u"frmVisibleSatellites", u"intervalloazimutherrato"));
        return false;
    }
    return true;
}

bool frmVisibleSatellites::askForDatabase()
{
    const QString text = mLang::Testo_lingua(u"MDIform1", u"necessariodb");
    const bool ok = m_question
                        ? m_question(text)
                        : QMessageBox::question(this, QGuiApplication::applicationDisplayName(),
                                                text, QMessageBox::Ok | QMessageBox::Cancel,
                                                QMessageBox::Ok) == QMessageBox::Ok;
    if (!ok)
        return false;
    if (!Impostazioni.File_database.empty() && m_hooks.readPrimary)
        m_hooks.readPrimary(QString::fromStdString(Impostazioni.File_database));
    else if (m_hooks.openPrimary)
        m_hooks.openPrimary();
    const int sets =
        m_hooks.primaryCount ? m_hooks.primaryCount() : static_cast<int>(Db_principale.size()) - 1;
    if (sets <= 0)
        return false;
    if (m_hooks.hideDatabase)
        m_hooks.hideDatabase();
    return true;
}

void frmVisibleSatellites::cmdOK_Click(int Index)
{
    if (Index < 0 || Index >= kTabs || isSearching())
        return;
    if (!checkBeforeSearch(Index))
        return;
    startSearch(Index);
}

namespace {

double startOf(const QDateTime& local, const Dati_osservatore& observer)
{
    const QDate d = local.date();
    const QTime t = local.time();
    const double zone =
        static_cast<double>(observer.Ora_legale) + static_cast<double>(observer.Fuso_orario);
    return mAstro::Calcola_giorno_giuliano(d.year(), d.month(),
                                           d.day() + (t.hour() - zone) / 24.0 +
                                               (t.minute() + t.second() / 60.0) / 1440.0);
}

} // namespace

void frmVisibleSatellites::startSearch(int k)
{
    const auto i = static_cast<std::size_t>(k);
    passes::PassSearchRequest request;
    request.observer = Osservatore;
    request.options = Impostazioni;
    request.magnitudes = Tabella_magnitudini;
    request.filters.minimumElevationDeg = m_minimumElevation;
    request.filters.azimuthMinDeg = m_azimuthMin;
    request.filters.azimuthMaxDeg = m_azimuthMax;
    // With the no-filter box ticked there is no azimuth window at all (not even 0 .. 360,
    // which would drop a culmination due north).
    request.filters.applyAzimuth = !chkNessunFiltro[i]->isChecked();
    request.filters.visibleOnly = chkSoloVisibili[i]->isChecked();
    request.filters.morning = chkAM[i]->isChecked();
    request.filters.afternoon = chkPM[i]->isChecked();
    request.startJd = startOf(DTPicker1[i]->dateTime(), Osservatore);
    if (k == kTabAll) {
        request.endJd = request.startJd + cmbDurata[i]->currentData().toDouble() / 1440.0;
        request.inTransitOnly = chkTransito->isChecked();
        for (std::size_t n = 1; n < Db_principale.size(); ++n)
            request.satellites.push_back({static_cast<int>(n), Db_principale[n], std::nullopt});
    } else {
        request.endJd = request.startJd + (cmbDurata[i]->currentIndex() + 1);
        int limit = 1;
        if (k == kTabSecondary)
            limit = std::min<int>(cmbLimite->currentData().toInt(), Numero_satelliti);
        for (int slot = k; slot <= limit; ++slot)
            request.satellites.push_back({slot, RigaDati[slot], Satelement[slot]});
    }

    m_chosen[i].reset();
    lstPass[i]->clear();
    m_models[i]->clear();
    lvwPass[i]->header()->setSortIndicatorShown(false);
    updateActionButtons(k);
    for (GraphButton* ok : cmdOK)
        ok->setEnabled(false);

    m_run = std::make_unique<Run>(k);
    pflgRicerca = true;
    pflgArresta = false;
    m_run->observer = request.observer;
    auto* progress = new frmProgress(this);
    progress->setAttribute(Qt::WA_DeleteOnClose, false);
    progress->ProgressBar1->setMax(static_cast<double>(request.satellites.size()));
    progress->ProgressBar1->setValue(0);
    progress->lblTask->setText(
        k == kTabPrincipal   ? mLang::Testo_lingua(u"frmVisibleSatellites", u"calcoloprimo")
        : k == kTabSecondary ? mLang::Testo_lingua(u"frmVisibleSatellites", u"calcolosecondo")
                             : QString());
    progress->show();
    m_run->progress = progress;
    m_run->search = std::make_unique<passes::PassSearchRun>(std::move(request), m_threads);
    connect(&m_run->timer, &QTimer::timeout, this, &frmVisibleSatellites::pollSearch);
    m_run->timer.start(kPollIntervalMs);
}

void frmVisibleSatellites::pollSearch()
{
    if (!m_run)
        return;
    Run& run = *m_run;
    const auto i = static_cast<std::size_t>(run.tab);
    try {
        if (pflgArresta) {
            pflgArresta = false;
            run.search->cancel();
        }
        const bool stopped = run.search->finished();
        for (passes::PassRow& row : run.search->takeReadyRows())
            run.pending.push_back(std::move(row));
        std::vector<PassListModel::Entry> batch;
        QElapsedTimer budget;
        budget.start();
        while (!run.pending.empty() && budget.elapsed() < kBatchBudgetMs) {
            PassListModel::Entry entry{std::move(run.pending.front()), {}};
            run.pending.pop_front();
            entry.texts = passTexts(entry.row, run.observer);
            batch.push_back(std::move(entry));
        }
        m_models[i]->append(std::move(batch));
        if (run.progress) {
            const auto done = static_cast<double>(run.search->satellitesDone());
            run.progress->ProgressBar1->setValue(done);
            run.progress->lblTask->setText(
                progressTask(run.tab, static_cast<int>(run.search->satellitesDone())));
        }
        if (stopped && run.pending.empty())
            finishSearch();
    } catch (...) {
        // Whatever went wrong, the rows listed so far stay and the user is told once.
        run.failed = true;
        run.search->cancel();
        run.search->wait();
        run.pending.clear();
        finishSearch();
    }
}

QString frmVisibleSatellites::progressTask(int tab, int satellitesDone)
{
    if (tab != kTabAll && satellitesDone == 0) {
        return mLang::Testo_lingua(u"frmVisibleSatellites",
                                   tab == kTabPrincipal ? u"calcoloprimo" : u"calcolosecondo");
    }
    const int number = tab == kTabAll ? satellitesDone : tab + satellitesDone;
    return mLang::Testo_lingua(u"frmVisibleSatellites", u"stocalcolando") + u' '
           + QString::number(number) + QStringLiteral("\u00b0 ")
           + mLang::Testo_lingua(u"frmVisibleSatellites", u"satellite");
}

void frmVisibleSatellites::finishSearch()
{
    if (!m_run)
        return;
    m_run->timer.stop();
    const int k = m_run->tab;
    const auto i = static_cast<std::size_t>(k);
    const passes::RunSummary summary = m_run->search->summary();
    const bool failed = m_run->failed || summary.unexpectedError;
    if (m_run->progress)
        delete m_run->progress;
    m_run.reset(); // gives the gates back
    pflgRicerca = false;
    for (GraphButton* ok : cmdOK)
        ok->setEnabled(true);
    raise();

    if (m_models[i]->rowCount() > 0) {
        lvwPass[i]->setCurrentIndex(m_models[i]->index(0, 0));
        lvwPass_ItemClick(k, 0);
    } else if (!summary.cancelled && !failed) {
        const bool geostationary = k == kTabPrincipal && summary.geostationary > 0;
        showMessage(QMessageBox::Information,
                    mLang::Testo_lingua(u"frmVisibleSatellites", geostationary
                                                                     ? u"principalegeostazionario"
                                                                     : u"nessunpassaggio"));
    }
    QStringList notices;
    if (failed)
        notices << mLang::Testo_lingua(u"frmVisibleSatellites", u"erroreprevisione");
    if (summary.badSets > 0)
        notices
            << mLang::Testo_lingua(u"frmVisibleSatellites", u"setscartati").arg(summary.badSets);
    if (summary.failedPasses > 0)
        notices << mLang::Testo_lingua(u"frmVisibleSatellites", u"passaggifalliti")
                       .arg(summary.failedPasses);
    if (!notices.isEmpty())
        showMessage(failed ? QMessageBox::Warning : QMessageBox::Information, notices.join(u'\n'));
    emit searchFinished(k);
}

void frmVisibleSatellites::lvwPass_ColumnClick(int k, int column)
{
    // Sorting waits while the list of this tab is still being filled.
    if (m_run && m_run->tab == k)
        return;
    const auto i = static_cast<std::size_t>(k);
    QHeaderView* header = lvwPass[i]->header();
    const Qt::SortOrder order = header->isSortIndicatorShown() &&
                                        header->sortIndicatorSection() == column &&
                                        header->sortIndicatorOrder() == Qt::AscendingOrder
                                    ? Qt::DescendingOrder
                                    : Qt::AscendingOrder;
    // The chosen pass stays chosen in its new place, its lines and chosen line as they were.
    m_models[i]->sort(column, order);
    header->setSortIndicator(column, order);
    header->setSortIndicatorShown(true);
    const QModelIndex current = lvwPass[i]->currentIndex();
    if (current.isValid())
        lvwPass[i]->scrollTo(current);
}

void frmVisibleSatellites::cmdCancel_Click()
{
    // The window lives in a frame of the document area: closing only the window inside
    // would leave the frame standing empty.
    WindowRegistry::instance().unloadOrClose(this);
}

void frmVisibleSatellites::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The layouts of the tabs not in front keep what they measured before their buttons took
    // their captions' room; they measure again.
    for (QLayout* layout : SSTab1->findChildren<QLayout*>())
        layout->invalidate();
    setMinimumSize(minimumSizeHint());
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->resize(frame->size().expandedTo(frame->minimumSizeHint()));
}

void frmVisibleSatellites::closeEvent(QCloseEvent* event)
{
    if (m_run) {
        m_run->search->cancel();
        m_run->search->wait();
        pollSearch();
        while (m_run)
            pollSearch();
    }
    QWidget::closeEvent(event);
}

bool frmVisibleSatellites::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* press = static_cast<QKeyEvent*>(event);
    const bool enter = press->key() == Qt::Key_Return || press->key() == Qt::Key_Enter;
    for (int k = 0; k < kTabs && enter; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if ((watched == lvwPass[i] || watched == lstPass[i]) && chosenPass(k) != nullptr
            && !lstPass[i]->selectedItems().isEmpty()) {
            lstPass_DblClick(k);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

const PassListModel* frmVisibleSatellites::passList(int tab) const
{
    return tab >= 0 && tab < kTabs ? m_models[static_cast<std::size_t>(tab)] : nullptr;
}

const PassListModel::Entry* frmVisibleSatellites::passAt(int tab, int row) const
{
    const PassListModel* model = passList(tab);
    return model != nullptr ? model->entry(row) : nullptr;
}

int frmVisibleSatellites::selectedRow(int tab) const
{
    if (tab < 0 || tab >= kTabs)
        return -1;
    const QModelIndex current = lvwPass[static_cast<std::size_t>(tab)]->currentIndex();
    return current.isValid() ? current.row() : -1;
}

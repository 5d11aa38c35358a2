// Reading the two databases with the progress window, their statistics and their listing.

#include "database/frmDatabase.h"

#include "common/gates.h"
#include "common/options.h"
#include "controls/ProgressBar/ProgressBar.h"
#include "core/mAstro.h"
#include "database/DatabaseListModels.h"
#include "database/PrincipalRefresh.h"
#include "dialogs/frmProgress.h"
#include "services/BusyCursor.h"
#include "services/MessageBoxes.h"
#include "services/WindowTexts.h"
#include "services/mLang.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QStringList>

#include <optional>

namespace {

const WindowTexts texts(u"frmDatabase");

// The read lets the event loop run this often, so the progress window repaints and its Stop
// button answers without slowing the read of a large file noticeably: after this time [ms] or
// this many sets, whichever comes first.
constexpr qint64 kEventIntervalMs = 50;
constexpr int kSetsBetweenEvents = 500;
// Names of satellites left out that a message lists in its text; the rest are in its details.
constexpr qsizetype kNamesInText = 10;

/// The progress window for the length of one read.
class ReadProgress
{
public:
    ReadProgress(QWidget* owner, const QString& path) : m_window(owner)
    {
        m_window.setWindowModality(Qt::NonModal);
        m_window.lblTask->setText(mLang::Testo_lingua(u"frmProgress", u"letturasatelliti"));
        // A file that cannot be opened has no size; the bar then just stays empty.
        m_window.ProgressBar1->setMax(
            static_cast<double>(std::max<qint64>(1, QFileInfo(path).size())));
        m_window.ProgressBar1->setValue(0);
        m_window.ProgressBar1->setVisible(true);
        m_window.show();
        QCoreApplication::processEvents();
    }
    ~ReadProgress() { close(); }
    ReadProgress(const ReadProgress&) = delete;
    ReadProgress& operator=(const ReadProgress&) = delete;

    void close() { m_window.close(); }

    ReadHooks hooks()
    {
        return ReadHooks{
            [this](qint64 bytesRead) {
                m_window.ProgressBar1->setValue(static_cast<double>(bytesRead));
            },
            [this] { return stopRequested(); },
        };
    }

private:
    bool stopRequested()
    {
        if (++m_setsSinceEvents >= kSetsBetweenEvents || !m_sinceEvents.isValid() ||
            m_sinceEvents.elapsed() >= kEventIntervalMs) {
            QCoreApplication::processEvents();
            m_sinceEvents.start();
            m_setsSinceEvents = 0;
        }
        if (!pflgArresta)
            return false;
        pflgArresta = false;
        return true;
    }

    frmProgress m_window;
    QElapsedTimer m_sinceEvents;
    int m_setsSinceEvents = 0;
};

/// The lines that tell how many sets of a file were left out or had a wrong checksum; empty
/// when there were none.
QString setProblemsText(const ReadOutcome& read)
{
    QStringList lines;
    if (read.refusedSets > 0)
        lines << mLang::Testo_lingua(u"frmDatabase", u"insiemiscartati") + u' '
                     + QString::number(read.refusedSets);
    if (read.wrongChecksums > 0)
        lines << mLang::Testo_lingua(u"frmDatabase", u"checksumerrati") + u' '
                     + QString::number(read.wrongChecksums);
    return lines.join(u'\n');
}

QWidget* frameOf(QWidget* window)
{
    if (auto* mdiFrame = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        return mdiFrame;
    return window;
}

} // namespace

void frmDatabase::Database_satelliti(const QString& FileName)
{
    readDatabase(DatabaseKind::Primary, FileName);
}

void frmDatabase::Database_satelliti_secondario(const QString& FileName)
{
    readDatabase(DatabaseKind::Secondary, FileName);
}

void frmDatabase::Apertura_database(DatabaseKind kind)
{
    if (m_reading || !m_hooks.chooseFile)
        return;
    QCoreApplication::processEvents();
    const QString path = m_hooks.chooseFile(mLang::Testo_lingua(u"Dialogs", u"apritle"),
                                            QString::fromStdString(Impostazioni.File_database),
                                            mLang::Testo_lingua(u"Dialogs", u"filtrotle"));
    if (path.isEmpty())
        return; // cancelled
    if (!DatabaseSession::isOpenableChoice(path)) {
        // Guard: an empty file loads nothing, and the user is told why nothing happened.
        message(mLang::Testo_lingua(u"frmDatabase", u"file") + u' ' +
                    QDir::toNativeSeparators(path) + u' ' +
                    mLang::Testo_lingua(u"frmDatabase", u"filevuoto"),
                true);
        return;
    }
    QCoreApplication::processEvents();
    readDatabase(kind, path);
    present();
}

void frmDatabase::readDatabase(DatabaseKind kind, const QString& path)
{
    // Guard: the main window's commands stay live while a read yields to the event loop; a
    // second read started meanwhile would replace the database under the first one.
    if (m_reading)
        return;
    QCoreApplication::processEvents();
    if (kind == DatabaseKind::Primary && path.isEmpty()) {
        Apertura_database(kind);
        return;
    }
    QWidget* frame = frameOf(this);
    const bool wasVisible = frame->isVisible();
    // Nobody chooses from the lists while they are being replaced: the primary database's
    // window is hidden, the secondary's disabled.
    if (kind == DatabaseKind::Primary)
        frame->hide();
    else
        setEnabled(false);
    m_reading = true;
    const DatabaseReadOutcome outcome = runRead(kind, path);
    m_reading = false;
    setEnabled(true);

    if (outcome.read.replaced) {
        tab(kind).model->refresh();
        showStatistics(kind);
        if (kind == DatabaseKind::Primary)
            present();
        reportSetProblems(outcome.read);
        if (outcome.relink) {
            activeSatellitesChanged();
            reportRelink(*outcome.relink, outcome.removalRefused);
        }
        return;
    }
    frame->setVisible(wasVisible);
    reportFailedRead(kind, path, outcome.read);
}

DatabaseReadOutcome frmDatabase::runRead(DatabaseKind kind, const QString& path)
{
    pflgArresta = false; // a stop asked for before this read is not meant for it
    ReadProgress progress(window(), path);
    // The tick computes no satellite while the active slots are re-linked.
    std::optional<TickPause> pause;
    if (kind == DatabaseKind::Primary)
        pause.emplace(pflgSatellite);
    // The file has been read and nothing has changed yet: the satellites are tracked on while
    // the user decides.
    const RemovalQuestion mayRemove = [&](const QStringList& lacked) {
        progress.close();
        pause.reset();
        const bool remove = askToRemove(lacked);
        pause.emplace(pflgSatellite);
        return remove;
    };
    return m_session.read(kind, path, mAstro::Data_giuliana, progress.hooks(), mayRemove);
}

void frmDatabase::reportSetProblems(const ReadOutcome& read)
{
    if (const QString text = setProblemsText(read); !text.isEmpty())
        message(text, true);
}

void frmDatabase::reportFailedRead(DatabaseKind kind, const QString& path, const ReadOutcome& read)
{
    switch (read.status) {
    case ReadStatus::Complete:
    case ReadStatus::Cancelled: // stopped before the first set: nothing changes
        return;
    case ReadStatus::NoFileName:
    case ReadStatus::OpenFailed:
        // The secondary database's file may have gone between the dialog and the read: the
        // user is not troubled with it.
        if (kind == DatabaseKind::Secondary)
            return;
        message(texts(u"file") + u' ' + QDir::toNativeSeparators(path) + u' ' +
                    texts(u"nontrovato") + u'\n' + texts(u"selezionarenuovofile"),
                true);
        break;
    case ReadStatus::ReadFailed:
    case ReadStatus::SetTruncated:
    case ReadStatus::EpochYearNotNumber:
    case ReadStatus::NoSets: {
        if (kind == DatabaseKind::Primary)
            present();
        QString text = mLang::Testo_lingua(u"Dialogs", u"formatononvalido") + u'\n'
                       + texts(u"aprirenuovofile") + u'\n' + texts(u"funzioneriparazione");
        if (const QString problems = setProblemsText(read); !problems.isEmpty())
            text += QStringLiteral("\n\n") + problems;
        message(text, true);
        break;
    }
    }
    Apertura_database(kind);
}

bool frmDatabase::askToRemove(const QStringList& lacked)
{
    const int active = m_session.active().count();
    QString text = holdsText(active - static_cast<int>(lacked.size()), active);
    // The satellites left out are named: the first ones in the text, all in the details.
    text += u'\n' + texts(u"satellitinontrovati") + u'\n' + lacked.mid(0, kNamesInText).join(u'\n');
    if (lacked.size() > kNamesInText)
        text += QStringLiteral("\n...");
    text += QStringLiteral("\n\n") + texts(u"rimuoverenontrovati");
    QMessageBox box(QMessageBox::Question, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("message"));
    // A hand-picked list is not lost to a key pressed in haste.
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    if (lacked.size() > kNamesInText)
        box.setDetailedText(lacked.join(u'\n'));
    fitMessageToTitle(box);
    return box.exec() == QMessageBox::Yes;
}

QString frmDatabase::holdsText(int found, int active)
{
    return texts(u"databasecontiene") + u' ' + QString::number(found) + u' ' + texts(u"su") + u' ' +
           QString::number(active) + u' ' + texts(u"satellitipreimpostati");
}

void frmDatabase::reportRelink(const RelinkOutcome& relink, bool removalRefused)
{
    // Satellites left out, and those kept on the user's word, were named in the question.
    if (relink.activeBefore >= 1 && relink.leftOut.isEmpty() && !removalRefused)
        message(holdsText(relink.found, relink.activeBefore), false);
    if (relink.principalReplaced())
        message(texts(u"satellitenondisponibile"), false);
    if (relink.listEmptied)
        Azzera_riquadri_dati();
    notifyActiveSatellitesChanged();
    if (!relink.workingSetSaved)
        message(texts(u"satellitinonsalvati"), true);
}

void frmDatabase::showStatistics(DatabaseKind kind)
{
    DatabaseTab& t = tab(kind);
    const ElementDatabase& db = database(kind);
    const QString path = QDir::toNativeSeparators(db.path());
    t.frame->setTitle(path);
    t.frame->setToolTip(path);
    const QString days = u' ' + mLang::Testo_lingua(u"Def", u"giorni");
    const QString decimalPoint = QLocale().decimalPoint();
    const std::optional<DatabaseStatistics>& statistics = db.statistics();
    if (!statistics) {
        for (QLabel* age : {t.lblVecchi, t.lblRecenti, t.lblMedia})
            age->setText(u'0' + days);
    } else {
        t.lblVecchi->setText(formatAgeDays(statistics->oldestDays, decimalPoint) + days);
        t.lblRecenti->setText(formatAgeDays(statistics->newestDays, decimalPoint) + days);
        t.lblMedia->setText(formatAgeDays(statistics->meanDays, decimalPoint) + days);
    }
    t.lblCaricati->setText(QString::number(db.size()));
    t.lblNumeroMagnitudini->setText(QString::number(statistics ? statistics->withMagnitude : 0));
    t.lblNumeroSelezionati->setText(
        QString::number(t.lstDatabase->selectionModel()->selectedRows().size()));
}

void frmDatabase::cmbOrdina_Click(DatabaseKind kind)
{
    const BusyCursor busy;
    DatabaseTab& t = tab(kind);
    if (const std::optional<SortKey> key = sortKeyFromIndex(t.cmbOrdina->currentIndex()))
        database(kind).setSortKey(*key);
    t.model->refresh();
    t.lblNumeroSelezionati->setText(QStringLiteral("0"));
}

// The ephemeris and relative-motion listings of the listing window.

#include "predictions/frmDetails.h"

#include "common/catalogues.h"
#include "common/gates.h"
#include "common/options.h"
#include "controls/ProgressBar/ProgressBar.h"
#include "core/ElementSet.h"
#include "dialogs/frmProgress.h"
#include "tracking/TickTexts.h"
#include "predictions/EphemerisRows.h"
#include "predictions/ListingModel.h"
#include "predictions/ListingText.h"
#include "predictions/RelativeRows.h"
#include "services/WindowRegistry.h"
#include "services/mLang.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QListView>
#include <QTreeView>

namespace {

/// The listing lets the event loop run this often [ms], so the progress window repaints, its
/// Stop answers and other windows stay usable, without slowing a long listing noticeably.
constexpr qint64 kEventIntervalMs = 40;

/// The progress window for the length of one listing.
class ListingProgress
{
public:
    ListingProgress(QWidget* owner, const QString& task, double total) : m_window(owner)
    {
        m_window.setWindowModality(Qt::NonModal);
        m_window.lblTask->setText(task);
        m_window.ProgressBar1->setMax(std::max(1.0, total));
        m_window.ProgressBar1->setValue(0);
        m_window.ProgressBar1->setVisible(true);
        m_window.show();
        QCoreApplication::processEvents();
        m_sinceEvents.start();
    }
    ~ListingProgress() { m_window.close(); }
    ListingProgress(const ListingProgress&) = delete;
    ListingProgress& operator=(const ListingProgress&) = delete;

    /// Shows `done`, lets events run now and then; false once the user asked to stop.
    bool step(double done)
    {
        if (m_sinceEvents.elapsed() >= kEventIntervalMs) {
            m_window.ProgressBar1->setValue(done);
            QCoreApplication::processEvents();
            m_sinceEvents.start();
        }
        if (!pflgArresta)
            return true;
        pflgArresta = false;
        return false;
    }

private:
    frmProgress m_window;
    QElapsedTimer m_sinceEvents;
};

/// A set parsed on its own, with the magnitude and radio tables, as a slot would hold it.
mSat::ParsedElementSet parsedSet(const Record_TLE& set)
{
    return mSat::parseElementSet(set.Riga0, set.Riga1, set.Riga2, Tabella_magnitudini,
                                 Tabella_frequenze);
}

QString detailsText(const char16_t* key)
{
    return mLang::Testo_lingua(u"frmDetails", key);
}

ListingTexts languageTexts()
{
    return ListingTexts::load([](int status) { return statusName(status); });
}

} // namespace

ListingRows frmDetails::computeRows(const TrackSet& tracks, const ListingGrid& grid,
                                    const RowFilter& keep)
{
    const TickPause clock(pflgCentrale);
    const TickPause satellites(pflgSatellite);
    ListingProgress progress(this, detailsText(u"effemeridisatellite"),
                             static_cast<double>(grid.spanSeconds));
    const double step = static_cast<double>(grid.stepSeconds);
    return runListing(tracks, grid, keep, [&](std::int64_t done) {
        return progress.step(static_cast<double>(done) * step) && !m_stopRequested;
    });
}

void frmDetails::showListing(QStringList header, std::unique_ptr<ListingRowSource> rows,
                             const ListingRows& made)
{
    m_listing->setListing(std::move(header), std::move(rows), QStringList{QString()});
    showTextListing();
    // Guard: a computation that failed on the way is told once; the rows before it stay.
    if (made.end == ListingEnd::Failed && !m_closeWhenDone)
        tellFormatError(QGuiApplication::applicationDisplayName());
}

ListingEnd frmDetails::Genera_elenco(const Record_TLE& set, double tempoinizio, double tempofine,
                                     double& step, int opzione)
{
    setWindowTitle(detailsText(u"effemeridisatellite"));
    List1->hide();
    ListView1->hide();
    m_listing->clear();

    const mSat::ParsedElementSet parsed = parsedSet(set);
    const std::optional<CoordinateSystem> system = coordinateSystem(opzione);
    std::optional<ListingGrid> grid;
    if (step == 0) {
        grid = automaticStepGrid(tempoinizio, tempofine);
        step = static_cast<double>(grid->stepSeconds);
    } else {
        grid = fixedStepGrid(tempoinizio, tempofine, step);
    }
    auto tracks = std::make_shared<const TrackSet>(
        std::vector{SatelliteTrack(parsed.elements, Osservatore, Impostazioni)});
    if (parsed.status != mSat::Status::Ok || tracks->track(0).status() != mSat::Status::Ok
        || !system || !grid) {
        tellFormatError(QGuiApplication::applicationDisplayName());
        WindowRegistry::instance().unloadOrClose(this);
        return ListingEnd::Failed;
    }

    RowFilter keep;
    if (*system == CoordinateSystem::Obs && blnSoloAltPositiva)
        keep = [](const ListingSamples& s) { return s.of[0].valori.Elevazione > 0; };
    ++m_computing;
    ListingRows made = computeRows(*tracks, *grid, keep);
    const ListingTexts texts = languageTexts();
    QStringList header = ephemerisHeader(*system, parsed.elements, set, Osservatore, texts,
                                         QLocale());
    const ListingEnd end = made.end;
    auto samples = std::make_shared<const SampleCache>(tracks, std::move(made));
    showListing(std::move(header), ephemerisRowSource(samples, *system, texts, QLocale()),
                samples->rows());
    setWindowTitle(detailsText(u"dettagli") + QStringLiteral(": ")
                   + QString::fromStdString(parsed.elements.Nome_satellite).trimmed()
                   + QStringLiteral(" - ") + listingText::dateTime(tempoinizio, QLocale()));
    endComputation();
    return end;
}

ListingEnd frmDetails::Genera_relativo(const Record_TLE& setA, const Record_TLE& setB,
                                       double tempoinizio, double tempofine, double step,
                                       int opzione)
{
    setWindowTitle(detailsText(u"motorelativosatelliti"));
    List1->hide();
    ListView1->hide();
    m_listing->clear();

    const mSat::ParsedElementSet a = parsedSet(setA);
    const mSat::ParsedElementSet b = parsedSet(setB);
    const std::optional<CoordinateSystem> system = coordinateSystem(opzione);
    // Guard: a step under a second would never reach the end; it is refused before the loop.
    const std::optional<ListingGrid> grid = fixedStepGrid(tempoinizio, tempofine, step);
    auto tracks = std::make_shared<const TrackSet>(
        std::vector{SatelliteTrack(a.elements, Osservatore, Impostazioni),
                    SatelliteTrack(b.elements, Osservatore, Impostazioni)});
    if (a.status != mSat::Status::Ok || b.status != mSat::Status::Ok
        || tracks->track(0).status() != mSat::Status::Ok
        || tracks->track(1).status() != mSat::Status::Ok || !system || !grid) {
        tellFormatError(QGuiApplication::applicationDisplayName());
        WindowRegistry::instance().unloadOrClose(this);
        return ListingEnd::Failed;
    }

    ++m_computing;
    ListingRows made = computeRows(*tracks, *grid, {});
    QStringList header = relativeHeader(*system, *tracks, setA, setB, languageTexts(), QLocale());
    const ListingEnd end = made.end;
    auto samples = std::make_shared<const SampleCache>(tracks, std::move(made));
    showListing(std::move(header), relativeRowSource(samples, *system, QLocale()),
                samples->rows());
    endComputation();
    return end;
}

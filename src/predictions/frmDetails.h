#pragma once
// The listing window: one computed listing per window, a new window for every request. It
// shows the ephemeris of one satellite in one of four coordinate systems (Genera_elenco), the
// relative motion of two satellites (Genera_relativo) as text lines in List1, or the summary
// table of an element database or file (Sommario, LeggiDiretto) in the report view ListView1.
// The main window's File > Save and File > Print call Salva and Stampa by name.
//
// A listing is computed on private copies of its element sets, observer and options; the
// window holds no row text but what is on screen and computes the rest when it is shown,
// saved or printed. While it computes it yields to the event loop, so other windows (another
// listing included) stay usable; closing the window then stops the listing first.

#include "common/Record_TLE.h"
#include "predictions/ElementSummary.h"
#include "predictions/ListingEngine.h"
#include "predictions/ListingModel.h"

#include <QString>
#include <QWidget>

#include <functional>

class QListView;
class QSortFilterProxyModel;
class QTreeView;
class SummaryModel;

class frmDetails : public QWidget
{
    Q_OBJECT

public:
    /// The save dialog: parent, title, proposed folder, filter; the chosen path or "" on Cancel.
    using SaveChooser = std::function<QString(QWidget* parent, const QString& folder,
                                              const QString& filter)>;
    /// The print dialog over the shared printer; false on Cancel.
    using PrintChooser = std::function<bool(QWidget* parent)>;

    explicit frmDetails(QWidget* parent = nullptr);
    ~frmDetails() override;

    QListView* const List1;     ///< the text listing
    QTreeView* const ListView1; ///< the summary table

    /// When set, the observer listing keeps only rows with the satellite above the horizon.
    bool blnSoloAltPositiva = false;

    /// The ephemeris of the element set `set` from `tempoinizio` to `tempofine` (local time)
    /// every `step` seconds, 0 choosing the step by the span (the step chosen is written back),
    /// in the coordinates `opzione` (1 OBS, 2 ECI, 3 LLA, 4 RAD). A set that cannot be read is
    /// told and closes the window; a failure on the way is told and keeps the rows before it.
    ListingEnd Genera_elenco(const Record_TLE& set, double tempoinizio, double tempofine,
                             double& step, int opzione);
    /// The relative motion of satellites A and B, `step` seconds apart (at least 1).
    ListingEnd Genera_relativo(const Record_TLE& setA, const Record_TLE& setB, double tempoinizio,
                               double tempofine, double step, int opzione);

    /// Shows ready-made text lines (the event lines of a list of passes) under the caption
    /// `title`; Save and Print then work on them.
    void showLines(QStringList lines, const QString& title);

    /// The summary of the primary (0) or secondary (1) element database.
    void Sommario(int elenco);
    /// The summary of an element file; a file with no readable set is told and closes the
    /// window.
    Q_INVOKABLE void LeggiDiretto(const QString& FName);

    /// Writes the text listing to a file the user chooses; a failure is told, Cancel is not.
    Q_INVOKABLE void Salva();
    /// Prints the text listing; a failure is told, Cancel is not. An empty listing prints
    /// nothing and shows no dialog.
    Q_INVOKABLE void Stampa();

    [[nodiscard]] bool isComputing() const { return m_computing > 0; }
    [[nodiscard]] const ListingModel& listing() const { return *m_listing; }
    [[nodiscard]] const SummaryModel& summary() const { return *m_summary; }

    void setSaveChooser(SaveChooser chooser) { m_chooseSaveFile = std::move(chooser); }
    void setPrintChooser(PrintChooser chooser) { m_choosePrinter = std::move(chooser); }
    /// A hundred columns by 30 lines of the listing's font: the size a listing opens at.
    [[nodiscard]] QSize sizeHint() const override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void connectControls();
    void ListView1_ColumnClick(int column);

    /// Runs a listing over the grid with the progress window and the tick held.
    ListingRows computeRows(const TrackSet& tracks, const ListingGrid& grid, const RowFilter& keep);
    /// Shows the computed lines, or tells the failure that ended them.
    void showListing(QStringList header, std::unique_ptr<ListingRowSource> rows,
                     const ListingRows& made);
    void showTextListing();
    void prepareSummary();
    void showSummary(SummaryTable table);
    SummaryTable summariseWithProgress(const std::vector<Record_TLE>& sets, std::size_t first,
                                       QStringView taskKey);
    void tellFormatError(const QString& title);
    void endComputation();

    ListingModel* const m_listing;
    SummaryModel* const m_summary;
    QSortFilterProxyModel* const m_sortedSummary;
    SaveChooser m_chooseSaveFile;
    PrintChooser m_choosePrinter;
    int m_lastSortColumn = -1;
    Qt::SortOrder m_lastSortOrder = Qt::AscendingOrder;
    int m_computing = 0;
    bool m_stopRequested = false; ///< the window was closed while it computed
    bool m_closeWhenDone = false;
};

#pragma once
// The pass-prediction window: three tabs (every set of the primary database, the principal
// satellite, the secondary satellites), each with its span, filters and pass list. OK runs the
// pass search on worker threads while the window stays responsive: the progress window shows
// how far it got and its Stop ends the run keeping the passes found. The rows are appended in
// batches with sorting suspended; a chosen row shows its three event lines.
//
// Each row carries its satellite's own element lines (passAt), so the pass-list actions act on
// that satellite whatever the program's slots hold by then.

#include "common/gates.h"
#include "database/ActiveSatellites.h"
#include "predictions/PassListModel.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

class GraphButton;
class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QListWidget;
class QTabWidget;
class QTimer;
class QTreeView;
class frmDetails;
class frmProgress;

class frmVisibleSatellites : public QWidget
{
    Q_OBJECT

public:
    /// What the window needs of the element database window (tab 0 with no primary database).
    struct DatabaseHooks
    {
        std::function<int()> primaryCount;                    ///< sets in the primary database
        std::function<void(const QString& path)> readPrimary; ///< reads a file as primary database
        std::function<void()> openPrimary;                    ///< the open command (dialog first)
        std::function<void()> hideDatabase;
    };
    /// Shows one message (tests replace it); `icon` as the message box's.
    using MessageSink = std::function<void(QMessageBox::Icon icon, const QString& text)>;
    /// Asks an OK/Cancel question; true for OK.
    using Question = std::function<bool(const QString& text)>;
    /// Asks a Yes/No/Cancel question; the button pressed.
    using ThreeWayQuestion = std::function<QMessageBox::StandardButton(const QString& text)>;
    /// The save dialog: parent, proposed folder, filter; the chosen path or "" on Cancel.
    using SaveChooser =
        std::function<QString(QWidget* parent, const QString& folder, const QString& filter)>;
    /// The print dialog over the shared printer; false on Cancel.
    using PrintChooser = std::function<bool(QWidget* parent)>;

    /// What the pass-list actions ask of the rest of the program. Each acts on the pass's own
    /// element set, whatever the slots or the database hold by then. A button whose hook is
    /// empty stays disabled.
    struct ActionHooks
    {
        /// Adds the set as the last active satellite and, when `principal`, makes it the
        /// principal one; what the active list reports.
        std::function<AddOutcome(const Record_TLE& set, bool principal)> activate;
        /// Opens a new sky chart window of the pass.
        std::function<void(const PassListModel::Entry& pass)> showChart;
        /// A new listing window, shown (the program's listing window when empty).
        std::function<frmDetails*()> newListing;
    };

    static constexpr int kTabs = 3;
    static constexpr int kTabAll = 0;
    static constexpr int kTabPrincipal = 1;
    static constexpr int kTabSecondary = 2;

    explicit frmVisibleSatellites(DatabaseHooks hooks = {}, QWidget* parent = nullptr);
    ~frmVisibleSatellites() override;

    QTabWidget* SSTab1 = nullptr;
    std::array<QWidget*, kTabs> fra{};
    std::array<QLabel*, kTabs> lblDataInizio{};
    std::array<QDateTimeEdit*, kTabs> DTPicker1{};
    std::array<QLabel*, kTabs> lblDurata{};
    std::array<QComboBox*, kTabs> cmbDurata{};
    std::array<QCheckBox*, kTabs> chkAM{};
    std::array<QCheckBox*, kTabs> chkPM{};
    std::array<QCheckBox*, kTabs> chkSoloVisibili{};
    std::array<QCheckBox*, kTabs> chkNessunFiltro{};
    QCheckBox* chkTransito = nullptr;
    QLabel* lblLimitaCalcolo = nullptr;
    QComboBox* cmbLimite = nullptr;
    std::array<GraphButton*, kTabs> cmdOK{};
    std::array<GraphButton*, kTabs> cmdCancel{};
    std::array<GraphButton*, kTabs> cmdHelp{};
    std::array<QTreeView*, kTabs> lvwPass{};
    std::array<QListWidget*, kTabs> lstPass{};
    std::array<QLabel*, kTabs> lblLegenda{};
    std::array<GraphButton*, kTabs> cmdDettagli{};
    std::array<GraphButton*, kTabs> cmdMappa{};
    GraphButton* cmdAttiva = nullptr;

    /// Runs one whole search for tab Index (0..2); refused while a search runs.
    void cmdOK_Click(int Index);
    /// The progress window's task once `satellitesDone` satellites of a search of tab `tab`
    /// are searched: the count on the whole database; on tabs 1 and 2, from the first satellite
    /// done on, the slot being searched (each tab starts at its own first slot).
    [[nodiscard]] static QString progressTask(int tab, int satellitesDone);
    /// Applies the no-filter box of tab Index to the minimum elevation and the azimuth window.
    void chkNessunFiltro_Click(int Index);
    void Applica_lingua();

    // --- what is done with a found pass -------------------------------------------------------
    /// A row of the event list of tab Index was chosen (or none): the buttons follow.
    void lstPass_Click(int Index);
    /// The ephemeris of the chosen pass from its start to its end, in a new listing window.
    void lstPass_DblClick(int Index);
    void cmdDettagli_Click(int Index) { lstPass_DblClick(Index); }
    /// The sky chart of the chosen pass (through the chart hook).
    void cmdMappa_Click(int Index);
    /// Adds the satellite of the pass chosen on tab 0 to the active list.
    void cmdAttiva_Click();
    /// A listing window with the event lines of every pass of tab Index, in the list's order.
    void lvwPass_RightClick(int Index);
    void cmdHelp_Click(int Index);
    /// Writes the event lines of the current tab's chosen pass to a file the user chooses; a
    /// failure is told, Cancel is not.
    Q_INVOKABLE void Salva();
    /// Prints the event lines of the current tab's chosen pass; a failure is told, Cancel is
    /// not, and so is having no pass to print.
    Q_INVOKABLE void Stampa();

    [[nodiscard]] bool isSearching() const { return m_run != nullptr; }
    /// The tab of the last search and, on tab 0, the database position of the chosen pass.
    [[nodiscard]] int currentTab() const { return m_currentTab; }
    /// The minimum elevation the filters give the next search [degrees].
    [[nodiscard]] double minimumElevation() const { return m_minimumElevation; }

    // --- for the pass-list actions ---------------------------------------------------------
    [[nodiscard]] const PassListModel* passList(int tab) const;
    /// The pass shown in `row` of a tab's list (after sorting), or null.
    [[nodiscard]] const PassListModel::Entry* passAt(int tab, int row) const;
    /// The chosen row of a tab's list, -1 when none.
    [[nodiscard]] int selectedRow(int tab) const;
    /// The pass whose event lines tab `tab` shows, as it was when chosen; null when none.
    [[nodiscard]] const PassListModel::Entry* chosenPass(int tab) const;

    void setActionHooks(ActionHooks hooks);
    /// The sky chart of a pass; Chart is enabled only once this is set and a row is chosen.
    void setChartHook(std::function<void(const PassListModel::Entry& pass)> hook);

    void setMessageSink(MessageSink sink) { m_message = std::move(sink); }
    void setQuestion(Question question) { m_question = std::move(question); }
    void setThreeWayQuestion(ThreeWayQuestion question) { m_askYesNoCancel = std::move(question); }
    void setSaveChooser(SaveChooser chooser) { m_chooseSaveFile = std::move(chooser); }
    void setPrintChooser(PrintChooser chooser) { m_choosePrinter = std::move(chooser); }
    /// Worker threads of the next searches (0: one per core).
    void setThreadCount(unsigned threads) { m_threads = threads; }

signals:
    /// A row was chosen (its event lines are in lstPass(tab)).
    void passSelected(int tab, int row);
    /// A row was double-clicked.
    void passActivated(int tab, int row);
    /// A search ended (finished, stopped or failed) and its rows are all listed.
    void searchFinished(int tab);

protected:
    void closeEvent(QCloseEvent* event) override;
    /// The tabs hold different rows: the window, and the document window's frame around it,
    /// grow to the tab that needs the most, whichever tab it shows.
    void showEvent(QShowEvent* event) override;
    /// Enter on a pass list with a chosen pass opens its ephemeris, as a double click does,
    /// rather than running the search again over the list.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Run;

    void buildControls();
    QWidget* buildTab(int k);
    void fillChoices();
    void connectControls();
    void loadState();
    void lvwPass_ItemClick(int k, int row);
    void lvwPass_ColumnClick(int k, int column);
    void cmdCancel_Click();
    /// Enables Details, Chart and (tab 0) Activate as the chosen pass and the hooks allow.
    void updateActionButtons(int k);
    /// The event lines of the current tab, empty when it shows none.
    [[nodiscard]] QStringList currentEventLines() const;
    [[nodiscard]] QMessageBox::StandardButton askYesNoCancel(const QString& text);

    [[nodiscard]] bool checkBeforeSearch(int k);
    [[nodiscard]] bool askForDatabase();
    void startSearch(int k);
    void pollSearch();
    void finishSearch();
    /// Shows one message titled `title`, or the program's name when it is empty.
    void showMessage(QMessageBox::Icon icon, const QString& text, const QString& title = {});

    DatabaseHooks m_hooks;
    MessageSink m_message;
    Question m_question;
    ThreeWayQuestion m_askYesNoCancel;
    SaveChooser m_chooseSaveFile;
    PrintChooser m_choosePrinter;
    ActionHooks m_actions;
    /// Per tab, a copy of the pass whose lines are shown: a later search, sort or change of the
    /// active list cannot change what the actions work on.
    std::array<std::optional<PassListModel::Entry>, kTabs> m_chosen;
    unsigned m_threads = 0;
    std::array<PassListModel*, kTabs> m_models{};
    int m_currentTab = kTabPrincipal;
    /// The filters' minimum elevation for the next search [degrees]; 0 with no filter.
    double m_minimumElevation = 0;
    double m_azimuthMin = 0;
    double m_azimuthMax = 360;
    std::unique_ptr<Run> m_run;
};

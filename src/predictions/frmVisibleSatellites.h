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
    /// Applies the no-filter box of tab Index to the minimum elevation and the azimuth window.
    void chkNessunFiltro_Click(int Index);
    void Applica_lingua();

    [[nodiscard]] bool isSearching() const { return m_run != nullptr; }
    /// The tab of the last search and, on tab 0, the database position of the chosen pass.
    [[nodiscard]] int currentTab() const { return m_currentTab; }

    // --- for the pass-list actions ---------------------------------------------------------
    [[nodiscard]] const PassListModel* passList(int tab) const;
    /// The pass shown in `row` of a tab's list (after sorting), or null.
    [[nodiscard]] const PassListModel::Entry* passAt(int tab, int row) const;
    /// The chosen row of a tab's list, -1 when none.
    [[nodiscard]] int selectedRow(int tab) const;

    void setMessageSink(MessageSink sink) { m_message = std::move(sink); }
    void setQuestion(Question question) { m_question = std::move(question); }
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
    void cmdHelp_Click();

    [[nodiscard]] bool checkBeforeSearch(int k);
    [[nodiscard]] bool askForDatabase();
    void startSearch(int k);
    void pollSearch();
    void finishSearch();
    void showMessage(QMessageBox::Icon icon, const QString& text);

    DatabaseHooks m_hooks;
    MessageSink m_message;
    Question m_question;
    unsigned m_threads = 0;
    std::array<PassListModel*, kTabs> m_models{};
    int m_currentTab = kTabPrincipal;
    double m_azimuthMin = 0;
    double m_azimuthMax = 360;
    std::unique_ptr<Run> m_run;
};

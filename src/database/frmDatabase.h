#pragma once
// The database window: the primary and the secondary element database on two tabs, each a
// list sorted by one of ten keys with the age statistics of its sets, and beside them the
// active satellites (entry 0 the principal) with their commands. One instance lives from its
// first use to the end of the program; closing it only hides it, so lists, selections and
// statistics stay. What it shows lives in a DatabaseSession; the window holds no copy.
//
// A database is replaced only by a read that succeeds: a file that cannot be opened or turns
// out to be broken leaves both lists, the statistics and the active satellites as they were.

#include "database/DatabaseSession.h"
#include "database/DatabaseWindowHooks.h"

#include <QWidget>

#include <array>
#include <vector>

class ActiveListModel;
class ElementListModel;
class GraphButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QListView;
class QTabWidget;

class frmDatabase : public QWidget
{
    Q_OBJECT

public:
    frmDatabase(DatabaseSession& session, DatabaseWindowHooks hooks, QWidget* parent = nullptr);
    ~frmDatabase() override;

    /// Reads an element file as the primary database with the progress window, lists it,
    /// shows its statistics and re-links the active satellites; the window is shown at the end.
    /// When the file lacks some active satellites the user is asked first (see
    /// DatabaseSession::read for what No keeps). No file name offers the open dialog; failures
    /// are reported here.
    void Database_satelliti(const QString& FileName);
    /// Reads an element file as the secondary database; nothing of the active set changes.
    void Database_satelliti_secondario(const QString& FileName);

    /// The open dialog, then the chosen file read as that database and the window shown. A
    /// cancelled dialog, an empty choice or an empty file changes nothing.
    void Apertura_database(DatabaseKind kind);

    /// Makes the one chosen active satellite the principal (slot 1).
    void cmdPrincipale_Click();
    /// Removes the chosen active satellites.
    void cmdRemove_Click();

    /// Entries of a database list (its sets).
    [[nodiscard]] int entryCount(DatabaseKind kind) const;
    /// True while a database is being read.
    [[nodiscard]] bool isReading() const { return m_reading; }
    /// Shows the active list and its count again after the slots changed elsewhere (removal of
    /// a decayed satellite, the world map's remove command).
    void activeSatellitesChanged();
    /// Shows the window, not modal, in front.
    void present();

    [[nodiscard]] const DatabaseWindowHooks& hooks() const { return m_hooks; }

private:
    struct DatabaseTab
    {
        QWidget* page = nullptr;
        QGroupBox* frame = nullptr; // fraDBPrincipale, fraDBSecondario
        QListView* lstDatabase = nullptr;
        ElementListModel* model = nullptr;
        QComboBox* cmbOrdina = nullptr;
        QLabel* lblCaricati = nullptr;
        QLabel* lblVecchi = nullptr;
        QLabel* lblRecenti = nullptr;
        QLabel* lblMedia = nullptr;
        QLabel* lblNumeroMagnitudini = nullptr;
        QLabel* lblNumeroSelezionati = nullptr;
        QLabel* lblSatellitiCaricati = nullptr;
        QLabel* lblParametriVecchi = nullptr;
        QLabel* lblParametriRecenti = nullptr;
        QLabel* lblMediaParametri = nullptr;
        QLabel* lblMagnitudini = nullptr;
        QLabel* lblSelezionati = nullptr;
        QLabel* lblOrdinamento = nullptr;
        GraphButton* cmdAdd = nullptr;
        GraphButton* cmdRemove = nullptr;
        GraphButton* cmdSommario = nullptr;
        GraphButton* cmdDatabase = nullptr;
        GraphButton* cmdVisibili = nullptr;
        GraphButton* cmdDownload = nullptr;
    };

    // Layout and texts (frmDatabaseLayout.cpp).
    void buildControls();
    QWidget* buildDatabaseTab(DatabaseKind kind);
    QWidget* buildActiveFrame();
    void Form_Load();
    void applyTexts();
    void connectControls();
    void connectDatabaseTab(DatabaseKind kind);

    // Reading and listing (frmDatabaseReading.cpp).
    void readDatabase(DatabaseKind kind, const QString& path);
    DatabaseReadOutcome runRead(DatabaseKind kind, const QString& path);
    void reportFailedRead(DatabaseKind kind, const QString& path, const ReadOutcome& read);
    void reportSetProblems(const ReadOutcome& read);
    void reportRelink(const RelinkOutcome& relink, bool removalRefused);
    /// Whether the active satellites a file lacks may go; the answer is No unless the user
    /// says Yes.
    bool askToRemove(const QStringList& lacked);
    /// "The database holds `found` of the `active` active satellites."
    [[nodiscard]] static QString holdsText(int found, int active);
    void showStatistics(DatabaseKind kind);
    void cmbOrdina_Click(DatabaseKind kind);

    // Commands of the active list (frmDatabaseCommands.cpp).
    void cmdAdd_Click(DatabaseKind kind);
    void lstActive_DragDrop(DatabaseKind kind);
    void cmdUp_Click();
    void cmdDown_Click();
    void cmdOrder_Click();
    void cmdRemoveAll_Click();
    void cmdVisibili_Click(DatabaseKind kind);
    void lstDatabase_Click(DatabaseKind kind);
    void lstDatabase_DblClick(DatabaseKind kind);
    void lstActive_Click();
    void lstActive_DblClick();
    void cmdSommario_Click(DatabaseKind kind);
    void cmdDatabase_Click(DatabaseKind kind);
    void cmdDownload_Click();
    void cmdOK_Click();
    void cmdHelp_Click();
    void afterMove(const MoveOutcome& outcome);
    void activeListChanged(bool principalChanged, bool listEmptied, bool workingSetSaved);
    void selectActiveEntry(int entry);
    [[nodiscard]] std::vector<int> selectedRows(const QListView* list) const;
    void message(const QString& text, bool warning, const QString& title = {});

    bool eventFilter(QObject* watched, QEvent* event) override;

    [[nodiscard]] DatabaseTab& tab(DatabaseKind kind);
    [[nodiscard]] const DatabaseTab& tab(DatabaseKind kind) const;
    [[nodiscard]] ElementDatabase& database(DatabaseKind kind);

    DatabaseSession& m_session;
    DatabaseWindowHooks m_hooks;
    bool m_reading = false;

    QTabWidget* SSTab1 = nullptr;
    std::array<DatabaseTab, 2> m_tabs;
    QGroupBox* fraAttivi = nullptr;
    QListView* lstActive = nullptr;
    ActiveListModel* m_activeModel = nullptr;
    QLabel* lblSatellitiAttivi = nullptr;
    QLabel* lblNumeroSatellitiAttivi = nullptr;
    GraphButton* cmdPrincipale = nullptr;
    GraphButton* cmdUp = nullptr;
    GraphButton* cmdDown = nullptr;
    GraphButton* cmdOrder = nullptr;
    GraphButton* cmdRemoveAll = nullptr;
    GraphButton* cmdOK = nullptr;
    GraphButton* cmdHelp = nullptr;
};

#pragma once
// The main window: the multiple-document frame with the menus of the whole program, the
// toolbar, the status-bar clock and the one-second tracking tick. It starts the program
// (MDIForm_Load), runs every menu command, and ends the program when it is closed.
//
// The commands live in one table (commandTable, MainCommands.cpp): menu item, the window it
// opens or acts on, whether that window is part of the program yet, and the handler. The
// toolbar buttons and the status-bar panels run the same handlers.

#include "mainwindow/MainBars.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/MapMenuCommands.h"
#include "mainwindow/MenuTable.h"
#include "mainwindow/TrackingTick.h"
#include "services/FailureReport.h"
#include "services/WindowNames.h"
#include "tracking/DisplayOptions.h"

#include <QMainWindow>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class ProgramClock;
class QMdiArea;
class QTextEdit;
class QTimer;
class frmTime;

class MDIForm1 : public QMainWindow, private TickHost
{
    Q_OBJECT

public:
    /// One menu command: the item, the window it opens or acts on ("" for none), and its handler.
    struct Command
    {
        QString item;
        QString window;
        std::function<void(MDIForm1&, const QString& item)> handler;
    };

    /// What the commands ask of the element databases and their window. The program fills it
    /// in once the database window is part of it; until then every member is empty and the
    /// commands that need it do nothing.
    struct DatabaseAccess
    {
        /// Lets the user choose an element file and reads it: 0 primary, 1 secondary database.
        std::function<void(int kind)> open;
        /// Sets in the primary database.
        std::function<int()> primaryCount;
        /// Reads an element file as the primary database (no name: the open dialog first).
        std::function<void(const QString& path)> readPrimary;
        std::function<void()> show;
        std::function<void()> hide;
        /// Removes a decayed satellite: the message, the slots, the data boxes, the working set.
        std::function<void(int slot)> removeDecayed;
        /// Takes one active satellite off (the following ones move up) and writes the working
        /// set; false when the working set could not be written.
        std::function<bool(int slot)> removeActive;
    };

    /// Chooses a file to open: title, proposed file name, filter. Empty on cancel.
    using FileChooser =
        std::function<QString(const QString& title, const QString& file, const QString& filter)>;

    explicit MDIForm1(const ProgramClock& clock, QWidget* parent = nullptr);
    ~MDIForm1() override;

    /// The main window of the program, or null while there is none.
    static MDIForm1* instance();

    /// Every menu command, in menu order.
    static const std::vector<Command>& commandTable();

    /// Loads the program: options, texts, reference data, working set, first tick, bars.
    /// False when the program must end (a reference file could not be read; the user has
    /// been told).
    bool MDIForm_Load();

    /// The first size of the window on a screen whose available area is `available`: room
    /// for the toolbar and for the largest child window at the window's font, within that
    /// area with the frame the desktop adds. Unbounded for an invalid size.
    [[nodiscard]] QSize firstSize(QSize available) const;

    // --- texts -------------------------------------------------------------------------
    /// Puts the texts of the current language file on the main window.
    void Lingua();
    /// Another language was chosen while the program runs: the main window's texts, and the
    /// present instant published again so that every window shows its words (a stopped clock
    /// gets no tick that would).
    void languageChanged();
    /// The status name of a satellite state (1 eclipsed, 2 visible, 3 not visible), "" for
    /// any other value.
    [[nodiscard]] static QString Stato2Stringa(int enuStato);
    /// The program's help file, set by Lingua.
    [[nodiscard]] static QString applicationHelpFile();

    // --- tick --------------------------------------------------------------------------
    /// One tick of the tracking loop; also run directly to refresh everything at once.
    void tmrCentrale_Timer();
    /// Removes the satellite of a slot as decayed.
    void Azzera(int intIndice);

    // --- windows, menus and bars ---------------------------------------------------------
    [[nodiscard]] QMdiArea* mdiArea() const { return m_mdiArea; }
    /// A menu item (or a menu's own item) by name; null for an unknown name.
    [[nodiscard]] QAction* menuItem(const QString& name) const;
    /// A menu by name, the four pop-up menus of the map windows included.
    [[nodiscard]] QMenu* menu(const QString& name) const;
    [[nodiscard]] QToolBar* toolbar() const { return m_bars.Toolbar1; }
    [[nodiscard]] QAction* toolbarButton(const QString& key) const;
    /// Runs the command of a menu item as if it were chosen; false for an unknown item.
    bool runCommand(const QString& item);

    /// Panel texts: the principal satellite's name and the observer's location.
    void showPrincipalName();
    void showLocationName();
    [[nodiscard]] QString statusPanelText(int panel) const;

    /// The active list changed: the working set is written and the principal's name shown.
    void activeListChanged();
    /// Takes the satellite of a slot off the active list; the user is told when the working
    /// set could not be written.
    void removeActiveSatellite(int slot);
    void setDatabaseAccess(DatabaseAccess access);

    /// The pass-chart menu's check marks show these options (of the active pass chart).
    void showPassChartMarks(const PassChartDisplay& options);

    /// Replaces the open-file dialog of the commands (tests choose files without a dialog).
    void setFileChooser(FileChooser chooser);

    // --- commands other windows call ------------------------------------------------------
    void Apertura_database(int intIndice);
    void mnuFileApri_Click();
    void mnuFileSalva_Click();
    void mnuStrumentiDownload_Click();
    void mnuSatellitiDatabase_Click();
    void mnuWorldmapRidisegnaMappa_Click();
    void mnuLocalSkyRidisegnaMappa_Click();
    void mnuLocalSkyZoom_Click();
    void mnuLocalSkyTempi_Click();
    void mnuGeneralSkyZoom_Click();
    void mnuLocalSkyTransitoPrincipale_Click();

    // --- toolbar and status bar ------------------------------------------------------------
    void Toolbar1_ButtonClick(const QString& key);
    void Toolbar1_ButtonMenuClick(const QString& key);
    void StatusBar1_PanelClick(int panel);

    /// The map window a pop-up menu item acts on; empty for any other item.
    [[nodiscard]] static QString popupCommandWindow(const QString& item);

protected:
    /// Closing asks for confirmation (MDIForm_QueryUnload), then ends the program.
    void closeEvent(QCloseEvent* event) override;

private:
    // TickHost
    void removeDecayedSatellite(int slot) override;
    void reportUncomputableSatellite(int slot, mSat::Status status) override;

    void buildWindow();
    void defineOwnWindows();
    void connectControls();
    void connectCommand(const Command& command);
    void connectModel();
    /// Each bound check mark of the map menus follows its field of the model's records.
    void connectMenuBindings();
    void showDisplayMarks();
    /// The tick's status-bar clock (panel 1) and the time window, made hidden at the first
    /// tick and again after Windows > Close all.
    void trackingModel_ticked();
    void applyCommandStates();
    /// Whether the active child window has the procedure (a normalised signature, "Stampa()").
    [[nodiscard]] bool activeChildHas(const char* procedure) const;
    void updatePrintCommand();
    void syncPressedButtons();
    frmTime* timeWindow();
    [[nodiscard]] QSize startSize() const;
    void loadWorkingSet();
    void askDaylightSaving();
    bool MDIForm_QueryUnload();
    void MDIForm_Unload();
    void tellUncomputableSatellite(const QString& name);
    QString chooseElementFile(QStringView titleKey);
    void showWindow(const QString& name);
    void presentWindow(QWidget* window);
    void showWindowBusy(const QString& name);
    void openSettingsPage(int page);
    void openWorldMap(WorldMapProjection projection);
    void requestNeedingDatabase(const QString& window);
    void callActiveChild(const char* procedure);
    /// The active document is an element-file text window.
    [[nodiscard]] bool activeChildIsTextWindow() const;
    /// The text the Edit menu acts on: the one with the focus, else the active text window's.
    [[nodiscard]] QTextEdit* editedText() const;
    /// Closes the element-file text windows, each asking to save its changes; false when
    /// one stays open (the user chose Cancel, or its save did not happen), after which the
    /// others are left open too when stopWhenOneStays.
    bool closeTextWindows(bool stopWhenOneStays);
    /// At exit, when the options differ from the stored ones and the option asks for it:
    /// Yes saves them, No leaves them, Cancel (or a failed save) keeps the program running.
    /// True when the exit may go on.
    bool keepChangedOptions();
    /// At exit with the question turned off since the options were stored: stores that one
    /// choice (a failure is told, and the exit goes on).
    void keepExitQuestionOff();
    void applyTextCommand(const std::function<void(QTextEdit*)>& action);

    // File menu
    void mnuFile_Click();
    void mnuFileVisualizza_Click();
    void mnuFileNuovo_Click();
    void mnuFileModifica_Click();
    void mnuFileImpostaStampante_Click();
    void mnuFileStampa_Click();
    void mnuFileRipristinaImpostazioni_Click();
    void mnuFileSalvaImpostazioni_Click();
    void mnuFileEsci_Click();
    // Edit menu
    void mnuModifica_Click();
    void mnuModificaAnnulla_Click();
    void mnuModificaTaglia_Click();
    void mnuModificaCopia_Click();
    void mnuModificaIncolla_Click();
    void mnuModificaCancella_Click();
    // View menu
    void mnuVisualizzaBarraPulsanti_Click();
    void mnuVisualizzaBarraStato_Click();
    void mnuVisualizzaBarraDati_Click();
    void mnuVisualizzaColoriNotte_Click();
    // Earth and Sky menus
    void mnuTerraMappaRettangolare_Click();
    void mnuTerraMappaOrtografica_Click();
    void mnuCieloMappaLocale_Click();
    void mnuCieloMappaGenerale_Click();
    // Satellites and Ephemerides menus
    void mnuSatellitiElementiOrbitali_Click();
    void mnuSatellitiMotoRelativo_Click();
    void mnuSatellitiCalcoloEffemeridi_Click();
    void mnuSatellitiPrevisioniPassaggi_Click();
    void mnuEffemeridiPianeti_Click();
    void mnuEffemeridiSatelliti_Click();
    void mnuEffemeridiAlmanacco_Click();
    // Tools menu
    void mnuStrumentiCalendario_Click();
    void mnuStrumentiCalcolatrice_Click();
    void mnuStrumentiProgramma_Click();
    void mnuStrumentiFormattazione_Click();
    void mnuStrumentiSincronizzazione_Click();
    // Options menu
    void mnuOpzioniData_Click();
    void mnuOpzioniLocalita_Click();
    void mnuOpzioniLingua_Click();
    // Windows menu
    void mnuFinestreDiscesa_Click();
    void mnuFinestreDisponiOrizzontale_Click();
    void mnuFinestreDisponiVerticale_Click();
    void mnuFinestreDisponiTutto_Click();
    void mnuFinestreChiudiTutto_Click();
    // Help menu
    void mnuAiutoSommario_Click();
    void mnuAiutoCerca_Click();
    void mnuAiutoInformazioni_Click();

    const ProgramClock& m_clock;
    QMdiArea* m_mdiArea = nullptr;
    QTimer* tmrCentrale = nullptr;
    MainMenus m_menus;
    MainBars m_bars;
    TrackingTick m_tick;
    MapMenuCommands m_mapMenus;
    FileChooser m_chooseFile;
    DatabaseAccess m_database;
    int m_newDocuments = 0;             ///< File > New windows made in this run
    QSet<QString> m_reportedSatellites; ///< uncomputable satellites the user was told of
    /// Failures of the tick and of the commands, told once.
    FailureReport m_failures;
    bool m_closing = false;
};

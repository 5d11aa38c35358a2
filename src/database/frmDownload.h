#pragma once
// The download window: fetches one element file from an element-set server (HttpDownload)
// and saves it under a name the user chooses, showing the stage of the transfer, the announced
// and received sizes, a percentage bar, the speed, the elapsed and the remaining time. The
// addresses offered are the option Sorgenti_download.
//
// Opened modal over the main window by its download command. When a download replaces the
// primary database's file (File_database) the window raises pflgSostituzione and, given a
// PrimaryReload, asks at once whether to read the database again (and clears the flag once
// asked); without one the opener finds the flag raised when the window closes. A failed,
// refused or cancelled download leaves every file as it was. A reply saved over an element
// file must hold element sets and must not be cut short; damaged sets among good ones are
// saved and told.

#include "database/HttpDownload.h"
#include "database/NetworkWindowSupport.h"

#include <QDialog>
#include <QString>

#include <functional>

class GraphButton;
class ProgressBar;
class QCheckBox;
class QLabel;
class QTimer;

class frmDownload : public QDialog
{
    Q_OBJECT

public:
    /// Asks for the file to save into, proposing `proposedName`; empty when the user cancels.
    using TargetChooser = std::function<QString(QWidget* parent, const QString& proposedName)>;

    /// How the window reloads the primary database after a download replaced its file.
    struct PrimaryReload
    {
        std::function<bool()> available; ///< a primary database is held in memory
        std::function<void()> reload;    ///< reads File_database again
    };

    explicit frmDownload(QWidget* owner = nullptr);
    ~frmDownload() override;

    /// Replaces the save dialog (a test names the target itself).
    void setTargetChooser(TargetChooser chooser) { m_chooseTarget = std::move(chooser); }
    /// Replaces the Internet connection test made before connecting.
    void setConnectionCheck(ConnectionCheck check) { m_connectionCheck = std::move(check); }
    void setPrimaryReload(PrimaryReload reload) { m_primaryReload = std::move(reload); }
    /// Shortens the time a silent server may keep the window waiting (a test's server).
    void setStallTimeout(std::chrono::milliseconds timeout) { wscHTTP->setStallTimeout(timeout); }
    /// Puts a clock of the test's in place of the event loop's for the stall timeouts; takes it
    /// over.
    void setStallTimer(ExchangeTimer* timer) { wscHTTP->setStallTimer(timer); }
    /// Replaces the file that writes the target (a test's full disk).
    void setTargetFileFactory(HttpDownload::TargetFileFactory makeFile)
    {
        wscHTTP->setTargetFileFactory(std::move(makeFile));
    }

    void done(int result) override;

private:
    void buildControls();
    QLayout* buildFigures();
    void connectControls();
    void Form_Load();

    void chkConnessione_Click(bool ticked);
    void cmbFileRemoto_DropDown();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    void tmrTimeLeft_Timer();
    void wscHTTP_StageChanged(DownloadStage stage);
    void wscHTTP_Progress(qint64 receivedBytes, qint64 announcedBytes);
    void wscHTTP_Finished(const DownloadResult& result);

    void Azzera_trasferimento(bool completed);
    void showFailure(const DownloadResult& result);
    QMessageBox* showDamagedSets(const DownloadResult& result);
    void askToReloadPrimary();
    void clearFigures();
    [[nodiscard]] QString elapsedText() const;

    DropDownComboBox* cmbFileRemoto = nullptr;
    QCheckBox* chkConnessione = nullptr;
    QLabel* lblFileRemoto = nullptr;
    QLabel* lblStatus = nullptr;
    QLabel* lblDimensione = nullptr;
    QLabel* lblRicevuti = nullptr;
    QLabel* lblVelocita = nullptr;
    QLabel* lblTempoTrascorso = nullptr;
    QLabel* lblTempoRimasto = nullptr;
    QLabel* lblSize = nullptr;
    QLabel* lblReceive = nullptr;
    QLabel* lblSpeed = nullptr;
    QLabel* lblElapsed = nullptr;
    QLabel* lblRemaining = nullptr;
    ProgressBar* ProgressBar1 = nullptr;
    GraphButton* cmdOK = nullptr;
    GraphButton* cmdCancel = nullptr;
    GraphButton* cmdHelp = nullptr;
    QTimer* tmrTimeLeft = nullptr;
    HttpDownload* wscHTTP = nullptr;

    TargetChooser m_chooseTarget;
    ConnectionCheck m_connectionCheck;
    PrimaryReload m_primaryReload;
    QString m_receivingText;      // "receiving" status, taken once when the window opens
    bool m_targetExisted = false; // the download under way would replace a file
    qint64 m_elapsedSeconds = 0;  // counted by the timer while the transfer can be estimated
};

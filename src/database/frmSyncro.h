#pragma once
// The clock-synchronisation window: asks a time server for the time by the TIME protocol
// (TimeSync) and sets the computer's clock to it. The servers offered are the option
// Server_NTP. When the system refuses to set the clock (an ordinary user on Linux), the window
// says so and shows how far the computer's clock is from the server's. A reply too late to set
// the clock to the second leaves it alone; the window gives that offset with its uncertainty. A
// correction of more than a day is made only when the user answers Yes to a question showing
// both times.
//
// Opened modal and without owner by the main window's synchronisation command and by the time
// window's cmdSincronizza:
//
//     frmSyncro window;
//     window.exec();

#include "database/NetworkWindowSupport.h"
#include "database/SystemClock.h"
#include "database/TimeProtocol.h"
#include "database/TimeSync.h"

#include <QDialog>

class GraphButton;
class QCheckBox;
class QLabel;

class frmSyncro : public QDialog
{
    Q_OBJECT

public:
    /// `clock` is read and set by the synchronisation; null for the computer's own clock.
    /// A given clock must outlive the window.
    explicit frmSyncro(QWidget* owner = nullptr, SystemClock* clock = nullptr);
    ~frmSyncro() override;

    /// TCP port of the time servers; the TIME protocol's own unless a test runs its server.
    void setServerPort(quint16 port) { m_port = port; }
    /// Replaces the Internet connection test made before connecting.
    void setConnectionCheck(ConnectionCheck check) { m_connectionCheck = std::move(check); }
    /// Shortens the time a silent time server may keep the window waiting (a test's server).
    void setTimeout(std::chrono::milliseconds timeout) { Winsock1->setTimeout(timeout); }
    /// Puts a clock of the test's in place of the event loop's for the timeouts; takes it over.
    void setTimer(ExchangeTimer* timer) { Winsock1->setTimer(timer); }
    /// Puts a clock of the test's in place of the one the reply's round trip is measured on.
    void setElapsedClock(TimeSync::ElapsedClock clock)
    {
        Winsock1->setElapsedClock(std::move(clock));
    }

    void done(int result) override;

signals:
    /// The computer's clock was set: the program clock, when it follows it, jumps.
    void clockSet();

private:
    void buildControls();
    void connectControls();
    void Form_Load();

    void chkConnessione_Click(bool ticked);
    void cmbURL_DropDown();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    void Connetti_server();
    void Winsock1_Connect();
    void Winsock1_Finished(const TimeSyncResult& result);
    void showTimedOut(const TimeSyncResult& result);
    void showLateReply(const TimeSyncResult& result);
    /// The status says the clock was not synchronised; a message under that title gives
    /// `text` and the server.
    void showFailure(const QString& text);
    void askForLargeCorrection(const TimeSyncResult& result);
    void showClockRefused(const TimeSyncResult& result);

    DropDownComboBox* cmbURL = nullptr;
    QLabel* lblServer = nullptr;
    QCheckBox* chkConnessione = nullptr;
    QLabel* lblStatus = nullptr;
    GraphButton* cmdOK = nullptr;
    GraphButton* cmdCancel = nullptr;
    GraphButton* cmdHelp = nullptr;

    ComputerClock m_computerClock;
    TimeSync* Winsock1 = nullptr;
    ConnectionCheck m_connectionCheck;
    quint16 m_port = kTimePort;
};

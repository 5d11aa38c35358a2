#pragma once
// The time window: real time (the program clock follows the computer's clock) or simulated
// time (the clock starts at a chosen instant and the tick adds one second), and the current
// instant in local time, UT, Julian day, day of the year and sidereal time with two analogue
// clocks. Its real-time box sets the tracking model's clock mode, which the tick follows; it
// refreshes itself on every tick the model publishes. The main window makes it at the first
// tick, hidden until the user opens it; closing it only hides it. The clock itself lives in the
// model and the tick's gate, so a window made again (after Windows > Close all) shows the clock
// as it runs. Start, Stop and the real-time box tell the model that the clock jumped.

#include <QWidget>

#include <functional>

class AnalogClock;
class ProgramClock;
class QCheckBox;
class QDateTimeEdit;
class QGroupBox;
class QLabel;
class QPushButton;

class frmTime : public QWidget
{
    Q_OBJECT

public:
    /// `runTick` runs the main window's tick once (tmrCentrale_Timer).
    frmTime(const ProgramClock& clock, std::function<void()> runTick, QWidget* parent = nullptr);
    ~frmTime() override;

    /// Refreshes every display from Data_attuale and the time state of the last Calcola_tempi.
    void Aggiorna_dati();

    /// The real-time box is ticked (the clock mode is Real).
    [[nodiscard]] bool realTime() const;

    /// Sidereal time [hours] as h.m.s, each part cut to whole units ("23.59.59").
    [[nodiscard]] static QString siderealText(double hours);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    QGroupBox* buildTimeFrame();
    QGroupBox* buildDateFrame();
    QGroupBox* buildSettingsFrame();
    void connectControls();
    void Form_Load();
    /// The three states of the clock (real time, a running simulation, a stopped clock).
    enum class ClockState { RealTime, Running, Stopped };
    /// Shows the clock as the tracking model and the tick's gate have it.
    void showClockState();
    /// The state text and which of the Start, Stop and picker controls can be used.
    void showControls(ClockState state);
    void setPicker(double dateValue);
    void chkUsaOraPc_Click();
    void cmdPlay_Click();
    void cmdStop_Click();
    void DTPicker1_Change();
    void cmdOK_Click();
    void cmdHelp_Click();
    void cmdSincronizza_Click();

    const ProgramClock& m_clock;
    std::function<void()> m_runTick;

    QGroupBox* fraTempo1 = nullptr;
    QGroupBox* fraTempo2 = nullptr;
    QGroupBox* fraImpostazioni = nullptr;
    QLabel* lblOraLocale = nullptr;
    QLabel* lblOraGreenwich = nullptr;
    QLabel* lblOraSideraleLocale = nullptr;
    QLabel* lblOraSideraleGreenwich = nullptr;
    QLabel* lblGiornoGiuliano = nullptr;
    QLabel* lblDataLocale = nullptr;
    QLabel* lblDataGreenwich = nullptr;
    QLabel* lblGiornoAnno1 = nullptr;
    QLabel* lblGiornoAnno2 = nullptr;
    QLabel* lblOraInizioSimulazione = nullptr;
    QLabel* lblStato = nullptr;
    QLabel* lblLOCALDATE = nullptr;
    QLabel* lblLOCALTIME = nullptr;
    QLabel* lblUTDATE = nullptr;
    QLabel* lblUTTIME = nullptr;
    QLabel* lblJD = nullptr;
    QLabel* lblLOCALYear = nullptr;
    QLabel* lblUTCYear = nullptr;
    QLabel* lblLST = nullptr;
    QLabel* lblGST = nullptr;
    QCheckBox* chkUsaOraPc = nullptr;
    QDateTimeEdit* DTPicker1 = nullptr;
    QPushButton* cmdPlay = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdSincronizza = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdHelp = nullptr;
    AnalogClock* AnalogClock1_0 = nullptr; ///< local time
    AnalogClock* AnalogClock1_1 = nullptr; ///< UT
};

#pragma once
// Shared set-up of the main-window tests: one QApplication for the test program, a clock the
// test sets, element sets written in the standard columns, a helper that answers the modal
// message boxes a command shows, and a fixture that gives each test a temporary program folder
// with the English language file and puts the shared program state back afterwards.

#include "support/TestFiles.h"

#include "common/Record_TLE.h"
#include "common/catalogues.h"
#include "common/satellite_slots.h"
#include "common/sky_tracks.h"
#include "database/DatabaseSession.h"
#include "tracking/ProgramClock.h"
#include "tracking/TrackingModel.h"
#include "database/WorkingSet.h"

#include <QDateTime>
#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <vector>

class MDIForm1;

/// A clock that shows what the test sets and moves only when told.
class TestClock final : public ProgramClock
{
public:
    explicit TestClock(QDateTime utc = QDateTime(QDate(2026, 12, 8), QTime(20, 0, 0), Qt::UTC))
        : m_utc(std::move(utc))
    {
    }
    [[nodiscard]] QDateTime currentUtc() const override { return m_utc; }
    void set(const QDateTime& utc) { m_utc = utc; }
    void advance(int seconds) { m_utc = m_utc.addSecs(seconds); }

private:
    QDateTime m_utc;
};

/// Orbital elements of a test satellite, written into the two element lines by column.
struct TestOrbit
{
    int catalogueNumber = 90001;
    double epochDay = 342.5; ///< day of 2026 with fraction
    double inclinationDeg = 51.6;
    double raanDeg = 120.0;
    double eccentricity = 0.0004;
    double argumentOfPerigeeDeg = 80.0;
    double meanAnomalyDeg = 280.0;
    double meanMotionRevPerDay = 15.5;
};

/// A name line and the two element lines of an orbit.
[[nodiscard]] Record_TLE elementSet(const std::string& name, const TestOrbit& orbit);

/// Puts element sets into slots 1.. and parses them (Estrai_Dati_Satellite).
void loadWorkingSet(const std::vector<Record_TLE>& sets);

/// Answers every modal message box shown while it lives with `answer`, and closes every other
/// modal dialog with Cancel; records what the message boxes said.
class ModalAnswerer : public QObject
{
public:
    explicit ModalAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok);

    struct Message
    {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QString detailedText;
    };
    [[nodiscard]] const std::vector<Message>& messages() const { return m_messages; }
    [[nodiscard]] int otherDialogs() const { return m_otherDialogs; }

private:
    void answer();

    QMessageBox::StandardButton m_answer;
    QTimer m_timer;
    std::vector<Message> m_messages;
    int m_otherDialogs = 0;
};

/// A temporary program folder with the English language file in use, the shared state of the
/// slots, the clock, the gates and the tracks restored afterwards, and the reference tables
/// loaded from the installation data.
class MainWindowTest : public ProgramStateTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    /// A main window on the test clock (not shown, its timer not started).
    MDIForm1& mainWindow();
    /// The gates open as the start leaves them.
    static void openGates();

    TestClock m_clock;

private:
    DatabaseSession m_databases{&saveWorkingSet};
    std::unique_ptr<MDIForm1> m_window;
    SlotArray<Record_TLE> m_lines = RigaDati;
    SlotArray<Elemento_satellite> m_elements = Satelement;
    SlotArray<Posizione_satellite> m_values = Valori;
    std::int16_t m_count = Numero_satelliti;
    double m_clockValue = 0;
    bool m_central = false;
    bool m_satellite = false;
    bool m_search = false;
    std::vector<Punto_traccia> m_track = Punti_transito;
    std::vector<Etichetta_traccia> m_labels = Etichette_transito;
};

/// A date value as "yyyy-MM-dd HH:mm:ss" of the wall clock it stands for.
[[nodiscard]] QString clockText(double dateValue);

/// What the windows see of the tracking model: every published snapshot and the world-map
/// redraws announced.
class ModelRecorder
{
public:
    ModelRecorder();

    /// Slots of the fresh satellites of every published tick, in order.
    [[nodiscard]] std::vector<int> freshSlots() const;

    std::vector<TickSnapshot> ticks;
    int mapRedraws = 0;

private:
    QObject m_context;
};

/// A main window on the test clock with the gates open and English (UK) display texts, driven
/// one tick at a time.
class TickingMainWindowTest : public MainWindowTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    /// `count` ticks, the test clock a second on before each.
    void ticks(int count);

    /// A control of the loaded time window; nullptr while none is loaded.
    template <class Control> Control* timeControl(const char* name)
    {
        QWidget* window = loadedTimeWindow();
        return window ? window->findChild<Control*>(QString::fromLatin1(name)) : nullptr;
    }

private:
    [[nodiscard]] static QWidget* loadedTimeWindow();
};

/// Removes a test window definition from the window registry and unloads the window.
void forgetWindow(const QString& name);

#include "MainWindowTestSupport.h"

#include "app/WindowCatalogue.h"
#include "common/gates.h"
#include "common/program_time.h"
#include "core/ElementSet.h"
#include "mainwindow/MDIForm1.h"
#include "tracking/OptionsStore.h"
#include "tracking/ReferenceData.h"
#include "services/WindowNames.h"
#include "services/WindowRegistry.h"
#include "services/mReg.h"
#include "support/FixedNumber.h"
#include "tracking/TrackingModel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPushButton>

#include <cstdio>

#include <locale.h>

namespace {

// Windows need one QApplication for the whole run (gtest_main owns main()).
class MainWindowTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (QCoreApplication::instance())
            return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
        QApplication::setApplicationName(QStringLiteral("Quorvanel"));
        QApplication::setApplicationVersion(QStringLiteral("1.2.3"));
    }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[20] = "mainwindow_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new MainWindowTestEnvironment);

std::string format(const char* pattern, auto... values)
{
    // Element lines have '.' as decimal point whatever the locale the test runs under.
    const locale_t numbersInC = newlocale(LC_NUMERIC_MASK, "C", nullptr);
    const locale_t previous = uselocale(numbersInC);
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, pattern, values...);
    uselocale(previous);
    freelocale(numbersInC);
    return buffer;
}

/// The modulo-10 checksum of an element line (digits count, a minus counts 1).
char checksum(const std::string& line)
{
    int sum = 0;
    for (const char c : line.substr(0, 68)) {
        if (c >= '0' && c <= '9')
            sum += c - '0';
        else if (c == '-')
            sum += 1;
    }
    return static_cast<char>('0' + sum % 10);
}

} // namespace

Record_TLE elementSet(const std::string& name, const TestOrbit& orbit)
{
    using testsets::fixedNumber;
    std::string line1 = format("1 %05dU 26001A   26%s  .00001000  00000-0  10000-3 0  999",
                               orbit.catalogueNumber,
                               fixedNumber(orbit.epochDay, 12, 8, '0').c_str());
    line1 += checksum(line1);
    const auto eccentricity = static_cast<long>(orbit.eccentricity * 1e7 + 0.5);
    std::string line2 = format("2 %05d %s %s %07ld %s %s %s%5d", orbit.catalogueNumber,
                               fixedNumber(orbit.inclinationDeg, 8, 4).c_str(),
                               fixedNumber(orbit.raanDeg, 8, 4).c_str(), eccentricity,
                               fixedNumber(orbit.argumentOfPerigeeDeg, 8, 4).c_str(),
                               fixedNumber(orbit.meanAnomalyDeg, 8, 4).c_str(),
                               fixedNumber(orbit.meanMotionRevPerDay, 11, 8).c_str(), 1000);
    line2 += checksum(line2);
    return Record_TLE{name, line1, line2};
}

void loadWorkingSet(const std::vector<Record_TLE>& sets)
{
    for (int slot = 1; slot <= kLastSlot; ++slot) {
        mSat::Azzera_Satelement(slot);
        mSat::Azzera_RigaDati(slot);
        mSat::Azzera_Valori(slot);
    }
    int slot = 0;
    for (const Record_TLE& set : sets)
        mSat::Estrai_Dati_Satellite(++slot, set.Riga0, set.Riga1, set.Riga2);
    Numero_satelliti = static_cast<std::int16_t>(sets.size());
}

ModalAnswerer::ModalAnswerer(QMessageBox::StandardButton answer) : m_answer(answer)
{
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::answer);
    m_timer.start(5);
}

void ModalAnswerer::answer()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr)
        return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        m_messages.push_back({box->windowTitle(), box->text(), box->icon(), box->detailedText()});
        QAbstractButton* button = box->button(m_answer);
        if (button == nullptr)
            button = box->defaultButton();
        if (button == nullptr)
            button = box->buttons().value(0);
        button->click();
        return;
    }
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        ++m_otherDialogs;
        dialog->reject();
    }
}

void MainWindowTest::SetUp()
{
    ProgramStateTest::SetUp();
    m_clockValue = Data_attuale;
    m_central = pflgCentrale.isEnabled();
    m_satellite = pflgSatellite.isEnabled();
    m_search = pflgRicerca;
    TrackingModel::instance().reset();

    // The reference tables of the installation, for the Sun, Moon and planets of the tick.
    MyPath = QStringLiteral(QUORVANEL_DATA_DIR);
    ASSERT_TRUE(Carica_archivi().ok());
    MyPath = m_folder.path();
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORVANEL_DATA_DIR "/English.ini"),
                            folderFile(QStringLiteral("English.ini"))));
    mReg::Scrivi_registro(u"Quorvanel", u"Generali", u"Lingua", u"English.ini");
    // As after loading a store that holds only the language: the built-in options and place,
    // none of them left unsaved by an earlier test's corrections.
    ASSERT_TRUE(Carica_impostazioni().ok());
    loadWorkingSet({});
}

void MainWindowTest::TearDown()
{
    forgetWindow(windowNames::kDatabase);
    m_window.reset();
    TrackingModel::instance().reset();
    RigaDati = m_lines;
    Satelement = m_elements;
    Valori = m_values;
    Numero_satelliti = m_count;
    Data_attuale = m_clockValue;
    pflgCentrale.setEnabled(m_central);
    pflgSatellite.setEnabled(m_satellite);
    pflgRicerca = m_search;
    Punti_transito = m_track;
    Etichette_transito = m_labels;
    ProgramStateTest::TearDown();
}

MDIForm1& MainWindowTest::mainWindow()
{
    if (!m_window) {
        m_window = std::make_unique<MDIForm1>(m_clock);
        m_window->Lingua();
        // The element databases joined to the main window as in the program.
        connectElementDatabase(*m_window, m_databases);
    }
    return *m_window;
}

QString clockText(double dateValue)
{
    return wallClockOf(dateValue).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

ModelRecorder::ModelRecorder()
{
    TrackingModel& model = TrackingModel::instance();
    QObject::connect(&model, &TrackingModel::ticked, &m_context,
                     [this, &model] { ticks.push_back(model.snapshot()); });
    QObject::connect(&model, &TrackingModel::worldMapRedrawDue, &m_context,
                     [this] { ++mapRedraws; });
}

std::vector<int> ModelRecorder::freshSlots() const
{
    std::vector<int> freshOnes;
    for (const TickSnapshot& tick : ticks) {
        for (const TrackedSatellite& satellite : tick.satellites) {
            if (satellite.fresh)
                freshOnes.push_back(satellite.slot);
        }
    }
    return freshOnes;
}

void TickingMainWindowTest::SetUp()
{
    MainWindowTest::SetUp();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    openGates();
}

void TickingMainWindowTest::TearDown()
{
    QLocale::setDefault(QLocale::c());
    MainWindowTest::TearDown();
}

void TickingMainWindowTest::ticks(int count)
{
    for (int i = 0; i < count; ++i) {
        m_clock.advance(1);
        mainWindow().tmrCentrale_Timer();
    }
}

QWidget* TickingMainWindowTest::loadedTimeWindow()
{
    return WindowRegistry::instance().find(windowNames::kTime);
}

void MainWindowTest::openGates()
{
    pflgCentrale.setEnabled(true);
    pflgSatellite.setEnabled(true);
}

void forgetWindow(const QString& name)
{
    WindowRegistry& windows = WindowRegistry::instance();
    windows.unload(windows.find(name));
    windows.define(name, WindowLifetime::UnloadOnClose, {});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

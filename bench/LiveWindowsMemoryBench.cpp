// Memory held by the program while it tracks for hours: the main window on a simulated
// computer clock with 200 satellites of gpredict's catalogue (the space station principal) and
// every live window open (world map, local sky, whole sky, tracking table, data bar). Each
// simulated second runs the tick and lets the windows paint; each simulated minute runs the
// sky charts' own redraw, as their minute timers do. The world map is the globe, whose base
// picture changes as the principal moves, or the rectangular map.
//
// Counters: the heap the C library holds for the program (malloc'd bytes in use, mapped
// blocks included, mallinfo2) after the first simulated hour and at the end, the growth per
// hour between them, and the resident size at the end. A flat run shows a growth near 0; a
// globe that kept every picture it had shown grew by some 5 MB at each new view, to about
// 60 MB more within half a day. Every simulated hour is also printed on the standard error,
// so a long run shows its curve. A run lasts 3 simulated hours, about a minute each;
// QUORVANEL_SIMULATED_HOURS sets another length:
//   QUORVANEL_SIMULATED_HOURS=24 LiveWindowsMemoryBench --benchmark_filter=Globe

#include "app/WindowCatalogue.h"
#include "common/gates.h"
#include "common/options.h"
#include "common/satellite_slots.h"
#include "core/ElementSet.h"
#include "core/mSat.h"
#include "database/DatabaseSession.h"
#include "database/WorkingSet.h"
#include "mainwindow/MDIForm1.h"
#include "services/ProgramFolder.h"
#include "services/WindowNames.h"
#include "services/WindowRegistry.h"
#include "services/mGlobal.h"
#include "services/mLang.h"
#include "services/mReg.h"
#include "skycharts/frmGeneralSky.h"
#include "skycharts/frmLocalSky.h"
#include "tracking/ProgramClock.h"
#include "tracking/ReferenceData.h"
#include "tracking/TrackingModel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kSatellites = 200;
constexpr int kTicksPerHour = 3600;
constexpr int kTicksPerMinute = 60;
/// Satellites that come down meanwhile are left out: a decay stops the tick with a message.
constexpr double kLowestPerigeeKm = 150.0;
/// Just after the epochs of gpredict's element sets (around 2018 January 20), 18 h UT.
const QDateTime kStart(QDate(2018, 1, 21), QTime(18, 0, 0), QTimeZone::utc());
constexpr double kStartJd = 2458140.25; ///< kStart as a Julian date (UT)

const QString kLiveWindows[] = {windowNames::kWorldMap, windowNames::kLocalSky,
                                windowNames::kGeneralSky, windowNames::kTrack,
                                windowNames::kFloating};

int simulatedHours()
{
    const char* hours = std::getenv("QUORVANEL_SIMULATED_HOURS");
    const int value = hours != nullptr ? std::atoi(hours) : 0;
    return value > 0 ? value : 3;
}

class SimulatedClock final : public ProgramClock
{
public:
    [[nodiscard]] QDateTime currentUtc() const override { return m_utc; }
    void advance() { m_utc = m_utc.addSecs(1); }

private:
    QDateTime m_utc = kStart;
};

double heapMegabytes()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

double residentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

/// gpredict's satellites, the space station first, that compute and stay up for `hours`.
int loadSatellites(int hours)
{
    std::ifstream in("/usr/share/gpredict/data/satdata/satellites.dat");
    std::vector<std::array<std::string, 3>> sets;
    std::array<std::string, 3> set;
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (line.rfind("NAME=", 0) == 0)
            set[0] = line.substr(5);
        else if (line.rfind("TLE1=", 0) == 0)
            set[1] = line.substr(5);
        else if (line.rfind("TLE2=", 0) == 0) {
            set[2] = line.substr(5);
            if (set[1].size() > 7 && set[1].substr(2, 5) == "25544")
                sets.insert(sets.begin(), set);
            else
                sets.push_back(set);
        }
    }
    int slot = 0;
    for (const auto& [name, line1, line2] : sets) {
        if (slot == kSatellites)
            break;
        const int next = slot + 1;
        if (mSat::Estrai_Dati_Satellite(next, name, line1, line2) != mSat::Status::Ok)
            continue;
        bool usable = true;
        for (const double jd : {kStartJd, kStartJd + hours / 24.0 + 0.1}) {
            usable = usable && mSat::Calcola_satellite(next, jd) == mSat::Status::Ok &&
                     Valori[next].Perigeo > kLowestPerigeeKm;
        }
        if (usable)
            slot = next;
    }
    Numero_satelliti = static_cast<std::int16_t>(slot);
    return slot;
}

/// A program folder with the installation data, the options store inside it, English texts,
/// the observer at Milan and the computer's zone pinned to UTC.
bool prepareProgram(const QTemporaryDir& folder)
{
    const QDir data(QStringLiteral(QUORVANEL_DATA_DIR));
    for (const QString& name : data.entryList(QDir::Files))
        QFile::copy(data.filePath(name), folder.filePath(name));
    MyPath = folder.path();
    mReg::setStoreFile(folder.filePath(QStringLiteral("store/options.ini")));
    mGlobal::setComputerZone(QTimeZone::utc(), QDateTime());
    Impostazioni = Opzioni{};
    Impostazioni.File_lingua = "English.ini";
    mReg::Scrivi_registro(u"Quorvanel", u"Generali", u"Lingua", u"English.ini");
    Osservatore = Dati_osservatore{"Italy: Milano", 45.47f, 9.19f, 133.0f, 1.0f, 0};
    Impostazioni_salvate = Impostazioni;
    Osservatore_salvato = Osservatore;
    mLang::Lingua_caricata = false;
    return Carica_archivi().ok();
}

template <class Window> Window* openWindow(const QString& name)
{
    return qobject_cast<Window*>(WindowRegistry::instance().find(name));
}

void LiveWindows(benchmark::State& state, const char* worldMapCommand)
{
    const int hours = static_cast<int>(state.range(0));
    QTemporaryDir folder;
    if (!prepareProgram(folder)) {
        state.SkipWithError("the installation data could not be read");
        return;
    }
    if (loadSatellites(hours) < kSatellites) {
        state.SkipWithError("gpredict's satellites.dat is not installed or too small");
        return;
    }
    SimulatedClock clock;
    DatabaseSession databases(&Salva_Ini);
    auto main = std::make_unique<MDIForm1>(clock);
    main->Lingua();
    defineWindows(*main);
    connectElementDatabase(*main, databases);
    main->resize(1600, 1000);
    main->show();
    pflgCentrale.setEnabled(true);
    pflgSatellite.setEnabled(true);
    main->tmrCentrale_Timer();
    for (const char* command : {worldMapCommand, "mnuCieloMappaLocale", "mnuCieloMappaGenerale",
                                "mnuEffemeridiSatelliti", "mnuVisualizzaBarraDati"})
        main->runCommand(QString::fromLatin1(command));
    QCoreApplication::processEvents();
    for (const QString& name : kLiveWindows) {
        const QWidget* window = WindowRegistry::instance().find(name);
        if (window == nullptr || !window->isVisible()) {
            state.SkipWithError(("the window " + name.toStdString() + " did not open").c_str());
            return;
        }
    }

    double firstHour = 0;
    for (auto _ : state) {
        for (int hour = 1; hour <= hours; ++hour) {
            for (int tick = 1; tick <= kTicksPerHour; ++tick) {
                clock.advance();
                main->tmrCentrale_Timer();
                if (tick % kTicksPerMinute == 0) {
                    if (auto* sky = openWindow<frmLocalSky>(windowNames::kLocalSky))
                        sky->tmrLocalSky_Timer();
                    if (auto* sky = openWindow<frmGeneralSky>(windowNames::kGeneralSky))
                        sky->tmrGeneralSky_Timer();
                }
                QCoreApplication::processEvents();
            }
            const double held = heapMegabytes();
            if (hour == 1)
                firstHour = held;
            std::fprintf(stderr, "hour %3d: heap held %8.2f MB, resident %8.2f MB\n", hour, held,
                         residentMegabytes());
        }
    }
    const double last = heapMegabytes();
    state.counters["heap_hour1_mb"] = firstHour;
    state.counters["heap_end_mb"] = last;
    state.counters["growth_mb_per_h"] = hours > 1 ? (last - firstHour) / (hours - 1) : 0.0;
    state.counters["rss_end_mb"] = residentMegabytes();
    WindowRegistry& windows = WindowRegistry::instance();
    for (const QString& name : kLiveWindows)
        windows.unload(windows.find(name));
    main.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Globe(benchmark::State& state)
{
    LiveWindows(state, "mnuTerraMappaOrtografica");
}
BENCHMARK(Globe)->Arg(simulatedHours())->Iterations(1)->Unit(benchmark::kSecond);

void RectangularMap(benchmark::State& state)
{
    LiveWindows(state, "mnuTerraMappaRettangolare");
}
BENCHMARK(RectangularMap)->Arg(simulatedHours())->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

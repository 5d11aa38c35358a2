// The per-second update of the live tracking windows: one tick's publication refreshes a full
// page of the tracking table (ten satellites, each with a radio channel and its Doppler texts)
// and the data bar (the principal's texts made and written). "Update" is the work of the tick
// itself; "UpdateAndPaint" adds painting both windows. Target: update <= 1 ms.

#include "worldmap/frmFloating.h"
#include "worldmap/frmTrack.h"

#include "common/options.h"
#include "common/satellite_slots.h"
#include "core/ElementSet.h"
#include "core/mAstro.h"
#include "services/ProgramFolder.h"
#include "tracking/TickTexts.h"
#include "tracking/TrackingModel.h"

#include <QApplication>
#include <QLabel>
#include <QTabWidget>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

constexpr int kSatellites = 10;
constexpr double kJulianDate = 2460311.0; // 2024 January 1.5, a day after the set's epoch
constexpr double kDegToRad = 0.0174532925;

QApplication& application()
{
    static int argc = 1;
    static char name[] = "TrackingTableBench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: an application destroyed by the exit handlers would outlive its
    // platform plugin and crash the program after the results were printed.
    static auto* app = new QApplication(argc, argv);
    return *app;
}

/// Ten active slots with the ISS set, each with a downlink and an uplink on every channel.
void loadSlots()
{
    MyPath = QStringLiteral(QUORVANEL_DATA_DIR);
    Impostazioni.File_lingua = "English.ini";
    Osservatore.Nome_localita = "Milano";
    Osservatore.Latitudine_osservatore = 45.46;
    Osservatore.Longitudine_osservatore = 9.19;
    for (int slot = 1; slot <= kSatellites; ++slot) {
        (void)mSat::Estrai_Dati_Satellite(
            slot, "ISS (ZARYA)",
            "1 25544U 98067A   24001.50000000  .00016717  00000-0  10270-3 0  9005",
            "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.49815645432213");
        for (int c = 1; c <= kRadioChannels; ++c) {
            Satelement[slot].Frequenze_downlink[static_cast<std::size_t>(c)] = "145.800";
            Satelement[slot].Frequenze_uplink[static_cast<std::size_t>(c)] = "437.800";
        }
    }
    Numero_satelliti = kSatellites;
}

/// One tick's satellites, their look angles and range rates moved by `step`.
TickSnapshot satellites(double step)
{
    TickSnapshot tick;
    tick.time = mAstro::timeStateAt(mAstro::Data_da_giuliano(kJulianDate), Osservatore);
    tick.satellitesUpdated = true;
    for (int slot = 1; slot <= kSatellites; ++slot) {
        TrackedSatellite satellite;
        satellite.slot = slot;
        satellite.name = Satelement[slot].Nome_satellite;
        satellite.catalogueNumber = Satelement[slot].Numero_catalogo;
        satellite.fresh = true;
        Posizione_satellite& s = satellite.state;
        s.Azimut = std::fmod(slot * 33.0 + step, 360.0);
        s.Elevazione = 40.0 * std::sin(slot + step * 0.01);
        s.Latitudine_subsatellite = 50.0 * std::sin(slot * 0.7 + step * 0.01);
        s.Longitudine_subsatellite = std::fmod(slot * 37.0 + step, 360.0) - 180.0;
        s.Distanza = 800.0 + 100.0 * slot + step;
        s.Variazione_distanza = 7.0 * std::cos(slot + step * 0.01);
        s.Quota = 420.0;
        s.Velocita = 7.66;
        s.Periodo = 5550.0;
        s.Orbita = 43221.0 + step * 1e-4;
        s.Stato = 2;
        tick.satellites.push_back(satellite);
    }
    return tick;
}

/// The tick's part: the principal's data-bar texts, then the publication every window follows.
void publish(TickSnapshot tick)
{
    const Posizione_satellite& p = tick.satellites.front().state;
    const mAstro::SexagesimalEquatorial equatorial =
        mAstro::horizontalToEquatorial(p.Azimut * kDegToRad, p.Elevazione * kDegToRad,
                                       Osservatore.Latitudine_osservatore,
                                       tick.time.Tempo_siderale_locale);
    tick.principal = principalTexts(p, Satelement[kPrincipalSlot],
                                    Impostazioni.Canale_selezionato[0], equatorial, statusName(p.Stato));
    tick.hasPrincipal = true;
    TrackingModel::instance().publishTick(std::move(tick));
}

struct LiveWindows
{
    std::unique_ptr<frmTrack> table;
    std::unique_ptr<frmFloating> bar;
};

LiveWindows liveWindows()
{
    application();
    loadSlots();
    TrackingModel::instance().reset();
    LiveWindows windows{std::make_unique<frmTrack>(), std::make_unique<frmFloating>()};
    windows.table->SSTab1->setCurrentIndex(3); // the radio frequencies with their Doppler texts
    windows.table->show();
    windows.bar->show();
    QCoreApplication::processEvents();
    return windows;
}

void BM_TrackingTableAndDataBar_Update(benchmark::State& state)
{
    const LiveWindows windows = liveWindows();
    double step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TickSnapshot tick = satellites(step += 1.0);
        state.ResumeTiming();
        publish(std::move(tick));
        benchmark::DoNotOptimize(windows.table->lblRicez[9]->text());
        state.PauseTiming();
        // The repaints the update asked for run outside the measured part.
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_TrackingTableAndDataBar_UpdateAndPaint(benchmark::State& state)
{
    const LiveWindows windows = liveWindows();
    double step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TickSnapshot tick = satellites(step += 1.0);
        state.ResumeTiming();
        publish(std::move(tick));
        windows.table->repaint();
        windows.bar->repaint();
    }
}

} // namespace

BENCHMARK(BM_TrackingTableAndDataBar_Update)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TrackingTableAndDataBar_UpdateAndPaint)->Unit(benchmark::kMicrosecond);

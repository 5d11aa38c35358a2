// The world map's drawing with 200 satellites on a 1280 x 640 map box: the full redraw
// (picture, night side, graticule, Sun, observer, ground track, then the satellites with
// their names and the footprint) and the per-second update of the satellites over the kept
// background. Targets: full redraw <= 30 ms, per-second update <= 5 ms.

#include "worldmap/frmWorldMap.h"

#include "common/satellite_slots.h"
#include "core/ElementSet.h"
#include "core/mAstro.h"
#include "services/ProgramFolder.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

constexpr int kSatellites = 200;
constexpr double kJulianDate = 2460311.0; // 2024 January 1.5, a day after the set's epoch

QApplication& application()
{
    static int argc = 1;
    static char name[] = "WorldMapBench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: an application destroyed by the exit handlers would outlive its
    // platform plugin and crash the program after the results were printed.
    static auto* app = new QApplication(argc, argv);
    return *app;
}

/// 200 satellites spread over the Earth, shifted by `step` degrees a tick.
TickSnapshot snapshot(double step)
{
    TickSnapshot tick;
    tick.time = mAstro::timeStateAt(mAstro::Data_da_giuliano(kJulianDate), Osservatore);
    for (int slot = 1; slot <= kSatellites; ++slot) {
        TrackedSatellite satellite;
        satellite.slot = slot;
        satellite.name = "SATELLITE " + std::to_string(slot);
        satellite.catalogueNumber = std::to_string(10000 + slot);
        satellite.fresh = true;
        Posizione_satellite& s = satellite.state;
        const double lon = std::fmod(slot * 37.0 + step + 540.0, 360.0) - 180.0;
        s.Latitudine_subsatellite = s.Latitudine_proiezione = 70.0 * std::sin(slot * 0.7 + step * 0.01);
        s.Longitudine_subsatellite = lon;
        s.Longitudine_est = lon < 0 ? lon + 360 : lon;
        s.Distanza_geocentrica = 6378.0 + 400.0 + 10.0 * slot;
        tick.satellites.push_back(satellite);
    }
    tick.satellites.front().catalogueNumber = "25544"; // the set in slot 1
    tick.satellites.front().state.Latitudine_subsatellite = 20;
    tick.satellites.front().state.Latitudine_proiezione = 20;
    tick.hasPrincipal = true;
    return tick;
}

std::unique_ptr<frmWorldMap> mapWindow(worldmap::MapKind kind)
{
    application();
    MyPath = QStringLiteral(QUORVANEL_DATA_DIR);
    Osservatore.Nome_localita = "Milano";
    Osservatore.Latitudine_osservatore = 45.46;
    Osservatore.Longitudine_osservatore = 9.19;
    Impostazioni.Mappamondo_riquadro_dati = false;
    (void)mSat::Estrai_Dati_Satellite(
        1, "ISS (ZARYA)", "1 25544U 98067A   24001.50000000  .00016717  00000-0  10270-3 0  9005",
        "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.49815645432213");
    Numero_satelliti = 1;
    TrackingModel& model = TrackingModel::instance();
    model.reset();
    frmWorldMap::Hooks hooks;
    hooks.report = [](const QString&) {};
    auto map = std::make_unique<frmWorldMap>(model, hooks);
    WorldMapDisplay options = model.worldMap();
    options.griglia = options.ombra = options.terminatore = options.sole = true;
    options.tracciatoOrbita = options.cerchioVisibilita = options.nomeCitta = true;
    options.riquadroDati = false;
    model.setWorldMap(options);
    map->setProjection(kind);
    map->show();
    map->resize(1281, 642); // a 1280 x 640 map box inside the margins
    QCoreApplication::processEvents();
    model.publishTick(snapshot(0));
    return map;
}

void fullRedraw(benchmark::State& state, worldmap::MapKind kind)
{
    const auto map = mapWindow(kind);
    for (auto _ : state) {
        map->Genera_mappa();
        benchmark::DoNotOptimize(map->composedMap());
    }
}

void perSecondUpdate(benchmark::State& state, worldmap::MapKind kind)
{
    const auto map = mapWindow(kind);
    double step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TickSnapshot tick = snapshot(step += 0.1);
        state.ResumeTiming();
        TrackingModel::instance().publishTick(std::move(tick));
        benchmark::DoNotOptimize(map->composedMap());
    }
}

} // namespace

BENCHMARK_CAPTURE(fullRedraw, Rectangular, worldmap::MapKind::Rectangular)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fullRedraw, Orthographic, worldmap::MapKind::Orthographic)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(perSecondUpdate, Rectangular, worldmap::MapKind::Rectangular)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(perSecondUpdate, Orthographic, worldmap::MapKind::Orthographic)->Unit(benchmark::kMillisecond);

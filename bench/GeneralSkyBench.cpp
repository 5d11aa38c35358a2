// The whole-sky chart's full redraw into an offscreen image of 1100 x 620 pixels with every
// layer: all 9010 stars, the grid, the constellation lines and names, the Sun, the Moon and
// the planets with labels; once over the whole sky and once zoomed. Target: a median of at
// most 15 ms for the whole sky, so the minute's redraw never stalls the window.

#include "skycharts/GeneralSkyChart.h"
#include "skycharts/LocalSkyChart.h"

#include "common/catalogues.h"
#include "common/options.h"
#include "common/program_time.h"
#include "core/DateValue.h"
#include "services/PaintDeviceSurface.h"
#include "services/ProgramFolder.h"
#include "tracking/ReferenceData.h"

#include <benchmark/benchmark.h>

namespace {

constexpr QSize kChartSize(1100, 620);

bool loadSky()
{
    MyPath = QStringLiteral(QUORVANEL_DATA_DIR);
    Impostazioni.File_lingua = "English.ini";
    if (!Carica_archivi().ok())
        return false;
    Osservatore.Latitudine_osservatore = 45.4642f;
    Osservatore.Longitudine_osservatore = 9.19f;
    Osservatore.Fuso_orario = 1;
    Data_attuale = DateValue::fromDateTime(2026, 1, 15, 21, 30, 0);
    skycharts::bringSkyToInstant(Data_attuale);
    return true;
}

void BM_GeneralSkyFullRedraw(benchmark::State& state)
{
    if (!loadSky()) {
        state.SkipWithError("the installation data could not be read");
        return;
    }
    GeneralSkyDisplay display;
    display.griglia = true;
    display.oggettiCostellazioni = display.etichetteCostellazioni = true;
    display.oggettiPianeti = display.etichettePianeti = true;
    display.oggettiSoleLuna = display.etichetteSoleLuna = true;
    const skycharts::ViewBox view =
        state.range(0) == 0 ? skycharts::kWholeSkyView : skycharts::ViewBox{20, 10, 16, -30};
    const skycharts::GeneralSkyScene scene =
        skycharts::generalSkyScene(display, Impostazioni, view, kStarCount);
    QImage chart(kChartSize, QImage::Format_RGB32);
    for (auto _ : state) {
        chart.fill(skycharts::kWholeSkyBackground);
        PaintDeviceSurface surface(chart);
        skycharts::drawGeneralSkyChart(surface, kChartSize, scene);
        surface.end();
        benchmark::DoNotOptimize(chart.constBits());
    }
}
BENCHMARK(BM_GeneralSkyFullRedraw)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("zoomed")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

} // namespace

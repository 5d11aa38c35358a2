// The local sky's full redraw into an offscreen image of 1000 x 1000 pixels with every
// layer: all 9010 stars, the constellation lines and names, the Sun, the Moon and the
// planets with labels, the equatorial grid, the landscape, and 200 satellites on the
// temporary layer. Target: a median of at most 25 ms.

#include "skycharts/LocalSkyChart.h"

#include "common/catalogues.h"
#include "common/options.h"
#include "common/program_time.h"
#include "common/satellite_slots.h"
#include "core/DateValue.h"
#include "core/ElementSet.h"
#include "core/mAstro.h"
#include "core/mSat.h"
#include "tracking/ReferenceData.h"
#include "services/PaintDeviceSurface.h"
#include "services/ProgramFolder.h"

#include <QFile>

#include <benchmark/benchmark.h>

namespace {

constexpr QSize kChartSize(1000, 1000);
constexpr int kSatellites = 200;

/// Up to 200 satellites from gpredict's catalogue in the slots, computed for now.
int loadSatellites()
{
    QFile file(QStringLiteral(QUORVANEL_GPREDICT_CATALOGUE));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    std::string name, line1, line2;
    int slot = 0;
    while (!file.atEnd() && slot < kSatellites) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith("NAME="))
            name = line.mid(5).toStdString();
        else if (line.startsWith("TLE1="))
            line1 = line.mid(5).toStdString();
        else if (line.startsWith("TLE2=")) {
            line2 = line.mid(5).toStdString();
            if (mSat::Estrai_Dati_Satellite(slot + 1, name, line1, line2) == mSat::Status::Ok) {
                ++slot;
                mSat::Calcola_satellite(slot, mAstro::Data_giuliana);
            }
        }
    }
    return slot;
}

void BM_LocalSkyFullRedraw(benchmark::State& state)
{
    MyPath = QStringLiteral(QUORVANEL_DATA_DIR);
    Impostazioni.File_lingua = "English.ini";
    if (!Carica_archivi().ok()) {
        state.SkipWithError("the installation data could not be read");
        return;
    }
    Osservatore.Latitudine_osservatore = 45.4642f;
    Osservatore.Longitudine_osservatore = 9.19f;
    Osservatore.Fuso_orario = 1;
    Data_attuale = DateValue::fromDateTime(2026, 1, 15, 21, 30, 0);
    skycharts::bringSkyToInstant(Data_attuale);
    const int satellites = loadSatellites();

    LocalSkyDisplay display;
    display.griglia = true;
    display.oggettiCostellazioni = display.etichetteCostellazioni = true;
    display.oggettiPianeti = display.etichettePianeti = true;
    display.oggettiSoleLuna = display.etichetteSoleLuna = true;
    Opzioni options = Impostazioni;
    options.Cielo_locale_griglia_tipo = false; // the equatorial grid, the costlier one
    skycharts::LandscapeOverlay landscape;
    landscape.load(dataFilePath(QStringLiteral("landscape.dat")));
    skycharts::LocalSkyScene scene =
        skycharts::sceneFromOptions(display, options, skycharts::fullViewBox(1.0), kStarCount);
    scene.landscape = &landscape;
    skycharts::SkyBackgroundCache background;
    scene.background = &background;
    const skycharts::SkyProjection projection = skycharts::localSkyProjection(display);

    QImage chart(kChartSize, QImage::Format_RGB32);
    QImage screen(kChartSize, QImage::Format_RGB32);
    for (auto _ : state) {
        skycharts::bringSkyToInstant(Data_attuale);
        chart.fill(Qt::black);
        PaintDeviceSurface surface(chart);
        skycharts::drawLocalSkyChart(surface, kChartSize, scene);
        surface.end();
        // The tick's layer: the chart copied, every satellite above the horizon on top.
        screen = chart;
        PaintDeviceSurface overlay(screen);
        overlay.Scale(scene.view.left, scene.view.top, scene.view.right, scene.view.bottom);
        overlay.setFillStyle(drawing::FillStyle::Solid);
        for (int slot = 1; slot <= satellites; ++slot) {
            const Posizione_satellite& p = Valori[slot];
            if (!(p.Elevazione > 0))
                continue;
            const skycharts::ChartPoint at = projection.toChart(p.Azimut, p.Elevazione);
            overlay.Circle(at.x, at.y, 1.0, Qt::white);
            overlay.setCurrentX(at.x + 1);
            overlay.setCurrentY(at.y - 1);
            overlay.Print(QString::fromStdString(Satelement[slot].Nome_satellite), false);
        }
        overlay.end();
        benchmark::DoNotOptimize(screen.constBits());
    }
    state.counters["satellites"] = satellites;
}
BENCHMARK(BM_LocalSkyFullRedraw)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);

} // namespace

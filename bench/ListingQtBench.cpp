// The ephemeris listing: computing and showing a day at a one-second step (86,400 observer
// rows), and the memory a sixty-day listing at one second (5,184,000 rows) needs when it is
// opened and scrolled to its end. Targets: 0.5 s and 400 MB.

#include "common/options.h"
#include "core/DateValue.h"
#include "predictions/ListingModel.h"
#include "predictions/frmDetails.h"

#include <QApplication>
#include <QListView>
#include <QScrollBar>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <memory>

namespace {

const Record_TLE kIss{"ISS (ZARYA)",
                      "1 25544U 98067A   24001.50000000  .00016717  00000-0  10270-3 0  9005",
                      "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.49815645432213"};

QApplication& application()
{
    static int argc = 1;
    static char name[] = "ListingQtBench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: an application destroyed by the exit handlers would outlive its
    // platform plugin and crash the program after the results were printed.
    static auto* app = new QApplication(argc, argv);
    return *app;
}

void prepareObserver()
{
    Osservatore.Nome_localita = "Milano";
    Osservatore.Latitudine_osservatore = 45.46f;
    Osservatore.Longitudine_osservatore = 9.19f;
    Osservatore.Fuso_orario = 1.0f;
    Impostazioni.Propagatore = 2;
}

/// Lists `days` at one second and shows the first and the last page.
void listAndShow(frmDetails& window, double days)
{
    const double start = DateValue::fromDateTime(2024, 1, 1, 13, 0, 0);
    double step = 1;
    window.Genera_elenco(kIss, start, DateValue::addDays(start, days), step, 1);
    window.List1->repaint();
    window.List1->verticalScrollBar()->setValue(window.List1->verticalScrollBar()->maximum());
    window.List1->repaint();
}

void BM_ObserverDayAtOneSecondComputedAndShown(benchmark::State& state)
{
    application();
    prepareObserver();
    for (auto _ : state) {
        frmDetails window;
        window.resize(900, 600);
        window.show();
        listAndShow(window, 1);
        benchmark::DoNotOptimize(window.listing().lineCount());
    }
}
BENCHMARK(BM_ObserverDayAtOneSecondComputedAndShown)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SixtyDaysAtOneSecondPeakMemory(benchmark::State& state)
{
    application();
    prepareObserver();
    for (auto _ : state) {
        frmDetails window;
        window.resize(900, 600);
        window.show();
        listAndShow(window, 60);
        benchmark::DoNotOptimize(window.listing().lineCount());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_SixtyDaysAtOneSecondPeakMemory)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

// Filling the pass list of the pass-prediction window with 50,000 passes as a search hands
// them over: formatted and appended in the window's batches to a shown list view on the
// offscreen platform. Reports the whole time and the longest batch (what the user would feel
// as a stall) as counters; then one re-sort by magnitude.

#include "predictions/PassListModel.h"
#include "predictions/engine/PassSearchEngine.h"
#include "support/ElementSetSources.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

constexpr std::size_t kRows = 50000;
constexpr qint64 kBatchBudgetMs = 30; // as the window appends

std::vector<passes::PassRow> fiftyThousandPasses()
{
    passes::PassSearchRequest r;
    const std::vector<Record_TLE> sets = testsets::generatedSets(10000);
    for (std::size_t i = 0; i < sets.size(); ++i)
        r.satellites.push_back({static_cast<int>(i + 1), sets[i], std::nullopt});
    r.startJd = testsets::kGeneratedSearchStartJd;
    r.endJd = r.startJd + 2.0;
    r.filters.minimumElevationDeg = 0;
    r.filters.applyAzimuth = false;
    r.observer.Latitudine_osservatore = 45.47f;
    r.observer.Longitudine_osservatore = 9.19f;
    r.observer.Fuso_orario = 1.0f;
    std::vector<passes::PassRow> rows = passes::searchAll(r, 0);
    rows.resize(std::min(rows.size(), kRows));
    return rows;
}

void BM_PassList_Fill50000(benchmark::State& state)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "PassListQtBench";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    const std::vector<passes::PassRow> rows = fiftyThousandPasses();
    Dati_osservatore observer;
    observer.Fuso_orario = 1.0f;
    double worstBatchMs = 0;
    double worstListMs = 0; // appending and repainting, without the formatting
    double sortMs = 0;
    for (auto _ : state) {
        PassListModel model;
        QTreeView view;
        view.setUniformRowHeights(true);
        view.setModel(&model);
        view.resize(900, 400);
        view.show();
        std::size_t next = 0;
        while (next < rows.size()) {
            QElapsedTimer batchTime;
            batchTime.start();
            std::vector<PassListModel::Entry> batch;
            while (next < rows.size() && batchTime.elapsed() < kBatchBudgetMs) {
                batch.push_back({rows[next], passTexts(rows[next], observer)});
                ++next;
            }
            const qint64 formatted = batchTime.nsecsElapsed();
            model.append(std::move(batch));
            QCoreApplication::processEvents();
            worstBatchMs = std::max(worstBatchMs, batchTime.nsecsElapsed() / 1e6);
            worstListMs = std::max(worstListMs, (batchTime.nsecsElapsed() - formatted) / 1e6);
        }
        QElapsedTimer sortTime;
        sortTime.start();
        model.sort(kColumnMagnitude, Qt::AscendingOrder);
        QCoreApplication::processEvents();
        sortMs = sortTime.nsecsElapsed() / 1e6;
    }
    state.counters["rows"] = static_cast<double>(rows.size());
    state.counters["worst_batch_ms"] = worstBatchMs;
    state.counters["sort_ms"] = sortMs;
    state.counters["worst_append_ms"] = worstListMs;
}

} // namespace

BENCHMARK(BM_PassList_Fill50000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

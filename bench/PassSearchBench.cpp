// The pass search over a whole element file: every pass above 0 degrees of 10,000 generated
// sets (low, navigation, geostationary, transfer and Molniya orbits) over 24 hours from Milan,
// the in-transit test off, on one thread and on every core; the same over gpredict's
// catalogue when it is installed. The accuracy benchmark compares the events of the passes of
// 1,000 low orbits with a dense scan of the same observing state (every second, then every
// 0.01 s around each event) and reports the rise and set errors [s] and the culmination's
// time [s] and elevation [deg] errors (99th percentile and largest) as counters, with the
// number of culminations beyond 0.1 s or 0.01 degrees.

#include "predictions/engine/PassSearchEngine.h"
#include "predictions_engine/DenseScan.h"
#include "support/ElementSetSources.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ranges>
#include <thread>

namespace {

using namespace passes;

PassSearchRequest milanRequest(const std::vector<Record_TLE>& sets, double start)
{
    PassSearchRequest r;
    for (std::size_t i = 0; i < sets.size(); ++i)
        r.satellites.push_back({static_cast<int>(i + 1), sets[i], std::nullopt});
    r.startJd = start;
    r.endJd = start + 1.0;
    r.filters.minimumElevationDeg = 0;
    r.filters.applyAzimuth = false;
    r.observer.Latitudine_osservatore = 45.47f;
    r.observer.Longitudine_osservatore = 9.19f;
    r.observer.Quota_osservatore = 133.0f;
    r.options.Propagatore = 3;
    return r;
}

const PassSearchRequest& generatedRequest()
{
    static const PassSearchRequest r =
        milanRequest(testsets::generatedSets(10000), testsets::kGeneratedSearchStartJd);
    return r;
}

void runSearch(benchmark::State& state, const PassSearchRequest& request)
{
    const auto threads = static_cast<unsigned>(state.range(0));
    std::size_t passes = 0;
    RunSummary summary;
    for (auto _ : state)
        passes = searchAll(request, threads, &summary).size();
    state.counters["passes"] = static_cast<double>(passes);
    state.counters["sets"] = static_cast<double>(request.satellites.size());
    state.counters["skipped"] = static_cast<double>(summary.badSets + summary.geostationary);
}

void BM_PassSearch_Generated10000(benchmark::State& state)
{
    runSearch(state, generatedRequest());
}

void BM_PassSearch_Gpredict(benchmark::State& state)
{
    static const std::optional<std::vector<Record_TLE>> sets = testsets::gpredictSets();
    if (!sets) {
        state.SkipWithError("gpredict's satellites.dat is not installed");
        return;
    }
    static const PassSearchRequest request = milanRequest(*sets, testsets::kGpredictSearchStartJd);
    runSearch(state, request);
}

void BM_PassAccuracy_LowOrbits(benchmark::State& state)
{
    std::vector<Record_TLE> lowOrbits;
    for (const Record_TLE& set :
         generatedRequest().satellites |
             std::views::transform([](const SatelliteInput& s) { return s.lines; })) {
        if (set.Riga0.rfind("LEO", 0) == 0)
            lowOrbits.push_back(set);
        if (lowOrbits.size() == 1000)
            break;
    }
    const PassSearchRequest request = milanRequest(lowOrbits, testsets::kGeneratedSearchStartJd);
    densescan::EventErrors errors;
    for (auto _ : state)
        errors = densescan::compareWithDenseScan(lowOrbits, request, searchAll(request, 0));
    state.counters["passes_compared"] = errors.passesCompared;
    state.counters["riseset_median_s"] = densescan::percentile(errors.riseSetSeconds, 0.5);
    state.counters["riseset_p99_s"] = densescan::percentile(errors.riseSetSeconds, 0.99);
    state.counters["riseset_max_s"] = densescan::largest(errors.riseSetSeconds);
    state.counters["culm_p99_s"] = densescan::percentile(errors.culminationSeconds, 0.99);
    state.counters["culm_max_s"] = densescan::largest(errors.culminationSeconds);
    state.counters["culm_p99_deg"] = densescan::percentile(errors.culminationDeg, 0.99);
    state.counters["culm_max_deg"] = densescan::largest(errors.culminationDeg);
    state.counters["culm_misses"] = static_cast<double>(errors.culminationMisses.size());
}

/// From cancel() to the last worker joined, in the middle of a four-week search of 3,000
/// sets on two threads (what the pass window's Stop waits for, less its 50 ms poll).
void BM_PassSearch_StopTime(benchmark::State& state)
{
    static const PassSearchRequest request = [] {
        PassSearchRequest r =
            milanRequest(testsets::generatedSets(3000), testsets::kGeneratedSearchStartJd);
        r.endJd = r.startJd + 28.0;
        return r;
    }();
    double longestMs = 0;
    for (auto _ : state) {
        PassSearchRun run(request, 2);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const auto begin = std::chrono::steady_clock::now();
        run.cancel();
        run.wait();
        const std::chrono::duration<double> stop = std::chrono::steady_clock::now() - begin;
        state.SetIterationTime(stop.count());
        longestMs = std::max(longestMs, stop.count() * 1000.0);
    }
    state.counters["longest_ms"] = longestMs;
}

} // namespace

BENCHMARK(BM_PassSearch_Generated10000)
    ->Arg(1)
    ->Arg(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK(BM_PassSearch_Gpredict)
    ->Arg(1)
    ->Arg(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK(BM_PassAccuracy_LowOrbits)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_PassSearch_StopTime)->Unit(benchmark::kMillisecond)->Iterations(10)->UseManualTime();

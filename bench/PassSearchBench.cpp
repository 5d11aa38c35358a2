// The pass search over a whole element file: every pass above 0 degrees of 10,000 generated
// sets (low, navigation, geostationary, transfer and Molniya orbits) over 24 hours from Milan,
// the in-transit test off, on one thread and on every core; the same over gpredict's
// catalogue when it is installed. The accuracy benchmark compares the events of a few hundred
// low-orbit passes with a brute-force scan of the same observing state every 0.1 s and reports
// the median and worst differences as counters.

#include "core/ElementSet.h"
#include "core/mSat.h"
#include "predictions/engine/PassSearchEngine.h"
#include "support/ElementSetSources.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ranges>
#include <thread>

namespace {

using namespace passes;

constexpr double kSecond = 1.0 / 86400.0;

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

/// Elevation through the observing state the engine uses.
struct Elevation
{
    Elemento_satellite elements;
    mSat::SatellitePropagator propagator;
    const PassSearchRequest* request;
    double operator()(double t) const
    {
        return mSat::observingState(propagator, elements, request->observer, request->options, t,
                                    {}, 0)
            .valori.Elevazione;
    }
};

/// Events of the one pass found by a 0.1 s scan of [from, to]; false when not exactly one.
bool bruteForcePass(const Elevation& e, double from, double to, double& aos, double& top,
                    double& los)
{
    const double step = 0.1 * kSecond;
    double previous = e(from);
    double best = previous;
    int crossings = 0;
    top = from;
    for (double t = from + step; t <= to; t += step) {
        const double now = e(t);
        if ((previous > 0.0) != (now > 0.0)) {
            const double at = t - step + (0.0 - previous) / (now - previous) * step;
            (now > 0.0 ? aos : los) = at;
            ++crossings;
        }
        if (now > best) {
            best = now;
            top = t;
        }
        previous = now;
    }
    return crossings == 2;
}

void BM_PassAccuracy_LowOrbits(benchmark::State& state)
{
    std::vector<Record_TLE> lowOrbits;
    for (const Record_TLE& set :
         generatedRequest().satellites |
             std::views::transform([](const SatelliteInput& s) { return s.lines; })) {
        if (set.Riga0.rfind("LEO", 0) == 0)
            lowOrbits.push_back(set);
        if (lowOrbits.size() == 80)
            break;
    }
    const PassSearchRequest request = milanRequest(lowOrbits, testsets::kGeneratedSearchStartJd);
    std::vector<double> differences;
    int compared = 0;
    for (auto _ : state) {
        const std::vector<PassRow> rows = searchAll(request, 0);
        for (const PassRow& row : rows) {
            const FoundPass& p = row.pass;
            if (p.acquisition.julianDate <= request.startJd || p.loss.julianDate >= request.endJd)
                continue;
            const Record_TLE& set = lowOrbits[static_cast<std::size_t>(row.index - 1)];
            const Elevation e{
                mSat::parseElementSet(set.Riga0, set.Riga1, set.Riga2, {std::string()},
                                      {Record_TLE{}})
                    .elements,
                mSat::SatellitePropagator(mSat::toPropagationElements(
                                              mSat::parseElementSet(set.Riga0, set.Riga1, set.Riga2,
                                                                    {std::string()}, {Record_TLE{}})
                                                  .elements),
                                          mSat::PropagatorModel::Sgp4Sdp4),
                &request};
            double aos = 0, top = 0, los = 0;
            if (!bruteForcePass(e, p.acquisition.julianDate - 30 * kSecond,
                                p.loss.julianDate + 30 * kSecond, aos, top, los))
                continue;
            ++compared;
            for (double d : {p.acquisition.julianDate - aos, p.culmination.julianDate - top,
                             p.loss.julianDate - los})
                differences.push_back(std::fabs(d) / kSecond);
        }
    }
    std::sort(differences.begin(), differences.end());
    state.counters["passes_compared"] = compared;
    state.counters["median_s"] = differences.empty() ? 0 : differences[differences.size() / 2];
    state.counters["p99_s"] = differences.empty() ? 0 : differences[differences.size() * 99 / 100];
    state.counters["worst_s"] = differences.empty() ? 0 : differences.back();
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

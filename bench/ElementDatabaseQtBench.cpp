// Cost of the primary database with a large element file: reading 30,000 sets and listing
// them under the name key, listing them again under another key, and re-linking 200 active
// satellites to them. The window shows the listing as soon as the read ends, so read and list
// together are what the user waits for.

#include "common/catalogues.h"
#include "database/ActiveSatellites.h"
#include "database/ElementDatabase.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kSets = 30000;
constexpr double kNow = 2460400.5;
constexpr int kMagnitudeTableSize = 100000;

/// Line 1 and line 2 of a set, with values spread by a small linear congruential generator
/// so that each key orders the sets differently from the file.
Record_TLE syntheticSet(int k, unsigned& seed)
{
    const auto next = [&seed](unsigned range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    char line1[80];
    char line2[80];
    std::snprintf(line1, sizeof line1,
                  "1 %05dU %02u%03uA   24%03u.%08u  .00001000  00000-0  10000-3 0  9990", k,
                  next(100), next(999), 1 + next(365), next(100000000));
    std::snprintf(line2, sizeof line2,
                  "2 %05d %3u.%04u %3u.%04u %07u %3u.%04u %3u.%04u %2u.%08u%5u0", k, next(180),
                  next(10000), next(360), next(10000), next(9999999), next(360), next(10000),
                  next(360), next(10000), 1 + next(16), next(100000000), next(99999));
    return Record_TLE{"SATELLITE " + std::to_string(next(1000000)), line1, line2};
}

/// The 30,000-set file, written once for all benchmarks.
const QString& elementFilePath()
{
    static QTemporaryDir folder;
    static const QString path = [] {
        const QString file = folder.filePath(QStringLiteral("large.tle"));
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            return QString();
        unsigned seed = 1;
        for (int k = 1; k <= kSets; ++k) {
            const Record_TLE set = syntheticSet(k, seed);
            out.write((set.Riga0 + "\r\n" + set.Riga1 + "\r\n" + set.Riga2 + "\r\n").c_str());
        }
        return file;
    }();
    return path;
}

const std::vector<std::string>& magnitudes()
{
    static const std::vector<std::string> table = [] {
        std::vector<std::string> entries(kMagnitudeTableSize);
        for (std::size_t k = 0; k < entries.size(); k += 7)
            entries[k] = "5.5";
        return entries;
    }();
    return table;
}

void BM_ReadAndList30000Sets(benchmark::State& state)
{
    const QString& path = elementFilePath();
    for (auto _ : state) {
        std::vector<Record_TLE> records;
        ElementDatabase database(records, magnitudes());
        const ReadOutcome outcome = database.read(path, kNow);
        if (outcome.setsRead != kSets)
            state.SkipWithError("the element file was not read completely");
        benchmark::DoNotOptimize(database.rowText(database.rowCount() - 1));
    }
    state.SetItemsProcessed(state.iterations() * kSets);
}
BENCHMARK(BM_ReadAndList30000Sets)->Unit(benchmark::kMillisecond);

void BM_ListAgainUnderKey(benchmark::State& state)
{
    std::vector<Record_TLE> records;
    ElementDatabase database(records, magnitudes());
    (void)database.read(elementFilePath(), kNow);
    const SortKey key = *sortKeyFromIndex(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        database.setSortKey(key == SortKey::Name ? SortKey::CatalogueNumber : SortKey::Name);
        state.ResumeTiming();
        database.setSortKey(key);
        benchmark::DoNotOptimize(database.recordNumberAt(0));
    }
    state.SetItemsProcessed(state.iterations() * kSets);
}
BENCHMARK(BM_ListAgainUnderKey)->DenseRange(0, kSortKeyCount - 1)->Unit(benchmark::kMillisecond);

void BM_Relink200ActiveSatellites(benchmark::State& state)
{
    std::vector<Record_TLE> records;
    ElementDatabase database(records, magnitudes());
    (void)database.read(elementFilePath(), kNow);
    ActiveSatellites active([] { return true; });
    std::vector<Record_TLE> chosen;
    for (int r = 1; r <= kMaxActiveSatellites; ++r)
        chosen.push_back(database.record(r * (kSets / kMaxActiveSatellites)));
    (void)active.removeAll();
    (void)active.add(chosen);
    for (auto _ : state)
        benchmark::DoNotOptimize(active.relink(database.records(), true).found);
}
BENCHMARK(BM_Relink200ActiveSatellites)->Unit(benchmark::kMillisecond);

} // namespace

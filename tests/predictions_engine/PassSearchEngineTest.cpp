// The pass search on real and generated element sets: against a brute-force scan of the same
// observing state, with bad sets among good ones, on one thread and on many, and cancelled.

#include "predictions/engine/PassSearchEngine.h"
#include "support/RequiredData.h"

#include "core/ElementSet.h"
#include "core/mSat.h"
#include "predictions_engine/DenseScan.h"
#include "support/ElementSetSources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <system_error>
#include <thread>

namespace {

using namespace passes;

constexpr double kSecond = 1.0 / 86400.0; // [days]

Dati_osservatore milan()
{
    Dati_osservatore o;
    o.Nome_localita = "Milano";
    o.Latitudine_osservatore = 45.47f;
    o.Longitudine_osservatore = 9.19f;
    o.Quota_osservatore = 133.0f;
    o.Fuso_orario = 1.0f;
    return o;
}

PassSearchRequest requestFor(const std::vector<Record_TLE>& sets, double start, double days)
{
    PassSearchRequest r;
    for (std::size_t i = 0; i < sets.size(); ++i)
        r.satellites.push_back({static_cast<int>(i + 1), sets[i], std::nullopt});
    r.startJd = start;
    r.endJd = start + days;
    r.filters.minimumElevationDeg = 0;
    r.filters.applyAzimuth = false;
    r.observer = milan();
    r.options.Propagatore = 3; // SDP4 for the deep-space sets
    return r;
}

/// Elevation of a set at a Julian date through the same observing state the engine uses.
using Elevation = densescan::SetElevation;

struct BrutePass
{
    double aos, culmination, los, peakDeg;
};

/// Passes above `minimum` sampled every `step` days, crossings interpolated linearly.
std::vector<BrutePass> bruteForce(const Elevation& elevation, double from, double to, double step,
                                  double minimum)
{
    std::vector<BrutePass> out;
    double previousT = from;
    double previousE = elevation(from);
    bool above = previousE > minimum;
    BrutePass current{from, from, from, previousE};
    for (double t = from + step; t <= to; t += step) {
        const double e = elevation(t);
        const double crossing = previousT + (minimum - previousE) / (e - previousE) * step;
        if (!above && e > minimum) {
            above = true;
            current = {crossing, t, t, e};
        } else if (above && e <= minimum) {
            above = false;
            current.los = crossing;
            out.push_back(current);
        }
        if (above && e > current.peakDeg) {
            current.peakDeg = e;
            current.culmination = t;
        }
        previousT = t;
        previousE = e;
    }
    if (above) {
        current.los = to;
        out.push_back(current);
    }
    return out;
}

std::vector<Record_TLE> lowOrbitSets(const std::vector<Record_TLE>& sets, std::size_t count)
{
    std::vector<Record_TLE> out;
    for (const Record_TLE& set : sets) {
        const auto parsed =
            mSat::parseElementSet(set.Riga0, set.Riga1, set.Riga2, {std::string()}, {Record_TLE{}});
        if (parsed.status == mSat::Status::Ok && parsed.elements.Moto_medio > 11.0)
            out.push_back(set);
        if (out.size() == count)
            break;
    }
    return out;
}

TEST(PassSearchRealSets, AgreesWithABruteForceScanOfLowOrbits)
{
    const auto catalogue = testsets::gpredictSets();
    if (!catalogue)
        SKIP_OR_FAIL_WITHOUT_DATA("gpredict's satellites.dat is not installed");
    const std::vector<Record_TLE> sets = lowOrbitSets(*catalogue, 24);
    const PassSearchRequest request = requestFor(sets, testsets::kGpredictSearchStartJd, 1.0);
    const std::vector<PassRow> rows = searchAll(request, 4);
    ASSERT_GT(rows.size(), 50u);

    std::vector<double> differences;
    int missed = 0;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const Elevation elevation(sets[i], request);
        std::vector<const PassRow*> found;
        for (const PassRow& row : rows) {
            if (row.index == static_cast<int>(i + 1))
                found.push_back(&row);
        }
        // Every pass peaking 0.2 degrees or more above the minimum is found.
        for (const BrutePass& b :
             bruteForce(elevation, request.startJd, request.endJd, 2 * kSecond, 0.0)) {
            if (b.peakDeg < 0.2)
                continue;
            const bool listed = std::any_of(found.begin(), found.end(), [&](const PassRow* r) {
                return r->pass.acquisition.julianDate <= b.culmination &&
                       b.culmination <= r->pass.loss.julianDate;
            });
            missed += listed ? 0 : 1;
        }
        // Each pass found has its events where a 0.1 s scan puts them.
        for (const PassRow* r : found) {
            const FoundPass& p = r->pass;
            const std::vector<BrutePass> fine = bruteForce(
                elevation, std::max(request.startJd, p.acquisition.julianDate - 60 * kSecond),
                std::min(request.endJd, p.loss.julianDate + 60 * kSecond), 0.1 * kSecond, 0.0);
            ASSERT_EQ(fine.size(), 1u) << sets[i].Riga0;
            if (p.acquisition.julianDate > request.startJd)
                differences.push_back(std::fabs(p.acquisition.julianDate - fine[0].aos) / kSecond);
            if (p.loss.julianDate < request.endJd)
                differences.push_back(std::fabs(p.loss.julianDate - fine[0].los) / kSecond);
            differences.push_back(std::fabs(p.culmination.julianDate - fine[0].culmination) /
                                  kSecond);
        }
    }
    EXPECT_EQ(missed, 0);
    std::sort(differences.begin(), differences.end());
    const double p99 = differences[differences.size() * 99 / 100];
    EXPECT_LE(p99, 0.5) << "99th percentile of the event differences [s]";
}

/// Size of the generated catalogue the culmination check draws its low orbits from: a
/// subset in the normal run, a few thousand low orbits when QUORVANEL_FULL_CATALOGUE is set
/// (the test labelled "long").
int culminationCatalogueSize()
{
    const char* full = std::getenv("QUORVANEL_FULL_CATALOGUE");
    return full != nullptr && *full != '\0' && *full != '0' ? 5000 : 600;
}

TEST(PassSearchRealSets, CulminationIsThePeakOfADenseScan)
{
    std::vector<Record_TLE> lowOrbits;
    for (const Record_TLE& set : testsets::generatedSets(culminationCatalogueSize())) {
        if (set.Riga0.rfind("LEO", 0) == 0)
            lowOrbits.push_back(set);
    }
    const PassSearchRequest request = requestFor(lowOrbits, testsets::kGeneratedSearchStartJd, 1.0);
    const std::vector<PassRow> rows = searchAll(request, 4);
    const densescan::EventErrors errors = densescan::compareWithDenseScan(lowOrbits, request, rows);
    ASSERT_GT(errors.passesCompared, static_cast<int>(3 * lowOrbits.size()));
    // Within 0.1 s and 0.01 degrees of the highest point, never left on a coarse sample.
    EXPECT_EQ(errors.culminationsOnCoarseSamples, 0);
    EXPECT_TRUE(errors.culminationMisses.empty())
        << errors.culminationMisses.size() << " of " << errors.passesCompared
        << " passes, the first: " << errors.culminationMisses.front();
}

TEST(PassSearchRealSets, CulminationJustInsideAnEdgeIsThePeak)
{
    std::vector<Record_TLE> lowOrbits;
    for (const Record_TLE& set : testsets::generatedSets(60)) {
        if (set.Riga0.rfind("LEO", 0) == 0)
            lowOrbits.push_back(set);
    }
    lowOrbits.resize(std::min<std::size_t>(lowOrbits.size(), 6));
    const PassSearchRequest day = requestFor(lowOrbits, testsets::kGeneratedSearchStartJd, 1.0);
    const std::vector<PassRow> rows = searchAll(day, 2);
    ASSERT_GE(rows.size(), 6u);
    int compared = 0;
    for (std::size_t n = 0; n < rows.size(); n += rows.size() / 6) {
        const PassRow& row = rows[n];
        const FoundPass& whole = row.pass;
        if (whole.acquisition.julianDate <= day.startJd || whole.loss.julianDate >= day.endJd)
            continue;
        const std::vector<Record_TLE> one{lowOrbits[static_cast<std::size_t>(row.index - 1)]};
        const double peak = whole.culmination.julianDate;
        for (const double inset : {2.0, 4.0, 8.0}) {
            // The span starts just before the highest point, or ends just after it.
            for (const bool startCut : {true, false}) {
                SCOPED_TRACE(one[0].Riga0 + (startCut ? " after the start " : " before the end ")
                             + std::to_string(inset) + " s");
                const double start =
                    startCut ? peak - inset * kSecond : whole.acquisition.julianDate;
                const double end = startCut ? whole.loss.julianDate : peak + inset * kSecond;
                PassSearchRequest cut = requestFor(one, start, end - start);
                const std::vector<PassRow> found = searchAll(cut, 1);
                ASSERT_EQ(found.size(), 1u);
                const densescan::Peak reference =
                    densescan::highestPoint(Elevation(one[0], cut), start, end);
                const FoundPass& p = found[0].pass;
                EXPECT_NEAR(p.culmination.julianDate, reference.julianDate,
                            densescan::kCulminationToleranceSeconds * kSecond);
                EXPECT_NEAR(p.culmination.sky.elevationDeg, reference.elevationDeg,
                            densescan::kCulminationToleranceDeg);
                ++compared;
            }
        }
    }
    EXPECT_GE(compared, 24);
}

TEST(PassSearchRealSets, EccentricOrbitsNeitherMergeNorMissPasses)
{
    std::vector<Record_TLE> eccentric;
    for (const Record_TLE& set : testsets::generatedSets(400)) {
        if (set.Riga0.rfind("MOLNIYA", 0) == 0 || set.Riga0.rfind("GTO", 0) == 0)
            eccentric.push_back(set);
    }
    eccentric.resize(std::min<std::size_t>(eccentric.size(), 12));
    ASSERT_GE(eccentric.size(), 8u);
    const PassSearchRequest request = requestFor(eccentric, testsets::kGeneratedSearchStartJd, 3.0);
    RunSummary summary;
    const std::vector<PassRow> rows = searchAll(request, 4, &summary);
    ASSERT_EQ(summary.badSets, 0);
    for (std::size_t i = 0; i < eccentric.size(); ++i) {
        const Elevation elevation(eccentric[i], request);
        std::vector<BrutePass> brute =
            bruteForce(elevation, request.startJd, request.endJd, 5 * kSecond, 0.0);
        // Grazing passes below the promise are not counted either way.
        brute.erase(std::remove_if(brute.begin(), brute.end(),
                                   [](const BrutePass& b) { return b.peakDeg < 0.2; }),
                    brute.end());
        std::vector<const PassRow*> found;
        for (const PassRow& row : rows) {
            if (row.index == static_cast<int>(i + 1) &&
                row.pass.culmination.sky.elevationDeg >= 0.2)
                found.push_back(&row);
        }
        ASSERT_EQ(found.size(), brute.size()) << eccentric[i].Riga0;
        for (std::size_t k = 0; k < brute.size(); ++k) {
            EXPECT_NEAR(found[k]->pass.acquisition.julianDate, brute[k].aos, 10 * kSecond)
                << eccentric[i].Riga0 << " pass " << k;
            EXPECT_NEAR(found[k]->pass.loss.julianDate, brute[k].los, 10 * kSecond)
                << eccentric[i].Riga0 << " pass " << k;
        }
    }
}

TEST(PassSearchRealSets, BadSetsAreSkippedAndCounted)
{
    const Record_TLE malformed{"BROKEN", "1 99999U", "2 99999"};
    const Record_TLE noMotion = testsets::formatSet(90001, "NO MOTION", {});
    std::vector<Record_TLE> lowOrbits;
    for (const Record_TLE& set : testsets::generatedSets(50)) {
        if (set.Riga0.rfind("LEO", 0) == 0)
            lowOrbits.push_back(set);
    }
    const std::vector<Record_TLE> sets{lowOrbits[0], malformed, noMotion, lowOrbits[1],
                                       lowOrbits[2]};
    RunSummary summary;
    const std::vector<PassRow> rows =
        searchAll(requestFor(sets, testsets::kGeneratedSearchStartJd, 1.0), 2, &summary);
    EXPECT_EQ(summary.badSets, 2);
    EXPECT_EQ(summary.searched, 5);
    EXPECT_FALSE(summary.cancelled);
    ASSERT_FALSE(rows.empty());
    for (const PassRow& row : rows)
        EXPECT_TRUE(row.index == 1 || row.index == 4 || row.index == 5) << row.index;
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), [](const PassRow& a, const PassRow& b) {
        return a.index < b.index;
    }));
    EXPECT_EQ(rows.front().elementLines.Riga1, lowOrbits[0].Riga1);
    EXPECT_EQ(rows.front().catalogueNumber, lowOrbits[0].Riga1.substr(2, 5));
}

TEST(PassSearchRealSets, GeostationarySkippedNavigationSearched)
{
    testsets::GeneratedElements geo;
    geo.revsPerDay = 1.00273;
    geo.eccentricity = 0.0002;
    geo.raanDeg = 80;
    geo.epochDay = 10.5;
    testsets::GeneratedElements gps;
    gps.revsPerDay = 2.00563;
    gps.eccentricity = 0.005;
    gps.inclinationDeg = 55;
    gps.epochDay = 10.5;
    const std::vector<Record_TLE> sets{testsets::formatSet(1, "GEO", geo),
                                       testsets::formatSet(2, "NAVIGATION", gps)};
    RunSummary summary;
    const std::vector<PassRow> rows =
        searchAll(requestFor(sets, testsets::kGeneratedSearchStartJd, 2.0), 1, &summary);
    EXPECT_EQ(summary.geostationary, 1);
    ASSERT_FALSE(rows.empty());
    for (const PassRow& row : rows) {
        EXPECT_EQ(row.index, 2);
        // A navigation pass lasts hours; the bounded widening reaches its rise and set.
        EXPECT_GT(row.pass.loss.julianDate - row.pass.acquisition.julianDate, 1.0 / 24.0);
    }
}

bool sameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

TEST(PassSearchRun, OneThreadAndManyGiveTheSameRows)
{
    const std::vector<Record_TLE> sets = testsets::generatedSets(300);
    const PassSearchRequest request = requestFor(sets, testsets::kGeneratedSearchStartJd, 0.5);
    const std::vector<PassRow> one = searchAll(request, 1);
    const std::vector<PassRow> many = searchAll(request, 8);
    ASSERT_EQ(one.size(), many.size());
    ASSERT_GT(one.size(), 100u);
    for (std::size_t i = 0; i < one.size(); ++i) {
        EXPECT_EQ(one[i].index, many[i].index);
        EXPECT_TRUE(
            sameBits(one[i].pass.acquisition.julianDate, many[i].pass.acquisition.julianDate));
        EXPECT_TRUE(
            sameBits(one[i].pass.culmination.julianDate, many[i].pass.culmination.julianDate));
        EXPECT_TRUE(sameBits(one[i].pass.loss.julianDate, many[i].pass.loss.julianDate));
        EXPECT_TRUE(sameBits(one[i].pass.culmination.sky.elevationDeg,
                             many[i].pass.culmination.sky.elevationDeg));
    }
}

TEST(PassSearchRun, CancelStopsTheRunAndKeepsTheRowsFound)
{
    // Four weeks of 3,000 sets: minutes of work, so the cancel lands in the middle of it. How
    // fast the workers stop is measured by BM_PassSearch_StopTime.
    PassSearchRequest request =
        requestFor(testsets::generatedSets(3000), testsets::kGeneratedSearchStartJd, 28.0);
    PassSearchRun run(request, 2);
    std::vector<PassRow> rows;
    const auto begin = std::chrono::steady_clock::now();
    while (rows.empty() && std::chrono::steady_clock::now() - begin < std::chrono::seconds(60)) {
        std::vector<PassRow> more = run.takeReadyRows();
        rows.insert(rows.end(), more.begin(), more.end());
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_FALSE(rows.empty());
    run.cancel();
    run.wait();
    EXPECT_TRUE(run.finished());
    std::vector<PassRow> rest = run.takeReadyRows();
    rows.insert(rows.end(), rest.begin(), rest.end());
    const RunSummary summary = run.summary();
    EXPECT_TRUE(summary.cancelled);
    EXPECT_LT(summary.searched, 3000);
    EXPECT_EQ(static_cast<std::size_t>(summary.rows), rows.size());
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), [](const PassRow& a, const PassRow& b) {
        return a.index < b.index;
    }));
}

std::system_error noMoreThreads()
{
    return std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
}

TEST(PassSearchRun, ThreadsThatCannotStartLeaveTheSearchToThoseThatDid)
{
    const PassSearchRequest request =
        requestFor(testsets::generatedSets(80), testsets::kGeneratedSearchStartJd, 0.5);
    const std::vector<PassRow> expected = searchAll(request, 1);
    ASSERT_FALSE(expected.empty());
    for (int allowed : {1, 2}) {
        int attempts = 0;
        PassSearchRun run(request, 4, [&](std::function<void()> work) {
            if (++attempts > allowed)
                throw noMoreThreads();
            return std::thread(std::move(work));
        });
        run.wait();
        EXPECT_EQ(attempts, allowed + 1) << "no further start is tried after a failure";
        const std::vector<PassRow> rows = run.takeReadyRows();
        ASSERT_EQ(rows.size(), expected.size()) << allowed << " thread(s)";
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].index, expected[i].index);
            EXPECT_TRUE(sameBits(rows[i].pass.culmination.julianDate,
                                 expected[i].pass.culmination.julianDate));
        }
        const RunSummary summary = run.summary();
        EXPECT_EQ(summary.searched, 80);
        EXPECT_FALSE(summary.cancelled);
        EXPECT_FALSE(summary.unexpectedError);
    }
}

TEST(PassSearchRun, NoThreadAtAllEndsTheRunWithAnError)
{
    const PassSearchRequest request =
        requestFor(testsets::generatedSets(20), testsets::kGeneratedSearchStartJd, 0.5);
    const std::vector<ThreadStarter> starters{
        [](std::function<void()>) -> std::thread { throw noMoreThreads(); },
        [](std::function<void()>) { return std::thread(); }, // a thread that runs nothing
    };
    for (const ThreadStarter& starter : starters) {
        PassSearchRun run(request, 3, starter);
        EXPECT_TRUE(run.finished());
        run.wait();
        EXPECT_TRUE(run.takeReadyRows().empty());
        const RunSummary summary = run.summary();
        EXPECT_TRUE(summary.unexpectedError);
        EXPECT_EQ(summary.searched, 0);
        EXPECT_EQ(summary.rows, 0);
    }
}

} // namespace

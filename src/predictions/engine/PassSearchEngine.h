#pragma once
// The pass search over many satellites: each satellite is searched on a private copy of its
// element record and propagation state (never a program slot), so the satellites can be
// searched on worker threads. The rows are merged in the order the satellites were given, so
// a run on one thread and on many gives the same list.

#include "common/Elemento_satellite.h"
#include "common/Record_TLE.h"
#include "common/options.h"
#include "predictions/engine/PassScan.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace passes {

/// The filters of one search, as the window's boxes and the stored options give them.
struct PassFilters
{
    double minimumElevationDeg = 10;
    /// Culmination azimuth window, both ends excluded [degrees]; not applied when false.
    bool applyAzimuth = true;
    double azimuthMinDeg = 0;
    double azimuthMaxDeg = 360;
    /// Keep only passes visible at one of their three events (the azimuth is then ignored).
    bool visibleOnly = false;
    bool morning = true;
    bool afternoon = true;
};

/// One satellite to search: its three lines, and its parsed elements when it already has a
/// slot (otherwise the lines are parsed with the magnitude table of the request).
struct SatelliteInput
{
    int index = 0; ///< database position (from 1) or slot number, carried into the rows
    Record_TLE lines;
    std::optional<Elemento_satellite> elements;
};

struct PassSearchRequest
{
    std::vector<SatelliteInput> satellites;
    double startJd = 0; ///< UT
    double endJd = 0;   ///< UT
    PassFilters filters;
    /// Search only the satellites above the horizon at the start.
    bool inTransitOnly = false;
    Dati_osservatore observer;
    Opzioni options;
    /// Standard magnitudes by catalogue number (Tabella_magnitudini), for parsing the lines.
    std::vector<std::string> magnitudes;
};

/// One kept pass: it carries its satellite's own element lines and catalogue number, so
/// what is done with it later acts on that satellite whatever the program's slots hold then.
struct PassRow
{
    int index = 0;
    std::string catalogueNumber;
    std::string name;
    Record_TLE elementLines;
    FoundPass pass;
    bool afternoon = false; ///< the culmination falls after 12:00:00 local time
};

/// Why a satellite gave no search.
enum class SatelliteSkip {
    None,
    BadElements,       ///< malformed lines or elements the propagators refuse
    Geostationary,     ///< within 0.001 rev/day of one revolution per sidereal day
    BelowHorizon,      ///< the in-transit test: below the horizon at the start
    ComputationFailed, ///< the propagation failed within the span (passes before it kept)
};

struct SatelliteOutcome
{
    std::vector<PassRow> rows;
    SatelliteSkip skip = SatelliteSkip::None;
    int failedPasses = 0;
    bool cancelled = false;
    bool unexpectedError = false;
};

/// Totals of a run, for the one closing message.
struct RunSummary
{
    int searched = 0; ///< satellites finished (searched or skipped)
    int rows = 0;
    int badSets = 0; ///< skipped as BadElements or ComputationFailed
    int geostationary = 0;
    int failedPasses = 0;
    bool cancelled = false;
    bool unexpectedError = false; ///< a satellite's search ended in an error of the program
};

/// Whether a pass passes the filters. Local time is UT plus the observer's zone and
/// daylight-saving hours.
[[nodiscard]] bool keepPass(const FoundPass& pass, const PassFilters& filters,
                            const Dati_osservatore& observer, bool& afternoon);

/// Searches one satellite: skip rules, scan, filters. Thread-safe: reads only its arguments.
[[nodiscard]] SatelliteOutcome searchSatellite(const SatelliteInput& satellite,
                                               const PassSearchRequest& request,
                                               const std::atomic<bool>* cancel = nullptr);

/// Starts a thread running the given work; throws (std::system_error) when the system cannot
/// start one.
using ThreadStarter = std::function<std::thread(std::function<void()>)>;

/// A search run on a pool of worker threads. Rows become available satellite by satellite in
/// the order of the request. cancel() is looked at by each worker between satellites and,
/// within a satellite, once per coarse step and per widening step out of a culmination; a
/// minimiser or root search already under way runs to its end (at most 50 evaluations), so a
/// worker stops after finishing at most one coarse step's searches. BM_PassSearch_StopTime
/// measures how long that takes.
class PassSearchRun
{
public:
    /// threadCount 0: one per core. When fewer threads start than asked, the run goes on with
    /// those that did; when none starts, it ends at once, every satellite unsearched, and its
    /// summary reports an unexpected error. `startThread` empty: std::thread.
    PassSearchRun(PassSearchRequest request, unsigned threadCount = 0,
                  const ThreadStarter& startThread = {});
    ~PassSearchRun();
    PassSearchRun(const PassSearchRun&) = delete;
    PassSearchRun& operator=(const PassSearchRun&) = delete;

    void cancel();
    [[nodiscard]] bool finished() const;
    /// Blocks until every worker has stopped.
    void wait();
    [[nodiscard]] std::size_t satelliteCount() const;
    [[nodiscard]] std::size_t satellitesDone() const;
    /// The rows of the satellites finished since the last call, in request order (a
    /// satellite's rows wait for the satellites before it).
    [[nodiscard]] std::vector<PassRow> takeReadyRows();
    /// Totals over the satellites delivered so far by takeReadyRows.
    [[nodiscard]] RunSummary summary() const;

private:
    void startWorkers(std::size_t count, const ThreadStarter& startThread);
    void work();

    PassSearchRequest m_request;
    std::vector<SatelliteOutcome> m_outcomes;
    std::unique_ptr<std::atomic<bool>[]> m_done;
    std::atomic<std::size_t> m_next{0};
    std::atomic<std::size_t> m_finishedCount{0};
    std::atomic<unsigned> m_running{0};
    std::atomic<bool> m_cancel{false};
    std::size_t m_delivered = 0;
    RunSummary m_summary;
    mutable std::mutex m_mutex;
    std::vector<std::thread> m_workers;
};

/// Runs a whole search on `threadCount` workers (0: one per core) and returns every row.
[[nodiscard]] std::vector<PassRow> searchAll(const PassSearchRequest& request, unsigned threadCount,
                                             RunSummary* summary = nullptr);

} // namespace passes

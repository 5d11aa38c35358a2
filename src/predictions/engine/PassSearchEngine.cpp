#include "predictions/engine/PassSearchEngine.h"

#include "core/DateValue.h"
#include "core/ElementSet.h"
#include "core/mAstro.h"
#include "core/mSat.h"

#include <cmath>

namespace passes {
namespace {

/// Mean motion of a geostationary satellite [rev/day] and how close counts as one.
constexpr double kGeostationaryRevsPerDay = 1.0027;
constexpr double kGeostationaryTolerance = 0.001;
constexpr int kNoonSeconds = 12 * 3600;

bool isGeostationary(const Elemento_satellite& elements)
{
    return std::fabs(elements.Moto_medio - kGeostationaryRevsPerDay) < kGeostationaryTolerance;
}

/// The observing state of one satellite on its own propagator: the private counterpart of a
/// program slot, with its own previous record for the fields a failed statement keeps.
class SatelliteSky
{
public:
    SatelliteSky(const Elemento_satellite& elements, const PassSearchRequest& request)
        : m_elements(elements), m_request(request),
          m_propagator(mSat::toPropagationElements(elements),
                       mSat::propagatorModel(request.options.Propagatore))
    {
    }

    [[nodiscard]] bool usable() const { return m_propagator.status() == mSat::Status::Ok; }

    std::optional<SkySample> operator()(double julianDate)
    {
        const mSat::ObservingResult r =
            mSat::observingState(m_propagator, m_elements, m_request.observer, m_request.options,
                                 julianDate, m_previous, m_previousSun);
        if (r.status != mSat::Status::Ok)
            return std::nullopt;
        m_previous = r.valori;
        m_previousSun = r.sunElevationDeg;
        SkySample s;
        s.elevationDeg = r.valori.Elevazione;
        s.azimuthDeg = r.valori.Azimut;
        s.status = r.valori.Stato;
        s.magnitude = r.valori.Magnitudine;
        s.sunElevationDeg = r.sunElevationDeg;
        s.rangeKm = r.valori.Distanza;
        return s;
    }

private:
    const Elemento_satellite& m_elements;
    const PassSearchRequest& m_request;
    mSat::SatellitePropagator m_propagator;
    Posizione_satellite m_previous;
    double m_previousSun = 0;
};

std::optional<Elemento_satellite> elementsOf(const SatelliteInput& satellite,
                                             const PassSearchRequest& request)
{
    if (satellite.elements)
        return mSat::validateElements(*satellite.elements) == mSat::Status::Ok ? satellite.elements
                                                                               : std::nullopt;
    static const std::vector<Record_TLE> noFrequencies(1);
    const mSat::ParsedElementSet parsed =
        mSat::parseElementSet(satellite.lines.Riga0, satellite.lines.Riga1, satellite.lines.Riga2,
                              request.magnitudes, noFrequencies);
    if (parsed.status != mSat::Status::Ok)
        return std::nullopt;
    return parsed.elements;
}

} // namespace

bool keepPass(const FoundPass& pass, const PassFilters& filters, const Dati_osservatore& observer,
              bool& afternoon)
{
    const double local = DateValue::addMinutes(
        mAstro::utDateFromJulian(pass.culmination.julianDate), mAstro::zoneOffsetMinutes(observer));
    const DateValue::Parts parts = DateValue::split(local);
    afternoon = parts.hour * 3600 + parts.minute * 60 + parts.second > kNoonSeconds;
    if (!(afternoon ? filters.afternoon : filters.morning))
        return false;
    if (filters.visibleOnly) {
        return pass.acquisition.sky.status == kStatoVisibile ||
               pass.culmination.sky.status == kStatoVisibile ||
               pass.loss.sky.status == kStatoVisibile;
    }
    if (!filters.applyAzimuth)
        return true;
    const double azimuth = pass.culmination.sky.azimuthDeg;
    return filters.azimuthMinDeg < azimuth && azimuth < filters.azimuthMaxDeg;
}

SatelliteOutcome searchSatellite(const SatelliteInput& satellite, const PassSearchRequest& request,
                                 const std::atomic<bool>* cancel)
{
    SatelliteOutcome outcome;
    const std::optional<Elemento_satellite> elements = elementsOf(satellite, request);
    if (!elements) {
        outcome.skip = SatelliteSkip::BadElements;
        return outcome;
    }
    if (isGeostationary(*elements)) {
        outcome.skip = SatelliteSkip::Geostationary;
        return outcome;
    }
    SatelliteSky sky(*elements, request);
    if (!sky.usable()) {
        outcome.skip = SatelliteSkip::BadElements;
        return outcome;
    }
    if (request.inTransitOnly) {
        const std::optional<SkySample> start = sky(request.startJd);
        if (!start) {
            outcome.skip = SatelliteSkip::ComputationFailed;
            return outcome;
        }
        if (start->elevationDeg < 0.0) {
            outcome.skip = SatelliteSkip::BelowHorizon;
            return outcome;
        }
    }

    ScanParameters parameters;
    parameters.startJd = request.startJd;
    parameters.endJd = request.endJd;
    parameters.stepDays = coarseStepDays(elements->Moto_medio, elements->Eccentricita);
    parameters.periodDays = 1.0 / elements->Moto_medio;
    parameters.minimumElevationDeg = request.filters.minimumElevationDeg;
    const SkySampler sampler = [&sky](double t) { return sky(t); };
    const ScanOutcome scan = scanPasses(sampler, parameters, cancel);

    outcome.failedPasses = scan.failedPasses;
    outcome.cancelled = scan.cancelled;
    if (scan.computationFailed)
        outcome.skip = SatelliteSkip::ComputationFailed;
    for (const FoundPass& pass : scan.passes) {
        PassRow row;
        if (!keepPass(pass, request.filters, request.observer, row.afternoon))
            continue;
        row.index = satellite.index;
        row.catalogueNumber = elements->Numero_catalogo;
        row.name = elements->Nome_satellite;
        row.elementLines = satellite.lines;
        row.pass = pass;
        outcome.rows.push_back(std::move(row));
    }
    return outcome;
}

PassSearchRun::PassSearchRun(PassSearchRequest request, unsigned threadCount,
                             const ThreadStarter& startThread)
    : m_request(std::move(request)), m_outcomes(m_request.satellites.size()),
      m_done(new std::atomic<bool>[m_request.satellites.size()])
{
    for (std::size_t i = 0; i < m_outcomes.size(); ++i)
        m_done[i].store(false);
    if (threadCount == 0)
        threadCount = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t count =
        std::min<std::size_t>(threadCount, std::max<std::size_t>(1, m_outcomes.size()));
    m_workers.reserve(count); // so that keeping a started thread cannot throw
    startWorkers(count, startThread);
}

void PassSearchRun::startWorkers(std::size_t count, const ThreadStarter& startThread)
{
    // Counted as running before any starts, so the run does not look finished meanwhile.
    m_running.store(static_cast<unsigned>(count));
    std::size_t started = 0;
    try {
        for (; started < count; ++started) {
            if (!startThread) {
                m_workers.emplace_back([this] { work(); });
                continue;
            }
            std::thread worker = startThread([this] { work(); });
            if (!worker.joinable())
                break; // nothing runs the work: counted as not started
            m_workers.push_back(std::move(worker));
        }
    } catch (...) {
        // Handled below: the workers already started share the satellites among them.
    }
    if (started == count)
        return;
    m_running.fetch_sub(static_cast<unsigned>(count - started), std::memory_order_acq_rel);
    if (started == 0)
        m_summary.unexpectedError = true; // nothing will be searched: the run ends here
}

PassSearchRun::~PassSearchRun()
{
    cancel();
    wait();
}

void PassSearchRun::work()
{
    while (!m_cancel.load(std::memory_order_relaxed)) {
        const std::size_t i = m_next.fetch_add(1);
        if (i >= m_outcomes.size())
            break;
        try {
            m_outcomes[i] = searchSatellite(m_request.satellites[i], m_request, &m_cancel);
        } catch (...) {
            // Contained: this satellite is counted as not searched, the others go on.
            m_outcomes[i] = SatelliteOutcome{};
            m_outcomes[i].skip = SatelliteSkip::ComputationFailed;
            m_outcomes[i].unexpectedError = true;
        }
        m_done[i].store(true, std::memory_order_release);
        m_finishedCount.fetch_add(1);
    }
    m_running.fetch_sub(1, std::memory_order_acq_rel);
}

void PassSearchRun::cancel()
{
    m_cancel.store(true);
}

bool PassSearchRun::finished() const
{
    return m_running.load(std::memory_order_acquire) == 0;
}

void PassSearchRun::wait()
{
    for (std::thread& worker : m_workers) {
        if (worker.joinable())
            worker.join();
    }
}

std::size_t PassSearchRun::satelliteCount() const
{
    return m_outcomes.size();
}

std::size_t PassSearchRun::satellitesDone() const
{
    return m_finishedCount.load();
}

std::vector<PassRow> PassSearchRun::takeReadyRows()
{
    const bool allStopped = finished();
    std::lock_guard lock(m_mutex);
    std::vector<PassRow> rows;
    while (m_delivered < m_outcomes.size()) {
        if (!m_done[m_delivered].load(std::memory_order_acquire)) {
            if (!allStopped)
                break;
            // Cancelled before this satellite was searched: nothing to deliver.
            m_summary.cancelled = true;
            ++m_delivered;
            continue;
        }
        SatelliteOutcome& outcome = m_outcomes[m_delivered++];
        ++m_summary.searched;
        m_summary.rows += static_cast<int>(outcome.rows.size());
        m_summary.failedPasses += outcome.failedPasses;
        m_summary.cancelled = m_summary.cancelled || outcome.cancelled;
        m_summary.unexpectedError = m_summary.unexpectedError || outcome.unexpectedError;
        if (outcome.skip == SatelliteSkip::BadElements ||
            outcome.skip == SatelliteSkip::ComputationFailed)
            ++m_summary.badSets;
        if (outcome.skip == SatelliteSkip::Geostationary)
            ++m_summary.geostationary;
        for (PassRow& row : outcome.rows)
            rows.push_back(std::move(row));
        outcome.rows.clear();
        outcome.rows.shrink_to_fit();
    }
    return rows;
}

RunSummary PassSearchRun::summary() const
{
    std::lock_guard lock(m_mutex);
    return m_summary;
}

std::vector<PassRow> searchAll(const PassSearchRequest& request, unsigned threadCount,
                               RunSummary* summary)
{
    PassSearchRun run(request, threadCount);
    run.wait();
    std::vector<PassRow> rows = run.takeReadyRows();
    if (summary != nullptr)
        *summary = run.summary();
    return rows;
}

} // namespace passes

#include "predictions/ListingEngine.h"

#include <algorithm>
#include <cassert>
#include <limits>

namespace {

/// Grid instants computed together when a row is asked for: enough that scrolling a page or
/// saving in order recomputes each instant once, few enough to be quick.
constexpr std::int64_t kBlockInstants = 512;
/// Blocks kept: the page shown, its neighbours, and a saved file being written.
constexpr std::size_t kBlocksKept = 4;

} // namespace

SatelliteTrack::SatelliteTrack(const Elemento_satellite& elements,
                               const Dati_osservatore& observer, const Opzioni& options)
    : m_elements(elements)
    , m_observer(observer)
    , m_options(options)
    , m_propagator(mSat::toPropagationElements(elements),
                   mSat::propagatorModel(options.Propagatore))
{
}

SatelliteSample SatelliteTrack::at(double localDate, const SatelliteSample* previous) const
{
    static const SatelliteSample kNothingBefore{};
    const SatelliteSample& before = previous != nullptr ? *previous : kNothingBefore;
    SatelliteSample sample;
    sample.time = mAstro::timeStateAt(localDate, m_observer);
    const mSat::ObservingResult result =
        mSat::observingState(m_propagator, m_elements, m_observer, m_options,
                             sample.time.Data_giuliana, before.valori, before.sunElevationDeg);
    sample.status = result.status;
    sample.valori = result.valori;
    sample.eci = result.eci;
    sample.sunElevationDeg = result.sunElevationDeg;
    return sample;
}

TrackSet::TrackSet(std::vector<SatelliteTrack> tracks) : m_tracks(std::move(tracks))
{
    assert(!m_tracks.empty() && m_tracks.size() <= ListingSamples{}.of.size());
}

const SatelliteTrack& TrackSet::track(int index) const
{
    return m_tracks.at(static_cast<std::size_t>(index));
}

ListingSamples TrackSet::at(double localDate, const ListingSamples* previous) const
{
    ListingSamples samples;
    for (std::size_t k = 0; k < m_tracks.size(); ++k)
        samples.of[k] = m_tracks[k].at(localDate, previous != nullptr ? &previous->of[k] : nullptr);
    return samples;
}

mSat::Status TrackSet::failure(const ListingSamples& samples) const
{
    for (std::size_t k = 0; k < m_tracks.size(); ++k) {
        if (samples.of[k].status != mSat::Status::Ok)
            return samples.of[k].status;
    }
    return mSat::Status::Ok;
}

bool TrackSet::decayed(const ListingSamples& samples) const
{
    for (std::size_t k = 0; k < m_tracks.size(); ++k) {
        if (samples.of[k].valori.Quota < kDecayHeightKm)
            return true;
    }
    return false;
}

std::int64_t ListingRows::rowCount() const
{
    return filtered ? static_cast<std::int64_t>(keptInstants.size()) : instantsComputed;
}

std::int64_t ListingRows::instantOfRow(std::int64_t row) const
{
    return filtered ? keptInstants[static_cast<std::size_t>(row)] : row;
}

ListingRows runListing(const TrackSet& tracks, const ListingGrid& grid, const RowFilter& keep,
                       const RunProgress& progress)
{
    ListingRows rows;
    rows.grid = grid;
    rows.filtered = static_cast<bool>(keep);
    // The kept instants are stored as 32-bit indices: far more than any span the dialogs offer.
    const std::int64_t instants =
        std::min<std::int64_t>(grid.rowCount, std::numeric_limits<std::uint32_t>::max());
    std::optional<ListingSamples> previous;
    for (std::int64_t k = 0; k < instants; ++k) {
        ListingSamples samples = tracks.at(grid.rowDate(k), previous ? &*previous : nullptr);
        if (const mSat::Status failure = tracks.failure(samples); failure != mSat::Status::Ok) {
            rows.end = ListingEnd::Failed;
            rows.failure = failure;
            return rows;
        }
        rows.instantsComputed = k + 1;
        if (rows.filtered && keep(samples))
            rows.keptInstants.push_back(static_cast<std::uint32_t>(k));
        if (tracks.decayed(samples)) {
            rows.end = ListingEnd::Decayed;
            return rows;
        }
        if (progress && !progress(k + 1)) {
            rows.end = k + 1 < instants ? ListingEnd::Stopped : ListingEnd::Completed;
            return rows;
        }
        previous = std::move(samples);
    }
    return rows;
}

SampleCache::SampleCache(std::shared_ptr<const TrackSet> tracks, ListingRows rows)
    : m_tracks(std::move(tracks)), m_rows(std::move(rows))
{
}

double SampleCache::rowDate(std::int64_t row) const
{
    return m_rows.grid.rowDate(m_rows.instantOfRow(row));
}

const ListingSamples& SampleCache::samples(std::int64_t row) const
{
    const std::int64_t instant = m_rows.instantOfRow(row);
    const Block& block = blockHolding(instant);
    return block.samples[static_cast<std::size_t>(instant - block.first)];
}

const SampleCache::Block& SampleCache::blockHolding(std::int64_t instant) const
{
    const std::int64_t first = instant - instant % kBlockInstants;
    const auto found = std::find_if(m_blocks.begin(), m_blocks.end(),
                                    [first](const Block& b) { return b.first == first; });
    if (found != m_blocks.end()) {
        std::rotate(found, found + 1, m_blocks.end());
        return m_blocks.back();
    }
    Block block;
    block.first = first;
    const std::int64_t last = std::min(first + kBlockInstants, m_rows.instantsComputed);
    block.samples.reserve(static_cast<std::size_t>(last - first));
    // The instant before the block stands in for the one the run computed before it, so the
    // fields a failing statement leaves as they were read the same.
    std::optional<ListingSamples> beforeBlock;
    if (first > 0)
        beforeBlock = m_tracks->at(m_rows.grid.rowDate(first - 1), nullptr);
    const ListingSamples* previous = beforeBlock ? &*beforeBlock : nullptr;
    for (std::int64_t k = first; k < last; ++k) {
        block.samples.push_back(m_tracks->at(m_rows.grid.rowDate(k), previous));
        previous = &block.samples.back(); // reserved above: the element stays where it is
    }
    if (m_blocks.size() >= kBlocksKept)
        m_blocks.erase(m_blocks.begin());
    m_blocks.push_back(std::move(block));
    return m_blocks.back();
}

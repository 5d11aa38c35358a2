#pragma once
// The computation behind the ephemeris and relative-motion listings, without widgets.
//
// A listing works on private records: each satellite's own parsed elements and propagator, and
// the observer and options as they stood when the listing was asked for. Nothing of the shared
// slots, the shared time state or the propagator's module variables is read or written, so a
// second listing started while one runs (both yield to the event loop) cannot change the
// satellite under the first, and the tick's satellites are not disturbed.
//
// A run walks the grid once, in order, to find where the listing ends (the span's end, a stop
// request, a decayed satellite or a numeric failure) and, when rows are filtered, which grid
// instants are kept. The rows are not stored: SampleCache computes them again on demand, a
// block of consecutive instants at a time, so a listing of millions of rows costs little memory.

#include "common/Elemento_satellite.h"
#include "common/Posizione_satellite.h"
#include "common/options.h"
#include "core/mAstro.h"
#include "core/mSat.h"
#include "predictions/ListingGrid.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

/// Height under which a satellite counts as decayed and its listing ends [km].
inline constexpr double kDecayHeightKm = 98.0;

/// One satellite at one instant.
struct SatelliteSample
{
    mSat::Status status = mSat::Status::Ok;
    Posizione_satellite valori;
    mSat::StateVector eci;       ///< inertial state [km, km/s]
    double sunElevationDeg = 0;  ///< the Sun's elevation at the observer [degrees]
    mAstro::TimeState time;      ///< the time state of the instant (sidereal time for RAD)
};

/// One satellite computed on its own records.
class SatelliteTrack
{
public:
    SatelliteTrack(const Elemento_satellite& elements, const Dati_osservatore& observer,
                   const Opzioni& options);

    /// Ok, or why the element set cannot be propagated.
    [[nodiscard]] mSat::Status status() const { return m_propagator.status(); }

    /// The satellite at a local instant. A field whose arithmetic fails after the look angles
    /// keeps its value of `previous` (the instant before), as the slot computation does.
    [[nodiscard]] SatelliteSample at(double localDate, const SatelliteSample* previous) const;

    [[nodiscard]] const Elemento_satellite& elements() const { return m_elements; }
    [[nodiscard]] const Dati_osservatore& observer() const { return m_observer; }

private:
    Elemento_satellite m_elements;
    Dati_osservatore m_observer;
    Opzioni m_options;
    mSat::SatellitePropagator m_propagator;
};

/// The one or two satellites of a listing at one instant (index 0 satellite A).
struct ListingSamples
{
    std::array<SatelliteSample, 2> of{};
};

/// The satellites of a listing.
class TrackSet
{
public:
    explicit TrackSet(std::vector<SatelliteTrack> tracks);

    [[nodiscard]] int count() const { return static_cast<int>(m_tracks.size()); }
    [[nodiscard]] const SatelliteTrack& track(int index) const;
    [[nodiscard]] ListingSamples at(double localDate, const ListingSamples* previous) const;
    /// The first failure among the satellites' samples, or Ok.
    [[nodiscard]] mSat::Status failure(const ListingSamples& samples) const;
    /// True when a satellite has fallen below kDecayHeightKm.
    [[nodiscard]] bool decayed(const ListingSamples& samples) const;

private:
    std::vector<SatelliteTrack> m_tracks;
};

/// How a listing run ended.
enum class ListingEnd {
    Completed, ///< every instant of the grid was computed
    Stopped,   ///< the user asked to stop; the rows before stay
    Decayed,   ///< a satellite fell below kDecayHeightKm; its row is the last
    Failed,    ///< a computation failed; the rows before stay
};

/// Keeps a row or leaves it out (the observer listing of rows above the horizon only).
using RowFilter = std::function<bool(const ListingSamples&)>;

/// Told after every grid instant with the instants done; returns false to stop.
using RunProgress = std::function<bool(std::int64_t instantsDone)>;

/// The rows a run made: the grid instants listed, in order.
struct ListingRows
{
    ListingGrid grid;
    std::int64_t instantsComputed = 0; ///< grid instants up to and including the last row
    /// The grid index of each row when rows were filtered; empty means row k is instant k.
    std::vector<std::uint32_t> keptInstants;
    bool filtered = false;
    ListingEnd end = ListingEnd::Completed;
    mSat::Status failure = mSat::Status::Ok;

    [[nodiscard]] std::int64_t rowCount() const;
    [[nodiscard]] std::int64_t instantOfRow(std::int64_t row) const;
};

/// Walks the grid: computes every instant in order until the end, a stop, a decay (the row of
/// that instant included) or a failure (its row left out).
[[nodiscard]] ListingRows runListing(const TrackSet& tracks, const ListingGrid& grid,
                                     const RowFilter& keep, const RunProgress& progress);

/// The samples of a listing's rows, computed again when asked for, a block of consecutive
/// grid instants at a time; the last few blocks are kept.
class SampleCache
{
public:
    SampleCache(std::shared_ptr<const TrackSet> tracks, ListingRows rows);

    [[nodiscard]] std::int64_t rowCount() const { return m_rows.rowCount(); }
    [[nodiscard]] const ListingRows& rows() const { return m_rows; }
    [[nodiscard]] const TrackSet& tracks() const { return *m_tracks; }
    /// The samples of row `row` (0 <= row < rowCount()), valid until the next call.
    [[nodiscard]] const ListingSamples& samples(std::int64_t row) const;
    /// The local date value of row `row`.
    [[nodiscard]] double rowDate(std::int64_t row) const;

private:
    struct Block
    {
        std::int64_t first = -1;
        std::vector<ListingSamples> samples;
    };
    const Block& blockHolding(std::int64_t instant) const;

    std::shared_ptr<const TrackSet> m_tracks;
    ListingRows m_rows;
    mutable std::vector<Block> m_blocks; // most recently used last
};

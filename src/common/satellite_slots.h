#pragma once
// The satellite slots: three parallel arrays indexed by slot number, 1-based.
// Slot 1 is the principal satellite, 2..Numero_satelliti the other active ones,
// 201 and 202 scratch slots for one-off computations and swaps.
// Written by the element parser, the tick and the one-off computations of the principal
// (Valori), and the active-list commands; used on the user-interface thread only.
// The computed states (Valori) are read by the tick, which copies them into the tracking
// model's snapshot for the windows, by the main window's commands that look at the
// principal and by mMate's pass-event search in a slot. The elements and lines (Satelement, RigaDati) are read directly by the windows
// and commands that act on one satellite (data, channel and track windows, the world map's
// ground track, the database commands); the pass search copies them into its request.

#include "common/Elemento_satellite.h"
#include "common/Posizione_satellite.h"
#include "common/Record_TLE.h"

#include <array>
#include <cassert>
#include <cstdint>

inline constexpr int kPrincipalSlot = 1;
/// At most this many satellites are active: the working set, the active list and the tick.
inline constexpr int kMaxActiveSatellites = 200;
/// The active slots run from the principal's to this one.
inline constexpr int kLastActiveSlot = kPrincipalSlot + kMaxActiveSatellites - 1;
inline constexpr int kFirstScratchSlot = 201;
inline constexpr int kSecondScratchSlot = 202;
inline constexpr int kLastSlot = 202;

template <typename T> class SlotArray
{
public:
    T& operator[](int slot)
    {
        assert(isSlot(slot));
        return m_items[static_cast<std::size_t>(slot)];
    }
    const T& operator[](int slot) const
    {
        assert(isSlot(slot));
        return m_items[static_cast<std::size_t>(slot)];
    }
    static constexpr bool isSlot(int slot) { return slot >= 1 && slot <= kLastSlot; }

private:
    std::array<T, kLastSlot + 1> m_items{}; // index 0 unused: slots count from 1
};

inline SlotArray<Record_TLE> RigaDati;           ///< element-set lines of each slot
inline SlotArray<Elemento_satellite> Satelement; ///< parsed elements of each slot
inline SlotArray<Posizione_satellite> Valori;    ///< computed state of each slot
inline std::int16_t Numero_satelliti = 0;        ///< number of active slots (at most 200)

#pragma once
// The gates of the one-second tracking tick and the flags that long computations share
// with it. The gates, the flags, the slots and the time state are used on the user-interface
// thread only: the pass search's worker threads work on the copies their request carries and
// touch none of them. Re-entrancy happens while a computation on that thread yields to the
// message loop (a listing, a pass chart, a database load, a mouse drag on a chart); the gates
// are what keep the tick away from the slots and the time state meanwhile.

#include <cassert>
#include <functional>

/// One gate of the tick. It is open when its owner has it enabled and no computation holds
/// it. The owner's switch (the main window at start-up, the time window's Stop, Play and
/// real-time box for the clock gate) and the holds of computations are kept apart, so a
/// computation that ends gives back exactly what it found: nested work does not reopen the
/// tick early, and a clock the user stopped stays stopped.
class TickGate
{
public:
    [[nodiscard]] bool isOpen() const noexcept { return m_enabled && m_holds == 0; }
    explicit operator bool() const noexcept { return isOpen(); }

    /// The owner's switch; not touched by computations.
    void setEnabled(bool enabled) noexcept { m_enabled = enabled; }
    [[nodiscard]] bool isEnabled() const noexcept { return m_enabled; }

    /// Number of computations holding the gate closed now.
    [[nodiscard]] int holdCount() const noexcept { return m_holds; }

    /// Called when the last hold ends, so that what waited for the gate (the tick's
    /// publication of a stopped clock) is done then rather than at the next timer event.
    /// One listener; an empty function removes it. It runs inside the holder's destructor,
    /// so it only schedules the work; what it throws is dropped.
    void setOnReleased(std::function<void()> listener) { m_onReleased = std::move(listener); }

private:
    friend class TickPause;
    void hold() noexcept { ++m_holds; }
    void release() noexcept
    {
        assert(m_holds > 0);
        if (m_holds > 0)
            --m_holds;
        if (m_holds == 0 && m_onReleased) {
            try {
                m_onReleased();
            } catch (...) {
                // The holder is being destroyed; the next timer event does the work instead.
            }
        }
    }

    bool m_enabled = false; // closed until start-up has loaded everything
    int m_holds = 0;
    std::function<void()> m_onReleased;
};

/// Holds a gate closed for its lifetime. A long computation keeps one on the stack (or, when
/// the work spans several events such as a mouse drag, in a std::optional member), so an
/// early return, a Cancel or an exception cannot leave the tick frozen or reopen it early.
class TickPause
{
public:
    explicit TickPause(TickGate& gate) noexcept : m_gate(gate) { m_gate.hold(); }
    ~TickPause() { m_gate.release(); }
    TickPause(const TickPause&) = delete;
    TickPause& operator=(const TickPause&) = delete;
    TickPause(TickPause&&) = delete;
    TickPause& operator=(TickPause&&) = delete;

private:
    TickGate& m_gate;
};

/// Gate of the whole tick: while closed the program clock stands still. Enabled by start-up
/// and by the time window (real time, Play), disabled by the time window (Stop, real time
/// unticked); held by the pass search, the listings and the pass chart's drawing.
inline TickGate pflgCentrale;

/// Gate of the satellite part of the tick: while closed no satellite is computed or drawn.
/// Enabled by start-up; held by the chart redraws, database loading, the pass search, the
/// listings and the mouse drags on the sky charts.
inline TickGate pflgSatellite;

/// True while a pass search runs; the tick then removes no decayed satellite. Written by the
/// pass search, read by the tick.
inline bool pflgRicerca = false;

/// Stop request: set by the progress window's Cancel, tested and reset by the long
/// computations once per step.
inline bool pflgArresta = false;

/// Set by the download when it replaced the primary database's file; read and reset by the
/// main window's download command.
inline bool pflgSostituzione = false;

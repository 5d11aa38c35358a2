#pragma once
// The one-second tracking tick: advances the program clock, recomputes every active
// satellite, removes a decayed one, recomputes the Sun, the Moon and the planets, and
// publishes what it computed into the tracking model. The windows (time window, status bar,
// maps, tables) subscribe to the model and draw their own layers; the tick addresses none of
// them. Each step is one short function.

#include "core/mSat.h"
#include "tracking/TrackingModel.h"

#include <QObject>

#include <vector>

class ProgramClock;

/// What the tick needs of the main window that runs it.
class TickHost
{
public:
    virtual ~TickHost() = default;
    /// Removes the satellite of a slot as decayed (Azzera).
    virtual void removeDecayedSatellite(int slot) = 0;
    /// A slot whose position could not be computed; it keeps its previous state.
    virtual void reportUncomputableSatellite(int slot, mSat::Status status) = 0;
};

/// Perigee height below which a satellite counts as decayed [km].
inline constexpr double kDecayPerigeeKm = 98.0;

/// Ticks that reach the satellite part between two full redraws of the world map: the redraw
/// falls on every 61st such tick.
inline constexpr int kTicksBetweenMapRedraws = 60;

class TrackingTick
{
public:
    TrackingTick(TickHost& host, const ProgramClock& clock,
                 TrackingModel& model = TrackingModel::instance());
    ~TrackingTick();
    TrackingTick(const TrackingTick&) = delete;
    TrackingTick& operator=(const TrackingTick&) = delete;

    /// One tick (the timer's handler).
    void run();

    /// The program clock jumped (TrackingModel::clockJumped): the next publication carries
    /// clockJumped, so the charts redraw for the new instant. A clock the user stopped gets no
    /// further tick, so that publication is made at once, at the stopped instant.
    void clockJumped();

    /// Something the tick computes changed without the clock moving: another principal,
    /// satellites added or removed, another observer, options or the principal's radio channel.
    /// A running clock shows it at its next tick; on a clock the user stopped no tick comes, so
    /// the standing instant is computed and published again at once.
    void stateChanged();

    /// Ticks counted towards the next full redraw of the world map.
    [[nodiscard]] int redrawCounter() const { return m_redrawCounter; }

private:
    /// Computes and publishes the state at Data_attuale, the clock as it stands.
    void publishPresentInstant();
    /// On a clock the user stopped: publishes the standing instant again, now when nothing
    /// holds the clock or the satellites and no publication is under way, otherwise as soon
    /// as the hold or the publication ends.
    void republishStoppedClock();
    /// A gate's last hold ended: a publication kept for it is made from the event loop.
    void holdEnded();
    void advanceProgramClock();
    void countTowardsFullRedraw();
    /// False when a decayed satellite was removed: the tick ends there.
    bool computeActiveSatellites();
    void copySatellitesInto(TickSnapshot& snapshot) const;
    void addPrincipalTexts(TickSnapshot& snapshot) const;
    void keepLastSatellitesIn(TickSnapshot& snapshot) const;
    static void computeBodies();

    [[nodiscard]] bool computedThisTick(int slot) const;

    TickHost& m_host;
    const ProgramClock& m_clock;
    TrackingModel& m_model;
    int m_redrawCounter = 0;
    bool m_clockJumped = false; // a jump not yet published
    bool m_republishDue = false; // a stopped clock's change not yet published
    bool m_publishing = false;
    std::vector<bool> m_failed; // by slot: no fresh state in this tick
    QObject m_deferred;         // context of the publications scheduled when a hold ends
};

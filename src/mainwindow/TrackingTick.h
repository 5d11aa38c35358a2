#pragma once
// The one-second tracking tick: advances the program clock, recomputes every active
// satellite, removes a decayed one, pushes the principal satellite's numbers to the live
// windows that are loaded, writes the status-bar clock, and recomputes the Sun, the Moon and
// the planets for the time window and the planets table. Each step is one short function; the
// tick computes, the windows only read.

#include "core/mSat.h"
#include "tracking/TickTexts.h"

#include <QString>

#include <vector>

class ProgramClock;

/// What the tick needs of the main window that runs it.
class TickHost
{
public:
    virtual ~TickHost() = default;
    /// The time window's real-time box; reading it makes the time window (hidden) when it is
    /// not loaded, whose load ticks the box.
    virtual bool realTimeSelected() = 0;
    virtual void refreshTimeWindow() = 0;
    /// Writes panel 1 of the status bar.
    virtual void showClockText(const QString& text) = 0;
    /// The check mark of a menu item of the main window.
    [[nodiscard]] virtual bool menuItemChecked(const QString& item) const = 0;
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
    TrackingTick(TickHost& host, const ProgramClock& clock);

    /// One tick (the timer's handler).
    void run();

    /// Ticks counted towards the next full redraw of the world map.
    [[nodiscard]] int redrawCounter() const { return m_redrawCounter; }

private:
    void advanceProgramClock();
    void countTowardsFullRedraw();
    /// False when a decayed satellite was removed: the tick ends there.
    bool computeActiveSatellites();
    void pushPrincipalToLiveWindows();
    void drawSatellitesOnWorldMap(const PrincipalTexts& texts);
    void drawSatellitesOnLocalSky(const PrincipalTexts& texts);
    void refreshTrackingTable();
    void writeStatusBarClock();
    void computeBodiesAndRefreshTables();

    [[nodiscard]] bool computedThisTick(int slot) const;

    TickHost& m_host;
    const ProgramClock& m_clock;
    int m_redrawCounter = 0;
    std::vector<bool> m_failed; // by slot: no fresh state in this tick
};

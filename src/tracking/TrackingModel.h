#pragma once
// The program's live state as one observable model: the clock mode, what the one-second tick
// computed (time, every active satellite, the principal's texts), and the display options of
// each kind of chart window. The tick and the commands write it; the windows subscribe to its
// signals and paint their own layers from it. No widget here.
//
// Everything runs on the user-interface thread. A window reads the snapshot of the last tick,
// never the satellite slots that the tick or a long computation may be changing.

#include "tracking/DisplayOptions.h"
#include "tracking/TickTexts.h"

#include "common/Posizione_satellite.h"

#include <QObject>

#include <string>
#include <vector>

/// Whether the program clock follows the computer's clock or runs as a simulation.
enum class ClockMode { Real, Simulated };

/// The kinds of chart window that take commands from the main window's menus.
enum class ChartKind { WorldMap, LocalSky, GeneralSky, PassChart };

/// A command of a chart's pop-up menu that is not a display option: the chart of that kind
/// (the active one, for the pass charts) carries it out.
enum class ChartCommand {
    Redraw,      ///< full redraw (mnu*RidisegnaMappa)
    RestoreView, ///< whole view again after a zoom (mnu*Ripristina)
    Print,       ///< printout (mnu*Stampa)
    Close,       ///< unload the window (mnu*Chiudi)
};

/// One active satellite as the last tick left it.
struct TrackedSatellite
{
    int slot = 0;                ///< 1 = principal
    std::string name;            ///< Nome_satellite
    std::string catalogueNumber; ///< Numero_catalogo
    Posizione_satellite state;   ///< copy of Valori(slot) after the tick
    bool fresh = false;          ///< computed in this tick; false: kept its previous state
};

/// What one tick computed, copied once so that every window reads the same values.
struct TickSnapshot
{
    mAstro::TimeState time;                  ///< the time state of the tick
    std::vector<TrackedSatellite> satellites; ///< slot order, principal first; empty: no principal
    bool hasPrincipal = false;
    PrincipalTexts principal;                ///< the principal's data-box texts (hasPrincipal)
    std::uint64_t serial = 0;                ///< counts published ticks
};

class TrackingModel : public QObject
{
    Q_OBJECT

public:
    /// The program's one model.
    static TrackingModel& instance();

    [[nodiscard]] ClockMode clockMode() const { return m_clockMode; }
    void setClockMode(ClockMode mode);

    /// The state the last tick published.
    [[nodiscard]] const TickSnapshot& snapshot() const { return m_snapshot; }
    /// The tick's publication: stores the snapshot and signals ticked().
    void publishTick(TickSnapshot snapshot);
    /// The tick's every 61st satellite tick: signals worldMapRedrawDue().
    void announceWorldMapRedraw();

    [[nodiscard]] const WorldMapDisplay& worldMap() const { return m_worldMap; }
    void setWorldMap(const WorldMapDisplay& options);
    [[nodiscard]] const LocalSkyDisplay& localSky() const { return m_localSky; }
    void setLocalSky(const LocalSkyDisplay& options);
    [[nodiscard]] const GeneralSkyDisplay& generalSky() const { return m_generalSky; }
    void setGeneralSky(const GeneralSkyDisplay& options);

    /// Slot of the satellite last picked on the world map (0: none); the world map writes it,
    /// the map menu's remove command reads it.
    [[nodiscard]] int worldMapPick() const { return m_worldMapPick; }
    void setWorldMapPick(int slot);

    /// Asks the chart of a kind to carry out a menu command (signals chartCommand()).
    void requestChartCommand(ChartKind chart, ChartCommand command);

    /// The observer or the stored options changed (location and options dialogs).
    void notifyObserverChanged();
    /// The active satellites or the principal changed (active list, removal, make principal).
    void notifyActiveSetChanged();

    /// Back to the state at start (tests).
    void reset();

signals:
    void clockModeChanged(ClockMode mode);
    /// Once per tick, after the snapshot was stored.
    void ticked();
    void worldMapRedrawDue();
    /// Once per change of a chart kind's options; `previous` is the record before it.
    void worldMapChanged(const WorldMapDisplay& previous);
    void localSkyChanged(const LocalSkyDisplay& previous);
    void generalSkyChanged(const GeneralSkyDisplay& previous);
    void worldMapPickChanged(int slot);
    void chartCommand(ChartKind chart, ChartCommand command);
    void observerChanged();
    void activeSetChanged();

private:
    TrackingModel() = default;

    ClockMode m_clockMode = ClockMode::Real;
    TickSnapshot m_snapshot;
    WorldMapDisplay m_worldMap;
    LocalSkyDisplay m_localSky;
    GeneralSkyDisplay m_generalSky;
    int m_worldMapPick = 0;
};

#pragma once
// The program's live state as one observable model: the clock mode, what the one-second tick
// computed (time, every active satellite, the principal's texts), and the display options of
// each kind of chart window. The tick and the commands write it; the windows subscribe to its
// signals and paint their own layers from it. No widget here.
//
// The model lives on the user-interface thread. A window reads the satellites' computed
// states from the snapshot of the last tick, never from Valori, which the tick and the
// one-off computations of the principal rewrite; a window that acts on one satellite reads
// that slot's elements (Satelement) directly.

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
/// carries it out (the pass charts take theirs through PassChartControl).
enum class ChartCommand {
    /// Full redraw (mnu*RidisegnaMappa): the world map's Genera_mappa; the local sky computes
    /// the principal's pass track anew when transitoPrincipale is set (the command emptied
    /// Punti_transito and Etichette_transito before) and regenerates (tmrLocalSky_Timer);
    /// the whole sky runs tmrGeneralSky_Timer.
    Redraw,
    /// Whole view again after a zoom (mnu*Ripristina): clear the chart, the full view bounds
    /// (kLocalSkyFullView, kGeneralSkyFullView), Genera_mappa. The command has already set
    /// zoom and zoomed (and the local sky's tempi) false.
    RestoreView,
    Print, ///< printout (mnu*Stampa)
    Close, ///< the window unloads itself (mnu*Chiudi)
};

/*
 * What a chart window does when its options change (the *Changed signals give the record
 * before the change; compare it with the model's record):
 * - World map: projection: the chart's coordinate system, tag and caption, then the full
 *   redraw that the Earth menu's command asks for. griglia or tracciatoOrbita turned on: draw that
 * layer over the current map (Disegna_griglia, Disegna_orbita); turned off: Genera_mappa.
 * nomeCitta, sole, terminatore, ombra: Genera_mappa. riquadroDati: data box width 1935 twips or 0,
 * then Form_Resize. coordinateMouse: on, the cross pointer; off, the default pointer and the
 *   caption "mapparettangolare" or "mappaortografica". datiSatellite and cerchioVisibilita are
 *   read when the map draws and handles the mouse: nothing to do.
 * - Local sky: griglia, paesaggio, oggetti*, etichette*: Genera_mappa. riquadroDati: as the
 *   world map. transitoPrincipale on: computePrincipalTransit (skycharts/TransitTrack.h) and
 *   draw its legs, then the landscape over them; off: Genera_mappa. The cursor follows zoom
 *   (zoom cursor), tempi (time-label cursor), otherwise the normal one. proiezioneStereo and
 *   orientamento are followed by a Redraw command; coordinateOrizzontali and soloPrincipale
 *   are read when needed.
 * - Whole sky: griglia, oggetti*, etichette*: Genera_mappa; zoom: the cursor.
 * Every chart draws the satellites of snapshot() on ticked(); the world map also redraws in
 * full on worldMapRedrawDue() and on principalChanged(). A snapshot with clockJumped set
 * redraws every chart in full (the local sky computes its pass track anew when it shows one).
 */

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
    mAstro::TimeState time;                   ///< the time state of the tick
    std::vector<TrackedSatellite> satellites; ///< slot order, principal first; empty: no principal
    bool hasPrincipal = false;
    PrincipalTexts principal; ///< the principal's data-box texts (hasPrincipal)
    std::uint64_t serial = 0; ///< counts published ticks
    /// The satellite part of the tick ran (the gate pflgSatellite was open): the tracking
    /// table refreshes only then. False: `satellites` are those of the last tick that
    /// computed them, none of them fresh, and there are no principal's texts.
    bool satellitesUpdated = false;
    /// The first publication after the program clock jumped (notifyClockJumped): the charts
    /// redraw in full for this instant instead of waiting for their next regular redraw.
    bool clockJumped = false;
};

class TrackingModel : public QObject
{
    Q_OBJECT

public:
    /// The program's one model.
    static TrackingModel& instance();

    [[nodiscard]] ClockMode clockMode() const { return m_clockMode; }
    void setClockMode(ClockMode mode);
    /// The instant a simulation starts at (the time window's picker), a date value in the
    /// observer's time; 0 before one was chosen. Kept here so that it outlives the window.
    [[nodiscard]] double simulationStart() const { return m_simulationStart; }
    void setSimulationStart(double dateValue) { m_simulationStart = dateValue; }
    /// The program clock jumped: Start, Stop, the real-time box, a clock synchronisation.
    /// Signals clockJumped(); the tick then publishes the new instant with clockJumped set.
    void notifyClockJumped();

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
    /// The principal satellite (slot 1) is another one, or there is none any more; slot 1 has
    /// been computed at Data_giuliana when there is one. Told before notifyActiveSetChanged.
    /// The maps redraw (clearing chart and data box without a principal), the local sky drops
    /// the old principal's pass track.
    void notifyPrincipalChanged();
    /// The radio channel of the principal's data boxes (Canale_selezionato of the first row)
    /// is another one.
    void notifyPrincipalChannelChanged();

    /// Back to the state at start (tests).
    void reset();

signals:
    void clockModeChanged(ClockMode mode);
    void clockJumped();
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
    void principalChanged();
    void principalChannelChanged();

private:
    TrackingModel() = default;

    ClockMode m_clockMode = ClockMode::Real;
    double m_simulationStart = 0;
    TickSnapshot m_snapshot;
    WorldMapDisplay m_worldMap;
    LocalSkyDisplay m_localSky;
    GeneralSkyDisplay m_generalSky;
    int m_worldMapPick = 0;
};

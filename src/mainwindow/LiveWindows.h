#pragma once
// What the main window, its tick and its menus ask of the windows they feed: the live
// tracking windows (data bar, world map, local sky, tracking table), the whole-sky chart, the
// sky chart of a pass and the planets table. Each window class inherits the interface of its
// role; the main window finds the window by its object name among the loaded windows and
// addresses it only while it is loaded.
//
// The printable and savable windows are reached differently: File > Save and File > Print
// call the slots named "Salva" and "Stampa" of the active child window by name (declare them
// Q_INVOKABLE), and a window without them is left alone.

#include "tracking/TickTexts.h"

#include "services/WindowRegistry.h"
#include "services/mGlobal.h"

#include <QColor>
#include <QPointF>
#include <QString>

/// The principal satellite's data box of a live window: eighteen value labels (lblLatitude
/// to lblTrasm).
class PrincipalDataBox
{
public:
    virtual ~PrincipalDataBox() = default;
    /// Writes the eighteen labels.
    virtual void showPrincipalTexts(const PrincipalTexts& texts) = 0;
    /// The fourteen number labels show "0", magnitude and state an empty text (no principal).
    virtual void resetPrincipalTexts() = 0;
};

/// The mouse cursor a sky chart shows over its picture.
enum class ChartCursor {
    Normal,
    TimeLabel, ///< hanging time labels on the pass track
    Zoom,      ///< dragging a zoom box
};

/// The view bounds of a sky chart [chart units]: left, top, right and bottom edges.
struct ChartBounds
{
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
};

/// The world map's projection, with its tag text "Recta" or "Ortho".
enum class WorldMapProjection {
    Rectangular,
    Orthographic,
};

/// frmWorldMap.
class WorldMapWindow : public PrincipalDataBox
{
public:
    /// Full redraw: base picture, the layers the menu check marks choose, every satellite.
    virtual void Genera_mappa() = 0;
    /// Draws the satellite of one slot at its state in Valori.
    virtual void Disegna_satellite(int slot) = 0;
    /// The principal satellite's visibility circle.
    virtual void Disegna_visibilita() = 0;
    /// The coordinate grid over the current chart, kept on repaint.
    virtual void Disegna_griglia() = 0;
    /// The principal satellite's ground track over the current chart, kept on repaint.
    virtual void Disegna_orbita() = 0;
    /// Lays the window out again around its data box, then redraws.
    virtual void Form_Resize() = 0;
    /// Slot of the satellite last picked on the map (0: none).
    [[nodiscard]] virtual int mintSelezione() const = 0;
    /// Chooses the projection (chart coordinate system and tag).
    virtual void setProjection(WorldMapProjection projection) = 0;
    [[nodiscard]] virtual WorldMapProjection projection() const = 0;
    /// Shows or hides the principal satellite's data box.
    virtual void setDataBoxVisible(bool visible) = 0;
    /// The cross pointer over the chart (mouse coordinates on) or the default pointer.
    virtual void setCrossPointer(bool cross) = 0;
    /// Clears the chart picture.
    virtual void clearChart() = 0;
};

/// frmLocalSky.
class LocalSkyWindow : public PrincipalDataBox
{
public:
    virtual void Genera_mappa() = 0;
    /// The redraw timer's handler: regenerates the chart at once.
    virtual void tmrLocalSky_Timer() = 0;
    virtual void Disegna_satellite_in_cielo(int slot) = 0;
    /// The chart position of a direction (degrees) in the current projection and orientation.
    [[nodiscard]] virtual QPointF Mappatura(double azimuthDeg, double elevationDeg) const = 0;
    /// The landscape overlay over the chart.
    virtual void Disegna_terreno() = 0;
    virtual void Form_Resize() = 0;
    virtual void Stampa() = 0;
    /// Width of the chart in chart units (may be negative for a mirrored chart).
    [[nodiscard]] virtual double chartScaleWidth() const = 0;
    /// While on, what is drawn stays when the chart is repainted.
    virtual void setPersistentDrawing(bool on) = 0;
    /// A line of the pass track on the chart.
    virtual void drawTrackLine(QPointF from, QPointF to, const QColor& colour) = 0;
    /// A filled dot of the pass track; radius in chart units.
    virtual void drawTrackDot(QPointF centre, double radius, const QColor& colour) = 0;
    virtual void setChartCursor(ChartCursor cursor) = 0;
    virtual void clearChart() = 0;
    virtual void setDataBoxVisible(bool visible) = 0;
    virtual void setViewBounds(const ChartBounds& bounds, bool zoomed) = 0;
};

/// frmGeneralSky.
class GeneralSkyWindow
{
public:
    virtual ~GeneralSkyWindow() = default;
    virtual void Genera_mappa() = 0;
    virtual void tmrGeneralSky_Timer() = 0;
    virtual void setChartCursor(ChartCursor cursor) = 0;
    virtual void clearChart() = 0;
    virtual void setViewBounds(const ChartBounds& bounds) = 0;
};

/// frmSkySat, the sky chart of one pass. Its display switches carry the names of the
/// mnuSkySat items ("mnuSkySatGriglia" ... ).
class PassChartWindow
{
public:
    virtual ~PassChartWindow() = default;
    /// Sets the switch of the chart member "imp" + item.
    virtual void setDisplaySwitch(const QString& item, bool value) = 0;
    /// Redraws the chart; with newTrack the user's labels are cleared too.
    virtual void Genera_mappa(bool newTrack) = 0;
    virtual void Stampa() = 0;
};

/// frmTrack and frmPlanets: tables refreshed every second while open.
class LiveTableWindow
{
public:
    virtual ~LiveTableWindow() = default;
    virtual void Aggiorna_dati() = 0;
};

/// The loaded window of that name in the role asked for; null when it is not loaded (or
/// does not play that role). Loads nothing.
template <class Role> Role* loadedWindow(const QString& name)
{
    if (!mGlobal::Form_caricato(name))
        return nullptr;
    return dynamic_cast<Role*>(WindowRegistry::instance().find(name));
}

/// Names of the windows the main window feeds.
namespace windowNames {
inline const QString kTime = QStringLiteral("frmTime");
inline const QString kAbout = QStringLiteral("frmAbout");
inline const QString kLanguage = QStringLiteral("frmLanguage");
inline const QString kCalendar = QStringLiteral("frmCalendar");
inline const QString kFloating = QStringLiteral("frmFloating");
inline const QString kWorldMap = QStringLiteral("frmWorldMap");
inline const QString kLocalSky = QStringLiteral("frmLocalSky");
inline const QString kGeneralSky = QStringLiteral("frmGeneralSky");
inline const QString kSkySat = QStringLiteral("frmSkySat");
inline const QString kTrack = QStringLiteral("frmTrack");
inline const QString kPlanets = QStringLiteral("frmPlanets");
inline const QString kDatabase = QStringLiteral("frmDatabase");
inline const QString kSatellite = QStringLiteral("frmSatellite");
inline const QString kVisibleSatellites = QStringLiteral("frmVisibleSatellites");
inline const QString kCalc = QStringLiteral("frmCalc");
inline const QString kRelative = QStringLiteral("frmRelative");
inline const QString kRiseSet = QStringLiteral("frmRiseSet");
inline const QString kDetails = QStringLiteral("frmDetails");
inline const QString kFile = QStringLiteral("frmFile");
inline const QString kDownload = QStringLiteral("frmDownload");
inline const QString kSyncro = QStringLiteral("frmSyncro");
inline const QString kSettings = QStringLiteral("frmSettings");
inline const QString kLocation = QStringLiteral("frmLocation");
inline const QString kMagnitude = QStringLiteral("frmMagnitude");
} // namespace windowNames

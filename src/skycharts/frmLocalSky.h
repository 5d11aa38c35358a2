#pragma once
// The local sky map: the observer's sky as a round chart with the twilight background, the
// horizon and its azimuth labels, the grid, the constellations, the stars, the Sun, the Moon,
// the planets, the principal satellite's pass track with the user's time labels and the
// landscape; every active satellite moves on it each second. The chart is redrawn in full
// into an offscreen image every minute, after a resize and after every change of the local
// sky's display options (TrackingModel::localSky); the satellites lie on the picture box's
// temporary layer over it, painted from each tick's snapshot.

#include "skycharts/ChartWindowSize.h"
#include "skycharts/SkyChartGeometry.h"
#include "skycharts/SkyLayers.h"

#include "common/catalogues.h"
#include "common/gates.h"
#include "common/sky_tracks.h"
#include "tracking/TrackingModel.h"

#include <QPointF>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class PictureBox;
class QGroupBox;
class QLabel;
class QMenu;
class QTimer;

class frmLocalSky : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int gintNumStelle READ gintNumStelle WRITE setGintNumStelle)

public:
    /// The chart position of a direction (azimuth, elevation in degrees).
    using Projection = std::function<QPointF(double azimuthDeg, double elevationDeg)>;
    /// What the program supplies from its other parts.
    struct Hooks
    {
        /// The main window's local sky menu, popped up by the right button.
        QMenu* popupMenu = nullptr;
        /// Samples the principal satellite's pass from now (samples 1..n, element 0 unused).
        std::function<std::vector<Punto_traccia>(const Projection& project)> computeTransit;
        /// Reads the stars.bin record of a catalogue rank; nothing when it cannot be read.
        std::function<std::optional<Stella_catalogo>(int rank)> readStarRecord;
    };

    explicit frmLocalSky(Hooks hooks, QWidget* parent = nullptr);
    ~frmLocalSky() override;

    // --- public members other windows use ------------------------------------------------
    /// The view box of the chart [chart units]; a zoom box while gblnZoom.
    [[nodiscard]] skycharts::ViewBox viewBox() const { return m_view; }
    [[nodiscard]] bool gblnZoom() const { return m_zoomed; }
    [[nodiscard]] int gintNumStelle() const { return m_starCount; }
    void setGintNumStelle(int count);

    /// Full redraw of the chart.
    Q_INVOKABLE void Genera_mappa();
    /// The one-minute timer's work; other windows call it to force a redraw.
    Q_INVOKABLE void tmrLocalSky_Timer();
    /// The printout of the current sky on one page.
    Q_INVOKABLE void Stampa();
    /// The printout on the shared printer as it is set up, without a dialog. False when it
    /// could not be printed. The shared time state is at the present instant afterwards.
    bool printOnSharedPrinter();
    /// The satellites of the last tick on the temporary layer (the previous ones wiped).
    void Disegna_satellite_in_cielo();
    /// The chart position of a direction in the current projection and orientation.
    [[nodiscard]] QPointF Mappatura(double azimuthDeg, double elevationDeg) const;
    /// The direction of a chart point.
    [[nodiscard]] skycharts::HorizontalDirection Mappatura_inversa(QPointF chartPoint) const;

    /// Where the last full redraw put the stars, constellation lines and bodies.
    [[nodiscard]] const skycharts::SkyPositions& chartPositions() const { return m_positions; }
    /// What a left click at a chart point identifies (stars and bodies, the whole view), at the
    /// positions of this chart's last full redraw.
    [[nodiscard]] skycharts::SkyPick identifyAt(QPointF chartPoint) const;
    /// The caption's pointer readout for a chart point; empty below the horizon.
    [[nodiscard]] QString pointerReadout(QPointF chartPoint) const;
    /// The chart point of a position in the picture box [pixels].
    [[nodiscard]] QPointF chartPointAt(QPointF pixel) const;

    [[nodiscard]] bool hasLandscape() const { return m_landscape.hasPicture(); }
    [[nodiscard]] QImage chartImage() const;
    [[nodiscard]] QImage screenImage() const;
    [[nodiscard]] int redrawCount() const { return m_redraws; }
    /// The size of the last full drawing of the chart [pixels].
    [[nodiscard]] QSize drawnSize() const { return m_chart.size(); }

    PictureBox* Picture1 = nullptr;
    QGroupBox* fraSatellitePrincipale = nullptr;
    QTimer* tmrLocalSky = nullptr;

    /// The design size of the window, before it has one of its own.
    [[nodiscard]] QSize sizeHint() const override { return m_geometry.defaultSize(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Imposta_etichette();
    void drawChart(QSize size);
    void buildDataBox();
    void connectControls();
    void scheduleRedraw();
    void showPrincipalTexts();
    void applyDataBox();

    /// The satellites of each tick; after a jump of the clock the whole chart.
    void model_ticked();
    void model_localSkyChanged(const LocalSkyDisplay& previous);
    void model_chartCommand(ChartKind chart, ChartCommand command);
    void restoreView();
    void recomputeTransit();
    void dropTransitIfPrincipalDown();
    [[nodiscard]] bool principalAbove() const;
    void updateModel(const std::function<void(LocalSkyDisplay&)>& change);

    void Picture1_MouseDown(Qt::MouseButton button, QPointF chart, QPoint global);
    void Picture1_MouseMove(Qt::MouseButtons buttons, QPointF chart);
    void Picture1_MouseUp(Qt::MouseButton button, QPointF chart);
    void drawSatellite(const TrackedSatellite& satellite);

    Hooks m_hooks;
    skycharts::ViewBox m_view;
    bool m_zoomed = false;
    int m_starCount = 1639;
    skycharts::LandscapeOverlay m_landscape;
    skycharts::SkyBackgroundCache m_background;
    skycharts::SkyPositions m_positions;
    QImage m_chart;
    QString m_chartTime;
    QString m_titleText;
    QString m_localTimeText;
    QPointF m_zoomStart;
    int m_pickedPoint = 0;
    QPointF m_picked;
    std::optional<TickPause> m_dragPause;
    bool m_redrawPending = false;
    bool m_updatingModel = false;
    bool m_loaded = false;
    skycharts::ChartGeometry m_geometry;
    int m_redraws = 0;
    std::array<QLabel*, 18> m_captions{};
    std::array<QLabel*, 18> m_values{};
};

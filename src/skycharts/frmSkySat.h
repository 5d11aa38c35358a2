#pragma once
// The sky chart of one pass: a square window with the observer's sky at one instant of the
// pass and the satellite's track from rise to set, for use as a finder chart. Each chart is
// its own window with its own copy of the satellite and its own display options, so several
// can be open at once. The main window's pass-chart menu acts on the active chart through
// PassChartControl; the left button drags time labels off the track; the printout is a
// black-on-white page.

#include "skycharts/PassChartRequest.h"
#include "skycharts/PassChartTrack.h"
#include "skycharts/SkyLayers.h"

#include "common/sky_tracks.h"
#include "tracking/PassChartControl.h"
#include "tracking/TrackingModel.h"

#include <QImage>
#include <QPointF>
#include <QWidget>

#include <vector>

class PictureBox;
class QMenu;

class frmSkySat : public QWidget, public PassChartControl
{
    Q_OBJECT
    Q_PROPERTY(int gintNumStelle READ gintNumStelle WRITE setGintNumStelle)

public:
    /// A new chart for the request; `popupMenu` is the main window's pass-chart menu shown by
    /// the right button (none: no menu).
    explicit frmSkySat(const skycharts::PassChartRequest& request, QMenu* popupMenu = nullptr,
                       QWidget* parent = nullptr);
    ~frmSkySat() override;

    /// Makes and shows a chart: inside the document area when `parent` is one (or a window
    /// holding one), otherwise as a window of its own.
    static frmSkySat* open(const skycharts::PassChartRequest& request, QWidget* parent,
                           QMenu* popupMenu = nullptr);

    // --- PassChartControl ---------------------------------------------------------------
    [[nodiscard]] PassChartDisplay passChartDisplay() const override { return m_display; }
    void setPassChartDisplay(const PassChartDisplay& options) override;
    Q_INVOKABLE void Genera_mappa(bool arraynuovo) override;
    Q_INVOKABLE void Stampa() override;

    /// The printout on the shared printer as it is set up, without a dialog. False when it
    /// could not be printed. The shared time state is at the present instant afterwards.
    bool printOnSharedPrinter();

    [[nodiscard]] int gintNumStelle() const { return m_starCount; }
    void setGintNumStelle(int count);

    /// The chart's own copy of its satellite and pass.
    [[nodiscard]] const skycharts::PassChartRequest& request() const { return m_request; }
    [[nodiscard]] const skycharts::PassTrack& track() const { return m_track; }
    /// The user's labels, 1..m (element 0 unused), in azimuth and altitude [degrees].
    [[nodiscard]] const std::vector<Etichetta_traccia>& labels() const { return m_labels; }
    [[nodiscard]] bool hasLandscape() const { return m_landscape.hasPicture(); }
    [[nodiscard]] int redrawCount() const { return m_redraws; }
    /// The size of the last full drawing of the chart [pixels].
    [[nodiscard]] QSize drawnSize() const { return m_chart.size(); }
    [[nodiscard]] QImage chartImage() const;
    [[nodiscard]] QImage screenImage() const;
    /// The chart position of a direction in the chart's projection, and back.
    [[nodiscard]] skycharts::ChartPoint Proietta_altaz(double azimuthDeg, double altitudeDeg) const;
    [[nodiscard]] skycharts::HorizontalDirection Inverti_proiezione(skycharts::ChartPoint p) const;
    /// The chart point of a position in the picture box [pixels], and back.
    [[nodiscard]] QPointF chartPointAt(QPointF pixel) const;
    [[nodiscard]] QPointF pixelAt(QPointF chartPoint) const;

    PictureBox* Picture1 = nullptr;

    /// The design size of the window, before it has one of its own.
    [[nodiscard]] QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void layoutChart();
    void scheduleRedraw();
    void drawChart(QSize size);
    void model_chartCommand(ChartKind chart, ChartCommand command);
    [[nodiscard]] bool isActiveChart() const;

    void Picture1_MouseDown(Qt::MouseButton button, QPointF chart, QPoint global);
    void Picture1_MouseMove(Qt::MouseButtons buttons, QPointF chart);
    void Picture1_MouseUp(QPointF chart);
    void drawLabel(const Etichetta_traccia& label);

    skycharts::PassChartRequest m_request;
    QMenu* m_popupMenu = nullptr;
    PassChartDisplay m_display;
    int m_starCount = 1639;
    skycharts::PassTrack m_track;
    std::vector<Etichetta_traccia> m_labels{1};
    skycharts::LandscapeOverlay m_landscape;
    QImage m_chart;
    int m_pickedPoint = 0; ///< index of the track point a press picked, 0 for none
    bool m_menuWaits = false; ///< a right press on the track: the menu follows a release in place
    QPoint m_menuAt;          ///< where that press was on the screen
    QPointF m_pressedAt;      ///< and on the chart
    QPointF m_picked;      ///< its chart position
    bool m_redrawPending = false;
    bool m_loaded = false;
    int m_redraws = 0;
};

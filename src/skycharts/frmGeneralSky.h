#pragma once
// The whole-sky chart: the celestial sphere in right ascension and declination with the
// stars, the constellations, the Sun, the Moon and the planets. The chart is redrawn in full
// into an offscreen image every minute, after a resize, after a zoom and after every change of
// the whole sky's display options (TrackingModel::generalSky); the zoom rectangle lies on the
// picture box's temporary layer over it. The caption reads out the pointer's right ascension
// and declination; a click identifies the nearest star or body in the sky-object window.

#include "skycharts/ChartWindowSize.h"
#include "skycharts/GeneralSkyGeometry.h"

#include "common/catalogues.h"
#include "tracking/TrackingModel.h"

#include <QImage>
#include <QPointF>
#include <QWidget>

#include <functional>
#include <optional>

class PictureBox;
class QMenu;
class QTimer;

class frmGeneralSky : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int gintNumStelle READ gintNumStelle WRITE setGintNumStelle)

public:
    /// What the program supplies from its other parts.
    struct Hooks
    {
        /// The main window's whole-sky menu, popped up by the right button.
        QMenu* popupMenu = nullptr;
        /// Reads the stars.bin record of a catalogue rank; nothing when it cannot be read.
        std::function<std::optional<Stella_catalogo>(int rank)> readStarRecord;
    };

    explicit frmGeneralSky(Hooks hooks, QWidget* parent = nullptr);
    ~frmGeneralSky() override;

    // --- public members other windows use ------------------------------------------------
    /// The chart's scale corners [hours, degrees]: the whole sky, or the last zoom box.
    [[nodiscard]] skycharts::ViewBox viewBox() const { return m_view; }
    [[nodiscard]] int gintNumStelle() const { return m_starCount; }
    void setGintNumStelle(int count);

    /// Full redraw of the chart.
    Q_INVOKABLE void Genera_mappa();
    /// The one-minute timer's work; the main window calls it to force a redraw.
    Q_INVOKABLE void tmrGeneralSky_Timer();

    /// What a left click at a chart point identifies.
    [[nodiscard]] skycharts::SkyPick identifyAt(QPointF chartPoint) const;
    /// The caption's pointer readout for a chart point (right ascension and declination).
    [[nodiscard]] QString pointerReadout(QPointF chartPoint) const;
    /// The chart point of a position in the picture box [pixels].
    [[nodiscard]] QPointF chartPointAt(QPointF pixel) const;
    /// The chart's time text of the last redraw ("dd mmm yyyy hh:mm", local time).
    [[nodiscard]] QString chartTime() const { return m_chartTime; }

    [[nodiscard]] QImage chartImage() const;
    [[nodiscard]] QImage screenImage() const;
    [[nodiscard]] int redrawCount() const { return m_redraws; }
    /// The size of the last full drawing of the chart [pixels].
    [[nodiscard]] QSize drawnSize() const { return m_chart.size(); }

    PictureBox* Picture1 = nullptr;
    QTimer* tmrGeneralSky = nullptr;

    /// The design size of the window, before it has one of its own.
    [[nodiscard]] QSize sizeHint() const override { return m_geometry.defaultSize(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Imposta_lingua();
    void connectControls();
    void scheduleRedraw();
    [[nodiscard]] bool hasNothingToShow() const;
    void drawChart(QSize size);

    void model_generalSkyChanged(const GeneralSkyDisplay& previous);
    void model_chartCommand(ChartKind chart, ChartCommand command);
    void restoreView();
    void updateModel(const std::function<void(GeneralSkyDisplay&)>& change);

    void Picture1_MouseDown(Qt::MouseButton button, QPointF chart, QPoint global);
    void Picture1_MouseMove(Qt::MouseButtons buttons, QPointF chart);
    void Picture1_MouseUp(Qt::MouseButton button, QPointF chart);
    void finishZoom(QPointF release);

    Hooks m_hooks;
    skycharts::ViewBox m_view = skycharts::kWholeSkyView;
    int m_starCount = 5146;
    QImage m_chart;
    QString m_chartTime;
    QString m_titleText;
    QString m_localTimeText;
    QString m_rightAscensionText;
    QString m_declinationText;
    QPointF m_zoomStart;
    bool m_dragging = false;
    bool m_redrawPending = false;
    bool m_updatingModel = false;
    bool m_loaded = false;
    skycharts::ChartGeometry m_geometry;
    int m_redraws = 0;
};

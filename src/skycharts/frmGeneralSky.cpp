#include "skycharts/frmGeneralSky.h"

#include "skycharts/GeneralSkyChart.h"

#include "common/gates.h"
#include "common/options.h"
#include "common/program_time.h"
#include "core/DateValue.h"
#include "services/BusyCursor.h"
#include "services/DisplayFormat.h"
#include "services/PaintDeviceSurface.h"
#include "services/PictureBox.h"
#include "services/WindowRegistry.h"
#include "services/mLang.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QTimer>

namespace {

constexpr int kRedrawIntervalMs = 60000;
constexpr double kDefaultWidthTwips = 10665;
constexpr double kDefaultHeightTwips = 6870;

/// Stops a timer for its lifetime and starts it again when it goes, so the next period is
/// counted from the end of the work, whichever way the work ends.
class TimerPause
{
public:
    explicit TimerPause(QTimer& timer) : m_timer(timer) { m_timer.stop(); }
    ~TimerPause() { m_timer.start(); }
    TimerPause(const TimerPause&) = delete;
    TimerPause& operator=(const TimerPause&) = delete;

private:
    QTimer& m_timer;
};

/// The display options that change what the chart shows (not what the mouse does).
GeneralSkyDisplay drawnLayers(GeneralSkyDisplay display)
{
    display.zoom = false;
    display.zoomed = false;
    return display;
}

} // namespace

frmGeneralSky::frmGeneralSky(Hooks hooks, QWidget* parent)
    : QWidget(parent), m_hooks(std::move(hooks)),
      m_geometry(QStringLiteral("Cielo generale"), {kDefaultWidthTwips, kDefaultHeightTwips})
{
    setObjectName(QStringLiteral("frmGeneralSky"));
    Picture1 = new PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setBackColor(skycharts::kWholeSkyBackground);
    Picture1->setMouseTracking(true);
    Picture1->installEventFilter(this);
    tmrGeneralSky = new QTimer(this);
    tmrGeneralSky->setObjectName(QStringLiteral("tmrGeneralSky"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Picture1, 1);
    Form_Load();
    connectControls();
}

frmGeneralSky::~frmGeneralSky() = default;

void frmGeneralSky::Form_Load()
{
    Imposta_lingua();
    m_view = skycharts::kWholeSkyView;
    const GeneralSkyDisplay seeded =
        seededGeneralSky(TrackingModel::instance().generalSky(), Impostazioni);
    updateModel([&seeded](GeneralSkyDisplay& d) {
        d = seeded;
        d.zoom = false;
        d.zoomed = false;
    });
    setGintNumStelle(Impostazioni.Cielo_generale_stelle);
    Picture1->setCursor(Qt::ArrowCursor);
    tmrGeneralSky->setInterval(kRedrawIntervalMs);
    tmrGeneralSky->start();
    m_loaded = true;
}

void frmGeneralSky::Imposta_lingua()
{
    m_titleText = mLang::Testo_lingua(u"frmGeneralSky", u"mappagenerale");
    m_localTimeText = mLang::Testo_lingua(u"Def", u"oralocale");
    m_rightAscensionText = mLang::Testo_lingua(u"Def", u"ar");
    m_declinationText = mLang::Testo_lingua(u"Def", u"dec");
    setWindowTitle(m_titleText);
}

void frmGeneralSky::connectControls()
{
    connect(tmrGeneralSky, &QTimer::timeout, this, &frmGeneralSky::tmrGeneralSky_Timer);
    TrackingModel& model = TrackingModel::instance();
    connect(&model, &TrackingModel::generalSkyChanged, this,
            &frmGeneralSky::model_generalSkyChanged);
    connect(&model, &TrackingModel::chartCommand, this, &frmGeneralSky::model_chartCommand);
    // A new place or zone moves the Sun and the Moon and the local time of the caption.
    connect(&model, &TrackingModel::observerChanged, this, &frmGeneralSky::Genera_mappa);
    // The Sun, the Moon and the planets of the instant the clock jumped to, at once.
    connect(&model, &TrackingModel::ticked, this, [this] {
        if (TrackingModel::instance().snapshot().clockJumped)
            Genera_mappa();
    });
}

void frmGeneralSky::setGintNumStelle(int count)
{
    m_starCount = std::clamp(count, 0, kStarCount);
}

void frmGeneralSky::updateModel(const std::function<void(GeneralSkyDisplay&)>& change)
{
    TrackingModel& model = TrackingModel::instance();
    GeneralSkyDisplay display = model.generalSky();
    change(display);
    const bool wasUpdating = std::exchange(m_updatingModel, true);
    model.setGeneralSky(display);
    m_updatingModel = wasUpdating;
}

void frmGeneralSky::model_generalSkyChanged(const GeneralSkyDisplay& previous)
{
    if (m_updatingModel || !m_loaded)
        return;
    const GeneralSkyDisplay& now = TrackingModel::instance().generalSky();
    Picture1->setCursor(now.zoom ? Qt::CrossCursor : Qt::ArrowCursor);
    if (drawnLayers(now) != drawnLayers(previous))
        Genera_mappa();
}

void frmGeneralSky::model_chartCommand(ChartKind chart, ChartCommand command)
{
    if (chart != ChartKind::GeneralSky)
        return;
    switch (command) {
    case ChartCommand::Redraw:
        tmrGeneralSky_Timer();
        break;
    case ChartCommand::RestoreView:
        restoreView();
        break;
    case ChartCommand::Print:
        break; // the whole sky is not printed
    case ChartCommand::Close:
        WindowRegistry::instance().unload(this);
        break;
    }
}

void frmGeneralSky::restoreView()
{
    m_view = skycharts::kWholeSkyView;
    m_dragging = false;
    updateModel([](GeneralSkyDisplay& d) {
        d.zoom = false;
        d.zoomed = false;
    });
    Picture1->setCursor(Qt::ArrowCursor);
    Genera_mappa();
}

void frmGeneralSky::tmrGeneralSky_Timer()
{
    // The minute's redraw waits while a pass search runs: the search may have moved the
    // bodies to an instant of its own, and the next minute redraws the chart anyway.
    if (pflgRicerca)
        return;
    Genera_mappa();
}

void frmGeneralSky::scheduleRedraw()
{
    if (m_redrawPending)
        return;
    m_redrawPending = true;
    QTimer::singleShot(0, this, [this] {
        m_redrawPending = false;
        Genera_mappa();
    });
}

bool frmGeneralSky::hasNothingToShow() const
{
    const auto* frame = qobject_cast<const QMdiSubWindow*>(parentWidget());
    return !m_loaded || isMinimized() || (frame != nullptr && frame->isMinimized())
           || Picture1->size().isEmpty();
}

void frmGeneralSky::Genera_mappa()
{
    // Guard: a minimised or empty window has no size to scale a chart to; its next resize
    // draws the chart.
    if (hasNothingToShow())
        return;
    const TickPause pause(pflgSatellite);
    const TimerPause timer(*tmrGeneralSky);
    const BusyCursor busy;
    drawChart(Picture1->size());
}

void frmGeneralSky::drawChart(QSize size)
{
    m_chartTime = formatDate(DateValue::split(Data_attuale), u"dd mmm yyyy hh:mm");
    const skycharts::GeneralSkyScene scene = skycharts::generalSkyScene(
        TrackingModel::instance().generalSky(), Impostazioni, m_view, m_starCount);
    if (m_chart.size() != size)
        m_chart = QImage(size, QImage::Format_RGB32);
    m_chart.fill(skycharts::kWholeSkyBackground);
    {
        PaintDeviceSurface surface(m_chart);
        skycharts::drawGeneralSkyChart(surface, size, scene);
        surface.end();
    }
    Picture1->setAutoRedraw(true);
    Picture1->Cls();
    Picture1->drawImageAtDevicePixel(m_chart, QPoint(0, 0));
    Picture1->setAutoRedraw(false);
    Picture1->Scale(m_view.left, m_view.top, m_view.right, m_view.bottom);
    setWindowTitle(m_titleText + QStringLiteral(" - ") + m_chartTime + u' ' + m_localTimeText);
    ++m_redraws;
}

QImage frmGeneralSky::chartImage() const
{
    return Picture1->image();
}

QImage frmGeneralSky::screenImage() const
{
    return Picture1->screenImage();
}

void frmGeneralSky::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    scheduleRedraw();
}

void frmGeneralSky::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_geometry.restoreOnce(*this, Impostazioni.Posizioni_finestre);
    scheduleRedraw();
}

void frmGeneralSky::closeEvent(QCloseEvent* event)
{
    tmrGeneralSky->stop();
    m_dragging = false;
    // The next opening shows the whole sky: nothing is left to restore.
    updateModel([](GeneralSkyDisplay& d) {
        d.zoom = false;
        d.zoomed = false;
    });
    m_geometry.save(*this);
    event->accept();
}

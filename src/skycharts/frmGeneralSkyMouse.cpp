// The whole-sky chart's pointer: the pop-up menu, the readout in the caption, the zoom box
// and the identification of stars and bodies.

#include "skycharts/frmGeneralSky.h"

#include "skycharts/ChartPointer.h"
#include "skycharts/frmObject.h"

#include "services/DisplayFormat.h"
#include "services/PictureBox.h"

#include <QMenu>

#include <cmath>

namespace {

// The smallest zoom box [pixels on each side]; a smaller drag is taken for a slip.
constexpr double kMinimumZoomPixels = 4.0;

skycharts::ChartPoint chartPoint(QPointF p)
{
    return {static_cast<float>(p.x()), static_cast<float>(p.y())};
}

std::vector<skycharts::ChartPoint> starPoints(int count)
{
    std::vector<skycharts::ChartPoint> points;
    const int last = std::clamp(count, 0, kStarCount);
    points.reserve(static_cast<std::size_t>(last));
    for (int i = 1; i <= last; ++i) {
        const Stella& star = Stelle[static_cast<std::size_t>(i)];
        points.push_back({star.Ascensione_retta, star.Declinazione});
    }
    return points;
}

/// Planets, Sun and Moon, whether their layers are shown or not; not the Earth.
std::vector<skycharts::ChartPoint> bodyPoints()
{
    std::vector<skycharts::ChartPoint> points;
    for (int b = 1; b <= kLuna; ++b) {
        const Corpo_celeste& body = Corpi_celesti[static_cast<std::size_t>(b)];
        points.push_back({static_cast<float>(body.Ascensione_retta),
                          static_cast<float>(body.Declinazione)});
    }
    return points;
}

} // namespace

QPointF frmGeneralSky::chartPointAt(QPointF pixel) const
{
    return Picture1->toUser(pixel);
}

bool frmGeneralSky::eventFilter(QObject* watched, QEvent* event)
{
    const skycharts::ChartPointerHandlers handlers{
        [this](Qt::MouseButton button, QPointF chart, QPoint global) {
            Picture1_MouseDown(button, chart, global);
        },
        [this](Qt::MouseButtons buttons, QPointF chart) { Picture1_MouseMove(buttons, chart); },
        [this](Qt::MouseButton button, QPointF chart) { Picture1_MouseUp(button, chart); },
        [this] { m_dragging = false; }};
    if (watched == Picture1 && skycharts::forwardChartPointer(*Picture1, *event, handlers))
        return true;
    return QWidget::eventFilter(watched, event);
}

void frmGeneralSky::Picture1_MouseDown(Qt::MouseButton button, QPointF chart, QPoint global)
{
    if (button == Qt::RightButton) {
        if (m_hooks.popupMenu != nullptr)
            m_hooks.popupMenu->popup(global);
        return;
    }
    if (button != Qt::LeftButton)
        return;
    m_zoomStart = chart;
    m_dragging = true;
}

void frmGeneralSky::Picture1_MouseMove(Qt::MouseButtons buttons, QPointF chart)
{
    // A drag goes on past the chart's edges; there the caption keeps the last point read on
    // the chart instead of coordinates the chart does not show.
    if (skycharts::onView(m_view, chartPoint(chart)))
        setWindowTitle(m_titleText + QStringLiteral(" - ") + m_chartTime + u' ' + m_localTimeText
                       + QStringLiteral(" -  ") + pointerReadout(chart));
    if (!m_dragging || !buttons.testFlag(Qt::LeftButton)
        || !TrackingModel::instance().generalSky().zoom)
        return;
    Picture1->Cls();
    Picture1->setFillStyle(drawing::FillStyle::Transparent);
    Picture1->Box(m_zoomStart.x(), m_zoomStart.y(), chart.x(), chart.y(), Qt::white);
}

void frmGeneralSky::Picture1_MouseUp(Qt::MouseButton button, QPointF chart)
{
    if (button != Qt::LeftButton || !std::exchange(m_dragging, false))
        return;
    if (TrackingModel::instance().generalSky().zoom) {
        finishZoom(chart);
        return;
    }
    showSkyPick(*this, identifyAt(chart), m_hooks.readStarRecord, u"frmGeneralSky");
}

void frmGeneralSky::finishZoom(QPointF release)
{
    const double hoursPerPixel =
        Picture1->width() > 0 ? std::fabs(m_view.width()) / Picture1->width() : 0.0;
    const double degreesPerPixel =
        Picture1->height() > 0 ? std::fabs(m_view.height()) / Picture1->height() : 0.0;
    const std::optional<skycharts::ViewBox> zoomed = skycharts::zoomedWholeSkyView(
        chartPoint(m_zoomStart), chartPoint(release),
        static_cast<float>(kMinimumZoomPixels * hoursPerPixel),
        static_cast<float>(kMinimumZoomPixels * degreesPerPixel));
    if (!zoomed) {
        // Too small a box: zoom mode stays on and the rubber band goes.
        Picture1->Refresh();
        return;
    }
    m_view = *zoomed;
    updateModel([](GeneralSkyDisplay& d) {
        d.zoom = false;
        d.zoomed = true;
    });
    Picture1->setCursor(Qt::ArrowCursor);
    Genera_mappa();
}

skycharts::SkyPick frmGeneralSky::identifyAt(QPointF chartPoint) const
{
    return skycharts::pickOnWholeSky(m_view, ::chartPoint(chartPoint), starPoints(m_starCount),
                                     bodyPoints());
}

QString frmGeneralSky::pointerReadout(QPointF chartPoint) const
{
    const skycharts::EquatorialReadout r = skycharts::equatorialReadout(
        static_cast<float>(chartPoint.x()), static_cast<float>(chartPoint.y()));
    return m_rightAscensionText + u' ' + formatNumber(r.hours, u"00h ")
           + formatNumber(r.minutes, u"00m ") + formatNumber(r.seconds, u"00s ") + u' '
           + m_declinationText + u' ' + QChar::fromLatin1(r.sign)
           + formatNumber(r.degrees, u"00\u00b0 ") + formatNumber(r.arcMinutes, u"00' ");
}

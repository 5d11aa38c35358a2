// The local sky map's pointer: the pop-up menu, the zoom box, the time labels on the pass
// track, the identification of stars and bodies, the readout in the caption, and the
// satellites of each tick on the temporary layer.

#include "skycharts/frmLocalSky.h"

#include "skycharts/ChartPointer.h"
#include "skycharts/frmObject.h"

#include "core/mAstro.h"
#include "services/DisplayFormat.h"
#include "services/PictureBox.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

#include <cmath>

namespace {

constexpr double kDegreesToRadians = 0.0174532925;
constexpr float kZoomLimitX = 200.0f;
constexpr float kZoomLimitY = 100.0f;

std::vector<skycharts::ChartPoint> starPoints(const skycharts::SkyPositions& positions, int count)
{
    std::vector<skycharts::ChartPoint> points;
    const int last = std::clamp(count, 0, kStarCount);
    points.reserve(static_cast<std::size_t>(last));
    for (int i = 1; i <= last; ++i) {
        const std::optional<skycharts::ChartPoint> star = positions.star(i);
        if (!star)
            break;
        points.push_back(*star);
    }
    return points;
}

std::vector<skycharts::ChartPoint> bodyPoints(const skycharts::SkyPositions& positions)
{
    std::vector<skycharts::ChartPoint> points;
    if (!positions.projected)
        return points;
    for (int b = 1; b <= kLuna; ++b)
        points.push_back(positions.body(b));
    return points;
}

std::vector<skycharts::ChartPoint> trackPoints()
{
    std::vector<skycharts::ChartPoint> points;
    for (std::size_t i = 1; i < Punti_transito.size(); ++i)
        points.push_back({Punti_transito[i].X_mappa, Punti_transito[i].Y_mappa});
    return points;
}

/// The satellite marker's colour by its state: visible, sunlit but not visible, eclipsed.
QColor markerColour(int stato)
{
    switch (stato) {
    case 2:
        return {255, 255, 255};
    case 3:
        return {0, 200, 255};
    default:
        return {110, 110, 110};
    }
}

} // namespace

QPointF frmLocalSky::chartPointAt(QPointF pixel) const
{
    return Picture1->toUser(pixel);
}

bool frmLocalSky::eventFilter(QObject* watched, QEvent* event)
{
    const skycharts::ChartPointerHandlers handlers{
        [this](Qt::MouseButton button, QPointF chart, QPoint global) {
            Picture1_MouseDown(button, chart, global);
        },
        [this](Qt::MouseButtons buttons, QPointF chart) { Picture1_MouseMove(buttons, chart); },
        [this](Qt::MouseButton button, QPointF chart) { Picture1_MouseUp(button, chart); },
        [this] { m_dragPause.reset(); }};
    // The box follows the window and the data box beside it; the chart follows the box.
    if (watched == Picture1 && event->type() == QEvent::Resize)
        scheduleRedraw();
    if (watched == Picture1 && skycharts::forwardChartPointer(*Picture1, *event, handlers))
        return true;
    return QWidget::eventFilter(watched, event);
}

void frmLocalSky::Picture1_MouseDown(Qt::MouseButton button, QPointF chart, QPoint global)
{
    m_pickedPoint = 0;
    m_picked = {};
    if (button == Qt::RightButton) {
        if (m_hooks.popupMenu != nullptr)
            m_hooks.popupMenu->popup(global);
        return;
    }
    if (button != Qt::LeftButton)
        return;
    const LocalSkyDisplay& display = TrackingModel::instance().localSky();
    if (display.tempi && display.transitoPrincipale) {
        m_pickedPoint = skycharts::pickTrackPoint(m_view, static_cast<float>(chart.x()),
                                                  static_cast<float>(chart.y()), trackPoints());
        if (m_pickedPoint > 0) {
            const Punto_traccia& p = Punti_transito[static_cast<std::size_t>(m_pickedPoint)];
            m_picked = {p.X_mappa, p.Y_mappa};
        }
    }
    m_zoomStart = chart;
}

void frmLocalSky::Picture1_MouseMove(Qt::MouseButtons buttons, QPointF chart)
{
    const LocalSkyDisplay& display = TrackingModel::instance().localSky();
    if (buttons.testFlag(Qt::LeftButton) && (display.zoom || m_pickedPoint > 0)) {
        // The satellites stay off the chart while the rubber band is drawn.
        if (!m_dragPause)
            m_dragPause.emplace(pflgSatellite);
        Picture1->Cls();
        if (display.zoom) {
            Picture1->setFillStyle(drawing::FillStyle::Transparent);
            Picture1->Box(m_zoomStart.x(), m_zoomStart.y(), chart.x(), chart.y(), Qt::white);
        } else {
            Picture1->Line(m_picked.x(), m_picked.y(), chart.x(), chart.y(), Qt::white);
        }
    }
    const QString readout = pointerReadout(chart);
    if (!readout.isEmpty())
        setWindowTitle(m_titleText + QStringLiteral(" - ") + m_chartTime + u' ' + m_localTimeText
                       + QStringLiteral(" -  ") + readout);
}

void frmLocalSky::Picture1_MouseUp(Qt::MouseButton button, QPointF chart)
{
    if (button != Qt::LeftButton)
        return;
    m_dragPause.reset();
    const LocalSkyDisplay display = TrackingModel::instance().localSky();
    if (display.zoom) {
        if (chart.x() == m_zoomStart.x() || chart.y() == m_zoomStart.y())
            return;
        const float x = std::clamp(static_cast<float>(chart.x()), -kZoomLimitX, kZoomLimitX);
        const float y = std::clamp(static_cast<float>(chart.y()), -kZoomLimitY, kZoomLimitY);
        m_view = {static_cast<float>(m_zoomStart.x()), static_cast<float>(m_zoomStart.y()), x, y};
        m_zoomed = true;
        updateModel([](LocalSkyDisplay& d) {
            d.zoomed = true;
            d.zoom = false;
        });
        Picture1->setCursor(Qt::ArrowCursor);
        Genera_mappa();
        return;
    }
    if (display.tempi) {
        if (m_pickedPoint > 0) {
            Etichetta_traccia label;
            label.X_punto = static_cast<float>(m_picked.x());
            label.Y_punto = static_cast<float>(m_picked.y());
            label.X_etichetta = static_cast<float>(chart.x());
            label.Y_etichetta = static_cast<float>(chart.y());
            label.Indice_punto = static_cast<std::int16_t>(m_pickedPoint);
            Etichette_transito.push_back(label);
            m_pickedPoint = 0;
            Genera_mappa();
        } else {
            Disegna_satellite_in_cielo();
        }
        return;
    }
    showSkyPick(*this, identifyAt(chart), m_hooks.readStarRecord, u"frmLocalSky");
}

skycharts::SkyPick frmLocalSky::identifyAt(QPointF chartPoint) const
{
    const double threshold = std::fabs(m_view.height()) / 30.0;
    return skycharts::pickSkyObject(m_view, static_cast<float>(chartPoint.x()),
                                    static_cast<float>(chartPoint.y()),
                                    starPoints(m_positions, m_starCount), bodyPoints(m_positions),
                                    threshold);
}

QString frmLocalSky::pointerReadout(QPointF chartPoint) const
{
    const skycharts::HorizontalDirection direction = Mappatura_inversa(chartPoint);
    const double az = direction.azimuthDeg;
    const double alt = direction.altitudeDeg;
    if (alt < 0)
        return {};
    const auto caption = [this](const char* name) {
        const auto* label = fraSatellitePrincipale->findChild<QLabel*>(QString::fromLatin1(name));
        return label != nullptr ? label->text() : QString();
    };
    if (!TrackingModel::instance().localSky().coordinateOrizzontali) {
        double h = 0, m = 0, s = 0, deg = 0, min = 0;
        char sign = '+';
        mAstro::Calcola_ascensione_declinazione(az * kDegreesToRadians, alt * kDegreesToRadians, h,
                                                m, s, deg, min, sign);
        return caption("lblAR") + u' ' + formatNumber(h, u"00h") + formatNumber(m, u" 00m ")
               + formatNumber(s, u"00s ") + caption("lblDec") + u' ' + QChar::fromLatin1(sign)
               + formatNumber(deg, u"00\u00b0") + formatNumber(min, u" 00'");
    }
    return caption("lblAz") + u' ' + formatNumber(std::floor(az), u"000\u00b0")
           + formatNumber(std::floor((az - std::floor(az)) * 60), u" 00' ") + caption("lblAlt")
           + u' ' + formatNumber(std::floor(alt), u"00\u00b0")
           + formatNumber(std::floor((alt - std::floor(alt)) * 60), u" 00'");
}

void frmLocalSky::Disegna_satellite_in_cielo()
{
    if (!m_loaded || m_dragPause || !pflgSatellite.isOpen())
        return;
    Picture1->Cls();
    const TickSnapshot& snapshot = TrackingModel::instance().snapshot();
    const bool principalOnly = TrackingModel::instance().localSky().soloPrincipale;
    for (const TrackedSatellite& satellite : snapshot.satellites) {
        if (principalOnly && satellite.slot != 1)
            continue;
        drawSatellite(satellite);
    }
}

void frmLocalSky::drawSatellite(const TrackedSatellite& satellite)
{
    const Posizione_satellite& state = satellite.state;
    if (!(state.Elevazione > 0))
        return;
    const QPointF at = Mappatura(state.Azimut, state.Elevazione);
    const bool special = satellite.catalogueNumber == "25544" || satellite.catalogueNumber == "20580";
    // Marker size [chart units] from the chart's height: the principal and the two
    // best-known satellites stand out.
    const double unit = std::fabs(m_view.height()) / 200.0;
    const double radius = (satellite.slot == 1 || special ? 1.6 : 1.1) * unit;
    const QColor fill = markerColour(state.Stato);
    Picture1->setFillStyle(drawing::FillStyle::Solid);
    Picture1->setFillColor(fill);
    Picture1->Circle(at.x(), at.y(), radius,
                     satellite.slot == 1 ? QColor(255, 64, 64) : (special ? QColor(0, 255, 0) : fill));
    Picture1->setFillStyle(drawing::FillStyle::Transparent);
    Picture1->setForeColor(state.Stato == 1 ? QColor(255, 0, 0) : QColor(255, 255, 0));
    Picture1->setFontSize(7);
    Picture1->setCurrentX(at.x() + radius);
    Picture1->setCurrentY(at.y() - radius);
    Picture1->Print(QString::fromStdString(satellite.name), false);
}

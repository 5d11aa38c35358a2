// The pass chart's pointer: a press of any button on a point of the track drags a time label
// from it to where the button is released (the rubber band follows the left button); the right
// button pops up the pass-chart menu, at once away from the track, on the track when it is
// released without a drag (an open menu would take the release of the drag).

#include "skycharts/frmSkySat.h"

#include "skycharts/ChartPointer.h"
#include "skycharts/PassChart.h"
#include "skycharts/SkyChartGeometry.h"

#include "services/PictureBox.h"
#include "services/mLang.h"

#include <QApplication>
#include <QMenu>


QPointF frmSkySat::chartPointAt(QPointF pixel) const
{
    return Picture1->toUser(pixel);
}

QPointF frmSkySat::pixelAt(QPointF chartPoint) const
{
    return Picture1->toDevice(chartPoint);
}

bool frmSkySat::eventFilter(QObject* watched, QEvent* event)
{
    const skycharts::ChartPointerHandlers handlers{
        [this](Qt::MouseButton button, QPointF chart, QPoint global) {
            Picture1_MouseDown(button, chart, global);
        },
        [this](Qt::MouseButtons buttons, QPointF chart) { Picture1_MouseMove(buttons, chart); },
        [this](Qt::MouseButton, QPointF chart) { Picture1_MouseUp(chart); },
        [this] { m_pickedPoint = 0; }};
    if (watched == Picture1 && skycharts::forwardChartPointer(*Picture1, *event, handlers))
        return true;
    return QWidget::eventFilter(watched, event);
}

void frmSkySat::Picture1_MouseDown(Qt::MouseButton button, QPointF chart, QPoint global)
{
    m_pickedPoint = 0;
    m_picked = {};
    m_menuWaits = false;
    // The pick is the point's index, so a point on an axis of the chart can be labelled too.
    m_pickedPoint = skycharts::pickPassTrackPoint(m_track.points, static_cast<float>(chart.x()),
                                                  static_cast<float>(chart.y()));
    if (m_pickedPoint != 0) {
        const Punto_traccia& p = m_track.points[static_cast<std::size_t>(m_pickedPoint)];
        m_picked = {p.X_mappa, p.Y_mappa};
    }
    // The menu shows this chart's options (the main window ticks them from the active chart
    // as it opens) and its commands act on this chart.
    if (button != Qt::RightButton || m_popupMenu == nullptr)
        return;
    if (m_pickedPoint == 0) {
        m_popupMenu->popup(global);
    } else {
        m_menuWaits = true;
        m_menuAt = global;
        m_pressedAt = chart;
    }
}

void frmSkySat::Picture1_MouseMove(Qt::MouseButtons buttons, QPointF chart)
{
    if (buttons != Qt::LeftButton || m_pickedPoint == 0)
        return;
    // The rubber band is temporary drawing: the refresh shows the stored chart again.
    Picture1->Refresh();
    Picture1->Line(m_picked.x(), m_picked.y(), chart.x(), chart.y(), Qt::white);
}

void frmSkySat::Picture1_MouseUp(QPointF chart)
{
    const int picked = std::exchange(m_pickedPoint, 0);
    if (std::exchange(m_menuWaits, false)
        && (pixelAt(chart) - pixelAt(m_pressedAt)).manhattanLength()
               < QApplication::startDragDistance()) {
        m_popupMenu->popup(m_menuAt);
        return;
    }
    // Guard: a pick belongs to the track it was made on; a redraw since may have made
    // another one.
    if (picked == 0 || !skycharts::labelIndexValid(picked, static_cast<int>(m_track.points.size()) - 1))
        return;
    const skycharts::HorizontalDirection point = Inverti_proiezione(
        {static_cast<float>(m_picked.x()), static_cast<float>(m_picked.y())});
    const skycharts::HorizontalDirection end =
        Inverti_proiezione({static_cast<float>(chart.x()), static_cast<float>(chart.y())});
    Etichetta_traccia label;
    label.X_punto = static_cast<float>(point.azimuthDeg);
    label.Y_punto = static_cast<float>(point.altitudeDeg);
    label.X_etichetta = static_cast<float>(end.azimuthDeg);
    label.Y_etichetta = static_cast<float>(end.altitudeDeg);
    label.Indice_punto = static_cast<std::int16_t>(picked);
    m_labels.push_back(label);
    drawLabel(label);
}

void frmSkySat::drawLabel(const Etichetta_traccia& label)
{
    const skycharts::SkyProjection projection = skycharts::passChartProjection(m_display);
    const std::vector<Etichetta_traccia> one{Etichetta_traccia{}, label};
    Picture1->setAutoRedraw(true);
    skycharts::SkyLayerPainter(*Picture1, projection)
        .drawTrackLabels(m_track.points, skycharts::labelsOnChart(one, projection),
                         mLang::Testo_lingua(u"Def", u"mag"), skycharts::kPassChartLabelRaise);
    Picture1->setAutoRedraw(false);
    Picture1->Refresh();
}

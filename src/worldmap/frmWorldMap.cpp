#include "worldmap/frmWorldMap.h"

#include "services/DisplayFormat.h"
#include "services/mLang.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>

using namespace worldmap;

namespace {

const QString kWindowName = QStringLiteral("frmWorldMap");
const QString kRemoveItem = QStringLiteral("mnuWorldmapRimuovi");

/// The item of that name in the menu or one of its submenus.
QAction* menuAction(QMenu* menu, const QString& name)
{
    if (menu == nullptr)
        return nullptr;
    for (QAction* action : menu->actions()) {
        if (action->objectName() == name)
            return action;
        if (QAction* inner = menuAction(action->menu(), name))
            return inner;
    }
    return nullptr;
}

MapKind kindOf(WorldMapProjection projection)
{
    return projection == WorldMapProjection::Rectangular ? MapKind::Rectangular
                                                         : MapKind::Orthographic;
}

void showReport(QWidget* parent, const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::Warning, QString(), text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace

frmWorldMap::frmWorldMap(TrackingModel& model, Hooks hooks, QWidget* parent)
    : QWidget(parent), m_model(model), m_hooks(std::move(hooks)), m_failures(kWindowName, {})
{
    setObjectName(kWindowName);
    if (!m_hooks.report)
        m_hooks.report = [this](const QString& text) { showReport(this, text); };
    m_failures.setShow(m_hooks.report);
    m_kind = kindOf(m_model.worldMap().projection);
    buildControls();
    Imposta_lingua();
    WorldMapDisplay options = seededWorldMap(m_model.worldMap(), Impostazioni);
    options.riquadroDati = Impostazioni.Mappamondo_riquadro_dati;
    m_model.setWorldMap(options);
    Leggi_posizione_finestra();
    connectControls();
    // The data box shows what the program last computed at once, also while the clock stands
    // still and no tick comes.
    followPrincipal();
}

frmWorldMap::~frmWorldMap() = default;

void frmWorldMap::connectControls()
{
    Picture1->installEventFilter(this);
    connect(&m_model, &TrackingModel::ticked, this, &frmWorldMap::model_ticked);
    connect(&m_model, &TrackingModel::worldMapRedrawDue, this, &frmWorldMap::Genera_mappa);
    connect(&m_model, &TrackingModel::worldMapChanged, this, &frmWorldMap::model_worldMapChanged);
    connect(&m_model, &TrackingModel::chartCommand, this, &frmWorldMap::model_chartCommand);
    connect(&m_model, &TrackingModel::observerChanged, this, &frmWorldMap::Genera_mappa);
    connect(&m_model, &TrackingModel::activeSetChanged, this, &frmWorldMap::Genera_mappa);
    connect(&m_model, &TrackingModel::principalChanged, this, &frmWorldMap::Genera_mappa);
}

void frmWorldMap::setProjection(MapKind kind)
{
    m_kind = kind;
}

QString frmWorldMap::tag() const
{
    return m_kind == MapKind::Rectangular ? QStringLiteral("Recta") : QStringLiteral("Ortho");
}

bool frmWorldMap::drawable() const
{
    const QWidget* frame = parentWidget() != nullptr ? parentWidget() : this;
    return !isMinimized() && !frame->isMinimized() && Picture1->width() > 0
           && Picture1->height() > 0;
}

void frmWorldMap::reportOnce(const QString& key, const QString& detail)
{
    m_failures.reportOnce(key, detail);
}

void frmWorldMap::followPrincipal()
{
    const TickSnapshot& tick = m_model.snapshot();
    if (tick.hasPrincipal)
        showPrincipalTexts(tick.principal);
    else if (tick.satellites.empty())
        resetPrincipalTexts();
}

void frmWorldMap::model_ticked()
{
    followPrincipal();
    const TickSnapshot& tick = m_model.snapshot();
    if (!drawable())
        return;
    // The background follows the principal: another satellite, or on the globe another view;
    // and the clock: after a jump the night side, the Sun and the ground track belong to
    // another instant.
    const std::string principal =
        tick.satellites.empty() ? std::string() : tick.satellites.front().catalogueNumber;
    bool redraw = tick.clockJumped || principal != m_principalCatalogue;
    if (!redraw && m_kind == MapKind::Orthographic && !tick.satellites.empty()
        && hasPosition(tick.satellites.front())) {
        const Posizione_satellite& p = tick.satellites.front().state;
        redraw = orthographicViewFor(p.Longitudine_est, p.Latitudine_proiezione).file != m_viewFile;
    }
    if (redraw)
        Genera_mappa();
    m_markers = satelliteMarkers(tick.satellites, m_projection);
    Picture1->update();
}

void frmWorldMap::model_worldMapChanged(const WorldMapDisplay& previous)
{
    const WorldMapDisplay& now = m_model.worldMap();
    if (m_redrawing)
        return;
    if (now.projection != previous.projection)
        m_kind = kindOf(now.projection);
    if (now.riquadroDati != previous.riquadroDati)
        Form_Resize();
    if (now.coordinateMouse != previous.coordinateMouse)
        Aggiorna_titolo();
    // The hover and footprint switches act on the next mouse move and tick only.
    WorldMapDisplay drawn = now;
    drawn.datiSatellite = previous.datiSatellite;
    drawn.coordinateMouse = previous.coordinateMouse;
    drawn.cerchioVisibilita = previous.cerchioVisibilita;
    drawn.riquadroDati = previous.riquadroDati;
    if (!(drawn == previous))
        Genera_mappa();
    else
        Picture1->update();
}

void frmWorldMap::model_chartCommand(ChartKind chart, ChartCommand command)
{
    if (chart != ChartKind::WorldMap)
        return;
    if (command == ChartCommand::Redraw) {
        Genera_mappa();
    } else if (command == ChartCommand::Close) {
        QWidget* frame = parentWidget() != nullptr ? parentWidget() : this;
        frame->close();
    }
}

bool frmWorldMap::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != Picture1)
        return QWidget::eventFilter(watched, event);
    // No exception may leave an event handler: a failing layer is reported and skipped.
    try {
        switch (event->type()) {
        case QEvent::Paint: {
            QPainter painter(Picture1);
            if (!m_background.isNull())
                painter.drawImage(0, 0, m_background);
            else
                painter.fillRect(Picture1->rect(), Qt::black);
            paintLiveLayer(painter);
            return true;
        }
        case QEvent::MouseMove:
            Picture1_MouseMove(static_cast<QMouseEvent*>(event)->position());
            return true;
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            Picture1_MouseDown(mouse->button(), mouse->position());
            return true;
        }
        case QEvent::MouseButtonRelease:
            Picture1_MouseUp();
            return true;
        default:
            break;
        }
    } catch (...) {
        reportOnce(QStringLiteral("erroredisegno"), currentExceptionText());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmWorldMap::paintLiveLayer(QPainter& painter) const
{
    if (!drawable() || m_projection.isEmpty())
        return;
    const TickSnapshot& tick = m_model.snapshot();
    const WorldMapColours colours = coloursFrom(Impostazioni);
    WorldMapPainter layers(painter, m_projection, colours);
    if (m_model.worldMap().cerchioVisibilita && tick.hasPrincipal && !tick.satellites.empty()
        && hasPosition(tick.satellites.front()))
        layers.Disegna_visibilita(tick.satellites.front().state);
    layers.Disegna_satellite(tick.satellites, satelliteMarkers(tick.satellites, m_projection));
}

QImage frmWorldMap::composedMap() const
{
    QImage image(Picture1->size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    if (!m_background.isNull())
        painter.drawImage(0, 0, m_background);
    paintLiveLayer(painter);
    return image;
}

void frmWorldMap::Picture1_MouseMove(QPointF at)
{
    Picture1->setToolTip(QString());
    if (QAction* remove = menuAction(m_hooks.popupMenu, kRemoveItem))
        remove->setEnabled(false);
    m_selection = 0;
    const MapPoint pointer = m_projection.toMapUnits(at);
    m_selection = pickSatellite(m_markers, pointer, m_kind);
    m_model.setWorldMapPick(m_selection);
    if (m_selection > 0 && m_model.worldMap().datiSatellite) {
        for (const TrackedSatellite& satellite : m_model.snapshot().satellites) {
            if (satellite.slot != m_selection)
                continue;
            const Posizione_satellite& s = satellite.state;
            Picture1->setToolTip(
                QStringLiteral("Norad# ") + QString::fromStdString(satellite.catalogueNumber)
                + QLatin1Char(' ') + m_captions[0]->text() + QLatin1Char(' ')
                + formatNumber(s.Latitudine_subsatellite, u"00.00") + QLatin1Char(' ')
                + m_captions[1]->text() + QLatin1Char(' ')
                + formatNumber(s.Longitudine_subsatellite, u"##0.00") + QLatin1Char(' ')
                + m_captions[2]->text() + QLatin1Char(' ') + formatNumber(s.Quota, u"####0.0")
                + QLatin1Char(' ') + m_captions[15]->text() + QLatin1Char(' ')
                + formatNumber(s.Velocita, u"#0.0"));
        }
    }
    if (m_model.worldMap().coordinateMouse)
        readoutCaption(at);
}

void frmWorldMap::readoutCaption(QPointF at)
{
    const std::optional<LonLat> place = m_projection.pixelToPlace(at);
    if (!place)
        return;
    const auto part = [](double value, QStringView degreesPattern) {
        const DegreesMinutes split = splitDegrees(value);
        return QString(split.negative ? QLatin1Char('-') : QLatin1Char('+'))
               + formatNumber(split.degrees, degreesPattern) + formatNumber(split.minutes, u"00m ");
    };
    const bool rectangular = m_kind == MapKind::Rectangular;
    setWindowTitle((rectangular ? Testo_rettangolare : Testo_ortografica) + QStringLiteral(" - ")
                   + m_captions[1]->text() + QLatin1Char(' ') + part(place->lon, u"#00\u00B0 ")
                   + (rectangular ? QStringLiteral(" ") : QStringLiteral("  "))
                   + m_captions[0]->text() + QLatin1Char(' ') + part(place->lat, u"00\u00B0 "));
}

void frmWorldMap::Picture1_MouseDown(Qt::MouseButton button, QPointF at)
{
    if (button != Qt::RightButton || m_hooks.popupMenu == nullptr)
        return;
    if (QAction* remove = menuAction(m_hooks.popupMenu, kRemoveItem))
        remove->setEnabled(!m_model.snapshot().satellites.empty() && m_selection >= 2);
    m_hooks.popupMenu->popup(Picture1->mapToGlobal(at.toPoint()));
}

void frmWorldMap::Picture1_MouseUp()
{
    if (m_selection < 2 || m_model.snapshot().satellites.empty() || !m_hooks.makePrincipal)
        return;
    const int slot = m_selection;
    m_selection = 0;
    m_model.setWorldMapPick(0);
    m_hooks.makePrincipal(slot);
}

void frmWorldMap::Aggiorna_titolo()
{
    if (m_model.worldMap().coordinateMouse) {
        Picture1->setCursor(Qt::CrossCursor);
        return;
    }
    Picture1->unsetCursor();
    setWindowTitle(m_kind == MapKind::Rectangular ? Testo_rettangolare : Testo_ortografica);
}

void frmWorldMap::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmWorldMap::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_positioned) {
        m_positioned = true;
        Leggi_posizione_finestra();
    }
}

void frmWorldMap::closeEvent(QCloseEvent* event)
{
    savePosition();
    QWidget::closeEvent(event);
}

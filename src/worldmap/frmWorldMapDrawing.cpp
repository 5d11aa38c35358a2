// The world map's full redraw: the background layers into the kept picture.

#include "worldmap/frmWorldMap.h"

#include "common/catalogues.h"
#include "common/gates.h"
#include "common/satellite_slots.h"
#include "core/mAstro.h"

#include <QPainter>

#include <cmath>

using namespace worldmap;

namespace {

/// The principal satellite's elements as the active list holds them, when the last tick's
/// principal is still that satellite.
std::optional<Elemento_satellite> principalElements()
{
    const Elemento_satellite& elements = Satelement[kPrincipalSlot];
    if (elements.Nome_satellite.empty())
        return std::nullopt;
    return elements;
}

} // namespace

void frmWorldMap::Genera_mappa()
{
    // A minimised or empty window draws nothing; the next resize or show draws it.
    if (!drawable() || m_redrawing)
        return;
    m_redrawing = true;
    // The redraw keeps the tick from computing the satellites meanwhile; the guard gives the
    // gate back whatever happens below.
    TickPause pause(pflgSatellite);
    try {
        drawBackground();
    } catch (const std::exception& failure) {
        reportOnce(QStringLiteral("erroredisegno"), QString::fromUtf8(failure.what()));
    } catch (...) {
        reportOnce(QStringLiteral("erroredisegno"), QString());
    }
    m_redrawing = false;
    m_markers = satelliteMarkers(m_model.snapshot().satellites, m_projection);
    Aggiorna_titolo();
    Picture1->update();
}

double frmWorldMap::julianDateNow() const
{
    const TickSnapshot& tick = m_model.snapshot();
    return tick.serial > 0 ? tick.time.Data_giuliana : mAstro::Data_giuliana;
}

void frmWorldMap::chooseView()
{
    m_lon0 = 0;
    m_lat0 = 0;
    m_viewFile = kRectangularPicture;
    if (m_kind != MapKind::Orthographic)
        return;
    m_viewFile = orthographicViews().front().file;
    // The view follows the principal: its sub-point in the last tick, or computed now when
    // the tick did not have it yet (just made principal).
    const TickSnapshot& tick = m_model.snapshot();
    const auto elements = principalElements();
    std::optional<LonLat> place;
    if (!tick.satellites.empty() && hasPosition(tick.satellites.front())
        && (!elements || elements->Numero_catalogo == tick.satellites.front().catalogueNumber)) {
        place = LonLat{tick.satellites.front().state.Longitudine_subsatellite,
                       tick.satellites.front().state.Latitudine_subsatellite};
    } else if (elements) {
        if (const auto sub = subPointAt(*elements, Osservatore, Impostazioni, julianDateNow()))
            place = sub->place;
    }
    if (!place)
        return;
    const double lonEast = place->lon < 0 ? place->lon + 360 : place->lon;
    const OrthoView& view = orthographicViewFor(lonEast, place->lat);
    m_lon0 = view.lon0;
    m_lat0 = view.lat0;
    m_viewFile = view.file;
}

const QImage* frmWorldMap::loadBasePicture(std::string_view file)
{
    QString error;
    const QImage* picture = m_pictures.scaled(file, m_projection.pictureRect().size().toSize(), &error);
    const QString name = QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size()));
    if (picture == nullptr) {
        // Reported once; the map is painted plainly and the next redraw tries again.
        reportOnce(QStringLiteral("erroremappa"), name + (error.isEmpty() ? QString() : QStringLiteral(": ") + error));
        return nullptr;
    }
    m_pictureTag = name;
    return picture;
}

void frmWorldMap::drawBackground()
{
    // The stored option of the pointer readout sets its menu item again at every full redraw.
    WorldMapDisplay options = m_model.worldMap();
    options.coordinateMouse = Impostazioni.Mappamondo_localizzatore;
    m_model.setWorldMap(options);

    chooseView();
    m_projection = MapProjection(m_kind, QSizeF(Picture1->size()), m_lon0, m_lat0);
    const std::string_view file = m_viewFile;
    const TickSnapshot& tick = m_model.snapshot();
    m_principalCatalogue =
        tick.satellites.empty() ? std::string() : tick.satellites.front().catalogueNumber;

    QImage background(Picture1->size(), QImage::Format_RGB32);
    QPainter painter(&background);
    const WorldMapColours colours = coloursFrom(Impostazioni);
    WorldMapPainter layers(painter, m_projection, colours);
    layers.drawPicture(loadBasePicture(file));

    const double jd = julianDateNow();
    const double jd0h = std::floor(jd - 0.5) + 0.5;
    const mAstro::SunPosition sunAt =
        mAstro::sunAt(jd, jd0h, Corpi_celesti[kSole].Elementi_orbitali[8]);
    const double sidereal = tick.serial > 0 ? tick.time.Tempo_siderale : mAstro::Tempo_siderale;
    const SubSolarPoint sun = subSolarPoint(sidereal, sunAt.rightAscensionHours, sunAt.declinationDeg);

    if (options.ombra || options.terminatore)
        layers.Disegna_ombra(sun, options.ombra, options.terminatore);
    if (options.griglia)
        layers.Disegna_griglia(sun.place.lat);
    if (options.sole)
        layers.Disegna_sole(sun);
    layers.Disegna_localita(Osservatore, options.nomeCitta);
    if (options.tracciatoOrbita) {
        if (const auto elements = principalElements())
            layers.Disegna_orbita(groundTrack(*elements, Osservatore, Impostazioni, jd));
    }
    painter.end();
    m_background = std::move(background);
}

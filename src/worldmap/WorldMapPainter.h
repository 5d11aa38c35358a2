#pragma once
// The world map's layers, one function each, painted in the projection of the map box. The
// slow layers (picture, night side and terminator, graticule, Sun, observer, ground track)
// make the background of a full redraw; the satellites and the footprint are painted over it
// every second. Each layer sets what it needs and leaves the painter as it found it.

#include "worldmap/GroundTrack.h"
#include "worldmap/MapProjection.h"

#include "common/options.h"
#include "tracking/TrackingModel.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include <vector>

namespace worldmap {

struct WorldMapColours
{
    QColor grid;        ///< Colore_griglia_mappamondo
    QColor cityName;    ///< Colore_nome_citta
    QColor satellite;   ///< Colore_satellite: names and footprint
    QColor pastTrack;   ///< Colore_orbita_passata
    QColor futureTrack; ///< Colore_orbita_futura
};
[[nodiscard]] WorldMapColours coloursFrom(const Opzioni& options);

/// Fixed colours of the night side.
inline const QColor kTerminatorColour{65, 65, 65};
inline const QColor kNightShadeColour{105, 105, 105};

/// Whether a satellite has a position to show: computed in this tick, or kept from an earlier
/// one (while the satellite part of the tick is held, or when this tick could not compute it).
[[nodiscard]] bool hasPosition(const TrackedSatellite& satellite);

/// Where a satellite is drawn, in map units (X_satellite, Y_satellite); far-side satellites
/// are not visible and cannot be picked.
struct SatelliteMarker
{
    int slot = 0;
    MapPoint at;
    bool visible = false;
};
[[nodiscard]] std::vector<SatelliteMarker>
satelliteMarkers(const std::vector<TrackedSatellite>& satellites, const MapProjection& projection);

/// The slot of the satellite under the pointer (map units): within 24 square degrees on the
/// rectangular map, 81 square units on the globe; the highest slot wins; 0 for none.
[[nodiscard]] int pickSatellite(const std::vector<SatelliteMarker>& markers, MapPoint pointer,
                                MapKind kind);

/// The night side's shading for a box: grey where the Sun is down, none where it is up, a
/// pixel-wide blend at the terminator; painted by multiplying it with the map.
[[nodiscard]] QImage nightShade(const MapProjection& projection, const SubSolarPoint& sun);

class WorldMapPainter
{
public:
    WorldMapPainter(QPainter& painter, const MapProjection& projection,
                    const WorldMapColours& colours);

    /// Black, and the picture (already scaled to pictureRect) when there is one.
    void drawPicture(const QImage* picture);
    void Disegna_ombra(const SubSolarPoint& sun, bool shade, bool terminator);
    void Disegna_griglia(double sunDeclDeg);
    void Disegna_sole(const SubSolarPoint& sun);
    void Disegna_localita(const Dati_osservatore& observer, bool withName);
    void Disegna_orbita(const GroundTrack& track);
    void Disegna_visibilita(const Posizione_satellite& principal);
    /// Each satellite's icon and name at the marker of its slot; a satellite without a marker,
    /// or whose marker is not visible, is left out.
    void Disegna_satellite(const std::vector<TrackedSatellite>& satellites,
                           const std::vector<SatelliteMarker>& markers);

private:
    /// A line through places: split at the date line or cut to the visible runs.
    void drawPlaces(const std::vector<LonLat>& places);
    void drawPolyline(const Polyline& line);
    void drawRectangularGraticule(double sunDeclDeg);

    QPainter& m_painter;
    const MapProjection& m_projection;
    const WorldMapColours& m_colours;
};

} // namespace worldmap

// The world map's layer procedures, each painted alone on a black rectangular map: every
// layer marks the place it stands for and leaves the far side of the map untouched.

#include "worldmap/WorldMapPainter.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

using namespace worldmap;

namespace {

constexpr QSize kMapSize(720, 360);

/// Whether any pixel within `radius` of `centre` is not black.
bool markedNear(const QImage& image, QPointF centre, int radius)
{
    for (int y = qRound(centre.y()) - radius; y <= qRound(centre.y()) + radius; ++y) {
        for (int x = qRound(centre.x()) - radius; x <= qRound(centre.x()) + radius; ++x) {
            if (image.rect().contains(x, y) && image.pixel(x, y) != qRgb(0, 0, 0))
                return true;
        }
    }
    return false;
}

QImage painted(const MapProjection& projection,
               const std::function<void(WorldMapPainter&)>& layer)
{
    QImage image(kMapSize, QImage::Format_RGB32);
    image.fill(Qt::black);
    WorldMapColours colours;
    colours.grid = Qt::green;
    colours.cityName = Qt::yellow;
    colours.satellite = Qt::white;
    colours.pastTrack = Qt::red;
    colours.futureTrack = Qt::green;
    QPainter painter(&image);
    WorldMapPainter layers(painter, projection, colours);
    layer(layers);
    painter.end();
    return image;
}

} // namespace

TEST(WorldMapLayers, EachLayerMarksItsPlaceAndLeavesTheFarSideAlone)
{
    const MapProjection map(MapKind::Rectangular, QSizeF(kMapSize));
    const auto pixel = [&map](double lon, double lat) { return *map.placeToPixel(lon, lat); };

    Dati_osservatore milan;
    milan.Latitudine_osservatore = 45.47f;
    milan.Longitudine_osservatore = 9.19f;
    SubSolarPoint sun;
    sun.ghaDeg = 60;
    sun.place = {-60, -20};
    Posizione_satellite principal;
    principal.Latitudine_subsatellite = 10;
    principal.Longitudine_subsatellite = 100;
    principal.Distanza_geocentrica = 6378 + 800;
    TrackedSatellite satellite;
    satellite.slot = 1;
    satellite.name = "SAT";
    satellite.fresh = true;
    satellite.state = principal;
    const std::vector<TrackedSatellite> satellites{satellite};
    GroundTrack track;
    track.past = {{20, 0}, {30, 5}};
    track.future = {{30, 5}, {40, 10}};

    const struct
    {
        const char* layer;
        std::function<void(WorldMapPainter&)> paint;
        QPointF marked;
        QPointF untouched;
    } cases[] = {
        {"Disegna_localita", [&](WorldMapPainter& p) { p.Disegna_localita(milan, false); },
         pixel(9.19, 45.47), pixel(-150, -60)},
        {"Disegna_sole", [&](WorldMapPainter& p) { p.Disegna_sole(sun); }, pixel(-60, -20),
         pixel(120, 60)},
        {"Disegna_orbita", [&](WorldMapPainter& p) { p.Disegna_orbita(track); }, pixel(30, 5),
         pixel(-150, -60)},
        {"Disegna_visibilita", [&](WorldMapPainter& p) { p.Disegna_visibilita(principal); },
         // the footprint's edge, about 27 degrees from an 800 km high satellite
         pixel(100, 10 + 27), pixel(-80, -40)},
        {"Disegna_satellite",
         [&](WorldMapPainter& p) { p.Disegna_satellite(satellites, satelliteMarkers(satellites, map)); },
         pixel(100, 10), pixel(-100, -10)},
        {"Disegna_griglia", [](WorldMapPainter& p) { p.Disegna_griglia(0); }, pixel(0, 0),
         pixel(15, 15)},
        {"Disegna_ombra", [&](WorldMapPainter& p) { p.Disegna_ombra(sun, false, true); },
         // the terminator crosses the equator 90 degrees from the Sun
         pixel(30, 0), pixel(-60, -20)},
    };
    for (const auto& c : cases) {
        const QImage image = painted(map, c.paint);
        EXPECT_TRUE(markedNear(image, c.marked, 4)) << c.layer;
        EXPECT_FALSE(markedNear(image, c.untouched, 1)) << c.layer;
    }
}

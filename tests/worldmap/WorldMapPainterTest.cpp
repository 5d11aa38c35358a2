// The world map's satellite layer: each satellite stands at the marker of its own slot, however
// the marker list is ordered and whether or not it matches the satellites.

#include "worldmap/MapProjection.h"
#include "worldmap/WorldMapPainter.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace worldmap;

namespace {

const QSizeF kBox(360, 180);

TrackedSatellite satellite(int slot, const char* name)
{
    TrackedSatellite s;
    s.slot = slot;
    s.name = name;
    s.catalogueNumber = std::to_string(10000 + slot);
    s.fresh = true;
    s.state.Distanza_geocentrica = 7000;
    return s;
}

SatelliteMarker marker(int slot, double lon, double lat)
{
    return {slot, {lon, lat}, true};
}

QImage drawn(const std::vector<TrackedSatellite>& satellites,
             const std::vector<SatelliteMarker>& markers)
{
    const MapProjection projection(MapKind::Rectangular, kBox);
    QImage image(kBox.toSize(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    WorldMapColours colours;
    colours.satellite = Qt::yellow;
    WorldMapPainter(painter, projection, colours).Disegna_satellite(satellites, markers);
    painter.end();
    return image;
}

TEST(WorldMapSatelliteLayer, EachSatelliteStandsAtItsOwnSlotsMarkerInAnyOrder)
{
    const std::vector<TrackedSatellite> satellites{satellite(1, "ONE"), satellite(2, "TWO")};
    const QImage inOrder = drawn(satellites, {marker(1, -90, 30), marker(2, 60, -20)});
    const QImage reversed = drawn(satellites, {marker(2, 60, -20), marker(1, -90, 30)});
    EXPECT_EQ(reversed, inOrder);
    EXPECT_NE(drawn(satellites, {marker(1, 60, -20), marker(2, -90, 30)}), inOrder)
        << "the places are told apart";
}

TEST(WorldMapSatelliteLayer, MarkerListThatDoesNotMatchTheSatellitesDrawsOnlyThoseWithAMarker)
{
    const std::vector<TrackedSatellite> three{satellite(1, "ONE"), satellite(2, "TWO"),
                                              satellite(3, "THREE")};
    // Markers of an older tick: fewer than the satellites, and one of a slot gone since.
    const std::vector<SatelliteMarker> older{marker(2, 60, -20), marker(7, 0, 0)};
    EXPECT_EQ(drawn(three, older), drawn({satellite(2, "TWO")}, {marker(2, 60, -20)}));
    // More satellites than markers, or no markers at all, reads no marker that is not there.
    EXPECT_EQ(drawn(three, {}), drawn({}, {}));
    const QImage black = [] {
        QImage image(kBox.toSize(), QImage::Format_RGB32);
        image.fill(Qt::black);
        return image;
    }();
    EXPECT_EQ(drawn(three, {}), black);
}

} // namespace

#pragma once
// The world map's geometry, without a painter: the orthographic projection around a view
// centre and its inverse for the pointer readout, the picture each view shows, the footprint
// circle, the date-line splitting of lines on the rectangular map and the visible runs of
// lines on the globe, the sub-solar point and the terminator, and the orthographic graticule.
//
// Map units. Rectangular map: x is east longitude (-180..180), y latitude (-90..90), degrees.
// Orthographic map: the globe is a circle of radius 142 units around the origin, y up.
// Angles are converted with the program's rounded factors 0.0174532925 and 57.295779513.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace worldmap {

/// Radius of the globe in map units; every orthographic picture shows it at 142/360 of its
/// height.
inline constexpr double kGlobeRadius = 142.0;
/// Height of an orthographic picture in map units (its width is twice that).
inline constexpr double kPictureHeightUnits = 360.0;
/// A point counts as on the near side up to this cosine of its distance from the view centre.
inline constexpr double kFarSideCosC = -1e-7;
/// A step in longitude larger than this between two samples of a line is a date-line crossing.
inline constexpr double kDateLineJumpDeg = 320.0;
/// Earth radius of the footprint [km].
inline constexpr double kEarthRadiusKm = 6378.135;
/// Samples of the footprint: every 2 degrees of azimuth, the last closing on the first.
inline constexpr int kFootprintPoints = 181;
/// Samples of the terminator: every half degree of longitude from -180 to 180.
inline constexpr int kTerminatorPoints = 721;

/// A place on the Earth [degrees, east and north positive].
struct LonLat
{
    double lon = 0;
    double lat = 0;
};

/// A point in map units.
struct MapPoint
{
    double x = 0;
    double y = 0;
};

using Polyline = std::vector<MapPoint>;

/// One orthographic view: its picture file (in the program folder) and its centre.
struct OrthoView
{
    std::string_view file;
    double lon0 = 0; ///< centre longitude, degrees east 0..360
    double lat0 = 0; ///< centre latitude, degrees
};

/// The rectangular map's picture.
inline constexpr std::string_view kRectangularPicture = "MapEarth.dat";

/// The fourteen orthographic views: four sectors of three latitude bands, then the poles.
[[nodiscard]] const std::array<OrthoView, 14>& orthographicViews();

/// The view shown for the principal's sub-point (longitude east 0..360, latitude): north or
/// south pole beyond 70 degrees, otherwise the sector of 90 degrees starting at 315, 45, 135
/// or 225 and the band beyond 30 degrees north or south (bounds strict).
[[nodiscard]] const OrthoView& orthographicViewFor(double lonEast, double lat);

/// Proiezione_ortografica: the map point of (lon, lat) seen from the centre (lon0, lat0).
struct OrthoPoint
{
    double x = 0;
    double y = 0;
    bool visibile = false; ///< on the near side (up to 1e-7 beyond the limb)
};
[[nodiscard]] OrthoPoint Proiezione_ortografica(double lon0, double lat0, double lon, double lat);

/// The place under map point (x, y) of the globe seen from (lon0, lat0); nothing off the
/// globe. The longitude is the four-quadrant angle, normalised to -180..180, so every quadrant
/// of every view, the polar ones included, reads right; the centre reads as the centre.
[[nodiscard]] std::optional<LonLat> orthographicReadout(double lon0, double lat0, double x,
                                                        double y);

/// A readout value split for the caption: sign, whole degrees and whole minutes.
struct DegreesMinutes
{
    bool negative = false;
    int degrees = 0; ///< absolute value, cut towards zero
    int minutes = 0; ///< of the absolute fraction, cut
};
[[nodiscard]] DegreesMinutes splitDegrees(double value);

/// The footprint of a satellite above (lat, lon) at `geocentricKm` from the Earth's centre:
/// the 181 points of the small circle of its geometric horizon, from due north clockwise,
/// longitudes in -180..180. Empty when the distance (cut to whole km) does not exceed the
/// Earth radius (no computed position).
[[nodiscard]] std::vector<LonLat> footprintCircle(double latDeg, double lonDeg,
                                                  double geocentricKm);

/// A line through places on the rectangular map, cut where it crosses the date line (a jump
/// of more than 320 degrees): the piece before leaves the map at one edge, the piece after
/// enters at the other (points beyond the edges, clipped when painted). A line around a pole
/// therefore crosses once and nothing runs along the map's top or bottom edge.
[[nodiscard]] std::vector<Polyline> splitAtDateLine(const std::vector<LonLat>& places);

/// The parts of a line through places that lie on the visible side of the globe seen from
/// (lon0, lat0), in map units; each run starts at its first visible point, and no line joins
/// the last point before the limb to the first after it.
[[nodiscard]] std::vector<Polyline> visibleRuns(const std::vector<LonLat>& places, double lon0,
                                                double lat0);

/// The Sun straight overhead.
struct SubSolarPoint
{
    double ghaDeg = 0; ///< Greenwich hour angle of the Sun, 0..360
    LonLat place;      ///< east longitude -180..180, latitude = the Sun's declination
};
/// From Greenwich sidereal time and the Sun's right ascension [hours] and declination [deg].
[[nodiscard]] SubSolarPoint subSolarPoint(double siderealHours, double sunRaHours,
                                          double sunDeclDeg);

/// Punti_terminatore: the terminator every half degree of longitude from -180 to 180, its
/// latitudes rounded to two decimals. A declination of exactly 0 is taken as 0.5 degree.
[[nodiscard]] std::array<LonLat, kTerminatorPoints> terminatorPoints(double ghaDeg,
                                                                     double sunDeclDeg);

/// The cosine of the Sun's zenith distance at a place: below 0 on the night side.
[[nodiscard]] double sunlightCosine(const SubSolarPoint& sun, double lonDeg, double latDeg);

/// Lines of the orthographic graticule (parallels every 30 degrees, meridians every 30
/// degrees from the central one, the globe's outline) for a view centre latitude, map units.
[[nodiscard]] std::vector<Polyline> orthographicGraticule(double lat0);

/// The label of a graticule line: a blank, the whole absolute value and the hemisphere
/// ("°E"/"°W" or "°N"/"°S"; two blanks for 0).
[[nodiscard]] std::string graticuleLabel(int value, bool meridian);

} // namespace worldmap

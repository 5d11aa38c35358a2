#include "worldmap/WorldMapGeometry.h"

#include "common/rounding.h"
#include "core/mMate.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace worldmap {

namespace {

using mMate::kDegToRad;
using mMate::kRadToDeg;

constexpr double kSectorSouthBoundDeg = -30.0;
constexpr double kSectorNorthBoundDeg = 30.0;
constexpr double kPolarViewBoundDeg = 70.0;
constexpr double kEquinoxDeclinationDeg = 0.5; // the terminator formula divides by tan(decl)
constexpr double kAzimuthStepFraction = 2.0 * mMate::kPi / 180.0;
constexpr int kGraticuleStepDeg = 5;
constexpr double kRimSlack = 1e-9;
constexpr int kMeridianStepLimit = 37; // one step past the far pole
constexpr const char* kDegreeSign = "\xC2\xB0"; // UTF-8

} // namespace

const std::array<OrthoView, 14>& orthographicViews()
{
    static const std::array<OrthoView, 14> views{{
        {"Map0.dat", 0, 0},       {"Map0N45.dat", 0, 45},     {"Map0S45.dat", 0, -45},
        {"Map90.dat", 90, 0},     {"Map90N45.dat", 90, 45},   {"Map90S45.dat", 90, -45},
        {"Map180.dat", 180, 0},   {"Map180N45.dat", 180, 45}, {"Map180S45.dat", 180, -45},
        {"Map270.dat", 270, 0},   {"Map270N45.dat", 270, 45}, {"Map270S45.dat", 270, -45},
        {"MapNorth.dat", 0, 90},  {"MapSouth.dat", 0, -90},
    }};
    return views;
}

const OrthoView& orthographicViewFor(double lonEast, double lat)
{
    const auto& views = orthographicViews();
    if (lat > kPolarViewBoundDeg)
        return views[12];
    if (lat < -kPolarViewBoundDeg)
        return views[13];
    std::size_t sector = 3;
    if (lonEast >= 315 || lonEast < 45)
        sector = 0;
    else if (lonEast < 135)
        sector = 1;
    else if (lonEast < 225)
        sector = 2;
    const std::size_t band = lat < kSectorSouthBoundDeg ? 2 : (lat > kSectorNorthBoundDeg ? 1 : 0);
    return views[sector * 3 + band];
}

OrthoPoint Proiezione_ortografica(double lon0, double lat0, double lon, double lat)
{
    const double p0 = lat0 * kDegToRad, p = lat * kDegToRad;
    const double dl = (lon - lon0) * kDegToRad;
    const double cosC = std::sin(p0) * std::sin(p) + std::cos(p0) * std::cos(p) * std::cos(dl);
    if (cosC < kFarSideCosC)
        return {};
    return {kGlobeRadius * std::cos(p) * std::sin(dl),
            kGlobeRadius * (std::cos(p0) * std::sin(p) - std::sin(p0) * std::cos(p) * std::cos(dl)),
            true};
}

std::optional<LonLat> orthographicReadout(double lon0, double lat0, double x, double y)
{
    const double xs = x / kGlobeRadius, ys = y / kGlobeRadius;
    // A point on the rim, to rounding, reads as the rim.
    const double rho = std::sqrt(xs * xs + ys * ys);
    if (rho > 1.0 + kRimSlack)
        return std::nullopt;
    double lonDeg = lon0;
    double latDeg = lat0;
    if (rho > 0.0) {
        const double p0 = lat0 * kDegToRad;
        const double c = std::asin(std::min(rho, 1.0));
        const double sinLat =
            std::clamp(std::cos(c) * std::sin(p0) + ys * std::sin(c) * std::cos(p0) / rho, -1.0, 1.0);
        latDeg = std::asin(sinLat) * kRadToDeg;
        // Guard: the principal-value arctangent reads 180 degrees off in half of the globe
        // (behind the pole of a polar view); the four-quadrant form reads every quadrant.
        lonDeg = lon0 + std::atan2(xs * std::sin(c), rho * std::cos(p0) * std::cos(c)
                                                         - ys * std::sin(p0) * std::sin(c))
                            * kRadToDeg;
    }
    lonDeg = std::fmod(lonDeg, 360.0);
    if (lonDeg > 180.0)
        lonDeg -= 360.0;
    else if (lonDeg <= -180.0)
        lonDeg += 360.0;
    return LonLat{lonDeg, latDeg};
}

DegreesMinutes splitDegrees(double value)
{
    DegreesMinutes split;
    split.negative = value < 0;
    const double magnitude = std::fabs(value);
    split.degrees = static_cast<int>(std::trunc(magnitude));
    split.minutes = static_cast<int>(std::trunc((magnitude - split.degrees) * 60.0));
    return split;
}

std::vector<LonLat> footprintCircle(double latDeg, double lonDeg, double geocentricKm)
{
    const double distanceKm = std::floor(geocentricKm);
    if (!(distanceKm > kEarthRadiusKm))
        return {};
    const double q = kEarthRadiusKm / distanceKm;
    const double c = mMate::kHalfPi - mMate::Arcotangente_completa(q, std::sqrt(1 - q * q));
    const double lat0 = latDeg * kDegToRad, lon0 = lonDeg * kDegToRad;
    const double sinLat0 = std::sin(lat0), cosLat0 = std::cos(lat0);
    const double sinLon0 = std::sin(lon0), cosLon0 = std::cos(lon0);
    const double sinC = std::sin(c), cosC = std::cos(c);

    std::vector<LonLat> points;
    points.reserve(kFootprintPoints);
    for (int i = 0; i < kFootprintPoints; ++i) {
        const double az = kAzimuthStepFraction * i;
        // Rotate the point at angular distance c and azimuth az around the north pole onto
        // the sub-point.
        const double z = cosC, x = sinC * std::cos(az), y = sinC * std::sin(az);
        const double t = z * cosLat0 - x * sinLat0;
        const double zr = z * sinLat0 + x * cosLat0;
        const double xr = t * cosLon0 - y * sinLon0;
        const double yr = t * sinLon0 + y * cosLon0;
        double lon = mMate::Arcotangente_completa(yr, xr) * kRadToDeg;
        if (lon > 180)
            lon -= 360;
        points.push_back({lon, mMate::Arcoseno(std::clamp(zr, -1.0, 1.0)) * kRadToDeg});
    }
    return points;
}

std::vector<Polyline> splitAtDateLine(const std::vector<LonLat>& places)
{
    std::vector<Polyline> pieces;
    if (places.empty())
        return pieces;
    Polyline current{{places.front().lon, places.front().lat}};
    for (std::size_t i = 1; i < places.size(); ++i) {
        const LonLat& p = places[i];
        const MapPoint previous = current.back();
        if (std::fabs(p.lon - previous.x) <= kDateLineJumpDeg) {
            current.push_back({p.lon, p.lat});
            continue;
        }
        const double shift = p.lon > previous.x ? -360.0 : 360.0;
        current.push_back({p.lon + shift, p.lat});
        pieces.push_back(std::move(current));
        current = Polyline{{previous.x - shift, previous.y}, {p.lon, p.lat}};
    }
    if (current.size() >= 2)
        pieces.push_back(std::move(current));
    return pieces;
}

std::vector<Polyline> visibleRuns(const std::vector<LonLat>& places, double lon0, double lat0)
{
    std::vector<Polyline> runs;
    Polyline current;
    const auto finish = [&] {
        if (current.size() >= 2)
            runs.push_back(std::move(current));
        current.clear();
    };
    for (const LonLat& place : places) {
        const OrthoPoint point = Proiezione_ortografica(lon0, lat0, place.lon, place.lat);
        if (point.visibile)
            current.push_back({point.x, point.y});
        else
            finish();
    }
    finish();
    return runs;
}

SubSolarPoint subSolarPoint(double siderealHours, double sunRaHours, double sunDeclDeg)
{
    SubSolarPoint sun;
    sun.ghaDeg = mMate::Modulo(siderealHours - sunRaHours, 24) * 360 / 24;
    if (sun.ghaDeg < 180)
        sun.place.lon = -sun.ghaDeg;
    else if (sun.ghaDeg > 180)
        sun.place.lon = 360 - sun.ghaDeg;
    else
        sun.place.lon = 180;
    sun.place.lat = sunDeclDeg;
    return sun;
}

std::array<LonLat, kTerminatorPoints> terminatorPoints(double ghaDeg, double sunDeclDeg)
{
    const double delta = (sunDeclDeg == 0 ? kEquinoxDeclinationDeg : sunDeclDeg) * kDegToRad;
    const double tanDelta = std::tan(delta);
    std::array<LonLat, kTerminatorPoints> points{};
    for (int i = 0; i < kTerminatorPoints; ++i) {
        const double lon = -180 + 0.5 * i;
        const double hourAngle = (ghaDeg + lon) * kDegToRad;
        const double lat = std::atan(-std::cos(hourAngle) / tanDelta) * kRadToDeg;
        points[static_cast<std::size_t>(i)] = {lon, roundHalfEven(lat * 100) / 100};
    }
    return points;
}

double sunlightCosine(const SubSolarPoint& sun, double lonDeg, double latDeg)
{
    const double p = latDeg * kDegToRad, ps = sun.place.lat * kDegToRad;
    return std::sin(p) * std::sin(ps)
           + std::cos(p) * std::cos(ps) * std::cos((lonDeg - sun.place.lon) * kDegToRad);
}

namespace {

/// A graticule point at latitude phi and longitude lambda from the central meridian [rad],
/// with its depth towards the viewer, on a globe tilted by phi0.
struct GlobePoint
{
    MapPoint at;
    double depth = 0;
};

GlobePoint globePoint(double phi, double lambda, double sinPhi0, double cosPhi0)
{
    const double t = kGlobeRadius * std::sin(phi);
    const double u = kGlobeRadius * std::cos(phi) * std::cos(lambda);
    return {{kGlobeRadius * std::cos(phi) * std::sin(lambda), t * cosPhi0 - u * sinPhi0},
            t * sinPhi0 + u * cosPhi0};
}

void addParallel(std::vector<Polyline>& lines, int phiDeg, double lat0)
{
    if ((lat0 > 0 && phiDeg < lat0 - 90) || phiDeg > lat0 + 90)
        return;
    const double phi0 = lat0 * kDegToRad, phi = phiDeg * kDegToRad;
    const double sinPhi0 = std::sin(phi0), cosPhi0 = std::cos(phi0);
    const double q = -(sinPhi0 * std::sin(phi)) / (cosPhi0 * std::cos(phi));
    double startDeg = -180;
    if (q > -1 && q < 1) {
        const double limbDeg = q * q <= 0.001 ? -90.0 : std::atan(std::sqrt(1 - q * q) / q) * kRadToDeg;
        startDeg = limbDeg <= 0 ? -180 - limbDeg : -limbDeg;
    }
    // The chord to a point on the near side is drawn from the previous point, seen or not.
    GlobePoint previous = globePoint(phi, startDeg * kDegToRad, sinPhi0, cosPhi0);
    Polyline run;
    for (int k = 1; startDeg + kGraticuleStepDeg * k <= -startDeg + 1e-9; ++k) {
        const GlobePoint point =
            globePoint(phi, (startDeg + kGraticuleStepDeg * k) * kDegToRad, sinPhi0, cosPhi0);
        if (point.depth >= 0) {
            if (run.empty())
                run.push_back(previous.at);
            run.push_back(point.at);
        } else if (!run.empty()) {
            lines.push_back(std::move(run));
            run.clear();
        }
        previous = point;
    }
    if (run.size() >= 2)
        lines.push_back(std::move(run));
}

void addMeridian(std::vector<Polyline>& lines, int lambdaDeg, double lat0)
{
    const double phi0 = lat0 * kDegToRad;
    const double sinPhi0 = std::sin(phi0), cosPhi0 = std::cos(phi0);
    const int startDeg = lat0 < 0 ? -90 : 90;
    const int stepDeg = lat0 < 0 ? kGraticuleStepDeg : -kGraticuleStepDeg;
    const double lambda = lambdaDeg * kDegToRad;
    Polyline line{globePoint(startDeg * kDegToRad, lambda, sinPhi0, cosPhi0).at};
    for (int k = 1; k <= kMeridianStepLimit; ++k) {
        const GlobePoint point =
            globePoint((startDeg + stepDeg * k) * kDegToRad, lambda, sinPhi0, cosPhi0);
        if (point.depth < 0)
            break;
        line.push_back(point.at);
    }
    if (line.size() >= 2)
        lines.push_back(std::move(line));
}

} // namespace

std::vector<Polyline> orthographicGraticule(double lat0)
{
    std::vector<Polyline> lines;
    for (int phi = -60; phi <= 60; phi += 30)
        addParallel(lines, phi, lat0);
    for (int lambda = -180; lambda <= 150; lambda += 30)
        addMeridian(lines, lambda, lat0);
    Polyline outline;
    for (int a = 0; a <= 360; a += 10)
        outline.push_back({kGlobeRadius * std::cos(a * kDegToRad), kGlobeRadius * std::sin(a * kDegToRad)});
    lines.push_back(std::move(outline));
    return lines;
}

std::string graticuleLabel(int value, bool meridian)
{
    std::string label = " " + std::to_string(std::abs(value));
    if (value == 0)
        return label + "  ";
    if (meridian)
        return label + kDegreeSign + (value < 0 ? "W" : "E");
    return label + kDegreeSign + (value < 0 ? "S" : "N");
}

} // namespace worldmap

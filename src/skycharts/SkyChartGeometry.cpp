#include "skycharts/SkyChartGeometry.h"

#include <cmath>

namespace skycharts {

namespace {

// Half the shorter side of a chart [chart units]: the horizon (90) leaves room for labels.
constexpr float kHalfSide = 100.0f;

// Brightness classes on screen and on paper (catalogue ranks, brightest first).
constexpr int kLastBrightRank = 293;
constexpr int kLastMediumRank = 1639;
constexpr int kFirstPaperMediumRank = 294;
constexpr int kFirstPaperFaintRank = 922;

constexpr double kDegreesPerRadian = 57.295779513;

} // namespace

ViewBox fullViewBox(double aspect)
{
    if (!(aspect > 0.0))
        return {};
    const auto ratio = static_cast<float>(aspect);
    if (ratio < 1.0f)
        return {-kHalfSide, kHalfSide / ratio, kHalfSide, -kHalfSide / ratio};
    return {-kHalfSide * ratio, kHalfSide, kHalfSide * ratio, -kHalfSide};
}

bool insideView(const ViewBox& view, float x, float y)
{
    const float left = std::min(view.left, view.right);
    const float right = std::max(view.left, view.right);
    const float bottom = std::min(view.top, view.bottom);
    const float top = std::max(view.top, view.bottom);
    return x > left && x < right && y > bottom && y < top;
}

TwilightStage twilightStage(double sunAltitudeDeg)
{
    if (sunAltitudeDeg > -6.0)
        return TwilightStage::Day;
    if (sunAltitudeDeg > -12.0)
        return TwilightStage::CivilTwilight;
    if (sunAltitudeDeg > -18.0)
        return TwilightStage::NauticalTwilight;
    return TwilightStage::Night;
}

SkyBackground skyBackground(TwilightStage stage)
{
    switch (stage) {
    case TwilightStage::Day:
        return {{0, 0, 196}, {0, 0, 196}, {0, 0, 148}, 1};
    case TwilightStage::CivilTwilight:
        return {{0, 0, 148}, {0, 0, 148}, {0, 0, 100}, 2};
    case TwilightStage::NauticalTwilight:
        return {{0, 0, 100}, {0, 0, 100}, {0, 0, 71}, 3};
    case TwilightStage::Night:
        break;
    }
    return {{0, 0, 71}, {0, 0, 96}, {0, 0, 0}, 4};
}

std::string_view azimuthLabelText(int labelNumber)
{
    // Two-digit azimuths carry a leading blank so that every label is four characters wide.
    static constexpr std::array<std::string_view, kAzimuthLabelCount> texts{
        "N",    " 30\xc2\xb0", " 60\xc2\xb0", "E",    "120\xc2\xb0", "150\xc2\xb0",
        "S",    "210\xc2\xb0", "240\xc2\xb0", "W",    "300\xc2\xb0", "330\xc2\xb0"};
    const int n = ((labelNumber % kAzimuthLabelCount) + kAzimuthLabelCount) % kAzimuthLabelCount;
    return texts[static_cast<std::size_t>(n)];
}

ChartPoint azimuthLabelPlace(int place)
{
    static constexpr std::array<ChartPoint, kAzimuthLabelCount> places{{{95, 2},
                                                                        {78, 52},
                                                                        {45, 86},
                                                                        {-2, 98},
                                                                        {-56, 85},
                                                                        {-89, 53},
                                                                        {-100, 2},
                                                                        {-92, -45},
                                                                        {-59, -78},
                                                                        {-2, -92},
                                                                        {45, -78},
                                                                        {78, -45}}};
    const int p = ((place % kAzimuthLabelCount) + kAzimuthLabelCount) % kAzimuthLabelCount;
    return places[static_cast<std::size_t>(p)];
}

int azimuthLabelAt(int place, SkyOrientation orientation)
{
    const int k = static_cast<int>(orientation);
    const int azimuth = ((270 + 30 * place - 90 * k) % 360 + 360) % 360;
    return azimuth / 30;
}

StarClass screenStarClass(int rank)
{
    if (rank <= kLastBrightRank)
        return StarClass::Bright;
    if (rank <= kLastMediumRank)
        return StarClass::Medium;
    return StarClass::Faint;
}

int paperStarWidth(int rank)
{
    if (rank < kFirstPaperMediumRank)
        return 12;
    if (rank < kFirstPaperFaintRank)
        return 8;
    return 3;
}

MoonPhaseShape moonPhaseShape(double elongationRad)
{
    // The angle is first held in single precision, as the charts keep it.
    const auto degrees = static_cast<float>(elongationRad * kDegreesPerRadian);
    const auto nearest = static_cast<long>(std::lround(360.0f - degrees));
    const int p = static_cast<int>(((nearest % 360) + 360) % 360);
    MoonPhaseShape shape;
    shape.position = p;
    if (p < 90) {
        shape = {p, true, false, true, 1.0 - p / 90.0};
    } else if (p < 180) {
        shape = {p, false, true, false, (p - 90) / 90.0};
    } else if (p < 270) {
        shape = {p, false, true, true, 1.0 - (p - 180) / 90.0};
    } else {
        shape = {p, true, false, false, (p - 270) / 90.0};
    }
    return shape;
}

std::optional<NearestPoint> nearestPoint(std::span<const ChartPoint> points, float x, float y)
{
    std::optional<NearestPoint> best;
    double bestDistance = 99999.0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double dx = static_cast<double>(x) - points[i].x;
        const double dy = static_cast<double>(y) - points[i].y;
        const double d = dx * dx + dy * dy;
        if (d < bestDistance) {
            bestDistance = d;
            best = NearestPoint{static_cast<int>(i) + 1, d};
        }
    }
    return best;
}

SkyPick pickSkyObject(const ViewBox& view, float x, float y, std::span<const ChartPoint> stars,
                      std::span<const ChartPoint> bodies, double threshold)
{
    // The whole view counts: every object drawn can be picked, wherever it stands.
    if (!insideView(view, x, y))
        return {};
    const std::optional<NearestPoint> star = nearestPoint(stars, x, y);
    const std::optional<NearestPoint> body = nearestPoint(bodies, x, y);
    const double starDistance = star ? star->distanceSquared : 99999.0;
    const double bodyDistance = body ? body->distanceSquared : 99999.0;
    if (starDistance >= threshold && bodyDistance >= threshold)
        return {};
    if (starDistance < bodyDistance)
        return {SkyPick::Kind::Star, star->index};
    return {SkyPick::Kind::Body, body->index};
}

int pickTrackPoint(const ViewBox& view, float x, float y, std::span<const ChartPoint> track)
{
    if (track.size() < 2 || !insideView(view, x, y))
        return 0;
    const std::optional<NearestPoint> nearest = nearestPoint(track.first(track.size() - 1), x, y);
    const double limit = std::fabs(view.height()) / 10.0;
    if (!nearest || nearest->distanceSquared >= limit)
        return 0;
    return nearest->index;
}

} // namespace skycharts

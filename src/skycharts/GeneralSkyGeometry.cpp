#include "skycharts/GeneralSkyGeometry.h"

#include <algorithm>
#include <cmath>

namespace skycharts {

namespace {

// A segment spanning more right ascension than this [hours] goes the short way round, across 0 h.
constexpr float kWrapSpanHours = 16.0f;
// The pick threshold is the view's shorter side divided by this.
constexpr double kPickThresholdDivisor = 400.0;
constexpr double kNothingNear = 99999.0;

/// The first strict minimum of (x - px)^2 + (y - py)^2 / weight.
std::optional<NearestPoint> nearestWeighted(std::span<const ChartPoint> points, ChartPoint at,
                                            double weight)
{
    std::optional<NearestPoint> best;
    double bestDistance = kNothingNear;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double dx = static_cast<double>(at.x) - points[i].x;
        const double dy = static_cast<double>(at.y) - points[i].y;
        const double d = dx * dx + dy * dy / weight;
        if (d < bestDistance) {
            bestDistance = d;
            best = NearestPoint{static_cast<int>(i) + 1, d};
        }
    }
    return best;
}

} // namespace

bool isWholeSkyView(const ViewBox& view)
{
    return std::fabs(view.width()) == kWholeSkyHours;
}

std::vector<ChartSegment> constellationSegmentPieces(ChartPoint a, ChartPoint b)
{
    if (std::fabs(b.x - a.x) <= kWrapSpanHours)
        return {{a, b}};
    const float turn = kWholeSkyHours;
    if (b.x <= a.x)
        return {{a, {b.x + turn, b.y}}, {{a.x - turn, a.y}, b}};
    return {{{a.x + turn, a.y}, b}, {a, {b.x - turn, b.y}}};
}

EquatorialReadout equatorialReadout(float rightAscensionHours, float declinationDeg)
{
    EquatorialReadout r;
    const double x = rightAscensionHours;
    r.sign = declinationDeg < 0 ? '-' : '+';
    r.hours = static_cast<int>(std::floor(x));
    const double fraction = x - r.hours;
    r.minutes = static_cast<int>(std::floor(fraction * 60.0));
    r.seconds = std::max(0, static_cast<int>(std::floor((fraction - r.minutes / 60.0) * 3600.0)));
    const double y = std::fabs(static_cast<double>(declinationDeg));
    r.degrees = static_cast<int>(std::floor(y));
    r.arcMinutes = static_cast<int>(std::floor((y - r.degrees) * 60.0));
    return r;
}

bool onView(const ViewBox& view, ChartPoint point)
{
    const auto between = [](float value, float a, float b) {
        return value >= std::min(a, b) && value <= std::max(a, b);
    };
    return between(point.x, view.left, view.right) && between(point.y, view.bottom, view.top);
}

std::optional<ViewBox> zoomedWholeSkyView(ChartPoint start, ChartPoint release, float minimumHours,
                                          float minimumDeg)
{
    // Guard: the size is tested on the held corner, so a drag that ends beyond an edge can
    // never leave a box of no width or height (a scale that divides by zero).
    const float x = std::clamp(release.x, 0.0f, kWholeSkyHours);
    const float y = std::clamp(release.y, -kWholeSkyNorthDeg, kWholeSkyNorthDeg);
    if (!(std::fabs(x - start.x) >= minimumHours) || !(std::fabs(y - start.y) >= minimumDeg))
        return std::nullopt;
    return ViewBox{start.x, start.y, x, y};
}

SkyPick pickOnWholeSky(const ViewBox& view, ChartPoint click, std::span<const ChartPoint> stars,
                       std::span<const ChartPoint> bodies)
{
    const double width = std::fabs(view.width());
    const double height = std::fabs(view.height());
    if (!(width > 0) || !(height > 0))
        return {};
    const double weight = height / width;
    const std::optional<NearestPoint> star = nearestWeighted(stars, click, weight);
    const std::optional<NearestPoint> body = nearestWeighted(bodies, click, weight);
    const double starDistance = star ? star->distanceSquared : kNothingNear;
    const double bodyDistance = body ? body->distanceSquared : kNothingNear;
    const double threshold = std::min(width, height) / kPickThresholdDivisor;
    if (starDistance >= threshold && bodyDistance >= threshold)
        return {};
    if (bodyDistance <= starDistance)
        return {SkyPick::Kind::Body, body->index};
    return {SkyPick::Kind::Star, star->index};
}

} // namespace skycharts

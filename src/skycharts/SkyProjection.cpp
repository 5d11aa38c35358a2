#include "skycharts/SkyProjection.h"

#include "core/mAstro.h"
#include "core/mMate.h"

#include <cmath>

namespace skycharts {
namespace {

constexpr double kFullCircleDeg = 360.0;
constexpr double kQuarterTurnDeg = 90.0;
constexpr double kZenithAltitudeDeg = 90.0;
constexpr double kHorizonRadius = mAstro::kHorizonRadius;

// Reduces to [0, 360). Modulo of a tiny negative angle rounds up to exactly 360.
double normalisedAzimuth(double degrees)
{
    const double reduced = mMate::Modulo(degrees, kFullCircleDeg);
    return reduced >= kFullCircleDeg ? 0.0 : reduced;
}

} // namespace

SkyOrientation orientationFromTicks(bool south, bool east, bool north, bool west)
{
    if (south)
        return SkyOrientation::South;
    if (east)
        return SkyOrientation::East;
    if (north)
        return SkyOrientation::North;
    if (west)
        return SkyOrientation::West;
    return SkyOrientation::South;
}

ChartPoint SkyProjection::toChart(double azimuthDeg, double altitudeDeg) const
{
    const double turned = azimuthDeg + kQuarterTurnDeg * quarterTurns();
    double x = 0;
    double y = 0;
    if (m_form == SkyProjectionForm::Normal) {
        const double radius = kZenithAltitudeDeg - altitudeDeg;
        const double angle = mMate::Modulo(turned + kQuarterTurnDeg, kFullCircleDeg)
                             * mMate::kDegToRad;
        x = radius * std::cos(angle);
        y = radius * std::sin(angle);
    } else {
        // 90 tan(45 deg - altitude / 2), written with the rounded pi of the program.
        const double angle = mMate::Modulo(turned, kFullCircleDeg) * mMate::kDegToRad;
        const double halfColatitude = mMate::kPi / 4.0 - altitudeDeg * mMate::kDegToRad / 2.0;
        const double radius = kHorizonRadius * std::sin(halfColatitude) / std::cos(halfColatitude);
        x = radius * std::sin(mMate::kTwoPi - angle);
        y = radius * std::cos(mMate::kTwoPi - angle);
    }
    return {static_cast<float>(x), static_cast<float>(y)};
}

HorizontalDirection SkyProjection::toHorizontal(ChartPoint point) const
{
    const double x = point.x;
    const double y = point.y;
    const double angle = mMate::Arcotangente_completa(y, x);
    const double radius = std::sqrt(x * x + y * y);

    HorizontalDirection direction;
    direction.azimuthDeg = normalisedAzimuth(angle * mMate::kRadToDeg
                                             - kQuarterTurnDeg * quarterTurns()
                                             - kQuarterTurnDeg);
    if (m_form == SkyProjectionForm::Normal)
        direction.altitudeDeg = kZenithAltitudeDeg - radius;
    else
        direction.altitudeDeg = (mMate::kPi - 4.0 * std::atan(radius / kHorizonRadius)) / 2.0
                                * mMate::kRadToDeg;
    return direction;
}

std::optional<ChartSegment> visiblePartOfLine(ChartPoint first, double firstAltitudeDeg,
                                              ChartPoint second, double secondAltitudeDeg)
{
    if (firstAltitudeDeg > 0 && secondAltitudeDeg > 0)
        return ChartSegment{first, second};
    if (!(firstAltitudeDeg * secondAltitudeDeg < 0)) // also when an altitude is not a number
        return std::nullopt;

    ChartPoint above = firstAltitudeDeg > 0 ? first : second;
    ChartPoint below = firstAltitudeDeg > 0 ? second : first;
    const mAstro::CircleClip clip = mAstro::Intersezione_cerchio(above.x, above.y, below.x,
                                                                 below.y);
    // Guard: a segment whose end below the horizon could not be moved onto the circle would
    // otherwise be drawn across the horizon into the margin; leave it out instead.
    if (clip != mAstro::CircleClip::Clipped)
        return std::nullopt;
    return ChartSegment{above, below};
}

} // namespace skycharts

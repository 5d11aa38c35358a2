#pragma once
// Projection of the observer's sky onto a round chart: the zenith at the centre, the horizon
// on the circle of radius 90 chart units, x to the right and y upwards. Two forms share the
// direction of a point from the centre and differ only in its radius:
//   - normal (azimuthal equidistant): radius 90 - altitude, linear in altitude;
//   - stereographic: radius 90 tan(45 - altitude / 2), which shrinks the sky near the zenith
//     and grows without bound towards the nadir.
// The orientation names the compass point at the bottom of the chart, the direction the
// observer faces when holding the chart overhead; seen from below, north, east, south and
// west follow one another counter-clockwise.
//
// The horizon radius is mAstro::kHorizonRadius.
//
// Plain C++ (no Qt): the local sky map, the pass chart and their printouts place every point
// through it, so it is tested on its own. Arithmetic uses the program's rounded constants
// (mMate), so charts match those drawn from stored results.

#include <optional>

namespace skycharts {

enum class SkyProjectionForm {
    Normal,        ///< azimuthal equidistant
    Stereographic,
};

/// The compass point at the bottom of the chart. The values are the projection's quarter
/// turns k (the chart is turned by 90 k degrees); they are not the numbering of the stored
/// orientation options (0 north, 1 south, 2 west, 3 east).
enum class SkyOrientation {
    South = 0, ///< north at the top, east on the left
    East = 1,  ///< west at the top, north on the left
    North = 2, ///< south at the top, west on the left
    West = 3,  ///< east at the top, south on the left
};

/// The orientation chosen by four check marks, tested in the order south, east, north, west:
/// the first one set wins, and with none set the chart is oriented as for south.
[[nodiscard]] SkyOrientation orientationFromTicks(bool south, bool east, bool north, bool west);

/// A position on the chart [chart units], single precision as the charts store positions.
struct ChartPoint
{
    float x = 0;
    float y = 0;
};

/// A direction in the observer's sky [degrees]: azimuth from north through east,
/// altitude above the horizon.
struct HorizontalDirection
{
    double azimuthDeg = 0;
    double altitudeDeg = 0;
};

/// A straight chart segment from `from` to `to`.
struct ChartSegment
{
    ChartPoint from;
    ChartPoint to;
};

/// One projection form in one orientation; both directions of the mapping.
class SkyProjection
{
public:
    constexpr SkyProjection() = default;
    constexpr SkyProjection(SkyProjectionForm form, SkyOrientation orientation)
        : m_form(form), m_orientation(orientation)
    {}

    [[nodiscard]] constexpr SkyProjectionForm form() const { return m_form; }
    [[nodiscard]] constexpr SkyOrientation orientation() const { return m_orientation; }

    /// The chart position of a direction (azimuth, altitude in degrees). The zenith maps to
    /// (0, 0) and altitude 0 to the horizon circle; below the horizon the point lies outside
    /// it (stereographic: very far out near altitude -90).
    [[nodiscard]] ChartPoint toChart(double azimuthDeg, double altitudeDeg) const;

    /// The direction of a chart position; azimuth in [0, 360), altitude 90 at the centre.
    /// The inverse of toChart up to rounding.
    [[nodiscard]] HorizontalDirection toHorizontal(ChartPoint point) const;

private:
    [[nodiscard]] constexpr int quarterTurns() const { return static_cast<int>(m_orientation); }

    SkyProjectionForm m_form = SkyProjectionForm::Normal;
    SkyOrientation m_orientation = SkyOrientation::South;
};

/// The part of a chart line to draw, given the projected ends and their altitudes [degrees]:
/// - both ends above the horizon (altitude > 0): the whole segment;
/// - one end above and one below: from the end above to the point where the segment meets
///   the horizon circle (the end above always comes first in the result);
/// - otherwise (both at or below the horizon, or one end exactly on it): nothing.
[[nodiscard]] std::optional<ChartSegment> visiblePartOfLine(ChartPoint first,
                                                            double firstAltitudeDeg,
                                                            ChartPoint second,
                                                            double secondAltitudeDeg);

} // namespace skycharts

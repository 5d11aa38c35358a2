#pragma once
// Geometry and classification shared by the sky charts (local sky, pass chart, whole sky and
// their printouts), free of any drawing: the view box of a chart, the twilight stage of the
// background, the azimuth labels round the horizon, the brightness classes of the catalogue
// stars, the shape of the Moon's phase disc, and picking the object nearest to a click.
// Plain C++, tested on its own.

#include "skycharts/SkyProjection.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace skycharts {

/// The chart units at the edges of a view: left, top, right and bottom.
struct ViewBox
{
    float left = -100;
    float top = 100;
    float right = 100;
    float bottom = -100;

    [[nodiscard]] float width() const { return right - left; }
    [[nodiscard]] float height() const { return bottom - top; } ///< negative: y points up
    bool operator==(const ViewBox&) const = default;
};

/// The whole-sky view of a picture whose width divided by its height is `aspect`: the shorter
/// side spans -100 to 100, the same scale on both axes, y upwards. A ratio that is not positive
/// (a picture of no size) gives the square view.
[[nodiscard]] ViewBox fullViewBox(double aspect);

/// Whether a chart point lies strictly inside the view (a mirrored zoom box included).
[[nodiscard]] bool insideView(const ViewBox& view, float x, float y);

/// The background of the sky by the Sun's altitude.
enum class TwilightStage { Day, CivilTwilight, NauticalTwilight, Night };

[[nodiscard]] TwilightStage twilightStage(double sunAltitudeDeg);

/// An RGB colour of the charts.
struct Rgb
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

/// The colours of a twilight stage: the flat sky fill, the gradient from the horizon rim to
/// the zenith, and which of the four stored grid colours (1..4) the grid takes.
struct SkyBackground
{
    Rgb fill;
    Rgb gradientRim;
    Rgb gradientCentre;
    int gridColourNumber = 1;
    bool operator==(const SkyBackground&) const = default;
};

[[nodiscard]] SkyBackground skyBackground(TwilightStage stage);

/// Twelve azimuth labels, one every 30 degrees from north ("N", " 30°", ... "330°").
inline constexpr int kAzimuthLabelCount = 12;
[[nodiscard]] std::string_view azimuthLabelText(int labelNumber);

/// Top-left corner [chart units] of the label place p (0..11, counter-clockwise from the
/// right); the places do not follow a zoom.
[[nodiscard]] ChartPoint azimuthLabelPlace(int place);

/// Which label (azimuth / 30, 0..11) stands at place p for an orientation: the azimuth
/// (270 + 30 p - 90 k) mod 360, k the projection's quarter turns.
[[nodiscard]] int azimuthLabelAt(int place, SkyOrientation orientation);

/// The brightness class of a catalogue star on screen, by its rank (1-based, brightest first).
enum class StarClass { Bright, Medium, Faint };
[[nodiscard]] StarClass screenStarClass(int rank);
/// The point width of a star on paper by its rank: 12, 8 or 3 printer pixels.
[[nodiscard]] int paperStarWidth(int rank);

/// The Moon's phase disc as a lit or dark full disc, a half disc of the other colour on the
/// left or right, and an ellipse (the terminator) in the half disc's colour whose horizontal
/// semi-axis is `terminatorAspect` times the radius (0: none).
struct MoonPhaseShape
{
    int position = 0;        ///< 0 new Moon, 90 last quarter, 180 full, 270 first quarter
    bool discLit = false;    ///< full disc white (lit) or black
    bool halfLit = false;    ///< the half disc white or black
    bool halfOnRight = false;
    double terminatorAspect = 0;
};

/// The shape for the Moon's elongation from the Sun [radians, 0 new Moon, pi full Moon].
[[nodiscard]] MoonPhaseShape moonPhaseShape(double elongationRad);

/// The point of a list nearest to (x, y) by squared chart distance: the first strict minimum.
struct NearestPoint
{
    int index = 0; ///< 1-based, as the catalogues count
    double distanceSquared = 0;
};
[[nodiscard]] std::optional<NearestPoint> nearestPoint(std::span<const ChartPoint> points, float x,
                                                       float y);

/// What a click on a chart identifies.
struct SkyPick
{
    enum class Kind { Nothing, Star, Body } kind = Kind::Nothing;
    int index = 0; ///< star rank, or body number 1..9
};

/// The star or body nearest to a click. The nearer wins and a tie goes to the body; nothing
/// is picked when neither squared distance is below `threshold` (|ScaleHeight| / 30) or the
/// click lies outside the view.
[[nodiscard]] SkyPick pickSkyObject(const ViewBox& view, float x, float y,
                                    std::span<const ChartPoint> stars,
                                    std::span<const ChartPoint> bodies, double threshold);

/// The track point (1..n-1; the last point is never taken) that a press in label mode picks,
/// or 0: the nearest one whose squared distance is below |ScaleHeight| / 10, inside the view.
[[nodiscard]] int pickTrackPoint(const ViewBox& view, float x, float y,
                                 std::span<const ChartPoint> track);

/// The limiting magnitudes a chart offers, as counts of catalogue stars from the brightest:
/// fainter than 6.5, then 6.5 down to 1.5 in steps of 0.5.
inline constexpr int kLimitingMagnitudeCount = 12;
inline constexpr std::array<int, kLimitingMagnitudeCount> kLimitingMagnitudeStars{
    9010, 8523, 5146, 2906, 1639, 921, 521, 293, 176, 94, 50, 23};
/// The limiting magnitude each entry names; entry 0 stands for any magnitude fainter than its.
inline constexpr std::array<double, kLimitingMagnitudeCount> kLimitingMagnitudes{
    6.5, 6.5, 6.0, 5.5, 5.0, 4.5, 4.0, 3.5, 3.0, 2.5, 2.0, 1.5};

/// Whether a label's index names a point of the current track (1..count).
[[nodiscard]] constexpr bool labelIndexValid(int index, int trackPointCount)
{
    return index >= 1 && index <= trackPointCount;
}

} // namespace skycharts

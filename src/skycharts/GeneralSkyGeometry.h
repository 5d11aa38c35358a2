#pragma once
// Geometry of the whole-sky chart, free of any drawing: the equatorial chart plots right
// ascension [hours] across, 24 h at the left edge to 0 h at the right, and declination
// [degrees] upwards, +90 at the top to -90 at the bottom, with nothing projected. Here: the
// pieces of a constellation segment that crosses 0 h, the pointer readout, the view a zoom
// drag gives, and picking the star or body nearest to a click. Plain C++, tested on its own.

#include "skycharts/SkyChartGeometry.h"

#include "tracking/DisplayOptions.h"

#include <optional>
#include <span>
#include <vector>

namespace skycharts {

/// The whole sky: 24 h, +90 degrees at the top left; 0 h, -90 degrees at the bottom right.
inline constexpr ViewBox kWholeSkyView{kGeneralSkyFullView.left, kGeneralSkyFullView.top,
                                       kGeneralSkyFullView.right, kGeneralSkyFullView.bottom};
/// The right ascension [hours] and declination [degrees] the chart spans.
inline constexpr float kWholeSkyHours = 24.0f;
inline constexpr float kWholeSkyNorthDeg = 90.0f;

/// Whether a view shows the whole sky (24 h across): labels are then short.
[[nodiscard]] bool isWholeSkyView(const ViewBox& view);

/// The lines that draw a constellation segment between two stars [hours, degrees]. A segment
/// spanning more than 16 h of right ascension crosses 0 h: it is drawn twice, shifted by a full
/// turn on each side, so one piece leaves the chart at 0 h and the other enters it at 24 h
/// (the parts beyond the edges are clipped). Any other segment is one line.
[[nodiscard]] std::vector<ChartSegment> constellationSegmentPieces(ChartPoint a, ChartPoint b);

/// The pointer readout of a chart point: right ascension and declination, each part
/// truncated, never rounded up into the next unit.
struct EquatorialReadout
{
    char sign = '+'; ///< '-' below the equator
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int degrees = 0;    ///< of the absolute declination
    int arcMinutes = 0; ///< of the absolute declination
};
[[nodiscard]] EquatorialReadout equatorialReadout(float rightAscensionHours, float declinationDeg);

/// Whether a point [hours, degrees] lies on a view, its edges included, whichever way the view
/// is mirrored. A pointer dragged beyond the chart names no point of the sky it shows (nor,
/// beyond the whole sky, any point of the sky at all).
[[nodiscard]] bool onView(const ViewBox& view, ChartPoint point);

/// The view that a zoom drag from `start` (where the button went down) to `release` gives: the
/// release point is first held to the whole sky, then the box is refused (nothing) unless both
/// of its sides are at least the minimum [hours, degrees]. The press corner becomes the top left
/// of the new view and the release corner the bottom right, so a drag leftwards mirrors right
/// ascension and a drag upwards mirrors declination.
[[nodiscard]] std::optional<ViewBox> zoomedWholeSkyView(ChartPoint start, ChartPoint release,
                                                        float minimumHours, float minimumDeg);

/// The star or body nearest to a click on a view [hours, degrees]. Declination differences count
/// divided by the view's height-to-width ratio, so both axes weigh as on the screen; the nearer
/// wins, a body wins a tie, the brightest star wins a tie among stars, and nothing is picked
/// when both squared distances reach min(|width|, |height|) / 400.
[[nodiscard]] SkyPick pickOnWholeSky(const ViewBox& view, ChartPoint click,
                                     std::span<const ChartPoint> stars,
                                     std::span<const ChartPoint> bodies);

} // namespace skycharts

#include "controls/RangeTool/RangeToolGeometry.h"

#include <algorithm>
#include <cmath>

namespace controls {

namespace {

// A thumb's left edge travels the width less the thumb and a two-pixel end margin.
constexpr int kTravelMarginPx = kRangeThumbSide + 2;
// Track ends inset from the sides [pixels].
constexpr int kTrackInsetPx = 4;
// The band starts under the middle of the lower thumb ...
constexpr int kBandOffsetPx = kRangeThumbSide / 2;
// ... 4 pixels below the upper thumb row and 3 above the lower one, and is never narrower.
constexpr int kBandGapAbovePx = 4;
constexpr int kBandGapBelowPx = 3;
constexpr int kBandMinimumWidthPx = 2;

int thumbLeft(int value, int minimum, int span, int travel)
{
    // Guard: an empty scale (minimum == maximum) would divide by zero; its one value is at
    // the left end.
    if (span <= 0 || travel <= 0)
        return 0;
    return static_cast<int>(
        std::lround(static_cast<double>(value - minimum) / span * travel));
}

} // namespace

RangeToolGeometry rangeToolGeometry(QSize surface, int minimum, int maximum, int lowerValue,
                                    int upperValue)
{
    const int w = surface.width();
    const int h = surface.height();
    RangeToolGeometry geometry;
    geometry.travel = std::max(w - kTravelMarginPx, 0);
    const int span = maximum - minimum;
    geometry.upperLeft = thumbLeft(upperValue, minimum, span, geometry.travel);
    geometry.lowerLeft = thumbLeft(lowerValue, minimum, span, geometry.travel);
    geometry.band = QRect(geometry.lowerLeft + kBandOffsetPx, kRangeThumbSide + kBandGapAbovePx,
                          std::max(geometry.upperLeft - geometry.lowerLeft, kBandMinimumWidthPx),
                          h - 2 * kRangeThumbSide - kBandGapAbovePx - kBandGapBelowPx);
    geometry.track = QRect(kTrackInsetPx, kRangeThumbSide, w - 2 * kTrackInsetPx,
                           h - 2 * kRangeThumbSide);
    return geometry;
}

int rangeValueAt(int position, int travel, int minimum, int maximum)
{
    if (travel <= 0)
        return minimum;
    const int clamped = std::clamp(position, 0, travel);
    const float unitsPerPixel = static_cast<float>(static_cast<double>(maximum - minimum) / travel);
    const double value = std::nearbyint(static_cast<double>(unitsPerPixel) * clamped + minimum);
    return std::clamp(static_cast<int>(value), minimum, maximum);
}

RangeValues dragLowerThumb(int value, int savedUpper, bool upperLocked)
{
    RangeValues values;
    values.lower = upperLocked ? std::min(value, savedUpper) : value;
    values.upper = std::max(values.lower, savedUpper);
    return values;
}

RangeValues dragUpperThumb(int value, int savedLower, bool lowerLocked)
{
    RangeValues values;
    values.upper = lowerLocked ? std::max(value, savedLower) : value;
    values.lower = std::min(values.upper, savedLower);
    return values;
}

} // namespace controls

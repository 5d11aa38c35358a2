#pragma once
// Geometry and drag arithmetic of the two-thumb range slider, in pixels of the slider's
// surface. Pure functions, so the slider's rules can be checked without a widget.

#include <QRect>
#include <QSize>

namespace controls {

/// Side of a thumb [pixels].
inline constexpr int kRangeThumbSide = 15;

struct RangeToolGeometry
{
    int travel = 0;    ///< range of a thumb's left edge [pixels]
    int upperLeft = 0; ///< left edge of the upper thumb [pixels]
    int lowerLeft = 0; ///< left edge of the lower thumb [pixels]
    QRect band;        ///< the selected range, between the thumb rows
    QRect track;       ///< the groove with its 3-D edge
};

/// Places thumbs, band and track for the values on a surface of the given size. With
/// minimum == maximum every value sits at the left end.
[[nodiscard]] RangeToolGeometry rangeToolGeometry(QSize surface, int minimum, int maximum,
                                                  int lowerValue, int upperValue);

/// The scale value under a thumb whose left edge is at position (clamped to 0..travel):
/// units per pixel kept as a 32-bit float, halves rounded to even, the result within
/// minimum..maximum.
[[nodiscard]] int rangeValueAt(int position, int travel, int minimum, int maximum);

struct RangeValues
{
    int lower = 0;
    int upper = 0;
    bool operator==(const RangeValues&) const = default;
};

/// One drag step of the lower thumb to value. The upper thumb is pushed along and comes back
/// towards savedUpper (its value at the press), never beyond it; a locked upper thumb stops
/// the lower one at savedUpper instead.
[[nodiscard]] RangeValues dragLowerThumb(int value, int savedUpper, bool upperLocked);

/// One drag step of the upper thumb, the mirror of dragLowerThumb.
[[nodiscard]] RangeValues dragUpperThumb(int value, int savedLower, bool lowerLocked);

} // namespace controls

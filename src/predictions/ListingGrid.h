#pragma once
// The time grid of a listing: the instants at which an ephemeris or a relative-motion listing
// makes a row. Instants are local civil date values (core/DateValue.h); inside the grid they are
// whole seconds on a continuous scale, so a span that is a whole number of steps ends exactly
// on its end instant, however long the listing.

#include <cstdint>
#include <optional>

struct ListingGrid
{
    std::int64_t firstRowSecond = 0; ///< the first row's instant [s on the linear scale]
    std::int64_t stepSeconds = 1;    ///< [s], at least 1
    std::int64_t rowCount = 0;
    /// Whole seconds from the instant before the first row to the end: the progress total.
    std::int64_t spanSeconds = 0;

    /// The local date value of row `index` (0-based).
    [[nodiscard]] double rowDate(std::int64_t index) const;
};

/// Whole seconds of a date value on the linear scale, rounded to the nearest second.
[[nodiscard]] std::int64_t linearSeconds(double date);
/// The date value of a count of seconds on the linear scale.
[[nodiscard]] double dateFromLinearSeconds(std::int64_t seconds);

/// Rows every `stepSeconds` (rounded to whole seconds) from `start`, while the instant before a
/// row lies before `end`: the last row may fall up to one step after the end. Empty when the
/// step rounds to less than one second: such a step would never reach the end.
[[nodiscard]] std::optional<ListingGrid> fixedStepGrid(double start, double end,
                                                       double stepSeconds);

/// The automatic step for a span of `minuteBoundaries` minute boundaries [s]: 15 s under 10
/// minutes, 30 s under 20, 60 s under an hour, 120 s under 12 hours, 180 s from 12 hours on.
[[nodiscard]] std::int64_t automaticStepSeconds(std::int64_t minuteBoundaries);

/// The automatic grid: it starts at the quarter minute (second 0, 15, 30 or 45) at or before
/// `start` - 15 s, one whose seconds are exactly 15, 30 or 45 moving back to the previous
/// quarter, and steps by automaticStepSeconds of the minute boundaries from there to `end`.
[[nodiscard]] ListingGrid automaticStepGrid(double start, double end);

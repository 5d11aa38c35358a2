#include "predictions/ListingGrid.h"

#include "core/DateValue.h"

#include <cmath>

namespace {

constexpr std::int64_t kSecondsPerMinute = 60;
constexpr std::int64_t kQuarterMinuteSeconds = 15;
/// The automatic grid begins this far before the start, so the first row is near it.
constexpr std::int64_t kAutomaticLeadSeconds = 15;

/// Floor division: minute boundaries count the same way before and after the epoch.
std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

/// Rows made while the instant before a row lies before the end: ceil((end - t) / step).
ListingGrid gridFrom(std::int64_t beforeFirst, std::int64_t end, std::int64_t step)
{
    ListingGrid grid;
    grid.stepSeconds = step;
    grid.firstRowSecond = beforeFirst + step;
    grid.spanSeconds = end > beforeFirst ? end - beforeFirst : 0;
    grid.rowCount = grid.spanSeconds > 0 ? (grid.spanSeconds + step - 1) / step : 0;
    return grid;
}

} // namespace

double ListingGrid::rowDate(std::int64_t index) const
{
    return dateFromLinearSeconds(firstRowSecond + index * stepSeconds);
}

std::int64_t linearSeconds(double date)
{
    return static_cast<std::int64_t>(
        std::llround(DateValue::toLinearDays(date) * DateValue::kSecondsPerDay));
}

double dateFromLinearSeconds(std::int64_t seconds)
{
    return DateValue::fromLinearDays(static_cast<double>(seconds) / DateValue::kSecondsPerDay);
}

std::optional<ListingGrid> fixedStepGrid(double start, double end, double stepSeconds)
{
    // Guard: a step of less than a second would never advance the grid to its end.
    if (!std::isfinite(stepSeconds) || std::llround(stepSeconds) < 1)
        return std::nullopt;
    const std::int64_t step = std::llround(stepSeconds);
    return gridFrom(linearSeconds(start) - step, linearSeconds(end), step);
}

std::int64_t automaticStepSeconds(std::int64_t minuteBoundaries)
{
    // Twelve hours exactly take the longer step of the spans beyond it.
    if (minuteBoundaries < 10)
        return 15;
    if (minuteBoundaries < 20)
        return 30;
    if (minuteBoundaries < 60)
        return 60;
    if (minuteBoundaries < 720)
        return 120;
    return 180;
}

ListingGrid automaticStepGrid(double start, double end)
{
    std::int64_t t = linearSeconds(start) - kAutomaticLeadSeconds;
    std::int64_t c = t - floorDiv(t, kSecondsPerMinute) * kSecondsPerMinute;
    // Seconds 1-15 go back to 0, 16-30 to 15, 31-45 to 30, 46-59 to 45; second 0 stays.
    while (c > kQuarterMinuteSeconds)
        c -= kQuarterMinuteSeconds;
    t -= c;
    const std::int64_t tEnd = linearSeconds(end);
    const std::int64_t minutes =
        floorDiv(tEnd, kSecondsPerMinute) - floorDiv(t, kSecondsPerMinute);
    return gridFrom(t, tEnd, automaticStepSeconds(minutes));
}

#pragma once
// Rounding rules of the program's arithmetic. Int is std::floor and Fix is std::trunc; the
// display patterns round halves away from zero (std::round); converting a number to an
// integer and the few explicit roundings round halves to even.

#include <cmath>

/// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
/// Independent of the floating-point environment, unlike std::nearbyint.
[[nodiscard]] inline double roundHalfEven(double value) noexcept
{
    if (!std::isfinite(value))
        return value;
    const double lower = std::floor(value);
    const double difference = value - lower;
    if (difference < 0.5)
        return lower;
    if (difference > 0.5)
        return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

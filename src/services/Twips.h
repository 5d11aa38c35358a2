#pragma once
// Twips: the program's unit of window, picture and page lengths, 1440 to the inch.

namespace twips {

inline constexpr double kPerInch = 1440.0;

/// Screen pixels are counted at a fixed 96 per inch (Qt's logical pixels), 15 twips each;
/// the charts rely on that figure when they turn a picture size into pixels.
inline constexpr double kPerScreenPixel = 15.0;

/// Twips in one pixel of a device with the given resolution [dots per inch].
[[nodiscard]] constexpr double perPixel(double dotsPerInch) { return kPerInch / dotsPerInch; }

[[nodiscard]] constexpr double fromPixels(double pixels, double dotsPerInch = 96.0)
{
    return pixels * perPixel(dotsPerInch);
}

[[nodiscard]] constexpr double toPixels(double twipsValue, double dotsPerInch = 96.0)
{
    return twipsValue / perPixel(dotsPerInch);
}

} // namespace twips

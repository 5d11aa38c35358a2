#pragma once
// Colours as the program stores them: 32-bit RGB values with red in the low byte
// (red + 256 green + 65536 blue), as in the options and the colour tables.

#include <QColor>

#include <cstdint>

namespace colours {

/// The stored value of a colour: red in the low byte.
[[nodiscard]] constexpr std::uint32_t rgbValue(int red, int green, int blue)
{
    return static_cast<std::uint32_t>(red & 0xff) | (static_cast<std::uint32_t>(green & 0xff) << 8)
           | (static_cast<std::uint32_t>(blue & 0xff) << 16);
}

[[nodiscard]] std::uint32_t rgbValue(const QColor& colour);

/// The colour of a stored value; bits above the blue byte are ignored.
[[nodiscard]] QColor fromRgbValue(std::uint32_t value);

/// Colour n (0..15) of the standard sixteen-colour palette: 0 black, 1 blue, 2 green, 3 cyan,
/// 4 red, 5 magenta, 6 yellow, 7 light grey, 8 grey, 9..14 their bright forms, 15 white.
/// A number outside 0..15 gives black.
[[nodiscard]] QColor standardPalette(int n);

} // namespace colours

#pragma once
// Colour values of the custom controls' colour properties.

#include <QColor>
#include <QPalette>

namespace controls {

/// A colour as a colour property of the controls holds it: 0x00BBGGRR, an RGB value with red
/// in the low byte (the form the options store keeps colours in), or kSystemColourFlag + n for
/// the desktop's system colour n, which follows the current palette.
inline constexpr quint32 kSystemColourFlag = 0x80000000u;

inline constexpr quint32 kActiveCaption = kSystemColourFlag + 2;
inline constexpr quint32 kButtonFace = kSystemColourFlag + 15;
inline constexpr quint32 kButtonShadow = kSystemColourFlag + 16;
inline constexpr quint32 kButtonText = kSystemColourFlag + 18;
inline constexpr quint32 kButtonHighlight = kSystemColourFlag + 20;
inline constexpr quint32 kDarkShadow3D = kSystemColourFlag + 21;
inline constexpr quint32 kLight3D = kSystemColourFlag + 22;

/// The colour to paint with: an RGB value as it is, a system colour from the palette's role
/// that plays its part (button face -> Button, button shadow -> Dark, 3-D dark shadow ->
/// Shadow, ...). An unknown system colour index paints black.
[[nodiscard]] QColor resolveColour(quint32 colour, const QPalette& palette);

} // namespace controls

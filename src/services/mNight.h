#pragma once
// Night-vision mode: the program's windows in a dark red scheme for observing in the dark,
// and back. The shades are those of the 29-entry table of system colours below (black, reds
// of 64, 128 and 255); the palette roles of this program's windows take them so that every
// text reads at a contrast of at least 4.5 : 1 (bright red on black), a selection stands out
// and a disabled control looks dimmer. The desktop and other programs are left alone.

#include <QPalette>

#include <array>
#include <cstdint>

namespace mNight {

inline constexpr int kSystemColourCount = 29;

/// The night scheme by system colour number (0 scroll bar .. 28): RGB values with red in the
/// low byte, black and reds of 64, 128 and 255, grey for disabled text (17).
inline constexpr std::array<std::uint32_t, kSystemColourCount> Colori_notte = {
    64,  0,  64, 0,   128, 128, 0, 0,       255, 255, // 0-9
    128, 64, 0,  128, 0,   128, 0, 8421504, 0,   128, // 10-19
    255, 0,  0,  255, 128, 128, 128, 64,    0,        // 20-28
};

/// Takes a snapshot of the colours now in force; Ripristina_colori_sistema goes back to it.
void Salva_colori_sistema();
/// Recolours the program's windows with the night scheme.
void Applica_colori_notte();
/// The night palette made from `base`: every role of every colour group in a shade of the
/// scheme.
[[nodiscard]] QPalette nightPalette(const QPalette& base);
/// Gives the windows back the colours of the last snapshot; without a snapshot taken in this
/// run nothing changes.
void Ripristina_colori_sistema();
/// Whether a snapshot was taken in this run.
[[nodiscard]] bool Colori_notte_flag();

} // namespace mNight

#include "services/Colours.h"

#include <array>

namespace colours {

std::uint32_t rgbValue(const QColor& colour)
{
    return rgbValue(colour.red(), colour.green(), colour.blue());
}

QColor fromRgbValue(std::uint32_t value)
{
    return QColor(static_cast<int>(value & 0xff), static_cast<int>((value >> 8) & 0xff),
                  static_cast<int>((value >> 16) & 0xff));
}

QColor standardPalette(int n)
{
    static constexpr std::array<QRgb, 16> kPalette = {
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xc0c0c0,
        0x808080, 0x0000ff, 0x00ff00, 0x00ffff, 0xff0000, 0xff00ff, 0xffff00, 0xffffff,
    };
    if (n < 0 || n >= static_cast<int>(kPalette.size()))
        return QColor(Qt::black);
    return QColor::fromRgb(kPalette[static_cast<std::size_t>(n)]);
}

} // namespace colours

#pragma once
// Numbers written into generated element lines. printf's "%8.4f" takes the decimal mark of
// the C library's locale (a comma once a Qt application has started under an Italian or
// German locale); these always write a full stop.

#include <charconv>
#include <string>

namespace testsets {

/// `value` with `decimals` decimals, right-aligned to `width` characters and padded with
/// `pad` ('0' pads after the sign, as "%08.3f" does).
inline std::string fixedNumber(double value, int width, int decimals, char pad = ' ')
{
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text(buffer, written.ptr);
    if (static_cast<int>(text.size()) >= width)
        return text;
    const auto missing = static_cast<std::size_t>(width) - text.size();
    if (pad == '0') {
        const std::size_t at = !text.empty() && text.front() == '-' ? 1 : 0;
        text.insert(at, missing, '0');
    } else {
        text.insert(0, missing, pad);
    }
    return text;
}

} // namespace testsets

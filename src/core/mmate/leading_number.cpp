#include "core/LeadingNumber.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace mMate {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

double leadingNumber(std::string_view text)
{
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (!isBlank(c))
            compact.push_back(c);
    }

    std::size_t i = 0;
    bool negative = false;
    if (i < compact.size() && (compact[i] == '+' || compact[i] == '-')) {
        negative = compact[i] == '-';
        ++i;
    }
    std::string number; // unsigned, with 'e' as the exponent mark, for from_chars
    bool mantissaDigits = false;
    bool point = false;
    for (; i < compact.size(); ++i) {
        const char c = compact[i];
        if (isDigit(c)) {
            mantissaDigits = true;
            number.push_back(c);
        } else if (c == '.' && !point) {
            point = true;
            number.push_back(c);
        } else {
            break;
        }
    }
    if (!mantissaDigits)
        return 0.0;
    if (i < compact.size() &&
        (compact[i] == 'e' || compact[i] == 'E' || compact[i] == 'd' || compact[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < compact.size() && (compact[j] == '+' || compact[j] == '-'))
            exponent.push_back(compact[j++]);
        const std::size_t firstDigit = j;
        while (j < compact.size() && isDigit(compact[j]))
            exponent.push_back(compact[j++]);
        if (j > firstDigit)
            number += exponent;
    }

    double value = 0.0;
    const char* end = number.data() + number.size();
    const std::errc ec = std::from_chars(number.data(), end, value).ec;
    if (ec == std::errc::result_out_of_range) {
        // Too large gives infinity, too small gives 0, as a double overflows and underflows.
        const bool tiny = number.find("e-") != std::string::npos;
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

} // namespace mMate

#pragma once
// Reading numbers out of text fields, independently of the locale.

#include <string_view>

namespace mMate {

/// The number a text field starts with: blanks (spaces, tabs, line ends) anywhere are
/// skipped, then an optional sign, digits with at most one decimal point and an optional
/// exponent (E or D, optionally signed) are taken; reading stops at the first other
/// character. No number at all gives 0; a number too large for a double gives infinity.
/// Examples: " 1 2.5x" gives 12.5, "-11606" gives -11606, "-.5E2" gives -50, "abc" gives 0.
[[nodiscard]] double leadingNumber(std::string_view text);

} // namespace mMate

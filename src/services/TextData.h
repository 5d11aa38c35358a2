#pragma once
// Numbers and lines of the settings store and of the data files, independent of the user's
// locale: numbers are written with "." as the decimal separator whatever the locale says, and
// read back with "." or "," (stores written by a locale-aware writer hold ","). Lines may end
// in CR LF, LF alone or CR alone.

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

/// The number a whole text holds: blanks around it are ignored, "." or "," is the decimal
/// separator, an exponent is allowed. Empty text, other characters, two separators, infinity
/// and not-a-number give nullopt.
[[nodiscard]] std::optional<double> parseDataNumber(QStringView text);

/// The leading number of a text: blanks anywhere are skipped, then an optional sign, digits,
/// one decimal separator ("." or ","), digits and an optional exponent are taken; reading
/// stops at the first other character. A text without a number gives 0.
[[nodiscard]] double leadingNumber(QStringView text);

/// The shortest decimal text that reads back as the same value, "." as separator
/// ("12.5", "-33870", "1e+300").
[[nodiscard]] QString formatDataNumber(double value);
[[nodiscard]] QString formatDataNumber(float value);

/// The value of a hexadecimal digit ("0"-"9", "a"-"f", "A"-"F"); -1 for any other character.
[[nodiscard]] int hexDigitValue(char c);

/// The lines of a text whose lines end in CR LF, LF or CR; a line end after the last line adds
/// no empty line.
[[nodiscard]] QStringList splitDataLines(QStringView text);

/// A text from a file as a message may show it: characters that do not print as '?', and cut
/// to its first 40 characters with "..." after them.
[[nodiscard]] QString printableExcerpt(const QString& text);

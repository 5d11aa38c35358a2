#include "services/TextData.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

/// Converts plain ASCII number text; from_chars ignores the C library locale.
std::optional<double> convertAscii(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (*first == '+')
        ++first;
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

template <typename T>
QString formatShortest(T value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

} // namespace

std::optional<double> parseDataNumber(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    const bool hasPoint = trimmed.contains(u'.');
    std::string ascii;
    ascii.reserve(static_cast<std::size_t>(trimmed.size()));
    for (const QChar c : trimmed) {
        if (c.unicode() > 0x7f)
            return std::nullopt;
        char ch = static_cast<char>(c.unicode());
        if (ch == ',') {
            if (hasPoint)
                return std::nullopt; // "1,234.5": a grouping separator, not a value we wrote
            ch = '.';
        }
        // from_chars would also take "inf", "nan" and hexadecimal forms: letters other than the
        // exponent mark are never part of a stored number.
        if (!(std::isdigit(static_cast<unsigned char>(ch)) || ch == '.' || ch == '+' || ch == '-'
              || ch == 'e' || ch == 'E'))
            return std::nullopt;
        ascii.push_back(ch);
    }
    return convertAscii(ascii);
}

double leadingNumber(QStringView text)
{
    std::string ascii;
    bool seenDigit = false;
    bool seenSeparator = false;
    bool inExponent = false;
    std::size_t exponentStart = 0; // where the exponent mark went, to drop an empty exponent
    bool exponentHasDigit = false;
    for (const QChar c : text) {
        if (isBlank(c))
            continue;
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9') {
            ascii.push_back(static_cast<char>(u));
            if (inExponent)
                exponentHasDigit = true;
            else
                seenDigit = true;
        } else if ((u == u'+' || u == u'-') && ascii.empty()) {
            ascii.push_back(static_cast<char>(u));
        } else if ((u == u'+' || u == u'-') && inExponent && ascii.size() == exponentStart + 1) {
            ascii.push_back(static_cast<char>(u));
        } else if ((u == u'.' || u == u',') && !seenSeparator && !inExponent) {
            ascii.push_back('.');
            seenSeparator = true;
        } else if ((u == u'e' || u == u'E') && seenDigit && !inExponent) {
            exponentStart = ascii.size();
            ascii.push_back('e');
            inExponent = true;
        } else {
            break;
        }
    }
    if (inExponent && !exponentHasDigit)
        ascii.resize(exponentStart);
    if (!seenDigit)
        return 0;
    if (!ascii.empty() && ascii.back() == '.')
        ascii.pop_back();
    return convertAscii(ascii).value_or(0);
}

QString formatDataNumber(double value)
{
    return formatShortest(value);
}

QString formatDataNumber(float value)
{
    return formatShortest(value);
}

QStringList splitDataLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        lines.append(text.sliced(start, end - start).toString());
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

QString printableExcerpt(const QString& text)
{
    constexpr qsizetype kShownCharacters = 40;
    QString shown = text.left(kShownCharacters);
    for (QChar& c : shown) {
        if (!c.isPrint())
            c = u'?';
    }
    if (text.size() > kShownCharacters)
        shown += QStringLiteral("...");
    return shown;
}

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

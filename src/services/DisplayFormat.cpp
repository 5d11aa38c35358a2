#include "services/DisplayFormat.h"

#include <QDate>
#include <QDateTime>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace {

// --- number patterns ----------------------------------------------------------------------

struct NumberToken
{
    enum class Kind { Literal, IntegerDigit, DecimalPoint, FractionDigit };
    Kind kind;
    QString text; // the literal, or "0" / "#" for a digit
};

struct NumberPattern
{
    std::vector<NumberToken> tokens;
    bool grouping = false;
    bool percent = false;
    int integerDigits = 0;
    int minimumIntegerDigits = 0; // digits from the first "0" on
    QString fractionDigits;       // the "0" and "#" after the point, in order
};

NumberPattern parseNumberPattern(QStringView pattern)
{
    NumberPattern parsed;
    bool afterPoint = false;
    int firstZero = -1;
    const auto literal = [&](const QString& text) {
        parsed.tokens.push_back({NumberToken::Kind::Literal, text});
    };
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'"') {
            const qsizetype close = pattern.indexOf(u'"', i + 1);
            const qsizetype stop = close < 0 ? pattern.size() : close;
            literal(pattern.mid(i + 1, stop - i - 1).toString());
            i = stop;
        } else if (c == u'\\' && i + 1 < pattern.size()) {
            literal(QString(pattern[++i]));
        } else if (c == u'0' || c == u'#') {
            if (afterPoint) {
                parsed.fractionDigits.append(c);
                parsed.tokens.push_back({NumberToken::Kind::FractionDigit, QString(c)});
            } else {
                if (c == u'0' && firstZero < 0)
                    firstZero = parsed.integerDigits;
                ++parsed.integerDigits;
                parsed.tokens.push_back({NumberToken::Kind::IntegerDigit, QString(c)});
            }
        } else if (c == u'.' && !afterPoint) {
            afterPoint = true;
            parsed.tokens.push_back({NumberToken::Kind::DecimalPoint, {}});
        } else if (c == u',' && !afterPoint && parsed.integerDigits > 0) {
            parsed.grouping = true;
        } else {
            if (c == u'%')
                parsed.percent = true;
            literal(QString(c));
        }
    }
    parsed.minimumIntegerDigits = firstZero < 0 ? 0 : parsed.integerDigits - firstZero;
    return parsed;
}

struct RoundedDigits
{
    QString integer;  // without leading zeros; empty for zero
    QString fraction; // exactly the requested number of digits
    bool isZero() const
    {
        return integer.isEmpty() &&
               std::all_of(fraction.begin(), fraction.end(), [](QChar d) { return d == u'0'; });
    }
};

/// Digits of a non-negative finite value rounded half away from zero to `decimals` places,
/// read from its 15 significant decimal digits.
RoundedDigits roundedDigits(double magnitude, int decimals)
{
    // to_chars, unlike printf, writes a full stop whatever the C library's locale is.
    char buffer[40];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                       std::chars_format::scientific, 14);
    const QString text = QString::fromLatin1(buffer, written.ptr - buffer);
    const qsizetype e = text.indexOf(u'e');
    QString digits = text.left(e).remove(u'.');     // d1 d2 ... d15
    int integerCount = text.mid(e + 1).toInt() + 1; // value = 0.digits x 10^integerCount
    const int keep = integerCount + decimals;

    if (keep < 0) {
        digits.clear();
    } else if (keep < digits.size()) {
        const bool roundUp = digits[keep] >= u'5';
        digits.truncate(keep);
        if (roundUp) {
            qsizetype i = digits.size() - 1;
            while (i >= 0 && digits[i] == u'9')
                digits[i--] = u'0';
            if (i >= 0) {
                digits[i] = QChar(digits[i].unicode() + 1);
            } else {
                digits.prepend(u'1');
                ++integerCount;
            }
        }
    }

    RoundedDigits result;
    QString fractionSource;
    if (integerCount > 0) {
        result.integer = digits.left(integerCount).leftJustified(integerCount, u'0');
        fractionSource = digits.mid(integerCount);
    } else {
        fractionSource = QString(-integerCount, u'0') + digits;
    }
    result.fraction = fractionSource.left(decimals).leftJustified(decimals, u'0');
    qsizetype firstSignificant = 0;
    while (firstSignificant < result.integer.size() && result.integer[firstSignificant] == u'0')
        ++firstSignificant;
    result.integer.remove(0, firstSignificant);
    return result;
}

QString grouped(const QString& digits, const QString& separator)
{
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return out;
}

/// The integer digits each integer placeholder shows, left to right: digits are given to the
/// placeholders from the right, and the leftmost one takes every digit left over.
std::vector<QString> distributeIntegerDigits(const QString& digits, int placeholders)
{
    std::vector<QString> places(static_cast<std::size_t>(placeholders));
    qsizetype next = digits.size() - 1;
    for (int slot = placeholders - 1; slot >= 0 && next >= 0; --slot)
        places[static_cast<std::size_t>(slot)] = digits[next--];
    if (next >= 0 && placeholders > 0)
        places[0] = digits.left(next + 1) + places[0];
    return places;
}

// --- date patterns ------------------------------------------------------------------------

QString twoDigits(int value)
{
    return QString::number(value).rightJustified(2, u'0');
}

bool isDateLetter(QChar c)
{
    const QChar lower = c.toLower();
    return lower == u'd' || lower == u'm' || lower == u'y' || lower == u'h' || lower == u'n' ||
           lower == u's';
}

/// Names padded to a common width: the longest of their kind, at least three characters as
/// the fixed columns are laid out for.
struct NameWidths
{
    QLocale locale;
    int shortMonth = 0;
    int longMonth = 0;
    int shortDay = 0;
    int longDay = 0;
};

constexpr int kNarrowestNameColumn = 3;

int longestDayName(const QLocale& locale, QLocale::FormatType format)
{
    qsizetype widest = 0;
    for (int day = 1; day <= 7; ++day)
        widest = std::max(widest, locale.dayName(day, format).size());
    return static_cast<int>(widest);
}

/// The padded widths of the locale's names; one locale is kept per thread, as a listing
/// formats all its rows under one.
const NameWidths& nameWidths(const QLocale& locale)
{
    thread_local NameWidths cached{QLocale::c(), -1, -1, -1, -1};
    if (cached.shortMonth < 0 || cached.locale != locale) {
        cached.locale = locale;
        cached.shortMonth =
            std::max(kNarrowestNameColumn, longestMonthName(locale, QLocale::ShortFormat));
        cached.longMonth =
            std::max(kNarrowestNameColumn, longestMonthName(locale, QLocale::LongFormat));
        cached.shortDay =
            std::max(kNarrowestNameColumn, longestDayName(locale, QLocale::ShortFormat));
        cached.longDay =
            std::max(kNarrowestNameColumn, longestDayName(locale, QLocale::LongFormat));
    }
    return cached;
}

QString formatDateParts(const DateValue::Parts& date, QStringView pattern, const QLocale& locale,
                        bool fixedWidth);

} // namespace

int longestMonthName(const QLocale& locale, QLocale::FormatType format)
{
    qsizetype widest = 0;
    for (int month = 1; month <= 12; ++month)
        widest = std::max(widest, locale.monthName(month, format).size());
    return static_cast<int>(widest);
}

int fixedDateWidening(const QLocale& locale)
{
    return nameWidths(locale).shortMonth - kNarrowestNameColumn;
}

QString narrowedAfter(QString row, qsizetype from, int count)
{
    constexpr qsizetype kNarrowestGap = 2;
    qsizetype start = from;
    while (start < row.size() && row[start] != u' ')
        ++start;
    qsizetype end = start;
    while (end < row.size() && row[end] == u' ')
        ++end;
    return row.remove(start, std::clamp<qsizetype>(end - start - kNarrowestGap, 0, count));
}

QString alignedToFixedDates(const QString& heading, int dateColumnWidth, const QLocale& locale)
{
    const int extra = fixedDateWidening(locale);
    if (extra == 0 || heading.size() <= dateColumnWidth)
        return heading;
    qsizetype at = dateColumnWidth;
    while (at < heading.size() && heading[at] != u' ')
        ++at;
    return QString(heading).insert(at, QString(extra, u' '));
}

QString formatNumber(double value, QStringView pattern, const QLocale& locale)
{
    if (!std::isfinite(value))
        return locale.toString(value);
    if (pattern.isEmpty()) {
        QLocale plain = locale;
        plain.setNumberOptions(QLocale::OmitGroupSeparator);
        return plain.toString(value, 'g', 15);
    }

    const NumberPattern parsed = parseNumberPattern(pattern);
    if (parsed.percent)
        value *= 100.0;
    RoundedDigits digits = roundedDigits(std::abs(value), int(parsed.fractionDigits.size()));

    // Optional decimals: trailing zeros in "#" places are dropped.
    qsizetype shownDecimals = digits.fraction.size();
    while (shownDecimals > 0 && parsed.fractionDigits[shownDecimals - 1] == u'#' &&
           digits.fraction[shownDecimals - 1] == u'0')
        --shownDecimals;
    const QString fraction = digits.fraction.left(shownDecimals);

    QString integer = digits.integer.rightJustified(parsed.minimumIntegerDigits, u'0');
    if (parsed.grouping)
        integer = grouped(integer, locale.groupSeparator());
    const std::vector<QString> places =
        parsed.grouping ? distributeIntegerDigits(integer, 1)
                        : distributeIntegerDigits(integer, parsed.integerDigits);

    QString out;
    int integerSlot = 0;
    int fractionSlot = 0;
    bool integerShown = parsed.integerDigits > 0;
    for (const NumberToken& token : parsed.tokens) {
        switch (token.kind) {
        case NumberToken::Kind::Literal:
            out += token.text;
            break;
        case NumberToken::Kind::IntegerDigit:
            if (integerSlot < static_cast<int>(places.size()))
                out += places[static_cast<std::size_t>(integerSlot)];
            ++integerSlot;
            break;
        case NumberToken::Kind::DecimalPoint:
            if (!integerShown) { // a pattern such as ".00" still shows the whole part
                out += integer;
                integerShown = true;
            }
            if (!fraction.isEmpty())
                out += locale.decimalPoint();
            break;
        case NumberToken::Kind::FractionDigit:
            if (fractionSlot < fraction.size())
                out += fraction[fractionSlot];
            ++fractionSlot;
            break;
        }
    }
    if (!integerShown)
        out += integer;
    // A value that rounds to zero is shown without a sign.
    if (value < 0 && !digits.isZero())
        out.prepend(locale.negativeSign());
    return out;
}

QString formatUnitsAndMinutes(double value, QStringView unitsPattern, QStringView minutesPattern,
                              const QLocale& locale)
{
    if (!std::isfinite(value))
        return locale.toString(value);
    // Far above the error of a product of degrees and 60, far below a displayed minute.
    constexpr double kRepresentationMinutes = 1e-9;
    const double totalMinutes = std::floor(std::fabs(value) * 60.0 + kRepresentationMinutes);
    const double units = std::floor(totalMinutes / 60.0);
    const QString text = formatNumber(units, unitsPattern, locale)
                         + formatNumber(totalMinutes - units * 60.0, minutesPattern, locale);
    return value < 0 ? locale.negativeSign() + text : text;
}

QString formatNumberText(const QString& text, QStringView pattern, const QLocale& locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return text.isEmpty() ? QString() : text;
    bool isNumber = false;
    const double value = QLocale::c().toDouble(trimmed, &isNumber);
    return isNumber ? formatNumber(value, pattern, locale) : text;
}

QString formatDate(const DateValue::Parts& date, QStringView pattern, const QLocale& locale)
{
    return formatDateParts(date, pattern, locale, false);
}

QString formatDateFixedWidth(const DateValue::Parts& date, QStringView pattern,
                             const QLocale& locale)
{
    return formatDateParts(date, pattern, locale, true);
}

namespace {

QString formatDateParts(const DateValue::Parts& date, QStringView pattern, const QLocale& locale,
                        bool fixedWidth)
{
    const auto padded = [&](const QString& name, int NameWidths::*width) {
        return fixedWidth ? name.leftJustified(nameWidths(locale).*width, u' ') : name;
    };
    // The locale numbers the days from Monday (1) to Sunday (7).
    const int weekday = date.weekday == 1 ? 7 : date.weekday - 1;
    QString out;
    bool afterHour = false; // "m" straight after an hour field means minutes
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == u'"') {
            const qsizetype close = pattern.indexOf(u'"', i + 1);
            const qsizetype stop = close < 0 ? pattern.size() : close;
            out += pattern.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        if (c == u'\\' && i + 1 < pattern.size()) {
            out += pattern[i + 1];
            i += 2;
            continue;
        }
        if (!isDateLetter(c)) {
            out += c;
            ++i;
            continue;
        }
        const QChar letter = c.toLower();
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run].toLower() == letter)
            ++run;
        qsizetype next = i + run;
        while (next < pattern.size() && !isDateLetter(pattern[next]))
            ++next;
        const bool beforeSeconds = next < pattern.size() && pattern[next].toLower() == u's';
        const auto number = [&](int value) {
            return run >= 2 ? twoDigits(value) : QString::number(value);
        };

        if (letter == u'd') {
            if (run >= 4)
                out += padded(locale.dayName(weekday, QLocale::LongFormat), &NameWidths::longDay);
            else if (run == 3)
                out += padded(locale.dayName(weekday, QLocale::ShortFormat), &NameWidths::shortDay);
            else
                out += number(date.day);
        } else if (letter == u'm') {
            if (run <= 2 && (afterHour || beforeSeconds))
                out += number(date.minute);
            else if (run >= 4)
                out += padded(locale.monthName(date.month, QLocale::LongFormat),
                              &NameWidths::longMonth);
            else if (run == 3)
                out += padded(locale.monthName(date.month, QLocale::ShortFormat),
                              &NameWidths::shortMonth);
            else
                out += number(date.month);
        } else if (letter == u'y') {
            out += run >= 3 ? QString::number(date.year).rightJustified(4, u'0')
                            : twoDigits(date.year % 100);
        } else if (letter == u'h') {
            out += number(date.hour);
        } else if (letter == u'n') {
            out += number(date.minute);
        } else {
            out += number(date.second);
        }
        afterHour = letter == u'h';
        i += run;
    }
    return out;
}

} // namespace

QString formatDate(const QDateTime& dateTime, QStringView pattern, const QLocale& locale)
{
    const qint64 halfSecondMs = 500;
    const QDateTime rounded = dateTime.addMSecs(halfSecondMs);
    const QDate date = rounded.date();
    const QTime time = rounded.time();
    const DateValue::Parts parts{date.year(),
                                 date.month(),
                                 date.day(),
                                 time.hour(),
                                 time.minute(),
                                 time.second(),
                                 date.dayOfWeek() % 7 + 1,
                                 date.dayOfYear()};
    return formatDate(parts, pattern, locale);
}

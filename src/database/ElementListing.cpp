#include "database/ElementListing.h"

#include "core/ElementSet.h"
#include "core/LeadingNumber.h"
#include "database/ElementColumns.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>

namespace {

constexpr int kShortNameLength = 24;
constexpr double kMinutesPerDay = 1440;
const QString kSeparator = QStringLiteral("  ");

/// A number as "0...0.0...0": at least `integerDigits` integer digits (zero-padded) and
/// exactly `decimals` decimals, rounded; the sign before the padding ("-005.3").
QString padded(double value, int integerDigits, int decimals, const QString& decimalPoint)
{
    if (!std::isfinite(value))
        return QString::fromUtf16(kUnknownValue);
    char buffer[400]; // enough for any finite double in fixed notation
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
    QString result;
    if (text.starts_with('-')) {
        text.remove_prefix(1);
        // A value that rounds to zero shows no sign.
        if (text.find_first_not_of("0.") != std::string_view::npos)
            result += QLatin1Char('-');
    }
    const std::size_t point = text.find('.');
    const std::string_view integer = text.substr(0, point);
    for (auto i = static_cast<int>(integer.size()); i < integerDigits; ++i)
        result += QLatin1Char('0');
    result += QLatin1StringView(integer.data(), static_cast<qsizetype>(integer.size()));
    if (point != std::string_view::npos) {
        result += decimalPoint;
        const std::string_view fraction = text.substr(point + 1);
        result += QLatin1StringView(fraction.data(), static_cast<qsizetype>(fraction.size()));
    }
    return result;
}

QString valueText(const Record_TLE& set, SortKey key, const std::vector<std::string>& magnitudes,
                  const QString& decimalPoint)
{
    using namespace elementColumns;
    switch (key) {
    case SortKey::Name:
        return {};
    case SortKey::LaunchYear:
        return QString::number(fourDigitYear(number(set.Riga1, 10, 2)), 'g', 10);
    case SortKey::Inclination:
        return padded(number(set.Riga2, 9, 8), 3, 1, decimalPoint);
    case SortKey::Node:
        return padded(number(set.Riga2, 18, 8), 3, 1, decimalPoint);
    case SortKey::Period: {
        // A mean motion of 0 has no period: the entry shows it unknown instead of failing.
        const double meanMotion = number(set.Riga2, 53, 11);
        if (meanMotion == 0)
            return QString::fromUtf16(kUnknownValue);
        return padded(kMinutesPerDay / meanMotion, 4, 1, decimalPoint);
    }
    case SortKey::CatalogueNumber: {
        const std::string_view catalogue = catalogueText(set.Riga1);
        return QString::fromUtf8(catalogue.data(), static_cast<qsizetype>(catalogue.size()));
    }
    case SortKey::StandardMagnitude: {
        if (!hasStandardMagnitude(catalogueText(set.Riga1), magnitudes))
            return QString::fromUtf16(kUnknownValue);
        const auto catalogue = mSat::catalogueNumber(catalogueText(set.Riga1));
        const std::string& entry = magnitudes[static_cast<std::size_t>(*catalogue)];
        return padded(mMate::leadingNumber(entry), 1, 1, decimalPoint);
    }
    case SortKey::Eccentricity:
        // Seven digits with the decimal point assumed before them.
        return padded(mMate::leadingNumber("." + std::string(columns(set.Riga2, 27, 7))), 1, 4,
                      decimalPoint);
    case SortKey::ArgumentOfPerigee:
        return padded(number(set.Riga2, 35, 8), 3, 1, decimalPoint);
    case SortKey::MeanMotion:
        return padded(number(set.Riga2, 53, 11), 2, 1, decimalPoint);
    }
    return {};
}

} // namespace

std::optional<SortKey> sortKeyFromIndex(int index)
{
    if (index < 0 || index >= kSortKeyCount)
        return std::nullopt;
    return static_cast<SortKey>(index);
}

QString listText(const Record_TLE& set, SortKey key, const std::vector<std::string>& magnitudes,
                 const QString& decimalPoint)
{
    const QString shortName =
        QString::fromUtf8(set.Riga0.data(), static_cast<qsizetype>(set.Riga0.size()))
            .left(kShortNameLength);
    if (key == SortKey::Name)
        return shortName;
    return valueText(set, key, magnitudes, decimalPoint) + kSeparator + shortName;
}

std::vector<int> ascendingTextOrder(const std::vector<QString>& texts)
{
    std::vector<QString> folded;
    folded.reserve(texts.size());
    for (const QString& text : texts)
        folded.push_back(text.toCaseFolded());
    std::vector<int> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&folded](int a, int b) {
        return folded[static_cast<std::size_t>(a)] < folded[static_cast<std::size_t>(b)];
    });
    return order;
}

bool hasStandardMagnitude(std::string_view catalogue, const std::vector<std::string>& magnitudes)
{
    const auto number = mSat::catalogueNumber(catalogue);
    return number && *number >= 0 && static_cast<std::size_t>(*number) < magnitudes.size() &&
           !magnitudes[static_cast<std::size_t>(*number)].empty();
}

std::optional<DatabaseStatistics> databaseStatistics(std::span<const Record_TLE> sets,
                                                     const std::vector<std::string>& magnitudes,
                                                     double nowJulianDate)
{
    if (sets.empty())
        return std::nullopt;
    DatabaseStatistics statistics;
    double sum = 0;
    for (const Record_TLE& set : sets) {
        const double age = nowJulianDate - elementColumns::epochJulianDate(set.Riga1);
        if (statistics.sets == 0 || age > statistics.oldestDays)
            statistics.oldestDays = age;
        if (statistics.sets == 0 || age < statistics.newestDays)
            statistics.newestDays = age;
        sum += age;
        ++statistics.sets;
        if (hasStandardMagnitude(elementColumns::catalogueText(set.Riga1), magnitudes))
            ++statistics.withMagnitude;
    }
    statistics.meanDays = sum / statistics.sets;
    return statistics;
}

QString formatAgeDays(double days, const QString& decimalPoint)
{
    return padded(days, 1, 1, decimalPoint);
}

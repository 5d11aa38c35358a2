#include "database/ElementColumns.h"

#include "core/ElementSet.h"
#include "core/LeadingNumber.h"
#include "core/mAstro.h"

#include <charconv>
#include <cmath>

namespace elementColumns {
namespace {

constexpr double kCenturyPivot = 57;
constexpr int kEpochYearColumn = 19;
constexpr int kEpochDayColumn = 21;
constexpr double kFirstEpochDay = 1.0;
constexpr double kEndOfLastEpochDay = 367.0; ///< a leap year's day 366 ends here

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::string_view columns(std::string_view line, int first, int count)
{
    const auto start = static_cast<std::size_t>(first - 1);
    if (start >= line.size())
        return {};
    return line.substr(start, static_cast<std::size_t>(count));
}

double number(std::string_view line, int first, int count)
{
    return mMate::leadingNumber(columns(line, first, count));
}

bool isWholeTextNumber(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

double fourDigitYear(double twoDigits)
{
    return twoDigits + (twoDigits < kCenturyPivot ? 2000.0 : 1900.0);
}

std::string_view catalogueText(std::string_view line1)
{
    return columns(line1, 3, 5);
}

bool epochDayInYear(std::string_view line1)
{
    const double day = number(line1, kEpochDayColumn, 12);
    return day >= kFirstEpochDay && day < kEndOfLastEpochDay;
}

double epochJulianDate(std::string_view line1)
{
    const double year = fourDigitYear(number(line1, kEpochYearColumn, 2));
    return mAstro::Calcola_giorno_giuliano(year, 1, number(line1, kEpochDayColumn, 12));
}

bool sameCatalogueNumber(std::string_view a, std::string_view b)
{
    const auto numberA = mSat::catalogueNumber(a);
    const auto numberB = mSat::catalogueNumber(b);
    if (numberA && numberB)
        return *numberA == *numberB;
    return a == b;
}

} // namespace elementColumns

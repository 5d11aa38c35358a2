#include "predictions/ListingText.h"

#include "core/DateValue.h"
#include "services/DisplayFormat.h"

#include <cmath>

namespace listingText {
namespace {

constexpr qsizetype kDesignationColumn = 9; // column 10, 0-based
constexpr qsizetype kDesignationLength = 6;

} // namespace

QString left(const QString& text, int width)
{
    return text.size() >= width ? text.left(width) : text.leftJustified(width, u' ');
}

QString right(const QString& text, int width)
{
    return text.size() >= width ? text.left(width) : text.rightJustified(width, u' ');
}

QString number(double value, int width, QStringView pattern, const QLocale& locale)
{
    return right(formatNumber(value, pattern, locale), width);
}

QString dateTime(double date, const QLocale& locale)
{
    return formatDateFixedWidth(DateValue::split(date), u"dd mmm yyyy  hh:mm:ss", locale);
}

QString alignedToDates(const QString& heading, const QLocale& locale)
{
    return alignedToFixedDates(heading, kDateTimeWidth, locale);
}

QString epoch(const Elemento_satellite& elements, const QLocale& locale)
{
    const double day = std::floor(elements.Giorno_epoca);
    const double firstOfYear = DateValue::fromDate(static_cast<int>(elements.Anno_epoca), 1, 1);
    const double date = DateValue::addDays(firstOfYear, day - 1.0);
    const double time = elements.Giorno_epoca - day;
    const DateValue::Parts timeParts = DateValue::split(time);
    return formatDate(DateValue::split(date), u"dd mmm yyyy", locale) + QStringLiteral(" - ")
           + formatDate(timeParts, u"hh:mm:ss", locale) + QStringLiteral(" UTC");
}

QString launchDesignation(const QString& line1)
{
    return line1.mid(kDesignationColumn, kDesignationLength);
}

} // namespace listingText

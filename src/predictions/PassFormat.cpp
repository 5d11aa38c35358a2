#include "predictions/PassFormat.h"

#include "core/DateValue.h"
#include "core/mAstro.h"
#include "predictions/ListingText.h"
#include "services/DisplayFormat.h"
#include "services/mLang.h"
#include "tracking/TickTexts.h"

#include <cmath>

using passes::PassEvent;

namespace {

constexpr double kNoMagnitudeSortValue = 99.0;
constexpr double kMagnitudeSortOffset = 99.0;
constexpr QStringView kCulminationPattern = u"dd mmm yyyy hh:mm:ss";
/// The blanks before each field of an event line, and the fields' widths before the status.
constexpr int kElevationGap = 18;
constexpr int kElevationWidth = 4;
constexpr int kAzimuthGap = 3;
constexpr int kAzimuthWidth = 5;
constexpr int kStatusGap = 3;
/// Where the status begins with three-letter month names.
constexpr int kStatusColumn = listingText::kDateTimeWidth + kElevationGap + kElevationWidth
                              + kAzimuthGap + kAzimuthWidth + kStatusGap;

/// `text` padded with blanks on the left to `width`, or its first `width` characters.
QString right(const QString& text, int width)
{
    return text.size() >= width ? text.left(width) : text.rightJustified(width, u' ');
}

QString left(const QString& text, int width)
{
    return text.size() >= width ? text.left(width) : text.leftJustified(width, u' ');
}

QString blanks(int n)
{
    return QString(n, u' ');
}

/// The magnitude field: a number "#0.0", "???" as it stands, blanks when eclipsed.
QString magnitudeField(const Magnitude& magnitude, const QLocale& locale)
{
    if (const double* value = std::get_if<double>(&magnitude))
        return right(formatNumber(*value, u"#0.0", locale), 4);
    return right(QString::fromStdString(std::get<std::string>(magnitude)), 4);
}

double magnitudeSortValue(const Magnitude& magnitude)
{
    if (const double* value = std::get_if<double>(&magnitude))
        return *value;
    return kNoMagnitudeSortValue;
}

/// Whole seconds of a local date value rounded to the second, on a continuous scale.
long long wholeSeconds(double localDate)
{
    return std::llround(DateValue::toLinearDays(localDate) * DateValue::kSecondsPerDay);
}

QString twoDigits(long long n)
{
    return QString::number(n).rightJustified(2, u'0');
}

} // namespace

double localDateOf(double julianDate, const Dati_osservatore& observer)
{
    return DateValue::addMinutes(mAstro::utDateFromJulian(julianDate),
                                 mAstro::zoneOffsetMinutes(observer));
}

QString passLine(const PassEvent& event, const Dati_osservatore& observer, const QLocale& locale)
{
    const passes::SkySample& s = event.sky;
    QString line = listingText::dateTime(localDateOf(event.julianDate, observer), locale);
    line += blanks(kElevationGap)
            + right(formatNumber(s.elevationDeg, u"#0.0", locale), kElevationWidth);
    line += blanks(kAzimuthGap) + formatNumber(s.azimuthDeg, u"000.0", locale);
    line += blanks(kStatusGap) + left(statusName(s.status), statusColumnWidth());
    line += blanks(2) + magnitudeField(s.magnitude, locale);
    line += blanks(3) + right(formatNumber(s.sunElevationDeg, u"00.0", locale), 5);
    line += blanks(2) + right(formatNumber(s.rangeKm, u"0.0", locale), 8);
    return line;
}

QString passLinesHeading(const QString& heading, const QLocale& locale)
{
    QString aligned = listingText::alignedToDates(heading, locale);
    const int extra = statusColumnWidth() - kStatusColumnWidth;
    qsizetype at = kStatusColumn + kStatusColumnWidth + fixedDateWidening(locale);
    if (extra <= 0 || aligned.size() <= at)
        return aligned;
    // After the status heading word, even one longer than the column.
    while (at < aligned.size() && aligned[at] != u' ')
        ++at;
    return aligned.insert(at, blanks(extra));
}

QString culminationColumnText(double localDate, const QLocale& locale)
{
    return formatDateFixedWidth(DateValue::split(localDate), kCulminationPattern, locale);
}

PassTexts passTexts(const passes::PassRow& row, const Dati_osservatore& observer,
                    const QLocale& locale)
{
    const passes::FoundPass& p = row.pass;
    const passes::SkySample& top = p.culmination.sky;
    const double culmination = localDateOf(p.culmination.julianDate, observer);
    const DateValue::Parts parts = DateValue::split(culmination);

    PassTexts t;
    t.lines = {passLine(p.acquisition, observer, locale), passLine(p.culmination, observer, locale),
               passLine(p.loss, observer, locale)};
    t.columns[kColumnCulmination] = culminationColumnText(culmination, locale);
    t.columns[kColumnName] = QString::fromStdString(row.name);
    t.columns[kColumnElevation] = right(formatNumber(top.elevationDeg, u"#0.0", locale), 4);
    t.columns[kColumnAzimuth] = right(formatNumber(top.azimuthDeg, u"##0", locale), 4);
    t.columns[kColumnStatus] = statusName(top.status).left(3);
    t.columns[kColumnMagnitude] = magnitudeField(top.magnitude, locale);

    const long long s = wholeSeconds(localDateOf(p.loss.julianDate, observer)) -
                        wholeSeconds(localDateOf(p.acquisition.julianDate, observer));
    const long long hours = s / 3600;
    const long long minutes = (s - 3600 * hours) / 60;
    const long long seconds = s - 3600 * hours - 60 * minutes;
    t.columns[kColumnDuration] =
        twoDigits(hours) + u':' + twoDigits(minutes) + u':' + twoDigits(seconds);
    t.columns[kColumnCulminationKey] = formatDate(parts, u"yyyymmdd hh:mm:ss", QLocale::c());
    t.columns[kColumnMagnitudeKey] = formatNumber(
        magnitudeSortValue(top.magnitude) + kMagnitudeSortOffset, u"000.00", QLocale::c());
    t.tag = QString::number(row.index) + u';' + t.lines[0] + u';' + t.lines[1] + u';' + t.lines[2];
    return t;
}

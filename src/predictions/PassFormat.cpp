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
static_assert(kPassStatusColumn == listingText::kDateTimeWidth + kPassDateGap + 15,
              "the pass lines' status column follows their date column");

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
    // A status name longer than the headings allow takes its room from the blanks after the
    // date, so that the line keeps its width.
    line += blanks(kPassDateGap - passDateGapGiven())
            + right(formatNumber(s.elevationDeg, u"#0.0", locale), 4);
    line += blanks(3) + formatNumber(s.azimuthDeg, u"000.0", locale);
    line += blanks(3) + left(statusName(s.status), statusColumnWidth());
    line += blanks(2) + magnitudeField(s.magnitude, locale);
    line += blanks(3) + right(formatNumber(s.sunElevationDeg, u"00.0", locale), 5);
    line += blanks(2) + right(formatNumber(s.rangeKm, u"0.0", locale), 8);
    return line;
}

QString passLinesHeading(const QString& heading, const QLocale& locale)
{
    const int widening = fixedDateWidening(locale);
    const QString aligned = listingText::alignedToDates(heading, locale);
    QString narrowed =
        narrowedAfter(aligned, listingText::kDateTimeWidth + widening, passDateGapGiven());
    const qsizetype given = aligned.size() - narrowed.size();
    // The status heading moved left with the columns before it; those after the status did
    // not, and get their blanks back after its word.
    qsizetype at = kPassStatusColumn + widening - given;
    if (given == 0 || narrowed.size() <= at)
        return narrowed;
    while (at < narrowed.size() && narrowed[at] != u' ')
        ++at;
    return narrowed.insert(at, blanks(static_cast<int>(given)));
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

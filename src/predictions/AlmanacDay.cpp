#include "predictions/AlmanacDay.h"

#include "core/DateValue.h"
#include "services/DisplayFormat.h"

#include <algorithm>

namespace almanac {

namespace {

int daysInMonth(int year, int month)
{
    // Day 0 of the next month is the last day of this one.
    return DateValue::split(DateValue::fromDate(year, month + 1, 0)).day;
}

EventTexts eventTexts(const mAstro::RiseSetEvent& event, const QString& statusWord)
{
    EventTexts texts;
    if (!event.occurred) {
        texts.time = statusWord;
        return texts;
    }
    texts.time = formatNumber(event.hour, u"00") + u':' + formatNumber(event.minute, u"00");
    texts.azimuth = formatNumber(event.azimuthDeg, u"000.0") + u'\u00b0';
    texts.azimuthShown = true;
    return texts;
}

} // namespace

double stepMonths(double date, int months)
{
    const DateValue::Parts p = DateValue::split(date);
    const int serial = p.year * 12 + (p.month - 1) + months;
    const int year = serial / 12;
    const int month = serial % 12 + 1;
    const int day = std::min(p.day, daysInMonth(year, month));
    return DateValue::fromDateTime(year, month, day, p.hour, p.minute, p.second);
}

QString statusKey(mAstro::RiseSetStatus status)
{
    switch (status) {
    case mAstro::RiseSetStatus::NoRise:
        return QStringLiteral("nonsorge");
    case mAstro::RiseSetStatus::NoSet:
        return QStringLiteral("nontramonta");
    case mAstro::RiseSetStatus::AlwaysAbove:
        return QStringLiteral("sopraorizzonte");
    case mAstro::RiseSetStatus::AlwaysBelow:
        return QStringLiteral("sottoorizzonte");
    case mAstro::RiseSetStatus::BothEvents:
        break;
    }
    return {};
}

DayTexts dayTexts(const mAstro::RiseSetDay& day, const QString& statusWord)
{
    return {eventTexts(day.rise, statusWord), eventTexts(day.set, statusWord)};
}

double zoneWestHours(const Dati_osservatore& observer)
{
    return -(static_cast<double>(observer.Ora_legale) + static_cast<double>(observer.Fuso_orario));
}

double moonElongationAt(double localDate, const Dati_osservatore& observer,
                        const Corpo_celeste& sunRow, const Corpo_celeste& moonRow)
{
    const mAstro::TimeState time = mAstro::timeStateAt(localDate, observer);
    const mAstro::SunPosition sun =
        mAstro::sunAt(time.Data_giuliana, time.Data_giuliana_0h, sunRow.Elementi_orbitali[8]);
    return mAstro::moonAt(time.Data_giuliana, moonRow, sun.longitudeRad, sun.meanAnomalyRad)
        .elongationRad;
}

} // namespace almanac

#include "tracking/ProgramClock.h"

#include "core/DateValue.h"
#include "core/mAstro.h"

QDateTime SystemProgramClock::currentUtc() const
{
    return QDateTime::currentDateTimeUtc();
}

double utcDateValue(const QDateTime& utc)
{
    const QDateTime inUtc = utc.toUTC();
    const QDate date = inUtc.date();
    const QTime time = inUtc.time();
    return DateValue::fromDateTime(date.year(), date.month(), date.day(), time.hour(),
                                   time.minute(), time.second());
}

double observerLocalTime(const QDateTime& utc, const Dati_osservatore& observer)
{
    return DateValue::addMinutes(utcDateValue(utc), mAstro::zoneOffsetMinutes(observer));
}

double observerNow(const ProgramClock& clock)
{
    return observerLocalTime(clock.currentUtc(), Osservatore);
}

QDateTime wallClockOf(double dateValue)
{
    const DateValue::Parts parts = DateValue::split(dateValue);
    return QDateTime(QDate(parts.year, parts.month, parts.day),
                     QTime(parts.hour, parts.minute, parts.second), Qt::UTC);
}

double dateValueOf(const QDateTime& wallClock)
{
    const QDate date = wallClock.date();
    const QTime time = wallClock.time();
    return DateValue::fromDateTime(date.year(), date.month(), date.day(), time.hour(),
                                   time.minute(), time.second());
}

#pragma once
// What the almanac shows for one date: the picked date stepped by months, the texts of the
// Sun's and the Moon's rising and setting, and the Moon's phase, all without touching the
// program's shared time state or Corpi_celesti (the live windows keep computing for the
// program clock while the almanac looks at another day).

#include "common/options.h"
#include "core/mAstro.h"

#include <QString>

namespace almanac {

/// The date value moved by whole months, the time of day kept; a day of the month that the
/// target month lacks becomes its last day (31 January + 1 month = 28 or 29 February).
[[nodiscard]] double stepMonths(double date, int months);

/// The language key of a day's status word in section "frmRiseSet"; empty for BothEvents.
[[nodiscard]] QString statusKey(mAstro::RiseSetStatus status);

/// One event as the almanac shows it: the time "hh:mm" and the azimuth "000.0°" when the body
/// rises (or sets) that day, otherwise the day's status word and no azimuth.
struct EventTexts
{
    QString time;
    QString azimuth;
    bool azimuthShown = false;
};

/// Rise and set texts of one body's day; `statusWord` is the language text of its status.
struct DayTexts
{
    EventTexts rise;
    EventTexts set;
};

[[nodiscard]] DayTexts dayTexts(const mAstro::RiseSetDay& day, const QString& statusWord);

/// The zone the rise and set computations take: hours behind UT, -(Ora_legale + Fuso_orario).
[[nodiscard]] double zoneWestHours(const Dati_osservatore& observer);

/// The Moon's elongation from the Sun [radians, 0 new Moon, pi full Moon] at a local instant
/// for an observer, from the Sun's and the Moon's rows of Corpi_celesti.
[[nodiscard]] double moonElongationAt(double localDate, const Dati_osservatore& observer,
                                      const Corpo_celeste& sunRow, const Corpo_celeste& moonRow);

} // namespace almanac

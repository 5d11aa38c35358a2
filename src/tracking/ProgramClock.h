#pragma once
// The computer's clock as the program reads it. The program's local time is the observer's:
// UT plus the zone and daylight saving of the observer record, never the computer's own
// time-zone rules. The clock is an interface so that the tick and the time window can be run
// on simulated wall-clock time in tests.

#include "common/options.h"

#include <QDateTime>

class ProgramClock
{
public:
    virtual ~ProgramClock() = default;

    /// The present instant in UTC.
    [[nodiscard]] virtual QDateTime currentUtc() const = 0;
};

/// The computer's clock.
class SystemProgramClock final : public ProgramClock
{
public:
    [[nodiscard]] QDateTime currentUtc() const override;
};

/// A UTC instant as a date value (days since 1899-12-30), cut to the whole second.
[[nodiscard]] double utcDateValue(const QDateTime& utc);

/// The observer's local civil time at a UTC instant as a date value, to the whole second:
/// UT + (Fuso_orario + Ora_legale) hours.
[[nodiscard]] double observerLocalTime(const QDateTime& utc, const Dati_osservatore& observer);

/// The observer's local civil time now, for the shared observer Osservatore.
[[nodiscard]] double observerNow(const ProgramClock& clock);

/// A date value as a wall-clock QDateTime (kept in UTC, so that no time-zone rule of the
/// computer moves it), rounded to the whole second; and back.
[[nodiscard]] QDateTime wallClockOf(double dateValue);
[[nodiscard]] double dateValueOf(const QDateTime& wallClock);

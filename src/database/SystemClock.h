#pragma once
// The computer's clock, read and set through an interface so that the clock synchronisation
// can be exercised without touching the real clock.

#include <QDateTime>
#include <QString>

struct ClockSetResult
{
    bool ok = false;
    int errorNumber = 0; ///< the system's error number when refused (EPERM without the right)
    QString description; ///< the system's reason when refused
};

class SystemClock
{
public:
    virtual ~SystemClock() = default;
    [[nodiscard]] virtual QDateTime currentUtc() const = 0;
    /// Sets the clock to a UTC instant; the result says whether the system accepted it.
    virtual ClockSetResult setUtc(const QDateTime& instant) = 0;
};

/// The real clock. Setting it needs the right to change the system time (root or
/// CAP_SYS_TIME on Linux); an ordinary user is refused.
class ComputerClock final : public SystemClock
{
public:
    [[nodiscard]] QDateTime currentUtc() const override;
    ClockSetResult setUtc(const QDateTime& instant) override;
};

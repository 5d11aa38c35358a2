#include "database/SystemClock.h"

#include <cerrno>
#include <cstring>
#include <ctime>

QDateTime ComputerClock::currentUtc() const
{
    return QDateTime::currentDateTimeUtc();
}

ClockSetResult ComputerClock::setUtc(const QDateTime& instant)
{
#if defined(Q_OS_UNIX)
    const qint64 ms = instant.toMSecsSinceEpoch();
    timespec value{};
    value.tv_sec = static_cast<time_t>(ms / 1000);
    value.tv_nsec = static_cast<long>((ms % 1000) * 1000000);
    if (clock_settime(CLOCK_REALTIME, &value) == 0)
        return {true, 0, QString()};
    const int error = errno;
    return {false, error, QString::fromLocal8Bit(std::strerror(error))};
#else
    Q_UNUSED(instant);
    return {false, 0, QStringLiteral("Setting the clock is not supported on this system")};
#endif
}

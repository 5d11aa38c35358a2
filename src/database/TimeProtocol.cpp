#include "database/TimeProtocol.h"

#include <algorithm>
#include <cmath>

namespace {

// Seconds from 1900-01-01 to 1970-01-01 (70 years, 17 of them leap: 25567 days).
constexpr qint64 kSeconds1900To1970 = 2208988800;
constexpr qint64 kCountWrap = qint64(1) << 32;
constexpr quint32 kFirstEraFlag = 0x80000000u;
/// The transit correction never goes back in time nor beyond this [s]: a reply that took a day
/// to arrive tells nothing about the time any more.
constexpr double kLongestTransitSeconds = 86400.0;

qint64 roundHalfToEven(double value)
{
    // Guard: the cast to a whole number of seconds needs a finite value within its range.
    if (!(value > 0.0))
        return 0;
    value = std::min(value, kLongestTransitSeconds);
    const double nearest = std::round(value); // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return static_cast<qint64>(2.0 * std::round(value / 2.0));
    return static_cast<qint64>(nearest);
}

} // namespace

std::optional<quint32> timeProtocolSeconds(QByteArrayView reply)
{
    if (reply.size() != kTimeReplyBytes)
        return std::nullopt;
    quint32 seconds = 0;
    for (const char byte : reply)
        seconds = (seconds << 8) | static_cast<quint8>(byte);
    return seconds;
}

QDateTime timeProtocolInstant(quint32 seconds, double halfRoundTripSeconds)
{
    qint64 since1900 = seconds;
    if ((seconds & kFirstEraFlag) == 0)
        since1900 += kCountWrap;
    const qint64 unixSeconds =
        since1900 - kSeconds1900To1970 + roundHalfToEven(halfRoundTripSeconds);
    return QDateTime::fromSecsSinceEpoch(unixSeconds, Qt::UTC);
}

#pragma once
// The TIME protocol of RFC 868: a server on TCP port 37 answers a connection, unasked, with
// the current time as a 32-bit big-endian count of seconds since 1900-01-01 00:00 UTC and
// closes it.

#include <QByteArrayView>
#include <QDateTime>

#include <optional>

inline constexpr quint16 kTimePort = 37;
inline constexpr qsizetype kTimeReplyBytes = 4;

/// The seconds a reply carries: the four bytes in the order received, most significant first.
/// Empty unless the reply is exactly four bytes long.
[[nodiscard]] std::optional<quint32> timeProtocolSeconds(QByteArrayView reply);

/// The UTC instant a TIME count denotes, to which the transit time of the reply is added:
/// half the round trip, rounded to the nearest whole second with halves to the even second. A
/// transit time that is not a positive number counts as none; one beyond a day as a day.
/// The count wraps on 2036-02-07 06:28:16 UTC; as for NTP timestamps (RFC 4330, section 3),
/// a count below 2^31 is taken as after that date rather than before 1968.
[[nodiscard]] QDateTime timeProtocolInstant(quint32 seconds, double halfRoundTripSeconds);

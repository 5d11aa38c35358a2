#include "services/mGlobal.h"

#include <QDateTime>
#include <QFile>
#include <QNetworkInformation>
#include <QNetworkInterface>
#include <QTimeZone>

#include <cmath>

namespace mGlobal {

namespace {

struct PinnedZone {
    bool pinned = false;
    QTimeZone zone;
    QDateTime at;
};

PinnedZone& pinnedZone()
{
    static PinnedZone pin;
    return pin;
}

} // namespace

bool Leggi_fuso_orario(float& bias, bool& daylight)
{
    const PinnedZone& pin = pinnedZone();
    if (!pin.pinned)
        return Leggi_fuso_orario(QTimeZone::systemTimeZone(), QDateTime::currentDateTimeUtc(),
                                 bias, daylight);
    return Leggi_fuso_orario(pin.zone, pin.at.isValid() ? pin.at : QDateTime::currentDateTimeUtc(),
                             bias, daylight);
}

void setComputerZone(const QTimeZone& zone, const QDateTime& at)
{
    pinnedZone() = PinnedZone{true, zone, at};
}

void useComputerZone()
{
    pinnedZone() = PinnedZone{};
}

bool Leggi_fuso_orario(const QTimeZone& zone, const QDateTime& at, float& bias, bool& daylight)
{
    // Guard: a zone without daylight saving is a valid answer (its standard offset), not a
    // failure; only a missing zone fails.
    if (!zone.isValid()) {
        bias = 0.0F;
        return false;
    }
    constexpr float kSecondsPerMinute = 60.0F;
    bias = static_cast<float>(-zone.offsetFromUtc(at)) / kSecondsPerMinute;
    daylight = zone.isDaylightTime(at);
    return true;
}

QString Nome_file_remoto(const QString& address)
{
    return address.mid(address.lastIndexOf(u'/') + 1);
}

namespace {

bool hasRoutableInterface()
{
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& candidate : interfaces) {
        const auto flags = candidate.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : candidate.addressEntries()) {
            const QHostAddress ip = entry.ip();
            if (!ip.isLoopback() && !ip.isLinkLocal() && !ip.isNull())
                return true;
        }
    }
    return false;
}

// Route flags of the kernel's routing tables (linux/route.h, linux/ipv6_route.h).
constexpr unsigned kRouteUp = 0x0001;
constexpr unsigned kRouteReject = 0x0200;
constexpr QByteArrayView kLoopbackInterface = "lo";

bool isUsableDefault(QByteArrayView destination, QByteArrayView prefix, QByteArrayView flags,
                     QByteArrayView interfaceName)
{
    bool ok = false;
    const unsigned value = QByteArray(flags.data(), flags.size()).toUInt(&ok, 16);
    const bool anyDestination = !destination.isEmpty() &&
                                destination.toByteArray().count('0') == destination.size() &&
                                prefix.toByteArray().count('0') == prefix.size();
    return ok && anyDestination && (value & kRouteUp) != 0 && (value & kRouteReject) == 0 &&
           interfaceName != kLoopbackInterface;
}

QList<QByteArray> fields(const QByteArray& line)
{
    return line.simplified().split(' ');
}

const QString kIpv4RouteTable = QStringLiteral("/proc/net/route");
const QString kIpv6RouteTable = QStringLiteral("/proc/net/ipv6_route");

} // namespace

bool hasDefaultRoute(QByteArrayView ipv4Routes, QByteArrayView ipv6Routes)
{
    // IPv4, after a header line: Iface Destination Gateway Flags RefCnt Use Metric Mask ...
    const QList<QByteArray> ipv4 = ipv4Routes.toByteArray().split('\n');
    for (qsizetype n = 1; n < ipv4.size(); ++n) {
        const QList<QByteArray> f = fields(ipv4[n]);
        if (f.size() >= 8 && isUsableDefault(f[1], f[7], f[3], f[0]))
            return true;
    }
    // IPv6: destination, prefix length, source, source prefix length, next hop, metric,
    // reference count, use, flags, interface.
    for (const QByteArray& line : ipv6Routes.toByteArray().split('\n')) {
        const QList<QByteArray> f = fields(line);
        if (f.size() >= 10 && isUsableDefault(f[0], f[1], f[8], f[9]))
            return true;
    }
    return false;
}

bool Connessione_attiva()
{
    if (QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability)) {
        switch (QNetworkInformation::instance()->reachability()) {
        case QNetworkInformation::Reachability::Online:
        case QNetworkInformation::Reachability::Site:
            return true;
        case QNetworkInformation::Reachability::Disconnected:
        case QNetworkInformation::Reachability::Local:
            return false;
        case QNetworkInformation::Reachability::Unknown:
            break;
        }
    }
    if (!hasRoutableInterface())
        return false;
    // Guard: an interface with an address but no route out (a closed-off network) reaches no
    // server; without it every download would try and fail with "host not found".
    QFile ipv4(kIpv4RouteTable);
    QFile ipv6(kIpv6RouteTable);
    const bool ipv4Read = ipv4.open(QIODevice::ReadOnly);
    const bool ipv6Read = ipv6.open(QIODevice::ReadOnly);
    if (!ipv4Read && !ipv6Read)
        return true; // no routing table to read here: the interface is all there is to go by
    return hasDefaultRoute(ipv4Read ? ipv4.readAll() : QByteArray(),
                           ipv6Read ? ipv6.readAll() : QByteArray());
}

QString Formatta_tempo(double seconds)
{
    const long long total = std::isfinite(seconds) && seconds > 0.0 ? std::llround(seconds) : 0;
    const auto field = [](long long value) {
        return QString::number(value).rightJustified(2, u'0');
    };
    return field(total / 3600) + u':' + field(total % 3600 / 60) + u':' + field(total % 60);
}

} // namespace mGlobal

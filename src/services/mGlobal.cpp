#include "services/mGlobal.h"

#include <QDateTime>
#include <QNetworkInformation>
#include <QNetworkInterface>
#include <QTimeZone>

#include <cmath>

namespace mGlobal {

bool Leggi_fuso_orario(float& bias, bool& daylight)
{
    return Leggi_fuso_orario(QTimeZone::systemTimeZone(), QDateTime::currentDateTimeUtc(), bias,
                             daylight);
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

} // namespace

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
    return hasRoutableInterface();
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

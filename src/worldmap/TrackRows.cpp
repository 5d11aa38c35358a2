#include "worldmap/TrackRows.h"

#include "services/DisplayFormat.h"
#include "services/mLang.h"

#include <algorithm>

namespace {

constexpr int kFirstChannel = 1;
constexpr int kLastChannel = kRadioChannels;

const QString kFrequencyPattern = QStringLiteral("000.0000");

int usableChannel(int channel)
{
    return channel >= kFirstChannel && channel <= kLastChannel ? channel : kFirstChannel;
}

/// A stored frequency as the table shows it; a free channel shows "0".
QString storedFrequency(const std::string& text, const QLocale& locale)
{
    if (text.empty())
        return QStringLiteral("0");
    return formatNumberText(QString::fromStdString(text), kFrequencyPattern, locale);
}

} // namespace

TrackRowTexts trackRowTexts(const std::string& name, const Posizione_satellite& valori,
                            const Elemento_satellite& elements, int channel,
                            const mAstro::SexagesimalEquatorial& equatorial,
                            const QString& stateName, const QLocale& locale)
{
    const int c = usableChannel(channel);
    // The data box texts share every pattern but the hours of the right ascension.
    const PrincipalTexts shared = principalTexts(valori, elements, c, equatorial, stateName, locale);
    TrackRowTexts row;
    row.name = QString::fromStdString(name);
    row.belowHorizon = valori.Elevazione < 0;
    row.elevation = shared.elevation;
    row.azimuth = shared.azimuth;
    if (name.empty()) {
        row.rightAscension = QStringLiteral("0");
        row.declination = QStringLiteral("0");
    } else {
        const QLocale plain = QLocale::c();
        row.rightAscension = formatNumber(equatorial.hours, u"#0", plain) + u'h' +
                             formatNumber(equatorial.minutes, u"00", plain) + u'm' +
                             formatNumber(equatorial.seconds, u"00", plain) + u's';
        row.declination = shared.declination;
    }
    row.magnitude = shared.magnitude;
    row.state = shared.state;
    row.latitude = shared.latitude;
    row.longitude = shared.longitude;
    row.height = shared.height;
    row.apogee = shared.apogee;
    row.perigee = shared.perigee;
    row.period = shared.period;
    row.speed = shared.speed;
    row.orbit = shared.orbitNumber;
    row.range = shared.range;
    row.rangeRate = shared.rangeRate;
    const auto index = static_cast<std::size_t>(c);
    row.downlink = storedFrequency(elements.Frequenze_downlink[index], locale);
    row.uplink = storedFrequency(elements.Frequenze_uplink[index], locale);
    row.reception = shared.downlink;
    row.transmission = shared.uplink;
    return row;
}

namespace trackPaging {

int first()
{
    return 1;
}

std::optional<int> previous(int firstRow)
{
    if (firstRow > 1)
        return firstRow - 1;
    return std::nullopt;
}

std::optional<int> next(int firstRow)
{
    if (firstRow < kLastFirstRow)
        return firstRow + 1;
    return std::nullopt;
}

int last(int count)
{
    const int row = count < kLastFirstRow ? count - (kTrackRows - 1) : kLastFirstRow;
    return std::max(row, 1);
}

} // namespace trackPaging

QStringList channelLines(const Elemento_satellite& elements, const QLocale& locale)
{
    QStringList lines;
    for (int k = kFirstChannel; k <= kLastChannel; ++k) {
        const auto index = static_cast<std::size_t>(k);
        const std::string& down = elements.Frequenze_downlink[index];
        const std::string& up = elements.Frequenze_uplink[index];
        lines << QStringLiteral("   ") +
                     formatNumberText(down.empty() ? QStringLiteral("0") : QString::fromStdString(down),
                                      kFrequencyPattern, locale) +
                     u'\t' +
                     formatNumberText(up.empty() ? QStringLiteral("0") : QString::fromStdString(up),
                                      kFrequencyPattern, locale);
    }
    return lines;
}

const TrackedSatellite* trackedSatellite(const TickSnapshot& snapshot, int slot)
{
    if (slot < 1 || static_cast<std::size_t>(slot) > snapshot.satellites.size())
        return nullptr;
    const TrackedSatellite& satellite = snapshot.satellites[static_cast<std::size_t>(slot - 1)];
    if (satellite.slot == slot)
        return &satellite;
    const auto found = std::find_if(snapshot.satellites.begin(), snapshot.satellites.end(),
                                    [slot](const TrackedSatellite& s) { return s.slot == slot; });
    return found != snapshot.satellites.end() ? &*found : nullptr;
}


#pragma once
// What the tracking table and its channel chooser show: one row's texts from the state of a
// satellite as the tick left it, the page the paging buttons move to, and the chooser's
// channel lines. Pure functions of their arguments; numbers use the locale given.

#include "tracking/TrackingModel.h"

#include "common/Elemento_satellite.h"
#include "common/Posizione_satellite.h"

#include <QLocale>
#include <QString>
#include <QStringList>

/// Rows on one page of the tracking table.
inline constexpr int kTrackRows = 10;
/// Highest first row: the last row never passes slot 200.
inline constexpr int kLastFirstRow = 191;

/// The texts of one row of the tracking table, tab by tab.
struct TrackRowTexts
{
    QString name;
    bool belowHorizon = false; ///< the name is written red instead of blue
    // observing parameters
    QString elevation, azimuth, rightAscension, declination, magnitude, state;
    // orbital parameters
    QString latitude, longitude, height, apogee, perigee;
    QString period, speed, orbit, range, rangeRate;
    // radio: the stored frequencies of the channel and their Doppler-corrected values [MHz]
    QString downlink, uplink, reception, transmission;
};

/// The row of a satellite in the state `valori` with its elements; `channel` is the row's
/// radio channel (1..10, another value reads as 1), `equatorial` the right ascension and
/// declination of its look direction, `stateName` the name of its status. A satellite
/// without a name (a free slot) shows "0" for right ascension and declination.
[[nodiscard]] TrackRowTexts trackRowTexts(const std::string& name, const Posizione_satellite& valori,
                                          const Elemento_satellite& elements, int channel,
                                          const mAstro::SexagesimalEquatorial& equatorial,
                                          const QString& stateName,
                                          const QLocale& locale = QLocale());

/// The paging buttons of the tracking table: each gives the new first row, or nothing where
/// the button does nothing (and the table is not refreshed).
namespace trackPaging {
[[nodiscard]] int first();
[[nodiscard]] std::optional<int> previous(int firstRow);
[[nodiscard]] std::optional<int> next(int firstRow);
/// The page that ends with the last loaded satellite (`count` of them), at least row 1.
[[nodiscard]] int last(int count);
} // namespace trackPaging

/// The chooser's ten lines, channel 1 first: three blanks, the downlink, a tab and the
/// uplink, each in "000.0000"; a free channel reads 000.0000 in both columns.
[[nodiscard]] QStringList channelLines(const Elemento_satellite& elements,
                                       const QLocale& locale = QLocale());

/// The satellite of `slot` in the snapshot, or null for a slot beyond the active ones.
[[nodiscard]] const TrackedSatellite* trackedSatellite(const TickSnapshot& snapshot, int slot);


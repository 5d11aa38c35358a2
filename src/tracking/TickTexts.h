#pragma once
// The texts the one-second tick writes: the principal satellite's numbers for the data boxes
// of the live windows, and the status-bar clock. Pure functions of their arguments; numbers
// are shown with the locale's decimal separator.

#include "common/Elemento_satellite.h"
#include "common/Posizione_satellite.h"
#include "core/mAstro.h"

#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>

/// Speed of light used for the Doppler shift [km/s].
inline constexpr double kLightSpeedKmS = 299792.0;

/// The eighteen values of a data box, in the order the tick writes them.
struct PrincipalTexts
{
    QString latitude;       ///< lblLatitude
    QString longitude;      ///< lblLongitude
    QString height;         ///< lblHeight
    QString range;          ///< lblRange
    QString rangeRate;      ///< lblRangeRate
    QString orbitNumber;    ///< lblOrbitNumber
    QString elevation;      ///< lblAltitude
    QString azimuth;        ///< lblAzimuth
    QString apogee;         ///< lblApogee
    QString perigee;        ///< lblPerigee
    QString period;         ///< lblPeriod
    QString speed;          ///< lblVelocity
    QString rightAscension; ///< lblAscension
    QString declination;    ///< lblDeclination
    QString state;          ///< lblState
    QString magnitude;      ///< lblMagnitude
    QString downlink;       ///< lblRicez, Doppler-corrected [MHz as the table holds it]
    QString uplink;         ///< lblTrasm, Doppler-corrected
};

/// Reads the status names (1 eclipsed, 2 visible, 3 sunlit but not visible) from the language
/// file's "Conditions" section; the main window's Lingua does it at every change of language.
void readStatusNames();
/// The status name of a satellite state (Stato2Stringa); "" for any other value.
[[nodiscard]] QString statusName(int stato);

/// The characters the headings of the pass lines leave for the status.
inline constexpr int kStatusColumnWidth = 8;
/// The width of the pass lines' status column: that of the longest status name, and never
/// less than kStatusColumnWidth, so that no name is cut in any language.
[[nodiscard]] int statusColumnWidth();
/// The blanks between the date column and the elevation of the pass lines, as the headings
/// lay them out.
inline constexpr int kPassDateGap = 18;
/// Where the status of a pass line begins with three-letter month names, as the headings lay
/// it out: the date and time (21), its blanks, the elevation (4), 3 blanks, the azimuth (5) and
/// 3 blanks.
inline constexpr int kPassStatusColumn = 21 + kPassDateGap + 4 + 3 + 5 + 3;
/// How many of those blanks a status column wider than kStatusColumnWidth takes, keeping two:
/// the pass lines keep their width and the columns after the status their place.
[[nodiscard]] int passDateGapGiven();

/// The principal satellite's texts from its state and elements. `channel` is the selected
/// radio channel (1..10; another value reads as channel 1), `equatorial` the right ascension
/// and declination of its look direction, `stateName` the status name of its Stato.
[[nodiscard]] PrincipalTexts principalTexts(const Posizione_satellite& valori,
                                            const Elemento_satellite& elements, int channel,
                                            const mAstro::SexagesimalEquatorial& equatorial,
                                            const QString& stateName,
                                            const QLocale& locale = QLocale());

/// The widest text each value of a data box can show, so that the box keeps room for it: each
/// number with all its digits and a sign where it can have one, "00h00m00s", a frequency of
/// "0000.0000", and the longest status name of the language file.
[[nodiscard]] PrincipalTexts widestPrincipalTexts(const QLocale& locale = QLocale());

/// An orbital period [s] as hh:mm:ss, each part cut to whole units.
[[nodiscard]] QString periodText(double periodSeconds);

/// A frequency text of the channel table shifted by the range rate [km/s]: the frequency
/// times (1 + sign x rate / c), sign -1 for a downlink and +1 for an uplink, shown with four
/// decimals. An empty text (free channel) shows "0".
[[nodiscard]] QString dopplerText(const std::string& frequency, double rangeRateKmS, int sign,
                                  const QLocale& locale = QLocale());

/// The status-bar clock in format `formato` (0..9) from the time state of the tick;
/// `daylightSaving` is the observer's Ora_legale. No text for another format: the panel is
/// then left as it was.
[[nodiscard]] std::optional<QString> statusClockText(int formato, const mAstro::TimeState& time,
                                                     std::uint8_t daylightSaving,
                                                     const QLocale& locale = QLocale());

/// The time state that the last Calcola_tempi left in the mAstro variables.
[[nodiscard]] mAstro::TimeState currentTimeState();

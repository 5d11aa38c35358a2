#pragma once
// The text of an ephemeris listing: its header lines and one row per instant, in the observer
// (OBS), inertial (ECI), geographic (LLA) or sky (RAD) coordinates.

#include "common/Record_TLE.h"
#include "common/options.h"
#include "predictions/ListingEngine.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

/// The coordinate systems of a listing, numbered as the request dialogs number them.
enum class CoordinateSystem {
    Obs = 1, ///< elevation, azimuth, range, height, magnitude, lighting, Sun, status
    Eci = 2, ///< inertial position and velocity
    Lla = 3, ///< sub-point latitude, east longitude and height
    Rad = 4, ///< right ascension and declination seen by the observer
};

/// A system number as the enumeration; another number is no system.
[[nodiscard]] std::optional<CoordinateSystem> coordinateSystem(int number);

/// The language texts of the listings (section "frmDetails", the "Def" latitude and longitude
/// words and the satellite status names), read once per listing.
struct ListingTexts
{
    QString satellite;
    QString satelliteA;
    QString satelliteB;
    QString elements;
    QString location;
    QString latitude;
    QString longitude;
    std::array<QString, 4> ephemerisHeadings;
    std::array<QString, 4> relativeHeadings;
    /// By status 0 (cleared) to 3; the program's status names.
    std::array<QString, 4> status;

    /// Everything from the language file; `statusName` gives the name of a status.
    [[nodiscard]] static ListingTexts load(const std::function<QString(int)>& statusName);
};

/// The right ascension "00h00m00s" and declination "+00°00'" seen by the observer.
struct SkyPositionText
{
    QString rightAscension;
    QString declination;
    double rightAscensionHours = 0; ///< from the shown hours, minutes and seconds
    double declinationDeg = 0;      ///< signed, from the shown degrees and minutes
};
[[nodiscard]] SkyPositionText skyPosition(const SatelliteSample& sample,
                                          const Dati_osservatore& observer,
                                          const QLocale& locale);

/// The name, catalogue number, launch and epoch lines of a satellite, the label column
/// `labelWidth` wide.
[[nodiscard]] QStringList satelliteHeader(const QString& label, const QString& elementsLabel,
                                          const Elemento_satellite& elements,
                                          const Record_TLE& lines, int labelWidth,
                                          const QLocale& locale);

/// Every header line of an ephemeris listing, the empty first and last lines included.
[[nodiscard]] QStringList ephemerisHeader(CoordinateSystem system,
                                          const Elemento_satellite& elements,
                                          const Record_TLE& lines, const Dati_osservatore& observer,
                                          const ListingTexts& texts, const QLocale& locale);

/// The row of one instant.
[[nodiscard]] QString ephemerisRow(CoordinateSystem system, double date,
                                   const SatelliteSample& sample,
                                   const Dati_osservatore& observer, const ListingTexts& texts,
                                   const QLocale& locale);

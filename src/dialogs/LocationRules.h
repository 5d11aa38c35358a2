#pragma once
// The rules of the location dialogs without their widgets: how a time zone is shown as a
// side of Greenwich, hours and minutes and read back, which globe picture shows a place and
// where, and how the typed height and coordinates are read.

#include <QString>
#include <QStringView>

#include <optional>

namespace location {

/// Zones of the world reach 14 hours east of Greenwich and 12 hours west of it.
inline constexpr int kMaxHoursEast = 14;
inline constexpr int kMaxHoursWest = 12;
/// The minute choices of a zone, by list index.
inline constexpr int kZoneMinutes[] = {0, 30, 45};

/// A zone as the dialogs' three lists show it.
struct ZoneChoice
{
    int side = 0;         ///< 0 east of Greenwich or on it (zone >= 0), 1 west (zone < 0)
    int hours = 0;        ///< whole hours, the index of the hour list
    int minuteIndex = -1; ///< index into kZoneMinutes; -1: no choice fits, leave the list
    bool clamped = false; ///< the zone lay beyond the hours the lists hold and was clamped
};

/// The lists' choice for a zone [hours]; a zone beyond +14 or -12 hours is clamped to it.
[[nodiscard]] ZoneChoice zoneChoice(float zoneHours);

/// The highest hour the hour list offers on a side of Greenwich.
[[nodiscard]] int maxHours(int side);

/// The zone [hours] of a choice: hours + minutes / 60, negative west of Greenwich.
[[nodiscard]] float zoneHours(int side, int hours, int minuteIndex);

/// Picture number (1..11) of the globe preview for a longitude, and its centre longitude.
struct GlobeView
{
    int picture = 0;
    double centreLongitudeDeg = 0;
};

/// Latitude at the centre of every globe picture [degrees].
inline constexpr double kGlobeCentreLatitudeDeg = 15;

[[nodiscard]] GlobeView globeView(double longitudeDeg);

/// Where a place lies on its globe picture, in the unit circle (x right, y up). Places on
/// the far side are not told apart: the point is where the projection puts it.
struct GlobePoint
{
    double x = 0;
    double y = 0;
};

[[nodiscard]] GlobePoint globePoint(double latitudeDeg, double longitudeDeg);

/// A typed number field read by its leading number ("." decimal point; 0 without one).
[[nodiscard]] double fieldNumber(QStringView text);

/// Height [m] of the height field: its leading number rounded to a whole metre.
[[nodiscard]] double heightMetres(QStringView text);

/// Digits of the fraction field of decimal degrees: the decimals of the degree.
inline constexpr int kFractionDigits = 4;

/// The fraction field's value [0, 1): its digits are the decimals after the decimal mark, so
/// "5" is 0.5, "05" is 0.05 and "0005" is 0.0005. Blanks are skipped and a decimal mark ("." or
/// ",") may stand in front; an empty field is 0. nullopt for anything else (a sign, a letter, a
/// second mark).
[[nodiscard]] std::optional<double> fractionValue(QStringView text);

/// A fraction [0, 1) as the fraction field shows it: four digits ("5000" for 0.5).
[[nodiscard]] QString fractionText(double fraction);

/// A whole-degree field's text with a decimal mark typed into it: the text before the first
/// mark ("." or ",", whatever the locale) and the digits after it, which belong in the
/// fraction field. More decimals than that field holds are rounded to four, carrying into the
/// degrees ("45.99999" gives "46" and "0000"). nullopt for a text without a mark.
struct DegreesAtMark
{
    QString degrees;
    QString decimals;
};

[[nodiscard]] std::optional<DegreesAtMark> splitAtDecimalMark(QStringView text);

/// Whole degrees and the four-digit decimal fraction of |degrees| ("45" and "4700" for 45.47).
struct DecimalDegreesText
{
    QString degrees;
    QString fraction;
};

[[nodiscard]] DecimalDegreesText decimalDegreesText(double degrees);

/// Degrees, minutes and seconds (whole seconds, carried) of a non-negative value, as texts.
struct SexagesimalText
{
    QString degrees;
    QString minutes;
    QString seconds;
};

[[nodiscard]] SexagesimalText sexagesimalText(double degrees);

/// A coordinate rounded to the four decimals a place keeps.
[[nodiscard]] double roundedCoordinate(double degrees);

} // namespace location

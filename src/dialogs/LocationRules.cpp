#include "dialogs/LocationRules.h"

#include "core/mMate.h"
#include "services/TextData.h"

#include <algorithm>
#include <cmath>

namespace location {

namespace {

constexpr double kDegreesToRadians = 0.0174532925;
constexpr double kGlobeTiltRad = 0.2617993875; // 15 degrees: the pictures look from 15 N
constexpr double kFractionScale = 10000;       // four decimals of a degree

struct GlobeBand
{
    double fromLongitudeDeg; ///< the band starts here (inclusive)
    double centreLongitudeDeg;
};

// Picture k + 1 covers the longitudes from band k's start to band k + 1's.
constexpr GlobeBand kGlobeBands[] = {{-1000, -180}, {-160, -140}, {-120, -100}, {-80, -60},
                                     {-40, -20},    {0, 0},       {20, 20},     {40, 60},
                                     {80, 100},     {120, 140},   {160, 160}};

bool isDecimalMark(QChar c)
{
    return c == u'.' || c == u',';
}

QString twoDigits(double value)
{
    return QStringLiteral("%1").arg(static_cast<long long>(value), 2, 10, QLatin1Char('0'));
}

} // namespace

ZoneChoice zoneChoice(float zoneHours)
{
    ZoneChoice choice;
    choice.side = zoneHours < 0 ? 1 : 0;
    double magnitude = std::abs(static_cast<double>(zoneHours));
    const double limit = maxHours(choice.side);
    if (magnitude > limit) {
        magnitude = limit;
        choice.clamped = true;
    }
    choice.hours = static_cast<int>(std::floor(magnitude));
    const double minutes = mMate::roundLikeFormat((magnitude - choice.hours) * 60);
    for (int i = 0; i < static_cast<int>(std::size(kZoneMinutes)); ++i) {
        if (minutes == kZoneMinutes[i])
            choice.minuteIndex = i;
    }
    return choice;
}

int maxHours(int side)
{
    return side == 1 ? kMaxHoursWest : kMaxHoursEast;
}

float zoneHours(int side, int hours, int minuteIndex)
{
    const int minutes = minuteIndex >= 0 && minuteIndex < static_cast<int>(std::size(kZoneMinutes))
                            ? kZoneMinutes[minuteIndex]
                            : 0;
    const float zone = static_cast<float>(hours) + static_cast<float>(minutes) / 60.0f;
    return side == 1 ? -zone : zone;
}

GlobeView globeView(double longitudeDeg)
{
    GlobeView view;
    for (int k = 0; k < static_cast<int>(std::size(kGlobeBands)); ++k) {
        if (longitudeDeg >= kGlobeBands[k].fromLongitudeDeg) {
            view.picture = k + 1;
            view.centreLongitudeDeg = kGlobeBands[k].centreLongitudeDeg;
        }
    }
    return view;
}

GlobePoint globePoint(double latitudeDeg, double longitudeDeg)
{
    const double phi = latitudeDeg * kDegreesToRadians;
    const double delta =
        (longitudeDeg - globeView(longitudeDeg).centreLongitudeDeg) * kDegreesToRadians;
    return {std::cos(phi) * std::sin(delta),
            std::cos(kGlobeTiltRad) * std::sin(phi) -
                std::sin(kGlobeTiltRad) * std::cos(phi) * std::cos(delta)};
}

double fieldNumber(QStringView text)
{
    return leadingNumber(text);
}

double heightMetres(QStringView text)
{
    return mMate::roundLikeFormat(fieldNumber(text));
}

DecimalDegreesText decimalDegreesText(double degrees)
{
    const double magnitude = std::abs(degrees);
    double whole = std::floor(magnitude);
    double fraction = mMate::roundLikeFormat((magnitude - whole) * kFractionScale);
    // Guard: a fraction that rounds up to a whole degree carries, instead of showing
    // five digits ("9" and "10000" for 9.99999).
    if (fraction >= kFractionScale) {
        whole += 1;
        fraction = 0;
    }
    return {twoDigits(whole),
            QStringLiteral("%1").arg(static_cast<long long>(fraction), 4, 10, QLatin1Char('0'))};
}

std::optional<double> fractionValue(QStringView text)
{
    QString digits;
    bool markAllowed = true;
    for (const QChar c : text) {
        if (c.isSpace())
            continue;
        if (markAllowed && digits.isEmpty() && isDecimalMark(c)) {
            markAllowed = false;
            continue;
        }
        if (c < u'0' || c > u'9')
            return std::nullopt;
        digits.append(c);
    }
    if (digits.isEmpty())
        return 0.0;
    // "0." followed by the digits, read as a number: the digits are decimals however many.
    // Digits past the fifteenth lie below a double's resolution, and a long run of nines
    // would round up to a whole degree.
    constexpr qsizetype kSignificantDecimals = 15;
    digits.truncate(kSignificantDecimals);
    return (QStringLiteral("0.") + digits).toDouble();
}

QString fractionText(double fraction)
{
    const double scaled = mMate::roundLikeFormat(fraction * kFractionScale);
    return QStringLiteral("%1").arg(
        static_cast<long long>(std::clamp(scaled, 0.0, kFractionScale - 1)), kFractionDigits, 10,
        QLatin1Char('0'));
}

std::optional<DegreesAtMark> splitAtDecimalMark(QStringView text)
{
    qsizetype mark = -1;
    for (qsizetype i = 0; i < text.size() && mark < 0; ++i) {
        if (isDecimalMark(text[i]))
            mark = i;
    }
    if (mark < 0)
        return std::nullopt;
    DegreesAtMark split{text.left(mark).toString(), text.mid(mark + 1).toString()};
    const std::optional<double> decimals = fractionValue(split.decimals);
    if (!decimals || split.decimals.trimmed().size() <= kFractionDigits)
        return split;
    // More decimals than the fraction field holds: rounded to its four, as the place keeps
    // them, carrying into whole degrees written as plain digits.
    double scaled = mMate::roundLikeFormat(*decimals * kFractionScale);
    bool plainDegrees = false;
    const int whole = split.degrees.trimmed().toInt(&plainDegrees);
    if (scaled >= kFractionScale && plainDegrees && whole >= 0) {
        split.degrees = QString::number(whole + 1);
        scaled = 0;
    }
    split.decimals = fractionText(std::min(scaled, kFractionScale - 1) / kFractionScale);
    return split;
}

SexagesimalText sexagesimalText(double degrees)
{
    double d = 0;
    double m = 0;
    double s = 0;
    mMate::Gradi_primi_secondi(degrees, d, m, s);
    return {QString::number(static_cast<long long>(d)), QString::number(static_cast<long long>(m)),
            QString::number(static_cast<long long>(s))};
}

double roundedCoordinate(double degrees)
{
    return std::copysign(mMate::roundLikeFormat(std::abs(degrees) * kFractionScale), degrees) /
           kFractionScale;
}

} // namespace location

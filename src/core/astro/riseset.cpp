#include "core/mAstro.h"

#include "core/DateValue.h"
#include "core/mMate.h"

#include <array>
#include <cmath>
#include <optional>

namespace mAstro {
namespace {

using mMate::kDegToRad;
using mMate::kTwoPi;
using mMate::sign;

// Sidereal turn per hour: 15 degrees x 1.0027379 [rad].
constexpr double kSiderealRadPerHour = 0.2625161680430363;
constexpr double kSunZenithDistanceDeg = 90.833;
constexpr int kHoursPerDay = 24;

double frac(double x)
{
    return x - std::floor(x);
}

double arcsine(double s)
{
    return std::atan(s / std::sqrt(1.0 - s * s));
}

struct Equatorial
{
    double rightAscensionRad;
    double declinationRad;
    double distance; ///< Earth radii (Moon only)
};

// Sun by the series of Van Flandern and Pulkkinen; t days from J2000.0, tt Julian centuries
// from 1900.
Equatorial sunPosition(double t, double tt)
{
    const double l = frac(0.779072 + 0.00273790931 * t) * kTwoPi;
    const double g = frac(0.993126 + 0.0027377785 * t) * kTwoPi;
    const double v = 0.39785 * std::sin(l) - 0.01 * std::sin(l - g) + 0.00333 * std::sin(l + g) -
                     0.00021 * tt * std::sin(l);
    const double u =
        1.0 - 0.03349 * std::cos(g) - 0.00014 * std::cos(2 * l) + 0.00008 * std::cos(l);
    const double w = -0.0001 - 0.04129 * std::sin(2 * l) + 0.03211 * std::sin(g) +
                     0.00104 * std::sin(2 * l - g) - 0.00035 * std::sin(2 * l + g) -
                     0.00008 * tt * std::sin(g);
    const double ra = l + arcsine(w / std::sqrt(u - v * v));
    const double dec = arcsine(v / std::sqrt(u));
    return {ra, dec, 1.00021 * std::sqrt(u)};
}

// Moon by the same authors' series; t days from J2000.0.
Equatorial moonPosition(double t)
{
    const double l = frac(0.606434 + 0.03660110129 * t) * kTwoPi;
    const double m = frac(0.374897 + 0.03629164709 * t) * kTwoPi;
    const double f = frac(0.259091 + 0.0367481952 * t) * kTwoPi;
    const double d = frac(0.827362 + 0.03386319198 * t) * kTwoPi;
    const double n = frac(0.347343 - 0.00014709391 * t) * kTwoPi;
    const double g = frac(0.993126 + 0.0027377785 * t) * kTwoPi;

    const double v = 0.39558 * std::sin(f + n) + 0.082 * std::sin(f) +
                     0.03257 * std::sin(m - f - n) + 0.01092 * std::sin(m + f + n) +
                     0.00666 * std::sin(m - f) - 0.00644 * std::sin(m + f - 2 * d + n) -
                     0.00331 * std::sin(f - 2 * d + n) - 0.00304 * std::sin(f - 2 * d) -
                     0.0024 * std::sin(m - f - 2 * d - n) + 0.00226 * std::sin(m + f) -
                     0.00108 * std::sin(m + f - 2 * d) - 0.00079 * std::sin(f - n) +
                     0.00078 * std::sin(2 * d + f + n);
    const double u = 1.0 - 0.10828 * std::cos(m) - 0.0188 * std::cos(m - 2 * d) -
                     0.01479 * std::cos(2 * d) + 0.00181 * std::cos(2 * m - 2 * d) -
                     0.00147 * std::cos(2 * m) - 0.00105 * std::cos(2 * d - g) -
                     0.00075 * std::cos(m - 2 * d + g);
    const double w = 0.10478 * std::sin(m) - 0.04105 * std::sin(2 * f + 2 * n) -
                     0.0213 * std::sin(m - 2 * d) - 0.01779 * std::sin(2 * f + n) +
                     0.01774 * std::sin(n) + 0.00987 * std::sin(2 * d) -
                     0.00338 * std::sin(m - 2 * f - 2 * n) - 0.00309 * std::sin(g) -
                     0.0019 * std::sin(2 * f) - 0.00144 * std::sin(m + n) -
                     0.00144 * std::sin(m - 2 * f - n) - 0.00113 * std::sin(2 * f + m + 2 * n) -
                     0.00094 * std::sin(m - 2 * d + g) - 0.00092 * std::sin(2 * m - 2 * d);
    const double ra = l + arcsine(w / std::sqrt(u - v * v));
    const double dec = arcsine(v / std::sqrt(u));
    return {ra, dec, 60.40974 * std::sqrt(u)};
}

// Start of the local day: days from J2000.0 at 0 h UT of the date, and the local sidereal
// time at 0 h zone time [rad].
struct DayStart
{
    double daysFromJ2000; ///< 0 h UT of the calendar date
    double siderealRad;   ///< local sidereal time at 0 h zone time
    double zoneDays;      ///< zone / 24
};

DayStart dayStart(double longitudeDeg, double zoneWestHours, double date)
{
    const DateValue::Parts parts = DateValue::split(date);
    const double y = parts.year;
    const double m = parts.month;
    const double dayOfMonth = parts.day;
    const double longitudeTurns = longitudeDeg / 360.0;
    const double zoneDays = zoneWestHours / 24.0;

    // The integer day-number rule of the method (Gregorian from 1583 on).
    const double gregorian = y < 1583 ? 0.0 : 1.0;
    const double wholeDay = std::floor(dayOfMonth);
    double dayFraction = dayOfMonth - wholeDay - 0.5;
    double j = -std::floor(7.0 * (std::floor((m + 9.0) / 12.0) + y) / 4.0);
    if (gregorian == 1.0) {
        const double s = sign(m - 9.0);
        const double a = std::fabs(m - 9.0);
        double j3 = std::floor(y + s * std::floor(a / 7.0));
        j3 = -std::floor((std::floor(j3 / 100.0) + 1.0) * 3.0 / 4.0);
        j += gregorian * j3;
    }
    j += std::floor(275.0 * m / 9.0) + wholeDay;
    j += 1721027.0 + 2.0 * gregorian + 367.0 * y;
    if (dayFraction < 0) {
        dayFraction += 1.0;
        j -= 1.0;
    }
    const double t = (j - 2451545.0) + dayFraction;

    const double centuries = t / 36525.0;
    double s = 24110.5 + 8640184.813 * centuries + 86636.6 * zoneDays + 86400.0 * longitudeTurns;
    s = frac(s / 86400.0);
    return {t, s * 360.0 * kDegToRad, zoneDays};
}

// Azimuth [degrees, 0..360] of a body at hour angle and declination (radians).
double eventAzimuthDeg(double hourAngle, double declination, double sinLat, double cosLat)
{
    const double east = -std::cos(declination) * std::sin(hourAngle);
    const double north =
        cosLat * std::sin(declination) - sinLat * std::cos(declination) * std::cos(hourAngle);
    double azimuth = std::atan(east / north) / kDegToRad;
    if (north < 0)
        azimuth += 180.0;
    if (azimuth < 0)
        azimuth += 360.0;
    if (azimuth > 360.0)
        azimuth -= 360.0;
    return azimuth;
}

// The hour-by-hour search. position(p) gives the body at fraction p of the day (0..1).
template <typename Position>
RiseSetDay searchDay(double latitudeDeg, double siderealRad, double zenithDistanceDeg,
                     Position position)
{
    const double z = std::cos(zenithDistanceDeg * kDegToRad);
    const double sinLat = std::sin(latitudeDeg * kDegToRad);
    const double cosLat = std::cos(latitudeDeg * kDegToRad);
    auto altitudeExcess = [&](double dec, double hourAngle) {
        return sinLat * std::sin(dec) + cosLat * std::cos(dec) * std::cos(hourAngle) - z;
    };

    RiseSetDay day;
    Equatorial previous = position(0.0);
    double v0 = 0;
    double v2 = 0;
    for (int hour = 0; hour < kHoursPerDay; ++hour) {
        const Equatorial next = position((hour + 1) / 24.0);
        const double l0 = siderealRad + hour * kSiderealRadPerHour;
        const double l2 = l0 + kSiderealRadPerHour;
        const double h0 = l0 - previous.rightAscensionRad;
        const double h2 = l2 - next.rightAscensionRad;
        const double h1 = (h2 + h0) / 2.0;
        const double d1 = (next.declinationRad + previous.declinationRad) / 2.0;
        if (hour == 0)
            v0 = altitudeExcess(previous.declinationRad, h0);
        v2 = altitudeExcess(next.declinationRad, h2);

        if (sign(v0) != sign(v2)) {
            const std::optional<double> crossing =
                quadraticCrossing(v0, altitudeExcess(d1, h1), v2);
            RiseSetEvent* event = nullptr;
            if (v0 < 0 && v2 > 0)
                event = &day.rise;
            else if (v0 > 0 && v2 < 0)
                event = &day.set;
            if (crossing && event) {
                const double e = *crossing;
                const double t3 = hour + e + 1.0 / 120.0; // nearest minute
                event->occurred = true;
                event->hour = static_cast<int>(std::floor(t3));
                event->minute = static_cast<int>(std::floor((t3 - event->hour) * 60.0));
                event->azimuthDeg = eventAzimuthDeg(h0 + e * (h2 - h0), d1, sinLat, cosLat);
            }
        }
        previous = next;
        v0 = v2;
    }

    if (!day.rise.occurred && !day.set.occurred)
        day.status = v2 > 0 ? RiseSetStatus::AlwaysAbove : RiseSetStatus::AlwaysBelow;
    else if (!day.rise.occurred)
        day.status = RiseSetStatus::NoRise;
    else if (!day.set.occurred)
        day.status = RiseSetStatus::NoSet;
    return day;
}

} // namespace

std::optional<double> quadraticCrossing(double v0, double v1, double v2)
{
    const double a = 2.0 * v2 - 4.0 * v1 + 2.0 * v0;
    const double b = 4.0 * v1 - 3.0 * v0 - v2;
    if (a == 0) {
        // Guard: altitudes in a straight line leave no quadratic term; the quadratic formula
        // divided by zero here. The crossing is then the linear root.
        if (b == 0)
            return std::nullopt;
        return -v0 / b;
    }
    double discriminant = b * b - 4.0 * a * v0;
    if (discriminant < 0)
        return std::nullopt;
    discriminant = std::sqrt(discriminant);
    double e = (-b + discriminant) / (2.0 * a);
    if (e > 1 || e < 0)
        e = (-b - discriminant) / (2.0 * a);
    return e;
}

RiseSetDay Sorge_tramonta_sole(double latitudeDeg, double longitudeDeg, double zoneWestHours,
                               double date)
{
    const DayStart start = dayStart(longitudeDeg, zoneWestHours, date);
    const double centuriesFrom1900 = start.daysFromJ2000 / 36525.0 + 1.0;
    const double t = start.daysFromJ2000 + start.zoneDays;

    const Equatorial first = sunPosition(t, centuriesFrom1900);
    Equatorial last = sunPosition(t + 1.0, centuriesFrom1900);
    if (last.rightAscensionRad < first.rightAscensionRad)
        last.rightAscensionRad += kTwoPi;

    auto linear = [&](double p) {
        return Equatorial{
            first.rightAscensionRad + p * (last.rightAscensionRad - first.rightAscensionRad),
            first.declinationRad + p * (last.declinationRad - first.declinationRad), 0.0};
    };
    return searchDay(latitudeDeg, start.siderealRad, kSunZenithDistanceDeg, linear);
}

RiseSetDay Sorge_tramonta_luna(double latitudeDeg, double longitudeDeg, double zoneWestHours,
                               double date)
{
    const DayStart start = dayStart(longitudeDeg, zoneWestHours, date);
    const double t = start.daysFromJ2000 + start.zoneDays;

    std::array<Equatorial, 3> at{moonPosition(t), moonPosition(t + 0.5), moonPosition(t + 1.0)};
    if (at[1].rightAscensionRad <= at[0].rightAscensionRad)
        at[1].rightAscensionRad += kTwoPi;
    if (at[2].rightAscensionRad <= at[1].rightAscensionRad)
        at[2].rightAscensionRad += kTwoPi;

    // Parabola through the three positions: value at 0, 0.5 and 1 of the day.
    auto through = [](double f0, double f1, double f2, double p) {
        const double a = f1 - f0;
        const double b = f2 - f1 - a;
        return f0 + p * (2.0 * a + b * (2.0 * p - 1.0));
    };
    auto interpolated = [&](double p) {
        return Equatorial{
            through(at[0].rightAscensionRad, at[1].rightAscensionRad, at[2].rightAscensionRad, p),
            through(at[0].declinationRad, at[1].declinationRad, at[2].declinationRad, p), 0.0};
    };
    const double zenithDistanceDeg = 90.567 - 41.685 / at[1].distance;
    return searchDay(latitudeDeg, start.siderealRad, zenithDistanceDeg, interpolated);
}

} // namespace mAstro

#include "core/mMate.h"

#include <cmath>

namespace mMate {
namespace {
constexpr double kAtanDeadZone = 1e-8; // below this a coordinate counts as zero
}

double sign(double x)
{
    return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0);
}

double roundLikeFormat(double x)
{
    return std::round(x);
}

double Modulo(double x, double y)
{
    const double r = x - std::trunc(x / y) * y;
    return r < 0 ? r + y : r;
}

double Arcotangente_completa(double y, double x)
{
    if (std::fabs(y) < kAtanDeadZone)
        return (1.0 - sign(x)) * kHalfPi;
    const double quadrantBase = (2.0 - sign(y)) * kHalfPi;
    if (std::fabs(x) < kAtanDeadZone)
        return quadrantBase;
    return (std::fabs(std::atan(y / x)) - kHalfPi) * sign(y) * sign(x) + quadrantBase;
}

double Riduci_angolo(double angle)
{
    double r = angle - std::trunc(angle / kTwoPi) * kTwoPi;
    if (r < 0)
        r += kTwoPi;
    if (r == kTwoPi)
        r = 0;
    return r;
}

double Arcoseno(double x)
{
    return std::atan(x / std::sqrt(1.0 - x * x));
}

double Arcocoseno(double x)
{
    return std::atan(-x / std::sqrt(1.0 - x * x)) + 2.0 * std::atan(1.0);
}

double Gradi_decimali(double degrees, double minutes, double seconds)
{
    return degrees + (minutes + seconds / 60.0) / 60.0;
}

void Gradi_primi_secondi(double value, double& degrees, double& minutes, double& seconds)
{
    degrees = std::floor(value);
    minutes = std::floor((value - degrees) * 60.0);
    seconds = roundLikeFormat(((value - degrees) * 60.0 - minutes) * 60.0);
    if (seconds == 60) {
        seconds = 0;
        minutes += 1;
    }
    if (minutes == 60) {
        minutes = 0;
        degrees += 1;
    }
}

void Gradi_primi(double value, double& degrees, double& minutes)
{
    degrees = std::floor(value);
    minutes = roundLikeFormat((value - degrees) * 60.0);
    if (minutes == 60) {
        minutes = 0;
        degrees += 1;
    }
}

} // namespace mMate

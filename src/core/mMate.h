#pragma once
// Angle and number routines used wherever angles are reduced or converted.
// The circle and the quarter turn are the rounded values 6.2831853 and 1.57079633, and
// degrees and radians are converted with 0.0174532925 and 57.295779513: every stored
// result of the program was made with these, so they are kept instead of full-precision pi.

namespace mMate {

inline constexpr double kDegToRad = 0.0174532925;
inline constexpr double kRadToDeg = 57.295779513;
inline constexpr double kTwoPi = 6.2831853;
inline constexpr double kHalfPi = 1.57079633;
inline constexpr double kPi = 3.14159265;

/// Remainder of x by y in [0, y) for y > 0 (x - Fix(x / y) y, made non-negative).
/// y must not be 0 (the result would be NaN).
[[nodiscard]] double Modulo(double x, double y);

/// Angle of the point (x, y) in radians, in [0, 2 pi) with the rounded quarter turn;
/// the origin gives a quarter turn.
[[nodiscard]] double Arcotangente_completa(double y, double x);

/// An angle in radians reduced to [0, 6.2831853).
[[nodiscard]] double Riduci_angolo(double angle);

/// Arcsine in radians, as atan(x / sqrt(1 - x^2)). Meant for -1 < x < 1; x = +-1 gives
/// +-pi/2 (the limit), |x| > 1 gives NaN.
[[nodiscard]] double Arcoseno(double x);

/// Arccosine in radians in [0, pi], as atan(-x / sqrt(1 - x^2)) + 2 atan(1). Meant for
/// -1 < x < 1; x = +-1 gives the limits 0 and pi, |x| > 1 gives NaN.
[[nodiscard]] double Arcocoseno(double x);

/// Decimal degrees from degrees, minutes and seconds: g + (m + s / 60) / 60. The sign of
/// the degrees is not spread to the minutes and seconds.
[[nodiscard]] double Gradi_decimali(double degrees, double minutes, double seconds);

/// Degrees (floor), minutes (cut) and seconds (rounded to whole) of a decimal value;
/// 60 seconds and then 60 minutes carry, so 10.99999 gives 11 0 0 and -4.5 gives -5 30 0.
void Gradi_primi_secondi(double value, double& degrees, double& minutes, double& seconds);

/// Degrees (floor) and minutes (rounded to whole) of a decimal value; 60 minutes carry.
void Gradi_primi(double value, double& degrees, double& minutes);

/// A number rounded to the nearest whole number, halves away from zero: what a number
/// formatted with the pattern "00" reads back as.
[[nodiscard]] double roundLikeFormat(double x);

/// VB's Sgn: -1, 0 or 1.
[[nodiscard]] double sign(double x);

} // namespace mMate

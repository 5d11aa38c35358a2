#pragma once
// What the orbital-elements window shows of one element set: the elements in readable form
// and the orbit derived from them (semi-axes, period, apogee and perigee heights).

#include "common/Elemento_satellite.h"
#include "common/Record_TLE.h"

#include <QLocale>
#include <QString>

#include <optional>

/// The orbit of a mean motion and eccentricity, with the rounded constants of the window
/// (GM 398600.8 km^3/s^2, Earth radius 6378.135 km).
struct DerivedOrbit
{
    double semiMajorKm = 0;
    double semiMinorKm = 0;
    double periodSeconds = 0;
    double apogeeHeightKm = 0;
    double perigeeHeightKm = 0;
};

/// Nothing for an element set without an orbit (mean motion not positive, eccentricity not
/// within 0 to 1).
[[nodiscard]] std::optional<DerivedOrbit> derivedOrbit(double meanMotionRevPerDay,
                                                       double eccentricity);

/// The value labels of the window, by label.
struct ElementTexts
{
    QString noradNumber, international, launchYear, launchNumber, age, set, magStd;
    QString epochTime, date;
    QString inclination, raan, eccentricity, argumentPerigee, meanAnomaly, meanMotion;
    QString dev1, dev2, bStar, orbitNumberEpoch;
    QString apogee, perigee, orbitalPeriod, semiMaj, semiMin;
    QString zeroLine, firstLine, secondLine;
};

/// The texts of an element set at Julian day `julianNow` (its age counts from there); nothing
/// when the set has no orbit.
[[nodiscard]] std::optional<ElementTexts> elementTexts(const Elemento_satellite& elements,
                                                       const Record_TLE& lines, double julianNow,
                                                       const QLocale& locale = QLocale());

/// What the window shows for a slot without a satellite or a set without an orbit.
[[nodiscard]] ElementTexts emptyElementTexts(const QLocale& locale = QLocale());

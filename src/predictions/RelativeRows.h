#pragma once
// The text of a relative-motion listing of two satellites: distance, angular separation and
// each satellite's own values, in the observer, inertial, geographic or sky coordinates.

#include "predictions/EphemerisRows.h"

#include <QLocale>
#include <QString>
#include <QStringList>

/// What two satellites' samples at one instant give together.
struct RelativeGeometry
{
    double distanceKm = 0;         ///< between the two inertial positions
    double geocentricAngleDeg = 0; ///< between the two position vectors at the Earth's centre
    double observedAngleDeg = 0;   ///< between the two lines of sight from the observer
    double latitudeDifferenceDeg = 0;
    double longitudeDifferenceDeg = 0; ///< folded to at most 180
};

[[nodiscard]] RelativeGeometry relativeGeometry(const SatelliteSample& a, const SatelliteSample& b);

/// The right-ascension difference of two sky positions [hours], folded to at most 12 h as the
/// longitude difference is folded to 180 degrees.
[[nodiscard]] double rightAscensionDifferenceHours(double raAHours, double raBHours);

/// Every header line of a relative-motion listing, the empty first and last lines included.
[[nodiscard]] QStringList relativeHeader(CoordinateSystem system, const TrackSet& tracks,
                                         const Record_TLE& linesA, const Record_TLE& linesB,
                                         const ListingTexts& texts, const QLocale& locale);

/// The row of one instant.
[[nodiscard]] QString relativeRow(CoordinateSystem system, double date,
                                  const ListingSamples& samples, const Dati_osservatore& observer,
                                  const QLocale& locale);

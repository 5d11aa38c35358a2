#pragma once
// The display forms of the planets table: one row per body of Corpi_celesti (the seven
// planets, the Sun, the Moon), from the record as the last tick computed it. Pure functions;
// numbers use the locale's separators.

#include "common/catalogues.h"

#include <QColor>
#include <QLocale>
#include <QString>

namespace planets {

/// Right ascension [hours] as "5h59m": hours and minutes cut to whole units, never 60m.
[[nodiscard]] QString rightAscensionText(double hours);
/// Declination [degrees] as "-12°45'": degrees and minutes cut toward zero, the sign kept
/// for a declination between 0 and -1 degree ("-0°30'").
[[nodiscard]] QString declinationText(double degrees, const QLocale& locale = QLocale());
/// Light time over the Sun's distance [km] as "8m19s", rounded to the whole second first.
[[nodiscard]] QString sunLightTimeText(double distanceKm, const QLocale& locale = QLocale());
/// Light time over the Moon's distance [km] as "1.3s".
[[nodiscard]] QString moonLightTimeText(double distanceKm, const QLocale& locale = QLocale());

/// Red for a body below the horizon, blue for one on or above it.
[[nodiscard]] QColor altitudeColour(double altitudeDeg);

/// The texts of one row of the table.
struct PlanetRow
{
    QString rightAscension;
    QString declination;
    QString azimuth;
    QString altitude;
    QColor altitudeColour;
    QString distance;  ///< planets: AU; the Sun and the Moon: km with thousands separators
    QString magnitude; ///< planets only; empty when no light reaches us
    QString lightTime;
};

/// Row of body `index` (1..7 planets, 8 the Sun, 9 the Moon).
[[nodiscard]] PlanetRow planetRow(int index, const Corpo_celeste& body,
                                  const QLocale& locale = QLocale());

} // namespace planets

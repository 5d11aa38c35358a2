#pragma once
// The texts of the sky-object information window for a catalogue star or a body of
// Corpi_celesti: coordinates, magnitude, apparent diameter, phase, distance and light time.
// Pure functions of the record passed in; numbers use the locale's separators.

#include "common/catalogues.h"

#include <QLocale>
#include <QString>

namespace skycharts {

/// Right ascension [hours] as " 05h 30m 00s", every part cut to whole units.
[[nodiscard]] QString rightAscensionText(double hours);
/// Declination [degrees] as "+16\u00b0 42'", held in single precision before it is split.
[[nodiscard]] QString declinationText(double degrees);
/// Apparent diameter [arcseconds] as "31'59''".
[[nodiscard]] QString diameterText(double arcseconds);
/// Light time over a planet's distance [AU] as "8m19s" or "1h19m00s": the total is rounded to
/// the whole second before it is split, so a time never shows 60 seconds.
[[nodiscard]] QString planetLightTimeText(double distanceAu);
/// Light time over the Sun's distance [km] as "08m19s", rounded as above.
[[nodiscard]] QString sunLightTimeText(double distanceKm);

/// The rows of the window: title, the five value rows with their captions, and the four
/// coordinates. A caption left empty keeps the window's own caption; a hidden row is not shown.
struct SkyObjectTexts
{
    QString title;
    QString magnitude;
    bool magnitudeShown = true;
    QString diameterCaption; ///< empty: the window's own caption
    QString diameter;
    QString phaseCaption;
    QString phase;
    QString distanceCaption;
    QString distance;
    QString lightTimeCaption;
    QString lightTime;
    QString rightAscension;
    QString declination;
    QString azimuth;
    QString altitude;
};

/// Captions the star's rows take instead (the window's "costellazione", "lettera", "spettro"
/// texts and the magnitude caption for the Sun's phase row).
struct SkyObjectCaptions
{
    QString constellation;
    QString letter;
    QString spectrum;
    QString magnitude;
};

/// A catalogue star seen at (azimuth, altitude) [degrees].
[[nodiscard]] SkyObjectTexts starTexts(const Stella_catalogo& star, double azimuthDeg,
                                       double altitudeDeg, const SkyObjectCaptions& captions,
                                       const QLocale& locale = QLocale());
/// Body `index` (1..9) of Corpi_celesti; `name` is its language text.
[[nodiscard]] SkyObjectTexts bodyTexts(int index, const Corpo_celeste& body, const QString& name,
                                       const SkyObjectCaptions& captions,
                                       const QLocale& locale = QLocale());

} // namespace skycharts

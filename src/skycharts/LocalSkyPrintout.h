#pragma once
// The local sky printout: one portrait page, black on white, in twips from the top-left
// corner of the printable area: a frame, the round chart with the azimuth labels, the grid,
// the constellations, the stars in their paper classes, the Moon, the planets and the Sun,
// then the place and time and a table of the bodies. It follows the local sky's projection,
// orientation and layer options, but shows no satellite, track, landscape or sky colours.

#include "skycharts/SkyLayersPaper.h"

#include "common/catalogues.h"
#include "common/options.h"
#include "tracking/DisplayOptions.h"

#include <QLocale>
#include <QString>
#include <QStringList>

class DrawingSurface;

namespace skycharts {

/// One row of the table of bodies (1..9): name, azimuth, altitude, right ascension,
/// declination, magnitude, apparent diameter and phase in fixed-width fields.
[[nodiscard]] QString printoutBodyRow(int index, const Corpo_celeste& body, const QString& name,
                                      const QLocale& locale = QLocale());

/// The text block under the chart: title, place, coordinates, date and the table headings.
[[nodiscard]] QStringList printoutTextBlock(const Dati_osservatore& observer, double localDate,
                                            const QLocale& locale = QLocale());

/// Draws the whole page for the time state and bodies of the last computation, which were
/// brought to the local instant `localDate`.
void drawLocalSkyPrintout(DrawingSurface& page, const LocalSkyDisplay& display, int starCount,
                          double localDate, bool letterPaper, const QLocale& locale = QLocale());

} // namespace skycharts

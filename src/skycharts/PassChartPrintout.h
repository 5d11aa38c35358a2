#pragma once
// The pass chart's printout: a one-page, black-on-white finder chart. The sky disc of the
// chart's instant with the frame, grid, azimuth labels, constellations, stars, Moon, planets
// and Sun (the printouts' shared paper layers), the satellite's track with its direction
// arrow and the user's labels; below it the satellite and its element set, the place, the
// chart's instant, the three pass times and ruled lines for the observer's notes.

#include "skycharts/PassChartRequest.h"
#include "skycharts/PassChartTrack.h"

#include "common/options.h"
#include "tracking/DisplayOptions.h"

#include <QLocale>
#include <QStringList>

#include <vector>

class DrawingSurface;

namespace skycharts {

/// The text block under the chart, one entry a printed row: the satellite's rows come from
/// the chart's own copy of the satellite. The captions take the width of the longest, and no
/// row is longer than the frame holds (PrintoutPage::kTextColumns).
[[nodiscard]] QStringList passChartTextBlock(const PassChartRequest& request,
                                             const Dati_osservatore& observer,
                                             const QLocale& locale = QLocale());

/// The whole page, for the time state and bodies brought to the chart's instant before.
/// `labels` are in azimuth and altitude (element 0 unused).
void drawPassChartPrintout(DrawingSurface& page, const PassChartDisplay& display,
                           const Opzioni& stored, int starCount, const PassTrack& track,
                           const std::vector<Etichetta_traccia>& labels,
                           const PassChartRequest& request, bool letterPaper,
                           const QLocale& locale = QLocale());

} // namespace skycharts

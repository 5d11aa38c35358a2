#pragma once
// The full drawing of the whole-sky chart, layer after layer, onto any drawing surface: the
// window draws it into its offscreen image, the benchmark and the tests into plain images.
// The chart uses no time of its own: the bodies stand where the tick last placed them in
// Corpi_celesti; stars, constellation lines and names do not move.

#include "skycharts/GeneralSkyGeometry.h"

#include "tracking/DisplayOptions.h"

#include <QColor>
#include <QSize>

class DrawingSurface;

namespace skycharts {

/// The chart's background, a deep night blue.
inline const QColor kWholeSkyBackground(0, 0, 71);

/// Everything one redraw of the whole sky reads besides the catalogues.
struct GeneralSkyScene
{
    GeneralSkyDisplay display;
    ViewBox view = kWholeSkyView;
    int starCount = 5146;
    QColor grid;               ///< Colore_griglia_generale
    QColor constellationLines; ///< Colore_costellazioni_linee
};

/// The scene's colours taken from the stored options.
[[nodiscard]] GeneralSkyScene generalSkyScene(const GeneralSkyDisplay& display, const Opzioni& stored,
                                              const ViewBox& view, int starCount);

/// Draws the whole chart: scale, background, grid, constellation lines and names, stars, the
/// Sun and the Moon, the planets, as the scene's options say. `deviceSize` is the surface's
/// size in pixels; nothing is drawn for an empty size or a view of no width or height.
void drawGeneralSkyChart(DrawingSurface& surface, QSize deviceSize, const GeneralSkyScene& scene);

} // namespace skycharts

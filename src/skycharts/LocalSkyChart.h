#pragma once
// The full drawing of the local sky chart, layer after layer, onto any drawing surface: the
// window draws it into its offscreen image, the benchmark and the tests into plain images.
// The time state and the bodies must have been brought to the chart's instant first
// (bringSkyToInstant).

#include "skycharts/SkyLayers.h"

#include "tracking/DisplayOptions.h"

#include <QSize>

#include <array>
#include <vector>

class DrawingSurface;

namespace skycharts {

/// The projection a round sky chart's options choose: stereographic or normal, and the
/// orientation its check marks name. The pass chart chooses as the local sky does.
[[nodiscard]] SkyProjection projectionOfChoice(::SkyOrientation orientation, bool stereographic);
[[nodiscard]] SkyProjection localSkyProjection(const LocalSkyDisplay& display);

/// The Sun, Moon and planet layers of a round sky chart as its options choose them.
struct BodyLayers
{
    bool sunMoon = false;
    bool sunMoonLabels = false;
    bool planets = false;
    bool planetLabels = false;
    bool fullPlanetNames = false; ///< otherwise their first three letters
};

/// The Sun and the Moon, then the planets in their colours, sized from the chart's scale
/// height [chart units].
void drawBodies(SkyLayerPainter& layers, const BodyLayers& bodies, double scaleHeight);

/// The projection's orientation for the stored orientation number (0 north, 1 south, 2 west,
/// 3 east at the bottom); another number gives the orientation of no tick (south).
[[nodiscard]] SkyOrientation orientationOfStoredOption(int stored);

/// Everything one redraw of the local sky reads besides the catalogues and the time state.
struct LocalSkyScene
{
    LocalSkyDisplay display;
    ViewBox view;
    int starCount = 1639;
    bool horizonEffect = true;   ///< Cielo_locale_effetto_orizzonte: gradient sky
    bool altAzimuthGrid = true;  ///< Cielo_locale_griglia_tipo
    bool tenDegreeCircle = true; ///< Cielo_locale_griglia10
    bool landscapeOption = true; ///< Cielo_locale_paesaggio
    std::array<QColor, 4> gridColours{};
    QColor constellationLines;
    QColor constellationNames;
    const std::vector<Punto_traccia>* track = nullptr;     ///< drawn when not null
    const std::vector<Etichetta_traccia>* labels = nullptr;
    LandscapeOverlay* landscape = nullptr;
    SkyBackgroundCache* background = nullptr; ///< the background drawn afresh without one
};

/// The scene's options taken from the stored options and the live display options.
[[nodiscard]] LocalSkyScene sceneFromOptions(const LocalSkyDisplay& display, const Opzioni& stored,
                                             const ViewBox& view, int starCount);

/// Calcola_tempi at the local instant, then the Sun, the Moon and the planets.
void bringSkyToInstant(double localDate);

/// Draws the whole chart: scale, background, azimuth labels, grid, constellations, stars,
/// Sun and Moon, planets, the pass track and the landscape, as the scene's options say.
/// `deviceSize` is the surface's size in pixels; nothing is drawn for an empty size. Returns
/// where the chart put the catalogues' objects (none projected when nothing was drawn).
SkyPositions drawLocalSkyChart(DrawingSurface& surface, QSize deviceSize, const LocalSkyScene& scene);

} // namespace skycharts

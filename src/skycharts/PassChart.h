#pragma once
// The full drawing of a pass chart, layer after layer, onto any drawing surface: the square
// sky disc of one instant of the pass with its twilight background, azimuth labels, grid,
// constellations, stars, Sun, Moon and planets, the satellite's track from rise to set, the
// landscape, the satellite's icon at the start of the track and the user's labels. The
// layers are the sky charts' shared painters. The time state and the bodies must have been
// brought to the chart's instant first (bringSkyToInstant).

#include "skycharts/PassChartTrack.h"
#include "skycharts/SkyLayers.h"

#include "tracking/DisplayOptions.h"

#include <QImage>
#include <QSize>

#include <string>
#include <vector>

class DrawingSurface;

namespace skycharts {

/// The projection a pass chart's options choose.
[[nodiscard]] SkyProjection passChartProjection(const PassChartDisplay& display);

/// The grid's colour for the twilight stage of the chart's sky.
[[nodiscard]] QColor passChartGridColour(TwilightStage stage);

/// Text size of the chart's labels [points].
inline constexpr double kPassChartFontPoints = 7.0;

/// How far above its end a label's text stands when the label lies above its point [chart
/// units].
inline constexpr double kPassChartLabelRaise = 5;

/// Everything one drawing of a pass chart reads besides the catalogues and the time state.
struct PassChartScene
{
    PassChartDisplay display;
    int starCount = 1639;
    bool horizonEffect = true;   ///< Cielo_anteprima_effetto_orizzonte: gradient sky
    bool altAzimuthGrid = true;  ///< Cielo_anteprima_griglia_tipo
    bool tenDegreeCircle = true; ///< Cielo_anteprima_griglia10
    bool landscapeOption = true; ///< Cielo_anteprima_paesaggio
    QColor constellationLines;
    const PassTrack* track = nullptr; ///< drawn when not null
    /// The user's labels, 1..m (element 0 unused), in azimuth and altitude [degrees].
    const std::vector<Etichetta_traccia>* labels = nullptr;
    std::string catalogueNumber; ///< chooses the satellite's icon
    LandscapeOverlay* landscape = nullptr;
};

/// The scene's options taken from the stored options and the chart's own options.
[[nodiscard]] PassChartScene passChartScene(const PassChartDisplay& display,
                                            const Opzioni& stored, int starCount);

/// Labels stored in azimuth and altitude, placed on the chart for a projection.
[[nodiscard]] std::vector<Etichetta_traccia>
labelsOnChart(const std::vector<Etichetta_traccia>& labels, const SkyProjection& projection);

/// The satellite's icon: the International Space Station (25544), the Hubble telescope
/// (20580) or any other satellite, bright when visible, blue when sunlit but not visible,
/// grey when eclipsed.
[[nodiscard]] const QImage& passChartIcon(const std::string& catalogueNumber, int status);

/// Draws the whole chart on the square view -100..100. `deviceSize` is the surface's size in
/// pixels; nothing is drawn for an empty size.
void drawPassChart(DrawingSurface& surface, QSize deviceSize, const PassChartScene& scene);

} // namespace skycharts

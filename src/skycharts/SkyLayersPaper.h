#pragma once
// The layer painters of the sky charts' printouts: black on white on a portrait page in
// twips, the round chart of 8000 twips with its centre at (5952, 5500) and 44 twips to a
// chart unit. The local sky's and the pass chart's printouts draw their chart with these, at
// the positions the printout projects for itself (projectCatalogues).

#include "skycharts/SkyLayers.h"
#include "skycharts/SkyProjection.h"

#include <QPointF>

class DrawingSurface;

namespace skycharts {

/// The page as the printouts lay it out [twips].
struct PrintoutPage
{
    static constexpr double kWidth = 11904;
    static constexpr double kHeight = 16836;
    static constexpr double kMargin = 1200;
    static constexpr double kLetterFrameBottom = 14600;
    static constexpr double kCentreX = kWidth / 2;
    static constexpr double kCentreY = 1200 + 300 + 8000 / 2;
    static constexpr double kDiscRadius = 4000;
    static constexpr double kTwipsPerChartUnit = 44;
    static constexpr double kRuleY = 9800;
    static constexpr double kTextX = 1350;
    static constexpr double kTextY = 9950;
    /// The text font's size [points] and the width of each of its characters [twips]:
    /// Courier New's 0.6 em.
    static constexpr double kFontPoints = 10;
    static constexpr double kCharacterTwips = 120;
    /// The characters of a text row that stay inside the frame.
    static constexpr int kTextColumns =
        static_cast<int>((kWidth - kMargin - kTextX) / kCharacterTwips);
};

/// Sets the printouts' text font, Courier New at PrintoutPage::kFontPoints. The text rows are
/// laid out in character columns, so where the system's face for that name has characters of
/// different widths, the system's fixed-pitch face stands in.
void setPrintoutFont(DrawingSurface& page);

/// The frame's bottom edge: shorter on letter paper, which is shorter than A4.
[[nodiscard]] double printoutFrameBottom(bool letterPaper);

/// The page point [twips] of a chart position.
[[nodiscard]] QPointF paperPoint(ChartPoint p);

/// A printer pen width given for a 300 dots-per-inch printer, in the page's device pixels, so
/// that dots and lines keep their size whatever the resolution.
[[nodiscard]] int paperPenWidth(const DrawingSurface& page, int widthAt300Dpi);

/// What a printout's chart shows and how.
struct PaperChartLayers
{
    bool grid = false;
    bool tenDegreeCircle = false;
    bool constellationLines = false;
    bool constellationNames = false;
    bool planets = false;
    bool sunAndMoon = false;
    bool planetLabels = false;
    bool sunAndMoonLabels = false;
    /// Constellation lines dotted, and drawn only where both ends are above the horizon;
    /// otherwise solid and cut at the horizon circle.
    bool dottedConstellationLines = true;
    /// A planet without its name label still gets the letter "P".
    bool markUnlabelledPlanets = false;
};

/// The layers a round chart's display options choose; the local sky's and the pass chart's
/// option records name them alike.
template <class Display>
[[nodiscard]] PaperChartLayers paperLayersOf(const Display& display)
{
    PaperChartLayers layers;
    layers.grid = display.griglia;
    layers.constellationLines = display.oggettiCostellazioni;
    layers.constellationNames = display.etichetteCostellazioni;
    layers.planets = display.oggettiPianeti;
    layers.sunAndMoon = display.oggettiSoleLuna;
    layers.planetLabels = display.etichettePianeti;
    layers.sunAndMoonLabels = display.etichetteSoleLuna;
    return layers;
}

/// The frame, the rule above the text block, the white horizon disc, the altitude-azimuth
/// grid (circles of 30 and 60 degrees, 10 when asked, and two diameters) and the twelve
/// azimuth labels.
void drawPaperFrameAndGrid(DrawingSurface& page, const SkyProjection& projection,
                           const PaperChartLayers& layers, double frameBottom);

/// Constellation lines, the first `starCount` stars as dots of three sizes by rank, and the
/// constellation codes.
void drawPaperCatalogues(DrawingSurface& page, const SkyProjection& projection,
                         const SkyPositions& positions, const PaperChartLayers& layers,
                         int starCount);

/// The Moon's phase disc, the planets as white discs and the Sun as a white disc with rays,
/// each with its name when asked.
void drawPaperBodies(DrawingSurface& page, const SkyPositions& positions,
                     const PaperChartLayers& layers);

} // namespace skycharts

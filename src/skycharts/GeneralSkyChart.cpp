#include "skycharts/GeneralSkyChart.h"

#include "skycharts/SkyLayers.h"

#include "common/catalogues.h"
#include "services/Colours.h"
#include "services/DrawingSurface.h"
#include "services/mLang.h"

#include <cmath>

namespace skycharts {

namespace {

// Text size of the chart's labels [points].
constexpr double kChartFontPoints = 7.0;
// Sizes [hours] as fractions of the view's width.
constexpr double kSunSizeDivisor = 160.0;
constexpr double kMoonSizeDivisor = 140.0;
constexpr double kPlanetSizeDivisor = 500.0;
// Radius [hours] of the bright stars' discs over the whole sky and zoomed.
constexpr double kBrightStarRadius = 0.02;
constexpr double kBrightStarRadiusZoomed = 0.01;
const QColor kGridLabel(140, 140, 140);
// Constellation names in light red (QBColor 12).
constexpr int kConstellationNamePalette = 12;
// The planets' colours by body 1..7 (QBColor numbers).
constexpr int kPlanetPalette[] = {13, 10, 12, 4, 14, 11, 9};

QString bodyName(int body)
{
    return mLang::Testo_lingua(
        u"Planets", QString::fromStdString(Corpi_celesti[static_cast<std::size_t>(body)].Nome));
}

void drawBodies(SkyLayerPainter& layers, const GeneralSkyScene& scene, double scaleWidth,
                bool wholeSky)
{
    const GeneralSkyDisplay& d = scene.display;
    if (d.oggettiSoleLuna) {
        layers.drawSun(scaleWidth / kSunSizeDivisor, d.etichetteSoleLuna ? bodyName(kSole) : QString());
        layers.drawMoon(scaleWidth / kMoonSizeDivisor,
                        d.etichetteSoleLuna ? bodyName(kLuna) : QString());
    }
    if (d.oggettiPianeti) {
        for (int planet = kMercurio; planet <= kNettuno; ++planet) {
            QString label;
            if (d.etichettePianeti) {
                label = bodyName(planet);
                if (wholeSky)
                    label = label.left(3);
            }
            layers.drawPlanet(planet, scaleWidth / kPlanetSizeDivisor,
                              colours::standardPalette(kPlanetPalette[planet - kMercurio]), label);
        }
    }
}

} // namespace

GeneralSkyScene generalSkyScene(const GeneralSkyDisplay& display, const Opzioni& stored,
                                const ViewBox& view, int starCount)
{
    GeneralSkyScene scene;
    scene.display = display;
    scene.view = view;
    scene.starCount = starCount;
    scene.grid = colours::fromRgbValue(static_cast<std::uint32_t>(stored.Colore_griglia_generale));
    scene.constellationLines =
        colours::fromRgbValue(static_cast<std::uint32_t>(stored.Colore_costellazioni_linee));
    return scene;
}

void drawGeneralSkyChart(DrawingSurface& surface, QSize deviceSize, const GeneralSkyScene& scene)
{
    if (deviceSize.isEmpty() || scene.view.width() == 0 || scene.view.height() == 0)
        return;
    const SurfaceState saved(surface);
    surface.Scale(scene.view.left, scene.view.top, scene.view.right, scene.view.bottom);
    surface.setFontSize(kChartFontPoints);
    surface.setFillStyle(drawing::FillStyle::Solid);
    surface.FilledBox(scene.view.left, scene.view.top, scene.view.right, scene.view.bottom,
                      kWholeSkyBackground);
    surface.setFillStyle(drawing::FillStyle::Transparent);
    SkyLayerPainter layers(surface, SkyPlacement::Equatorial);
    const GeneralSkyDisplay& d = scene.display;
    const bool wholeSky = isWholeSkyView(scene.view);
    if (d.griglia)
        layers.drawHourDeclinationGrid(scene.grid, kGridLabel);
    if (d.oggettiCostellazioni)
        layers.drawConstellationLines(scene.constellationLines);
    if (d.etichetteCostellazioni)
        layers.drawConstellationNames(colours::standardPalette(kConstellationNamePalette),
                                      !wholeSky);
    layers.drawStars(scene.starCount, wholeSky ? kBrightStarRadius : kBrightStarRadiusZoomed);
    drawBodies(layers, scene, std::fabs(surface.ScaleWidth()), wholeSky);
}

} // namespace skycharts

#include "skycharts/LocalSkyChart.h"

#include "common/catalogues.h"
#include "core/mAstro.h"
#include "services/Colours.h"
#include "services/DrawingSurface.h"
#include "services/mLang.h"

#include <cmath>

namespace skycharts {

namespace {

// Text size of the chart's labels [points].
constexpr double kChartFontPoints = 7.0;
// A view this narrow or narrower [chart units] counts as zoomed for the bright stars' size.
constexpr double kZoomedWidth = 180.0;

QString bodyName(int body)
{
    return mLang::Testo_lingua(u"Planets",
                               QString::fromStdString(Corpi_celesti[static_cast<std::size_t>(body)].Nome));
}

} // namespace

SkyProjection projectionOfChoice(::SkyOrientation o, bool stereographic)
{
    const SkyOrientation orientation =
        orientationFromTicks(o == ::SkyOrientation::Sud, o == ::SkyOrientation::Est,
                             o == ::SkyOrientation::Nord, o == ::SkyOrientation::Ovest);
    return SkyProjection(stereographic ? SkyProjectionForm::Stereographic
                                       : SkyProjectionForm::Normal,
                         orientation);
}

SkyProjection localSkyProjection(const LocalSkyDisplay& display)
{
    return projectionOfChoice(display.orientamento, display.proiezioneStereo);
}

void drawBodies(SkyLayerPainter& layers, const BodyLayers& bodies, double scaleHeight)
{
    if (bodies.sunMoon) {
        const double size = scaleHeight / 70.0;
        layers.drawSun(size, bodies.sunMoonLabels ? bodyName(kSole) : QString());
        layers.drawMoon(size, bodies.sunMoonLabels ? bodyName(kLuna) : QString());
    }
    if (bodies.planets) {
        static const int palette[] = {13, 10, 12, 4, 14, 11, 9};
        const double size = scaleHeight / 200.0;
        for (int planet = kMercurio; planet <= kNettuno; ++planet) {
            QString label;
            if (bodies.planetLabels) {
                label = bodyName(planet);
                if (!bodies.fullPlanetNames)
                    label = label.left(3);
            }
            layers.drawPlanet(planet, size,
                              colours::standardPalette(palette[planet - kMercurio]), label);
        }
    }
}

SkyOrientation orientationOfStoredOption(int stored)
{
    switch (stored) {
    case 0:
        return SkyOrientation::North;
    case 2:
        return SkyOrientation::West;
    case 3:
        return SkyOrientation::East;
    default:
        return SkyOrientation::South;
    }
}

LocalSkyScene sceneFromOptions(const LocalSkyDisplay& display, const Opzioni& stored,
                               const ViewBox& view, int starCount)
{
    LocalSkyScene scene;
    scene.display = display;
    scene.view = view;
    scene.starCount = starCount;
    scene.horizonEffect = stored.Cielo_locale_effetto_orizzonte;
    scene.altAzimuthGrid = stored.Cielo_locale_griglia_tipo;
    scene.tenDegreeCircle = stored.Cielo_locale_griglia10;
    scene.landscapeOption = stored.Cielo_locale_paesaggio;
    const auto colour = [](std::int32_t value) {
        return colours::fromRgbValue(static_cast<std::uint32_t>(value));
    };
    scene.gridColours = {colour(stored.Colore_griglia_locale1), colour(stored.Colore_griglia_locale2),
                         colour(stored.Colore_griglia_locale3), colour(stored.Colore_griglia_locale4)};
    scene.constellationLines = colour(stored.Colore_costellazioni_linee);
    scene.constellationNames = colour(stored.Colore_costellazioni_nomi);
    return scene;
}

void bringSkyToInstant(double localDate)
{
    mAstro::Calcola_tempi(localDate);
    mAstro::Calcola_sole();
    mAstro::Calcola_luna();
    mAstro::Calcola_pianeti();
}

SkyPositions drawLocalSkyChart(DrawingSurface& surface, QSize deviceSize,
                               const LocalSkyScene& scene)
{
    if (deviceSize.isEmpty() || scene.view.width() == 0 || scene.view.height() == 0)
        return {};
    const SkyProjection projection = localSkyProjection(scene.display);
    SkyPositions positions = projectCatalogues(projection, scene.starCount);

    const SurfaceState saved(surface);
    surface.Scale(scene.view.left, scene.view.top, scene.view.right, scene.view.bottom);
    surface.setFontSize(kChartFontPoints);
    SkyLayerPainter layers(surface, projection, &positions);
    const SkyBackground background = skyBackground(twilightStage(Corpi_celesti[kSole].Altezza));
    if (scene.background != nullptr)
        scene.background->draw(surface, deviceSize, projection, background, scene.horizonEffect);
    else
        layers.drawBackground(background, scene.horizonEffect);
    layers.drawAzimuthLabels(QColor(212, 208, 200));
    const LocalSkyDisplay& d = scene.display;
    if (d.griglia) {
        const QColor grid =
            scene.gridColours[static_cast<std::size_t>(background.gridColourNumber - 1)];
        if (scene.altAzimuthGrid)
            layers.drawAltAzimuthGrid(grid, scene.tenDegreeCircle);
        else
            layers.drawEquatorialGrid(grid);
    }
    if (d.oggettiCostellazioni)
        layers.drawConstellationLines(scene.constellationLines);
    if (d.etichetteCostellazioni)
        layers.drawConstellationNames(scene.constellationNames, d.zoomed);
    const double brightRadius = std::fabs(surface.ScaleWidth()) <= kZoomedWidth ? 0.1 : 0.2;
    layers.drawStars(scene.starCount, brightRadius);
    drawBodies(layers,
               {d.oggettiSoleLuna, d.etichetteSoleLuna, d.oggettiPianeti, d.etichettePianeti,
                d.zoomed},
               std::fabs(surface.ScaleHeight()));
    if (scene.track != nullptr) {
        static const std::vector<Etichetta_traccia> none(1);
        layers.drawPassTrack(*scene.track, scene.labels != nullptr ? *scene.labels : none,
                             mLang::Testo_lingua(u"Def", u"mag"));
    }
    if (d.paesaggio && scene.landscapeOption && scene.landscape != nullptr)
        scene.landscape->draw(surface, deviceSize);
    return positions;
}

} // namespace skycharts

// The local sky chart drawn from the installation's catalogues for Milan on a January night:
// known stars where the sky puts them, the landscape keyed over the chart with and without
// its picture, and the pass track's labels.

#include "LocalSkyFixture.h"

#include "skycharts/LocalSkyChart.h"

#include "services/PaintDeviceSurface.h"

#include <cmath>

using namespace skycharts;

namespace {

constexpr double kDegreesPerRadian = 180.0 / 3.141592653589793;
constexpr QSize kChartSize(400, 400);

int polarisRank()
{
    for (int i = 1; i <= kStarCount; ++i) {
        if (Stelle[static_cast<std::size_t>(i)].Declinazione > 89.0f)
            return i;
    }
    return 0;
}

/// The altitude from the textbook formula, sin h = sin phi sin delta + cos phi cos delta cos H.
double textbookAltitudeDeg(double raHours, double decDeg, double latitudeDeg, double lstHours)
{
    const double hourAngle = (lstHours - raHours) * 15.0 / kDegreesPerRadian;
    const double phi = latitudeDeg / kDegreesPerRadian;
    const double delta = decDeg / kDegreesPerRadian;
    return std::asin(std::sin(phi) * std::sin(delta)
                     + std::cos(phi) * std::cos(delta) * std::cos(hourAngle))
           * kDegreesPerRadian;
}

QImage drawChart(const LocalSkyScene& scene)
{
    QImage image(kChartSize, QImage::Format_RGB32);
    image.fill(Qt::black);
    PaintDeviceSurface surface(image);
    drawLocalSkyChart(surface, kChartSize, scene);
    surface.end();
    return image;
}

LocalSkyScene plainScene()
{
    bringSkyToInstant(Data_attuale);
    LocalSkyDisplay display;
    display.paesaggio = true;
    LocalSkyScene scene = sceneFromOptions(display, Impostazioni, fullViewBox(1.0), 1639);
    scene.horizonEffect = false;
    return scene;
}

/// The device pixel of a chart point on the square chart.
QPoint pixelOf(double x, double y)
{
    return {static_cast<int>((x + 100) * 2), static_cast<int>((100 - y) * 2)};
}

TEST_F(LocalSkyTest, PolarisStandsAtTheLatitudeAboveTheNorthPoint)
{
    const int rank = polarisRank();
    ASSERT_GT(rank, 0);
    bringSkyToInstant(Data_attuale);
    const SkyPositions positions = projectCatalogues(
        SkyProjection(SkyProjectionForm::Normal, skycharts::SkyOrientation::South), rank);
    ASSERT_EQ(positions.stars.size(), static_cast<std::size_t>(rank) + 1);
    const SkyPlace& polaris = positions.stars[static_cast<std::size_t>(rank)];
    // The pole stands at the latitude; Polaris is within about 0.75 degrees of it.
    EXPECT_NEAR(polaris.altitudeDeg, Osservatore.Latitudine_osservatore, 0.8);
    const double azimuthOffset = std::fmod(polaris.azimuthDeg + 180.0, 360.0) - 180.0;
    EXPECT_NEAR(azimuthOffset, 0.0, 1.2);
    // Facing south, north is at the top: x near 0, y = 90 - altitude.
    EXPECT_NEAR(polaris.at.x, 0.0, 1.2);
    EXPECT_NEAR(polaris.at.y, 90.0 - polaris.altitudeDeg, 0.2);
}

TEST_F(LocalSkyTest, SiriusMatchesTheCoreConversionAndTheTextbook)
{
    const Stella& catalogue = Stelle[1];
    ASSERT_NEAR(catalogue.Declinazione, -16.7, 0.1);
    bringSkyToInstant(Data_attuale);
    const SkyProjection projection(SkyProjectionForm::Stereographic, skycharts::SkyOrientation::East);
    const SkyPlace sirius = projectCatalogues(projection, 1).stars.at(1);
    const mAstro::HorizontalPosition core =
        mAstro::equatorialToHorizontal(catalogue.Ascensione_retta, catalogue.Declinazione,
                                       Osservatore.Latitudine_osservatore,
                                       mAstro::Tempo_siderale_locale);
    EXPECT_FLOAT_EQ(sirius.azimuthDeg, static_cast<float>(core.azimuthDeg));
    EXPECT_FLOAT_EQ(sirius.altitudeDeg, static_cast<float>(core.altitudeDeg));
    EXPECT_NEAR(core.altitudeDeg,
                textbookAltitudeDeg(catalogue.Ascensione_retta, catalogue.Declinazione,
                                    Osservatore.Latitudine_osservatore, mAstro::Tempo_siderale_locale),
                1e-4);
    // Mid-January at 21:30 Sirius is up in the south-east of Milan.
    EXPECT_GT(core.altitudeDeg, 10.0);
    EXPECT_GT(core.azimuthDeg, 120.0);
    EXPECT_LT(core.azimuthDeg, 180.0);
    const ChartPoint p = projection.toChart(core.azimuthDeg, core.altitudeDeg);
    EXPECT_FLOAT_EQ(sirius.at.x, p.x);
    EXPECT_FLOAT_EQ(sirius.at.y, p.y);
}

TEST_F(LocalSkyTest, LandscapeIsKeyedOverTheChartOnlyWhereItsPictureIsNotPureGreen)
{
    // The lower half of the picture is ground, the upper half sky in the key colour; one
    // stripe is almost, but not exactly, the key colour.
    QImage picture(100, 100, QImage::Format_RGB32);
    picture.fill(QColor(0, 255, 0));
    for (int y = 50; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            picture.setPixelColor(x, y, QColor(90, 60, 30));
    for (int y = 20; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            picture.setPixelColor(x, y, QColor(0, 254, 0));
    LandscapeOverlay landscape(picture);
    LocalSkyScene scene = plainScene();
    const QImage without = drawChart(scene);
    scene.landscape = &landscape;
    const QImage with = drawChart(scene);

    const QPoint ground = pixelOf(0, -45);
    const QPoint sky = pixelOf(0, 60);
    const QPoint nearKey = pixelOf(0, 40);
    EXPECT_EQ(with.pixelColor(ground), QColor(90, 60, 30));
    EXPECT_EQ(with.pixelColor(sky), without.pixelColor(sky));
    EXPECT_EQ(with.pixelColor(nearKey), QColor(0, 254, 0));

    // The option off, or the menu item off: no landscape.
    scene.landscapeOption = false;
    EXPECT_EQ(drawChart(scene), without);
    scene.landscapeOption = true;
    scene.display.paesaggio = false;
    EXPECT_EQ(drawChart(scene), without);
}

TEST_F(LocalSkyTest, WithoutLandscapeFileTheChartIsDrawnAndNothingIsKeyCopied)
{
    LandscapeOverlay missing;
    EXPECT_FALSE(missing.load(folderFile(QStringLiteral("landscape.dat"))));
    writeTestFile(folderFile(QStringLiteral("broken.dat")), "not a picture");
    LandscapeOverlay broken;
    EXPECT_FALSE(broken.load(folderFile(QStringLiteral("broken.dat"))));
    LocalSkyScene scene = plainScene();
    const QImage without = drawChart(scene);
    scene.landscape = &broken;
    EXPECT_EQ(drawChart(scene), without);
    // The chart itself is there: the sky disc in the night colour.
    EXPECT_EQ(without.pixelColor(pixelOf(30, 30)), toQColor(skyBackground(TwilightStage::Night).fill));
}

TEST_F(LocalSkyTest, ATrackLabelNamingNoPointOfTheTrackIsLeftOut)
{
    std::vector<Punto_traccia> track(4);
    for (int i = 1; i <= 3; ++i) {
        track[static_cast<std::size_t>(i)].X_mappa = -40.0f + 20.0f * i;
        track[static_cast<std::size_t>(i)].Y_mappa = 10;
        track[static_cast<std::size_t>(i)].Ora = "15/01/2026 21:3" + std::to_string(i) + ":00";
        track[static_cast<std::size_t>(i)].Magnitudine = "3.46";
    }
    EXPECT_EQ(trackLabelText(track[2], QStringLiteral("Mag.")), QStringLiteral("21:32:00 mag.3.5"));
    track[2].Magnitudine.clear();
    EXPECT_EQ(trackLabelText(track[2], QStringLiteral("Mag.")), QStringLiteral("21:32:00"));

    LocalSkyScene scene = plainScene();
    scene.track = &track;
    std::vector<Etichetta_traccia> none(1);
    scene.labels = &none;
    const QImage trackOnly = drawChart(scene);
    // A label left from a longer track (index 9) and one with index 0 draw nothing.
    std::vector<Etichetta_traccia> stale(1);
    stale.push_back({-20, 10, -20, -50, 9});
    stale.push_back({-20, 10, -20, -50, 0});
    scene.labels = &stale;
    EXPECT_EQ(drawChart(scene), trackOnly);
    std::vector<Etichetta_traccia> valid(1);
    valid.push_back({-20, 10, -20, -50, 1});
    scene.labels = &valid;
    EXPECT_NE(drawChart(scene), trackOnly);
}

} // namespace

// The whole-sky chart drawn from the installation's catalogues: a constellation segment that
// crosses 0 h, the stars with every layer off, the bodies wherever they stand above or below
// the observer's horizon, and the local sky's catalogue positions left alone.

#include "LocalSkyFixture.h"

#include "skycharts/GeneralSkyChart.h"
#include "skycharts/LocalSkyChart.h"

#include "services/PaintDeviceSurface.h"

using namespace skycharts;

namespace {

constexpr QSize kChartSize(480, 360);

QImage drawChart(const GeneralSkyScene& scene)
{
    QImage image(kChartSize, QImage::Format_RGB32);
    image.fill(Qt::black);
    PaintDeviceSurface surface(image);
    drawGeneralSkyChart(surface, kChartSize, scene);
    surface.end();
    return image;
}

/// The pixel of a point of the whole-sky view [hours, degrees].
QPoint pixelOf(double hours, double declinationDeg)
{
    return {static_cast<int>((24.0 - hours) / 24.0 * kChartSize.width()),
            static_cast<int>((90.0 - declinationDeg) / 180.0 * kChartSize.height())};
}

/// Whether any pixel of a small square round a point differs from the background.
bool inkNear(const QImage& image, QPoint at, int reach = 1)
{
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint p = at + QPoint(dx, dy);
            if (image.rect().contains(p) && image.pixelColor(p) != kWholeSkyBackground)
                return true;
        }
    }
    return false;
}

/// The lightest pixel of a small square round a point.
int lightestNear(const QImage& image, QPoint at)
{
    int lightest = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (image.rect().contains(at + QPoint(dx, dy)))
                lightest = std::max(lightest, image.pixelColor(at + QPoint(dx, dy)).lightness());
    return lightest;
}

class GeneralSkyChartTest : public LocalSkyTest
{
protected:
    void SetUp() override
    {
        LocalSkyTest::SetUp();
        m_lines = Linee_costellazioni;
    }
    void TearDown() override
    {
        Linee_costellazioni = m_lines;
        LocalSkyTest::TearDown();
    }

    /// Only this one segment in the constellation catalogue.
    static void onlySegment(float ra1, float dec1, float ra2, float dec2)
    {
        Linea_costellazione line;
        line.Ascensione_retta1 = ra1;
        line.Declinazione1 = dec1;
        line.Ascensione_retta2 = ra2;
        line.Declinazione2 = dec2;
        Linee_costellazioni.assign(2, Linea_costellazione{});
        Linee_costellazioni[1] = line;
    }

    static GeneralSkyScene linesOnly()
    {
        GeneralSkyDisplay display;
        display.oggettiCostellazioni = true;
        return generalSkyScene(display, Impostazioni, kWholeSkyView, 0);
    }

    std::vector<Linea_costellazione> m_lines;
};

TEST_F(GeneralSkyChartTest, ASegmentAcrossZeroHoursLeavesOneEdgeAndEntersTheOther)
{
    onlySegment(23.9f, 0, 0.1f, 0);
    const QImage image = drawChart(linesOnly());
    EXPECT_TRUE(inkNear(image, {1, pixelOf(0, 0).y()})) << "the piece entering at 24 h";
    EXPECT_TRUE(inkNear(image, {kChartSize.width() - 2, pixelOf(0, 0).y()}))
        << "the piece leaving at 0 h";
    for (const double hours : {1.0, 6.0, 12.0, 18.0, 23.0})
        EXPECT_FALSE(inkNear(image, pixelOf(hours, 0))) << "no line across the chart at " << hours;

    // A segment of exactly 16 h is drawn once, straight across the middle.
    onlySegment(4, 30, 20, 30);
    const QImage straight = drawChart(linesOnly());
    EXPECT_TRUE(inkNear(straight, pixelOf(12, 30)));
    EXPECT_FALSE(inkNear(straight, pixelOf(1, 30)));
    EXPECT_FALSE(inkNear(straight, pixelOf(23, 30)));
}

TEST_F(GeneralSkyChartTest, StarsAreDrawnOnTheNightBlueWithEveryLayerOff)
{
    GeneralSkyScene none = generalSkyScene({}, Impostazioni, kWholeSkyView, 0);
    const QImage empty = drawChart(none);
    for (int y = 0; y < empty.height(); y += 7)
        for (int x = 0; x < empty.width(); x += 7)
            ASSERT_EQ(empty.pixelColor(x, y), kWholeSkyBackground) << x << "," << y;

    constexpr int kBrightStars = 293; // fainter ones drawn later could cover a one-pixel disc
    none.starCount = kBrightStars;
    const QImage stars = drawChart(none);
    // Every bright star shows, whatever its altitude at Milan (Canopus, rank 2, never rises
    // there), even where its disc is narrower than a pixel.
    for (int rank = 1; rank <= kBrightStars; ++rank) {
        const Stella& star = Stelle[static_cast<std::size_t>(rank)];
        const QPoint at = pixelOf(star.Ascensione_retta, star.Declinazione);
        EXPECT_GT(lightestNear(stars, at), 200) << "rank " << rank;
    }
}

TEST_F(GeneralSkyChartTest, BodiesStandAtTheirCoordinatesAboveOrBelowTheHorizon)
{
    bringSkyToInstant(Data_attuale);
    GeneralSkyDisplay display;
    display.oggettiSoleLuna = true;
    const QImage image = drawChart(generalSkyScene(display, Impostazioni, kWholeSkyView, 0));
    const Corpo_celeste& sun = Corpi_celesti[kSole];
    ASSERT_LT(sun.Altezza, 0) << "a night instant";
    EXPECT_EQ(image.pixelColor(pixelOf(sun.Ascensione_retta, sun.Declinazione)), QColor(255, 255, 0));
    const Corpo_celeste& moon = Corpi_celesti[kLuna];
    EXPECT_TRUE(inkNear(image, pixelOf(moon.Ascensione_retta, moon.Declinazione)));
}

} // namespace

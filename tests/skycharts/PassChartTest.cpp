// The pass chart without its window: the projection against the local sky's, the options a
// chart opens with, the schedule and content of the satellite's track, the colours of its
// legs, the pick of a track point, the satellite block of the printout and the page itself.

#include "PassChartFixture.h"

#include "skycharts/LocalSkyChart.h"
#include "skycharts/PassChart.h"
#include "skycharts/PassChartPrintout.h"
#include "skycharts/PassChartTrack.h"
#include "skycharts/SkyLayersPaper.h"

#include "core/DateValue.h"
#include "predictions/PassFormat.h"
#include "services/DisplayFormat.h"
#include "services/PaintDeviceSurface.h"
#include "tracking/TickTexts.h"

#include <QRegularExpression>

#include <cmath>

using skycharts::ChartPoint;

namespace {

constexpr float kChartTolerance = 1e-4f;

/// Seconds [s] between two date values.
double secondsBetween(double from, double to)
{
    return (DateValue::toLinearDays(to) - DateValue::toLinearDays(from)) * 86400.0;
}

/// A rise at 20:00 and `second` seconds on 15 January 2026.
double riseAtSecond(int second)
{
    return DateValue::fromDateTime(2026, 1, 15, 20, 0, second);
}

struct ViewCase
{
    bool stereo;
    SkyOrientation orientation;
    ChartPoint northOnHorizon; ///< where azimuth 0, altitude 0 falls
};

const ViewCase kViews[] = {
    {false, SkyOrientation::Sud, {0, 90}},   {true, SkyOrientation::Sud, {0, 90}},
    {false, SkyOrientation::Nord, {0, -90}}, {true, SkyOrientation::Nord, {0, -90}},
    {false, SkyOrientation::Est, {-90, 0}},  {true, SkyOrientation::Est, {-90, 0}},
    {false, SkyOrientation::Ovest, {90, 0}}, {true, SkyOrientation::Ovest, {90, 0}},
};

PassChartDisplay passDisplay(const ViewCase& view)
{
    PassChartDisplay display;
    display.proiezioneStereo = view.stereo;
    display.orientamento = view.orientation;
    return display;
}

LocalSkyDisplay localDisplay(const ViewCase& view)
{
    LocalSkyDisplay display;
    display.proiezioneStereo = view.stereo;
    display.orientamento = view.orientation;
    return display;
}

/// A synthetic pass: azimuth from 300 to 120 degrees, a sine of elevation peaking at 60 over
/// the span, eclipsed from `shadowFrom` on.
skycharts::PassSampler syntheticPass(double rise, double set, double shadowFrom, int* calls = nullptr)
{
    return [=](double t) -> std::optional<Posizione_satellite> {
        if (calls != nullptr)
            ++*calls;
        const double f = secondsBetween(rise, t) / secondsBetween(rise, set);
        Posizione_satellite p;
        p.Azimut = std::fmod(300.0 + 180.0 * f + 360.0, 360.0);
        p.Elevazione = 60.0 * std::sin(3.14159265 * f);
        p.Stato = static_cast<std::int16_t>(DateValue::toLinearDays(t) >= DateValue::toLinearDays(shadowFrom)
                                                ? kStatoEclisse
                                                : kStatoVisibile);
        p.Magnitudine = 1.5;
        return p;
    };
}

std::string clockText(double t)
{
    const DateValue::Parts p = DateValue::split(t);
    char text[32];
    std::snprintf(text, sizeof text, "15/01/2026 %02d:%02d:%02d", p.hour, p.minute, p.second);
    return text;
}

} // namespace

TEST(PassChartProjection, MatchesTheLocalSkyInBothFormsAndFourOrientations)
{
    for (const ViewCase& view : kViews) {
        SCOPED_TRACE(testing::Message() << "stereo " << view.stereo << " orientation "
                                        << static_cast<int>(view.orientation));
        const skycharts::SkyProjection pass = skycharts::passChartProjection(passDisplay(view));
        const skycharts::SkyProjection local = skycharts::localSkyProjection(localDisplay(view));
        const ChartPoint north = pass.toChart(0, 0);
        EXPECT_NEAR(north.x, view.northOnHorizon.x, kChartTolerance);
        EXPECT_NEAR(north.y, view.northOnHorizon.y, kChartTolerance);
        for (double az = 0; az < 360; az += 37.5) {
            for (double alt = -5; alt <= 90; alt += 9.5) {
                const ChartPoint a = pass.toChart(az, alt);
                const ChartPoint b = local.toChart(az, alt);
                ASSERT_FLOAT_EQ(a.x, b.x);
                ASSERT_FLOAT_EQ(a.y, b.y);
            }
        }
    }
}

TEST(PassChartOptions, ChartOpensWithThePassChartOptions)
{
    struct Case
    {
        int stored;
        SkyOrientation expected;
    };
    for (const Case& c : {Case{0, SkyOrientation::Nord}, Case{1, SkyOrientation::Sud},
                          Case{2, SkyOrientation::Ovest}, Case{3, SkyOrientation::Est},
                          Case{7, SkyOrientation::Sud}, Case{-1, SkyOrientation::Sud}}) {
        Opzioni stored;
        stored.Cielo_anteprima_orientamento = static_cast<std::int16_t>(c.stored);
        EXPECT_EQ(seededPassChart(stored).orientamento, c.expected) << c.stored;
    }
    Opzioni stored;
    stored.Cielo_anteprima_griglia = true;
    stored.Cielo_anteprima_paesaggio = false;
    stored.Cielo_anteprima_proiezione_stereo = true;
    stored.Cielo_anteprima_costellazioni_linee = true;
    stored.Cielo_anteprima_pianeti = false;
    stored.Cielo_anteprima_sole_luna = false;
    stored.Cielo_anteprima_costellazioni_nomi = true;
    stored.Cielo_anteprima_pianeti_nomi = false;
    stored.Cielo_anteprima_sole_luna_nomi = true;
    const PassChartDisplay d = seededPassChart(stored);
    EXPECT_TRUE(d.griglia && d.proiezioneStereo && d.oggettiCostellazioni
                && d.etichetteCostellazioni && d.etichetteSoleLuna);
    EXPECT_FALSE(d.paesaggio || d.oggettiPianeti || d.oggettiSoleLuna || d.etichettePianeti);
}

TEST(PassTrackSchedule, StartsOnAQuarterMinute15To30SecondsBeforeTheRise)
{
    struct Case
    {
        int riseSecond;
        int startSecond; ///< from 20:00:00, negative into the minute before
    };
    for (const Case& c : {Case{15, 0}, Case{0, -30}, Case{31, 15}, Case{30, 0}, Case{45, 15},
                          Case{46, 30}, Case{59, 30}, Case{16, 0}, Case{1, -15}}) {
        EXPECT_NEAR(secondsBetween(riseAtSecond(0), skycharts::passTrackStart(riseAtSecond(c.riseSecond))),
                    c.startSecond, 1e-3)
            << "rise at :" << c.riseSecond;
    }
    for (int second = 0; second < 60; ++second) {
        const double lead = secondsBetween(skycharts::passTrackStart(riseAtSecond(second)),
                                           riseAtSecond(second));
        EXPECT_GE(lead, 15 - 1e-3) << second;
        EXPECT_LE(lead, 30 + 1e-3) << second;
    }
}

TEST(PassTrackSchedule, StepGrowsWithTheSpan)
{
    const std::pair<long, int> cases[] = {{0, 15},   {9, 15},   {10, 30},   {19, 30},   {20, 60},
                                          {59, 60},  {60, 120}, {719, 120}, {720, 180}, {5000, 180}};
    for (const auto& [span, step] : cases)
        EXPECT_EQ(skycharts::passTrackStepSeconds(span), step) << span << " minutes";
    // Minute boundaries, as a calendar difference counts them.
    EXPECT_EQ(skycharts::minuteBoundaries(riseAtSecond(59), riseAtSecond(60)), 1);
    EXPECT_EQ(skycharts::minuteBoundaries(riseAtSecond(0), riseAtSecond(59)), 0);
}

TEST(PassTrack, SamplesFromBeforeTheRiseToTheFirstSampleAtOrAfterTheSet)
{
    const double rise = riseAtSecond(15);
    const double set = DateValue::addSeconds(rise, 6 * 60 + 10);
    const double shadow = DateValue::addSeconds(rise, 4 * 60 + 5);
    const skycharts::SkyProjection projection;
    const skycharts::PassTrack track = skycharts::computePassTrack(
        rise, set, syntheticPass(rise, set, shadow), projection, clockText);
    ASSERT_TRUE(track.rise.has_value());
    EXPECT_NEAR(track.rise->azimuthDeg, 300, 1e-9);
    const std::size_t n = track.points.size() - 1;
    ASSERT_GE(n, 2u);
    // 15-second steps from 20:00:00 for a span under 10 minutes.
    EXPECT_EQ(track.points[1].Ora, "15/01/2026 20:00:15");
    EXPECT_EQ(track.points[2].Ora, "15/01/2026 20:00:30");
    EXPECT_EQ(n, 26u); // 20:00:15 .. 20:06:30, the first at or after 20:06:25
    for (std::size_t i = 1; i <= n; ++i) {
        const Punto_traccia& p = track.points[i];
        const ChartPoint at = projection.toChart(p.Azimut, p.Elevazione);
        EXPECT_FLOAT_EQ(p.X_mappa, at.x);
        EXPECT_FLOAT_EQ(p.Y_mappa, at.y);
        const bool eclipsed = i >= 18; // 20:04:30 on
        EXPECT_EQ(p.Stato, eclipsed ? kStatoEclisse : kStatoVisibile) << i;
        EXPECT_EQ(p.Magnitudine.empty(), eclipsed) << i;
    }
    EXPECT_EQ(track.points[1].Magnitudine, "1.5");
}

TEST(PassTrack, OnePointWhenTheSetFollowsWithinTheFirstStepAndNoneAfterAFailure)
{
    const double rise = riseAtSecond(15);
    const skycharts::SkyProjection projection;
    const skycharts::PassTrack one = skycharts::computePassTrack(
        rise, rise, syntheticPass(rise, DateValue::addSeconds(rise, 60), rise), projection, clockText);
    ASSERT_EQ(one.points.size(), 2u);
    EXPECT_TRUE(one.rise.has_value());

    const skycharts::PassTrack failed = skycharts::computePassTrack(
        rise, DateValue::addSeconds(rise, 300), [](double) { return std::optional<Posizione_satellite>{}; },
        projection, clockText);
    EXPECT_FALSE(failed.rise.has_value());
    EXPECT_EQ(failed.points.size(), 1u);
}

TEST_F(PassChartTest, TrackOfARealPassRunsFromHorizonToHorizon)
{
    const skycharts::PassChartRequest request = issPass();
    const skycharts::PassTrack track = skycharts::computePassTrack(
        request.riseTime, request.setTime,
        skycharts::satelliteSampler(request.satellite, Osservatore, Impostazioni),
        skycharts::SkyProjection(), skycharts::sampleDateTimeText);
    ASSERT_TRUE(track.rise.has_value());
    EXPECT_NEAR(track.rise->altitudeDeg, 10, 0.1); // the search's minimum elevation
    ASSERT_GT(track.points.size(), 10u);
    const Punto_traccia& last = track.points.back();
    EXPECT_LT(last.Elevazione, 10.5);
    double highest = -90;
    for (std::size_t i = 1; i < track.points.size(); ++i)
        highest = std::max(highest, track.points[i].Elevazione);
    EXPECT_GT(highest, 10);
}

TEST(PassTrackPick, NearestPointWithinReachPickedByIndex)
{
    std::vector<Punto_traccia> points(1);
    const auto add = [&points](float x, float y) {
        Punto_traccia p;
        p.X_mappa = x;
        p.Y_mappa = y;
        points.push_back(p);
    };
    add(0, 30);  // on the vertical axis
    add(20, 0);  // on the horizontal axis
    add(22, 0);  // as near to (21, 0) as the one before
    add(0, 0);   // the zenith
    struct Case
    {
        float x, y;
        int picked;
    };
    for (const Case& c : {Case{0.5f, 30.5f, 1}, Case{20, 0.2f, 2}, Case{21, 0, 2}, Case{0.1f, 0.1f, 4},
                          Case{0, 34, 0}, Case{100, 0, 0}, Case{-100.5f, 0, 0}}) {
        EXPECT_EQ(skycharts::pickPassTrackPoint(points, c.x, c.y), c.picked) << c.x << "," << c.y;
    }
    EXPECT_EQ(skycharts::pickPassTrackPoint(std::vector<Punto_traccia>(1), 0, 0), 0);
}

TEST(PassChartTexts, InternationalDesignatorIsColumns10To17Trimmed)
{
    const std::pair<std::string, std::string> cases[] = {
        {kIssSet.Riga1, "98067A"},
        {"1 88888U          80275.98708465  .00073094  13844-3  66816-4 0    87", ""},
        {"1 43013U 17073AB  24001.5", "17073AB"},
        {"1 25544U 98", "98"},
        {"1 25544U", ""},
        {"", ""},
        // Line ends and tabs count as blanks on both sides.
        {"1 25544U \t\r98067A", "98067A"},
        {"1 25544U  \r", ""},
        {"1 25544U \n\r\r\r\r\r\r", ""},
    };
    for (const auto& [line, designator] : cases)
        EXPECT_EQ(skycharts::internationalDesignator(line), designator) << line;
}

TEST_F(PassChartTest, PrintoutTextBlockComesFromTheChartsOwnCopy)
{
    skycharts::PassChartRequest request = issPass();
    request.satellite.Magnitudine_standard.clear();
    request.passLines[0] = QString(100, u'x');
    const QStringList rows = skycharts::passChartTextBlock(request, Osservatore);
    ASSERT_EQ(rows.size(), 20);
    EXPECT_EQ(rows[0], QStringLiteral("Satellite     : Iss (zarya)"));
    EXPECT_EQ(rows[1], QStringLiteral("Norad #       : 25544"));
    EXPECT_EQ(rows[2], QStringLiteral("ID #          : 98067A"));
    EXPECT_TRUE(rows[3].startsWith(QStringLiteral("Elements of   : 01 Jan 2024 - 12:00:00 UTC")))
        << rows[3].toStdString();
    // The captions are as wide as the longest; an empty magnitude leaves the value empty.
    EXPECT_EQ(rows[4], QStringLiteral("Std. magnitude: "));
    EXPECT_EQ(rows[6], QStringLiteral("Location      : Milano"));
    // A line without blanks to give up is cut at the frame.
    EXPECT_EQ(rows[13], QStringLiteral("Rise          : ") + QString(61, u'x'));
    EXPECT_TRUE(rows[14].startsWith(QStringLiteral("Culmination   : ")));
    EXPECT_EQ(rows[17], QStringLiteral("Observing notes:"));
}

TEST_F(PassChartTest, PrintoutShowsTheStandardMagnitudeWithTheUsersSeparator)
{
    skycharts::PassChartRequest request = issPass();
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    const std::pair<const char*, const char*> cases[] = {{"-2.5", "-2,5"}, {"4", "4,0"}};
    for (const auto& [stored, shown] : cases) {
        request.satellite.Magnitudine_standard = stored;
        const QStringList rows = skycharts::passChartTextBlock(request, Osservatore, italian);
        ASSERT_EQ(rows.size(), 20);
        EXPECT_EQ(rows[4], QStringLiteral("Std. magnitude: ") + QString::fromLatin1(shown));
        EXPECT_TRUE(rows[7].contains(QStringLiteral("45,464\u00b0"))) << rows[7].toStdString();
    }
}

TEST_F(PassChartTest, PrintoutPassRowsStayWholeAndUnderTheirHeadingInEveryLocale)
{
    // Pass lines as the pass list writes them, with every status name and the month padded to
    // the locale's longest name. Every row fits the frame, the status whole under its heading.
    readStatusNames();
    skycharts::PassChartRequest request = issPass();
    passes::PassEvent event;
    event.sky = {45.2, 123.4, kStatoEclisse, -1.5, -12.0, 812.3};
    for (const char* name : {"C", "de_DE", "fr_FR"}) {
        SCOPED_TRACE(name);
        const QLocale locale{QString::fromLatin1(name)};
        for (int month : {5, 9, 1}) {
            for (int status : {kStatoEclisse, kStatoVisibile, kStatoIlluminato}) {
                event.julianDate = mAstro::Calcola_giorno_giuliano(2018, month, 21.9);
                event.sky.status = status;
                request.passLines[0] = passLine(event, Osservatore, locale);
                const QStringList rows =
                    skycharts::passChartTextBlock(request, Osservatore, locale);
                ASSERT_EQ(rows.size(), 20);
                const QString heading = rows[9];
                const QString rise = rows[13];
                EXPECT_EQ(heading.indexOf(QStringLiteral("Status")),
                          rise.indexOf(statusName(status)))
                    << heading.toStdString() << "\n"
                    << rise.toStdString();
                EXPECT_EQ(heading.indexOf(QStringLiteral("Elev")) + 4,
                          rise.indexOf(QRegularExpression(QStringLiteral("45[.,]2"))) + 4);
                for (const QString& row : rows)
                    EXPECT_LE(row.size(), skycharts::PrintoutPage::kTextColumns)
                        << row.toStdString();
            }
        }
    }
}

TEST_F(PassChartTest, TrackLegsTakeTheColourOfThePointTheyReach)
{
    // Three points across the chart: sunlit, sunlit, eclipsed.
    const skycharts::SkyProjection projection; // normal, south at the bottom
    skycharts::PassTrack track;
    track.rise = skycharts::HorizontalDirection{270, 45};
    const auto add = [&](double azimuth, bool eclipsed) {
        Punto_traccia p;
        const ChartPoint at = projection.toChart(azimuth, 45);
        p.X_mappa = at.x;
        p.Y_mappa = at.y;
        p.Azimut = azimuth;
        p.Elevazione = 45;
        p.Ora = "15/01/2026 20:00:00";
        p.Stato = static_cast<std::int16_t>(eclipsed ? kStatoEclisse : kStatoVisibile);
        p.Magnitudine = eclipsed ? "" : "2.0";
        track.points.push_back(p);
    };
    add(0, false);
    add(90, false);
    add(180, true);
    PassChartDisplay display;
    display.proiezioneStereo = false;
    display.oggettiPianeti = display.oggettiSoleLuna = display.oggettiCostellazioni = false;
    skycharts::PassChartScene scene = skycharts::passChartScene(display, Impostazioni, 0);
    scene.track = &track;
    QImage image(400, 400, QImage::Format_RGB32);
    {
        PaintDeviceSurface surface(image);
        skycharts::drawPassChart(surface, image.size(), scene);
        surface.end();
    }
    // 2 pixels to a chart unit: the middle of a leg from (a) to (b).
    const auto colourNear = [&image](ChartPoint a, ChartPoint b) {
        const int x = qRound(200 + (a.x + b.x));
        const int y = qRound(200 - (a.y + b.y));
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const QColor c = image.pixelColor(x + dx, y + dy);
                if (c.red() > 200 && c.blue() < 80)
                    return c;
            }
        return QColor();
    };
    const auto at = [&](double azimuth) { return projection.toChart(azimuth, 45); };
    EXPECT_EQ(colourNear(at(270), at(0)), QColor(255, 255, 0)); // rise to point 1
    EXPECT_EQ(colourNear(at(0), at(90)), QColor(255, 255, 0));  // into a sunlit point
    EXPECT_EQ(colourNear(at(90), at(180)), QColor(255, 0, 0));  // into an eclipsed one
}

TEST_F(PassChartTest, PrintedTrackEndsInAnArrowOrIsADotForOnePoint)
{
    skycharts::PassChartRequest request = issPass();
    const skycharts::PassTrack full = skycharts::computePassTrack(
        request.riseTime, request.setTime,
        skycharts::satelliteSampler(request.satellite, Osservatore, Impostazioni),
        skycharts::SkyProjection(), skycharts::sampleDateTimeText);
    ASSERT_GT(full.points.size(), 3u);
    skycharts::PassTrack one;
    one.points.push_back(full.points[full.points.size() / 2]);
    PassChartDisplay display;
    display.proiezioneStereo = false;
    display.oggettiPianeti = display.oggettiSoleLuna = display.oggettiCostellazioni = false;
    const auto inkAround = [&](const skycharts::PassTrack& track, const Punto_traccia& at) {
        QImage page(595, 842, QImage::Format_RGB32); // 72 dots per inch: 20 twips a pixel
        page.setDotsPerMeterX(2835);
        page.setDotsPerMeterY(2835);
        page.fill(Qt::white);
        {
            PaintDeviceSurface surface(page);
            skycharts::bringSkyToInstant(request.chartTime);
            skycharts::drawPassChartPrintout(surface, display, Impostazioni, 0, track,
                                             std::vector<Etichetta_traccia>(1), request, false);
            surface.end();
        }
        const QPointF p = skycharts::paperPoint({at.X_mappa, at.Y_mappa}) / 20.0;
        int ink = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                ink += page.pixelColor(qRound(p.x()) + dx, qRound(p.y()) + dy).lightness() < 128;
        return ink;
    };
    EXPECT_GT(inkAround(one, one.points[1]), 0);
    EXPECT_GT(inkAround(full, full.points.back()), 0);
    EXPECT_EQ(inkAround(skycharts::PassTrack{}, full.points.back()), 0);
}

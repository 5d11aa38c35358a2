// The local sky window on the tracking model: what redraws it, the gates and the empty
// window, the pass track and its labels, zoom and restore, the pointer readout, the
// satellites of the tick, the stored geometry, and the printout.

#include "LocalSkyFixture.h"
#include "ModalCloser.h"

#include "skycharts/LocalSkyChart.h"
#include "skycharts/LocalSkyPrintout.h"
#include "skycharts/PassChart.h"
#include "skycharts/frmLocalSky.h"

#include "services/PaintDeviceSurface.h"
#include "services/PictureBox.h"
#include "services/Printing.h"

#include <QApplication>
#include <QMessageBox>
#include <QPrinter>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace {

/// A pass of three samples across the south-west, where a fake transit puts it.
std::vector<Punto_traccia> fakeTransit(const frmLocalSky::Projection& project)
{
    std::vector<Punto_traccia> points(1);
    for (int i = 0; i < 3; ++i) {
        const QPointF at = project(200.0 + 10 * i, 30.0 - 10 * i);
        Punto_traccia p;
        p.X_mappa = static_cast<float>(at.x());
        p.Y_mappa = static_cast<float>(at.y());
        p.Ora = "15/01/2026 21:3" + std::to_string(i) + ":00";
        p.Magnitudine = "4.0";
        points.push_back(p);
    }
    return points;
}

class LocalSkyWindowTest : public LocalSkyTest
{
protected:
    void SetUp() override
    {
        LocalSkyTest::SetUp();
        m_hooks.computeTransit = [this](const frmLocalSky::Projection& project) {
            ++m_transits;
            return fakeTransit(project);
        };
    }

    std::unique_ptr<frmLocalSky> openWindow(QSize size = {600, 400})
    {
        auto sky = std::make_unique<frmLocalSky>(m_hooks);
        sky->show();
        sky->resize(size);
        QApplication::processEvents();
        return sky;
    }

    static void changeOptions(const std::function<void(LocalSkyDisplay&)>& change)
    {
        LocalSkyDisplay display = TrackingModel::instance().localSky();
        change(display);
        TrackingModel::instance().setLocalSky(display);
        QApplication::processEvents();
    }

    frmLocalSky::Hooks m_hooks;
    int m_transits = 0;
};

TEST_F(LocalSkyWindowTest, RedrawsAfterDisplayOptionsButNotAfterMouseModes)
{
    const auto sky = openWindow();
    const int opened = sky->redrawCount();
    ASSERT_GT(opened, 0);
    EXPECT_TRUE(pflgSatellite.isOpen());
    const struct
    {
        const char* what;
        std::function<void(LocalSkyDisplay&)> change;
        int redraws;
    } cases[] = {
        {"grid", [](LocalSkyDisplay& d) { d.griglia = !d.griglia; }, 1},
        {"orientation", [](LocalSkyDisplay& d) { d.orientamento = SkyOrientation::Nord; }, 1},
        {"projection", [](LocalSkyDisplay& d) { d.proiezioneStereo = !d.proiezioneStereo; }, 1},
        {"readout", [](LocalSkyDisplay& d) { d.coordinateOrizzontali = !d.coordinateOrizzontali; }, 0},
        {"zoom mode", [](LocalSkyDisplay& d) { d.zoom = !d.zoom; d.zoomed = d.zoom; }, 0},
        {"principal only", [](LocalSkyDisplay& d) { d.soloPrincipale = !d.soloPrincipale; }, 0},
    };
    for (const auto& c : cases) {
        const int before = sky->redrawCount();
        changeOptions(c.change);
        EXPECT_EQ(sky->redrawCount() - before, c.redraws) << c.what;
    }
    EXPECT_TRUE(pflgSatellite.isOpen());
    EXPECT_EQ(pflgSatellite.holdCount(), 0);
    EXPECT_TRUE(sky->tmrLocalSky->isActive());
    EXPECT_EQ(sky->tmrLocalSky->interval(), 60000);
}

TEST_F(LocalSkyWindowTest, AnEmptyOrMinimisedWindowDrawsNothing)
{
    const auto sky = openWindow();
    const int before = sky->redrawCount();
    sky->Picture1->setFixedSize(0, 0);
    QApplication::processEvents();
    sky->Genera_mappa();
    EXPECT_EQ(sky->redrawCount(), before);
    sky->Picture1->setMinimumSize(1, 1);
    sky->Picture1->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    sky->showMinimized();
    QApplication::processEvents();
    const int minimised = sky->redrawCount();
    sky->tmrLocalSky_Timer();
    EXPECT_EQ(sky->redrawCount(), minimised);
    EXPECT_TRUE(pflgSatellite.isOpen());
}

TEST_F(LocalSkyWindowTest, KeepsTheAspectAtAnySize)
{
    const auto sky = openWindow({900, 300});
    const skycharts::ViewBox view = sky->viewBox();
    const double unitsPerPixelX = view.width() / sky->Picture1->width();
    const double unitsPerPixelY = -view.height() / sky->Picture1->height();
    EXPECT_NEAR(unitsPerPixelX, unitsPerPixelY, 1e-4);
    EXPECT_FLOAT_EQ(view.top, 100.0f);
}

TEST_F(LocalSkyWindowTest, TrackLabelsAreEmptiedWheneverTheTrackIsComputedOrDropped)
{
    publishPrincipalAt(210, 40);
    const auto sky = openWindow();
    Etichette_transito.push_back({1, 1, 2, 2, 5});
    changeOptions([](LocalSkyDisplay& d) { d.transitoPrincipale = true; });
    EXPECT_EQ(m_transits, 1);
    EXPECT_EQ(Punti_transito.size(), 4u);
    EXPECT_EQ(Etichette_transito.size(), 1u);
    EXPECT_TRUE(TrackingModel::instance().localSky().tempi);

    // A redraw command computes the track anew and drops the labels.
    Etichette_transito.push_back({1, 1, 2, 2, 2});
    TrackingModel::instance().requestChartCommand(ChartKind::LocalSky, ChartCommand::Redraw);
    EXPECT_EQ(m_transits, 2);
    EXPECT_EQ(Etichette_transito.size(), 1u);

    // A new orientation moves every point: the track is computed for it.
    Etichette_transito.push_back({1, 1, 2, 2, 2});
    changeOptions([](LocalSkyDisplay& d) { d.orientamento = SkyOrientation::Est; });
    EXPECT_EQ(m_transits, 3);
    EXPECT_EQ(Etichette_transito.size(), 1u);

    // A jump of the program clock: the chart and the pass belong to another instant.
    Etichette_transito.push_back({1, 1, 2, 2, 2});
    TickSnapshot afterJump = TrackingModel::instance().snapshot();
    afterJump.clockJumped = true;
    const int redraws = sky->redrawCount();
    TrackingModel::instance().publishTick(afterJump);
    EXPECT_EQ(m_transits, 4);
    EXPECT_EQ(Etichette_transito.size(), 1u);
    EXPECT_EQ(sky->redrawCount(), redraws + 1);

    // The principal set: the next redraw drops the pass, its marks and its labels.
    Etichette_transito.push_back({1, 1, 2, 2, 2});
    publishPrincipalAt(210, -1);
    sky->Genera_mappa();
    EXPECT_FALSE(TrackingModel::instance().localSky().transitoPrincipale);
    EXPECT_FALSE(TrackingModel::instance().localSky().tempi);
    EXPECT_EQ(Etichette_transito.size(), 1u);
}

TEST_F(LocalSkyWindowTest, TheTrackIsNotSwitchedOnWhileThePrincipalIsDown)
{
    publishPrincipalAt(210, 0);
    const auto sky = openWindow();
    changeOptions([](LocalSkyDisplay& d) { d.transitoPrincipale = true; });
    EXPECT_EQ(m_transits, 0);
    EXPECT_FALSE(TrackingModel::instance().localSky().transitoPrincipale);
}

TEST_F(LocalSkyWindowTest, ZoomBoxAndRestore)
{
    const auto sky = openWindow({400, 400});
    changeOptions([](LocalSkyDisplay& d) { d.zoom = true; d.riquadroDati = false; });
    const QPoint from(100, 100);
    const QPoint to(200, 200);
    const QPointF fromChart = sky->chartPointAt(from);
    const QPointF toChart = sky->chartPointAt(to);
    QTest::mousePress(sky->Picture1, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(150, 150), sky->Picture1->mapToGlobal(QPointF(150, 150)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(sky->Picture1, &move);
    EXPECT_FALSE(pflgSatellite.isOpen()); // the satellites wait while the box is dragged
    QTest::mouseRelease(sky->Picture1, Qt::LeftButton, {}, to);
    EXPECT_TRUE(pflgSatellite.isOpen());
    EXPECT_TRUE(sky->gblnZoom());
    EXPECT_TRUE(TrackingModel::instance().localSky().zoomed);
    EXPECT_FALSE(TrackingModel::instance().localSky().zoom);
    const skycharts::ViewBox zoomed = sky->viewBox();
    EXPECT_FLOAT_EQ(zoomed.left, static_cast<float>(fromChart.x()));
    EXPECT_FLOAT_EQ(zoomed.top, static_cast<float>(fromChart.y()));
    EXPECT_FLOAT_EQ(zoomed.right, static_cast<float>(toChart.x()));
    EXPECT_FLOAT_EQ(zoomed.bottom, static_cast<float>(toChart.y()));
    TrackingModel::instance().requestChartCommand(ChartKind::LocalSky, ChartCommand::RestoreView);
    EXPECT_FALSE(sky->gblnZoom());
    EXPECT_EQ(sky->viewBox(), skycharts::fullViewBox(static_cast<double>(sky->Picture1->width())
                                                     / sky->Picture1->height()));
    EXPECT_FALSE(TrackingModel::instance().localSky().zoomed);
}

TEST_F(LocalSkyWindowTest, PointerReadoutInBothCoordinatesAndNoneBelowTheHorizon)
{
    const auto sky = openWindow({400, 400});
    const QString horizontal = sky->pointerReadout({0, 45});
    EXPECT_TRUE(horizontal.startsWith(mLang::Testo_lingua(u"Def", u"az"))) << horizontal.toStdString();
    EXPECT_TRUE(horizontal.contains(QString::fromUtf16(u"000\u00b0 00'"))) << horizontal.toStdString();
    changeOptions([](LocalSkyDisplay& d) { d.coordinateOrizzontali = false; });
    const QString equatorial = sky->pointerReadout({0, 0});
    EXPECT_TRUE(equatorial.startsWith(mLang::Testo_lingua(u"Def", u"ar"))) << equatorial.toStdString();
    // The zenith's declination is the latitude.
    EXPECT_TRUE(equatorial.contains(QString::fromUtf16(u"+45\u00b0 27'"))) << equatorial.toStdString();
    EXPECT_TRUE(sky->pointerReadout({95, 0}).isEmpty());
}

TEST_F(LocalSkyWindowTest, SatellitesLieOnTheTemporaryLayerAboveTheHorizonOnly)
{
    const auto sky = openWindow({400, 400});
    publishPrincipalAt(180, 0);
    EXPECT_EQ(sky->screenImage(), sky->chartImage());
    publishPrincipalAt(180, 45);
    EXPECT_NE(sky->screenImage(), sky->chartImage());
    TickSnapshot other = TrackingModel::instance().snapshot();
    other.satellites.front().slot = 2;
    changeOptions([](LocalSkyDisplay& d) { d.soloPrincipale = true; });
    TrackingModel::instance().publishTick(other);
    EXPECT_EQ(sky->screenImage(), sky->chartImage());
}

TEST_F(LocalSkyWindowTest, StarsAndBodiesArePickedOverTheWholeView)
{
    const auto sky = openWindow({800, 400});
    // The brightest star that stands in the outer part of the wide chart (|x| > 100).
    const skycharts::SkyPositions& positions = sky->chartPositions();
    int rank = 0;
    for (int i = 1; i <= sky->gintNumStelle() && rank == 0; ++i) {
        const skycharts::ChartPoint s = positions.star(i).value();
        if (std::fabs(s.x) > 100 && std::fabs(s.x) < 190 && std::fabs(s.y) < 90)
            rank = i;
    }
    ASSERT_GT(rank, 0);
    const skycharts::ChartPoint star = *positions.star(rank);
    const skycharts::SkyPick pick = sky->identifyAt({star.x, star.y});
    EXPECT_EQ(pick.kind, skycharts::SkyPick::Kind::Star);
    EXPECT_EQ(pick.index, rank);
    const skycharts::ChartPoint moon = positions.body(kLuna);
    const skycharts::SkyPick body = sky->identifyAt({moon.x, moon.y});
    if (std::fabs(moon.x) < 200 && std::fabs(moon.y) < 100) {
        EXPECT_EQ(body.kind, skycharts::SkyPick::Kind::Body);
    }
}

TEST_F(LocalSkyWindowTest, StoredGeometryThatIsNoNumberFallsBackToTheDefaultSize)
{
    Impostazioni.Posizioni_finestre = true;
    mReg::Scrivi_registro(u"Quorvanel", u"Cielo locale", u"Window_Width", u"wide");
    mReg::Scrivi_registro(u"Quorvanel", u"Cielo locale", u"Window_Height", u"9000");
    mReg::Scrivi_registro(u"Quorvanel", u"Cielo locale", u"Window_Left", u"150");
    auto sky = std::make_unique<frmLocalSky>(m_hooks);
    sky->show();
    QApplication::processEvents();
    EXPECT_EQ(sky->width(), qRound(10665 / 15.0));
    EXPECT_EQ(sky->height(), 600);
    EXPECT_EQ(sky->x(), 10);
    sky->close();
    EXPECT_EQ(mReg::Leggi_registro(u"Quorvanel", u"Cielo locale", u"Window_Width", u""),
              QString::number(10665));
}

TEST_F(LocalSkyWindowTest, AClickOnAStarOpensItsRecordOrTellsOnceThatTheCatalogueIsMissing)
{
    std::optional<Stella_catalogo> record;
    int reads = 0;
    m_hooks.readStarRecord = [&](int rank) {
        ++reads;
        EXPECT_EQ(rank, 1);
        return record;
    };
    const auto sky = openWindow({600, 400});
    ASSERT_GT(sky->chartPositions().stars.at(1).altitudeDeg, 0);
    const skycharts::ChartPoint sirius = *sky->chartPositions().star(1);
    const QPoint at = sky->Picture1->toDevice({sirius.x, sirius.y}).toPoint();
    {
        const ModalCloser closer;
        QTest::mouseClick(sky->Picture1, Qt::LeftButton, {}, at);
        ASSERT_EQ(closer.messages.size(), 1u);
        EXPECT_EQ(closer.messages.front(), mLang::Testo_lingua(u"frmLocalSky", u"catalogononleggibile"));
        EXPECT_TRUE(closer.dialogs.empty());
    }
    record = Stella_catalogo{};
    record->Nome = "Sirius";
    {
        const ModalCloser closer;
        QTest::mouseClick(sky->Picture1, Qt::LeftButton, {}, at);
        EXPECT_TRUE(closer.messages.empty());
        ASSERT_EQ(closer.dialogs.size(), 1u);
        EXPECT_EQ(closer.dialogs.front(), QStringLiteral("frmObject"));
        EXPECT_EQ(Record_stella.Nome, "Sirius");
    }
    EXPECT_EQ(reads, 2);
}

TEST_F(LocalSkyWindowTest, AClickNamesTheStarThisChartShowsAfterAPassChartDrewAnotherWay)
{
    std::vector<int> opened;
    m_hooks.readStarRecord = [&opened](int rank) {
        opened.push_back(rank);
        return std::optional<Stella_catalogo>(Stella_catalogo{});
    };
    changeOptions([](LocalSkyDisplay& d) { d.orientamento = SkyOrientation::Sud; });
    const auto sky = openWindow({600, 400});
    // Where this chart shows Sirius, worked out from the catalogue and the chart's projection.
    double azimuth = 0;
    double altitude = 0;
    mAstro::Calcola_azimut_altezza(Stelle[1].Ascensione_retta, Stelle[1].Declinazione, azimuth,
                                   altitude);
    ASSERT_GT(altitude, 0);
    const skycharts::ChartPoint sirius =
        skycharts::localSkyProjection(TrackingModel::instance().localSky()).toChart(azimuth, altitude);

    // A pass chart facing the other way draws the same sky meanwhile.
    PassChartDisplay facingNorth;
    facingNorth.orientamento = SkyOrientation::Nord;
    QImage passChart(300, 300, QImage::Format_RGB32);
    {
        PaintDeviceSurface surface(passChart);
        skycharts::drawPassChart(surface, passChart.size(),
                                 skycharts::passChartScene(facingNorth, Impostazioni, 1639));
        surface.end();
    }

    const ModalCloser closer;
    QTest::mouseClick(sky->Picture1, Qt::LeftButton, {},
                      sky->Picture1->toDevice({sirius.x, sirius.y}).toPoint());
    EXPECT_EQ(opened, std::vector<int>{1}) << "the star under the pointer on this chart";
}

TEST_F(LocalSkyWindowTest, OpensWithoutLandscapeFile)
{
    MyPath = m_folder.path();
    const auto sky = openWindow();
    EXPECT_FALSE(sky->hasLandscape());
    EXPECT_GT(sky->redrawCount(), 0);
}

/// Number of page objects in a PDF file.
int pdfPageCount(const QString& path)
{
    const QString content = QString::fromLatin1(readTestFile(path));
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(content.count(page));
}

TEST_F(LocalSkyWindowTest, PrintsOnePageToPdfAndLeavesTheTimeStateAtThePresent)
{
    const auto sky = openWindow();
    QPrinter& printer = sharedPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QString output = folderFile(QStringLiteral("sky.pdf"));
    printer.setOutputFileName(output);
    mAstro::Calcola_tempi(Data_attuale + 3.5);
    ASSERT_TRUE(sky->printOnSharedPrinter());
    EXPECT_EQ(pdfPageCount(output), 1);
    EXPECT_DOUBLE_EQ(mAstro::Data_locale, Data_attuale);

    printer.setOutputFileName(folderFile(QStringLiteral("no/such/folder/sky.pdf")));
    EXPECT_FALSE(sky->printOnSharedPrinter());
    EXPECT_DOUBLE_EQ(mAstro::Data_locale, Data_attuale);
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setOutputFileName(QString());
}

TEST_F(LocalSkyWindowTest, PrintoutStaysInsideItsFrameInBlackOnWhite)
{
    // The page at 72 dots per inch: 20 twips to a pixel.
    QImage page(595, 842, QImage::Format_RGB32);
    page.setDotsPerMeterX(2835);
    page.setDotsPerMeterY(2835);
    page.fill(Qt::white);
    {
        PaintDeviceSurface surface(page);
        skycharts::bringSkyToInstant(Data_attuale);
        LocalSkyDisplay display;
        display.oggettiCostellazioni = display.oggettiPianeti = display.oggettiSoleLuna = true;
        display.griglia = display.etichettePianeti = true;
        skycharts::drawLocalSkyPrintout(surface, display, 9010, Data_attuale, false);
        surface.end();
    }
    const double twipsPerPixel = 1440.0 / 72.0;
    const QRect frame(qRound(1200 / twipsPerPixel), qRound(1200 / twipsPerPixel),
                      qRound((11904 - 2400) / twipsPerPixel), qRound((16836 - 2400) / twipsPerPixel));
    int outside = 0;
    int inkInTextBlock = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.red() != c.green() || c.green() != c.blue())
                ADD_FAILURE() << "colour at " << x << "," << y;
            const bool ink = c.lightness() < 128;
            // The imprint line stands above the frame on purpose.
            if (ink && !frame.adjusted(-1, -1, 1, 1).contains(x, y) && y > frame.top())
                ++outside;
            if (ink && y > qRound(9950 / twipsPerPixel) && y < qRound(14000 / twipsPerPixel)
                && x > frame.left() + 2 && x < frame.right() - 2)
                ++inkInTextBlock;
        }
        if (HasFailure())
            return;
    }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inkInTextBlock, 500);
}

} // namespace

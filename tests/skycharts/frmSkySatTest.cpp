// The pass chart window on the offscreen platform: its own copy of the satellite, the gates,
// pointer and time state given back after a drawing, nothing drawn while minimised, labels
// dragged off the track, several charts with their own options, the missing landscape and
// the printout to PDF.

#include "PassChartFixture.h"

#include "skycharts/PassChart.h"
#include "skycharts/PassChartPrintout.h"
#include "skycharts/frmSkySat.h"

#include "services/PictureBox.h"
#include "services/Printing.h"
#include "services/WindowNames.h"
#include "services/WindowRegistry.h"
#include "services/mGlobal.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QMouseEvent>
#include <QPrinter>
#include <QRegularExpression>
#include <QTest>

#include <memory>

namespace {

class PassChartWindowTest : public PassChartTest
{
protected:
    std::unique_ptr<frmSkySat> openChart(const skycharts::PassChartRequest& request,
                                         QSize size = {420, 420})
    {
        auto chart = std::make_unique<frmSkySat>(request);
        chart->resize(size);
        chart->show();
        QApplication::processEvents();
        return chart;
    }

    /// A left-button drag on the chart from one pixel to another.
    static void drag(frmSkySat& chart, QPointF from, QPointF to)
    {
        QTest::mousePress(chart.Picture1, Qt::LeftButton, {}, from.toPoint());
        QMouseEvent move(QEvent::MouseMove, to, chart.Picture1->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(chart.Picture1, &move);
        QTest::mouseRelease(chart.Picture1, Qt::LeftButton, {}, to.toPoint());
    }

    /// Number of page objects in a PDF file.
    static int pdfPageCount(const QString& path)
    {
        const QString content = QString::fromLatin1(readTestFile(path));
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
        return static_cast<int>(content.count(page));
    }

    static void expectProgramStateGivenBack()
    {
        EXPECT_EQ(pflgCentrale.holdCount(), 0);
        EXPECT_EQ(pflgSatellite.holdCount(), 0);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_DOUBLE_EQ(mAstro::Data_locale, Data_attuale);
    }
};

/// A pass that sets within the first step of its track: one sample.
void shortenToOnePoint(skycharts::PassChartRequest& request)
{
    request.setTime = DateValue::addSeconds(skycharts::passTrackStart(request.riseTime), 5);
}

} // namespace

TEST_F(PassChartWindowTest, KeepsItsOwnCopyOfTheSatelliteWhateverTheScratchSlotHoldsLater)
{
    const auto chart = openChart(issPass());
    ASSERT_GT(chart->track().points.size(), 10u);
    const std::size_t samples = chart->track().points.size();
    // Another search or chart uses the scratch slot afterwards.
    const Record_TLE other = makeSet("OTHER SAT", "99999");
    ASSERT_EQ(mSat::Estrai_Dati_Satellite(kFirstScratchSlot, other.Riga0, other.Riga1, other.Riga2),
              mSat::Status::Ok);
    chart->Genera_mappa(false);
    EXPECT_EQ(chart->request().satellite.Numero_catalogo, "25544");
    EXPECT_EQ(chart->track().points.size(), samples);
    const QStringList rows = skycharts::passChartTextBlock(chart->request(), Osservatore);
    EXPECT_TRUE(rows[1].endsWith(QStringLiteral("25544")));
    EXPECT_TRUE(chart->windowTitle().startsWith(QStringLiteral("Iss (zarya) - ")));
    EXPECT_EQ(Satelement[kFirstScratchSlot].Numero_catalogo, "99999");
}

TEST_F(PassChartWindowTest, DrawingGivesBackGatesPointerAndTimeState)
{
    mAstro::Calcola_tempi(Data_attuale + 2.5);
    const auto chart = openChart(issPass());
    EXPECT_GT(chart->redrawCount(), 0);
    expectProgramStateGivenBack();
    // The chart is square and centred in a window wider than high.
    chart->resize(500, 300);
    QApplication::processEvents();
    EXPECT_EQ(chart->Picture1->size(), QSize(300, 300));
    EXPECT_EQ(chart->Picture1->x(), 100);
    expectProgramStateGivenBack();
}

TEST_F(PassChartWindowTest, MinimisedChartDrawsNothing)
{
    const auto chart = openChart(issPass());
    chart->showMinimized();
    QApplication::processEvents();
    const int before = chart->redrawCount();
    chart->resize(300, 300);
    chart->Genera_mappa(false);
    QApplication::processEvents();
    EXPECT_EQ(chart->redrawCount(), before);
    expectProgramStateGivenBack();
}

TEST_F(PassChartWindowTest, LabelDraggedOffTheTrackFollowsTheChartUntilARedrawClearsIt)
{
    const auto chart = openChart(issPass());
    const std::vector<Punto_traccia>& points = chart->track().points;
    ASSERT_GT(points.size(), 4u);
    const int index = static_cast<int>(points.size()) / 2;
    const Punto_traccia point = points[static_cast<std::size_t>(index)];
    const QPointF from = chart->pixelAt({point.X_mappa, point.Y_mappa}).toPoint();
    const QPointF to = from + QPointF(40, -40);
    const QImage before = chart->chartImage();
    drag(*chart, from, to);
    ASSERT_EQ(chart->labels().size(), 2u);
    const Etichetta_traccia& label = chart->labels()[1];
    EXPECT_EQ(label.Indice_punto, index);
    // Kept in azimuth and altitude, so that it follows a change of view.
    EXPECT_NEAR(label.X_punto, point.Azimut, 0.05);
    EXPECT_NEAR(label.Y_punto, point.Elevazione, 0.05);
    const skycharts::HorizontalDirection end = chart->Inverti_proiezione(
        {static_cast<float>(chart->chartPointAt(to).x()), static_cast<float>(chart->chartPointAt(to).y())});
    EXPECT_NEAR(label.X_etichetta, end.azimuthDeg, 1e-3);
    EXPECT_NEAR(label.Y_etichetta, end.altitudeDeg, 1e-3);
    EXPECT_NE(chart->chartImage(), before); // drawn into the stored chart

    // A drag from nowhere near the track places nothing.
    drag(*chart, chart->pixelAt({-99, -99}), chart->pixelAt({-80, -80}));
    EXPECT_EQ(chart->labels().size(), 2u);

    PassChartDisplay display = chart->passChartDisplay();
    display.orientamento = SkyOrientation::Nord;
    chart->setPassChartDisplay(display);
    chart->Genera_mappa(false);
    ASSERT_EQ(chart->labels().size(), 2u);
    const skycharts::ChartPoint moved = chart->Proietta_altaz(label.X_punto, label.Y_punto);
    const Punto_traccia& redrawn = chart->track().points[static_cast<std::size_t>(index)];
    EXPECT_NEAR(moved.x, redrawn.X_mappa, 0.05);
    EXPECT_NEAR(moved.y, redrawn.Y_mappa, 0.05);
    chart->Genera_mappa(true);
    EXPECT_EQ(chart->labels().size(), 1u);
    expectProgramStateGivenBack();
}

TEST_F(PassChartWindowTest, ChartWithoutATrackTakesPressesAndPrintsSafely)
{
    skycharts::PassChartRequest empty;
    empty.chartTime = empty.riseTime = empty.setTime = Data_attuale;
    const auto chart = openChart(empty);
    EXPECT_EQ(chart->track().points.size(), 1u);
    drag(*chart, chart->pixelAt({0, 0}), chart->pixelAt({20, 20}));
    QTest::mouseClick(chart->Picture1, Qt::LeftButton, {}, chart->pixelAt({0.0, 0.0}).toPoint());
    EXPECT_EQ(chart->labels().size(), 1u);
    QPrinter& printer = sharedPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(folderFile(QStringLiteral("empty.pdf")));
    EXPECT_TRUE(chart->printOnSharedPrinter());
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setOutputFileName(QString());
    expectProgramStateGivenBack();
}

TEST_F(PassChartWindowTest, TwoChartsKeepTheirOwnOptionsAndLabels)
{
    const skycharts::PassChartRequest request = issPass();
    const auto first = openChart(request);
    const auto second = openChart(request);
    PassChartDisplay a = first->passChartDisplay();
    a.orientamento = SkyOrientation::Nord;
    a.proiezioneStereo = true;
    a.griglia = false;
    first->setPassChartDisplay(a);
    PassChartDisplay b = second->passChartDisplay();
    b.orientamento = SkyOrientation::Est;
    b.proiezioneStereo = false;
    b.griglia = true;
    second->setPassChartDisplay(b);
    first->Genera_mappa(false);
    second->Genera_mappa(false);
    EXPECT_EQ(first->passChartDisplay(), a);
    EXPECT_EQ(second->passChartDisplay(), b);
    EXPECT_NE(first->chartImage(), second->chartImage());
    // Each track is placed in its own chart's view.
    const Punto_traccia& p1 = first->track().points[1];
    const Punto_traccia& p2 = second->track().points[1];
    EXPECT_FLOAT_EQ(p1.X_mappa, first->Proietta_altaz(p1.Azimut, p1.Elevazione).x);
    EXPECT_FLOAT_EQ(p2.X_mappa, second->Proietta_altaz(p2.Azimut, p2.Elevazione).x);
    EXPECT_NE(p1.X_mappa, p2.X_mappa);

    const std::size_t middle = first->track().points.size() / 2;
    const Punto_traccia point = first->track().points[middle];
    const QPointF from = first->pixelAt({point.X_mappa, point.Y_mappa});
    drag(*first, from, from + QPointF(30, 30));
    EXPECT_EQ(first->labels().size(), 2u);
    EXPECT_EQ(second->labels().size(), 1u);
    // The limiting-magnitude dialog sets one chart's star count by name.
    ASSERT_TRUE(first->setProperty("gintNumStelle", 293));
    EXPECT_EQ(first->gintNumStelle(), 293);
    EXPECT_EQ(second->gintNumStelle(), Impostazioni.Cielo_anteprima_stelle);
}

TEST_F(PassChartWindowTest, MissingLandscapeLeavesTheOverlayOut)
{
    MyPath = m_folder.path(); // no landscape.dat there
    Impostazioni.Cielo_anteprima_paesaggio = true;
    const auto chart = openChart(issPass());
    EXPECT_FALSE(chart->hasLandscape());
    EXPECT_TRUE(chart->passChartDisplay().paesaggio);
    EXPECT_GT(chart->redrawCount(), 0);
    const QImage image = chart->chartImage();
    int keyGreen = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            keyGreen += image.pixelColor(x, y) == QColor(0, 255, 0);
    EXPECT_EQ(keyGreen, 0);
}

TEST_F(PassChartWindowTest, PrintsOnePageToPdfWithALongNameAndWithAOnePointPass)
{
    struct Case
    {
        const char* file;
        std::function<void(skycharts::PassChartRequest&)> change;
    };
    const Case cases[] = {
        {"long-name.pdf",
         [](skycharts::PassChartRequest& r) {
             r.satellite.Nome_satellite = std::string(150, 'N');
             r.passLines[0] = QString(200, u'x');
         }},
        {"one-point.pdf", shortenToOnePoint},
    };
    QPrinter& printer = sharedPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        skycharts::PassChartRequest request = issPass();
        c.change(request);
        const auto chart = openChart(request);
        const QString output = folderFile(QString::fromLatin1(c.file));
        printer.setOutputFileName(output);
        mAstro::Calcola_tempi(Data_attuale + 1.5);
        ASSERT_TRUE(chart->printOnSharedPrinter());
        EXPECT_EQ(pdfPageCount(output), 1);
        expectProgramStateGivenBack();
        // A printer that cannot print is a failure, and the time state is back all the same.
        printer.setOutputFileName(folderFile(QStringLiteral("no/such/folder/chart.pdf")));
        EXPECT_FALSE(chart->printOnSharedPrinter());
        expectProgramStateGivenBack();
    }
    EXPECT_EQ(openChart([&] {
                  skycharts::PassChartRequest r = issPass();
                  shortenToOnePoint(r);
                  return r;
              }())->track().points.size(),
              2u);
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setOutputFileName(QString());
}

TEST_F(PassChartWindowTest, OpensInTheDocumentAreaAndAnswersTheMainWindowsCommands)
{
    QMdiArea area;
    area.resize(900, 700);
    area.show();
    const skycharts::PassChartRequest request = issPass();
    QPointer<frmSkySat> first = frmSkySat::open(request, &area);
    QPointer<frmSkySat> second = frmSkySat::open(request, &area);
    QApplication::processEvents();
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second); // a new chart for every request
    EXPECT_EQ(area.subWindowList().size(), 2);
    EXPECT_TRUE(mGlobal::Form_caricato(windowNames::kSkySat));
    EXPECT_GT(first->redrawCount(), 0);

    // The menu's commands reach a chart by name, and the model's only the active one.
    drag(*first, first->pixelAt({first->track().points[3].X_mappa, first->track().points[3].Y_mappa}),
         first->pixelAt({0, 0}));
    drag(*second, second->pixelAt({second->track().points[3].X_mappa, second->track().points[3].Y_mappa}),
         second->pixelAt({0, 0}));
    ASSERT_EQ(first->labels().size(), 2u);
    ASSERT_EQ(second->labels().size(), 2u);
    area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first->parentWidget()));
    TrackingModel::instance().requestChartCommand(ChartKind::PassChart, ChartCommand::Redraw);
    EXPECT_EQ(first->labels().size(), 1u);
    EXPECT_EQ(second->labels().size(), 2u);
    const int redraws = second->redrawCount();
    EXPECT_TRUE(QMetaObject::invokeMethod(second, "Genera_mappa", Q_ARG(bool, false)));
    EXPECT_EQ(second->redrawCount(), redraws + 1);
    EXPECT_GE(second->metaObject()->indexOfMethod("Stampa()"), 0);

    WindowRegistry::instance().unload(first);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(mGlobal::Form_caricato(windowNames::kSkySat));
    second->parentWidget()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull());
    EXPECT_FALSE(mGlobal::Form_caricato(windowNames::kSkySat));
}

TEST_F(PassChartWindowTest, RightButtonDragsALabelAsTheLeftDoesAndOtherwiseOpensTheMenu)
{
    QMenu menu;
    menu.addAction(QStringLiteral("Grid"));
    frmSkySat chart(issPass(), &menu);
    chart.resize(420, 420);
    chart.show();
    QApplication::processEvents();
    const Punto_traccia& p = chart.track().points[2];
    const QPoint at = chart.pixelAt({p.X_mappa, p.Y_mappa}).toPoint();

    // A drag from the track places a label; no menu takes the release away.
    QTest::mousePress(chart.Picture1, Qt::RightButton, {}, at);
    EXPECT_FALSE(menu.isVisible());
    QTest::mouseRelease(chart.Picture1, Qt::RightButton, {}, at + QPoint(30, 30));
    EXPECT_FALSE(menu.isVisible());
    ASSERT_EQ(chart.labels().size(), 2u);
    EXPECT_EQ(chart.labels()[1].Indice_punto, 2);

    // A click on the track opens the menu and places nothing.
    QTest::mousePress(chart.Picture1, Qt::RightButton, {}, at);
    QTest::mouseRelease(chart.Picture1, Qt::RightButton, {}, at + QPoint(1, 0));
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
    EXPECT_EQ(chart.labels().size(), 2u);

    // Away from the track the menu opens at the press.
    const QPoint corner = chart.pixelAt({-95, -95}).toPoint();
    QTest::mousePress(chart.Picture1, Qt::RightButton, {}, corner);
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
    QTest::mouseRelease(chart.Picture1, Qt::RightButton, {}, corner + QPoint(20, 20));
    EXPECT_EQ(chart.labels().size(), 2u);
}

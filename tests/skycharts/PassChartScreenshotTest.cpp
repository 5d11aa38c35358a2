// Pictures of a pass chart for the documentation (support/ScreenshotFolder.h): an evening pass of the space station over Milan with the Moon up (gpredict's
// element set of January 2018), two time labels dragged off its track, and the printout as a
// PDF file (rendered to a picture with pdftoppm).

#include "PassChartFixture.h"
#include "support/RequiredData.h"
#include "support/ScreenshotFolder.h"

#include "skycharts/LocalSkyChart.h"
#include "skycharts/frmSkySat.h"

#include "services/PictureBox.h"
#include "services/Printing.h"
#include "tracking/TickTexts.h"
#include "support/ElementSetSources.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPrinter>
#include <QTest>

TEST_F(PassChartTest, ScreenshotsForTheDocumentation)
{
    const ScreenshotFolder shots;
    const QString folder = shots.path();
    const std::optional<std::vector<Record_TLE>> sets = testsets::gpredictSets();
    if (!sets)
        SKIP_OR_FAIL_WITHOUT_DATA("gpredict's catalogue is not installed");
    const auto iss = std::find_if(sets->begin(), sets->end(),
                                  [](const Record_TLE& set) { return set.Riga1.substr(2, 5) == "25544"; });
    ASSERT_NE(iss, sets->end());
    readStatusNames(); // the pass lines name each event's visibility
    Impostazioni.Cielo_anteprima_costellazioni_linee = true;
    Impostazioni.Cielo_anteprima_costellazioni_nomi = true;
    Impostazioni.Cielo_anteprima_sole_luna_nomi = true;
    Impostazioni.Cielo_anteprima_griglia = true;
    Impostazioni.Cielo_anteprima_stelle = 2906;
    // A visible evening pass, high enough to cross the chart, with the Moon up.
    const auto eveningWithMoon = [](const passes::PassRow& row) {
        const double culmination = localDateOf(row.pass.culmination.julianDate, Osservatore);
        const DateValue::Parts parts = DateValue::split(culmination);
        if (parts.hour < 17 || parts.hour > 21 || row.pass.culmination.sky.elevationDeg < 40
            || row.pass.culmination.sky.status != kStatoVisibile)
            return false;
        skycharts::bringSkyToInstant(culmination);
        return Corpi_celesti[kLuna].Altezza > 5;
    };
    std::optional<skycharts::PassChartRequest> request;
    for (int day = 0; day < 10 && !request; day += 2)
        request = passRequest(*iss, testsets::kGpredictSearchStartJd + day, 10, eveningWithMoon);
    ASSERT_TRUE(request.has_value());
    Data_attuale = request->chartTime;

    frmSkySat chart(*request);
    chart.resize(640, 660);
    chart.show();
    QApplication::processEvents();
    const std::vector<Punto_traccia>& points = chart.track().points;
    ASSERT_GT(points.size(), 6u);
    const std::size_t n = points.size() - 1;
    for (const auto& [index, offset] : {std::pair{n / 4, QPoint(-70, -30)}, std::pair{n / 2, QPoint(30, -40)},
                                        std::pair{3 * n / 4, QPoint(30, 30)}}) {
        const Punto_traccia& p = points[index];
        const QPoint from = chart.pixelAt({p.X_mappa, p.Y_mappa}).toPoint();
        QTest::mousePress(chart.Picture1, Qt::LeftButton, {}, from);
        QTest::mouseRelease(chart.Picture1, Qt::LeftButton, {}, from + offset);
    }
    ASSERT_EQ(chart.labels().size(), 4u);
    QApplication::processEvents();
    ASSERT_TRUE(chart.grab().save(QDir(folder).filePath(QStringLiteral("passchart.png"))));

    QPrinter& printer = sharedPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(QDir(folder).filePath(QStringLiteral("passchart-print.pdf")));
    EXPECT_TRUE(chart.printOnSharedPrinter());
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setOutputFileName(QString());
}

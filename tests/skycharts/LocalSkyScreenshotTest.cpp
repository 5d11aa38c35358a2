// Pictures of the local sky for the documentation (support/ScreenshotFolder.h): the window by night with real satellites and the principal's pass track,
// and the printout as a PDF file (rendered to a picture with pdftoppm).

#include "LocalSkyFixture.h"
#include "support/RequiredData.h"
#include "support/ScreenshotFolder.h"

#include "skycharts/LocalSkyChart.h"
#include "skycharts/LocalSkyPrintout.h"
#include "skycharts/frmLocalSky.h"

#include "skycharts/TransitTrack.h"
#include "services/Printing.h"

#include <QApplication>
#include <QDir>
#include <QPrinter>

namespace {

std::vector<Punto_traccia> transitOfPrincipal(const frmLocalSky::Projection& project)
{
    const auto sampleAt = [](double localDate) {
        mAstro::Calcola_tempi(localDate);
        mSat::Calcola_satellite(kPrincipalSlot, mAstro::Data_giuliana);
        return Valori[kPrincipalSlot];
    };
    const Posizione_satellite present = sampleAt(Data_attuale);
    const auto result = computeTransitTrack(
        Data_attuale, present.Periodo, project(present.Azimut, present.Elevazione), sampleAt,
        project, [](double date) {
            const DateValue::Parts p = DateValue::split(date);
            char text[16];
            std::snprintf(text, sizeof text, "%02d:%02d:%02d", p.hour, p.minute, p.second);
            return std::string(text);
        });
    sampleAt(Data_attuale);
    return result.points;
}

} // namespace

TEST_F(LocalSkyTest, ScreenshotsForTheDocumentation)
{
    const ScreenshotFolder shots;
    const QString folder = shots.path();
    if (!publishRealSatellites(200))
        SKIP_OR_FAIL_WITHOUT_DATA("gpredict's catalogue is not installed");
    Impostazioni.Cielo_locale_costellazioni_linee = true;
    Impostazioni.Cielo_locale_costellazioni_nomi = true;
    Impostazioni.Cielo_locale_griglia = true;
    Impostazioni.Cielo_locale_stelle = 5146;
    frmLocalSky::Hooks hooks;
    hooks.computeTransit = transitOfPrincipal;
    frmLocalSky sky(hooks);
    sky.resize(1100, 720);
    sky.show();
    QApplication::processEvents();
    LocalSkyDisplay display = TrackingModel::instance().localSky();
    display.transitoPrincipale = true;
    TrackingModel::instance().setLocalSky(display);
    QApplication::processEvents();
    ASSERT_GT(Punti_transito.size(), 2u);
    // Two time labels hung on the track.
    const std::size_t n = Punti_transito.size() - 1;
    for (const std::size_t i : {std::size_t{1}, n / 2}) {
        const Punto_traccia& p = Punti_transito[i];
        Etichette_transito.push_back({p.X_mappa, p.Y_mappa, p.X_mappa + 8, p.Y_mappa + 8,
                                      static_cast<std::int16_t>(i)});
    }
    sky.Genera_mappa();
    QApplication::processEvents();
    ASSERT_TRUE(sky.grab().save(QDir(folder).filePath(QStringLiteral("localsky.png"))));

    // The printout, to a PDF file that the documentation renders as a picture.
    QPrinter& printer = sharedPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(QDir(folder).filePath(QStringLiteral("localsky-print.pdf")));
    EXPECT_TRUE(sky.printOnSharedPrinter());
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setOutputFileName(QString());
}

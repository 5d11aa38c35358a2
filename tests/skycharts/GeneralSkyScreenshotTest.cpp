// The picture of the whole-sky chart for the documentation (support/ScreenshotFolder.h):
// every layer on, the stars to magnitude 5.5, and the
// Sun, the Moon and the planets of a January night over Milan.

#include "LocalSkyFixture.h"
#include "support/ScreenshotFolder.h"

#include "skycharts/LocalSkyChart.h"
#include "skycharts/frmGeneralSky.h"

#include <QApplication>
#include <QDir>

TEST_F(LocalSkyTest, WholeSkyScreenshotForTheDocumentation)
{
    const ScreenshotFolder shots;
    const QString folder = shots.path();
    skycharts::bringSkyToInstant(Data_attuale);
    Impostazioni.Cielo_generale_griglia = true;
    Impostazioni.Cielo_generale_costellazioni_linee = true;
    Impostazioni.Cielo_generale_costellazioni_nomi = true;
    Impostazioni.Cielo_generale_pianeti = true;
    Impostazioni.Cielo_generale_pianeti_nomi = true;
    Impostazioni.Cielo_generale_sole_luna = true;
    Impostazioni.Cielo_generale_sole_luna_nomi = true;
    Impostazioni.Cielo_generale_stelle = 2906;
    frmGeneralSky sky({});
    sky.show();
    QApplication::processEvents();
    sky.resize(1100, 620);
    QApplication::processEvents();
    ASSERT_GT(sky.redrawCount(), 0);
    ASSERT_TRUE(sky.grab().save(QDir(folder).filePath(QStringLiteral("wholesky.png"))));
}

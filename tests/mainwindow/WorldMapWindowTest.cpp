// The world map as the program puts it together: opened from the Earth menu, fed by the tick,
// and a click on a secondary satellite making it principal through the active list.

#include "MainWindowTestSupport.h"

#include "common/gates.h"
#include "mainwindow/MDIForm1.h"
#include "services/WindowRegistry.h"
#include "worldmap/frmWorldMap.h"

#include <QFile>
#include <QTest>

namespace {

const QString kWorldMap = QStringLiteral("frmWorldMap");

class WorldMapInTheProgram : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(QFile::copy(QStringLiteral(QUORVANEL_DATA_DIR "/MapEarth.dat"),
                                folderFile(QStringLiteral("MapEarth.dat"))));
        openGates();
        TestOrbit second;
        second.catalogueNumber = 90002;
        second.meanAnomalyDeg = 100.0;
        loadWorkingSet({elementSet("FIRST SAT", TestOrbit{}), elementSet("SECOND SAT", second)});
    }

    void TearDown() override
    {
        forgetWindow(kWorldMap);
        TrackingModel::instance().reset();
        MainWindowTest::TearDown();
    }
};

} // namespace

TEST_F(WorldMapInTheProgram, ClickOnASecondarySatelliteMakesItPrincipal)
{
    MDIForm1& main = mainWindow();
    main.resize(1200, 800);
    main.show();
    ASSERT_TRUE(main.runCommand(QStringLiteral("mnuTerraMappaRettangolare")));
    main.tmrCentrale_Timer();
    QCoreApplication::processEvents();
    auto* map = qobject_cast<frmWorldMap*>(WindowRegistry::instance().find(kWorldMap));
    ASSERT_NE(map, nullptr);
    ASSERT_TRUE(map->isVisible());
    EXPECT_EQ(map->pictureName(), QStringLiteral("MapEarth.dat"));
    EXPECT_EQ(map->tag(), QStringLiteral("Recta"));
    ASSERT_EQ(TrackingModel::instance().snapshot().satellites.size(), 2u);

    auto* picture = map->findChild<QWidget*>(QStringLiteral("Picture1"));
    const std::optional<QPointF> second = map->mapProjection().placeToPixel(
        Valori[2].Longitudine_subsatellite, Valori[2].Latitudine_subsatellite);
    ASSERT_TRUE(second);
    QTest::mouseMove(picture, second->toPoint());
    EXPECT_EQ(map->mintSelezione(), 2);
    QTest::mouseClick(picture, Qt::LeftButton, {}, second->toPoint());
    EXPECT_EQ(Satelement[1].Nome_satellite, "Second Sat");
    EXPECT_EQ(Satelement[2].Nome_satellite, "First Sat");
    EXPECT_TRUE(pflgSatellite.isOpen());
}

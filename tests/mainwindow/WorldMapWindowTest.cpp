// The world map as the program puts it together: opened from the Earth menu, fed by the tick,
// a click on a secondary satellite making it principal through the active list, and the globe
// over a damaged picture.

#include "MainWindowTestSupport.h"

#include "common/gates.h"
#include "mainwindow/MDIForm1.h"
#include "services/mLang.h"
#include "services/WindowNames.h"
#include "services/WindowRegistry.h"
#include "worldmap/frmWorldMap.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
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

TEST_F(WorldMapInTheProgram, GlobeOverADamagedPictureTellsOnceAndDrawsWithoutIt)
{
    // A geostationary principal: the globe keeps one view, whatever the clock does.
    TestOrbit geostationary;
    geostationary.inclinationDeg = 0.0;
    geostationary.eccentricity = 0.0001;
    geostationary.meanMotionRevPerDay = 1.00273791;
    loadWorkingSet({elementSet("GEO SAT", geostationary)});
    const QByteArray whole = [] {
        QFile file(QStringLiteral(QUORVANEL_DATA_DIR "/Map90N45.dat"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    ASSERT_FALSE(whole.isEmpty());
    const struct
    {
        const char* what;
        QByteArray bytes;
    } damages[] = {
        {"cut short", whole.left(whole.size() / 3)},
        {"bytes of no picture format", QByteArray(whole.size(), '\x5a')},
    };
    MDIForm1& main = mainWindow();
    main.resize(1200, 800);
    main.show();
    main.tmrCentrale_Timer(); // the principal's place is known when the map opens
    for (const auto& damage : damages) {
        SCOPED_TRACE(damage.what);
        // Whichever view the principal needs, its picture is damaged.
        const QStringList views = QDir(QStringLiteral(QUORVANEL_DATA_DIR))
                                      .entryList({QStringLiteral("Map*.dat")}, QDir::Files);
        for (const QString& view : views) {
            if (view == QStringLiteral("MapEarth.dat"))
                continue;
            QFile file(folderFile(view));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(damage.bytes);
        }
        ASSERT_TRUE(main.runCommand(QStringLiteral("mnuTerraMappaOrtografica")));
        auto* map = qobject_cast<frmWorldMap*>(WindowRegistry::instance().find(kWorldMap));
        ASSERT_NE(map, nullptr);
        for (int second = 0; second < 90; ++second) {
            m_clock.advance(1);
            main.tmrCentrale_Timer();
            if (second % 30 == 0) { // a full redraw, as the map's Redraw command makes it
                ASSERT_TRUE(main.runCommand(QStringLiteral("mnuWorldmapRidisegnaMappa")));
            }
            if (second == 40 || second == 50) { // the clock stopped and running again
                auto* realTime = WindowRegistry::instance().find(windowNames::kTime)
                                     ->findChild<QCheckBox*>(QStringLiteral("chkUsaOraPc"));
                realTime->setChecked(!realTime->isChecked());
            }
            QCoreApplication::processEvents();
        }
        const QList<QMessageBox*> told = map->findChildren<QMessageBox*>();
        ASSERT_EQ(told.size(), 1);
        EXPECT_TRUE(told[0]->text().startsWith(mLang::Testo_lingua(u"frmWorldMap", u"erroremappa")))
            << told[0]->text().toStdString();
        EXPECT_FALSE(map->background().isNull()) << "the globe is drawn without its picture";
        WindowRegistry::instance().unload(map); // the next map tells of its pictures anew
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

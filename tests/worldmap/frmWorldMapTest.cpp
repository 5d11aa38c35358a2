// The world map window on the offscreen platform: the real pictures under the projection at
// several sizes, the satellites of the model's ticks, the pointer, the pop-up menu and the
// principal change, and its behaviour when a picture or the window size is missing.

#include "WorldMapFixture.h"

#include "common/gates.h"

#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

using namespace worldmap;

namespace {

QRgb pixelAt(const QImage& image, QPointF at)
{
    return image.pixel(std::clamp(int(at.x()), 0, image.width() - 1),
                       std::clamp(int(at.y()), 0, image.height() - 1));
}

struct Place
{
    const char* name;
    double lat;
    double lon;
    bool land;
};

// Inland places and open sea that a shifted, mirrored or mis-scaled picture would swap.
const Place kPlaces[] = {
    {"Moscow", 55.75, 37.62, true},          {"Madrid", 40.42, -3.70, true},
    {"Kano", 12.00, 8.52, true},             {"Brasilia", -15.79, -47.88, true},
    {"Denver", 39.74, -104.99, true},        {"Ulaanbaatar", 47.92, 106.92, true},
    {"central Pacific", 0.0, -150.0, false}, {"North Atlantic", 30.0, -40.0, false},
    {"Indian Ocean", -40.0, 80.0, false},    {"Tyrrhenian Sea", 40.0, 12.0, false},
};

} // namespace

TEST_F(WorldMapTest, RedrawPutsThePlacesOnTheirPixelsAtEverySize)
{
    struct Case
    {
        MapKind kind;
        QSize box;
        double principalLat, principalLon;
    };
    const Case cases[] = {
        {MapKind::Rectangular, {1280, 640}, 0, -150},  {MapKind::Rectangular, {640, 320}, 0, -150},
        {MapKind::Rectangular, {500, 400}, 0, -150},   {MapKind::Orthographic, {800, 600}, 45, 10},
        {MapKind::Orthographic, {450, 520}, 45, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.kind == MapKind::Rectangular ? "Recta " : "Ortho ")
                                          << c.box.width() << "x" << c.box.height());
        frmWorldMap& map = window(c.kind, c.box);
        plainMap();
        publish({satelliteAt(1, "Principal", "00001", c.principalLat, c.principalLon),
                 satelliteAt(2, "Atlantic", "00002", 30, -40)});
        map.Genera_mappa();
        ASSERT_TRUE(m_reports.isEmpty()) << m_reports.join(QStringLiteral("; ")).toStdString();
        const MapProjection& projection = map.mapProjection();
        const QImage& background = map.background();
        ASSERT_FALSE(background.isNull());
        int checked = 0;
        for (const Place& p : kPlaces) {
            const std::optional<QPointF> at = projection.placeToPixel(p.lon, p.lat);
            if (!at)
                continue;
            ++checked;
            EXPECT_EQ(isLand(pixelAt(background, *at)), p.land) << p.name;
        }
        EXPECT_GE(checked, 5);

        // The observer's marker at Milan, on land; the satellite's icon over the sea.
        const std::optional<QPointF> milan = projection.placeToPixel(9.19, 45.4642);
        ASSERT_TRUE(milan);
        EXPECT_EQ(pixelAt(background, *milan), qRgb(255, 255, 255));
        EXPECT_TRUE(isLand(pixelAt(background, *milan - QPointF(0, 7))));
        const std::optional<QPointF> atlantic = projection.placeToPixel(-40, 30);
        ASSERT_TRUE(atlantic);
        EXPECT_TRUE(isWater(pixelAt(background, *atlantic)));
        EXPECT_FALSE(isWater(pixelAt(map.composedMap(), *atlantic)));
    }
}

TEST_F(WorldMapTest, GlobeFollowsThePrincipalIntoAnotherView)
{
    frmWorldMap& map = window(MapKind::Orthographic);
    publish({satelliteAt(1, "P", "00001", 10, 100)});
    EXPECT_EQ(map.pictureName(), QStringLiteral("Map90.dat"));
    publish({satelliteAt(1, "P", "00001", 75, 100)});
    EXPECT_EQ(map.pictureName(), QStringLiteral("MapNorth.dat"));
    EXPECT_DOUBLE_EQ(map.mapProjection().lat0(), 90);
}

TEST_F(WorldMapTest, NightSideIsShadedAndTheDaySideIsNot)
{
    frmWorldMap& map = window(MapKind::Rectangular, {720, 360});
    plainMap();
    publish({satelliteAt(1, "P", "00001", 0, 0)});
    map.Genera_mappa();
    const QImage day = map.background();
    WorldMapDisplay options = TrackingModel::instance().worldMap();
    options.ombra = true;
    TrackingModel::instance().setWorldMap(options);
    const QImage shaded = map.background();
    // Compare brightness summed over whole columns: one column is darkened, none brightened.
    int darker = 0;
    for (int x = 0; x < day.width(); x += 10) {
        long before = 0, after = 0;
        for (int y = 0; y < day.height(); ++y) {
            before += qGray(day.pixel(x, y));
            after += qGray(shaded.pixel(x, y));
        }
        EXPECT_LE(after, before) << "column " << x;
        darker += after < before * 0.8 ? 1 : 0;
    }
    EXPECT_GT(darker, 10);
}

TEST_F(WorldMapTest, PictureThatCannotBeLoadedIsReportedOnceAndTriedAgain)
{
    QTemporaryDir program;
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORVANEL_DATA_DIR "/English.ini"),
                            program.filePath(QStringLiteral("English.ini"))));
    MyPath = program.path();
    pflgSatellite.setEnabled(true);
    bool gateOpenDuringRedraw = true;
    frmWorldMap& map = window(MapKind::Rectangular);
    map.Genera_mappa();
    map.Genera_mappa();
    EXPECT_EQ(m_reports.size(), 1);
    EXPECT_TRUE(map.pictureName().isEmpty());
    EXPECT_TRUE(pflgSatellite.isOpen());

    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORVANEL_DATA_DIR "/MapEarth.dat"),
                            program.filePath(QStringLiteral("MapEarth.dat"))));
    map.Genera_mappa();
    EXPECT_EQ(map.pictureName(), QStringLiteral("MapEarth.dat"));
    EXPECT_EQ(m_reports.size(), 1);

    // The redraw holds the satellite gate while it runs and gives it back.
    QFile::remove(program.filePath(QStringLiteral("MapEarth.dat")));
    TickGate* gate = &pflgSatellite;
    frmWorldMap::Hooks hooks;
    hooks.report = [&](const QString&) { gateOpenDuringRedraw = gate->isOpen(); };
    frmWorldMap second(TrackingModel::instance(), hooks);
    second.show();
    second.resize(400, 300);
    QCoreApplication::processEvents();
    EXPECT_FALSE(gateOpenDuringRedraw);
    EXPECT_TRUE(pflgSatellite.isOpen());
    EXPECT_EQ(pflgSatellite.holdCount(), 0);
}

TEST_F(WorldMapTest, PictureCutShortIsReportedAndNotDrawnHalfGrey)
{
    QTemporaryDir program;
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORVANEL_DATA_DIR "/English.ini"),
                            program.filePath(QStringLiteral("English.ini"))));
    QFile whole(QStringLiteral(QUORVANEL_DATA_DIR "/MapEarth.dat"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    QFile cut(program.filePath(QStringLiteral("MapEarth.dat")));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(whole.read(20000));
    cut.close();
    MyPath = program.path();
    frmWorldMap& map = window(MapKind::Rectangular);
    map.Genera_mappa();
    ASSERT_EQ(m_reports.size(), 1);
    EXPECT_TRUE(m_reports[0].startsWith(mLang::Testo_lingua(u"frmWorldMap", u"erroremappa")));
    EXPECT_TRUE(map.pictureName().isEmpty());
}

TEST_F(WorldMapTest, EmptyOrMinimisedWindowDrawsNothing)
{
    frmWorldMap& map = window(MapKind::Rectangular, {0, 0});
    map.resize(0, 0);
    QCoreApplication::processEvents();
    const qint64 shown = map.background().cacheKey();
    map.Genera_mappa();
    publish({satelliteAt(1, "P", "00001", 0, 0)});
    EXPECT_EQ(map.background().cacheKey(), shown);
    EXPECT_TRUE(m_reports.isEmpty());

    map.resize(400, 300);
    map.showMinimized();
    QCoreApplication::processEvents();
    if (map.isMinimized()) {
        const qint64 before = map.background().cacheKey();
        map.Genera_mappa();
        EXPECT_EQ(map.background().cacheKey(), before);
    }
}

TEST_F(WorldMapTest, PointerNamesTheSatelliteAndThePopupOffersItsRemoval)
{
    frmWorldMap& map = window(MapKind::Rectangular, {720, 360});
    publish({satelliteAt(1, "Principal", "00001", 0, 0),
             satelliteAt(2, "Second", "25544", 20, 40), satelliteAt(3, "Third", "00003", 24, 44)});
    auto* picture = map.findChild<QWidget*>(QStringLiteral("Picture1"));
    ASSERT_NE(picture, nullptr);
    QAction* remove = m_menu.findChild<QAction*>(QStringLiteral("mnuWorldmapRimuovi"));

    const struct
    {
        double lon, lat;
        int slot;
        bool removable;
    } cases[] = {
        {43, 23, 3, true},   // two within reach: the higher slot wins
        {39, 19, 2, true},   // 2 square degrees away
        {0.5, 0.5, 1, false}, // the principal cannot be removed
        {100, -40, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.lon << "," << c.lat);
        const QPoint at = map.mapProjection().placeToPixel(c.lon, c.lat)->toPoint();
        QTest::mouseMove(picture, at);
        EXPECT_EQ(map.mintSelezione(), c.slot);
        EXPECT_EQ(TrackingModel::instance().worldMapPick(), c.slot);
        EXPECT_EQ(picture->toolTip().startsWith(QStringLiteral("Norad# ")), c.slot > 0);
        QTest::mousePress(picture, Qt::RightButton, {}, at);
        EXPECT_EQ(remove->isEnabled(), c.removable);
        EXPECT_TRUE(m_menu.isVisible());
        m_menu.hide();
        QTest::mouseMove(picture, at + QPoint(1, 0)); // a move disables the removal again
        EXPECT_FALSE(remove->isEnabled());
    }
    // Without the data item the pointer still picks, but shows no values.
    WorldMapDisplay options = TrackingModel::instance().worldMap();
    options.datiSatellite = false;
    TrackingModel::instance().setWorldMap(options);
    QTest::mouseMove(picture, map.mapProjection().placeToPixel(40, 20)->toPoint());
    EXPECT_EQ(map.mintSelezione(), 2);
    EXPECT_TRUE(picture->toolTip().isEmpty());
}

TEST_F(WorldMapTest, ClickOnASecondarySatelliteAsksToMakeItPrincipal)
{
    frmWorldMap& map = window(MapKind::Orthographic, {600, 600});
    publish({satelliteAt(1, "Principal", "00001", 40, 10), satelliteAt(2, "Second", "00002", 30, 20),
             satelliteAt(3, "Far", "00003", -30, -170)});
    auto* picture = map.findChild<QWidget*>(QStringLiteral("Picture1"));
    const QPoint principal = map.mapProjection().placeToPixel(10, 40)->toPoint();
    const QPoint second = map.mapProjection().placeToPixel(20, 30)->toPoint();
    for (const QPoint at : {principal, QPoint(2, 2), second}) {
        QTest::mouseMove(picture, at);
        QTest::mouseClick(picture, Qt::LeftButton, {}, at);
        if (at != second) {
            EXPECT_TRUE(m_principalRequests.empty());
        }
    }
    EXPECT_EQ(m_principalRequests, std::vector<int>{2});
    // The far-side satellite cannot be picked.
    EXPECT_FALSE(map.mapProjection().placeToPixel(-170, -30));
}

TEST_F(WorldMapTest, FailureOfAnyKindInAPointerHandlerIsToldOnceAndTheMapGoesOn)
{
    // The command behind the click fails with something that is no std::exception.
    m_onPrincipalRequest = [] { throw 7; };
    frmWorldMap& map = window(MapKind::Orthographic, {600, 600});
    publish({satelliteAt(1, "Principal", "00001", 40, 10), satelliteAt(2, "Second", "00002", 30, 20)});
    auto* picture = map.findChild<QWidget*>(QStringLiteral("Picture1"));
    const QPoint second = map.mapProjection().placeToPixel(20, 30)->toPoint();
    for (int click = 0; click < 3; ++click) {
        QTest::mouseMove(picture, QPoint(2, 2));
        QTest::mouseMove(picture, second);
        QTest::mouseClick(picture, Qt::LeftButton, {}, second);
    }
    EXPECT_EQ(m_principalRequests, (std::vector<int>{2, 2, 2})) << "the map still answers";
    ASSERT_EQ(m_reports.size(), 1) << "told once";
    EXPECT_TRUE(m_reports.front().startsWith(mLang::Testo_lingua(u"frmWorldMap", u"erroredisegno")));
}

TEST_F(WorldMapTest, CaptionReadsThePointerPosition)
{
    Impostazioni.Mappamondo_localizzatore = true;
    frmWorldMap& map = window(MapKind::Rectangular, {720, 360});
    auto* picture = map.findChild<QWidget*>(QStringLiteral("Picture1"));
    const QPointF at = map.mapProjection().toPixel({-0.5, 10.25}) + QPointF(0.01, -0.01);
    QTest::mouseMove(picture, at.toPoint());
    const MapPoint read = map.mapProjection().toMapUnits(at.toPoint());
    const DegreesMinutes lon = splitDegrees(read.x), lat = splitDegrees(read.y);
    const QString caption = map.windowTitle();
    EXPECT_TRUE(caption.startsWith(QStringLiteral("World map - rectangular projection - Longitude ")))
        << caption.toStdString();
    const auto twoDigits = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    const QString longitude = QString(lon.negative ? QStringLiteral("-") : QStringLiteral("+"))
                              + twoDigits(lon.degrees) + QStringLiteral("\u00B0 ")
                              + twoDigits(lon.minutes) + QStringLiteral("m ");
    EXPECT_TRUE(lon.negative);
    EXPECT_TRUE(caption.contains(longitude)) << caption.toStdString();
    EXPECT_TRUE(caption.contains(QStringLiteral(" Latitude +%1\u00B0 ").arg(lat.degrees, 2, 10, QLatin1Char('0'))))
        << caption.toStdString();
}

TEST_F(WorldMapTest, MenuCommandsRedrawAndCloseTheMap)
{
    frmWorldMap& map = window(MapKind::Rectangular);
    publish({satelliteAt(1, "P", "00001", 0, 0)});
    const qint64 first = map.background().cacheKey();
    TrackingModel::instance().requestChartCommand(ChartKind::LocalSky, ChartCommand::Redraw);
    EXPECT_EQ(map.background().cacheKey(), first);
    TrackingModel::instance().requestChartCommand(ChartKind::WorldMap, ChartCommand::Redraw);
    const qint64 second = map.background().cacheKey();
    EXPECT_NE(second, first);
    TrackingModel::instance().announceWorldMapRedraw();
    EXPECT_NE(map.background().cacheKey(), second);

    // Hover switches do not redraw the background; a layer switch does.
    WorldMapDisplay options = TrackingModel::instance().worldMap();
    const qint64 third = map.background().cacheKey();
    options.cerchioVisibilita = !options.cerchioVisibilita;
    TrackingModel::instance().setWorldMap(options);
    EXPECT_EQ(map.background().cacheKey(), third);
    options.griglia = !options.griglia;
    TrackingModel::instance().setWorldMap(options);
    EXPECT_NE(map.background().cacheKey(), third);

    TrackingModel::instance().requestChartCommand(ChartKind::WorldMap, ChartCommand::Close);
    EXPECT_FALSE(map.isVisible());
    // Closing remembers the geometry, in twips.
    EXPECT_FALSE(mReg::Leggi_registro(u"Quorvanel", u"Mappamondo", u"Window_Width", u"").isEmpty());
}

TEST_F(WorldMapTest, DataBoxShowsThePrincipalsValuesAndZeroWithoutOne)
{
    frmWorldMap& map = window(MapKind::Rectangular);
    TickSnapshot tick;
    tick.satellites = {satelliteAt(1, "P", "00001", 0, 0)};
    tick.hasPrincipal = true;
    tick.principal.latitude = QStringLiteral("12.34\u00B0N");
    tick.principal.state = QStringLiteral("Visible");
    TrackingModel::instance().publishTick(tick);
    const auto label = [&](const char* name) {
        return map.findChild<QLabel*>(QString::fromLatin1(name))->text();
    };
    EXPECT_EQ(label("lblLatitude"), QStringLiteral("12.34\u00B0N"));
    EXPECT_EQ(label("lblState"), QStringLiteral("Visible"));
    EXPECT_EQ(label("lblLat"), QStringLiteral("Latitude"));
    publish({});
    EXPECT_EQ(label("lblLatitude"), QStringLiteral("0"));
    EXPECT_EQ(label("lblTrasm"), QStringLiteral("0"));
    EXPECT_TRUE(label("lblState").isEmpty());
    EXPECT_TRUE(label("lblMagnitude").isEmpty());

    // A map opened while the clock stands still shows the last tick's values at once.
    TrackingModel::instance().publishTick(tick);
    const frmWorldMap& opened = window(MapKind::Rectangular);
    EXPECT_EQ(opened.findChild<QLabel*>(QStringLiteral("lblLatitude"))->text(),
              tick.principal.latitude);
}

TEST_F(WorldMapTest, OpensAtItsDesignSizeWhenPositionsAreNotKept)
{
    mReg::Scrivi_registro(u"Quorvanel", u"Mappamondo", u"Window_Width", u"9000");
    Impostazioni.Posizioni_finestre = false;
    for (const MapKind kind : {MapKind::Rectangular, MapKind::Orthographic}) {
        QMdiArea area;
        area.resize(1200, 900);
        area.show();
        frmWorldMap::Hooks hooks;
        hooks.report = [this](const QString& text) { m_reports.push_back(text); };
        auto* map = new frmWorldMap(TrackingModel::instance(), hooks);
        map->setProjection(kind);
        QMdiSubWindow* frame = area.addSubWindow(map);
        frame->show();
        QCoreApplication::processEvents();
        // 10665 x 6870 twips, the whole document window.
        EXPECT_EQ(frame->size(), QSize(711, 458)) << static_cast<int>(kind);
    }
}

TEST_F(WorldMapTest, RemembersItsGeometryInTwips)
{
    for (const auto& [key, value] : {std::pair{u"Window_Left", u"1500"}, std::pair{u"Window_Top", u"750"},
                                     std::pair{u"Window_Width", u"9000"}, std::pair{u"Window_Height", u"6000"}})
        mReg::Scrivi_registro(u"Quorvanel", u"Mappamondo", key, value);
    Impostazioni.Posizioni_finestre = true;
    frmWorldMap::Hooks hooks;
    hooks.report = [this](const QString& text) { m_reports.push_back(text); };
    auto map = std::make_unique<frmWorldMap>(TrackingModel::instance(), hooks);
    map->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(map->size(), QSize(600, 400));
    map->resize(750, 450);
    map->close();
    EXPECT_EQ(mReg::Leggi_registro(u"Quorvanel", u"Mappamondo", u"Window_Width", u""), QStringLiteral("11250"));
    EXPECT_EQ(mReg::Leggi_registro(u"Quorvanel", u"Mappamondo", u"Window_Height", u""), QStringLiteral("6750"));
}

// The documentation's picture of the live tracking windows: the tracking table on its radio
// tab and the data bar over the world map, with real element sets (gpredict's satellites.dat)
// and the program's frequency table (support/ScreenshotFolder.h). tools/screenshots.sh runs it
// under Xvfb, where the screen is grabbed as the user sees it; on another platform the windows
// are drawn one over another where they stand.

#include "WorldMapFixture.h"

#include "worldmap/frmFloating.h"
#include "worldmap/frmTrack.h"

#include "tracking/ReferenceData.h"
#include "tracking/TickTexts.h"

#include <QDir>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QScreen>
#include <QTabWidget>

#include <algorithm>
#include <initializer_list>

using namespace worldmap;

namespace {

constexpr int kSatellitesOnTheMap = 30;

class TrackingScreenshots : public WorldMapScreenshotTest
{
protected:
    void SetUp() override
    {
        WorldMapScreenshotTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(Carica_archivi().ok());
        readStatusNames();
    }

    /// The ISS as principal, then the satellites the frequency table knows, then others.
    void loadSatellites()
    {
        std::vector<std::string> withFrequencies;
        for (std::size_t row = 1; row < Tabella_frequenze.size(); ++row)
            withFrequencies.push_back(Tabella_frequenze[row].Riga0);
        const auto number = [](const Record_TLE& set) { return set.Riga1.substr(2, 5); };
        const auto known = [&](const Record_TLE& set) {
            return std::find(withFrequencies.begin(), withFrequencies.end(), number(set)) !=
                   withFrequencies.end();
        };
        int slot = 1;
        const auto add = [&](const Record_TLE& set) {
            if (slot <= kSatellitesOnTheMap &&
                mSat::Estrai_Dati_Satellite(slot, set.Riga0, set.Riga1, set.Riga2) ==
                    mSat::Status::Ok)
                ++slot;
        };
        for (const Record_TLE& set : m_sets)
            if (number(set) == "25544")
                add(set);
        ASSERT_EQ(slot, 2);
        for (const Record_TLE& set : m_sets)
            if (known(set) && number(set) != "25544")
                add(set);
        for (const Record_TLE& set : m_sets)
            if (!known(set))
                add(set);
        Numero_satelliti = static_cast<std::int16_t>(slot - 1);
    }

    /// The first minute within a day of `start` at which the principal is well above the
    /// observer's horizon.
    static double principalOverhead(double start)
    {
        for (int minute = 0; minute < 1440; ++minute) {
            const double jd = start + minute / 1440.0;
            if (mSat::Calcola_satellite(1, jd) == mSat::Status::Ok && Valori[1].Elevazione > 25)
                return jd;
        }
        return start;
    }
};

} // namespace

TEST_F(TrackingScreenshots, TableAndDataBarOverTheWorldMap)
{
    loadSatellites();
    const double julianDate = principalOverhead(Satelement[1].Epoca_giuliana + 0.5);

    // The main window's document area with the world map in it, as the program shows it.
    QMdiArea area;
    area.setGeometry(0, 0, 1400, 900);
    frmWorldMap& map = window(MapKind::Rectangular, {1100, 550});
    m_window.release(); // owned by its frame in the document area from here on
    QMdiSubWindow* frame = area.addSubWindow(&map);
    WorldMapDisplay options = TrackingModel::instance().worldMap();
    options.griglia = options.cerchioVisibilita = options.tracciatoOrbita = true;
    options.riquadroDati = false;
    TrackingModel::instance().setWorldMap(options);
    area.show();
    frame->setGeometry(0, 0, 1400, 900);

    frmTrack table;
    frmFloating bar;
    TickSnapshot tick = snapshotOfSlots(julianDate);
    const Posizione_satellite& p = tick.satellites.front().state;
    const mAstro::SexagesimalEquatorial equatorial = mAstro::horizontalToEquatorial(
        p.Azimut * 0.0174532925, p.Elevazione * 0.0174532925, Osservatore.Latitudine_osservatore,
        tick.time.Tempo_siderale_locale);
    tick.principal = principalTexts(p, Satelement[1], Impostazioni.Canale_selezionato[0],
                                    equatorial, statusName(p.Stato));
    tick.satellitesUpdated = true;
    TrackingModel::instance().publishTick(std::move(tick));
    map.Genera_mappa();

    table.SSTab1->setCurrentIndex(3);
    table.show();
    table.move(40, 900 - table.height() - 20);
    bar.show();
    bar.move(1400 - bar.width() - 30, 60);
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();

    QPixmap screen;
    if (QGuiApplication::platformName() == u"xcb") {
        screen = QGuiApplication::primaryScreen()->grabWindow(0, 0, 0, 1400, 900);
    } else {
        screen = QPixmap(1400, 900);
        screen.fill(Qt::black);
        QPainter painter(&screen);
        for (QWidget* shown : std::initializer_list<QWidget*>{&area, &table, &bar})
            painter.drawPixmap(shown->geometry().topLeft(), shown->grab());
    }
    ASSERT_TRUE(QDir().mkpath(m_folder));
    EXPECT_TRUE(screen.save(QDir(m_folder).filePath(QStringLiteral("tracking-table.png"))));
    EXPECT_TRUE(m_reports.isEmpty()) << m_reports.join(QStringLiteral("; ")).toStdString();
    delete frame;
}

// Pictures of the world map with real satellites for the documentation: written only when
// QUORVANEL_SCREENSHOTS names a folder (tools/screenshots.sh sets it).

#include "WorldMapFixture.h"

#include <QDir>

using namespace worldmap;

namespace {

/// The first instant from `start` (in one-minute steps, at most two days) at which slot 1's
/// sub-point satisfies `wanted`.
template <class Wanted> double firstInstant(double start, Wanted wanted)
{
    for (int minute = 0; minute < 2 * 1440; ++minute) {
        const double jd = start + minute / 1440.0;
        if (mSat::Calcola_satellite(1, jd) == mSat::Status::Ok
            && wanted(Valori[1].Latitudine_subsatellite, Valori[1].Longitudine_subsatellite))
            return jd;
    }
    return start;
}

class WorldMapScreenshots : public WorldMapScreenshotTest
{
protected:
    /// The principal (by catalogue number) in slot 1 and 29 other real satellites after it.
    void loadSatellites(const std::string& principal)
    {
        int slot = 1;
        const auto add = [&](const Record_TLE& set) {
            if (mSat::Estrai_Dati_Satellite(slot, set.Riga0, set.Riga1, set.Riga2) == mSat::Status::Ok)
                ++slot;
        };
        for (const Record_TLE& set : m_sets) {
            if (set.Riga1.substr(2, 5) == principal)
                add(set);
        }
        ASSERT_EQ(slot, 2) << principal;
        for (const Record_TLE& set : m_sets) {
            if (slot > 30)
                break;
            if (set.Riga1.substr(2, 5) != principal)
                add(set);
        }
        Numero_satelliti = static_cast<std::int16_t>(slot - 1);
    }

    void shoot(MapKind kind, double julianDate, const QString& file)
    {
        frmWorldMap& map = window(kind, {1100, 550});
        WorldMapDisplay options = TrackingModel::instance().worldMap();
        options.griglia = options.cerchioVisibilita = options.tracciatoOrbita = true;
        options.riquadroDati = true;
        TrackingModel::instance().setWorldMap(options);
        map.resize(1100 + 130, 552);
        TickSnapshot tick = snapshotOfSlots(julianDate);
        ASSERT_GE(tick.satellites.size(), 20u);
        TrackingModel::instance().publishTick(std::move(tick));
        map.Genera_mappa();
        QCoreApplication::processEvents();
        ASSERT_TRUE(QDir().mkpath(m_folder));
        EXPECT_TRUE(map.grab().save(QDir(m_folder).filePath(file)));
        EXPECT_TRUE(m_reports.isEmpty()) << m_reports.join(QStringLiteral("; ")).toStdString();
    }
};

} // namespace

TEST_F(WorldMapScreenshots, RectangularOrthographicAndPolar)
{
    loadSatellites("25544");
    const double epoch = Satelement[1].Epoca_giuliana;
    shoot(MapKind::Rectangular, epoch + 0.3, QStringLiteral("worldmap-rect.png"));
    const double overEurope = firstInstant(epoch, [](double lat, double lon) {
        return lat > 35 && lat < 45 && lon > 0 && lon < 15;
    });
    shoot(MapKind::Orthographic, overEurope, QStringLiteral("worldmap-ortho.png"));

    loadSatellites("33591"); // NOAA 19, in a polar orbit
    const double overArctic = firstInstant(Satelement[1].Epoca_giuliana,
                                           [](double lat, double) { return lat > 78; });
    shoot(MapKind::Orthographic, overArctic, QStringLiteral("worldmap-polar.png"));
}

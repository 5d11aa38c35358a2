#pragma once
// Test support of the world map window: the installation data as program folder, an option
// store in a temporary folder, the English language file, the tracking model back at its
// start, and satellites put into the model's snapshot as a tick would.

#include "ElementSetFixtures.h"
#include "support/RequiredData.h"
#include "support/ScreenshotFolder.h"

#include "worldmap/frmWorldMap.h"

#include "core/ElementSet.h"
#include "core/mSat.h"
#include "services/ProgramFolder.h"
#include "services/mLang.h"
#include "services/mReg.h"

#include <QCoreApplication>
#include <QMenu>
#include <QTemporaryDir>

#include <memory>

/// Sea in the NASA pictures is dark to light blue; land green, brown, sand or ice white.
inline bool isWater(QRgb c)
{
    return qBlue(c) > qRed(c) + 25 && qBlue(c) >= qGreen(c);
}

inline bool isLand(QRgb c)
{
    return !isWater(c) && std::max({qRed(c), qGreen(c), qBlue(c)}) >= 24;
}

/// A satellite computed in this tick at a sub-point, at ISS height.
inline TrackedSatellite satelliteAt(int slot, const std::string& name, const std::string& number,
                                    double lat, double lon)
{
    TrackedSatellite satellite;
    satellite.slot = slot;
    satellite.name = name;
    satellite.catalogueNumber = number;
    satellite.fresh = true;
    Posizione_satellite& s = satellite.state;
    s.Latitudine_subsatellite = s.Latitudine_proiezione = lat;
    s.Longitudine_subsatellite = lon;
    s.Longitudine_est = lon < 0 ? lon + 360 : lon;
    s.Distanza_geocentrica = 6778.0;
    s.Quota = 400.0;
    s.Velocita = 7.66;
    s.Periodo = 5550;
    return satellite;
}

/// The satellites of slots 1..Numero_satelliti computed at `julianDate`, as a tick publishes
/// them.
inline TickSnapshot snapshotOfSlots(double julianDate)
{
    TickSnapshot tick;
    tick.time = mAstro::timeStateAt(mAstro::Data_da_giuliano(julianDate), Osservatore);
    for (int slot = 1; slot <= Numero_satelliti; ++slot) {
        TrackedSatellite satellite;
        satellite.slot = slot;
        satellite.name = Satelement[slot].Nome_satellite;
        satellite.catalogueNumber = Satelement[slot].Numero_catalogo;
        satellite.fresh = mSat::Calcola_satellite(slot, julianDate) == mSat::Status::Ok;
        satellite.state = Valori[slot];
        tick.satellites.push_back(satellite);
    }
    tick.hasPrincipal = !tick.satellites.empty();
    if (tick.hasPrincipal) {
        const Posizione_satellite& p = tick.satellites.front().state;
        const mAstro::SexagesimalEquatorial equatorial = mAstro::horizontalToEquatorial(
            p.Azimut * 0.0174532925, p.Elevazione * 0.0174532925, Osservatore.Latitudine_osservatore,
            tick.time.Tempo_siderale_locale);
        tick.principal = principalTexts(p, Satelement[1], 1, equatorial, QString());
    }
    return tick;
}

class WorldMapTest : public SharedStateTest
{
protected:
    void SetUp() override
    {
        SharedStateTest::SetUp();
        ASSERT_TRUE(m_store.isValid());
        m_savedPath = MyPath;
        MyPath = QStringLiteral(QUORVANEL_DATA_DIR);
        mReg::setStoreFile(m_store.filePath(QStringLiteral("options.ini")));
        Impostazioni.File_lingua = "English.ini";
        mLang::Lingua_caricata = false;
        Osservatore.Nome_localita = "Milano";
        Osservatore.Latitudine_osservatore = 45.4642;
        Osservatore.Longitudine_osservatore = 9.19;
        TrackingModel::instance().reset();
        for (const char* name : {"mnuWorldmapRimuovi", "mnuWorldmapRidisegnaMappa", "mnuWorldmapChiudi"}) {
            auto* action = m_menu.addAction(QString::fromLatin1(name));
            action->setObjectName(QString::fromLatin1(name));
        }
    }

    void TearDown() override
    {
        m_window.reset();
        TrackingModel::instance().reset();
        MyPath = m_savedPath;
        mReg::setStoreFile(QString());
        mLang::Lingua_caricata = false;
        SharedStateTest::TearDown();
    }

    /// The map window of that projection, shown with a map box of about `box` pixels.
    frmWorldMap& window(worldmap::MapKind kind, QSize box = QSize(720, 360))
    {
        frmWorldMap::Hooks hooks;
        hooks.popupMenu = &m_menu;
        hooks.makePrincipal = [this](int slot) {
            m_principalRequests.push_back(slot);
            if (m_onPrincipalRequest)
                m_onPrincipalRequest();
        };
        hooks.report = [this](const QString& text) { m_reports.push_back(text); };
        m_window = std::make_unique<frmWorldMap>(TrackingModel::instance(), hooks);
        m_window->setProjection(kind);
        m_window->show();
        m_window->resize(box + QSize(1, 2));
        QCoreApplication::processEvents();
        return *m_window;
    }

    static void publish(std::vector<TrackedSatellite> satellites)
    {
        TickSnapshot tick;
        tick.time = mAstro::timeStateAt(45000.5, Osservatore);
        tick.hasPrincipal = !satellites.empty();
        tick.satellites = std::move(satellites);
        TrackingModel::instance().publishTick(std::move(tick));
    }

    /// Options with the layers that cover the picture switched off.
    static void plainMap()
    {
        WorldMapDisplay options = TrackingModel::instance().worldMap();
        options.griglia = options.ombra = options.terminatore = options.sole = false;
        options.nomeCitta = options.riquadroDati = options.tracciatoOrbita = false;
        options.cerchioVisibilita = false;
        TrackingModel::instance().setWorldMap(options);
    }

    QTemporaryDir m_store;
    QString m_savedPath;
    QMenu m_menu;
    std::unique_ptr<frmWorldMap> m_window;
    std::vector<int> m_principalRequests;
    std::function<void()> m_onPrincipalRequest; ///< run after each request is recorded
    QStringList m_reports;
};

/// A documentation picture (support/ScreenshotFolder.h) with gpredict's element sets.
class WorldMapScreenshotTest : public WorldMapTest
{
protected:
    void SetUp() override
    {
        WorldMapTest::SetUp();
        m_folder = m_shots.path();
        const auto sets = gpredictSets();
        if (!sets)
            SKIP_OR_FAIL_WITHOUT_DATA("gpredict's satellites.dat is not installed");
        m_sets = *sets;
    }

    ScreenshotFolder m_shots;
    QString m_folder;
    std::vector<Record_TLE> m_sets;
};

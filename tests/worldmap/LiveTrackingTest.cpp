// The tracking table's rows, paging and channel choice, and the orbit derived from an
// element set for the orbital-elements texts.

#include "worldmap/ElementTexts.h"
#include "worldmap/TrackRows.h"
#include "worldmap/frmChannel.h"
#include "worldmap/frmFloating.h"
#include "worldmap/frmTrack.h"

#include "common/options.h"
#include "common/satellite_slots.h"
#include "controls/GraphButton/GraphButton.h"
#include "services/WindowRegistry.h"
#include "services/mReg.h"
#include "tracking/TrackingModel.h"

#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QLocale kC = QLocale::c();

struct DopplerCase
{
    const char* down;
    const char* up;
    double rangeRate;
    const char* reception;
    const char* transmission;
};

class DopplerTest : public ::testing::TestWithParam<DopplerCase>
{
};

TEST_P(DopplerTest, ShiftsDownlinkAndUplinkOppositeWays)
{
    const DopplerCase& c = GetParam();
    Elemento_satellite elements;
    elements.Frequenze_downlink[2] = c.down;
    elements.Frequenze_uplink[2] = c.up;
    Posizione_satellite valori;
    valori.Variazione_distanza = c.rangeRate;
    const TrackRowTexts row =
        trackRowTexts("Sat", valori, elements, 2, mAstro::SexagesimalEquatorial{}, {}, kC);
    EXPECT_EQ(row.reception.toStdString(), c.reception);
    EXPECT_EQ(row.transmission.toStdString(), c.transmission);
}

// Band edges of the amateur 2 m and 70 cm bands; +7 km/s receding, -7 km/s approaching.
INSTANTIATE_TEST_SUITE_P(BandEdges, DopplerTest,
                         ::testing::Values(DopplerCase{"145.800", "435.000", 7.0, "145.7966", "435.0102"},
                                           DopplerCase{"146.000", "438.000", -7.0, "146.0034", "437.9898"},
                                           DopplerCase{"144.000", "430.000", 0.0, "144.0000", "430.0000"},
                                           DopplerCase{"", "", 7.0, "0", "0"}));

TEST(TrackRows, FreeSlotAndChannelOutsideTheTable)
{
    Elemento_satellite elements;
    elements.Frequenze_downlink[1] = "137.100";
    const TrackRowTexts free =
        trackRowTexts("", Posizione_satellite{}, elements, 0, mAstro::SexagesimalEquatorial{}, {}, kC);
    EXPECT_EQ(free.rightAscension, QStringLiteral("0"));
    EXPECT_EQ(free.declination, QStringLiteral("0"));
    EXPECT_EQ(free.downlink, QStringLiteral("137.1000")) << "channel 0 reads as channel 1";
    EXPECT_EQ(free.uplink, QStringLiteral("0"));
}

TEST(TrackPaging, AtOneTenElevenAndTwoHundredSatellites)
{
    const std::pair<int, int> lastPage[] = {{1, 1}, {10, 1}, {11, 2}, {150, 141}, {200, 191}};
    for (const auto& [count, row] : lastPage)
        EXPECT_EQ(trackPaging::last(count), row) << count;
    EXPECT_FALSE(trackPaging::next(kLastFirstRow));
    EXPECT_EQ(trackPaging::next(190), 191);
    EXPECT_FALSE(trackPaging::previous(1));
    EXPECT_EQ(trackPaging::previous(2), 1);
}

TEST(ChannelLines, FreeChannelsReadZero)
{
    Elemento_satellite elements;
    elements.Frequenze_downlink[1] = "145.8";
    elements.Frequenze_uplink[3] = "437.8";
    const QStringList lines = channelLines(elements, kC);
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[0], QStringLiteral("   145.8000\t000.0000"));
    EXPECT_EQ(lines[1], QStringLiteral("   000.0000\t000.0000"));
    EXPECT_EQ(lines[2], QStringLiteral("   000.0000\t437.8000"));
}

struct OrbitCase
{
    double meanMotion, eccentricity;
    double semiMajor, semiMinor, periodMinutes, apogee, perigee;
};

TEST(DerivedOrbit, SpacetrackReport3Sets)
{
    // 88888 (near Earth) and 11801 (deep space, period about 630 minutes in the report).
    const OrbitCase cases[] = {
        {16.05824518, 0.0086731, 6636.4615, 6636.2119, 89.6736, 315.8852, 200.7678},
        {2.28537848, 0.7318036, 24346.1270, 16592.2649, 630.0926, 35784.5753, 151.4086},
        {15.5, 0.001, 6794.8651, 6794.8617, 92.9032, 423.5250, 409.9352},
    };
    for (const OrbitCase& c : cases) {
        const std::optional<DerivedOrbit> orbit = derivedOrbit(c.meanMotion, c.eccentricity);
        ASSERT_TRUE(orbit);
        EXPECT_NEAR(orbit->semiMajorKm, c.semiMajor, 1e-3);
        EXPECT_NEAR(orbit->semiMinorKm, c.semiMinor, 1e-3);
        EXPECT_NEAR(orbit->periodSeconds / 60, c.periodMinutes, 1e-3);
        EXPECT_NEAR(orbit->apogeeHeightKm, c.apogee, 1e-3);
        EXPECT_NEAR(orbit->perigeeHeightKm, c.perigee, 1e-3);
        // Apogee and perigee distances add up to the major axis.
        EXPECT_NEAR(orbit->apogeeHeightKm + orbit->perigeeHeightKm + 2 * 6378.135,
                    2 * orbit->semiMajorKm, 1e-6);
    }
    EXPECT_FALSE(derivedOrbit(0, 0.001));
    EXPECT_FALSE(derivedOrbit(15.5, 1.0));
}

class ChannelChoiceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_store.isValid());
        mReg::setStoreFile(m_store.filePath(QStringLiteral("options.ini")));
        WindowRegistry::instance().define(QStringLiteral("frmTrack"), WindowLifetime::UnloadOnClose,
                                          [] { return new frmTrack(); });
        WindowRegistry::instance().define(QStringLiteral("frmChannel"),
                                          WindowLifetime::UnloadOnClose,
                                          [] { return new frmChannel(); });
        Satelement[3].Frequenze_downlink[4] = "145.825";
    }
    void TearDown() override
    {
        for (QWidget* window : WindowRegistry::instance().loadedWindows())
            WindowRegistry::instance().unload(window);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        mReg::setStoreFile({});
        Impostazioni = m_options;
        Impostazioni_salvate = m_snapshot;
        Satelement[3] = {};
    }

    Opzioni m_options = Impostazioni;
    Opzioni m_snapshot = Impostazioni_salvate;
    QTemporaryDir m_store;
};

TEST_F(ChannelChoiceTest, OkSetsTheRowChannelAndKeepsIt)
{
    auto* table = WindowRegistry::instance().form<frmTrack>(QStringLiteral("frmTrack"));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->cmdCanale[2]->Caption(), QStringLiteral("Ch. 1"));
    table->cmdCanale_Click(2);
    auto* chooser = qobject_cast<frmChannel*>(WindowRegistry::instance().find(QStringLiteral("frmChannel")));
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->gintNumeroSatellite, 3);
    chooser->List1->setCurrentRow(3);
    chooser->cmdOK_Click();
    EXPECT_EQ(Impostazioni.Canale_selezionato[2], 4);
    EXPECT_EQ(table->cmdCanale[2]->Caption(), QStringLiteral("Ch. 4"));
    EXPECT_EQ(table->cmdCanale[1]->Caption(), QStringLiteral("Ch. 1"));
    EXPECT_EQ(mReg::Leggi_registro(u"Quorvanel", u"Radio", u"Canale3", u"1"), QStringLiteral("4"));
    EXPECT_EQ(Impostazioni_salvate.Canale_selezionato[2], 4) << "stored, so no unsaved change";
}

TEST_F(ChannelChoiceTest, OkAfterTheTableClosedOpensNoTable)
{
    auto* table = WindowRegistry::instance().form<frmTrack>(QStringLiteral("frmTrack"));
    table->cmdCanale_Click(5);
    auto* chooser = qobject_cast<frmChannel*>(WindowRegistry::instance().find(QStringLiteral("frmChannel")));
    WindowRegistry::instance().unload(table);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    chooser->List1->setCurrentRow(6);
    chooser->cmdOK_Click();
    EXPECT_EQ(Impostazioni.Canale_selezionato[5], 7);
    EXPECT_FALSE(WindowRegistry::instance().isLoaded(QStringLiteral("frmTrack")));
}

TEST(DataBar, FollowsThePrincipalAndEmptiesWithTheActiveList)
{
    frmFloating bar;
    TickSnapshot tick;
    tick.satellites.push_back(TrackedSatellite{});
    tick.hasPrincipal = true;
    tick.principal.latitude = QStringLiteral("43.27\u00B0N");
    tick.principal.state = QStringLiteral("Visible");
    TrackingModel::instance().publishTick(tick);
    EXPECT_EQ(bar.lblLatitude->text(), tick.principal.latitude);
    EXPECT_EQ(bar.lblState->text(), QStringLiteral("Visible"));

    // A tick that did not compute the satellites keeps the values in sight.
    TickSnapshot gated = tick;
    gated.hasPrincipal = false;
    TrackingModel::instance().publishTick(gated);
    EXPECT_EQ(bar.lblLatitude->text(), tick.principal.latitude);

    // The last satellite removed: nobody's values stay on the bar.
    TrackingModel::instance().publishTick(TickSnapshot{});
    EXPECT_EQ(bar.lblLatitude->text(), QStringLiteral("0"));
    EXPECT_TRUE(bar.lblState->text().isEmpty());
}

} // namespace

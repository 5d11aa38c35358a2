// The principal satellite's pass over the local sky: how it is sampled, where it ends, its
// colours, and the command that computes and draws it.

#include "ChartProbes.h"
#include "MainWindowTestSupport.h"

#include "common/gates.h"
#include "common/program_time.h"
#include "core/DateValue.h"
#include "core/mAstro.h"
#include "core/mSat.h"
#include "mainwindow/MDIForm1.h"
#include "skycharts/TransitTrack.h"
#include "services/WindowNames.h"
#include "tracking/TrackingModel.h"

#include <QAction>

#include <cmath>
#include <memory>

namespace {

constexpr double kNow = 46364.5; // 2026-12-08 12:00 local
constexpr double kChartTolerance = 1e-3;

double secondsAfterNow(double date)
{
    return (DateValue::toLinearDays(date) - DateValue::toLinearDays(kNow)) * 86400.0;
}

QPointF polar(double azimuthDeg, double elevationDeg)
{
    const double radius = 90.0 - elevationDeg;
    return {radius * std::sin(azimuthDeg * 0.0174532925),
            radius * std::cos(azimuthDeg * 0.0174532925)};
}

std::string timeText(double date)
{
    return std::to_string(std::lround(secondsAfterNow(date)));
}

/// A satellite that climbs down from 20 degrees and sets `setAfter` seconds from now.
TransitSampler setting(double setAfter)
{
    return [setAfter](double date) {
        Posizione_satellite v;
        v.Azimut = 180.0 + secondsAfterNow(date) / 10.0;
        v.Elevazione = 20.0 * (1.0 - secondsAfterNow(date) / setAfter);
        v.Stato = kStatoVisibile;
        v.Magnitudine = 2.5;
        return v;
    };
}

TransitTrackResult track(double period, const TransitSampler& sample)
{
    const Posizione_satellite present = sample(kNow).value();
    return computeTransitTrack(kNow, period, polar(present.Azimut, present.Elevazione), sample,
                               polar, timeText);
}

TEST(TransitTrackSamples, PassSettingInFourMinutesGivesEightSamplesAndAHorizonPoint)
{
    // A 5400 s period is sampled every 30 s; the satellite sets 230 s from now.
    const TransitTrackResult pass = track(5400, setting(230));
    ASSERT_EQ(pass.points.size(), 1u + 9u);
    for (int k = 1; k <= 8; ++k) {
        EXPECT_EQ(pass.points[k].Ora, std::to_string(30 * (k - 1))) << k;
        EXPECT_GE(pass.points[k].Elevazione, 0.0) << k;
        EXPECT_EQ(pass.points[k].Magnitudine, "2.5") << k;
    }
    const Punto_traccia& horizon = pass.points[9];
    EXPECT_NEAR(std::hypot(horizon.X_mappa, horizon.Y_mappa), 90.0, kChartTolerance);
    EXPECT_EQ(horizon.Ora, "");
    EXPECT_EQ(horizon.Magnitudine, "");
    EXPECT_EQ(horizon.Azimut, 0.0);
    EXPECT_EQ(horizon.Elevazione, 0.0);

    ASSERT_EQ(pass.legs.size(), 9u);
    EXPECT_EQ(pass.legs.front().from, pass.legs.front().to) << "the first sample is now";
    EXPECT_FALSE(pass.legs.back().dot);
    EXPECT_NEAR(pass.legs.back().to.x(), horizon.X_mappa, kChartTolerance);
}

TEST(TransitTrackSamples, SatelliteThatNeverSetsIsSampledForOneFullPeriod)
{
    const TransitSampler alwaysUp = [](double) {
        Posizione_satellite v;
        v.Azimut = 170.0;
        v.Elevazione = 37.0;
        v.Stato = kStatoIlluminato;
        v.Magnitudine = std::string("???");
        return v;
    };
    // A step of 30 s exactly reaches the period's end after 180 samples; a step that rounds
    // down to whole seconds (86100 / 180 = 478.3 s taken as 478 s) needs one more.
    EXPECT_EQ(track(5400, alwaysUp).points.size(), 1u + 180u);
    const TransitTrackResult geo = track(86100, alwaysUp);
    ASSERT_EQ(geo.points.size(), 1u + 181u);
    EXPECT_EQ(geo.points.back().Elevazione, 37.0) << "no horizon point";
    EXPECT_EQ(geo.points.back().Magnitudine, "???");
    EXPECT_EQ(geo.points.back().Ora, std::to_string(180 * 478));
    EXPECT_TRUE(geo.legs.back().dot);
}

TEST(TransitTrackSamples, EclipsedStretchesAreRedWithoutMagnitudeAndSunlitOnesYellow)
{
    const TransitSampler blinking = [](double date) {
        Posizione_satellite v;
        v.Elevazione = 30.0;
        const bool eclipsed = std::lround(secondsAfterNow(date) / 30.0) % 2 == 1;
        v.Stato = eclipsed ? kStatoEclisse : kStatoVisibile;
        v.Magnitudine = eclipsed ? Magnitude{std::string()} : Magnitude{1.25};
        return v;
    };
    const TransitTrackResult pass = track(5400, blinking);
    ASSERT_GE(pass.legs.size(), 3u);
    EXPECT_EQ(pass.legs[0].colour, QColor(255, 255, 0));
    EXPECT_EQ(pass.legs[1].colour, QColor(255, 0, 0));
    EXPECT_EQ(pass.points[1].Magnitudine, "1.25");
    EXPECT_EQ(pass.points[2].Magnitudine, "");
}

TEST(TransitTrackSamples, InstantsThatCannotBeComputedGiveNoSampleAndTheTrackGoesOn)
{
    // Every third instant from the second on cannot be computed.
    const TransitSampler base = setting(230);
    const TransitSampler failing = [&base](double date) -> std::optional<Posizione_satellite> {
        if (std::lround(secondsAfterNow(date) / 30.0) % 3 == 1)
            return std::nullopt;
        return base(date);
    };
    const TransitTrackResult pass = track(5400, failing);
    // Of the eight instants above the horizon (0 .. 210 s) those at 30, 120 and 210 s fail;
    // the one at 240 s finds the satellite set.
    ASSERT_EQ(pass.points.size(), 1u + 5u + 1u);
    const std::vector<std::string> times{"0", "60", "90", "150", "180"};
    for (std::size_t k = 0; k < times.size(); ++k)
        EXPECT_EQ(pass.points[k + 1].Ora, times[k]) << k;
    for (std::size_t k = 2; k < pass.points.size(); ++k)
        EXPECT_NE(pass.points[k].X_mappa, pass.points[k - 1].X_mappa) << "no repeated point " << k;
    EXPECT_EQ(pass.points.back().Ora, "") << "the horizon point closes the track";
    ASSERT_EQ(pass.legs.size(), pass.points.size() - 1);
    EXPECT_EQ(pass.legs[1].from, pass.legs[0].to) << "the track joins the samples it has";
}

TEST(TransitTrackSamples, PeriodTooShortForWholeSecondStepsGivesNoTrack)
{
    EXPECT_EQ(track(0, setting(230)).points.size(), 1u);
    EXPECT_EQ(track(std::nan(""), setting(230)).points.size(), 1u);
    EXPECT_EQ(track(100, setting(230)).points.size(), 1u);
}

class TransitCommand : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        openGates();
        mainWindow().tmrCentrale_Timer();
        m_sky = std::make_unique<LoadedWindow>(windowNames::kLocalSky);
    }
    void TearDown() override
    {
        m_sky.reset();
        MainWindowTest::TearDown();
    }

    /// A geostationary principal placed where it stands highest over the observer.
    void geostationaryPrincipal()
    {
        TestOrbit geo;
        geo.inclinationDeg = 0.05;
        geo.eccentricity = 0.0002;
        geo.meanMotionRevPerDay = 1.00273791;
        double best = -90;
        for (double anomaly = 0; anomaly < 360; anomaly += 10) {
            geo.meanAnomalyDeg = anomaly;
            loadWorkingSet({elementSet("GEO SAT", geo)});
            mSat::Calcola_satellite(1, mAstro::Data_giuliana);
            best = std::max(best, Valori[1].Elevazione);
            if (Valori[1].Elevazione >= best - 1e-9)
                m_bestAnomaly = anomaly;
        }
        geo.meanAnomalyDeg = m_bestAnomaly;
        loadWorkingSet({elementSet("GEO SAT", geo)});
        mSat::Calcola_satellite(1, mAstro::Data_giuliana);
        ASSERT_GT(Valori[1].Elevazione, 10.0);
    }

    bool ticked(const char* item)
    {
        return mainWindow().menuItem(QString::fromLatin1(item))->isChecked();
    }

    std::unique_ptr<LoadedWindow> m_sky;
    ChartCommandRecorder m_charts;
    double m_bestAnomaly = 0;
};

TEST_F(TransitCommand, OnShowsTheTrackAndTheLabelModeOffTakesBothAway)
{
    geostationaryPrincipal();
    mainWindow().mnuLocalSkyTransitoPrincipale_Click();
    EXPECT_TRUE(ticked("mnuLocalSkyTransitoPrincipale"));
    EXPECT_TRUE(ticked("mnuLocalSkyTempi"));
    EXPECT_TRUE(TrackingModel::instance().localSky().transitoPrincipale);
    EXPECT_TRUE(mainWindow().toolbarButton(QStringLiteral("Transit"))->isChecked());

    Punti_transito.resize(5); // a track the local sky computed meanwhile
    mainWindow().mnuLocalSkyTransitoPrincipale_Click();
    EXPECT_FALSE(ticked("mnuLocalSkyTransitoPrincipale"));
    EXPECT_FALSE(ticked("mnuLocalSkyTempi"));
    EXPECT_FALSE(mainWindow().toolbarButton(QStringLiteral("Transit"))->isChecked());
    EXPECT_EQ(Punti_transito.size(), 5u) << "switched off, the track is kept";
}

TEST_F(TransitCommand, PrincipalTransitCoversTheWholePeriodAndLeavesTheSharedStateAlone)
{
    geostationaryPrincipal();
    // Slot 1 as the last tick left it, marked so that any rewrite shows.
    Valori[1].Azimut = 123.25;
    Valori[1].Elevazione = 45.5;
    const Posizione_satellite present = Valori[1];
    const double clock = Data_attuale;
    const double julianDate = mAstro::Data_giuliana;
    const double siderealTime = mAstro::Tempo_siderale_locale;
    Etichette_transito.resize(3);

    const TransitTrackResult track = computePrincipalTransit(polar);
    EXPECT_GE(Punti_transito.size(), 1u + 180u);
    EXPECT_LE(Punti_transito.size(), 1u + 181u);
    EXPECT_EQ(track.points.size(), Punti_transito.size());
    EXPECT_EQ(Etichette_transito.size(), 1u) << "labels of an older track are dropped";
    EXPECT_EQ(track.legs.size(), Punti_transito.size() - 1);
    EXPECT_EQ(Data_attuale, clock);
    EXPECT_EQ(mAstro::Data_giuliana, julianDate) << "the shared time state is not moved";
    EXPECT_EQ(mAstro::Tempo_siderale_locale, siderealTime);
    EXPECT_EQ(Valori[1].Azimut, present.Azimut) << "slot 1 is not recomputed";
    EXPECT_EQ(Valori[1].Elevazione, present.Elevazione);
    EXPECT_TRUE(pflgCentrale.isOpen());
}

TEST_F(TransitCommand, StoppedClockStaysStoppedAfterTheTrackIsComputed)
{
    geostationaryPrincipal();
    pflgCentrale.setEnabled(false);
    (void)computePrincipalTransit(polar);
    EXPECT_GT(Punti_transito.size(), 1u);
    EXPECT_FALSE(pflgCentrale.isOpen());
    EXPECT_EQ(pflgCentrale.holdCount(), 0);
}

TEST_F(TransitCommand, PrincipalOnOrBelowTheHorizonOrNoneShowsNothing)
{
    geostationaryPrincipal();
    Valori[1].Elevazione = 0.0;
    mainWindow().mnuLocalSkyTransitoPrincipale_Click();
    EXPECT_FALSE(ticked("mnuLocalSkyTransitoPrincipale"));
    EXPECT_FALSE(TrackingModel::instance().localSky().transitoPrincipale);

    loadWorkingSet({});
    EXPECT_TRUE(computePrincipalTransit(polar).legs.empty());
    EXPECT_EQ(Punti_transito.size(), 1u);
}

TEST_F(TransitCommand, ToolbarButtonDoesNothingWhileTheLocalSkyIsClosed)
{
    geostationaryPrincipal();
    m_sky.reset();
    mainWindow().Toolbar1_ButtonClick(QStringLiteral("Transit"));
    EXPECT_FALSE(ticked("mnuLocalSkyTransitoPrincipale"));
    EXPECT_FALSE(mainWindow().toolbarButton(QStringLiteral("Transit"))->isChecked());
    EXPECT_EQ(Punti_transito.size(), 1u);
}

TEST_F(TransitCommand, RedrawEmptiesTheTrackKeepsAShownOneOnAndDropsOneWhosePrincipalSet)
{
    geostationaryPrincipal();
    Punti_transito.resize(4);
    mainWindow().mnuLocalSkyRidisegnaMappa_Click();
    EXPECT_FALSE(ticked("mnuLocalSkyTransitoPrincipale"));
    EXPECT_EQ(Punti_transito.size(), 1u);
    EXPECT_EQ(m_charts.count(ChartKind::LocalSky, ChartCommand::Redraw), 1);

    mainWindow().mnuLocalSkyTransitoPrincipale_Click();
    mainWindow().mnuLocalSkyRidisegnaMappa_Click();
    EXPECT_TRUE(ticked("mnuLocalSkyTransitoPrincipale")) << "computed anew by the redraw";
    EXPECT_EQ(m_charts.count(ChartKind::LocalSky, ChartCommand::Redraw), 2);

    Valori[1].Elevazione = -5.0;
    mainWindow().mnuLocalSkyRidisegnaMappa_Click();
    EXPECT_FALSE(ticked("mnuLocalSkyTransitoPrincipale"));
}

TEST_F(TransitCommand, AnotherPrincipalTakesThePassTrackOff)
{
    geostationaryPrincipal();
    mainWindow().mnuLocalSkyTransitoPrincipale_Click();
    ASSERT_TRUE(ticked("mnuLocalSkyTransitoPrincipale"));
    TrackingModel::instance().notifyPrincipalChanged();
    EXPECT_FALSE(ticked("mnuLocalSkyTransitoPrincipale"));
    EXPECT_FALSE(ticked("mnuLocalSkyTempi"));
}

} // namespace

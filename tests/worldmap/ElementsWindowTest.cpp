// The orbital-elements window: the orbit it derives for the Spacetrack Report No. 3 element
// sets, its paging through the active slots, a database entry in the scratch slot, and the
// instant the age of the elements counts to.

#include "WorldMapFixture.h"
#include "support/RequiredData.h"

#include "worldmap/frmSatellite.h"

#include "controls/GraphButton/GraphButton.h"
#include "services/WindowRegistry.h"
#include "core/ElementSet.h"

#include <QGroupBox>
#include <QTimer>
#include <QLabel>

#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

namespace {

// The window shows one decimal: a value within half of it of the reference is shown right.
constexpr double kOneDecimal = 0.05 + 1e-9;

const std::filesystem::path kStr3File =
    std::filesystem::path(QUORVANEL_SHARED_TESTDATA) / "str3" / "str3.tle";

const Record_TLE kIss{"ISS (ZARYA)",
                      "1 25544U 98067A   24001.50000000  .00016717  00000-0  10270-3 0  9005",
                      "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.49815645432213"};

double shownNumber(const QLabel* label)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(label->text(), &ok);
    EXPECT_TRUE(ok) << label->objectName().toStdString() << ": " << label->text().toStdString();
    return value;
}

class ElementsWindowTest : public WorldMapTest
{
protected:
    void SetUp() override
    {
        WorldMapTest::SetUp();
        QLocale::setDefault(QLocale::c());
    }

    void TearDown() override
    {
        m_elements.reset();
        QLocale::setDefault(m_locale);
        WorldMapTest::TearDown();
    }

    static void load(int slot, const Record_TLE& set)
    {
        ASSERT_EQ(mSat::Estrai_Dati_Satellite(slot, set.Riga0, set.Riga1, set.Riga2),
                  mSat::Status::Ok)
            << set.Riga0;
    }

    static void loadActive(int count)
    {
        for (int slot = 1; slot <= count; ++slot)
            load(slot, kIss);
        Numero_satelliti = static_cast<std::int16_t>(count);
    }

    /// The window as an opener shows it, with `slot` preset (0: none).
    frmSatellite& open(int slot = 0)
    {
        m_elements = std::make_unique<frmSatellite>();
        m_elements->gintIndice = slot;
        m_elements->show();
        return *m_elements;
    }

    /// Whether the window shows the display of a slot without a set.
    static bool showsNothing(const frmSatellite& w)
    {
        return w.lblNoradNumber->text() == u"0" && w.lblSemiMaj->text() == u"0.0" &&
               w.lblApogee->text() == u"0.0" && w.lblZeroLine->text() == u"N" &&
               w.lblDate->text().isEmpty() && w.windowTitle() == u"Orbital elements";
    }

    QLocale m_locale;
    std::unique_ptr<frmSatellite> m_elements;
};

struct Str3Orbit
{
    const char* number;
    double semiMajorKm, semiMinorKm, periodMinutes, apogeeKm, perigeeKm;
};

TEST_F(ElementsWindowTest, DerivesTheOrbitOfTheSpacetrackReportSets)
{
    std::ifstream in(kStr3File);
    if (!in)
        SKIP_OR_FAIL_WITHOUT_DATA("no " << kStr3File << " (shared test data)");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.empty() || line.back() != '\r' ? line : line.substr(0, line.size() - 1));
    ASSERT_GE(lines.size(), 6u);
    load(1, {lines[0], lines[1], lines[2]});
    load(2, {lines[3], lines[4], lines[5]});
    Numero_satelliti = 2;

    // a = (GM / n^2)^(1/3) with GM 398600.8 km^3/s^2; heights over 6378.135 km.
    const Str3Orbit orbits[] = {
        {"88888", 6636.4615, 6636.2119, 89.6736, 315.8852, 200.7678},
        {"11801", 24346.1270, 16592.2649, 630.0926, 35784.5753, 151.4086},
    };
    frmSatellite& w = open();
    for (const Str3Orbit& orbit : orbits) {
        SCOPED_TRACE(orbit.number);
        EXPECT_EQ(w.lblNoradNumber->text(), QString::fromLatin1(orbit.number));
        EXPECT_NEAR(shownNumber(w.lblSemiMaj), orbit.semiMajorKm, kOneDecimal);
        EXPECT_NEAR(shownNumber(w.lblSemiMin), orbit.semiMinorKm, kOneDecimal);
        EXPECT_NEAR(shownNumber(w.lblOrbitalPeriod), orbit.periodMinutes, kOneDecimal);
        EXPECT_NEAR(shownNumber(w.lblApogee), orbit.apogeeKm, kOneDecimal);
        EXPECT_NEAR(shownNumber(w.lblPerigee), orbit.perigeeKm, kOneDecimal);
        EXPECT_TRUE(w.windowTitle().startsWith(QStringLiteral("Orbital elements - ")))
            << w.windowTitle().toStdString();
        w.cmdSuccessivo_Click();
    }
    w.cmdPrimo_Click();
    // Epoch 80275.98708465: day 275 of the leap year 1980 is 1 October.
    EXPECT_EQ(w.lblEpochTime->text(), QStringLiteral("275.98708465@1980"));
    EXPECT_EQ(w.lblDate->text(), QStringLiteral("01 Oct 1980 - 23:41:24"));
    EXPECT_EQ(w.lblEccentricity->text(), QStringLiteral("0.0086731"));
    EXPECT_EQ(w.lblInclination->text(), QStringLiteral("72.8435"));
    EXPECT_EQ(w.lblSecondLine->text(), QString::fromStdString(lines[2]));
}

struct PagingCase
{
    const char* name;
    int loaded;
    int start;
    void (frmSatellite::*button)();
    int slot; ///< the slot shown afterwards
    bool empty;
};

class ElementsPagingTest : public ElementsWindowTest,
                           public ::testing::WithParamInterface<PagingCase>
{
};

TEST_P(ElementsPagingTest, MovesThroughTheActiveSlots)
{
    const PagingCase& c = GetParam();
    loadActive(c.loaded);
    frmSatellite& w = open(c.start);
    (w.*c.button)();
    EXPECT_EQ(w.gintIndice, c.slot);
    EXPECT_EQ(w.lblSatellite->text(), QStringLiteral("Satellite #%1").arg(c.slot));
    EXPECT_EQ(showsNothing(w), c.empty) << w.windowTitle().toStdString();
    if (!c.empty) { // the name in proper case
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Orbital elements - Iss (zarya)"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    OneAndTwoHundred, ElementsPagingTest,
    ::testing::Values(
        PagingCase{"LastOfOne", 1, 0, &frmSatellite::cmdUltimo_Click, 1, false},
        PagingCase{"NextBeyondTheLoaded", 1, 1, &frmSatellite::cmdSuccessivo_Click, 2, true},
        PagingCase{"PreviousAtTheFirst", 1, 1, &frmSatellite::cmdPrecedente_Click, 1, false},
        PagingCase{"LastOfTwoHundred", 200, 0, &frmSatellite::cmdUltimo_Click, 200, false},
        PagingCase{"NextAtTheLastSlot", 200, 200, &frmSatellite::cmdSuccessivo_Click, 200, false},
        PagingCase{"PreviousFromTheLast", 200, 200, &frmSatellite::cmdPrecedente_Click, 199, false},
        PagingCase{"FirstFromTheLast", 200, 200, &frmSatellite::cmdPrimo_Click, 1, false},
        PagingCase{"LastOfNone", 0, 0, &frmSatellite::cmdUltimo_Click, 200, true}),
    [](const ::testing::TestParamInfo<PagingCase>& param) { return std::string(param.param.name); });

TEST_F(ElementsWindowTest, DatabaseEntryInTheScratchSlotHasNoPaging)
{
    loadActive(3);
    load(kFirstScratchSlot, {"NOAA 19",
                             "1 33591U 09005A   24001.50000000  .00000120  00000-0  90000-4 0  9993",
                             "2 33591  99.0500  40.0000 0014000 120.0000 240.0000 14.13000000 90002"});
    frmSatellite& w = open(kFirstScratchSlot);
    EXPECT_EQ(w.lblNoradNumber->text(), QStringLiteral("33591"));
    EXPECT_TRUE(w.lblSatellite->text().isEmpty());
    for (GraphButton* b : {w.cmdPrimo, w.cmdPrecedente, w.cmdSuccessivo, w.cmdUltimo})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
}

TEST_F(ElementsWindowTest, SetWithoutAnOrbitShowsNothing)
{
    loadActive(1);
    Satelement[1].Eccentricita = 1.0;
    EXPECT_TRUE(showsNothing(open()));
}

TEST_F(ElementsWindowTest, ShowsEveryDecimalNumberWithTheUsersSeparator)
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    loadActive(2);
    // Stored as the magnitude file writes it, with a "." point; a whole magnitude keeps one
    // decimal on screen as in the file.
    Satelement[1].Magnitudine_standard = "-2.5";
    Satelement[2].Magnitudine_standard = "7";
    frmSatellite& w = open();
    EXPECT_EQ(w.lblMagStd->text(), QStringLiteral("-2,5"));
    EXPECT_EQ(w.lblEccentricity->text(), QStringLiteral("0,0006703"));
    w.cmdSuccessivo_Click();
    EXPECT_EQ(w.lblMagStd->text(), QStringLiteral("7,0"));
    // A slot without a satellite shows zeros, the derived values with one decimal.
    w.cmdSuccessivo_Click();
    for (const QLabel* value : {w.lblApogee, w.lblPerigee, w.lblOrbitalPeriod, w.lblSemiMaj,
                                w.lblSemiMin})
        EXPECT_EQ(value->text(), QStringLiteral("0,0")) << value->objectName().toStdString();
    EXPECT_EQ(w.lblMagStd->text(), QStringLiteral("0"));
}

TEST_F(ElementsWindowTest, AgeCountsToTheLastTick)
{
    loadActive(1);
    const double epoch = Satelement[1].Epoca_giuliana;
    // A pass search moves the program's time state away from the present while it runs.
    mAstro::Data_giuliana = epoch + 99.0;
    TickSnapshot tick;
    tick.time.Data_giuliana = epoch + 12.0;
    TrackingModel::instance().publishTick(std::move(tick));
    EXPECT_EQ(open().lblAge->text(), QStringLiteral("12.0"));
}

TEST_F(ElementsWindowTest, OkEndsTheModalWindowAndTheNextOpeningStartsAtTheFirstSlot)
{
    loadActive(3);
    WindowRegistry& windows = WindowRegistry::instance();
    windows.define(QStringLiteral("frmSatellite"), WindowLifetime::UnloadOnClose,
                   [] { return new frmSatellite(); });
    std::vector<int> shown;
    const auto openModal = [&](int preset, bool page) {
        auto* w = windows.form<frmSatellite>(QStringLiteral("frmSatellite"));
        ASSERT_NE(w, nullptr);
        w->gintIndice = preset;
        QTimer::singleShot(0, w, [&, w, page] {
            if (page)
                w->cmdSuccessivo_Click();
            shown.push_back(w->gintIndice);
            w->cmdOK->Click();
        });
        w->exec();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    openModal(2, true);
    EXPECT_FALSE(windows.isLoaded(QStringLiteral("frmSatellite")));
    openModal(0, false);
    EXPECT_EQ(shown, (std::vector<int>{3, 1}));
}

TEST_F(ElementsWindowTest, EveryHeadingHasItsText)
{
    // The English texts each heading, frame and button shows: a heading that shows another
    // line's text or none at all is caught.
    const std::vector<std::pair<const char*, const char*>> headings = {
        {"lblNumeroNorad", "Catalogue number"},
        {"lblNumeroIntern", "International designator"},
        {"lblAnnoLancio", "Launch year"},
        {"lblNumeroLancio", "Launch number and piece"},
        {"lblEtaElementi", "Age of the elements (days)"},
        {"lblSetElementi", "Element set number"},
        {"lblMagnitudineStd", "Standard magnitude"},
        {"lblEpocaUTC", "Epoch (day@year, UTC)"},
        {"lblEpocaCivile", "Epoch (date - time, UTC)"},
        {"lblInclinazione", "Inclination (deg)"},
        {"lblRAANIntesta", "Right ascension of the ascending node (deg)"},
        {"lblEccentricita", "Eccentricity"},
        {"lblArgomentoPerigeo", "Argument of perigee (deg)"},
        {"lblAnomaliaMedia", "Mean anomaly (deg)"},
        {"lblMotoMedio", "Mean motion (rev/day)"},
        {"lblDeriv1", "First derivative of mean motion"},
        {"lblDeriv2", "Second derivative of mean motion"},
        {"lblBStarIntesta", "BSTAR drag term"},
        {"lblNumeroOrbita", "Orbit number at epoch"},
        {"lblApogeo", "Apogee height (km)"},
        {"lblPerigeo", "Perigee height (km)"},
        {"lblPeriodoOrbitale", "Orbital period (min)"},
        {"lblSemiasseMax", "Semi-major axis (km)"},
        {"lblSemiasseMin", "Semi-minor axis (km)"},
    };
    frmSatellite& w = open();
    for (const auto& [name, text] : headings) {
        const auto* label = w.findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), QString::fromUtf8(text)) << name;
    }
    // No heading is left out of the list above: every other label shows a value.
    int captioned = 0;
    for (const QLabel* label : w.findChildren<QLabel*>()) {
        if (label->parentWidget() != w.fraElementi2Righe && label != w.lblSatellite &&
            !label->alignment().testFlag(Qt::AlignRight))
            ++captioned;
    }
    EXPECT_EQ(captioned, static_cast<int>(headings.size()));

    EXPECT_EQ(w.fraInformazioniGenerali->title(), u"General information");
    EXPECT_EQ(w.fraParametriOrbitali->title(), u"Orbital elements at epoch");
    EXPECT_EQ(w.fraParametriDerivati->title(), u"Derived parameters");
    EXPECT_EQ(w.fraElementi2Righe->title(), u"Element set");
    EXPECT_EQ(w.windowTitle(), u"Orbital elements");
    EXPECT_EQ(w.cmdPrimo->toolTip(), u"First satellite");
    EXPECT_EQ(w.cmdPrecedente->toolTip(), u"Previous satellite");
    EXPECT_EQ(w.cmdSuccessivo->toolTip(), u"Next satellite");
    EXPECT_EQ(w.cmdUltimo->toolTip(), u"Last satellite");
    EXPECT_EQ(w.cmdOK->Caption(), u"OK");
    EXPECT_EQ(w.cmdHelp->Caption(), u"Help");
}

} // namespace

// The planets table against the core's positions, and the almanac: rise and set texts at
// Milan and beyond the Arctic Circle, month and day stepping, the Moon's phase disc, and the
// program's shared time state left at the program clock.

#include "support/TestFiles.h"
#include "support/ScreenshotFolder.h"

#include "predictions/AlmanacDay.h"
#include "predictions/PlanetsTableTexts.h"
#include "predictions/frmPlanets.h"
#include "predictions/frmRiseSet.h"

#include "common/catalogues.h"
#include "common/program_time.h"
#include "controls/GraphButton/GraphButton.h"
#include "core/DateValue.h"
#include "core/mAstro.h"
#include "tracking/ReferenceData.h"
#include "services/DisplayFormat.h"
#include "services/mLang.h"
#include "tracking/TrackingModel.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

Corpo_celeste bodyAt(double distance, double altitude = 0, double magnitude = 0)
{
    Corpo_celeste body;
    body.Distanza = distance;
    body.Altezza = altitude;
    body.Magnitudine_visuale = magnitude;
    return body;
}

Dati_osservatore observerAt(const char* name, float latitude, float longitude, float zone,
                            std::uint8_t daylightSaving)
{
    Dati_osservatore observer;
    observer.Nome_localita = name;
    observer.Latitudine_osservatore = latitude;
    observer.Longitudine_osservatore = longitude;
    observer.Fuso_orario = zone;
    observer.Ora_legale = daylightSaving;
    return observer;
}

class AlmanacTest : public ProgramStateTest
{
protected:
    void SetUp() override
    {
        ProgramStateTest::SetUp();
        MyPath = QStringLiteral(QUORVANEL_DATA_DIR);
        Impostazioni.File_lingua = "English.ini";
        static const bool loaded = Carica_archivi().ok();
        ASSERT_TRUE(loaded);
        m_savedClock = Data_attuale;
        m_savedBodies = Corpi_celesti;
        Osservatore = observerAt("Milano", 45.4642f, 9.19f, 1, 0);
        TrackingModel::instance().reset();
    }

    void TearDown() override
    {
        TrackingModel::instance().reset();
        Data_attuale = m_savedClock;
        Corpi_celesti = m_savedBodies;
        ProgramStateTest::TearDown();
    }

    /// The program clock at a local instant, with the bodies computed as the tick does.
    static void setClock(double localDate)
    {
        Data_attuale = localDate;
        mAstro::Calcola_tempi(localDate);
        mAstro::Calcola_sole();
        mAstro::Calcola_luna();
        mAstro::Calcola_pianeti();
    }

    static QString riseSetText(QStringView key)
    {
        return mLang::Testo_lingua(u"frmRiseSet", key);
    }

    double m_savedClock = 0;
    std::array<Corpo_celeste, kBodyCount + 1> m_savedBodies{};
};

} // namespace

// --- Planets table -------------------------------------------------------------------------

TEST(PlanetsTableTexts, LightTimesAreRoundedOnTheTotalBeforeTheyAreSplit)
{
    const QLocale english(QLocale::English);
    struct Case
    {
        double distanceAu;
        const char* expected;
    };
    // 59m59.7s: splitting before rounding would show "59m60s".
    const double almostWholeMinute = (59.0 * 60.0 + 59.7) / 3600.0 / 0.1386;
    for (const Case& c : {Case{1.0, "8m19s"}, Case{5.2, "43m15s"}, Case{30.1, "4h10m19s"},
                          Case{almostWholeMinute, "1h00m00s"}}) {
        const Corpo_celeste body = bodyAt(c.distanceAu);
        EXPECT_EQ(planets::planetRow(4, body, english).lightTime, QLatin1String(c.expected))
            << c.distanceAu;
    }
    EXPECT_EQ(planets::sunLightTimeText(149597871.0, english), QStringLiteral("8m19s"));
    EXPECT_EQ(planets::sunLightTimeText(299792.0 * 119.6, english), QStringLiteral("2m00s"));
    EXPECT_EQ(planets::moonLightTimeText(384400.0, english), QStringLiteral("1.3s"));
}

TEST(PlanetsTableTexts, CoordinatesAndDistances)
{
    const QLocale english(QLocale::English);
    struct Case
    {
        double declination;
        const char* expected;
    };
    for (const Case& c : {Case{-0.5, "-0\u00b030'"}, Case{0.5, "0\u00b030'"},
                          Case{-12.75, "-12\u00b045'"}, Case{23.999, "23\u00b059'"},
                          Case{4.1, "4\u00b006'"}})
        EXPECT_EQ(planets::declinationText(c.declination, english), QString::fromUtf8(c.expected))
            << c.declination;
    EXPECT_EQ(planets::rightAscensionText(5.999), QStringLiteral("5h59m"));
    EXPECT_EQ(planets::rightAscensionText(23.5), QStringLiteral("23h30m"));
    EXPECT_EQ(planets::rightAscensionText(4.1), QStringLiteral("4h06m")); // stored a hair below

    const Corpo_celeste sun = bodyAt(149597871.0, -0.1);
    const planets::PlanetRow sunRow = planets::planetRow(kSole, sun, english);
    EXPECT_EQ(sunRow.distance, QStringLiteral("149,597,871"));
    EXPECT_EQ(sunRow.altitudeColour, QColor(255, 0, 0));
    EXPECT_TRUE(sunRow.magnitude.isEmpty());
    const Corpo_celeste moon = bodyAt(384400.0, 0.0);
    const planets::PlanetRow moonRow = planets::planetRow(kLuna, moon, english);
    EXPECT_EQ(moonRow.distance, QStringLiteral("384,400"));
    EXPECT_EQ(moonRow.altitudeColour, QColor(0, 0, 255));
    // A planet whose lit side faces away shows no magnitude rather than "inf".
    const Corpo_celeste unlit = bodyAt(0.3, 10.0, mAstro::kNoMagnitude);
    EXPECT_TRUE(planets::planetRow(2, unlit, english).magnitude.isEmpty());
}

TEST_F(AlmanacTest, PlanetsTableShowsTheCorePositionsOfEachTick)
{
    frmPlanets table;
    EXPECT_EQ(table.windowTitle(), QStringLiteral("Sun, Moon and planets"));
    EXPECT_EQ(table.nameLabels[0]->text(), QStringLiteral("Mercury"));
    EXPECT_EQ(table.nameLabels[8]->text(), QStringLiteral("Moon"));
    for (const double instant : {DateValue::fromDateTime(2026, 1, 15, 21, 30, 0),
                                 DateValue::fromDateTime(2027, 8, 2, 4, 0, 0),
                                 DateValue::fromDateTime(2030, 3, 20, 12, 0, 0)}) {
        setClock(instant);
        TrackingModel::instance().publishTick(TickSnapshot{});
        const mAstro::TimeState time = mAstro::timeStateAt(instant, Osservatore);
        for (int k = kMercurio; k <= kNettuno; ++k) {
            const auto row = static_cast<std::size_t>(k - 1);
            const mAstro::PlanetPosition p = mAstro::planetAt(
                k, time.Data_giuliana, Corpi_celesti[static_cast<std::size_t>(k)],
                Corpi_celesti[kTerra]);
            double azimuth = 0;
            double altitude = 0;
            mAstro::Calcola_azimut_altezza(p.rightAscensionHours, p.declinationDeg, azimuth,
                                           altitude);
            EXPECT_EQ(table.lblRa[row]->text(), planets::rightAscensionText(p.rightAscensionHours))
                << "planet " << k << " at " << instant;
            EXPECT_EQ(table.lblDec[row]->text(), planets::declinationText(p.declinationDeg));
            EXPECT_EQ(table.lblAlt[row]->text(), formatNumber(altitude, u"#0.0\u00b0"));
            EXPECT_EQ(table.lblAlt[row]->palette().color(QPalette::WindowText),
                      planets::altitudeColour(altitude));
            EXPECT_EQ(table.lblDist[row]->text(), formatNumber(p.distanceAu, u"#0.0"));
        }
        EXPECT_EQ(table.lblDistSun->text(),
                  planets::planetRow(kSole, Corpi_celesti[kSole]).distance);
        EXPECT_EQ(table.lblLight[8]->text(),
                  planets::moonLightTimeText(Corpi_celesti[kLuna].Distanza));
    }
}

// --- Almanac -------------------------------------------------------------------------------

TEST(AlmanacDay, MonthSteppingWrapsTheYearAndClampsTheDay)
{
    struct Case
    {
        int year, month, day, step;
        int expectedYear, expectedMonth, expectedDay;
    };
    for (const Case& c : {Case{2026, 12, 15, 1, 2027, 1, 15}, Case{2027, 1, 10, -1, 2026, 12, 10},
                          Case{2026, 1, 31, 1, 2026, 2, 28}, Case{2028, 1, 31, 1, 2028, 2, 29},
                          Case{2026, 3, 31, -1, 2026, 2, 28}, Case{2026, 5, 31, 1, 2026, 6, 30},
                          Case{2026, 8, 31, -1, 2026, 7, 31}}) {
        const double from = DateValue::fromDateTime(c.year, c.month, c.day, 21, 45, 10);
        const DateValue::Parts to = DateValue::split(almanac::stepMonths(from, c.step));
        EXPECT_EQ(to.year, c.expectedYear) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(to.month, c.expectedMonth) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(to.day, c.expectedDay) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(to.hour * 3600 + to.minute * 60 + to.second, 21 * 3600 + 45 * 60 + 10);
    }
}

TEST_F(AlmanacTest, StepButtonsMoveThePickedDate)
{
    setClock(DateValue::fromDateTime(2026, 1, 31, 10, 0, 0));
    frmRiseSet window;
    window.cmdMeseDopo_Click();
    EXPECT_EQ(window.pickedDate(), DateValue::fromDateTime(2026, 2, 28, 10, 0, 0));
    window.cmdGiornoDopo_Click();
    EXPECT_EQ(window.pickedDate(), DateValue::fromDateTime(2026, 3, 1, 10, 0, 0));
    window.cmdGiornoPrima_Click();
    window.cmdMesePrima_Click();
    EXPECT_EQ(window.pickedDate(), DateValue::fromDateTime(2026, 1, 28, 10, 0, 0));
}

TEST_F(AlmanacTest, RiseAndSetTextsAtMilan)
{
    // Summer time at Milan: one hour of zone, one of daylight saving.
    Osservatore = observerAt("Milano", 45.4642f, 9.19f, 1, 1);
    setClock(DateValue::fromDateTime(2026, 6, 21, 12, 0, 0));
    frmRiseSet window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Sun and Moon almanac"));
    const mAstro::RiseSetDay sun =
        mAstro::Sorge_tramonta_sole(45.4642f, 9.19f, -2.0, Data_attuale);
    ASSERT_TRUE(sun.rise.occurred && sun.set.occurred);
    // Milan's longest day: sunrise a little before 05:40, sunset a little after 21:10.
    EXPECT_EQ(window.lblSunRise->text().left(4), QStringLiteral("05:3"));
    EXPECT_EQ(window.lblSunSet->text().left(4), QStringLiteral("21:1"));
    EXPECT_EQ(window.lblSunRiseAz->text(), formatNumber(sun.rise.azimuthDeg, u"000.0") + u'\u00b0');
    EXPECT_TRUE(window.lblSunRiseAz->text().startsWith(u"05"));
    EXPECT_FALSE(window.lblAzimuth[0]->isHidden());
    EXPECT_FALSE(window.lblAzimuth[1]->isHidden());

    const mAstro::RiseSetDay moon =
        mAstro::Sorge_tramonta_luna(45.4642f, 9.19f, -2.0, Data_attuale);
    const almanac::DayTexts moonTexts =
        almanac::dayTexts(moon, riseSetText(almanac::statusKey(moon.status)));
    EXPECT_EQ(window.lblMoonRise->text(), moonTexts.rise.time);
    EXPECT_EQ(window.lblMoonSet->text(), moonTexts.set.time);
    EXPECT_EQ(window.lblAzimuth[2]->isHidden(), !moonTexts.rise.azimuthShown);
    EXPECT_EQ(window.lblAzimuth[3]->isHidden(), !moonTexts.set.azimuthShown);
}

TEST_F(AlmanacTest, PolarDayAndNightShowTheirStatusWords)
{
    // The window opens on an ordinary day and is stepped into the midnight sun and the polar
    // night, and back: every text is shown whole on one line, at the size the window opened
    // with, which it keeps.
    Osservatore = observerAt("Tromso", 69.65f, 18.96f, 1, 0);
    setClock(DateValue::fromDateTime(2026, 3, 1, 12, 0, 0));
    frmRiseSet window;
    window.show();
    QApplication::processEvents();
    const QSize opened = window.size();
    struct Case
    {
        int month, day;
        const char16_t* key; ///< empty: an ordinary day
    };
    for (const Case& c : {Case{3, 1, u""}, Case{6, 21, u"sopraorizzonte"},
                          Case{12, 21, u"sottoorizzonte"}, Case{3, 1, u""}}) {
        window.setPickedDate(DateValue::fromDateTime(2026, c.month, c.day, 12, 0, 0));
        QApplication::processEvents();
        EXPECT_EQ(window.size(), opened) << c.month;
        for (const QLabel* event : {window.lblSunRise, window.lblSunSet, window.lblMoonRise,
                                    window.lblMoonSet, window.lblSunRiseAz, window.lblMoonSetAz})
            EXPECT_GE(event->contentsRect().width(),
                      event->fontMetrics().horizontalAdvance(event->text()))
                << c.month << ": " << event->text().toStdString();
        const QString key = QString::fromUtf16(c.key);
        if (key.isEmpty()) {
            EXPECT_EQ(window.lblSunRise->text().size(), 5) << window.lblSunRise->text().toStdString();
            EXPECT_FALSE(window.lblSunRiseAz->text().isEmpty());
            EXPECT_FALSE(window.lblAzimuth[0]->isHidden());
            EXPECT_FALSE(window.lblAzimuth[1]->isHidden());
        } else {
            EXPECT_EQ(window.lblSunRise->text(), riseSetText(key)) << c.month;
            EXPECT_EQ(window.lblSunSet->text(), riseSetText(key)) << c.month;
            EXPECT_FALSE(window.lblSunRise->text().isEmpty());
            EXPECT_TRUE(window.lblSunRiseAz->text().isEmpty());
            EXPECT_TRUE(window.lblSunSetAz->text().isEmpty());
            EXPECT_TRUE(window.lblAzimuth[0]->isHidden());
            EXPECT_TRUE(window.lblAzimuth[1]->isHidden());
        }
    }
}

TEST_F(AlmanacTest, PickedDateLeavesTheSharedTimeStateAtTheProgramClock)
{
    setClock(DateValue::fromDateTime(2026, 1, 15, 21, 30, 0));
    const double julian = mAstro::Data_giuliana;
    const double sidereal = mAstro::Tempo_siderale_locale;
    const Corpo_celeste moon = Corpi_celesti[kLuna];
    const double sunLongitude = mAstro::Longitudine_sole;
    frmRiseSet window;
    window.setPickedDate(DateValue::fromDateTime(2029, 7, 4, 3, 0, 0));
    window.cmdMeseDopo_Click();
    EXPECT_EQ(mAstro::Data_giuliana, julian);
    EXPECT_EQ(mAstro::Tempo_siderale_locale, sidereal);
    EXPECT_EQ(mAstro::Longitudine_sole, sunLongitude);
    EXPECT_EQ(Corpi_celesti[kLuna].Ascensione_retta, moon.Ascensione_retta);
    EXPECT_EQ(Corpi_celesti[kLuna].Frazione_illuminata, moon.Frazione_illuminata);
}

TEST_F(AlmanacTest, MoonPhaseDiscFollowsThePickedDate)
{
    setClock(DateValue::fromDateTime(2026, 1, 15, 21, 30, 0));
    frmRiseSet window;
    struct Case
    {
        double date;
        bool centreLit;
    };
    // Full Moon on 3 January 2026 at 10:03 UT, new Moon on 18 January at 19:52 UT.
    for (const Case& c : {Case{DateValue::fromDateTime(2026, 1, 3, 11, 0, 0), true},
                          Case{DateValue::fromDateTime(2026, 1, 18, 21, 0, 0), false}}) {
        window.setPickedDate(c.date);
        const QImage disc = window.picLuna->pixmap().toImage();
        ASSERT_FALSE(disc.isNull());
        const QColor centre = disc.pixelColor(disc.width() / 2, disc.height() / 2);
        EXPECT_EQ(centre.lightness() > 200, c.centreLit) << centre.name().toStdString();
    }
}

TEST_F(AlmanacTest, ScreenshotsForTheDocumentation)
{
    const ScreenshotFolder shots;
    const QString folder = shots.path();
    setClock(DateValue::fromDateTime(2026, 1, 24, 21, 30, 0));
    frmRiseSet almanacWindow;
    almanacWindow.show();
    QApplication::processEvents();
    ASSERT_TRUE(almanacWindow.grab().save(QDir(folder).filePath(QStringLiteral("almanac.png"))));
    frmPlanets table;
    table.show();
    QApplication::processEvents();
    ASSERT_TRUE(table.grab().save(QDir(folder).filePath(QStringLiteral("planets.png"))));
}

// The texts the tick shows: the principal satellite's data box and the status-bar clock.
// Numbers are checked in the C locale ("." decimal point) and, where the separator matters,
// in a locale with a decimal comma.

#include "support/TestFiles.h"

#include "core/DateValue.h"
#include "tracking/TickTexts.h"

namespace {

const QLocale kPlain = QLocale::c();
const QString kDegree = QStringLiteral("\u00B0");

Posizione_satellite sunlitState()
{
    Posizione_satellite v;
    v.Latitudine = 45.123;
    v.Emisfero_ns = "N";
    v.Longitudine = 9.5;
    v.Emisfero_ew = "W";
    v.Quota = 412.34;
    v.Distanza = 1234.56;
    v.Variazione_distanza = 7.0;
    v.Orbita = 50123.456;
    v.Elevazione = 5.5;
    v.Azimut = 7.25;
    v.Apogeo = 420.04;
    v.Perigeo = 410.96;
    v.Periodo = 5400.4;
    v.Velocita = 7.66;
    v.Stato = kStatoVisibile;
    v.Magnitudine = 2.345;
    return v;
}

Elemento_satellite withChannel(int channel, std::string uplink, std::string downlink)
{
    Elemento_satellite e;
    e.Frequenze_uplink[static_cast<std::size_t>(channel)] = std::move(uplink);
    e.Frequenze_downlink[static_cast<std::size_t>(channel)] = std::move(downlink);
    return e;
}

PrincipalTexts texts(const Posizione_satellite& v, const Elemento_satellite& e, int channel = 1,
                     const QLocale& locale = kPlain)
{
    mAstro::SexagesimalEquatorial equatorial;
    equatorial.hours = 5;
    equatorial.minutes = 7;
    equatorial.seconds = 9;
    equatorial.degrees = 3;
    equatorial.degreeMinutes = 4;
    equatorial.sign = '-';
    return principalTexts(v, e, channel, equatorial, QStringLiteral("Visible"), locale);
}

TEST(PrincipalTexts, DopplerShiftLowersTheDownlinkAndRaisesTheUplinkOfARecedingSatellite)
{
    // 145.8 MHz x (1 - 7 / 299792) = 145.79659..., shown to four decimals.
    const PrincipalTexts shown = texts(sunlitState(), withChannel(2, "435.1", "145.8"), 2);
    EXPECT_EQ(shown.downlink, QStringLiteral("145.7966"));
    EXPECT_EQ(shown.uplink, QStringLiteral("435.1102"));

    Posizione_satellite approaching = sunlitState();
    approaching.Variazione_distanza = -7.0;
    EXPECT_EQ(texts(approaching, withChannel(1, "435.1", "145.8")).downlink,
              QStringLiteral("145.8034"));
}

TEST(PrincipalTexts, FreeChannelShowsZeroAndAChannelOutsideTheTableReadsAsChannelOne)
{
    const Elemento_satellite elements = withChannel(1, "", "145.8");
    EXPECT_EQ(texts(sunlitState(), elements, 1).uplink, QStringLiteral("0"));
    EXPECT_EQ(texts(sunlitState(), elements, 3).downlink, QStringLiteral("0"));
    EXPECT_EQ(texts(sunlitState(), elements, 11).downlink, QStringLiteral("145.7966"));
    EXPECT_EQ(texts(sunlitState(), elements, 0).downlink, QStringLiteral("145.7966"));
}

TEST(PrincipalTexts, PeriodIsCutToWholeHoursMinutesAndSeconds)
{
    EXPECT_EQ(periodText(5400.4), QStringLiteral("01:30:00"));
    EXPECT_EQ(periodText(5999.99), QStringLiteral("01:39:59"));
    EXPECT_EQ(periodText(86164.1), QStringLiteral("23:56:04"));
}

TEST(PrincipalTexts, MagnitudeIsAStarBelowTheHorizonOrInShadow)
{
    Posizione_satellite v = sunlitState();
    EXPECT_EQ(texts(v, {}).magnitude, QStringLiteral("2.3"));
    v.Magnitudine = std::string("???");
    EXPECT_EQ(texts(v, {}).magnitude, QStringLiteral("???"));
    v.Elevazione = -0.01;
    EXPECT_EQ(texts(v, {}).magnitude, QStringLiteral("*"));
    v = sunlitState();
    v.Stato = kStatoEclisse;
    v.Magnitudine = std::string();
    EXPECT_EQ(texts(v, {}).magnitude, QStringLiteral("*"));
}

TEST(PrincipalTexts, PositionTextsCarryTheirPatternsUnitsAndHemispheres)
{
    const PrincipalTexts shown = texts(sunlitState(), {});
    EXPECT_EQ(shown.latitude, QStringLiteral("45.12") + kDegree + u'N');
    EXPECT_EQ(shown.longitude, QStringLiteral("9.50") + kDegree + u'W');
    EXPECT_EQ(shown.height, QStringLiteral("412.3"));
    EXPECT_EQ(shown.range, QStringLiteral("1234.6"));
    EXPECT_EQ(shown.rangeRate, QStringLiteral("7.0"));
    EXPECT_EQ(shown.elevation, QStringLiteral("05.50") + kDegree);
    EXPECT_EQ(shown.azimuth, QStringLiteral("07.25") + kDegree);
    EXPECT_EQ(shown.rightAscension, QStringLiteral("05h07m09s"));
    EXPECT_EQ(shown.declination, QStringLiteral("-03") + kDegree + QStringLiteral("04'"));
    EXPECT_EQ(shown.state, QStringLiteral("Visible"));

    const QLocale italian(QLocale::Italian, QLocale::Italy);
    EXPECT_EQ(texts(sunlitState(), withChannel(1, "", "145.8"), 1, italian).downlink,
              QStringLiteral("145,7966"));
}

mAstro::TimeState timeAt(double local, double greenwich)
{
    mAstro::TimeState t;
    t.Data_locale = local;
    t.Data_greenwich = greenwich;
    const DateValue::Parts l = DateValue::split(local);
    const DateValue::Parts g = DateValue::split(greenwich);
    t.Giorno_anno_locale = static_cast<std::int16_t>(l.dayOfYear);
    t.Giorno_anno = static_cast<std::int16_t>(g.dayOfYear);
    t.Anno_locale = l.year;
    t.Anno_greenwich = g.year;
    t.Ora_locale = l.hour + (l.minute + l.second / 60.0) / 60.0;
    t.Ora_greenwich = g.hour + (g.minute + g.second / 60.0) / 60.0;
    return t;
}

TEST(StatusBarClock, EveryFormatOfTheClockPanel)
{
    // Sunday 1 February 2026, 12:00:00 local, one hour ahead of Greenwich.
    const double local = DateValue::fromDateTime(2026, 2, 1, 12, 0, 0);
    const mAstro::TimeState t = timeAt(local, DateValue::addHours(local, -1));
    const QLocale english(QLocale::English, QLocale::UnitedKingdom);
    const struct
    {
        int formato;
        std::uint8_t daylight;
        QString expected;
    } cases[] = {
        {0, 0, QStringLiteral("01 February 2026  12:00:00 ")},
        {0, 1, QStringLiteral("01 February 2026  12:00:00 *")},
        {1, 1, QStringLiteral("01 February 2026  11:00:00 (Greenwich)")},
        {2, 0, QStringLiteral("Sun 01 February 2026  12:00:00 ")},
        {3, 0, QStringLiteral("Sun 01 February 2026  11:00:00 (Greenwich)")},
        {4, 1, QStringLiteral("Feb 01 2026  12:00:00 *")},
        {5, 0, QStringLiteral("Feb 01 2026  11:00:00 Greenwich")},
        {6, 0, QStringLiteral("032 giorno 12:00:00 ")},
        {7, 0, QStringLiteral("032 giorno 11:00:00 Greenwich")},
        {8, 1, QStringLiteral("32.50000000@2026 *")},
        {9, 0, QStringLiteral("32.45833333@2026 Greenwich")},
    };
    for (const auto& c : cases) {
        const std::optional<QString> text = statusClockText(c.formato, t, c.daylight, english);
        ASSERT_TRUE(text.has_value()) << c.formato;
        EXPECT_EQ(*text, c.expected) << "format " << c.formato;
    }
    EXPECT_FALSE(statusClockText(10, t, 0, english).has_value());
    EXPECT_FALSE(statusClockText(-1, t, 0, english).has_value());
}

} // namespace

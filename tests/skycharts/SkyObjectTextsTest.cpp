// The sky-object window's texts: coordinates split as the window shows them, light times
// rounded on the whole (never 60 seconds), the Sun's and the Moon's own rows, and the window's
// labels for a star and for the Moon.

#include "LocalSkyFixture.h"

#include "core/mAstro.h"
#include "skycharts/SkyObjectTexts.h"
#include "skycharts/frmObject.h"

#include <QLabel>

using namespace skycharts;

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedKingdom);

TEST(SkyObjectTexts, CoordinatesAreCutNotRounded)
{
    EXPECT_EQ(rightAscensionText(5.5), QStringLiteral(" 05h 30m 00s"));
    EXPECT_EQ(rightAscensionText(23.999), QStringLiteral(" 23h 59m 56s"));
    const std::pair<double, const char16_t*> declinations[] = {
        {-16.7, u"-16\u00b0 42'"}, {-0.5, u"-00\u00b0 30'"}, {0, u"+00\u00b0 00'"},
        {89.2641, u"+89\u00b0 15'"}};
    for (const auto& [dec, text] : declinations)
        EXPECT_EQ(declinationText(dec), QString::fromUtf16(text)) << dec;
    EXPECT_EQ(diameterText(45.6), QStringLiteral("0'45''"));
    EXPECT_EQ(diameterText(1919), QStringLiteral("31'59''"));
}

TEST(SkyObjectTexts, LightTimeIsRoundedOnTheTotalBeforeItIsSplit)
{
    const std::pair<double, const char*> planets[] = {
        {1.0, "8m19s"}, {5.2, "43m15s"}, {9.5, "1h19m00s"},
        // 8.898 minutes over the program's 0.1386 light hours per unit.
        {8.898 / 60.0 / 0.1386, "8m54s"},
        // 59.6 seconds of a minute: the next minute, not "8m60s".
        {(8 * 60 + 59.6) / 3600.0 / 0.1386, "9m00s"}};
    for (const auto& [au, text] : planets)
        EXPECT_EQ(planetLightTimeText(au), QString::fromLatin1(text)) << au;
    EXPECT_EQ(sunLightTimeText(149597870), QStringLiteral("08m19s"));
    EXPECT_EQ(sunLightTimeText(299792.0 * 539.7), QStringLiteral("09m00s"));
}

TEST(SkyObjectTexts, SunAndMoonShowTheirOwnRows)
{
    const SkyObjectCaptions captions{QStringLiteral("Constellation"), QStringLiteral("Letter"),
                                     QStringLiteral("Spectrum"), QStringLiteral("Magnitude")};
    Corpo_celeste sun;
    sun.Distanza = 149597870;
    sun.Diametro_apparente = 1919;
    const SkyObjectTexts sunTexts = bodyTexts(kSole, sun, QStringLiteral("Sun"), captions, kEnglish);
    EXPECT_FALSE(sunTexts.magnitudeShown);
    EXPECT_EQ(sunTexts.distance, QStringLiteral("149,597,870 km"));
    EXPECT_EQ(sunTexts.lightTime, QStringLiteral("08m19s"));
    EXPECT_EQ(sunTexts.phaseCaption, QStringLiteral("Magnitude"));
    EXPECT_EQ(sunTexts.phase, QStringLiteral("-26.4"));
    EXPECT_EQ(sunTexts.diameter, QStringLiteral("31'59''"));

    Corpo_celeste moon;
    moon.Distanza = 384400;
    moon.Frazione_illuminata = 3.14159265;
    const SkyObjectTexts moonTexts = bodyTexts(kLuna, moon, QStringLiteral("Moon"), captions, kEnglish);
    EXPECT_FALSE(moonTexts.magnitudeShown);
    EXPECT_EQ(moonTexts.distance, QStringLiteral("384,400 km"));
    EXPECT_EQ(moonTexts.lightTime, QStringLiteral("1.3s"));
    EXPECT_EQ(moonTexts.phase, QStringLiteral("100%"));

    Corpo_celeste jupiter;
    jupiter.Distanza = 5.2;
    jupiter.Frazione_illuminata = 0.99;
    jupiter.Magnitudine_visuale = -2.5;
    const SkyObjectTexts planet = bodyTexts(5, jupiter, QStringLiteral("Jupiter"), captions, kEnglish);
    EXPECT_TRUE(planet.magnitudeShown);
    EXPECT_EQ(planet.magnitude, QStringLiteral("-2.5"));
    EXPECT_EQ(planet.distance, QStringLiteral("5.20 UA"));
    EXPECT_EQ(planet.lightTime, QStringLiteral("43m15s"));

    // Venus between the Sun and the Earth: no lit part, no magnitude.
    Corpo_celeste venus = jupiter;
    venus.Frazione_illuminata = 0.0;
    venus.Magnitudine_visuale = mAstro::kNoMagnitude;
    EXPECT_EQ(bodyTexts(2, venus, QStringLiteral("Venus"), captions, kEnglish).magnitude, QString());
}

TEST(SkyObjectTexts, AStarIsRelabelledWithItsCatalogueFields)
{
    Stella_catalogo star;
    star.Ascensione_retta = 6.75f;
    star.Declinazione = -16.7f;
    star.Magnitudine_centesimi = -146;
    star.Costellazione = "CMa";
    star.Lettera = "a ";
    star.Spettro = "A1";
    star.Nome = "Sirius          ";
    const SkyObjectCaptions captions{QStringLiteral("Constellation"), QStringLiteral("Letter"),
                                     QStringLiteral("Spectrum"), QStringLiteral("Magnitude")};
    const SkyObjectTexts texts = starTexts(star, 150.25, 20.5, captions, kEnglish);
    EXPECT_EQ(texts.title, QStringLiteral("Sirius"));
    EXPECT_EQ(texts.magnitude, QStringLiteral("-1.46"));
    EXPECT_EQ(texts.diameterCaption, QStringLiteral("Constellation"));
    EXPECT_EQ(texts.diameter, QStringLiteral("CMa"));
    EXPECT_EQ(texts.distance, QStringLiteral("A1"));
    EXPECT_EQ(texts.declination, QString::fromUtf16(u"-16\u00b0 42'"));
    EXPECT_TRUE(texts.lightTime.isEmpty());
    star.Magnitudine_centesimi = 0;
    EXPECT_EQ(starTexts(star, 0, 0, captions, kEnglish).magnitude, QStringLiteral("0.00"));
}

TEST_F(LocalSkyTest, ObjectWindowShowsTheStarAndHidesTheMoonsMagnitude)
{
    Record_stella.Ascensione_retta = 5.5f;
    Record_stella.Declinazione = -16.7f;
    Record_stella.Nome = "Test star       ";
    Record_stella.Costellazione = "Ori";
    frmObject window;
    window.gintOggetto = 0;
    window.Aggiorna_etichette();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Test star"));
    EXPECT_EQ(window.lblRa->text(), QStringLiteral(" 05h 30m 00s"));
    EXPECT_EQ(window.lblDiametro->text(), mLang::Testo_lingua(u"frmObject", u"costellazione"));
    EXPECT_EQ(window.lblSize->text(), QStringLiteral("Ori"));
    EXPECT_FALSE(window.lblMag->isHidden());
    window.Aggiorna_etichette(); // a repaint shows the same
    EXPECT_EQ(window.lblDec->text(), QString::fromUtf16(u"-16\u00b0 42'"));

    // A star without a proper name keeps the window's own title.
    Record_stella.Nome = std::string(16, ' ');
    window.Aggiorna_etichette();
    EXPECT_EQ(window.windowTitle(), mLang::Testo_lingua(u"frmObject", u"oggetto"));
    EXPECT_FALSE(window.windowTitle().isEmpty());

    frmObject moonWindow;
    moonWindow.gintOggetto = kLuna;
    moonWindow.Aggiorna_etichette();
    EXPECT_TRUE(moonWindow.lblMag->isHidden());
    EXPECT_TRUE(moonWindow.lblMagnitudine->isHidden());
    EXPECT_EQ(moonWindow.windowTitle(), mLang::Testo_lingua(u"Planets", u"Luna"));
    EXPECT_FALSE(moonWindow.PicObject->pixmap().isNull());
}

} // namespace

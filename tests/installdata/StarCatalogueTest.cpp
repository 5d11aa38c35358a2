// stars.bin: 9010 fixed records of the Bright Star Catalogue, brightest first.

#include "IauConstellations.h"
#include "InstallDataFiles.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace installdata;

namespace {

constexpr int kStarCount = 9010;

// The limiting-magnitude dialog draws the first N stars for "mag. X"; the N-th star of the
// catalogue must then be about that bright: within a tenth of the dialog's 0.5 magnitude step.
constexpr double kLimitToleranceMag = 0.05;

struct LimitEntry
{
    double limitMagnitude;
    int starCount;
};

constexpr LimitEntry kLimitingMagnitudes[] = {
    {6.5, 8523}, {6.0, 5146}, {5.5, 2906}, {5.0, 1639}, {4.5, 921}, {4.0, 521},
    {3.5, 293},  {3.0, 176},  {2.5, 94},   {2.0, 50},   {1.5, 23},
};

bool isPrintableAscii(const QByteArray& text)
{
    for (char c : text)
        if (c < 0x20 || c > 0x7e)
            return false;
    return true;
}

class StarCatalogue : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_stars = readStars(); }
    static std::vector<StarRecord> s_stars;
};

std::vector<StarRecord> StarCatalogue::s_stars;

} // namespace

TEST(StarCatalogueFile, HoldsExactlyTheFixedNumberOfRecords)
{
    EXPECT_EQ(readBytes(QStringLiteral("stars.bin")).size(), kStarCount * kStarRecordSize);
}

TEST_F(StarCatalogue, IsOrderedBrightestFirst)
{
    ASSERT_EQ(s_stars.size(), std::size_t(kStarCount));
    for (std::size_t k = 1; k < s_stars.size(); ++k)
        ASSERT_LE(s_stars[k - 1].centimagnitude, s_stars[k].centimagnitude) << "record " << k + 1;
}

TEST_F(StarCatalogue, EveryFieldLiesInItsRange)
{
    const QSet<QString> constellations = iauConstellationCodes();
    const QByteArray greekLetters = "abgdezhqiklmnxoprstufcyw";
    for (std::size_t k = 0; k < s_stars.size(); ++k) {
        const StarRecord& s = s_stars[k];
        SCOPED_TRACE(::testing::Message() << "record " << k + 1);
        EXPECT_GE(s.rightAscensionHours, 0.0F);
        EXPECT_LT(s.rightAscensionHours, 24.0F);
        EXPECT_GE(s.declinationDegrees, -90.0F);
        EXPECT_LE(s.declinationDegrees, 90.0F);
        EXPECT_GE(s.centimagnitude, -150);
        EXPECT_LE(s.centimagnitude, 800);
        EXPECT_TRUE(constellations.contains(QString::fromLatin1(s.constellation)))
            << s.constellation.constData();
        EXPECT_TRUE(s.bayerLetter == "  " || (greekLetters.contains(s.bayerLetter[0])
                                              && (s.bayerLetter[1] == ' '
                                                  || std::isdigit(s.bayerLetter[1]))))
            << s.bayerLetter.constData();
        EXPECT_TRUE(s.spectralClass == "  " || QByteArray("OBAFGKMCSWND").contains(s.spectralClass[0]))
            << s.spectralClass.constData();
        EXPECT_TRUE(isPrintableAscii(s.spectralClass + s.name));
        EXPECT_FALSE(s.name.startsWith(' ') && s.name.trimmed().size() > 0);
    }
}

TEST_F(StarCatalogue, BrightestStarIsSiriusAtItsCataloguePlace)
{
    ASSERT_FALSE(s_stars.empty());
    const StarRecord& sirius = s_stars.front();
    EXPECT_NEAR(sirius.rightAscensionHours, 6.7525, 1e-4);   // 6h 45m 09s, J2000
    EXPECT_NEAR(sirius.declinationDegrees, -16.7161, 1e-4);  // -16 deg 42' 58"
    EXPECT_EQ(sirius.centimagnitude, -146);
    EXPECT_EQ(sirius.constellation, "CMa");
    EXPECT_EQ(sirius.bayerLetter, "a ");
    EXPECT_EQ(sirius.spectralClass, "A0");
    EXPECT_EQ(sirius.name.trimmed(), "Sirius");
}

TEST_F(StarCatalogue, StarCountsOfTheLimitingMagnitudesMatchTheMagnitudes)
{
    ASSERT_EQ(s_stars.size(), std::size_t(kStarCount));
    for (const LimitEntry& entry : kLimitingMagnitudes) {
        const double nth = s_stars[std::size_t(entry.starCount - 1)].centimagnitude / 100.0;
        EXPECT_NEAR(nth, entry.limitMagnitude, kLimitToleranceMag)
            << "star " << entry.starCount << " for mag. " << entry.limitMagnitude;
    }
}

TEST_F(StarCatalogue, ManyBrightStarsCarryTheirProperNames)
{
    int named = 0;
    for (const StarRecord& s : s_stars)
        named += s.name.trimmed().isEmpty() ? 0 : 1;
    EXPECT_GT(named, 150);
    // The twenty brightest stars all have names of their own in the atlases.
    for (std::size_t k = 0; k < 20; ++k)
        EXPECT_FALSE(s_stars[k].name.trimmed().isEmpty()) << "record " << k + 1;
}

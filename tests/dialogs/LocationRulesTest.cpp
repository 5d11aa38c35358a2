// The location dialogs' rules without widgets: time-zone lists, globe preview, typed numbers
// and the two forms of degrees.

#include "dialogs/LocationRules.h"
#include "core/mMate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

using namespace location;

namespace {

struct ZoneCase
{
    float zone;
    int side;
    int hours;
    int minuteIndex;
    bool clamped;
    float readBack; ///< what the lists give back
};

void PrintTo(const ZoneCase& c, std::ostream* out)
{
    *out << "zone " << c.zone;
}

class ZoneLists : public ::testing::TestWithParam<ZoneCase>
{
};

INSTANTIATE_TEST_SUITE_P(
    Zones, ZoneLists,
    ::testing::Values(
        ZoneCase{-5.5f, 1, 5, 1, false, -5.5f}, ZoneCase{5.75f, 0, 5, 2, false, 5.75f},
        // 15 minutes has no list entry: the minutes list is left as it was.
        ZoneCase{5.25f, 0, 5, -1, false, 5.0f}, ZoneCase{0.0f, 0, 0, 0, false, 0.0f},
        ZoneCase{13.0f, 0, 13, 0, false, 13.0f}, ZoneCase{14.0f, 0, 14, 0, false, 14.0f},
        ZoneCase{-12.0f, 1, 12, 0, false, -12.0f}, ZoneCase{14.5f, 0, 14, 0, true, 14.0f},
        ZoneCase{-13.0f, 1, 12, 0, true, -12.0f}));

struct GlobeCase
{
    double longitude;
    int picture;
    double centre;
};

} // namespace

TEST_P(ZoneLists, ShowAndReadBack)
{
    const ZoneCase& c = GetParam();
    const ZoneChoice choice = zoneChoice(c.zone);
    EXPECT_EQ(choice.side, c.side);
    EXPECT_EQ(choice.hours, c.hours);
    EXPECT_EQ(choice.minuteIndex, c.minuteIndex);
    EXPECT_EQ(choice.clamped, c.clamped);
    EXPECT_EQ(zoneHours(choice.side, choice.hours, std::max(choice.minuteIndex, 0)), c.readBack);
}

TEST(GlobePreview, BandsChooseTheirPictureFromTheWestEdge)
{
    const GlobeCase cases[] = {
        {-180, 1, -180}, {-160.0001, 1, -180}, {-160, 2, -140},  {-0.5, 5, -20}, {0, 6, 0},
        {20, 7, 20},     {79.9, 8, 60},        {159.9, 10, 140}, {160, 11, 160}, {180, 11, 160}};
    for (const GlobeCase& c : cases) {
        const GlobeView view = globeView(c.longitude);
        EXPECT_EQ(view.picture, c.picture) << "longitude " << c.longitude;
        EXPECT_EQ(view.centreLongitudeDeg, c.centre) << "longitude " << c.longitude;
    }
}

TEST(GlobePreview, MilanoLiesWhereTheTiltedProjectionPutsIt)
{
    constexpr double kTolerance = 5e-4; // the published figures carry three decimals
    const GlobePoint milano = globePoint(45.47, 9.19);
    EXPECT_NEAR(milano.x, 0.112, kTolerance);
    EXPECT_NEAR(milano.y, 0.509, kTolerance);
    const GlobePoint centre = globePoint(kGlobeCentreLatitudeDeg, 0);
    EXPECT_NEAR(centre.x, 0, 1e-9);
    EXPECT_NEAR(centre.y, 0, 1e-9);
}

TEST(TypedNumbers, HeightIsTheLeadingNumberToTheWholeMetre)
{
    EXPECT_EQ(heightMetres(u"12.7m above"), 13);
    EXPECT_EQ(heightMetres(u"abc"), 0);
    EXPECT_EQ(heightMetres(u"-430"), -430);
    EXPECT_EQ(heightMetres(u" 1 33"), 133);
}

TEST(DegreeForms, SexagesimalAndDecimalConvertBothWays)
{
    // 45 28' 12" is 45.47 degrees, shown on the decimal tab as 45 and 4700.
    const double milano = mMate::Gradi_decimali(45, 28, 12);
    EXPECT_NEAR(milano, 45.47, 1e-12);
    EXPECT_EQ(decimalDegreesText(milano).degrees, QStringLiteral("45"));
    EXPECT_EQ(decimalDegreesText(milano).fraction, QStringLiteral("4700"));

    // 09 and 1900 is 9.19 degrees: 9 11' 24".
    const SexagesimalText parts = sexagesimalText(9 + 1900 / 10000.0);
    EXPECT_EQ(parts.degrees, QStringLiteral("9"));
    EXPECT_EQ(parts.minutes, QStringLiteral("11"));
    EXPECT_EQ(parts.seconds, QStringLiteral("24"));
    EXPECT_EQ(decimalDegreesText(-9.19).degrees, QStringLiteral("09"));

    // A fraction that rounds to a whole degree carries.
    EXPECT_EQ(decimalDegreesText(9.99999).degrees, QStringLiteral("10"));
    EXPECT_EQ(decimalDegreesText(9.99999).fraction, QStringLiteral("0000"));
    EXPECT_EQ(roundedCoordinate(-45.470049), -45.47);
    EXPECT_EQ(roundedCoordinate(12.34566), 12.3457);
}

TEST(DegreeForms, FractionDigitsAreTheDecimalsAfterTheMark)
{
    const struct
    {
        const char16_t* typed;
        double decimals;
    } readable[] = {{u"5", 0.5},       {u"05", 0.05}, {u"0005", 0.0005}, {u"4700", 0.47},
                    {u" 4 7", 0.47},   {u",5", 0.5},  {u".25", 0.25},    {u"", 0},
                    {u"9999", 0.9999}, {u"0", 0}};
    for (const auto& c : readable) {
        const std::optional<double> read = fractionValue(c.typed);
        ASSERT_TRUE(read.has_value()) << QString::fromUtf16(c.typed).toStdString();
        EXPECT_DOUBLE_EQ(*read, c.decimals) << QString::fromUtf16(c.typed).toStdString();
    }
    for (const char16_t* refused : {u"-5", u"+5", u"5x", u"5,3", u",,5", u"1e2"})
        EXPECT_FALSE(fractionValue(refused).has_value())
            << QString::fromUtf16(refused).toStdString();
    // However many nines, the decimals stay below a whole degree.
    const std::optional<double> nines = fractionValue(QString(40, u'9'));
    ASSERT_TRUE(nines.has_value());
    EXPECT_LT(*nines, 1.0);
    EXPECT_GT(*nines, 0.9999);
    EXPECT_EQ(fractionText(0.5), QStringLiteral("5000"));
    EXPECT_EQ(fractionText(0.05), QStringLiteral("0500"));
    EXPECT_EQ(fractionText(0.0005), QStringLiteral("0005"));
}

TEST(DegreeForms, DecimalMarkInTheDegreesSplitsOffTheDecimals)
{
    const struct
    {
        const char16_t* typed;
        const char16_t* degrees;
        const char16_t* decimals;
    } cases[] = {
        {u"45,5", u"45", u"5"},        {u"12.7", u"12", u"7"},
        {u"45,", u"45", u""},          {u",5", u"", u"5"},
        {u"45.47", u"45", u"47"},      {u"9.19000", u"9", u"1900"},
        {u"45,12345", u"45", u"1235"}, {u"45.99999", u"46", u"0000"},
        {u"45,5,3", u"45", u"5,3"},
    };
    for (const auto& c : cases) {
        const std::optional<DegreesAtMark> split = splitAtDecimalMark(c.typed);
        ASSERT_TRUE(split.has_value()) << QString::fromUtf16(c.typed).toStdString();
        EXPECT_EQ(split->degrees, QString::fromUtf16(c.degrees))
            << QString::fromUtf16(c.typed).toStdString();
        EXPECT_EQ(split->decimals, QString::fromUtf16(c.decimals))
            << QString::fromUtf16(c.typed).toStdString();
    }
    EXPECT_FALSE(splitAtDecimalMark(u"45").has_value());
}

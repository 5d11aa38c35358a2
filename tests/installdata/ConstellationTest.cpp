// clines.dat and cnames.dat: constellation figures drawn between catalogue stars, and labels.

#include "IauConstellations.h"
#include "InstallDataFiles.h"

#include <gtest/gtest.h>

#include <QSet>

#include <cmath>

using namespace installdata;

namespace {

constexpr int kSegmentCount = 646;
constexpr int kLabelCount = 89;

// Figure ends are written in thousandths of an hour and hundredths of a degree: half a unit
// of the last digit, and a little for the catalogue's single-precision positions.
constexpr double kEndRoundingHours = 0.0005 + 1e-5;
constexpr double kEndRoundingDegrees = 0.005 + 1e-4;

int integerField(const QString& field, bool* ok)
{
    return field.trimmed().toInt(ok);
}

bool isCatalogueStar(const std::vector<StarRecord>& stars, double raHours, double decDegrees)
{
    for (const StarRecord& s : stars) {
        double dRa = std::fabs(s.rightAscensionHours - raHours);
        dRa = std::min(dRa, 24.0 - dRa);
        if (dRa <= kEndRoundingHours
            && std::fabs(s.declinationDegrees - decDegrees) <= kEndRoundingDegrees)
            return true;
    }
    return false;
}

} // namespace

TEST(ConstellationLines, AreTheFixedNumberOfSegmentsBetweenCatalogueStars)
{
    const auto records = readRecords(QStringLiteral("clines.dat"));
    ASSERT_EQ(records.size(), std::size_t(kSegmentCount));
    const std::vector<StarRecord> stars = readStars();
    const QSet<QString> codes = iauConstellationCodes();
    for (std::size_t k = 0; k < records.size(); ++k) {
        const QStringList& r = records[k];
        SCOPED_TRACE(::testing::Message() << "segment " << k + 1);
        ASSERT_EQ(r.size(), 5);
        EXPECT_TRUE(codes.contains(r[0])) << r[0].toStdString();
        for (int end = 0; end < 2; ++end) {
            bool okRa = false, okDec = false;
            const int ra = integerField(r[1 + 2 * end], &okRa);
            const int dec = integerField(r[2 + 2 * end], &okDec);
            ASSERT_TRUE(okRa && okDec) << r.join(u',').toStdString();
            EXPECT_GE(ra, 0);
            EXPECT_LT(ra, 24000);
            EXPECT_GE(dec, -9000);
            EXPECT_LE(dec, 9000);
            EXPECT_TRUE(isCatalogueStar(stars, ra / 1000.0, dec / 100.0))
                << "end " << end + 1 << " at " << ra << ", " << dec << " is no catalogue star";
        }
        EXPECT_NE(r[1] + r[2], r[3] + r[4]) << "a segment of zero length";
    }
}

TEST(ConstellationLabels, NameEveryConstellationAndBothPartsOfSerpens)
{
    const auto records = readRecords(QStringLiteral("cnames.dat"));
    ASSERT_EQ(records.size(), std::size_t(kLabelCount));
    QSet<QString> seen;
    int serpens = 0;
    for (const QStringList& r : records) {
        ASSERT_EQ(r.size(), 4);
        bool okRa = false, okDec = false;
        const int ra = integerField(r[0], &okRa);
        const int dec = integerField(r[1], &okDec);
        EXPECT_TRUE(okRa && okDec);
        EXPECT_GE(ra, 0);
        EXPECT_LT(ra, 24000);
        EXPECT_GE(dec, -9000);
        EXPECT_LE(dec, 9000);
        EXPECT_FALSE(r[2].isEmpty());
        EXPECT_EQ(r[3].size(), 3);
        seen.insert(r[3]);
        serpens += r[3] == QStringLiteral("Ser") ? 1 : 0;
    }
    EXPECT_EQ(seen, iauConstellationCodes());
    EXPECT_EQ(serpens, 2);
    EXPECT_EQ(records.back()[3], QStringLiteral("Ser"));
}

TEST(ConstellationLabels, CoverEveryConstellationThatHasAFigure)
{
    QSet<QString> labelled;
    for (const QStringList& r : readRecords(QStringLiteral("cnames.dat")))
        labelled.insert(r.value(3));
    for (const QStringList& r : readRecords(QStringLiteral("clines.dat")))
        EXPECT_TRUE(labelled.contains(r.value(0))) << r.value(0).toStdString();
}

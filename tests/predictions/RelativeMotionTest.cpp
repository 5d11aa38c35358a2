// Relative motion: a satellite with itself, the two Spacetrack Report No. 3 sets, and the
// folding of the longitude and right-ascension differences.

#include "ListingTestSupport.h"
#include "support/RequiredData.h"

#include "core/ElementSet.h"
#include "predictions/RelativeRows.h"

#include <QLocale>

#include <cmath>

namespace {

std::shared_ptr<const TrackSet> tracksOf(const Record_TLE& a, const Record_TLE& b)
{
    std::vector<SatelliteTrack> tracks;
    for (const Record_TLE* set : {&a, &b}) {
        const mSat::ParsedElementSet p = mSat::parseElementSet(
            set->Riga0, set->Riga1, set->Riga2, Tabella_magnitudini, Tabella_frequenze);
        tracks.emplace_back(p.elements, Osservatore, Impostazioni);
    }
    return std::make_shared<const TrackSet>(std::move(tracks));
}

class RelativeMotionTest : public ListingTest
{
protected:
    void SetUp() override
    {
        ListingTest::SetUp();
        QLocale::setDefault(QLocale::c());
    }
    void TearDown() override
    {
        QLocale::setDefault(QLocale::c()); // the default every test program starts with
        ListingTest::TearDown();
    }
};

TEST_F(RelativeMotionTest, SatelliteWithItselfIsNowhereApart)
{
    const auto tracks = tracksOf(kIssSet, kIssSet);
    const double start = DateValue::fromDateTime(2024, 1, 1, 13, 0, 0);
    const ListingGrid grid = *fixedStepGrid(start, DateValue::addMinutes(start, 10), 60);
    const ListingRows rows = runListing(*tracks, grid, {}, {});
    ASSERT_EQ(rows.rowCount(), 11);
    const SampleCache cache(tracks, rows);
    for (std::int64_t k = 0; k < cache.rowCount(); ++k) {
        const RelativeGeometry g = relativeGeometry(cache.samples(k).of[0], cache.samples(k).of[1]);
        EXPECT_EQ(g.distanceKm, 0.0);
        // The cosines of rounded vectors lie a hair off 1: the clamped arccosine stays a number.
        EXPECT_LT(g.geocentricAngleDeg, 1e-5);
        EXPECT_LT(g.observedAngleDeg, 1e-5);
        const QString row = relativeRow(CoordinateSystem::Obs, cache.rowDate(k), cache.samples(k),
                                        Osservatore, QLocale());
        const QStringList fields = row.split(u' ', Qt::SkipEmptyParts);
        EXPECT_EQ(fields.mid(4, 3), (QStringList{QStringLiteral("0.00"), QStringLiteral("0.00"), QStringLiteral("0.0")}))
            << row.toStdString();
    }
}

TEST_F(RelativeMotionTest, DistanceOfTheTwoTestSetsIsBetweenTheirOwnPositions)
{
    const std::optional<std::vector<Record_TLE>> str3 = str3Sets();
    if (!str3)
        SKIP_OR_FAIL_WITHOUT_DATA("Spacetrack Report No. 3 sets not found");
    const auto pair = tracksOf((*str3)[0], (*str3)[1]);
    const double start = DateValue::fromDateTime(1980, 10, 3, 0, 0, 0);
    const ListingGrid grid = *fixedStepGrid(start, DateValue::addHours(start, 6), 1800);
    const SampleCache cache(pair, runListing(*pair, grid, {}, {}));
    ASSERT_EQ(cache.rowCount(), 13);
    for (std::int64_t k = 0; k < cache.rowCount(); ++k) {
        const double date = cache.rowDate(k);
        const auto a = pair->track(0).at(date, nullptr).eci.positionKm;
        const auto b = pair->track(1).at(date, nullptr).eci.positionKm;
        const double expected =
            std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
        const RelativeGeometry g = relativeGeometry(cache.samples(k).of[0], cache.samples(k).of[1]);
        EXPECT_NEAR(g.distanceKm, expected, 1e-6) << "row " << k;
        EXPECT_GT(g.geocentricAngleDeg, 0.0);
        EXPECT_LE(g.geocentricAngleDeg, 180.0);
        const QString eci = relativeRow(CoordinateSystem::Eci, date, cache.samples(k), Osservatore,
                                        QLocale());
        EXPECT_NEAR(eci.split(u' ', Qt::SkipEmptyParts).last().toDouble(), expected, 0.05);
    }
}

TEST(RelativeGeometry, DifferencesAreFoldedToTheShorterWayRound)
{
    struct Case
    {
        double a, b, expected;
    };
    for (const Case& c : {Case{350, 10, 20}, Case{10, 350, 20}, Case{0, 180, 180}, Case{90, 100, 10}}) {
        SatelliteSample a, b;
        a.valori.Longitudine_est = c.a;
        b.valori.Longitudine_est = c.b;
        EXPECT_DOUBLE_EQ(relativeGeometry(a, b).longitudeDifferenceDeg, c.expected)
            << c.a << " and " << c.b;
    }
    for (const Case& c : {Case{23, 1, 2}, Case{1, 23, 2}, Case{6, 18, 12}, Case{3.5, 1, 2.5}})
        EXPECT_DOUBLE_EQ(rightAscensionDifferenceHours(c.a, c.b), c.expected)
            << c.a << " h and " << c.b << " h";
}

} // namespace

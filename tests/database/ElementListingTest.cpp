#include "ElementSetFixtures.h"

#include "database/ElementDatabase.h"
#include "database/ElementListing.h"

#include <QLocale>

namespace {

const QString kPoint = QStringLiteral(".");

/// A magnitude table that gives the ISS (25544) the entry "4.50".
std::vector<std::string> issMagnitudes()
{
    std::vector<std::string> magnitudes(25545);
    magnitudes[25544] = "4.50";
    return magnitudes;
}

TEST(ElementListing, EachKeyPutsItsValueBeforeTheShortName)
{
    const std::vector<std::string> magnitudes = issMagnitudes();
    struct Case
    {
        SortKey key;
        const char* text;
    };
    const Case cases[] = {
        {SortKey::Name, "ISS (ZARYA)"},
        {SortKey::LaunchYear, "1998  ISS (ZARYA)"},
        {SortKey::Inclination, "051.6  ISS (ZARYA)"},
        {SortKey::Node, "247.5  ISS (ZARYA)"},
        {SortKey::Period, "0092.9  ISS (ZARYA)"}, // 1440 / 15.49815645 = 92.91 minutes
        {SortKey::CatalogueNumber, "25544  ISS (ZARYA)"},
        {SortKey::StandardMagnitude, "4.5  ISS (ZARYA)"},
        {SortKey::Eccentricity, "0.0007  ISS (ZARYA)"},
        {SortKey::ArgumentOfPerigee, "130.5  ISS (ZARYA)"},
        {SortKey::MeanMotion, "15.5  ISS (ZARYA)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(listText(kIssSet, c.key, magnitudes, kPoint), QString::fromLatin1(c.text))
            << "key " << static_cast<int>(c.key);
    }
}

TEST(ElementListing, ValuesThatAreUnusualOrUnknown)
{
    const std::vector<std::string> magnitudes = issMagnitudes();
    const Record_TLE slow{"SLOW", kIssSet.Riga1, withColumns(kIssSet.Riga2, 53, "14.20000000")};
    const Record_TLE eccentric{"ECC", kIssSet.Riga1, withColumns(kIssSet.Riga2, 27, "0012345")};
    const Record_TLE stopped{"STOP", kIssSet.Riga1, withColumns(kIssSet.Riga2, 53, " 0.00000000")};
    const Record_TLE longName{"A NAME LONGER THAN TWENTY-FOUR CHARACTERS", kIssSet.Riga1,
                              kIssSet.Riga2};
    struct Case
    {
        const char* what;
        Record_TLE set;
        SortKey key;
        const char* text;
    };
    const Case cases[] = {
        {"period of 101.4 minutes", slow, SortKey::Period, "0101.4  SLOW"},
        {"mean motion with two integer digits", slow, SortKey::MeanMotion, "14.2  SLOW"},
        {"eccentricity digits 0012345", eccentric, SortKey::Eccentricity, "0.0012  ECC"},
        {"no mean motion has no period", stopped, SortKey::Period, "???  STOP"},
        {"launch year 56 is 2056",
         {"X", withColumns(kIssSet.Riga1, 10, "56"), kIssSet.Riga2},
         SortKey::LaunchYear,
         "2056  X"},
        {"launch year 57 is 1957",
         {"X", withColumns(kIssSet.Riga1, 10, "57"), kIssSet.Riga2},
         SortKey::LaunchYear,
         "1957  X"},
        {"no magnitude entry", makeSet("DARK", "25543"), SortKey::StandardMagnitude, "???  DARK"},
        {"catalogue number beyond the table", makeSet("FAR", "99999"), SortKey::StandardMagnitude,
         "???  FAR"},
        {"catalogue number of letters", makeSet("ODD", "AB CD"), SortKey::StandardMagnitude,
         "???  ODD"},
        {"name cut to 24 characters, untrimmed", longName, SortKey::Name,
         "A NAME LONGER THAN TWENT"},
        {"short element lines read as zeros",
         {"SHORT", "1 25544U", "2 25544"},
         SortKey::Inclination,
         "000.0  SHORT"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(listText(c.set, c.key, magnitudes, kPoint), QString::fromLatin1(c.text))
            << c.what;

    EXPECT_EQ(listText(kIssSet, SortKey::Inclination, magnitudes, QStringLiteral(",")),
              QStringLiteral("051,6  ISS (ZARYA)"));
}

TEST(ElementListing, RowsRunInTextOrderAndLeadBackToTheirRecord)
{
    std::vector<Record_TLE> records;
    std::vector<std::string> magnitudes;
    ElementDatabase database(records, magnitudes);
    ElementFileFolder folder;
    const std::vector<Record_TLE> sets{
        makeSet("delta", "00004", {"", kIssSet.Riga1, withColumns(kIssSet.Riga2, 9, " 98.0000")}),
        makeSet("Alpha", "00001", {"", kIssSet.Riga1, withColumns(kIssSet.Riga2, 9, "  5.0000")}),
        makeSet("charlie", "00003", {"", kIssSet.Riga1, withColumns(kIssSet.Riga2, 9, "120.0000")}),
        makeSet("Bravo", "00002", {"", kIssSet.Riga1, withColumns(kIssSet.Riga2, 9, " 51.6000")}),
        makeSet("alpha", "00005", {"", kIssSet.Riga1, withColumns(kIssSet.Riga2, 9, " 51.6000")}),
    };
    ASSERT_TRUE(
        database.read(folder.write(QStringLiteral("five.tle"), elementFile(sets)), 0).replaced);

    const auto rows = [&database] {
        std::vector<int> recordNumbers;
        for (int row = 0; row < database.rowCount(); ++row)
            recordNumbers.push_back(database.recordNumberAt(row));
        return recordNumbers;
    };
    // By name, letter case ignored; equal names keep their file order.
    EXPECT_EQ(rows(), (std::vector<int>{2, 5, 4, 3, 1}));
    database.setSortKey(SortKey::Inclination);
    EXPECT_EQ(rows(), (std::vector<int>{2, 5, 4, 1, 3})); // 5.0, 51.6 alpha, 51.6 Bravo, 98, 120
    EXPECT_EQ(database.rowText(0), QStringLiteral("005.0  Alpha"));
    EXPECT_EQ(database.rowText(4), QStringLiteral("120.0  charlie"));
    EXPECT_EQ(database.setsAtRows({4, 0, 99}).size(), 2u);
    EXPECT_EQ(database.setsAtRows({4, 0})[0].Riga0, "charlie");
    EXPECT_EQ(database.recordNumberAt(5), 0);
    EXPECT_TRUE(database.rowText(-1).isEmpty());
}

TEST(DatabaseStatistics, AgesAndMagnitudesOfTheSets)
{
    // Epochs 2024 day 1.5 (JD 2460311.0), day 11.5 and day 31.5; the instant is day 41.5.
    const double now = mAstro::Calcola_giorno_giuliano(2024, 1, 41.5);
    std::vector<std::string> magnitudes(6);
    magnitudes[1] = "3.0";
    magnitudes[5] = "5.5";
    const std::vector<Record_TLE> sets{
        withEpochDay(makeSet("A", "00001"), "001.50000000"),
        withEpochDay(makeSet("B", "00002"), "011.50000000"),
        withEpochDay(makeSet("C", "    5"), "031.50000000"),
        withEpochDay(makeSet("D", "A0001"), "031.50000000"), // Alpha-5, beyond the table
        withEpochDay(makeSet("E", "XYZ12"), "031.50000000"), // no number at all
    };
    const std::optional<DatabaseStatistics> statistics = databaseStatistics(sets, magnitudes, now);
    ASSERT_TRUE(statistics);
    EXPECT_EQ(statistics->sets, 5);
    EXPECT_DOUBLE_EQ(statistics->oldestDays, 40.0);
    EXPECT_DOUBLE_EQ(statistics->newestDays, 10.0);
    EXPECT_DOUBLE_EQ(statistics->meanDays, (40.0 + 30.0 + 3 * 10.0) / 5);
    EXPECT_EQ(statistics->withMagnitude, 2);

    // Epochs after the instant (a simulated time in the past) give negative ages, and the
    // oldest is still the largest of them.
    const std::optional<DatabaseStatistics> early = databaseStatistics(sets, magnitudes, now - 50);
    ASSERT_TRUE(early);
    EXPECT_DOUBLE_EQ(early->oldestDays, -10.0);
    EXPECT_DOUBLE_EQ(early->newestDays, -40.0);

    EXPECT_FALSE(databaseStatistics({}, magnitudes, now));
}

TEST(DatabaseStatistics, AgesShowOneDecimalWithoutLeadingZeros)
{
    EXPECT_EQ(formatAgeDays(12.34, kPoint), QStringLiteral("12.3"));
    EXPECT_EQ(formatAgeDays(1234.56, kPoint), QStringLiteral("1234.6"));
    EXPECT_EQ(formatAgeDays(0.04, kPoint), QStringLiteral("0.0"));
    EXPECT_EQ(formatAgeDays(-0.04, kPoint), QStringLiteral("0.0"));
    EXPECT_EQ(formatAgeDays(-3.26, QStringLiteral(",")), QStringLiteral("-3,3"));
}

} // namespace

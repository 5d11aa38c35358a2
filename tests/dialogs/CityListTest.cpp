// The city list file: what is read from it, what a rewrite keeps, and that a rewrite can
// never leave half a file.

#include "DialogTestSupport.h"

#include "dialogs/CityList.h"
#include "support/ScopedLocale.h"

#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace {

struct ParseCase
{
    const char* name;
    const char* text;
    std::vector<QString> names;
    bool complete;
    int failedLine;
};

void PrintTo(const ParseCase& testCase, std::ostream* out)
{
    *out << testCase.name;
}

class CityListParsing : public ::testing::TestWithParam<ParseCase>
{
};

const ParseCase kParseCases[] = {
    {"ThreePlacesAndBlankLastLine",
     "\"A\",1,2,3\r\n\"B\",4,5,6\r\n\"C\",7,8,9\r\n\r\n",
     {u"A"_s, u"B"_s, u"C"_s},
     true,
     0},
    {"LineFeedsOnly", "\"A\",1,2,3\n\"B\",4,5,6", {u"A"_s, u"B"_s}, true, 0},
    {"CarriageReturnsOnly", "\"A\",1,2,3\r\"B\",4,5,6\r", {u"A"_s, u"B"_s}, true, 0},
    {"BlanksAroundFieldsAndNoFraction", "  \"A\" , 45 ,  -9.5 ,1  \n", {u"A"_s}, true, 0},
    {"EmptyNameEndsTheList", "\"A\",1,2,3\n\"\",0,0,0\n\n", {u"A"_s}, true, 0},
    // Places after an empty name would be lost by a rewrite: the reading is not complete.
    {"PlacesAfterAnEmptyName", "\"A\",1,2,3\n\"\",0,0,0\n\"B\",4,5,6\n", {u"A"_s}, false, 2},
    {"FieldThatIsNotANumber", "\"A\",1,2,3\n\"B\",north,5,6\n\"C\",7,8,9\n", {u"A"_s}, false, 2},
    {"MissingField", "\"A\",1,2\n", {}, false, 1},
    {"NameWithoutClosingQuote", "\"A,1,2,3\n", {}, false, 1},
    {"LatitudeBeyondThePole", "\"A\",91,2,3\n", {}, false, 1},
    {"EmptyFile", "", {}, true, 0},
};

INSTANTIATE_TEST_SUITE_P(Files, CityListParsing, ::testing::ValuesIn(kParseCases),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

} // namespace

TEST_P(CityListParsing, ReadsThePlacesBeforeTheFirstFault)
{
    const ParseCase& c = GetParam();
    const CityReading reading = parseCityList(QString::fromUtf8(c.text));
    std::vector<QString> names;
    for (const City& city : reading.cities)
        names.push_back(city.name);
    EXPECT_EQ(names, c.names);
    EXPECT_EQ(reading.complete, c.complete);
    EXPECT_EQ(reading.failedLine, c.failedLine);
}

TEST(CityListFile, NumbersAreReadAsSinglesWhateverTheirForm)
{
    const CityReading reading =
        parseCityList(u"\"Italy: Milano\",45.47,9.19,1\n\"India: Delhi\",28.6,77.2,5.5\n"
                      u"\"Nepal: Kathmandu\",27.7,85.3,5.75\n\"Peru: Lima\",-12.05,-77.05,-5\n");
    ASSERT_TRUE(reading.complete);
    ASSERT_EQ(reading.cities.size(), 4u);
    EXPECT_EQ(reading.cities[0], (City{u"Italy: Milano"_s, 45.47f, 9.19f, 1.0f}));
    EXPECT_EQ(reading.cities[2].zone, 5.75f);
    EXPECT_EQ(reading.cities[3], (City{u"Peru: Lima"_s, -12.05f, -77.05f, -5.0f}));
}

TEST(CityListFile, LinesAreWrittenInTheShortestPlainDecimalForm)
{
    EXPECT_EQ(cityLine({u"Italy: Milano"_s, 45.47f, 9.19f, 1.0f}),
              u"\"Italy: Milano\",45.47,9.19,1"_s);
    EXPECT_EQ(cityLine({u"South"_s, -0.0001f, -180.0f, -0.0f}), u"\"South\",-0.0001,-180,0"_s);
}

TEST(CityListFile, NamesWithAQuoteOrAControlCharacterAreRefused)
{
    EXPECT_TRUE(isValidCityName(u"Italy: Milano"_s));
    EXPECT_TRUE(isValidCityName(u"Tonga: Fua'amotu"_s));
    EXPECT_FALSE(isValidCityName(u"The \"Big\" Apple"_s));
    EXPECT_FALSE(isValidCityName(u"Two\nlines"_s));
    EXPECT_FALSE(isValidCityName(u"Tab\there"_s));
    EXPECT_FALSE(isValidCityName(u"   "_s));
}

class CityFileTest : public DialogTest
{
protected:
    QString path() const { return folderFile(QStringLiteral("cities.dat")); }
};

TEST_F(CityFileTest, AddModifyDeleteSurviveARestart)
{
    writeTestFile(path(), "\"A\",1,2,3\r\n\"B\",4,5,6\r\n\"C\",7,8,9\r\n");
    CityReading reading = readCityFile(path());
    ASSERT_TRUE(reading.complete);
    CityTable table;
    table.assign(reading.cities);

    const int added = table.add({u"D"_s, 10.5f, -20.25f, -3.5f});
    EXPECT_EQ(added, 4);
    ASSERT_TRUE(table.replace(table.firstRowNamed(u"B"_s), {u"B"_s, 40, 50, 6}));
    table.remove(1);
    EXPECT_EQ(table.row(1), nullptr) << "a deleted place keeps its row, blank";
    EXPECT_EQ(table.lastRow(), 4);
    ASSERT_TRUE(writeCityFile(path(), table));

    EXPECT_EQ(readTestFile(path()), QByteArray("\"B\",40,50,6\r\n\"C\",7,8,9\r\n"
                                               "\"D\",10.5,-20.25,-3.5\r\n"));
    reading = readCityFile(path());
    EXPECT_TRUE(reading.complete);
    EXPECT_EQ(reading.cities, table.places());
}

TEST_F(CityFileTest, FileWrittenUnderOneLocaleReadsTheSameUnderTheOther)
{
    const std::vector<City> places{{u"Italy: Milano"_s, 45.47f, 9.19f, 1},
                                   {u"India: Kolkata"_s, 22.5726f, 88.3639f, 5.5f},
                                   {u"Chile: Santiago"_s, -33.45f, -70.6667f, -4}};
    CityTable table;
    table.assign(places);
    for (const auto& [writer, reader] : {std::pair{kCommaLocale, "C"}, std::pair{"C", kCommaLocale}}) {
        SCOPED_TRACE(std::string(writer) + " -> " + reader);
        {
            const ScopedLocale locale(writer);
            if (!locale.available())
                GTEST_SKIP() << writer << " is not installed";
            ASSERT_TRUE(writeCityFile(path(), table));
        }
        EXPECT_TRUE(readTestFile(path()).startsWith("\"Italy: Milano\",45.47,9.19,1\r\n"));
        const ScopedLocale locale(reader);
        const CityReading reading = readCityFile(path());
        EXPECT_TRUE(reading.complete);
        EXPECT_EQ(reading.cities, places);
    }
}

TEST_F(CityFileTest, FailedWriteLeavesTheOldFileAndSaysWhy)
{
    writeTestFile(path(), "\"A\",1,2,3\r\n");
    CityTable table;
    table.add({u"B"_s, 4, 5, 6});
    // A folder in the way of the temporary file's rename: the replacement cannot happen.
    const QString blocked = folderFile(QStringLiteral("blocked"));
    ASSERT_TRUE(QDir().mkpath(blocked + QStringLiteral("/cities.dat")));
    QString error;
    EXPECT_FALSE(writeCityFile(blocked + QStringLiteral("/cities.dat"), table, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readTestFile(path()), QByteArray("\"A\",1,2,3\r\n"));
}

TEST_F(CityFileTest, MissingFileIsNotComplete)
{
    const CityReading reading = readCityFile(folderFile(QStringLiteral("none.dat")));
    EXPECT_FALSE(reading.complete);
    EXPECT_FALSE(reading.errorText.isEmpty());
}

TEST_F(CityFileTest, InstalledListReadsCompletelyAndRewritesToTheSamePlaces)
{
    const CityReading installed = readCityFile(QStringLiteral(QUORVANEL_DATA_DIR "/cities.dat"));
    ASSERT_TRUE(installed.complete) << installed.errorText.toStdString();
    ASSERT_GT(installed.cities.size(), 4000u);
    CityTable table;
    table.assign(installed.cities);
    ASSERT_TRUE(writeCityFile(path(), table));
    EXPECT_EQ(readCityFile(path()).cities, installed.cities);
}

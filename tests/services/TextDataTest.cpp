#include "support/TestFiles.h"

#include "services/TextData.h"

#include <cmath>
#include <limits>

namespace {

TEST(DataNumber, WholeTextMustBeOneNumber)
{
    struct Case
    {
        const char* text;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"1639", 1639},      {" -10 ", -10},     {"+2", 2},          {"12.5", 12.5},
        {"12,5", 12.5},      {"-33870", -33870}, {"1e3", 1000},      {"-1.5E-2", -0.015},
        {".5", 0.5},         {"", std::nullopt}, {"  ", std::nullopt}, {"abc", std::nullopt},
        {"5.5xyz", std::nullopt}, {"1 2", std::nullopt}, {"1,234.5", std::nullopt},
        {"1.2.3", std::nullopt},  {"inf", std::nullopt}, {"nan", std::nullopt},
        {"0x10", std::nullopt},   {"1e999", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseDataNumber(QString::fromLatin1(c.text)), c.expected);
    }
}

TEST(DataNumber, LeadingNumberStopsAtTheFirstOtherCharacter)
{
    struct Case
    {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"5.5xyz", 5.5}, {"", 0},         {"abc", 0},     {"-3.5", -3.5}, {" 1 2 . 5 ", 12.5},
        {"5,5", 5.5},    {"1.5.7", 1.5},  {"2e3x", 2000}, {"2e", 2},      {"2e-", 2},
        {"-", 0},        {"+4", 4},       {"7-1", 7},     {"9.", 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(leadingNumber(QString::fromLatin1(c.text)), c.expected);
    }
}

TEST(DataNumber, WrittenTextReadsBackAsTheSameValueWithAPoint)
{
    // The user's locale must not change what is written: try a comma-decimal locale.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const double doubles[] = {0, 10, -10, 12.5, 0.1, 1.0 / 3.0, -33.87, 360, 1e300, 1e-300,
                              std::numeric_limits<double>::max()};
    for (const double value : doubles) {
        const QString text = formatDataNumber(value);
        SCOPED_TRACE(text.toStdString());
        EXPECT_FALSE(text.contains(u','));
        EXPECT_EQ(parseDataNumber(text), value);
    }
    const float floats[] = {0.0f, 133.0f, 45.47f, -33.87f, 0.1f, -33870.0f, 5.5f};
    for (const float value : floats) {
        const QString text = formatDataNumber(value);
        SCOPED_TRACE(text.toStdString());
        EXPECT_FALSE(text.contains(u','));
        ASSERT_TRUE(parseDataNumber(text).has_value());
        EXPECT_EQ(static_cast<float>(*parseDataNumber(text)), value);
    }
    EXPECT_EQ(formatDataNumber(0.1f), QStringLiteral("0.1"));
    QLocale::setDefault(previous);
}

TEST(DataLines, CrLfLfAndCrEndLinesAlike)
{
    const QStringList expected{QStringLiteral("a"), QStringLiteral("b"), QString(),
                               QStringLiteral("c")};
    EXPECT_EQ(splitDataLines(u"a\r\nb\r\n\r\nc\r\n"), expected);
    EXPECT_EQ(splitDataLines(u"a\nb\n\nc"), expected);
    EXPECT_EQ(splitDataLines(u"a\r\nb\n\r\nc"), expected);
    EXPECT_TRUE(splitDataLines(u"").isEmpty());
    EXPECT_EQ(splitDataLines(u"\n"), QStringList{QString()});
    EXPECT_EQ(splitDataLines(u"a\rb\r\rc"), expected);
    EXPECT_EQ(splitDataLines(u"a\rb\n\r\nc\r"), expected);
}

class DataFileLookup : public ProgramStateTest
{
};

TEST_F(DataFileLookup, FindsFilesWhateverTheLetterCaseOfTheirName)
{
    writeTestFile(folderFile(QStringLiteral("English.ini")), "x");
    QDir().mkpath(folderFile(QStringLiteral("sub")));
    EXPECT_EQ(dataFilePath(QStringLiteral("english.INI")), folderFile(QStringLiteral("English.ini")));
    EXPECT_EQ(findFileIgnoringCase(MyPath, QStringLiteral("Italiano.ini")), QString());
    EXPECT_EQ(findFileIgnoringCase(MyPath, QStringLiteral("SUB")), QString()); // not a file
    EXPECT_EQ(dataFilePath(QStringLiteral("cities.dat")), folderFile(QStringLiteral("cities.dat")));
}

} // namespace

#include "ElementSetFixtures.h"

#include "database/ElementFile.h"

#include <QBuffer>

namespace {

ElementFileRead readBytes(const QByteArray& bytes, const ReadHooks& hooks = {})
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return readElementSets(buffer, hooks);
}

void expectSameSets(const std::vector<Record_TLE>& actual, const std::vector<Record_TLE>& expected,
                    const char* what)
{
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i].Riga0, expected[i].Riga0) << what << ", set " << i;
        EXPECT_EQ(actual[i].Riga1, expected[i].Riga1) << what << ", set " << i;
        EXPECT_EQ(actual[i].Riga2, expected[i].Riga2) << what << ", set " << i;
    }
}

TEST(ElementFile, LineEndsAndBlankLinesBetweenSetsDoNotChangeWhatIsRead)
{
    const std::vector<Record_TLE> sets{makeSet("ONE", "00001"), makeSet("TWO   ", "00002"),
                                       makeSet("THREE", "00003")};
    const QByteArray crlf = elementFile(sets, "\r\n");
    const QByteArray lf = elementFile(sets, "\n");

    struct Case
    {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"CR LF", crlf},
        {"LF", lf},
        {"last line without line end", crlf.chopped(2)},
        {"byte-order mark", "\xEF\xBB\xBF" + crlf},
        {"blank lines between, before and after the sets",
         "\r\n\n" + elementFile({sets[0]}) + "\r\n   \r\n\t\n" + elementFile({sets[1]}, "\n") +
             "\n" + elementFile({sets[2]}) + "\r\n\r\n  \r\n"},
    };
    for (const Case& c : cases) {
        const ElementFileRead read = readBytes(c.bytes);
        EXPECT_EQ(read.status, ReadStatus::Complete) << c.what;
        expectSameSets(read.sets, sets, c.what);
    }
}

TEST(ElementFile, BlankNameLineBeforeElementLinesIsASetWithoutName)
{
    const Record_TLE nameless = makeSet("   ", "00002");
    const ElementFileRead read =
        readBytes(elementFile({makeSet("ONE", "00001")}) + "\r\n" + elementFile({nameless}));
    EXPECT_EQ(read.status, ReadStatus::Complete);
    expectSameSets(read.sets, {makeSet("ONE", "00001"), nameless}, "nameless set");
}

TEST(ElementFile, BrokenFilesFailAtTheLineOfTheFault)
{
    const QByteArray twoSets = elementFile(numberedSets(2));
    struct Case
    {
        const char* what;
        QByteArray bytes;
        ReadStatus status;
        int line;
    };
    const Case cases[] = {
        {"last set without line 2", twoSets + "THIRD\r\n" + QByteArray(kIssSet.Riga1.c_str()),
         ReadStatus::SetTruncated, 9},
        {"last set with a name only", twoSets + "THIRD\r\n", ReadStatus::SetTruncated, 8},
        {"garbage lines", twoSets + "garbage\r\nmore garbage\r\nand more\r\n",
         ReadStatus::EpochYearNotNumber, 8},
        {"a line missing inside a set",
         elementFile({makeSet("ONE", "00001")}) + "TWO\r\n" + QByteArray(kIssSet.Riga2.c_str()) +
             "\r\n" + elementFile({makeSet("THREE", "00003")}),
         ReadStatus::SetTruncated, 9},
        {"epoch year of letters",
         elementFile({Record_TLE{"X", withColumns(kIssSet.Riga1, 19, "ab"), kIssSet.Riga2}}),
         ReadStatus::EpochYearNotNumber, 2},
        {"empty file", QByteArray(), ReadStatus::NoSets, 1},
        {"blank lines only", "\r\n  \r\n\n", ReadStatus::NoSets, 1},
    };
    for (const Case& c : cases) {
        const ElementFileRead read = readBytes(c.bytes);
        EXPECT_EQ(read.status, c.status) << c.what;
        EXPECT_EQ(read.problemLine, c.line) << c.what;
        EXPECT_TRUE(isReadFailure(read.status)) << c.what;
    }

    EXPECT_EQ(readElementFile(QString()).status, ReadStatus::NoFileName);
    ElementFileFolder folder;
    EXPECT_EQ(readElementFile(folder.path(QStringLiteral("missing.tle"))).status,
              ReadStatus::OpenFailed);
}

TEST(ElementFile, CatalogueNumberThatIsNoNumberIsReadAsItStands)
{
    const std::vector<Record_TLE> sets{makeSet("LETTERS", "ABCDE"), makeSet("BLANKS", "     "),
                                       makeSet("ALPHA-5", "A0001")};
    const ElementFileRead read = readBytes(elementFile(sets));
    EXPECT_EQ(read.status, ReadStatus::Complete);
    expectSameSets(read.sets, sets, "odd catalogue numbers");
}

TEST(ElementFile, FortyThousandSetsReadWithProgressUpToTheFileSize)
{
    constexpr int kSets = 40000;
    const std::vector<Record_TLE> sets = numberedSets(kSets);
    const QByteArray bytes = elementFile(sets, "\n");
    std::vector<qint64> progress;
    const ElementFileRead read =
        readBytes(bytes, ReadHooks{[&](qint64 done) { progress.push_back(done); }, {}});

    EXPECT_EQ(read.status, ReadStatus::Complete);
    ASSERT_EQ(read.sets.size(), std::size_t{kSets});
    EXPECT_EQ(read.sets.back().Riga0, "SAT 40000");
    EXPECT_EQ(read.totalBytes, bytes.size());
    ASSERT_EQ(progress.size(), std::size_t{kSets});
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.front(), elementFile({sets.front()}, "\n").size());
    EXPECT_EQ(progress.back(), bytes.size());
}

TEST(ElementFile, CancelStopsBeforeTheNextSetAndKeepsTheSetsRead)
{
    int asked = 0;
    const ElementFileRead read =
        readBytes(elementFile(numberedSets(20)), ReadHooks{{}, [&] { return ++asked > 5; }});
    EXPECT_EQ(read.status, ReadStatus::Cancelled);
    EXPECT_FALSE(isReadFailure(read.status));
    ASSERT_EQ(read.sets.size(), 5u);
    EXPECT_EQ(read.sets.back().Riga0, "SAT 5");
}

TEST(ElementFile, GpredictCatalogueReadsEverySet)
{
    const std::optional<std::vector<Record_TLE>> sets = gpredictSets();
    if (!sets)
        GTEST_SKIP() << "gpredict's satellite catalogue is not installed";
    ASSERT_GT(sets->size(), 500u);
    ElementFileFolder folder;
    const QString path = folder.write(QStringLiteral("gpredict.tle"), elementFile(*sets, "\n"));

    const ElementFileRead read = readElementFile(path);
    EXPECT_EQ(read.status, ReadStatus::Complete);
    expectSameSets(read.sets, *sets, "gpredict catalogue");
}

} // namespace

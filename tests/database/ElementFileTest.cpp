#include "ElementSetFixtures.h"
#include "support/RequiredData.h"

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
        {"CR", elementFile(sets, "\r")},
        {"CR, LF and CR LF mixed", elementFile({sets[0]}, "\r") + elementFile({sets[1]}, "\n")
                                       + elementFile({sets[2]}, "\r\n")},
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

TEST(ElementFile, SetsWithColumnsThatAreNoNumbersAreLeftOutAndCounted)
{
    std::vector<Record_TLE> sets = numberedSets(10);
    Record_TLE& garbled = sets[4];
    garbled.Riga1 = withColumns(garbled.Riga1, 21, "24OO1.5OOOOO");
    garbled.Riga2 = withColumns(garbled.Riga2, 18, "NODE.ABC");
    garbled.Riga2[68] = garbled.Riga2[68] == '0' ? '1' : '0';
    const Record_TLE garbledCopy = garbled;
    Record_TLE& wrongChecksum = sets[7];
    wrongChecksum.Riga1[68] = wrongChecksum.Riga1[68] == '0' ? '1' : '0';
    sets.push_back(withEpochDay(makeSet("BEYOND THE YEAR", "00011"), "400.00000000"));
    sets.push_back(withEpochDay(makeSet("HUGE DAY", "00012"), "1e308       "));

    const ElementFileRead read = readBytes(elementFile(sets));
    EXPECT_EQ(read.status, ReadStatus::Complete);
    EXPECT_EQ(read.refusedSets, 3);
    EXPECT_EQ(read.wrongChecksums, 1);
    std::vector<Record_TLE> kept(sets.begin(), sets.begin() + 10);
    kept.erase(kept.begin() + 4);
    expectSameSets(read.sets, kept, "garbled sets left out, the wrong checksum kept");

    const ElementFileRead allGarbled = readBytes(elementFile({garbledCopy, garbledCopy}));
    EXPECT_EQ(allGarbled.status, ReadStatus::NoSets);
    EXPECT_EQ(allGarbled.refusedSets, 2);
}

TEST(ElementFile, BlankLinesAloneStillReportProgressAndAnswerCancel)
{
    const QByteArray blanks(2'000'000, '\n');
    std::vector<qint64> progress;
    int asked = 0;
    const ElementFileRead read =
        readBytes(blanks, ReadHooks{[&](qint64 done) { progress.push_back(done); },
                                    [&] { return ++asked > 10; }});
    EXPECT_EQ(read.status, ReadStatus::Cancelled);
    ASSERT_GE(progress.size(), 5u);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_LT(progress.back(), blanks.size()) << "stopped before the end";
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
        SKIP_OR_FAIL_WITHOUT_DATA("gpredict's satellite catalogue is not installed");
    ASSERT_GT(sets->size(), 500u);
    ElementFileFolder folder;
    const QString path = folder.write(QStringLiteral("gpredict.tle"), elementFile(*sets, "\n"));

    const ElementFileRead read = readElementFile(path);
    EXPECT_EQ(read.status, ReadStatus::Complete);
    expectSameSets(read.sets, *sets, "gpredict catalogue");
}

} // namespace

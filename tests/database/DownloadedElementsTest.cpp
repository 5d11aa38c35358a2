// The check a downloaded element file passes before it replaces a file: the element reader's
// judgement of every set, reached from pieces of any size with only the set being read held in
// memory; a file cut short or not an element file at all is refused, early where it can be.

#include "ElementSetFixtures.h"

#include "core/ElementSet.h"
#include "database/DownloadedElements.h"
#include "database/ElementFile.h"

#include <QBuffer>

namespace {

std::string setText(const Record_TLE& set, std::string_view lineEnd)
{
    return set.Riga0 + std::string(lineEnd) + set.Riga1 + std::string(lineEnd) + set.Riga2 +
           std::string(lineEnd);
}

QByteArray bytesOf(const std::string& text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

ElementFileRead readerResult(const QByteArray& file)
{
    QByteArray bytes = file;
    QBuffer buffer(&bytes);
    EXPECT_TRUE(buffer.open(QIODevice::ReadOnly));
    return readElementSets(buffer);
}

ElementCheckVerdict checkInPieces(const QByteArray& file, qsizetype pieceSize)
{
    ElementFileCheck check;
    for (qsizetype at = 0; at < file.size(); at += pieceSize)
        check.feed(QByteArrayView(file).sliced(at, qMin(pieceSize, file.size() - at)));
    return check.finish();
}

/// A set whose line 1 checksum digit is wrong.
Record_TLE withWrongChecksum(Record_TLE set)
{
    set.Riga1[68] = set.Riga1[68] == '0' ? '1' : '0';
    return set;
}

std::string goodSets(int from, int count, std::string_view lineEnd = "\r\n")
{
    std::string text;
    for (int k = from; k < from + count; ++k)
        text += setText(letterSet(k), lineEnd);
    return text;
}

} // namespace

TEST(ElementFileCheck, JudgesEverySetAsTheElementReaderWhereverThePiecesAreCut)
{
    const std::string good = goodSets(0, 1, "\r\n") + goodSets(1, 1, "\n") + goodSets(2, 1, "\r");
    Record_TLE lettersInColumns = letterSet(3);
    lettersInColumns.Riga2 = withColumns(lettersInColumns.Riga2, 9, "ABCDEFGH");
    Record_TLE badYear = letterSet(4);
    badYear.Riga1 = withColumns(badYear.Riga1, 19, "xx");
    Record_TLE shortLine1 = letterSet(5);
    shortLine1.Riga1.resize(30);
    const std::string html = "<html>\r\n<body><h1>Service unavailable</h1>\r\n</body></html>\r\n";
    using F = ElementFileFault;

    struct Case
    {
        const char* name;
        std::string text;
        F fault;
        qint64 brokenSetLine = 0;
        qint64 firstDamagedLine = 0;
    };
    const Case cases[] = {
        {"three sets, every line end", good, F::None},
        {"byte-order mark", "\xEF\xBB\xBF" + good, F::None},
        {"blank lines and a nameless set",
         "\r\n\r\n" + good + "\r\n\r\n" +
             setText({"", letterSet(5).Riga1, letterSet(5).Riga2}, "\r\n") + "\r\n",
         F::None},
        {"last line without a line end",
         good + letterSet(6).Riga0 + "\r\n" + letterSet(6).Riga1 + "\r\n" + letterSet(6).Riga2,
         F::None},
        {"a set the reader leaves out", good + setText(lettersInColumns, "\r\n") + good, F::None, 0,
         11},
        {"a line 1 cut to 30 characters", good + setText(shortLine1, "\n") + good, F::None, 0, 11},
        {"a wrong checksum", good + setText(withWrongChecksum(letterSet(7)), "\r\n"), F::None, 0,
         11},
        {"cut inside the last line", good + letterSet(6).Riga0 + "\r\n" + letterSet(6).Riga1 +
                                         "\r\n" + letterSet(6).Riga2.substr(0, 40),
         F::CutShort, 0, 11},
        {"cut after a line 1", good + "NAME\r\n" + letterSet(7).Riga1 + "\r\n", F::CutShort},
        {"cut after a name", good + "NAME\r\n", F::CutShort},
        {"epoch year not a number", good + setText(badYear, "\r\n") + good, F::BrokenSet, 11},
        {"epoch year not a number first", setText(badYear, "\n") + good, F::NoSets},
        {"only damaged sets", setText(lettersInColumns, "\n") + setText(shortLine1, "\n"),
         F::NoSets, 0, 2},
        {"web page", html, F::NoSets},
        {"web page without a last line end", html + "<!-- end -->", F::NoSets},
        {"only blank lines", "\r\n \r\n\t\n", F::NoSets},
        {"empty", "", F::NoSets},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray file = bytesOf(c.text);
        const ElementFileRead read = readerResult(file);
        for (const qsizetype piece : {1, 2, 3, 5, 70, 71, 72, 73, 4096, 1 << 20}) {
            const ElementCheckVerdict verdict = checkInPieces(file, piece);
            EXPECT_EQ(verdict.fault, c.fault) << "pieces of " << piece;
            EXPECT_EQ(verdict.brokenSetLine, c.brokenSetLine) << "pieces of " << piece;
            EXPECT_EQ(verdict.firstDamagedLine, c.firstDamagedLine) << "pieces of " << piece;
            // Where the reader reads the whole file, its counts are the check's.
            if (!isReadFailure(read.status) || read.status == ReadStatus::NoSets) {
                EXPECT_EQ(verdict.sets, static_cast<qint64>(read.sets.size()) + read.refusedSets)
                    << "pieces of " << piece;
                EXPECT_EQ(verdict.damagedSets, read.refusedSets + read.wrongChecksums)
                    << "pieces of " << piece;
            }
        }
    }
    // The reader itself stops at the set the check names.
    const ElementFileRead broken = readerResult(bytesOf(cases[10].text));
    EXPECT_EQ(broken.status, ReadStatus::EpochYearNotNumber);
    EXPECT_EQ(broken.problemLine, 11);
}

TEST(ElementFileCheck, DamageThatShiftsTheLinesIsNamedAtTheSetWhereItBegins)
{
    // A line 1 cut to 30 characters together with its line end: every later set is read a
    // line out of step. The reader leaves all of them out, and the check says so, naming the
    // damaged set's own line 1 rather than a later set's.
    Record_TLE joined = letterSet(3);
    joined.Riga1 = joined.Riga1.substr(0, 30) + joined.Riga2;
    const std::string text = goodSets(0, 3) + joined.Riga0 + "\r\n" + joined.Riga1 + "\r\n" +
                             goodSets(4, 5) + letterSet(9).Riga0 + "\r\n";
    const QByteArray file = bytesOf(text);

    const ElementCheckVerdict verdict = checkInPieces(file, 7);
    const ElementFileRead read = readerResult(file);

    ASSERT_FALSE(isReadFailure(read.status));
    EXPECT_EQ(verdict.fault, ElementFileFault::None);
    EXPECT_EQ(verdict.sets, static_cast<qint64>(read.sets.size()) + read.refusedSets);
    EXPECT_EQ(verdict.damagedSets, read.refusedSets + read.wrongChecksums);
    EXPECT_EQ(verdict.damagedSets, 6) << "the damaged set and the five read out of step";
    EXPECT_EQ(verdict.firstDamagedLine, 11);
}

TEST(ElementFileCheck, LargeFileIsJudgedByWholeLinesAndNamesItsBrokenSet)
{
    // 20000 sets in pieces cut across lines and across CR LF, then one broken set.
    std::string text;
    for (int k = 0; k < 20000; ++k)
        text += setText(letterSet(k % 20), "\r\n");
    ElementFileCheck check;
    const QByteArray file = bytesOf(text);
    for (qsizetype at = 0, piece = 1; at < file.size(); at += piece, piece = piece % 9973 + 61)
        check.feed(QByteArrayView(file).sliced(at, qMin(piece, file.size() - at)));
    EXPECT_LE(check.heldBytes(), 3 * 80);
    EXPECT_FALSE(check.refusedAlready());
    ElementFileCheck broken = check;
    const ElementCheckVerdict whole = check.finish();
    EXPECT_EQ(whole.fault, ElementFileFault::None);
    EXPECT_EQ(whole.sets, 20000);
    EXPECT_EQ(whole.damagedSets, 0);

    Record_TLE badYear = letterSet(3);
    badYear.Riga1 = withColumns(badYear.Riga1, 19, "x9");
    broken.feed(bytesOf(setText(badYear, "\r\n")));
    EXPECT_TRUE(broken.refusedAlready()) << "nothing that follows can mend the file";
    const ElementCheckVerdict verdict = broken.finish();
    EXPECT_EQ(verdict.fault, ElementFileFault::BrokenSet);
    EXPECT_EQ(verdict.brokenSetLine, 60002);
}

TEST(ElementFileCheck, FileThatIsNoElementFileIsRefusedEarly)
{
    // A web page: its first three lines already make a set the reader cannot get past.
    ElementFileCheck page;
    page.feed("<!DOCTYPE html>\r\n<html><head><title>Service unavailable</title></head>\r\n"
              "<body>\r\n");
    EXPECT_TRUE(page.refusedAlready());
    EXPECT_EQ(page.finish().fault, ElementFileFault::NoSets);

    // Lines the reader would take for sets, none of them readable (a log of measurements):
    // refused once the limit has passed without a readable set, not before, and the verdict
    // is the one the whole file would get.
    const QByteArray line = "2024-03-15 12:00:00  1013.2 hPa  21.5 C  48 %\r\n";
    ElementFileCheck log;
    qint64 fed = 0;
    while (!log.refusedAlready()) {
        log.feed(line);
        fed += line.size();
        ASSERT_LE(fed, ElementFileCheck::kMaxBytesBeforeFirstSet + line.size());
    }
    EXPECT_GT(fed, ElementFileCheck::kMaxBytesBeforeFirstSet);
    EXPECT_EQ(log.finish().fault, ElementFileFault::NoSets);

    // The limit is a place in the file, not in the pieces: blank lines up to just before it,
    // then a set, are accepted in any pieces; a set that ends just after it is not.
    const QByteArray set = bytesOf(goodSets(0, 1));
    const qint64 room = ElementFileCheck::kMaxBytesBeforeFirstSet - set.size() + 2;
    const QByteArray inTime = QByteArray(room - 1, '\n') + set;
    const QByteArray late = QByteArray(room + 1, '\n') + set;
    for (const qsizetype piece : {1000, 65536, 1 << 20}) {
        EXPECT_EQ(checkInPieces(inTime, piece).fault, ElementFileFault::None) << piece;
        EXPECT_EQ(checkInPieces(late, piece).fault, ElementFileFault::NoSets) << piece;
    }
}

TEST(ElementFileCheck, EndlessLineIsNotHeld)
{
    ElementFileCheck check;
    const QByteArray block(1 << 20, 'x');
    for (int i = 0; i < 16; ++i)
        check.feed(block);
    EXPECT_LE(check.heldBytes(), 4096);
    EXPECT_TRUE(check.refusedAlready());
    EXPECT_EQ(check.finish().fault, ElementFileFault::NoSets);
}

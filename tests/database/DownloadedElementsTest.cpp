// The check a downloaded element file passes before it replaces a file: the element reader's
// judgement of every set, reached from pieces of any size with only the set being read held in
// memory; a file cut short or not an element file at all is refused, early where the reader
// would read nothing whatever followed.

#include "ElementSetFixtures.h"

#include "core/ElementSet.h"
#include "database/DownloadedElements.h"
#include "database/ElementFile.h"

#include <QBuffer>

#include <random>

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
    // As a download does: once the file is refused already, nothing more is fed.
    ElementFileCheck check;
    for (qsizetype at = 0; at < file.size() && !check.refusedAlready(); at += pieceSize)
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

TEST(ElementFileCheck, AcceptsWhatTheReaderReadsFromGeneratedFilesCutAnywhere)
{
    // Files of good, damaged and nameless sets, line 2s without their checksum column, sets
    // the reader cannot get past, stray and blank lines (one blank far beyond what the check
    // holds, then text), every line end, the last with or without its end. The reader's result
    // decides the verdict; a last line 2 without its end whose set the reader leaves out is
    // the one file it reads that is refused, as cut.
    Record_TLE letters = letterSet(3);
    letters.Riga2 = withColumns(letters.Riga2, 9, "ABCDEFGH");
    Record_TLE badYear = letterSet(4);
    badYear.Riga1 = withColumns(badYear.Riga1, 19, "xx");
    std::mt19937 random(20240315);
    const auto pick = [&random](int n) { return static_cast<int>(random() % unsigned(n)); };
    for (int fileNumber = 0; fileNumber < 400; ++fileNumber) {
        std::vector<std::string> lines;
        for (int item = 0, items = 1 + pick(6); item < items; ++item) {
            const int kind = pick(fileNumber % 5 == 0 ? 10 : 9); // 6 to 8: a good set
            if (kind == 5) {
                lines.push_back(pick(2) ? "  " : std::string(5000, ' ') + "stray");
                continue;
            }
            Record_TLE set = kind == 0   ? withWrongChecksum(letterSet(pick(20)))
                             : kind == 1 ? letters
                             : kind == 9 ? badYear
                                         : letterSet(pick(20));
            if (kind == 2)
                set.Riga0.clear();
            else if (kind == 3 || kind == 4)
                set.Riga2.resize(kind == 3 ? std::size_t(63 + pick(6)) : 40);
            lines.insert(lines.end(), {set.Riga0, set.Riga1, set.Riga2});
        }
        const char* const lineEnds[] = {"\r\n", "\n", "\r", ""};
        std::string text;
        for (std::size_t k = 0; k < lines.size(); ++k)
            text += lines[k] + lineEnds[pick(k + 1 == lines.size() ? 4 : 3)];
        const QByteArray file = bytesOf(text);
        const ElementFileRead read = readerResult(file);
        bool lastSetCut = false;
        if (read.status == ReadStatus::Complete && !file.endsWith('\n') && !file.endsWith('\r')) {
            const ElementFileRead before =
                readerResult(file.first(qMax(file.lastIndexOf('\n'), file.lastIndexOf('\r')) + 1));
            lastSetCut =
                before.status == ReadStatus::SetTruncated && before.refusedSets < read.refusedSets;
        }
        using F = ElementFileFault;
        const F fault = read.sets.empty()                                       ? F::NoSets
                        : read.status == ReadStatus::EpochYearNotNumber         ? F::BrokenSet
                        : read.status == ReadStatus::SetTruncated || lastSetCut ? F::CutShort
                                                                                : F::None;
        SCOPED_TRACE(text);
        for (qsizetype piece = 1; piece <= 75; ++piece) {
            const ElementCheckVerdict verdict = checkInPieces(file, piece);
            ASSERT_EQ(verdict.fault, fault) << "pieces of " << piece;
            if (fault == F::BrokenSet) {
                EXPECT_EQ(verdict.brokenSetLine, read.problemLine);
            }
            if (read.status == ReadStatus::Complete) {
                EXPECT_EQ(verdict.sets, qint64(read.sets.size()) + read.refusedSets);
                EXPECT_EQ(verdict.damagedSets, read.refusedSets + read.wrongChecksums);
            }
        }
    }
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

TEST(ElementFileCheck, FileThatIsNoElementFileIsRefusedEarlyWhereTheReaderReadsNothingOrAtALimit)
{
    // A web page: its first three lines already make a set the reader cannot get past.
    ElementFileCheck page;
    page.feed("<!DOCTYPE html>\r\n<html><head><title>Service unavailable</title></head>\r\n"
              "<body>\r\n");
    EXPECT_TRUE(page.refusedAlready());
    EXPECT_EQ(page.finish().fault, ElementFileFault::NoSets);

    // Lines the reader takes for sets and leaves out (a log of measurements), or blank lines,
    // for a megabyte: the reader has no limit and reads a set that follows, so the check goes
    // on too, and refuses only a file that ends without one.
    const QByteArray line = "2024-03-15 12:00:00  1013.2 hPa  21.5 C  48 %\r\n";
    const QByteArray set = bytesOf(goodSets(0, 1));
    for (const QByteArray& filler : {line + line + line, QByteArray("\n")}) {
        ElementFileCheck check;
        for (qint64 fed = 0; fed < 1024 * 1024; fed += filler.size())
            check.feed(filler);
        EXPECT_FALSE(check.refusedAlready());
        ElementFileCheck withSet = check;
        EXPECT_EQ(check.finish().fault, ElementFileFault::NoSets);
        withSet.feed(set);
        EXPECT_EQ(withSet.finish().fault, ElementFileFault::None);
    }

    // Up to a limit, though: a set that ends within it counts, one a byte beyond does not.
    const ElementFileCheck::Limits limits{1024 * 1024, 64 * 1024};
    const QByteArray lfSet = bytesOf(goodSets(0, 1, "\n"));
    const QByteArray blanks(limits.bytesWithoutSet - lfSet.size(), '\n');
    ElementFileCheck inTime(limits);
    ElementFileCheck late(limits);
    inTime.feed(blanks + lfSet + blanks);
    late.feed(blanks + "\n" + lfSet);
    EXPECT_FALSE(inTime.refusedAlready());
    EXPECT_EQ(inTime.finish().fault, ElementFileFault::None);
    EXPECT_TRUE(late.refusedAlready());
    EXPECT_EQ(late.finish().fault, ElementFileFault::NoSetsEarly);
}

TEST(ElementFileCheck, EndlessLineIsNotHeld)
{
    ElementFileCheck check;
    const QByteArray block(1 << 20, 'x');
    for (int i = 0; i < 16; ++i)
        check.feed(block);
    EXPECT_LE(check.heldBytes(), 4096);
    EXPECT_TRUE(check.refusedAlready()) << "no element file holds such a line";
    EXPECT_EQ(check.finish().fault, ElementFileFault::LineTooLong);

    // Blanks too, and after a good set: the line is named.
    ElementFileCheck afterSet;
    afterSet.feed(bytesOf(goodSets(0, 1)));
    afterSet.feed(QByteArray(afterSet.limits().lineBytes + 1, ' '));
    EXPECT_TRUE(afterSet.refusedAlready());
    const ElementCheckVerdict verdict = afterSet.finish();
    EXPECT_EQ(verdict.fault, ElementFileFault::LineTooLong);
    EXPECT_EQ(verdict.brokenSetLine, 4);
}

// The check a downloaded element file passes before it replaces a file: the element reader's
// verdict, reached from pieces of any size with only the set being read held in memory.

#include "ElementSetFixtures.h"

#include "core/ElementSet.h"
#include "database/DownloadedElements.h"
#include "database/ElementFile.h"

#include <QBuffer>

#include <map>

namespace {

std::string setText(const Record_TLE& set, std::string_view lineEnd)
{
    return set.Riga0 + std::string(lineEnd) + set.Riga1 + std::string(lineEnd) + set.Riga2 +
           std::string(lineEnd);
}

/// The verdict the element reader gives for the whole file at once.
ElementCheckVerdict readerVerdict(const QByteArray& file)
{
    QByteArray bytes = file;
    QBuffer buffer(&bytes);
    EXPECT_TRUE(buffer.open(QIODevice::ReadOnly));
    const ElementFileRead read = readElementSets(buffer);
    static const std::vector<std::string> noMagnitudes;
    static const std::vector<Record_TLE> noFrequencies;
    const bool anyWellFormed = std::any_of(read.sets.begin(), read.sets.end(), [](const auto& s) {
        return s.Riga1.starts_with("1 ") && s.Riga2.starts_with("2 ") &&
               mSat::parseElementSet(s.Riga0, s.Riga1, s.Riga2, noMagnitudes, noFrequencies)
                       .status == mSat::Status::Ok;
    });
    ElementCheckVerdict verdict;
    verdict.holdsSets = !isReadFailure(read.status) && anyWellFormed;
    if (isReadFailure(read.status) && anyWellFormed)
        verdict.malformedSetLine = read.problemLine;
    return verdict;
}

ElementCheckVerdict checkInPieces(const QByteArray& file, qsizetype pieceSize)
{
    ElementFileCheck check;
    for (qsizetype at = 0; at < file.size(); at += pieceSize)
        check.feed(QByteArrayView(file).sliced(at, qMin(pieceSize, file.size() - at)));
    return check.finish();
}

QByteArray bytesOf(const std::string& text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TEST(ElementFileCheck, AgreesWithTheElementReaderWhereverThePiecesAreCut)
{
    const std::string good =
        setText(letterSet(0), "\r\n") + setText(letterSet(1), "\n") + setText(letterSet(2), "\r");
    Record_TLE lettersInColumns = letterSet(3);
    lettersInColumns.Riga2 = withColumns(lettersInColumns.Riga2, 9, "ABCDEFGH");
    Record_TLE badYear = letterSet(4);
    badYear.Riga1 = withColumns(badYear.Riga1, 19, "xx");
    const std::string html = "<html>\r\n<body><h1>Service unavailable</h1>\r\n</body></html>\r\n";

    const std::map<std::string, std::string> files = {
        {"three sets, every line end", good},
        {"byte-order mark", "\xEF\xBB\xBF" + good},
        {"blank lines and a nameless set",
         "\r\n\r\n" + good + "\r\n\r\n" +
             setText({"", letterSet(5).Riga1, letterSet(5).Riga2}, "\r\n") + "\r\n"},
        {"last line without a line end",
         good + letterSet(6).Riga0 + "\r\n" + letterSet(6).Riga1 + "\r\n" + letterSet(6).Riga2},
        {"a set the reader leaves out", good + setText(lettersInColumns, "\r\n")},
        {"cut inside a set", good + "NAME\r\n" + letterSet(7).Riga1 + "\r\n"},
        {"epoch year not a number", good + setText(badYear, "\r\n") + good},
        {"epoch year not a number first", setText(badYear, "\n") + good},
        {"web page", html},
        {"only blank lines", "\r\n \r\n\t\n"},
        {"empty", ""},
    };
    for (const auto& [name, text] : files) {
        const QByteArray file = bytesOf(text);
        const ElementCheckVerdict expected = readerVerdict(file);
        for (const qsizetype piece : {1, 2, 3, 5, 70, 71, 72, 73, 4096, 1 << 20}) {
            const ElementCheckVerdict verdict = checkInPieces(file, piece);
            EXPECT_EQ(verdict.holdsSets, expected.holdsSets) << name << ", pieces of " << piece;
            EXPECT_EQ(verdict.malformedSetLine, expected.malformedSetLine)
                << name << ", pieces of " << piece;
        }
    }
    // The cases mean what their names say.
    EXPECT_TRUE(readerVerdict(bytesOf(files.at("a set the reader leaves out"))).holdsSets);
    EXPECT_EQ(readerVerdict(bytesOf(files.at("epoch year not a number"))).malformedSetLine, 11);
    EXPECT_EQ(readerVerdict(bytesOf(files.at("cut inside a set"))).malformedSetLine, 12);
    EXPECT_EQ(readerVerdict(bytesOf(files.at("web page"))).malformedSetLine, 0);
}

TEST(ElementFileCheck, LargeFileIsJudgedByWholeLinesAndNamesItsDamagedSet)
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
    ElementFileCheck damaged = check;
    EXPECT_TRUE(check.finish().holdsSets);

    Record_TLE badYear = letterSet(3);
    badYear.Riga1 = withColumns(badYear.Riga1, 19, "x9");
    damaged.feed(bytesOf(setText(badYear, "\r\n")));
    const ElementCheckVerdict verdict = damaged.finish();
    EXPECT_FALSE(verdict.holdsSets);
    EXPECT_EQ(verdict.malformedSetLine, 60002);
}

TEST(ElementFileCheck, EndlessLineIsNotHeld)
{
    ElementFileCheck check;
    const QByteArray block(1 << 20, 'x');
    for (int i = 0; i < 16; ++i)
        check.feed(block);
    EXPECT_LE(check.heldBytes(), 4096);
    EXPECT_FALSE(check.finish().holdsSets);
}

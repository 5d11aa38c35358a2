// Lines read a block at a time, and the cut of a line longer than the reader keeps.

#include "support/TestFiles.h"

#include "services/TextLineReader.h"

#include <QBuffer>

namespace {

struct ReadLine
{
    QByteArray text;
    bool cut;
};

std::vector<ReadLine> readAll(QByteArray bytes, qsizetype maxLength, qint64* consumed = nullptr)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TextLineReader reader(buffer);
    reader.setMaxLineLength(maxLength);
    std::vector<ReadLine> lines;
    QByteArray line;
    while (reader.next(line))
        lines.push_back({line, reader.lineCut()});
    EXPECT_FALSE(reader.failed());
    if (consumed)
        *consumed = reader.consumed();
    return lines;
}

TEST(TextLineReader, LongLinesAreCutAndTheNextLinesReadWhole)
{
    // Lines far longer than a block (64 KiB), around a block's edge, and ending in every way.
    const QByteArray huge(300000, 'x');
    const QByteArray file = "first\r\n" + huge + "\r\nsecond\n" + QByteArray(70, 'y') + "\r" +
                            QByteArray(65535, 'z') + "\r\nthird\r\n" + huge;
    qint64 consumed = 0;
    const std::vector<ReadLine> lines = readAll(file, 64, &consumed);
    ASSERT_EQ(lines.size(), 7u);
    const std::vector<std::pair<QByteArray, bool>> expected = {
        {"first", false},           {QByteArray(64, 'x'), true}, {"second", false},
        {QByteArray(64, 'y'), true}, {QByteArray(64, 'z'), true}, {"third", false},
        {QByteArray(64, 'x'), true},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lines[i].text, expected[i].first);
        EXPECT_EQ(lines[i].cut, expected[i].second);
    }
    EXPECT_EQ(consumed, file.size());
}

TEST(TextLineReader, WithoutALimitEveryLineIsWhole)
{
    const QByteArray huge(200000, 'x');
    const std::vector<ReadLine> lines = readAll("a\r\n" + huge + "\rb", 0);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].text, huge);
    EXPECT_FALSE(lines[1].cut);
    EXPECT_EQ(lines[2].text, "b");
}

TEST(TextLineReader, ALineOfExactlyTheLimitIsNotCut)
{
    const std::vector<ReadLine> lines = readAll(QByteArray(64, 'a') + "\n" + QByteArray(65, 'b'), 64);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_FALSE(lines[0].cut);
    EXPECT_TRUE(lines[1].cut);
    EXPECT_EQ(lines[1].text, QByteArray(64, 'b'));
}

} // namespace

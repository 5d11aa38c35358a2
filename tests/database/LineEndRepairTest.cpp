// Line-end repair of element files: the text rules, and the file operation with its failures.

#include "database/LineEndRepair.h"
#include "support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

struct RepairCase
{
    const char* name;
    QByteArray input;
    QByteArray expected;
};

const RepairCase kRepairCases[] = {
    {"LF lines", "A\nB\n", "A\r\nB\r\n"},
    {"CR LF lines stay as they are", "A\r\nB\r\n", "A\r\nB\r\n"},
    {"mixed line ends", "A\r\nB\nC\r\n", "A\r\nB\r\nC\r\n"},
    {"last line without an end gets one", "A\r\nB", "A\r\nB\r\n"},
    {"blanks around a line are trimmed", "  A B  \n", "A B\r\n"},
    {"blanks before CR LF are trimmed", "A  \r\n", "A\r\n"},
    {"tabs are text, not blanks", "\tA\t\n", "\tA\t\r\n"},
    {"empty lines inside the file are kept", "A\n\nB\n", "A\r\n\r\nB\r\n"},
    {"a blank last line becomes empty", "A\n   ", "A\r\n\r\n"},
    {"CR alone ends a line", "A\rB\r", "A\r\nB\r\n"},
    {"CR, LF and CR LF mixed", "A\rB\nC\r\nD", "A\r\nB\r\nC\r\nD\r\n"},
    {"CR before CR LF is an empty line", "A\r\r\n", "A\r\n\r\n"},
    {"LF CR is two line ends", "A\n\rB", "A\r\n\r\nB\r\n"},
    {"bytes beyond ASCII pass unchanged", "\xC3\xA9t\xE9\n", "\xC3\xA9t\xE9\r\n"},
    {"a single line end", "\n", "\r\n"},
};

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

bool writeAll(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray elementFileWithLf(int satellites)
{
    QByteArray text;
    for (int i = 0; i < satellites; ++i) {
        text += "ISS (ZARYA)\n";
        text += "1 25544U 98067A   24001.50000000  .00016717  00000-0  10270-3 0  9005\n";
        text += "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537\n";
    }
    return text;
}

} // namespace

TEST(LineEndRepairText, EveryLineIsTrimmedAndEndedByCrLf)
{
    for (const RepairCase& c : kRepairCases)
        EXPECT_EQ(repairedLineEnds(c.input), c.expected) << c.name;
}

TEST(LineEndRepairText, CountsWhatItChanged)
{
    const RepairedText repaired = repairText("  A\rB \nC\r\nD");
    EXPECT_EQ(repaired.lineEndsChanged, 3) << "CR, LF and the missing last end";
    EXPECT_EQ(repaired.linesTrimmed, 2);
    const RepairedText clean = repairText("A\r\nB\r\n");
    EXPECT_EQ(clean.lineEndsChanged, 0);
    EXPECT_EQ(clean.linesTrimmed, 0);
}

TEST(LineEndRepairText, RepairingTwiceChangesNothingMore)
{
    for (const RepairCase& c : kRepairCases) {
        const QByteArray once = repairedLineEnds(c.input);
        EXPECT_EQ(repairedLineEnds(once), once) << c.name;
    }
}

TEST(LineEndRepairFile, RewritesAnLfFileInPlace)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("visual.txt"));
    ASSERT_TRUE(writeAll(path, "ISS\n 1 25544U \n2 25544\n"));

    EXPECT_EQ(repairLineEnds(path).status, LineEndRepairStatus::Repaired);
    EXPECT_EQ(readAll(path), QByteArray("ISS\r\n1 25544U\r\n2 25544\r\n"));

    const QDateTime written = QFileInfo(path).lastModified();
    const LineEndRepairResult again = repairLineEnds(path);
    EXPECT_EQ(again.status, LineEndRepairStatus::NothingToRepair);
    EXPECT_EQ(QFileInfo(path).lastModified(), written);
}

TEST(LineEndRepairFile, HandlesFilesOfMoreThan32768Lines)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("big.txt"));
    constexpr int kSatellites = 12000; // 36000 lines
    const QByteArray original = elementFileWithLf(kSatellites);
    ASSERT_TRUE(writeAll(path, original));

    ASSERT_EQ(repairLineEnds(path).status, LineEndRepairStatus::Repaired);
    const QByteArray repaired = readAll(path);
    EXPECT_EQ(repaired.count("\r\n"), 3 * kSatellites);
    EXPECT_EQ(repaired.size(), original.size() + 3 * kSatellites);
}

TEST(LineEndRepairFile, EmptyOrMissingFilesAreNotTouched)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString empty = dir.filePath(QStringLiteral("empty.txt"));
    ASSERT_TRUE(writeAll(empty, QByteArray()));
    EXPECT_EQ(repairLineEnds(empty).status, LineEndRepairStatus::EmptyFile);
    EXPECT_EQ(QFileInfo(empty).size(), 0);

    const QString missing = dir.filePath(QStringLiteral("missing.txt"));
    EXPECT_EQ(repairLineEnds(missing).status, LineEndRepairStatus::ReadFailed);
    EXPECT_FALSE(QFile::exists(missing));
}

TEST(LineEndRepairFile, FailedWriteLeavesTheOriginalIntact)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("visual.txt"));
    const QByteArray original = elementFileWithLf(50); // grows by 150 bytes when repaired
    ASSERT_TRUE(writeAll(path, original));

    LineEndRepairStatus status = LineEndRepairStatus::Repaired;
    {
        FileSizeLimit limit(static_cast<rlim_t>(original.size() / 2));
        ASSERT_TRUE(limit.set());
        status = repairLineEnds(path).status;
    }
    EXPECT_EQ(status, LineEndRepairStatus::WriteFailed);
    EXPECT_EQ(readAll(path), original);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("visual.txt")})
        << "the temporary file must not stay behind";
}


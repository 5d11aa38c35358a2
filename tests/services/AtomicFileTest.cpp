// Whole-file writes: a write the system cuts short leaves the old file and says why.

#include "services/AtomicFile.h"

#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(WriteFileAtomically, AWriteCutShortKeepsTheOldFileAndGivesTheSystemsReason)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("cities.dat"));
    ASSERT_TRUE(writeFileAtomically(path, QByteArray("old places\n")));

    QString reason;
    bool written = true;
    {
        const FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.set());
        written = writeFileAtomically(path, QByteArray(5000, 'x'), &reason);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(reason, qt_error_string(EFBIG));
    EXPECT_EQ(contentOf(path), QByteArray("old places\n"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("cities.dat")})
        << "no temporary file is left behind";

    // Without the limit the same bytes replace the file.
    EXPECT_TRUE(writeFileAtomically(path, QByteArray(5000, 'x'), &reason));
    EXPECT_EQ(contentOf(path), QByteArray(5000, 'x'));
}

} // namespace

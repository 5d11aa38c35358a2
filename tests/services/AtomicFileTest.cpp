// Whole-file writes: a write the system cuts short leaves the old file and says why.

#include "services/AtomicFile.h"

#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

#include <sys/stat.h>

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

mode_t modeOf(const QString& path)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

TEST(SavingFile, IsOwnerOnlyWhileWrittenThenTakesTheTargetsPermissions)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    // 0: no target yet, and the file takes a new file's permissions.
    for (const mode_t existing : {mode_t{0}, mode_t{0644}, mode_t{0640}}) {
        SCOPED_TRACE(existing);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("options.ini"));
        if (existing != 0) {
            ASSERT_TRUE(writeFileAtomically(path, QByteArray("old\n")));
            ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), existing), 0);
        }
        SavingFile file(path);
        ASSERT_TRUE(file.open());
        EXPECT_EQ(modeOf(file.fileName()), 0600u);
        ASSERT_TRUE(file.write(QByteArray("new\n")) && file.replaceTarget());
        EXPECT_EQ(modeOf(path), existing != 0 ? existing : 0666 & ~mask);
    }
}

} // namespace

// Leftovers of saves cut short: which files beside a target are taken for the writer's
// temporary files, and the lock that decides whether it is safe to remove them.

#include "support/TestFiles.h"

#include "services/InterruptedSaves.h"

#include <QHostInfo>
#include <QLockFile>
#include <QProcess>

namespace {

class InterruptedSaves : public ProgramStateTest
{
protected:
    QString target() const { return folderFile(QStringLiteral("Quorvanel.ini")); }

    void makeFiles(const QStringList& names)
    {
        for (const QString& name : names)
            writeTestFile(folderFile(name), "partial");
    }

    /// A lock file naming a process that has ended, as a run killed mid-save leaves it.
    void writeStaleLock(const QString& path)
    {
        QProcess ended;
        ended.start(QStringLiteral("true"), {});
        ASSERT_TRUE(ended.waitForStarted());
        const qint64 deadProcess = ended.processId();
        ASSERT_TRUE(ended.waitForFinished());
        writeTestFile(path, QByteArray::number(deadProcess) + "\nquorvanel\n" +
                                QHostInfo::localHostName().toUtf8() + "\n");
    }
};

TEST_F(InterruptedSaves, TemporaryFilesAndAStaleLockGoUsersFilesStay)
{
    // The writer's temporary file, and the INI writer's lock and temporary file beside one.
    const QStringList leftovers{QStringLiteral("Quorvanel.ini.quorvanel-saving-aB3dEf"),
                                QStringLiteral("Quorvanel.ini.quorvanel-saving-Xy9zQw.lock"),
                                QStringLiteral("Quorvanel.ini.quorvanel-saving-Xy9zQw.AbCdEf")};
    // Without the program's mark any name may be a user's, even one that looks random.
    const QStringList kept =
        QStringList{
            QStringLiteral("Quorvanel.ini"),         QStringLiteral("Quorvanel.ini.backup"),
            QStringLiteral("Quorvanel.ini.Backup"),  QStringLiteral("Quorvanel.ini.BACKUP"),
            QStringLiteral("Quorvanel.ini.BackUp"),  QStringLiteral("Quorvanel.ini.MyCopy"),
            QStringLiteral("Quorvanel.ini.OldOne"),  QStringLiteral("Quorvanel.ini.aBcDeF"),
            QStringLiteral("Quorvanel.ini.bad"),     QStringLiteral("Quorvanel.ini.aBcDe1"),
            QStringLiteral("Quorvanel.ini.aBcDeFg"), QStringLiteral("Quorvanel.iniaBcDeF"),
        } +
        QStringList{QStringLiteral("Other.ini.quorvanel-saving-aB3dEf"),
                    QStringLiteral("quorvanel.ini.quorvanel-saving-aB3dEf"),
                    QStringLiteral("Quorvanel.ini.quorvanel-saving-aB3dEf.old")};
    makeFiles(leftovers + kept);
    ASSERT_TRUE(QDir().mkpath(folderFile(QStringLiteral("Quorvanel.ini.quorvanel-saving-fOlDeR"))));
    writeStaleLock(target() + QStringLiteral(".lock"));

    QStringList removed = removeInterruptedSaves(target());
    removed.sort();
    QStringList expected;
    for (const QString& name : leftovers)
        expected.append(folderFile(name));
    expected.sort();
    EXPECT_EQ(removed, expected);
    for (const QString& name : leftovers)
        EXPECT_FALSE(QFile::exists(folderFile(name))) << name.toStdString();
    for (const QString& name : kept)
        EXPECT_TRUE(QFile::exists(folderFile(name))) << name.toStdString();
    EXPECT_TRUE(
        QFileInfo(folderFile(QStringLiteral("Quorvanel.ini.quorvanel-saving-fOlDeR"))).isDir());
    EXPECT_FALSE(QFile::exists(target() + QStringLiteral(".lock")));
}

TEST_F(InterruptedSaves, NothingIsRemovedWhileASaveHoldsTheLock)
{
    makeFiles({QStringLiteral("Quorvanel.ini.quorvanel-saving-aBcDeF")});
    QLockFile saving(target() + QStringLiteral(".lock"));
    ASSERT_TRUE(saving.tryLock(0));
    EXPECT_TRUE(removeInterruptedSaves(target()).isEmpty());
    EXPECT_TRUE(QFile::exists(folderFile(QStringLiteral("Quorvanel.ini.quorvanel-saving-aBcDeF"))));
    EXPECT_TRUE(saving.isLocked());
    EXPECT_TRUE(QFile::exists(target() + QStringLiteral(".lock")));
}

} // namespace

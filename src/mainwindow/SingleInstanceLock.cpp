#include "mainwindow/SingleInstanceLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

SingleInstanceLock::SingleInstanceLock(const QString& programFolder)
    : m_lock(lockFilePath(programFolder))
{
    // Guard: the default stale time would let a second instance break the lock of a first one
    // that has simply run longer than that; only a holder that no longer runs is stale.
    m_lock.setStaleLockTime(0);
}

SingleInstanceLock::Result SingleInstanceLock::tryLock()
{
    if (m_lock.tryLock(0))
        return Result::Acquired;
    return m_lock.error() == QLockFile::LockFailedError ? Result::HeldByAnother
                                                        : Result::Unavailable;
}

QString SingleInstanceLock::lockFilePath(const QString& programFolder)
{
    const QString folder = QFileInfo(programFolder).canonicalFilePath().isEmpty()
                               ? QDir::cleanPath(programFolder)
                               : QFileInfo(programFolder).canonicalFilePath();
    const QByteArray key = (folder + u'\n' + QDir::homePath()).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex();
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("quorvanel-") + QString::fromLatin1(hash.left(16)) +
                  QStringLiteral(".lock"));
}

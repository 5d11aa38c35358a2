#pragma once
// A temporary folder for the whole fuzzing run, for the readers that take a file name.

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

inline QTemporaryDir& fuzzFolder()
{
    // In memory where the system offers it: the readers are fuzzed, not the disk.
    static QTemporaryDir folder(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                    ? QStringLiteral("/dev/shm/quorvanel-fuzz-XXXXXX")
                                    : QString());
    return folder;
}

/// Writes `bytes` to `name` in the fuzz folder; its path.
inline QString writeFuzzFile(const QString& name, const char* bytes, qsizetype size)
{
    const QString path = fuzzFolder().filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes, size);
    return path;
}

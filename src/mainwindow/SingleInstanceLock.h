#pragma once
// One running instance per program folder and user. The lock is a lock file in the temporary
// folder named from the program folder and the user's home; it records the holder's process,
// so the lock of a run that crashed is taken over by the next start.

#include <QLockFile>
#include <QString>

class SingleInstanceLock
{
public:
    enum class Result {
        Acquired,      ///< this instance is the only one
        HeldByAnother, ///< another running instance of the same folder holds the lock
        Unavailable,   ///< the lock file cannot be made (the start goes on without a lock)
    };

    explicit SingleInstanceLock(const QString& programFolder);

    /// Takes the lock; kept until this object goes.
    Result tryLock();

    /// The lock file for a program folder.
    [[nodiscard]] static QString lockFilePath(const QString& programFolder);

private:
    QLockFile m_lock;
};

#pragma once
// Writing a whole file so that a failure never leaves half of it: the bytes go to a
// temporary file beside the target, which replaces the target only when every byte is
// on disk. The temporary file's name carries the program's mark, so that what a run cut short
// leaves behind can be told from a user's own files (InterruptedSaves.h).

#include <QByteArrayView>
#include <QFile>
#include <QString>

/// The program's temporary files are named "<target>" + kSavingMark + six random ASCII
/// letters or digits.
inline constexpr QLatin1String kSavingMark(".quorvanel-saving-");
inline constexpr qsizetype kSavingRandomLength = 6;

/// A temporary file beside a target, removed when the object goes unless it was put in place.
/// A target that is a symbolic link is written through it: the file it leads to is replaced,
/// and the link stays.
class SavingFile
{
public:
    /// What the temporary file becomes.
    enum class Use {
        Replace, ///< it replaces the target (replaceTarget)
        /// it is kept as a new file under the target's name or a free one after it (keepAs):
        /// it replaces no file, so no file of that name, however it is, refuses it
        NewCopy,
    };

    explicit SavingFile(const QString& target, Use use = Use::Replace);
    ~SavingFile();
    SavingFile(const SavingFile&) = delete;
    SavingFile& operator=(const SavingFile&) = delete;

    /// Creates the temporary file, readable and writable by its owner alone while it is
    /// written; finish() gives it the target's permissions (a new file's for a new copy, and
    /// when there is no target yet).
    bool open(QString* errorText = nullptr);
    /// Writes every byte, unbuffered: Qt 6.4 reports a buffered write that the disk took only
    /// in part as a success; unbuffered, the short count shows.
    bool write(QByteArrayView bytes, QString* errorText = nullptr);
    /// Gives the file its permissions (open()), puts what was written on the disk and closes
    /// the file; another writer may then replace the temporary file by its name.
    bool finish(QString* errorText = nullptr);
    /// Replaces the target with the temporary file in one step (finishing it first when open).
    /// False for a new copy, which replaces nothing.
    bool replaceTarget(QString* errorText = nullptr);
    /// Moves the finished temporary file to the first free name of moveToFreeName(); that name,
    /// or empty when it could not be moved.
    QString keepAs(const QString& copyName);

    [[nodiscard]] QString fileName() const { return m_file.fileName(); }

private:
    QString m_target;
    Use m_use;
    QFile m_file;
    unsigned m_mode = 0; ///< the permission bits the finished file takes
    bool m_created = false;
};

/// Writes bytes to path through a temporary file. False (with the reason in errorText when
/// given) when the file could not be written completely; the old file is then untouched.
bool writeFileAtomically(const QString& path, QByteArrayView bytes, QString* errorText = nullptr);

/// Why a write to `file` failed, in the system's words. Qt reports a write the system took
/// only in part (a full disk, a file size limit) as a short count without an error text of its
/// own ("Unknown error"); the error number the failed system call left (`systemError`, 0 for
/// none) tells the reason.
[[nodiscard]] QString writeFailureText(int systemError, const QFileDevice& file);

/// Moves `file` beside itself to `copyName`, or, when a file of that name exists, to
/// "<copyName>.2", "<copyName>.3" ...: the first name that is free. An existing file is never
/// replaced, not even one that another process creates meanwhile. Returns the name used; empty
/// when the file could not be moved (it is then left as it is).
QString moveToFreeName(const QString& file, const QString& copyName);

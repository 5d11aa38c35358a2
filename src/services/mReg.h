#pragma once
// The option store: named text values grouped in sections, one store per application name.
// The values live in an INI file in the user's configuration folder (organisation and
// application "Quorvanel"); setStoreFile() points the store at an explicit file instead.
// Section and key names may contain blanks ("Cielo locale", "Mouse dati"): the file escapes
// them and they read back exactly. Values are always text; callers convert numbers themselves.
//
// Failures come back to the caller as a RegistryStatus with a fixed number and English text;
// nothing here shows a message. A missing section or key is not a failure: it yields the
// caller's default.

#include <QAnyStringView>
#include <QList>
#include <QString>

#include <chrono>

namespace mReg {

/// Base of the error numbers (0x80040000 as a signed 32-bit value).
inline constexpr int kErrorBase = -2147221504;
inline constexpr int kErrorAppNameEmpty = kErrorBase + 1000;
inline constexpr int kErrorSectionEmpty = kErrorBase + 1001;
inline constexpr int kErrorKeyEmpty = kErrorBase + 1002;
/// Store failures add a code to this: the platform code for open and write failures, the
/// value's type number for a value that is not text.
inline constexpr int kErrorStoreBase = kErrorBase + 2000;

/// Codes added to kErrorStoreBase, numbered as the Windows registry numbers them so that an
/// error number means the same wherever the store lives.
inline constexpr int kCodeAccessDenied = 5;   ///< the store file cannot be created or written
inline constexpr int kCodeStoreCorrupt = 1009; ///< the store file cannot be read as INI
/// Type numbers of values that are not plain text (registry type numbers).
inline constexpr int kTypeBinary = 3;
inline constexpr int kTypeNumber = 4;
inline constexpr int kTypeTextList = 7; ///< unquoted text with commas ("a, b") reads as a list
inline constexpr int kTypeLongNumber = 11;

/// Outcome of a store operation: number 0 and an empty description on success.
struct RegistryStatus
{
    int number = 0;
    QString description;
    /// Why the store file could not be written, in the system's words ("No space left on
    /// device", "Permission denied"); empty when the system gave none.
    QString reason;
    /// The store's lock was not free within the lock wait: another program is saving, or a
    /// lock file (or a folder of its name) is in the way and cannot be removed.
    bool locked = false;

    [[nodiscard]] bool ok() const { return number == 0; }
};

/// One value to write with writeValues().
struct RegistryValue
{
    QString section;
    QString key;
    QString value;
};

/// How long a write waits for the store's lock "<store file>.lock" before it fails: a save of
/// another program holds it for a moment only.
inline constexpr std::chrono::milliseconds kLockWait{3000};

/// Sets the lock wait (tests shorten it); kLockWait restores it.
void setLockWait(std::chrono::milliseconds wait);

/// While one lives, the store's lock is waited for once: after a write (or a set-aside) has
/// found it taken for the whole lock wait, the later ones try it without waiting. A start or
/// an exit that writes several values then waits for a stuck lock once, not once for each
/// value. A write that takes the lock forgets that it was stuck: the writes after it wait for
/// it again. Scopes nest: a lock found stuck within an inner one stays known to the outer one,
/// and the outermost forgets it as it ends.
class OneLockWait
{
public:
    OneLockWait();
    ~OneLockWait();
    OneLockWait(const OneLockWait&) = delete;
    OneLockWait& operator=(const OneLockWait&) = delete;

private:
    int m_scopes; // scopes alive when this one began
};

/// Points every application's store at `path`; an empty path restores the user's
/// configuration folder.
void setStoreFile(const QString& path);

/// The file that holds the values of `application`.
[[nodiscard]] QString storeFile(QAnyStringView application);

/// Whether the store file of `application` exists but cannot be a store: QSettings finds it
/// malformed, it holds bytes no store file holds (a NUL byte, text that is not UTF-8), it is
/// text without a single section, or a value in it would be read as a streamed object.
[[nodiscard]] bool storeFileUnreadable(QAnyStringView application);

/// Moves an unreadable store file of `application` aside, to its name + ".bad", or when that
/// exists to the first free ".bad.2", ".bad.3" ... (an older copy is kept), so the store starts
/// empty and nothing of the file is lost. Returns the path of the copy; empty when the file
/// could not be moved (it is then left as it is; as well when the store's lock is not free
/// within the lock wait).
QString setAsideStoreFile(QAnyStringView application);

/// The stored text of `key` in `section`, or `defaultValue` when the section or the key does
/// not exist. An existing empty value gives "" (not the default). The application name and the
/// section are trimmed of blanks; the key is used exactly as passed. On failure the result is
/// the default and `status`, when given, receives the error.
[[nodiscard]] QString Leggi_registro(QAnyStringView application, QAnyStringView section,
                                     QAnyStringView key, QAnyStringView defaultValue,
                                     RegistryStatus* status = nullptr);

/// Stores `value` under `key` in `section`, creating the section when needed. A failed write
/// leaves the store file as it was, byte for byte.
RegistryStatus Scrivi_registro(QAnyStringView application, QAnyStringView section,
                               QAnyStringView key, QAnyStringView value);

/// Stores several values of one application in one pass over the store file (saving every
/// option at once). Names are checked as by Scrivi_registro before anything is written; the
/// first failure is returned and then nothing is written. A write waits for the store's lock
/// no longer than the lock wait.
RegistryStatus writeValues(QAnyStringView application, const QList<RegistryValue>& values);

} // namespace mReg

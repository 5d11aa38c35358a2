#include "services/mReg.h"

#include "services/AtomicFile.h"
#include "services/StoreFileScan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QMetaType>
#include <QSettings>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace mReg {
namespace {

QString g_storeFile; // empty: the user's configuration folder
std::chrono::milliseconds g_lockWait = kLockWait;
int g_oneLockWaitScopes = 0;   // OneLockWait scopes alive
bool g_lockFoundTaken = false; // within them, a write found the lock taken for its whole wait
/// Size of each store file when this process last read it (see sizeReadBefore).
QHash<QString, qint64> g_sizesRead;

RegistryStatus failure(int number, const char* text)
{
    RegistryStatus status;
    status.number = number;
    status.description = QString::fromLatin1(text);
    return status;
}

RegistryStatus failure(RegistryStatus status, const QString& reason)
{
    status.reason = reason;
    return status;
}

/// Takes the store's lock, waiting no longer than the lock wait, and not at all where a
/// OneLockWait scope found it stuck already: a lock that is never given up (a folder of its
/// name, a stale lock file that cannot be removed) must not hold the program. A lock taken is
/// no longer stuck: the writes after it wait for it again, as another program's save holds it
/// for a moment.
bool waitForLock(QLockFile& lock)
{
    const bool foundStuck = g_oneLockWaitScopes > 0 && g_lockFoundTaken;
    if (lock.tryLock(foundStuck ? std::chrono::milliseconds(0) : g_lockWait)) {
        g_lockFoundTaken = false;
        return true;
    }
    if (lock.error() == QLockFile::LockFailedError && g_oneLockWaitScopes > 0)
        g_lockFoundTaken = true;
    return false;
}

/// Takes the store's lock (waitForLock); `failed`, with the reason, when it is not free.
RegistryStatus takeLock(QLockFile& lock, RegistryStatus failed)
{
    errno = 0;
    if (waitForLock(lock))
        return {};
    const int systemError = errno;
    switch (lock.error()) {
    case QLockFile::LockFailedError:
        failed.locked = true;
        break;
    case QLockFile::PermissionError:
        failed.reason = qt_error_string(EACCES);
        break;
    default:
        // A lock file that could not be written whole: a full disk, as a rule.
        if (systemError != 0)
            failed.reason = qt_error_string(systemError);
        break;
    }
    return failed;
}

/// Whether a failed system call that left `systemError` tells why a file was not written.
bool isWriteFailure(int systemError)
{
    switch (systemError) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
    case EACCES:
    case EPERM:
    case EROFS:
    case EIO:
        return true;
    default:
        return false;
    }
}

/// Notes the size of a store file that QSettings has just read.
void noteSizeRead(const QString& path)
{
    const QFileInfo info(path);
    g_sizesRead.insert(info.absoluteFilePath(), info.exists() ? info.size() : -1);
}

/// Whether this process last read the store file `path` when it had `size` bytes.
/// QSettings keeps what it read of a file within the process and reads the file again only
/// when its size or its modification time differs; where file times are whole seconds (FAT
/// keeps two), a new store of the size read within the same second would be taken for the
/// old one.
bool sizeReadBefore(const QString& path, qint64 size)
{
    const auto found = g_sizesRead.constFind(QFileInfo(path).absoluteFilePath());
    return found != g_sizesRead.cend() && *found == size;
}

RegistryStatus checkNames(const QString& application, const QString& section, const QString& key)
{
    if (application.trimmed().isEmpty())
        return failure(kErrorAppNameEmpty, "AppName may not be empty");
    if (section.trimmed().isEmpty())
        return failure(kErrorSectionEmpty, "Section may not be empty");
    if (key.trimmed().isEmpty())
        return failure(kErrorKeyEmpty, "Key may not be empty");
    return {};
}

QString fileFor(const QString& application)
{
    if (!g_storeFile.isEmpty())
        return g_storeFile;
    // QSettings names the file of the user's configuration folder only once it has read it:
    // that read is noted like any other, or a save would be padded, or not, against a size
    // the reader no longer holds.
    const QSettings user(QSettings::IniFormat, QSettings::UserScope,
                         QStringLiteral("Quorvanel"), application.trimmed());
    noteSizeRead(user.fileName());
    return user.fileName();
}

/// QSettings path of a value: the trimmed section is the INI section, the key is kept as is.
QString settingsKey(const QString& section, const QString& key)
{
    return section.trimmed() + u'/' + key;
}

/// The store file holds a value that the INI reader would stream an object out of (see
/// StoreFileScan.h).
bool storeHoldsStreamedValues(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return storefile::holdsStreamedObjects(storefile::scanStoreFile(file.readAll()));
}

/// Whether the store file on disk holds every value the store holds. The INI writer reports a
/// file that the system took only in part (a full disk, a file size limit) as written; read
/// back, such a file lacks its last entries or ends inside a value. Texts are compared, not
/// keys (the writer escapes keys); a value that is not text, or a text that the writer writes
/// in a marked form of its own (one that begins with "@", one holding a NUL), is counted only.
bool fileHoldsTheStore(const QString& path, const QSettings& store)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const storefile::Scan scan = storefile::scanStoreFile(file.readAll());
    const QStringList keys = store.allKeys();
    if (scan.entries.size() != static_cast<std::size_t>(keys.size()))
        return false;
    QStringList onDisk;
    onDisk.reserve(keys.size());
    for (const storefile::Entry& entry : scan.entries)
        onDisk.append(entry.texts.join(u'\x1f'));
    onDisk.sort();
    for (const QString& key : keys) {
        const QVariant value = store.value(key);
        if (value.typeId() != QMetaType::QString)
            continue;
        const QString text = value.toString();
        if (text.startsWith(u'@') || text.contains(QChar::Null))
            continue;
        const auto found = std::lower_bound(onDisk.cbegin(), onDisk.cend(), text);
        if (found == onDisk.cend() || *found != text)
            return false;
    }
    return true;
}

/// Makes the modification time of `written`, which is to replace `store`, later than the
/// store's by at least a millisecond. QSettings keeps what it read of a file within the process
/// and reads the file again only when its size or its modification time (to the millisecond)
/// differs; a new file of the old size written within the same clock tick would otherwise be
/// taken for the old one.
void laterThanTheStore(const QString& written, const QString& store)
{
    namespace fs = std::filesystem;
    using std::chrono::milliseconds;
    std::error_code error;
    const fs::path storePath(QFile::encodeName(store).toStdString());
    const fs::path writtenPath(QFile::encodeName(written).toStdString());
    const fs::file_time_type old = fs::last_write_time(storePath, error);
    if (error)
        return; // no store yet: nothing of it can have been read
    const fs::file_time_type now = fs::last_write_time(writtenPath, error);
    if (error)
        return;
    const auto oldMs = std::chrono::floor<milliseconds>(old);
    if (std::chrono::floor<milliseconds>(now) <= oldMs)
        fs::last_write_time(writtenPath, oldMs + milliseconds(1), error);
}

/// Registry type number of a stored value that is not plain text.
int typeNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QStringList:
        return kTypeTextList;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Bool:
    case QMetaType::Double:
    case QMetaType::Float:
        return kTypeNumber;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return kTypeLongNumber;
    default:
        return kTypeBinary;
    }
}

} // namespace

void setLockWait(std::chrono::milliseconds wait)
{
    g_lockWait = wait;
}

OneLockWait::OneLockWait() : m_scopes(g_oneLockWaitScopes++) {}

OneLockWait::~OneLockWait()
{
    g_oneLockWaitScopes = m_scopes;
    if (m_scopes == 0)
        g_lockFoundTaken = false;
}

void setStoreFile(const QString& path)
{
    g_storeFile = path;
}

QString storeFile(QAnyStringView application)
{
    return fileFor(application.toString());
}

bool storeFileUnreadable(QAnyStringView application)
{
    const QString path = fileFor(application.toString());
    QFile file(path);
    if (!file.exists())
        return false;
    if (!file.open(QIODevice::ReadOnly))
        return false; // not there to be read: the ordinary failures report it
    const QByteArray bytes = file.readAll();
    if (bytes.contains('\0'))
        return true;
    const storefile::Scan scan = storefile::scanStoreFile(bytes);
    if (storefile::holdsStreamedObjects(scan))
        return true;
    // Text without a single section is no store file: the store writes every value under one.
    if (scan.sectionLines == 0 && (scan.otherLines > 0 || !scan.entries.empty()))
        return true;
    QStringDecoder utf8(QStringDecoder::Utf8);
    (void)QString(utf8(bytes));
    if (utf8.hasError())
        return true;
    const QSettings store(path, QSettings::IniFormat);
    noteSizeRead(path);
    return store.status() == QSettings::FormatError;
}

QString setAsideStoreFile(QAnyStringView application)
{
    const QString path = fileFor(application.toString());
    // Under the store's lock, so that no save of another program moves a new file in between.
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!waitForLock(lock))
        return {};
    return moveToFreeName(path, path + QStringLiteral(".bad"));
}

QString Leggi_registro(QAnyStringView application, QAnyStringView section, QAnyStringView key,
                       QAnyStringView defaultValue, RegistryStatus* status)
{
    const QString app = application.toString();
    const QString sectionName = section.toString();
    const QString keyName = key.toString();
    RegistryStatus result = checkNames(app, sectionName, keyName);
    QString value = defaultValue.toString();
    if (result.ok()) {
        const QString path = fileFor(app);
        // Guard: a store that holds streamed values is not given to the INI reader at all.
        if (storeHoldsStreamedValues(path)) {
            if (status)
                *status = failure(kErrorStoreBase + kCodeStoreCorrupt,
                                  "Could not open registry section");
            return value;
        }
        const QSettings store(path, QSettings::IniFormat);
        noteSizeRead(path);
        if (store.status() != QSettings::NoError) {
            const int code = store.status() == QSettings::FormatError ? kCodeStoreCorrupt
                                                                        : kCodeAccessDenied;
            result = failure(kErrorStoreBase + code, "Could not open registry section");
        } else {
            const QVariant stored = store.value(settingsKey(sectionName, keyName));
            if (stored.isValid()) {
                if (stored.typeId() == QMetaType::QString)
                    value = stored.toString();
                else
                    result = failure(kErrorStoreBase + typeNumber(stored),
                                     "Registry data not a string");
            }
        }
    }
    if (status)
        *status = result;
    return value;
}

RegistryStatus Scrivi_registro(QAnyStringView application, QAnyStringView section,
                               QAnyStringView key, QAnyStringView value)
{
    return writeValues(application, {RegistryValue{section.toString(), key.toString(),
                                                   value.toString()}});
}

RegistryStatus writeValues(QAnyStringView application, const QList<RegistryValue>& values)
{
    const QString app = application.toString();
    for (const RegistryValue& item : values) {
        const RegistryStatus names = checkNames(app, item.section, item.key);
        if (!names.ok())
            return names;
    }
    if (app.trimmed().isEmpty())
        return checkNames(app, QString(), QString());

    const QString path = fileFor(app);
    const RegistryStatus cannotOpen =
        failure(kErrorStoreBase + kCodeAccessDenied, "Could not open/create registry section");
    const RegistryStatus notWritten =
        failure(kErrorStoreBase + kCodeAccessDenied, "Could not set key value");
    // The store's lock, the one QSettings takes on a file it writes and the start-up clean-up
    // takes: no other program saves, and no clean-up runs, meanwhile.
    std::error_code folderError;
    std::filesystem::create_directories(
        QFile::encodeName(QFileInfo(path).absolutePath()).toStdString(), folderError);
    if (folderError)
        return failure(cannotOpen, qt_error_string(folderError.value()));
    QLockFile lock(path + QStringLiteral(".lock"));
    if (const RegistryStatus locked = takeLock(lock, cannotOpen); !locked.ok())
        return locked;
    if (storeHoldsStreamedValues(path))
        return failure(kErrorStoreBase + kCodeStoreCorrupt, "Could not open registry section");

    // The values are written into a copy of the store beside it, which replaces the store in
    // one rename once it is read back whole: a write the system takes only in part (a full
    // disk, a file size limit) never reaches the store file, which QSettings would replace
    // with what was taken all the same.
    QString reason;
    SavingFile copy(path);
    if (!copy.open(&reason))
        return failure(cannotOpen, reason);
    if (QFileInfo::exists(path)) {
        QFile current(path);
        if (!current.open(QIODevice::ReadOnly))
            return failure(cannotOpen, current.errorString());
        const QByteArray bytes = current.readAll();
        if (current.error() != QFileDevice::NoError)
            return failure(cannotOpen, current.errorString());
        if (!copy.write(bytes, &reason))
            return failure(notWritten, reason);
    }
    if (!copy.finish(&reason))
        return failure(notWritten, reason);
    {
        QSettings store(copy.fileName(), QSettings::IniFormat);
        if (store.status() != QSettings::NoError || !store.isWritable())
            return cannotOpen;
        for (const RegistryValue& item : values)
            store.setValue(settingsKey(item.section, item.key), item.value);
        // QSettings gives no reason of its own: the error number its failed write left does.
        errno = 0;
        store.sync();
        const int systemError = errno;
        if (store.status() != QSettings::NoError || !fileHoldsTheStore(copy.fileName(), store))
            return failure(notWritten,
                           isWriteFailure(systemError) ? qt_error_string(systemError) : QString());
    }
    if (sizeReadBefore(path, QFileInfo(copy.fileName()).size())) {
        // A blank line, which the INI reader skips, gives the new store a size of its own.
        QFile padded(copy.fileName());
        errno = 0;
        if (!padded.open(QIODevice::Append | QIODevice::Unbuffered) || padded.write("\n", 1) != 1 ||
            (::fsync(padded.handle()) != 0 && errno != EINVAL))
            return failure(notWritten, writeFailureText(errno, padded));
    }
    laterThanTheStore(copy.fileName(), path);
    if (!copy.replaceTarget(&reason))
        return failure(notWritten, reason);
    return {};
}

} // namespace mReg

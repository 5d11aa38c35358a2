#include "services/AtomicFile.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

fs::path nativePath(const QString& name)
{
    return fs::path(QFile::encodeName(name).toStdString());
}

/// The file a write to `target` changes: the end of a chain of symbolic links, as QSaveFile
/// follows it; the target itself when the chain does not end.
QString writtenFile(const QString& target)
{
    QFileInfo info(target);
    constexpr int kMaxLinks = 128;
    for (int link = 0; link < kMaxLinks && info.isSymLink(); ++link)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? target : info.filePath();
}

/// The permissions the system gives a new file: 0666 less the process's umask.
mode_t newFileMode()
{
    // Linux tells the umask without changing it; setting it and back would, for a moment,
    // give the files other threads create meanwhile no mask at all.
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
            if (!line.startsWith("Umask:"))
                continue;
            bool ok = false;
            const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
            if (ok)
                return 0666 & ~static_cast<mode_t>(mask);
        }
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

enum class Placement { Done, NameTaken, Failed };

/// Gives `from` the name `to` unless a file (or a link) of that name exists. A hard link is
/// made first, which the system refuses for a name that exists; the old name is then removed.
Placement placeWithoutReplacing(const fs::path& from, const fs::path& to)
{
    std::error_code error;
    fs::create_hard_link(from, to, error);
    if (!error) {
        fs::remove(from, error);
        if (!error)
            return Placement::Done;
        fs::remove(to, error);
        return Placement::Failed;
    }
    if (error == std::errc::file_exists)
        return Placement::NameTaken;
    const bool noHardLinks = error == std::errc::operation_not_permitted ||
                             error == std::errc::operation_not_supported ||
                             error == std::errc::not_supported ||
                             error == std::errc::function_not_supported;
    if (!noHardLinks)
        return Placement::Failed;
    // A file system without hard links (FAT): a rename after a look, which another process
    // could only beat by creating this very name in between.
    if (fs::symlink_status(to, error).type() != fs::file_type::not_found)
        return error ? Placement::Failed : Placement::NameTaken;
    fs::rename(from, to, error);
    return error ? Placement::Failed : Placement::Done;
}

} // namespace

SavingFile::SavingFile(const QString& target, Use use)
    : m_target(use == Use::Replace ? writtenFile(target) : target), m_use(use)
{
}

SavingFile::~SavingFile()
{
    if (m_created) {
        m_file.close();
        QFile::remove(m_file.fileName());
    }
}

bool SavingFile::open(QString* errorText)
{
    static constexpr char kCharacters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    constexpr int kAttempts = 100;
    const QFileInfo target(m_target);
    m_mode = newFileMode();
    if (m_use == Use::Replace && target.exists()) {
        // As QSaveFile: a file the user made read-only, or a folder, is not replaced.
        if (target.isDir() || !target.isWritable()) {
            if (errorText)
                *errorText = qt_error_string(target.isDir() ? EISDIR : EACCES);
            return false;
        }
        struct stat info = {};
        if (::stat(QFile::encodeName(m_target).constData(), &info) == 0)
            m_mode = info.st_mode & 0777;
    }
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        QString name = m_target + kSavingMark;
        for (qsizetype k = 0; k < kSavingRandomLength; ++k)
            name += QLatin1Char(
                kCharacters[QRandomGenerator::global()->bounded(int(sizeof kCharacters - 1))]);
        m_file.setFileName(name);
        // Owner-only from the start: the target may be private, and what is written is not
        // shown to others before the file takes the target's permissions as it is finished.
        if (m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered,
                        QFile::ReadOwner | QFile::WriteOwner)) {
            m_created = true;
            return true;
        }
        const QFileInfo taken(name);
        if (!taken.exists() && !taken.isSymLink())
            break;
    }
    if (errorText)
        *errorText = m_file.errorString();
    return false;
}

bool SavingFile::write(QByteArrayView bytes, QString* errorText)
{
    errno = 0;
    if (m_file.write(bytes.data(), bytes.size()) != bytes.size()) {
        const int systemError = errno;
        if (errorText)
            *errorText = writeFailureText(systemError, m_file);
        return false;
    }
    return true;
}

bool SavingFile::finish(QString* errorText)
{
    if (!m_file.isOpen())
        return m_created;
    // A file system without permissions (FAT) cannot take them: that is no failure.
    (void)::fchmod(m_file.handle(), static_cast<mode_t>(m_mode));
    // A file system that cannot sync a file (EINVAL) has nothing to put on the disk later.
    if (::fsync(m_file.handle()) != 0 && errno != EINVAL) {
        const int systemError = errno;
        if (errorText)
            *errorText = qt_error_string(systemError);
        m_file.close();
        return false;
    }
    m_file.close();
    if (m_file.error() != QFileDevice::NoError) {
        if (errorText)
            *errorText = m_file.errorString();
        return false;
    }
    return true;
}

bool SavingFile::replaceTarget(QString* errorText)
{
    if (m_use != Use::Replace || !finish(errorText))
        return false;
    std::error_code error;
    fs::rename(nativePath(m_file.fileName()), nativePath(m_target), error);
    if (error) {
        if (errorText)
            *errorText = qt_error_string(error.value());
        return false;
    }
    m_created = false;
    return true;
}

QString SavingFile::keepAs(const QString& copyName)
{
    if (!finish())
        return {};
    const QString name = moveToFreeName(m_file.fileName(), copyName);
    if (!name.isEmpty())
        m_created = false;
    return name;
}

bool writeFileAtomically(const QString& path, QByteArrayView bytes, QString* errorText)
{
    SavingFile file(path);
    return file.open(errorText) && file.write(bytes, errorText) && file.replaceTarget(errorText);
}

QString writeFailureText(int systemError, const QFileDevice& file)
{
    return systemError != 0 ? qt_error_string(systemError) : file.errorString();
}

QString moveToFreeName(const QString& file, const QString& copyName)
{
    // Far more copies than anyone keeps; the bound only ends the search in a folder gone wrong.
    constexpr int kMaxCopies = 10000;
    const fs::path from = nativePath(file);
    for (int number = 1; number <= kMaxCopies; ++number) {
        const QString name = number == 1 ? copyName : copyName + u'.' + QString::number(number);
        switch (placeWithoutReplacing(from, nativePath(name))) {
        case Placement::Done:
            return name;
        case Placement::Failed:
            return {};
        case Placement::NameTaken:
            break;
        }
    }
    return {};
}

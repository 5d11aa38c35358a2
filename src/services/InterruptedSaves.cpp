#include "services/InterruptedSaves.h"

#include "services/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>

namespace {

/// Whether `text` begins with a random part as the temporary-file writers make it: six ASCII
/// letters or digits.
bool startsWithRandomPart(QStringView text)
{
    return text.size() >= kSavingRandomLength &&
           std::all_of(text.begin(), text.begin() + kSavingRandomLength, [](QChar c) {
               return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                      (c >= u'0' && c <= u'9');
           });
}

/// Whether `rest`, what follows "<target>" + kSavingMark, is a random part alone, or one
/// followed by the INI writer's lock or temporary file.
bool isLeftoverRest(QStringView rest)
{
    if (!startsWithRandomPart(rest))
        return false;
    const QStringView after = rest.sliced(kSavingRandomLength);
    return after.isEmpty() || after == u".lock" ||
           (after.size() == kSavingRandomLength + 1 && after.front() == u'.' &&
            startsWithRandomPart(after.sliced(1)));
}

} // namespace

QStringList removeInterruptedSaves(const QString& file)
{
    // The option store holds this lock while it saves, so holding it here means no save is
    // under way; taking it also clears a lock that a process which has ended left behind.
    QLockFile lock(file + QStringLiteral(".lock"));
    if (!lock.tryLock(0))
        return {};
    const QFileInfo target(file);
    const QString prefix = target.fileName() + kSavingMark;
    QStringList removed;
    const QFileInfoList entries =
        target.dir().entryInfoList({prefix + QStringLiteral("*")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        if (!name.startsWith(prefix) || entry.isSymLink() ||
            !isLeftoverRest(QStringView(name).sliced(prefix.size())))
            continue;
        if (QFile::remove(entry.filePath()))
            removed.append(entry.filePath());
    }
    lock.unlock();
    return removed;
}

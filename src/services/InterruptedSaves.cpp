#include "services/InterruptedSaves.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>

namespace {

/// Length of the random part the temporary-file writer puts after the target's name.
constexpr qsizetype kRandomPartLength = 6;

bool isUpper(QChar c)
{
    return c >= u'A' && c <= u'Z';
}

bool isLower(QChar c)
{
    return c >= u'a' && c <= u'z';
}

/// Whether `part` may be the random part of a temporary file's name: six ASCII letters whose
/// case is mixed otherwise than in a written word. About one random part in twenty is all lower
/// case, all upper case or capitalised; such a leftover is kept rather than risk a user's file.
bool isRandomPart(QStringView part)
{
    if (part.size() != kRandomPartLength ||
        !std::all_of(part.begin(), part.end(), [](QChar c) { return isUpper(c) || isLower(c); }))
        return false;
    const bool lowerAfterTheFirst = std::all_of(part.begin() + 1, part.end(), isLower);
    const bool allUpper = std::all_of(part.begin(), part.end(), isUpper);
    return !lowerAfterTheFirst && !allUpper;
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
    const QString prefix = target.fileName() + u'.';
    QStringList removed;
    const QFileInfoList entries =
        target.dir().entryInfoList({prefix + QStringLiteral("*")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        if (!name.startsWith(prefix) || entry.isSymLink() ||
            !isRandomPart(QStringView(name).sliced(prefix.size())))
            continue;
        if (QFile::remove(entry.filePath()))
            removed.append(entry.filePath());
    }
    lock.unlock();
    return removed;
}

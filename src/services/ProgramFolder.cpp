#include "services/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString findFileIgnoringCase(const QString& folder, const QString& name)
{
    if (name.isEmpty())
        return {};
    const QDir dir(folder);
    const QString exact = dir.filePath(name);
    if (QFileInfo(exact).isFile())
        return exact;
    // Only a bare file name is looked up by case; a name with a folder part must match exactly.
    if (name.contains(u'/') || name.contains(u'\\'))
        return {};
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return {};
}

QString dataFilePath(const QString& name)
{
    const QString found = findFileIgnoringCase(MyPath, name);
    return found.isEmpty() ? QDir(MyPath).filePath(name) : found;
}

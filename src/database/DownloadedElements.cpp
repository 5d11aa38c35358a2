#include "database/DownloadedElements.h"

#include "core/ElementSet.h"
#include "database/ElementFile.h"

#include <QBuffer>
#include <QFileInfo>

#include <string>
#include <vector>

namespace {

// The extensions the save dialog's element-file filter offers.
const QStringList kElementFileSuffixes = {QStringLiteral("txt"), QStringLiteral("tle")};

bool isWellFormedSet(const Record_TLE& set)
{
    if (!set.Riga1.starts_with("1 ") || !set.Riga2.starts_with("2 "))
        return false;
    static const std::vector<std::string> noMagnitudes;
    static const std::vector<Record_TLE> noFrequencies;
    return mSat::parseElementSet(set.Riga0, set.Riga1, set.Riga2, noMagnitudes, noFrequencies)
               .status == mSat::Status::Ok;
}

} // namespace

bool holdsElementSets(QByteArrayView body)
{
    QByteArray bytes = body.toByteArray();
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return false;
    const ElementFileRead read = readElementSets(buffer);
    if (isReadFailure(read.status))
        return false;
    for (const Record_TLE& set : read.sets) {
        if (isWellFormedSet(set))
            return true;
    }
    return false;
}

bool isElementFileTarget(const QString& path, const QString& primaryDatabase)
{
    if (!primaryDatabase.isEmpty()) {
        const QString canonical = QFileInfo(path).absoluteFilePath();
        if (canonical == QFileInfo(primaryDatabase).absoluteFilePath())
            return true;
    }
    return kElementFileSuffixes.contains(QFileInfo(path).suffix().toLower());
}

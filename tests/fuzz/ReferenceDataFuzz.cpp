// One of the reference data files replaced by the input (the first byte chooses which), the
// others as installed, loaded as at start.

#include "FuzzFolder.h"
#include "FuzzSupport.h"

#include "tracking/ReferenceData.h"
#include "services/ProgramFolder.h"

#include <QDir>

#include <array>

namespace {

const std::array<QString, 6> kFiles{QStringLiteral("stars.bin"),   QStringLiteral("clines.dat"),
                                    QStringLiteral("cnames.dat"),  QStringLiteral("planets.dat"),
                                    QStringLiteral("magnitud.dat"), QStringLiteral("frequen.dat")};

/// One folder per file, each holding the installed files; only its own file is ever replaced.
QString folderFor(std::size_t file)
{
    static const std::array<QString, 6> folders = [] {
        std::array<QString, 6> made;
        for (std::size_t k = 0; k < made.size(); ++k) {
            made[k] = fuzzFolder().filePath(QString::number(k));
            QDir().mkpath(made[k]);
            for (const QString& name : kFiles)
                QFile::copy(QDir(QStringLiteral(QUORVANEL_DATA_DIR)).filePath(name),
                            QDir(made[k]).filePath(name));
        }
        return made;
    }();
    return folders[file];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::size_t file = input.byte() % kFiles.size();
    const std::string_view bytes = input.rest();
    MyPath = folderFor(file);
    QFile target(QDir(MyPath).filePath(kFiles[file]));
    if (target.open(QIODevice::WriteOnly | QIODevice::Truncate))
        target.write(bytes.data(), static_cast<qint64>(bytes.size()));
    target.close();
    (void)Carica_archivi();
    return 0;
}

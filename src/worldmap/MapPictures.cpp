#include "worldmap/MapPictures.h"

#include "services/PictureLoader.h"
#include "services/ProgramFolder.h"

namespace worldmap {

const QImage* MapPictures::scaled(std::string_view file, QSize size, QString* errorText)
{
    auto found = m_entries.find(file);
    if (found == m_entries.end()) {
        const QString name = QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size()));
        QImage decoded = loadPicture(dataFilePath(name), errorText);
        if (decoded.isNull())
            return nullptr;
        found = m_entries.emplace(std::string(file), Entry{std::move(decoded), QImage()}).first;
    }
    Entry& entry = found->second;
    if (size.isEmpty())
        return nullptr;
    if (entry.scaled.size() != size)
        entry.scaled = entry.decoded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           .convertToFormat(QImage::Format_RGB32);
    return &entry.scaled;
}

void MapPictures::clear()
{
    m_entries.clear();
}

} // namespace worldmap

#include "worldmap/MapPictures.h"

#include "services/PictureLoader.h"
#include "services/ProgramFolder.h"

namespace worldmap {

const QImage* MapPictures::scaled(std::string_view file, QSize size, QString* errorText)
{
    if (file != m_file) {
        // The picture shown before is let go first, so that two are never held at once.
        clear();
        const QString name = QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size()));
        QImage decoded = loadPicture(dataFilePath(name), errorText);
        if (decoded.isNull())
            return nullptr;
        m_file = file;
        m_decoded = std::move(decoded);
    }
    if (size.isEmpty())
        return nullptr;
    if (m_scaled.size() != size)
        m_scaled = m_decoded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_RGB32);
    return &m_scaled;
}

void MapPictures::clear()
{
    m_file.clear();
    m_decoded = QImage();
    m_scaled = QImage();
}

} // namespace worldmap

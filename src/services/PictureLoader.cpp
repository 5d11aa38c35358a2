#include "services/PictureLoader.h"

#include <QImageReader>

QImage loadPicture(const QString& path, QString* errorText)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    QImage picture = reader.read();
    if (picture.isNull() && errorText)
        *errorText = reader.errorString();
    return picture;
}

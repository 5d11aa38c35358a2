// A picture file of the installation (the world maps, the globe, the landscape) decoded as
// the program decodes it, then scaled as the maps and the landscape are drawn.

#include "FuzzSupport.h"

#include "services/PictureLoader.h"

#include <QGuiApplication>
#include <QImageReader>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QGuiApplication application(*argc, *argv);
    // The pictures of the installation are a few megabytes decoded; a header that claims a
    // huge picture is refused rather than allocated.
    QImageReader::setAllocationLimit(64);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString error;
    const QImage picture = decodePicture(bytes, &error);
    if (picture.isNull()) {
        if (error.isEmpty())
            std::abort(); // every refusal says why
        return 0;
    }
    if (!pictureComplete(bytes))
        std::abort();
    (void)picture.scaled(QSize(37, 19), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
    (void)picture.scaled(QSize(23, 23), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return 0;
}

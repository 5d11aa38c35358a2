// A picture file of the installation (the world maps, the globe, the landscape) decoded as
// the program decodes it, then scaled as the maps and the landscape are drawn.

#include "FuzzSupport.h"

#include "services/PictureLoader.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QLoggingCategory>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QGuiApplication application(*argc, *argv);
    // The largest picture of the installation is 8 MB decoded; a header that claims a huge
    // picture is refused rather than allocated, which keeps the fuzzer's memory small.
    QImageReader::setAllocationLimit(16);
    // The decoders' warnings about damaged data, one per input, would only slow the run.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
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

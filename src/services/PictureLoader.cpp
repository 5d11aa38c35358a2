#include "services/PictureLoader.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

namespace {

constexpr unsigned char kMarker = 0xFF;
constexpr unsigned char kStartOfImage = 0xD8;
constexpr unsigned char kEndOfImage = 0xD9;
constexpr unsigned char kStartOfScan = 0xDA;
constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";
constexpr qsizetype kPngSignatureSize = 8;

unsigned char byteAt(QByteArrayView bytes, qsizetype at)
{
    return static_cast<unsigned char>(bytes[at]);
}

/// A JPEG is whole when, after the marker segments before its first scan, an end-of-image
/// marker follows. Within the scans a 0xFF byte of the data is written 0xFF 0x00 and restart
/// markers are 0xFF 0xD0..0xD7, so 0xFF 0xD9 there is the real end.
bool jpegComplete(QByteArrayView bytes)
{
    qsizetype at = 2; // after the start-of-image marker
    // Segments before the first scan: marker, 16-bit length (counting itself), contents.
    for (;;) {
        while (at < bytes.size() && byteAt(bytes, at) == kMarker && at + 1 < bytes.size() &&
               byteAt(bytes, at + 1) == kMarker)
            ++at; // fill bytes before a marker
        if (at + 4 > bytes.size() || byteAt(bytes, at) != kMarker)
            return false;
        const unsigned char marker = byteAt(bytes, at + 1);
        if (marker == kEndOfImage)
            return true;
        const qsizetype length = qFromBigEndian<quint16>(bytes.data() + at + 2);
        if (length < 2)
            return false;
        at += 2 + length;
        if (marker == kStartOfScan)
            break;
    }
    for (; at + 1 < bytes.size(); ++at) {
        if (byteAt(bytes, at) == kMarker && byteAt(bytes, at + 1) == kEndOfImage)
            return true;
    }
    return false;
}

/// A PNG is whole when its chunks, each length, type, data and check, lead to the IEND chunk
/// within the bytes.
bool pngComplete(QByteArrayView bytes)
{
    qsizetype at = kPngSignatureSize;
    while (at + 8 <= bytes.size()) {
        const quint32 length = qFromBigEndian<quint32>(bytes.data() + at);
        const QByteArrayView type = bytes.sliced(at + 4, 4);
        const qint64 end = qint64{at} + 12 + length;
        if (end > bytes.size())
            return false;
        if (type == QByteArrayView("IEND"))
            return true;
        at = static_cast<qsizetype>(end);
    }
    return false;
}

} // namespace

bool pictureComplete(QByteArrayView bytes)
{
    if (bytes.size() >= 2 && byteAt(bytes, 0) == kMarker && byteAt(bytes, 1) == kStartOfImage)
        return jpegComplete(bytes);
    if (bytes.startsWith(QByteArrayView(kPngSignature, kPngSignatureSize)))
        return pngComplete(bytes);
    return true;
}

QImage decodePicture(QByteArrayView bytes, QString* errorText)
{
    // Guard: the decoders fill the missing part of a picture cut short and report no error;
    // and a part that claims more bytes than the file holds would have them allocate its
    // claimed size first. Such a picture is not decoded at all.
    if (!pictureComplete(bytes)) {
        if (errorText)
            *errorText =
                QStringLiteral("The picture file is cut short: it ends before the whole picture.");
        return QImage();
    }
    QByteArray copy = bytes.toByteArray();
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    QImage picture = reader.read();
    if (picture.isNull() && errorText)
        *errorText = reader.errorString();
    return picture;
}

QImage loadPicture(const QString& path, QString* errorText)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (errorText)
            *errorText = file.errorString();
        return QImage();
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (errorText)
            *errorText = file.errorString();
        return QImage();
    }
    return decodePicture(bytes, errorText);
}

#pragma once
// Pictures of the installation (MapEarth.dat, landscape.dat, ...) are ordinary picture files
// under another extension: their format is told by their content, not their name.
//
// A JPEG or PNG picture cut short decodes without an error, its missing part plain grey: such
// a picture is refused as one that cannot be decoded (a JPEG must reach the marker that ends
// its image, a PNG the chunk that ends it).

#include <QByteArrayView>
#include <QImage>
#include <QString>

/// The picture in the file, or a null image when it cannot be read or decoded whole;
/// errorText (when given) then says why.
[[nodiscard]] QImage loadPicture(const QString& path, QString* errorText = nullptr);

/// The picture held by `bytes`, as loadPicture decodes a file's contents.
[[nodiscard]] QImage decodePicture(QByteArrayView bytes, QString* errorText = nullptr);

/// False for a JPEG or PNG picture whose bytes end before the end of its image; true for
/// every other content (the decoder judges that).
[[nodiscard]] bool pictureComplete(QByteArrayView bytes);

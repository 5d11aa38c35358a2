#pragma once
// Pictures of the installation (MapEarth.dat, landscape.dat, ...) are ordinary picture files
// under another extension: their format is told by their content, not their name.

#include <QImage>
#include <QString>

/// The picture in the file, or a null image when it cannot be read; errorText (when given)
/// then says why.
[[nodiscard]] QImage loadPicture(const QString& path, QString* errorText = nullptr);

#pragma once
// Writing a whole file so that a failure never leaves half of it: the bytes go to a
// temporary file beside the target, which replaces the target only when every byte is
// on disk.

#include <QByteArrayView>
#include <QString>

/// Writes bytes to path through a temporary file. False (with the reason in errorText when
/// given) when the file could not be written completely; the old file is then untouched.
bool writeFileAtomically(const QString& path, QByteArrayView bytes, QString* errorText = nullptr);

#pragma once
// Writing a whole file so that a failure never leaves half of it: the bytes go to a
// temporary file beside the target, which replaces the target only when every byte is
// on disk.

#include <QByteArrayView>
#include <QString>

class QFileDevice;

/// Writes bytes to path through a temporary file. False (with the reason in errorText when
/// given) when the file could not be written completely; the old file is then untouched.
bool writeFileAtomically(const QString& path, QByteArrayView bytes, QString* errorText = nullptr);

/// Why a write to `file` failed, in the system's words. Qt reports a write the system took
/// only in part (a full disk, a file size limit) as a short count without an error text of its
/// own ("Unknown error"); the error number the failed system call left (`systemError`, 0 for
/// none) tells the reason.
[[nodiscard]] QString writeFailureText(int systemError, const QFileDevice& file);

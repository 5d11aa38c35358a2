#include "services/AtomicFile.h"

#include <QSaveFile>

bool writeFileAtomically(const QString& path, QByteArrayView bytes, QString* errorText)
{
    // Unbuffered: Qt 6.4 reports a buffered write that the disk took only in part as a
    // success and would then commit the cut-short file; unbuffered, the short count shows
    // and nothing is committed.
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                         file.write(bytes.data(), bytes.size()) == bytes.size() && file.commit();
    if (!written && errorText)
        *errorText = file.errorString();
    return written;
}

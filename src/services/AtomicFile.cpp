#include "services/AtomicFile.h"

#include <QSaveFile>

#include <cerrno>

bool writeFileAtomically(const QString& path, QByteArrayView bytes, QString* errorText)
{
    // Unbuffered: Qt 6.4 reports a buffered write that the disk took only in part as a
    // success and would then commit the cut-short file; unbuffered, the short count shows
    // and nothing is committed.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (errorText)
            *errorText = file.errorString();
        return false;
    }
    errno = 0;
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        const int systemError = errno;
        if (errorText)
            *errorText = writeFailureText(systemError, file);
        return false;
    }
    if (!file.commit()) {
        if (errorText)
            *errorText = file.errorString();
        return false;
    }
    return true;
}

QString writeFailureText(int systemError, const QFileDevice& file)
{
    return systemError != 0 ? qt_error_string(systemError) : file.errorString();
}

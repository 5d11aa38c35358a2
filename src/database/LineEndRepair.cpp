#include "database/LineEndRepair.h"

#include "services/AtomicFile.h"

#include <QFile>

namespace {

constexpr char kBlank = ' ';
constexpr char kLineFeed = '\n';
constexpr char kCarriageReturn = '\r';
constexpr QByteArrayView kCrLf = "\r\n";

QByteArrayView trimmedOfBlanks(QByteArrayView line)
{
    qsizetype first = 0;
    qsizetype end = line.size();
    while (first < end && line[first] == kBlank)
        ++first;
    while (end > first && line[end - 1] == kBlank)
        --end;
    return line.sliced(first, end - first);
}

} // namespace

QByteArray repairedLineEnds(QByteArrayView content)
{
    QByteArray result;
    result.reserve(content.size() + content.size() / 32 + kCrLf.size());
    qsizetype lineStart = 0;
    while (lineStart < content.size()) {
        qsizetype lineFeed = content.indexOf(kLineFeed, lineStart);
        const bool lastLine = lineFeed < 0;
        qsizetype lineEnd = lastLine ? content.size() : lineFeed;
        // A CR directly before the LF belongs to the line end; any other CR is text.
        if (!lastLine && lineEnd > lineStart && content[lineEnd - 1] == kCarriageReturn)
            --lineEnd;
        result += trimmedOfBlanks(content.sliced(lineStart, lineEnd - lineStart));
        result += kCrLf;
        lineStart = lastLine ? content.size() : lineFeed + 1;
    }
    return result;
}

LineEndRepairStatus repairLineEnds(const QString& path)
{
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly))
        return LineEndRepairStatus::ReadFailed;
    const QByteArray content = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return LineEndRepairStatus::ReadFailed;
    source.close();
    if (content.isEmpty())
        return LineEndRepairStatus::EmptyFile;

    // Guard: a failure half-way (disk full, folder not writable) leaves the element file as it was.
    if (!writeFileAtomically(path, repairedLineEnds(content)))
        return LineEndRepairStatus::WriteFailed;
    return LineEndRepairStatus::Repaired;
}

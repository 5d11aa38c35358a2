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

/// Where the line starting at `from` ends: the first CR or LF, or the end of the content.
qsizetype lineEndAt(QByteArrayView content, qsizetype from)
{
    while (from < content.size() && content[from] != kCarriageReturn && content[from] != kLineFeed)
        ++from;
    return from;
}

} // namespace

RepairedText repairText(QByteArrayView content)
{
    RepairedText repaired;
    repaired.text.reserve(content.size() + content.size() / 32 + kCrLf.size());
    qsizetype lineStart = 0;
    while (lineStart < content.size()) {
        const qsizetype lineEnd = lineEndAt(content, lineStart);
        qsizetype next = lineEnd;
        if (next < content.size() && content.sliced(next).startsWith(kCrLf))
            next += kCrLf.size();
        else if (next < content.size())
            ++next;
        const QByteArrayView line = content.sliced(lineStart, lineEnd - lineStart);
        const QByteArrayView trimmed = trimmedOfBlanks(line);
        if (trimmed.size() != line.size())
            ++repaired.linesTrimmed;
        if (next - lineEnd != kCrLf.size())
            ++repaired.lineEndsChanged;
        repaired.text += trimmed;
        repaired.text += kCrLf;
        lineStart = next;
    }
    return repaired;
}

LineEndRepairResult repairLineEnds(const QString& path)
{
    LineEndRepairResult result;
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly)) {
        result.status = LineEndRepairStatus::ReadFailed;
        return result;
    }
    const QByteArray content = source.readAll();
    if (source.error() != QFileDevice::NoError) {
        result.status = LineEndRepairStatus::ReadFailed;
        return result;
    }
    source.close();
    if (content.isEmpty()) {
        result.status = LineEndRepairStatus::EmptyFile;
        return result;
    }

    const RepairedText repaired = repairText(content);
    result.lineEndsChanged = repaired.lineEndsChanged;
    result.linesTrimmed = repaired.linesTrimmed;
    if (repaired.text == content) {
        result.status = LineEndRepairStatus::NothingToRepair;
        return result;
    }
    // Guard: a failure half-way (disk full, folder not writable) leaves the element file as it was.
    result.status = writeFileAtomically(path, repaired.text) ? LineEndRepairStatus::Repaired
                                                              : LineEndRepairStatus::WriteFailed;
    return result;
}

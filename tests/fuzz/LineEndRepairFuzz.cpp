// The line-end repair of an element file: the repaired text ends every line in CR LF without
// blanks around it, keeps every other byte, and a second repair changes nothing.

#include "FuzzFolder.h"
#include "FuzzSupport.h"

#include "database/LineEndRepair.h"

#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

/// The bytes other than CR, LF and blanks, in order.
QByteArray visible(QByteArrayView bytes)
{
    QByteArray kept;
    for (const char c : bytes) {
        if (c != '\r' && c != '\n' && c != ' ')
            kept += c;
    }
    return kept;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const RepairedText repaired = repairText(content);
    require(visible(repaired.text) == visible(content));
    const QByteArray& text = repaired.text;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\n')
            require(i > 0 && text[i - 1] == '\r');
        if (text[i] == '\r') {
            require(i + 1 < text.size() && text[i + 1] == '\n');
            require(i == 0 || text[i - 1] != ' ');
        }
        if (text[i] == ' ' && (i == 0 || text[i - 1] == '\n'))
            require(false);
    }
    require(text.isEmpty() || text.endsWith("\r\n"));
    const RepairedText again = repairText(text);
    require(again.text == text && again.lineEndsChanged == 0 && again.linesTrimmed == 0);

    // The repair of a file in place, for an input of a size an element file may have.
    if (size <= 4096) {
        const QString path = writeFuzzFile(QStringLiteral("elements.txt"),
                                           content.data(), content.size());
        const LineEndRepairResult result = repairLineEnds(path);
        QFile file(path);
        require(file.open(QIODevice::ReadOnly));
        const QByteArray after = file.readAll();
        switch (result.status) {
        case LineEndRepairStatus::Repaired:
            require(after == text);
            break;
        case LineEndRepairStatus::NothingToRepair:
        case LineEndRepairStatus::EmptyFile:
            require(after == content);
            break;
        case LineEndRepairStatus::ReadFailed:
        case LineEndRepairStatus::WriteFailed:
            require(false);
        }
    }
    return 0;
}

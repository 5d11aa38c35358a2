#include "database/ElementFile.h"

#include "database/ElementColumns.h"

#include <QFile>
#include <QIODevice>

#include <optional>
#include <string>

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr int kEpochYearColumn = 19;

/// Lines of a device with one line of look-ahead; line ends (LF or CR LF) removed.
class LineReader
{
public:
    explicit LineReader(QIODevice& device) : m_device(device) {}

    /// The next line, or nothing at the end of the device or on a read error.
    std::optional<std::string> next()
    {
        if (m_peeked) {
            std::optional<std::string> line = std::move(m_peeked);
            m_peeked.reset();
            ++m_lineNumber;
            return line;
        }
        std::optional<std::string> line = readLine();
        if (line)
            ++m_lineNumber;
        return line;
    }

    /// The line next() will return, without consuming it; null at the end.
    const std::string* peek()
    {
        if (!m_peeked)
            m_peeked = readLine();
        return m_peeked ? &*m_peeked : nullptr;
    }

    int lineNumber() const { return m_lineNumber; }
    bool failed() const { return m_failed; }
    /// Bytes consumed by the lines returned so far.
    qint64 position() const { return m_device.pos() - (m_peeked ? m_peekedBytes : 0); }

private:
    std::optional<std::string> readLine()
    {
        if (m_device.atEnd())
            return std::nullopt;
        const QByteArray bytes = m_device.readLine();
        if (bytes.isEmpty()) { // not at the end, yet nothing came: the device failed
            m_failed = true;
            return std::nullopt;
        }
        m_peekedBytes = bytes.size();
        std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        if (text.ends_with('\n'))
            text.remove_suffix(1);
        if (text.ends_with('\r'))
            text.remove_suffix(1);
        if (m_atStart && text.starts_with(kUtf8ByteOrderMark))
            text.remove_prefix(kUtf8ByteOrderMark.size());
        m_atStart = false;
        return std::string(text);
    }

    QIODevice& m_device;
    std::optional<std::string> m_peeked;
    qint64 m_peekedBytes = 0;
    int m_lineNumber = 0;
    bool m_atStart = true;
    bool m_failed = false;
};

bool isBlankLine(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool isElementLine1(std::string_view line)
{
    return line.size() >= 2 && line[0] == '1' && line[1] == ' ';
}

/// The name line of the next set, skipping the blank lines between sets; nothing at the end.
std::optional<std::string> nextNameLine(LineReader& reader)
{
    std::optional<std::string> name = reader.next();
    while (name && isBlankLine(*name)) {
        const std::string* following = reader.peek();
        if (!following)
            return std::nullopt;
        if (isElementLine1(*following))
            break; // a set whose name line is blank
        name = reader.next();
    }
    return name;
}

ElementFileRead finish(ElementFileRead read, const LineReader& reader)
{
    if (reader.failed()) {
        read.status = ReadStatus::ReadFailed;
        read.problemLine = reader.lineNumber() + 1;
    }
    return read;
}

} // namespace

bool isReadFailure(ReadStatus status)
{
    return status != ReadStatus::Complete && status != ReadStatus::Cancelled;
}

ElementFileRead readElementSets(QIODevice& device, const ReadHooks& hooks)
{
    ElementFileRead read;
    read.totalBytes = device.size();
    LineReader reader(device);
    for (;;) {
        if (hooks.shouldCancel && hooks.shouldCancel()) {
            read.status = ReadStatus::Cancelled;
            return read;
        }
        std::optional<std::string> name = nextNameLine(reader);
        if (!name)
            break;
        std::optional<std::string> line1 = reader.next();
        std::optional<std::string> line2 = line1 ? reader.next() : std::nullopt;
        if (!line2) {
            read.status = ReadStatus::SetTruncated;
            read.problemLine = reader.lineNumber() + 1;
            return finish(std::move(read), reader);
        }
        if (!elementColumns::isWholeTextNumber(
                elementColumns::columns(*line1, kEpochYearColumn, 2))) {
            read.status = ReadStatus::EpochYearNotNumber;
            read.problemLine = reader.lineNumber() - 1;
            return read;
        }
        read.sets.push_back(Record_TLE{std::move(*name), std::move(*line1), std::move(*line2)});
        if (hooks.progress)
            hooks.progress(reader.position());
    }
    if (reader.failed())
        return finish(std::move(read), reader);
    if (read.sets.empty()) {
        read.status = ReadStatus::NoSets;
        read.problemLine = 1;
    }
    return read;
}

ElementFileRead readElementFile(const QString& path, const ReadHooks& hooks)
{
    if (path.isEmpty())
        return ElementFileRead{ReadStatus::NoFileName, {}, 0, 0};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ElementFileRead{ReadStatus::OpenFailed, {}, 0, 0};
    return readElementSets(file, hooks);
}

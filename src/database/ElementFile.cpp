#include "database/ElementFile.h"

#include "core/ElementSet.h"
#include "database/ElementColumns.h"
#include "services/TextLineReader.h"

#include <QFile>
#include <QIODevice>

#include <optional>
#include <string>

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr int kEpochYearColumn = 19;
/// Blank lines between two looks at the Cancel button and two progress reports: a file of
/// nothing but blank lines still answers Cancel and moves its bar.
constexpr int kBlankLinesBetweenChecks = 4096;

/// Lines of a device with one line of look-ahead; line ends removed.
class LineSource
{
public:
    explicit LineSource(QIODevice& device) : m_reader(device) {}

    /// The next line, or nothing at the end of the device or on a read error.
    std::optional<std::string> next()
    {
        std::optional<std::string> line = m_peeked ? std::move(m_peeked) : readLine();
        m_peeked.reset();
        if (line) {
            ++m_lineNumber;
            m_consumed = m_peekedFrom ? *m_peekedFrom : m_reader.consumed();
            m_peekedFrom.reset();
        }
        return line;
    }

    /// The line next() will return, without consuming it; null at the end.
    const std::string* peek()
    {
        if (!m_peeked) {
            m_peeked = readLine();
            if (m_peeked)
                m_peekedFrom = m_reader.consumed();
        }
        return m_peeked ? &*m_peeked : nullptr;
    }

    int lineNumber() const { return m_lineNumber; }
    bool failed() const { return m_reader.failed(); }
    /// Bytes consumed by the lines returned so far.
    qint64 position() const { return m_consumed; }

private:
    std::optional<std::string> readLine()
    {
        if (!m_reader.next(m_bytes))
            return std::nullopt;
        std::string_view text(m_bytes.constData(), static_cast<std::size_t>(m_bytes.size()));
        if (m_atStart && text.starts_with(kUtf8ByteOrderMark))
            text.remove_prefix(kUtf8ByteOrderMark.size());
        m_atStart = false;
        return std::string(text);
    }

    TextLineReader m_reader;
    QByteArray m_bytes;
    std::optional<std::string> m_peeked;
    std::optional<qint64> m_peekedFrom; ///< bytes consumed once the peeked line is taken
    qint64 m_consumed = 0;
    int m_lineNumber = 0;
    bool m_atStart = true;
};

bool isBlankLine(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool isElementLine1(std::string_view line)
{
    return line.size() >= 2 && line[0] == '1' && line[1] == ' ';
}

enum class NameLine { Found, End, Cancelled };

/// Reads the name line of the next set into `name`, skipping the blank lines between sets.
NameLine nextNameLine(LineSource& source, const ReadHooks& hooks, std::string& name)
{
    int blankLines = 0;
    for (;;) {
        std::optional<std::string> line = source.next();
        if (!line)
            return NameLine::End;
        if (!isBlankLine(*line)) {
            name = std::move(*line);
            return NameLine::Found;
        }
        const std::string* following = source.peek();
        if (!following)
            return NameLine::End;
        if (isElementLine1(*following)) {
            name = std::move(*line); // a set whose name line is blank
            return NameLine::Found;
        }
        // Guard: a file of millions of blank lines is read without freezing the window.
        if (++blankLines % kBlankLinesBetweenChecks == 0) {
            if (hooks.progress)
                hooks.progress(source.position());
            if (hooks.shouldCancel && hooks.shouldCancel())
                return NameLine::Cancelled;
        }
    }
}

ElementFileRead finish(ElementFileRead read, const LineSource& source)
{
    if (source.failed()) {
        read.status = ReadStatus::ReadFailed;
        read.problemLine = source.lineNumber() + 1;
    }
    return read;
}

/// Counts what is wrong with a complete set; true when it is kept.
bool keepSet(const Record_TLE& set, ElementFileRead& read)
{
    switch (judgeElementSet(set.Riga1, set.Riga2)) {
    case SetJudgement::Kept:
        return true;
    case SetJudgement::WrongChecksum:
        ++read.wrongChecksums;
        return true;
    case SetJudgement::Refused:
        ++read.refusedSets;
        return false;
    }
    return false;
}

} // namespace

bool isReadFailure(ReadStatus status)
{
    return status != ReadStatus::Complete && status != ReadStatus::Cancelled;
}

SetJudgement judgeElementSet(std::string_view line1, std::string_view line2)
{
    if (mSat::checkElementColumns(line1, line2) != mSat::Status::Ok
        || !elementColumns::epochDayInYear(line1))
        return SetJudgement::Refused;
    if (!mSat::checksumMatches(line1) || !mSat::checksumMatches(line2))
        return SetJudgement::WrongChecksum;
    return SetJudgement::Kept;
}

bool hasEpochYear(std::string_view line1)
{
    return elementColumns::isWholeTextNumber(elementColumns::columns(line1, kEpochYearColumn, 2));
}

ElementFileRead readElementSets(QIODevice& device, const ReadHooks& hooks)
{
    ElementFileRead read;
    read.totalBytes = device.size();
    LineSource source(device);
    std::string name;
    for (;;) {
        if (hooks.shouldCancel && hooks.shouldCancel()) {
            read.status = ReadStatus::Cancelled;
            return read;
        }
        const NameLine found = nextNameLine(source, hooks, name);
        if (found == NameLine::Cancelled) {
            read.status = ReadStatus::Cancelled;
            return read;
        }
        if (found == NameLine::End)
            break;
        std::optional<std::string> line1 = source.next();
        std::optional<std::string> line2 = line1 ? source.next() : std::nullopt;
        if (!line2) {
            read.status = ReadStatus::SetTruncated;
            read.problemLine = source.lineNumber() + 1;
            return finish(std::move(read), source);
        }
        if (!hasEpochYear(*line1)) {
            read.status = ReadStatus::EpochYearNotNumber;
            read.problemLine = source.lineNumber() - 1;
            return read;
        }
        Record_TLE set{std::move(name), std::move(*line1), std::move(*line2)};
        if (keepSet(set, read))
            read.sets.push_back(std::move(set));
        if (hooks.progress)
            hooks.progress(source.position());
    }
    if (source.failed())
        return finish(std::move(read), source);
    if (read.sets.empty()) {
        read.status = ReadStatus::NoSets;
        read.problemLine = 1;
    }
    return read;
}

ElementFileRead readElementFile(const QString& path, const ReadHooks& hooks)
{
    if (path.isEmpty())
        return ElementFileRead{ReadStatus::NoFileName, {}, 0, 0, 0, 0};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ElementFileRead{ReadStatus::OpenFailed, {}, 0, 0, 0, 0};
    return readElementSets(file, hooks);
}

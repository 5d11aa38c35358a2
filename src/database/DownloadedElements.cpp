#include "database/DownloadedElements.h"

#include "core/ElementSet.h"
#include "database/ElementFile.h"

#include <QFileInfo>

#include <string_view>
#include <vector>

namespace {

// The extensions the save dialog's element-file filter offers.
const QStringList kElementFileSuffixes = {QStringLiteral("txt"), QStringLiteral("tle")};

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
/// Element lines are 69 characters and names a few dozen: a longer line is judged by its
/// start, so a file of one endless line is not held whole.
constexpr qsizetype kMaxHeldLineBytes = 4096;
/// Column of an element line's checksum, its last: a line 2 that reaches it is whole.
constexpr qsizetype kChecksumColumn = 69;

bool isBlankLine(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool isElementLine1(std::string_view line)
{
    return line.size() >= 2 && line[0] == '1' && line[1] == ' ';
}

bool isWellFormedSet(const std::string& name, const std::string& line1, const std::string& line2)
{
    if (!line1.starts_with("1 ") || !line2.starts_with("2 "))
        return false;
    static const std::vector<std::string> noMagnitudes;
    static const std::vector<Record_TLE> noFrequencies;
    return mSat::parseElementSet(name, line1, line2, noMagnitudes, noFrequencies).status
           == mSat::Status::Ok;
}

} // namespace

void ElementFileCheck::feed(QByteArrayView bytes)
{
    const qint64 pieceStart = m_fedBytes;
    m_fedBytes += bytes.size();
    // Where the next CR and the next LF are, each looked up again only once passed, so a file
    // with one kind of line end is not searched to its end for the other at every line.
    qsizetype nextCr = bytes.indexOf('\r');
    qsizetype nextLf = bytes.indexOf('\n');
    for (qsizetype i = 0; i < bytes.size() && !m_failed;) {
        if (nextCr >= 0 && nextCr < i)
            nextCr = bytes.indexOf('\r', i);
        if (nextLf >= 0 && nextLf < i)
            nextLf = bytes.indexOf('\n', i);
        const qsizetype end = nextCr < 0   ? (nextLf < 0 ? bytes.size() : nextLf)
                              : nextLf < 0 ? nextCr
                                           : qMin(nextCr, nextLf);
        if (end > i) {
            m_afterCarriageReturn = false;
            const qsizetype room = qMax<qsizetype>(0, kMaxHeldLineBytes - m_line.size());
            m_line.append(bytes.sliced(i, qMin(room, end - i)));
            m_lineStarted = true;
            i = end;
            continue;
        }
        const char c = bytes[i];
        // The LF of a CR LF split between two pieces ends nothing.
        if (!(c == '\n' && m_afterCarriageReturn))
            takeLine(pieceStart + i);
        m_afterCarriageReturn = c == '\r';
        ++i;
    }
}

bool ElementFileCheck::refusedAlready() const
{
    if (m_failed)
        return true;
    return m_firstSetEnd < 0 ? m_fedBytes > kMaxBytesBeforeFirstSet
                             : m_firstSetEnd > kMaxBytesBeforeFirstSet;
}

ElementCheckVerdict ElementFileCheck::finish()
{
    bool cut = false;
    if (m_lineStarted && !m_failed) {
        // A last line without a line end may be a line the transfer cut in the middle.
        cut = !lastLineIsWhole();
        takeLine(m_fedBytes);
    }
    if (m_expect != Expect::Name)
        cut = true; // the file ends inside a set

    ElementCheckVerdict verdict = m_counts;
    const bool setsInTime = m_firstSetEnd >= 0 && m_firstSetEnd <= kMaxBytesBeforeFirstSet;
    if (!setsInTime)
        verdict.fault = ElementFileFault::NoSets;
    else if (m_failed)
        verdict.fault = ElementFileFault::BrokenSet;
    else if (cut)
        verdict.fault = ElementFileFault::CutShort;
    if (verdict.fault == ElementFileFault::BrokenSet)
        verdict.brokenSetLine = m_failureLine;
    return verdict;
}

qsizetype ElementFileCheck::heldBytes() const
{
    return m_line.size() + static_cast<qsizetype>(m_name.size() + m_line1.size());
}

bool ElementFileCheck::lastLineIsWhole() const
{
    const std::string_view line(m_line.constData(), static_cast<std::size_t>(m_line.size()));
    // Blanks cut short are still blanks; an element line 2 that reaches its checksum column
    // ends a complete set, as in a file written without a final line end.
    return isBlankLine(line) || (m_expect == Expect::Line2 && m_line.size() >= kChecksumColumn);
}

void ElementFileCheck::takeLine(qint64 endOffset)
{
    std::string line(m_line.constData(), static_cast<std::size_t>(m_line.size()));
    m_line.clear();
    m_lineStarted = false;
    if (m_atStart && line.starts_with(kUtf8ByteOrderMark))
        line.erase(0, kUtf8ByteOrderMark.size());
    m_atStart = false;
    ++m_lineNumber;

    switch (m_expect) {
    case Expect::Name:
        if (isBlankLine(line)) {
            // Blank lines between sets are skipped, unless the next one is an element line 1.
            m_blankNameCandidate = true;
            m_name = line;
            return;
        }
        if (m_blankNameCandidate && isElementLine1(line)) {
            m_line1 = std::move(line); // a set whose name line is blank
            m_line1Number = m_lineNumber;
            m_expect = Expect::Line2;
        } else {
            m_name = std::move(line);
            m_expect = Expect::Line1;
        }
        m_blankNameCandidate = false;
        return;
    case Expect::Line1:
        m_line1 = std::move(line);
        m_line1Number = m_lineNumber;
        m_expect = Expect::Line2;
        return;
    case Expect::Line2:
        m_expect = Expect::Name;
        if (!hasEpochYear(m_line1)) {
            fail(m_line1Number);
            return;
        }
        if (takeSet(line) != SetJudgement::Refused && m_firstSetEnd < 0
            && isWellFormedSet(m_name, m_line1, line))
            m_firstSetEnd = endOffset;
        m_name.clear();
        m_line1.clear();
        return;
    }
}

SetJudgement ElementFileCheck::takeSet(const std::string& line2)
{
    ++m_counts.sets;
    const SetJudgement judgement = judgeElementSet(m_line1, line2);
    if (judgement != SetJudgement::Kept && m_counts.damagedSets++ == 0)
        m_counts.firstDamagedLine = m_line1Number;
    return judgement;
}

void ElementFileCheck::fail(qint64 line)
{
    m_failed = true;
    m_failureLine = line;
    m_line.clear();
    m_name.clear();
    m_line1.clear();
}

bool isElementFileTarget(const QString& path, const QString& primaryDatabase)
{
    if (!primaryDatabase.isEmpty()) {
        const QString canonical = QFileInfo(path).absoluteFilePath();
        if (canonical == QFileInfo(primaryDatabase).absoluteFilePath())
            return true;
    }
    return kElementFileSuffixes.contains(QFileInfo(path).suffix().toLower());
}

namespace {

class ElementBodyCheck final : public BodyCheck
{
public:
    void feed(QByteArrayView data) override { m_check.feed(data); }
    bool refusedAlready() const override { return m_check.refusedAlready(); }
    BodyVerdict finish() override
    {
        const ElementCheckVerdict verdict = m_check.finish();
        BodyVerdict body;
        switch (verdict.fault) {
        case ElementFileFault::None:
            body.outcome = BodyVerdict::Outcome::Accepted;
            break;
        case ElementFileFault::NoSets:
        case ElementFileFault::BrokenSet:
            body.outcome = BodyVerdict::Outcome::Refused;
            body.problemLine = verdict.brokenSetLine;
            break;
        case ElementFileFault::CutShort:
            body.outcome = BodyVerdict::Outcome::CutShort;
            break;
        }
        body.sets = verdict.sets;
        body.damagedSets = verdict.damagedSets;
        body.firstDamagedLine = verdict.firstDamagedLine;
        return body;
    }

private:
    ElementFileCheck m_check;
};

} // namespace

std::unique_ptr<BodyCheck> makeElementBodyCheck()
{
    return std::make_unique<ElementBodyCheck>();
}

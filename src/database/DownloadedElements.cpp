#include "database/DownloadedElements.h"

#include "database/ElementFile.h"

#include <QFileInfo>

#include <string_view>

namespace {

// The extensions the save dialog's element-file filter offers.
const QStringList kElementFileSuffixes = {QStringLiteral("txt"), QStringLiteral("tle")};

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
/// Element lines are 69 characters and names a few dozen: a longer line is judged by its
/// start, so a file of one endless line is not held whole.
constexpr qsizetype kMaxHeldLineBytes = 4096;

bool isBlankLine(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool isElementLine1(std::string_view line)
{
    return line.size() >= 2 && line[0] == '1' && line[1] == ' ';
}

} // namespace

void ElementFileCheck::feed(QByteArrayView bytes)
{
    // Where the next CR and the next LF are, each looked up again only once passed, so a file
    // with one kind of line end is not searched to its end for the other at every line.
    qsizetype nextCr = bytes.indexOf('\r');
    qsizetype nextLf = bytes.indexOf('\n');
    for (qsizetype i = 0; i < bytes.size() && !m_failed;) {
        // A set can only be completed at a line end: past a limit without one, the file is no
        // element file, whatever follows.
        if (passedLimit(m_bytesTaken + i))
            break;
        if (nextCr >= 0 && nextCr < i)
            nextCr = bytes.indexOf('\r', i);
        if (nextLf >= 0 && nextLf < i)
            nextLf = bytes.indexOf('\n', i);
        const qsizetype end = nextCr < 0   ? (nextLf < 0 ? bytes.size() : nextLf)
                              : nextLf < 0 ? nextCr
                                           : qMin(nextCr, nextLf);
        if (end > i) {
            m_afterCarriageReturn = false;
            const qsizetype held =
                qMin(qMax<qsizetype>(0, kMaxHeldLineBytes - m_line.size()), end - i);
            m_line.append(bytes.sliced(i, held));
            // The reader sees the whole line: one with more than blanks after its held start
            // is no blank line.
            if (!m_lineTextNotHeld && held < end - i) {
                const QByteArrayView rest = bytes.sliced(i + held, end - i - held);
                m_lineTextNotHeld = !isBlankLine(
                    std::string_view(rest.data(), static_cast<std::size_t>(rest.size())));
            }
            m_lineStarted = true;
            m_lineBytes += end - i;
            if (m_lineBytes > m_limits.lineBytes) {
                fail(ElementFileFault::LineTooLong, m_lineNumber + 1);
                break;
            }
            i = end;
            continue;
        }
        const char c = bytes[i];
        // The LF of a CR LF split between two pieces ends nothing.
        if (!(c == '\n' && m_afterCarriageReturn)) {
            const qint64 keptBefore = m_keptSets;
            takeLine();
            if (m_keptSets != keptBefore)
                m_lastSetEnd = m_bytesTaken + i + 1;
        }
        m_afterCarriageReturn = c == '\r';
        ++i;
    }
    m_bytesTaken += bytes.size();
    if (!m_failed)
        passedLimit(m_bytesTaken);
}

bool ElementFileCheck::passedLimit(qint64 bytesRead)
{
    // The bytes since the last set kept, or since the start before the first one.
    if (bytesRead - m_lastSetEnd >= m_limits.bytesWithoutSet) {
        fail(m_keptSets == 0 ? ElementFileFault::NoSetsEarly : ElementFileFault::NoNewSetsEarly,
             0);
        return true;
    }
    if (bytesRead > m_limits.totalBytes) {
        fail(ElementFileFault::TooLarge, 0);
        return true;
    }
    return false;
}

ElementCheckVerdict ElementFileCheck::finish()
{
    bool cut = false;
    if (m_lineStarted && !m_failed) {
        // A last line without a line end: the reader reads it like any other, but a line 2 it
        // leaves out is likelier a line the transfer cut than a damaged one.
        const bool lastIsLine2 = m_expect == Expect::Line2;
        takeLine();
        cut = lastIsLine2 && m_lastSetLeftOut;
    }
    if (m_expect != Expect::Name)
        cut = true; // the file ends inside a set

    ElementCheckVerdict verdict = m_counts;
    if (m_failed && m_failure != ElementFileFault::BrokenSet)
        verdict.fault = m_failure; // a limit passed
    else if (m_keptSets == 0)
        verdict.fault = ElementFileFault::NoSets;
    else if (m_failed)
        verdict.fault = ElementFileFault::BrokenSet;
    else if (cut)
        verdict.fault = ElementFileFault::CutShort;
    if (verdict.fault == ElementFileFault::BrokenSet ||
        verdict.fault == ElementFileFault::LineTooLong)
        verdict.brokenSetLine = m_failureLine;
    return verdict;
}

qsizetype ElementFileCheck::heldBytes() const
{
    return m_line.size() + static_cast<qsizetype>(m_line1.size());
}

void ElementFileCheck::takeLine()
{
    std::string line(m_line.constData(), static_cast<std::size_t>(m_line.size()));
    m_line.clear();
    m_lineStarted = false;
    m_lineBytes = 0;
    if (m_atStart && line.starts_with(kUtf8ByteOrderMark))
        line.erase(0, kUtf8ByteOrderMark.size());
    m_atStart = false;
    const bool blank = !m_lineTextNotHeld && isBlankLine(line);
    m_lineTextNotHeld = false;
    ++m_lineNumber;

    switch (m_expect) {
    case Expect::Name:
        if (blank) {
            // Blank lines between sets are skipped, unless the next one is an element line 1.
            m_blankNameCandidate = true;
            return;
        }
        if (m_blankNameCandidate && isElementLine1(line)) {
            m_line1 = std::move(line); // a set whose name line is blank
            m_line1Number = m_lineNumber;
            m_expect = Expect::Line2;
        } else {
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
            fail(ElementFileFault::BrokenSet, m_line1Number);
            return;
        }
        takeSet(line);
        m_line1.clear();
        return;
    }
}

void ElementFileCheck::takeSet(const std::string& line2)
{
    ++m_counts.sets;
    const SetJudgement judgement = judgeElementSet(m_line1, line2);
    m_lastSetLeftOut = judgement == SetJudgement::Refused;
    if (!m_lastSetLeftOut)
        ++m_keptSets;
    if (judgement != SetJudgement::Kept && m_counts.damagedSets++ == 0)
        m_counts.firstDamagedLine = m_line1Number;
}

void ElementFileCheck::fail(ElementFileFault fault, qint64 line)
{
    m_failed = true;
    m_failure = fault;
    m_failureLine = line;
    m_line.clear();
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
        const ElementFileCheck::Limits& limits = m_check.limits();
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
        case ElementFileFault::NoSetsEarly:
            refuseAtLimit(body, BodyLimit::BytesWithoutContent, limits.bytesWithoutSet);
            break;
        case ElementFileFault::LineTooLong:
            refuseAtLimit(body, BodyLimit::LineLength, limits.lineBytes);
            body.problemLine = verdict.brokenSetLine;
            break;
        case ElementFileFault::NoNewSetsEarly:
            refuseAtLimit(body, BodyLimit::BytesWithoutNewContent, limits.bytesWithoutSet);
            break;
        case ElementFileFault::TooLarge:
            refuseAtLimit(body, BodyLimit::TotalBytes, limits.totalBytes);
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
    static void refuseAtLimit(BodyVerdict& body, BodyLimit limit, qint64 bytes)
    {
        body.outcome = BodyVerdict::Outcome::Refused;
        body.limit = limit;
        body.limitBytes = bytes;
    }

    ElementFileCheck m_check;
};

} // namespace

std::unique_ptr<BodyCheck> makeElementBodyCheck()
{
    return std::make_unique<ElementBodyCheck>();
}

// A download's reply as it comes off the connection: the header and the body in pieces whose
// sizes come from the input, an optional endless tail (a header that never ends, a body far
// longer than the input), and the element-file check fed with the decoded body. The pieces
// must change nothing: the same reply taken whole gives the same state, body and verdict, and
// neither reader ever holds more than its bound.

#include "FuzzSupport.h"

#include "database/DownloadedElements.h"
#include "database/HttpReply.h"

#include <cstdio>
#include <cstdlib>

namespace {

// The element check holds the line being read (at most 4096 bytes) and a name and line 1.
constexpr qsizetype kMostHeldByTheCheck = 3 * 4096;
// A size line is refused beyond 4096 bytes.
constexpr qsizetype kMostHeldByTheStream = HttpReplyStream::kMaxHeaderBytes + 4096;
// Beyond the header cap: an endless header is refused, a huge body passes through.
constexpr qsizetype kLongestTail = 72 * 1024;
// This tail count asks for the longest tail; any other repeats the tail up to 15 times.
constexpr std::uint8_t kEndlessTail = 0xFF;

// Names the broken rule before stopping, so a finding explains itself.
#define REQUIRE(condition)                                                                         \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "broken: %s\n", #condition);                                      \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

struct Outcome
{
    HttpReplyStream::State state = HttpReplyStream::State::Header;
    qint64 bodyBytes = 0;
    qint64 wireBytes = 0;
    QByteArray body; // the decoded body, no longer than the input and its tail
    ElementCheckVerdict verdict;
};

class Reader
{
public:
    void take(QByteArrayView piece)
    {
        const qint64 wireBefore = m_stream.wireBytes();
        m_decoded.clear();
        if (m_stream.state() == HttpReplyStream::State::Header) {
            QByteArray rest;
            if (m_stream.readHeader(piece, rest) == HttpReplyStream::State::HeaderRead) {
                // Every status is read as a file here: the body framing is what is exercised.
                (void)m_stream.header().isRedirect();
                (void)m_stream.header().value("Location");
                m_stream.startBody();
                m_stream.readBody(rest, m_decoded);
            }
        } else {
            const HttpReplyStream::State before = m_stream.state();
            m_stream.readBody(piece, m_decoded);
            // A finished reply takes nothing more.
            if (before != HttpReplyStream::State::Body)
                REQUIRE(m_stream.state() == before && m_decoded.isEmpty() &&
                        m_stream.wireBytes() == wireBefore);
        }
        m_outcome.body.append(m_decoded);
        m_check.feed(m_decoded);
        REQUIRE(m_stream.heldBytes() <= kMostHeldByTheStream);
        REQUIRE(m_check.heldBytes() <= kMostHeldByTheCheck);
        REQUIRE(m_stream.bodyBytes() <= m_stream.wireBytes());
        if (m_stream.announcedLength() >= 0)
            REQUIRE(m_stream.bodyBytes() <= m_stream.announcedLength());
        if (m_stream.state() == HttpReplyStream::State::Header)
            REQUIRE(m_stream.heldBytes() < HttpReplyStream::kMaxHeaderBytes);
    }

    Outcome finish()
    {
        m_outcome.state = m_stream.state();
        m_outcome.bodyBytes = m_stream.bodyBytes();
        m_outcome.wireBytes = m_stream.wireBytes();
        (void)m_stream.wholeAtClose();
        m_outcome.verdict = m_check.finish();
        return m_outcome;
    }

private:
    HttpReplyStream m_stream;
    ElementFileCheck m_check;
    QByteArray m_decoded;
    Outcome m_outcome;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t pieceSeed = input.byte();
    const std::uint8_t tailBlocks = input.byte();
    const std::string_view rest = input.rest();
    // The last part of the input (at most 256 bytes) is the tail repeated after the reply.
    const std::size_t tailSize = std::min<std::size_t>(rest.size(), 1 + pieceSeed % 256);
    QByteArray reply(rest.data(), static_cast<qsizetype>(rest.size()));
    const QByteArray tail = reply.right(static_cast<qsizetype>(tailSize));
    if (!tail.isEmpty()) {
        const qsizetype repeats =
            tailBlocks == kEndlessTail ? kLongestTail / tail.size() : tailBlocks % 16;
        for (qsizetype i = 0; i < repeats; ++i)
            reply += tail;
    }

    // Pieces of 1 to 4096 bytes from a small generator seeded by the input.
    Reader inPieces;
    quint32 state = 0x9E3779B9u ^ pieceSeed ^ (quint32(tailBlocks) << 8) ^ quint32(reply.size());
    for (qsizetype at = 0; at < reply.size();) {
        state = state * 1664525u + 1013904223u;
        const qsizetype wanted =
            1 + static_cast<qsizetype>((state >> 16) % (pieceSeed % 3 == 0 ? 16 : 4096));
        const qsizetype piece = qMin(wanted, reply.size() - at);
        inPieces.take(QByteArrayView(reply).sliced(at, piece));
        at += piece;
    }
    Reader whole;
    whole.take(reply);

    const Outcome a = inPieces.finish();
    const Outcome b = whole.finish();
    REQUIRE(a.state == b.state);
    REQUIRE(a.bodyBytes == b.bodyBytes && a.body == b.body);
    // The piece that ends a body counts whole, bytes after its end included: only an open body
    // has received the same count however it was cut.
    if (a.state == HttpReplyStream::State::Body)
        REQUIRE(a.wireBytes == b.wireBytes);
    REQUIRE(a.verdict.fault == b.verdict.fault &&
            a.verdict.brokenSetLine == b.verdict.brokenSetLine);
    REQUIRE(a.verdict.sets == b.verdict.sets && a.verdict.damagedSets == b.verdict.damagedSets &&
            a.verdict.firstDamagedLine == b.verdict.firstDamagedLine);
    REQUIRE(a.verdict.damagedSets <= a.verdict.sets);
    REQUIRE((a.verdict.damagedSets == 0) == (a.verdict.firstDamagedLine == 0));
    return 0;
}

#pragma once
// Reading an HTTP/1.1 reply as it arrives: where its header ends, what the header says, the
// chunked transfer coding of its body (RFC 9112, sections 4 to 7), and the whole reply taken in
// pieces of any size while holding only a bounded part of it.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>
#include <utility>

/// Offset just past the blank line that ends a reply header in `buffer`, or -1 while that
/// line has not arrived. Lines may end in CR LF or in a bare LF.
[[nodiscard]] qsizetype httpHeaderEnd(QByteArrayView buffer);

/// The status line and header fields of one reply.
class HttpReplyHeader
{
public:
    /// Reads a header as cut by httpHeaderEnd (status line first, blank line included or not).
    /// Empty when the first line is not an HTTP status line.
    [[nodiscard]] static std::optional<HttpReplyHeader> parse(QByteArrayView header);

    [[nodiscard]] int statusCode() const { return m_statusCode; }
    [[nodiscard]] const QByteArray& reasonPhrase() const { return m_reasonPhrase; }

    /// Value of the first field of that name, the name compared without regard to letter
    /// case, blanks around the value removed; empty when the field is absent.
    [[nodiscard]] QByteArray value(QByteArrayView name) const;
    [[nodiscard]] bool contains(QByteArrayView name) const;

    /// Announced body length in bytes; empty when absent or not a plain decimal number.
    [[nodiscard]] std::optional<qint64> contentLength() const;
    /// The body is framed by the chunked transfer coding (the last coding listed).
    [[nodiscard]] bool isChunked() const;
    [[nodiscard]] bool isSuccess() const { return m_statusCode >= 200 && m_statusCode <= 299; }
    /// A redirect the client follows by itself (301, 302, 303, 307, 308).
    [[nodiscard]] bool isRedirect() const;

private:
    int m_statusCode = 0;
    QByteArray m_reasonPhrase;
    QList<std::pair<QByteArray, QByteArray>> m_fields; // name as sent, trimmed value
};

/// Removes the chunked transfer coding from a body fed in pieces of any size.
class ChunkedDecoder
{
public:
    enum class State { NeedMore, Complete, Malformed };

    /// Consumes the next bytes of the body and appends the data they carry to `decoded`.
    /// Bytes after the last chunk (trailer fields) are ignored.
    State feed(QByteArrayView wire, QByteArray& decoded);
    [[nodiscard]] State state() const;
    /// Bytes of an unfinished size line held until its line end arrives.
    [[nodiscard]] qsizetype heldBytes() const { return m_line.size(); }

private:
    enum class Step { SizeLine, Data, DataEnd, Done, Broken };

    bool acceptSizeLine();
    qsizetype consumeDataEnd(QByteArrayView wire);

    Step m_step = Step::SizeLine;
    QByteArray m_line;      // size line collected so far
    qint64 m_remaining = 0; // bytes of the current chunk still to come
};

/// One reply read as it arrives, in pieces of any size: the header collected up to its blank
/// line, then the body handed on piece by piece, freed of its framing (chunked, announced
/// length, or up to the server's close). Only the header is held whole, and at most
/// kMaxHeaderBytes of it: a body of any size passes through.
class HttpReplyStream
{
public:
    /// Longest header accepted, blank line included. Real replies carry a few hundred bytes;
    /// a server that never ends its header must not make the reader hold it without limit.
    static constexpr qsizetype kMaxHeaderBytes = 64 * 1024;

    enum class State {
        Header,     ///< the header's blank line has not arrived yet
        HeaderRead, ///< header() holds the header; the body waits for startBody()
        Body,       ///< body bytes are being taken
        Complete,   ///< the announced length or the last chunk has arrived
        Malformed,  ///< no status line, a header longer than kMaxHeaderBytes, broken framing
    };

    /// Takes the next bytes while the header is being read. Once its blank line has arrived
    /// the state is HeaderRead and the bytes that followed it (the start of the body) are in
    /// `rest`.
    State readHeader(QByteArrayView data, QByteArray& rest);
    /// The header, once read.
    [[nodiscard]] const HttpReplyHeader& header() const { return m_header; }

    /// Starts a body framed as the header says.
    void startBody();
    /// Takes the next body bytes as sent and appends the data they carry to `decoded`.
    State readBody(QByteArrayView wire, QByteArray& decoded);

    /// Whether the body is whole if the server closes now: its end was framed and has
    /// arrived, or it had no framing and so ends at the close.
    [[nodiscard]] bool wholeAtClose() const;

    [[nodiscard]] State state() const { return m_state; }
    /// Malformed because the header did not end within kMaxHeaderBytes.
    [[nodiscard]] bool headerTooLong() const { return m_headerTooLong; }
    /// Body bytes received, framing included.
    [[nodiscard]] qint64 wireBytes() const { return m_wireBytes; }
    /// Body data taken so far, framing removed.
    [[nodiscard]] qint64 bodyBytes() const { return m_bodyBytes; }
    /// Length the header announced; -1 when none (the body ends when the server closes).
    [[nodiscard]] qint64 announcedLength() const { return m_contentLength; }
    /// Bytes of the reply held in memory now (the header so far, a chunk size line).
    [[nodiscard]] qsizetype heldBytes() const;

private:
    State m_state = State::Header;
    bool m_headerTooLong = false;
    QByteArray m_headerBuffer;
    HttpReplyHeader m_header;
    std::optional<ChunkedDecoder> m_decoder;
    qint64 m_contentLength = -1;
    qint64 m_wireBytes = 0;
    qint64 m_bodyBytes = 0;
};

#pragma once
// Reading an HTTP/1.1 reply as it arrives: where its header ends, what the header says, and
// the chunked transfer coding of its body (RFC 9112, sections 4 to 7).

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

private:
    enum class Step { SizeLine, Data, DataEnd, Done, Broken };

    bool acceptSizeLine();
    qsizetype consumeDataEnd(QByteArrayView wire);

    Step m_step = Step::SizeLine;
    QByteArray m_line;      // size line collected so far
    qint64 m_remaining = 0; // bytes of the current chunk still to come
};

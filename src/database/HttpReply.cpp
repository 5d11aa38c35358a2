#include "database/HttpReply.h"

#include "services/TextData.h"

namespace {

// A size line is a few hex digits and perhaps an extension; a longer one is not a size line.
constexpr qsizetype kMaxSizeLineBytes = 4096;
// Fifteen hex digits already describe a chunk far beyond any element file (2^60 bytes).
constexpr int kMaxChunkSizeDigits = 15;

QByteArray stripCarriageReturn(QByteArrayView line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    return line.toByteArray();
}

} // namespace

qsizetype httpHeaderEnd(QByteArrayView buffer)
{
    for (qsizetype i = buffer.indexOf('\n'); i >= 0; i = buffer.indexOf('\n', i + 1)) {
        if (i + 1 < buffer.size() && buffer[i + 1] == '\n')
            return i + 2;
        if (i + 2 < buffer.size() && buffer[i + 1] == '\r' && buffer[i + 2] == '\n')
            return i + 3;
    }
    return -1;
}

std::optional<HttpReplyHeader> HttpReplyHeader::parse(QByteArrayView header)
{
    const QList<QByteArray> lines = header.toByteArray().split('\n');
    const QByteArray statusLine = stripCarriageReturn(lines.value(0));
    // "HTTP/1.1 404 Not Found": version, three-digit code, optional reason phrase.
    const qsizetype firstBlank = statusLine.indexOf(' ');
    if (!statusLine.startsWith("HTTP/") || firstBlank < 0)
        return std::nullopt;
    const QByteArray rest = statusLine.mid(firstBlank + 1);
    const QByteArray code = rest.left(3);
    bool isNumber = false;
    const int statusCode = code.toInt(&isNumber);
    if (!isNumber || code.size() != 3 || statusCode < 100 || (rest.size() > 3 && rest[3] != ' '))
        return std::nullopt;

    HttpReplyHeader result;
    result.m_statusCode = statusCode;
    result.m_reasonPhrase = rest.mid(4).trimmed();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = stripCarriageReturn(lines[i]);
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue; // blank line or no field
        result.m_fields.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
    }
    return result;
}

QByteArray HttpReplyHeader::value(QByteArrayView name) const
{
    for (const auto& [fieldName, fieldValue] : m_fields) {
        if (fieldName.compare(name, Qt::CaseInsensitive) == 0)
            return fieldValue;
    }
    return {};
}

bool HttpReplyHeader::contains(QByteArrayView name) const
{
    for (const auto& field : m_fields) {
        if (field.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

std::optional<qint64> HttpReplyHeader::contentLength() const
{
    const QByteArray text = value("Content-Length");
    if (text.isEmpty())
        return std::nullopt;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    bool ok = false;
    const qint64 length = text.toLongLong(&ok);
    return ok ? std::optional<qint64>(length) : std::nullopt;
}

bool HttpReplyHeader::isChunked() const
{
    const QList<QByteArray> codings = value("Transfer-Encoding").split(',');
    return codings.last().trimmed().compare("chunked", Qt::CaseInsensitive) == 0;
}

bool HttpReplyHeader::isRedirect() const
{
    switch (m_statusCode) {
    case 301:
    case 302:
    case 303:
    case 307:
    case 308:
        return true;
    default:
        return false;
    }
}

ChunkedDecoder::State ChunkedDecoder::feed(QByteArrayView wire, QByteArray& decoded)
{
    while (!wire.isEmpty() && m_step != Step::Done && m_step != Step::Broken) {
        switch (m_step) {
        case Step::SizeLine: {
            const qsizetype lineEnd = wire.indexOf('\n');
            const qsizetype taken = lineEnd < 0 ? wire.size() : lineEnd + 1;
            // Guard: checked before the bytes are kept, so a long line is never held whole.
            if (m_line.size() + taken > kMaxSizeLineBytes) {
                m_step = Step::Broken;
                break;
            }
            m_line.append(wire.first(taken));
            wire = wire.sliced(taken);
            if (lineEnd >= 0 && !acceptSizeLine())
                m_step = Step::Broken;
            break;
        }
        case Step::Data: {
            const qsizetype taken =
                static_cast<qsizetype>(qMin<qint64>(m_remaining, static_cast<qint64>(wire.size())));
            decoded.append(wire.first(taken));
            wire = wire.sliced(taken);
            m_remaining -= taken;
            if (m_remaining == 0)
                m_step = Step::DataEnd;
            break;
        }
        case Step::DataEnd:
            wire = wire.sliced(consumeDataEnd(wire));
            break;
        case Step::Done:
        case Step::Broken:
            break;
        }
    }
    return state();
}

ChunkedDecoder::State ChunkedDecoder::state() const
{
    switch (m_step) {
    case Step::Done:
        return State::Complete;
    case Step::Broken:
        return State::Malformed;
    default:
        return State::NeedMore;
    }
}

bool ChunkedDecoder::acceptSizeLine()
{
    const QByteArray line = m_line.trimmed();
    m_line.clear();
    qint64 size = 0;
    int digits = 0;
    for (; digits < line.size() && hexDigitValue(line[digits]) >= 0; ++digits) {
        if (digits == kMaxChunkSizeDigits)
            return false;
        size = size * 16 + hexDigitValue(line[digits]);
    }
    // Guard: a size line without digits is broken framing, not the last chunk; taking it as
    // the end would save a cut body as if it were whole.
    if (digits == 0)
        return false;
    // After the digits only a chunk extension (";name=value") may follow.
    const QByteArray after = line.mid(digits).trimmed();
    if (!after.isEmpty() && !after.startsWith(';'))
        return false;
    m_remaining = size;
    m_step = size == 0 ? Step::Done : Step::Data;
    return true;
}

qsizetype ChunkedDecoder::consumeDataEnd(QByteArrayView wire)
{
    // Each chunk's data ends with CR LF (a bare LF is tolerated); anything else is broken.
    const char c = wire.front();
    if (m_line.isEmpty() && c == '\r') {
        m_line = "\r";
    } else if (c == '\n') {
        m_line.clear();
        m_step = Step::SizeLine;
    } else {
        m_step = Step::Broken;
    }
    return 1;
}

HttpReplyStream::State HttpReplyStream::readHeader(QByteArrayView data, QByteArray& rest)
{
    rest.clear();
    if (m_state != State::Header || data.isEmpty())
        return m_state;
    // Only as much as may still belong to a header is kept; the blank line may straddle two
    // arrivals, so the search starts just before the new bytes.
    const qsizetype scanFrom = qMax<qsizetype>(0, m_headerBuffer.size() - 2);
    const qsizetype taken = qMin(data.size(), kMaxHeaderBytes - m_headerBuffer.size());
    m_headerBuffer.append(data.first(taken));
    const qsizetype end = httpHeaderEnd(QByteArrayView(m_headerBuffer).sliced(scanFrom));
    if (end < 0) {
        // Guard: a header that never ends would otherwise be held for as long as it comes.
        if (m_headerBuffer.size() >= kMaxHeaderBytes) {
            m_headerBuffer.clear();
            m_state = State::Malformed;
            m_headerTooLong = true;
        }
        return m_state;
    }
    const qsizetype headerEnd = scanFrom + end;
    const std::optional<HttpReplyHeader> header =
        HttpReplyHeader::parse(QByteArrayView(m_headerBuffer).first(headerEnd));
    if (!header) {
        m_headerBuffer.clear();
        m_state = State::Malformed;
        return m_state;
    }
    m_header = *header;
    rest = m_headerBuffer.mid(headerEnd);
    rest.append(data.sliced(taken));
    m_headerBuffer.clear();
    m_headerBuffer.squeeze();
    m_state = State::HeaderRead;
    return m_state;
}

void HttpReplyStream::startBody()
{
    if (m_state != State::HeaderRead)
        return;
    if (m_header.isChunked())
        m_decoder.emplace();
    else
        m_contentLength = m_header.contentLength().value_or(-1);
    m_state = m_contentLength == 0 ? State::Complete : State::Body;
}

HttpReplyStream::State HttpReplyStream::readBody(QByteArrayView wire, QByteArray& decoded)
{
    if (m_state != State::Body || wire.isEmpty())
        return m_state;
    m_wireBytes += wire.size();
    const qsizetype before = decoded.size();
    if (m_decoder) {
        switch (m_decoder->feed(wire, decoded)) {
        case ChunkedDecoder::State::NeedMore:
            break;
        case ChunkedDecoder::State::Complete:
            m_state = State::Complete;
            break;
        case ChunkedDecoder::State::Malformed:
            m_state = State::Malformed;
            break;
        }
    } else if (m_contentLength >= 0) {
        // Bytes beyond the announced length are not part of the body.
        const qint64 wanted = qMin<qint64>(m_contentLength - m_bodyBytes, wire.size());
        decoded.append(wire.first(static_cast<qsizetype>(wanted)));
        if (m_bodyBytes + wanted == m_contentLength)
            m_state = State::Complete;
    } else {
        decoded.append(wire);
    }
    m_bodyBytes += decoded.size() - before;
    return m_state;
}

bool HttpReplyStream::wholeAtClose() const
{
    return m_state == State::Complete
           || (m_state == State::Body && !m_decoder && m_contentLength < 0);
}

qsizetype HttpReplyStream::heldBytes() const
{
    return m_headerBuffer.size() + (m_decoder ? m_decoder->heldBytes() : 0);
}

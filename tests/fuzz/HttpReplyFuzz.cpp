// An HTTP reply as it arrives: the header found and read, its fields looked up, and the body
// decoded from the chunked coding in pieces whose sizes come from the input.

#include "FuzzSupport.h"

#include "database/HttpReply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t pieceSize = input.byte();
    const std::string_view rest = input.rest();
    const QByteArrayView reply(rest.data(), static_cast<qsizetype>(rest.size()));

    const qsizetype headerEnd = httpHeaderEnd(reply);
    const QByteArrayView header = headerEnd < 0 ? reply : reply.first(headerEnd);
    if (const std::optional<HttpReplyHeader> parsed = HttpReplyHeader::parse(header)) {
        (void)parsed->value("Location");
        (void)parsed->contains("Transfer-Encoding");
        (void)parsed->contentLength();
        (void)parsed->isChunked();
        (void)parsed->isRedirect();
    }

    const QByteArrayView body = headerEnd < 0 ? reply : reply.sliced(headerEnd);
    ChunkedDecoder decoder;
    QByteArray decoded;
    const qsizetype step = pieceSize == 0 ? body.size() : pieceSize;
    for (qsizetype at = 0; at < body.size(); at += step) {
        if (decoder.feed(body.sliced(at, std::min(step, body.size() - at)), decoded)
            != ChunkedDecoder::State::NeedMore)
            break;
    }
    (void)decoder.state();
    return 0;
}

#include "database/HttpReply.h"
#include "database/HttpAddress.h"
#include "database/HttpDownload.h"

#include <gtest/gtest.h>

namespace {

HttpAddress parsed(const char* typed)
{
    const std::optional<HttpAddress> address = parseHttpAddress(QString::fromLatin1(typed));
    EXPECT_TRUE(address.has_value()) << typed;
    return address.value_or(HttpAddress{});
}

QByteArray decodeInPieces(const QByteArray& wire, qsizetype pieceSize, ChunkedDecoder::State& state)
{
    ChunkedDecoder decoder;
    QByteArray decoded;
    state = ChunkedDecoder::State::NeedMore;
    for (qsizetype at = 0; at < wire.size(); at += pieceSize)
        state = decoder.feed(QByteArrayView(wire).sliced(at, qMin(pieceSize, wire.size() - at)),
                             decoded);
    return decoded;
}

} // namespace

TEST(HttpAddress, TypedAddressesAreSplitIntoSchemeHostPortAndPath)
{
    const QByteArray expected = "GET /NORAD/elements/visual.txt HTTP/1.1\r\n"
                                "Host: celestrak.example\r\n"
                                "Connection: close\r\n"
                                "Accept: */*\r\n\r\n";
    for (const char* typed : {"celestrak.example/NORAD/elements/visual.txt",
                              " HTTP://celestrak.example/NORAD/elements/visual.txt "}) {
        const HttpAddress address = parsed(typed);
        EXPECT_EQ(httpGetRequest(address), expected) << typed;
        EXPECT_EQ(address.port, kHttpPort) << typed;
    }
    EXPECT_EQ(parsed("celestrak.example").target, QByteArray("/"));
    EXPECT_EQ(parsed("celestrak.example/a.txt?FORMAT=tle").target, QByteArray("/a.txt?FORMAT=tle"));
    const HttpAddress withPort = parsed("127.0.0.1:8080/x.txt");
    EXPECT_EQ(withPort.port, 8080);
    EXPECT_EQ(withPort.hostField, QByteArray("127.0.0.1:8080"));
    const HttpAddress secure = parsed("https://celestrak.example/NORAD/elements/visual.txt");
    EXPECT_TRUE(secure.tls);
    EXPECT_EQ(secure.port, kHttpsPort);

    for (const char* bad :
         {"", "   ", "ftp://celestrak.example/a.txt", "host:port/a.txt", "http:///a.txt"})
        EXPECT_FALSE(parseHttpAddress(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(HttpAddress, RedirectLocationsResolveAgainstTheAnsweringAddress)
{
    const HttpAddress from = parsed("http://127.0.0.1:8080/NORAD/elements/visual.txt");

    const auto absolutePath = resolveRedirect(from, "/pub/visual.txt");
    ASSERT_TRUE(absolutePath);
    EXPECT_EQ(absolutePath->port, 8080);
    EXPECT_EQ(absolutePath->target, QByteArray("/pub/visual.txt"));

    const auto relative = resolveRedirect(from, "stations.txt");
    ASSERT_TRUE(relative);
    EXPECT_EQ(relative->target, QByteArray("/NORAD/elements/stations.txt"));

    const auto secure = resolveRedirect(from, " https://celestrak.example/NORAD/visual.txt#top");
    ASSERT_TRUE(secure);
    EXPECT_TRUE(secure->tls);
    EXPECT_EQ(secure->port, kHttpsPort);
    EXPECT_EQ(secure->host, QStringLiteral("celestrak.example"));
    EXPECT_EQ(secure->target, QByteArray("/NORAD/visual.txt"));

    const auto schemeRelative = resolveRedirect(from, "//mirror.example/v.txt");
    ASSERT_TRUE(schemeRelative);
    EXPECT_FALSE(schemeRelative->tls);
    EXPECT_EQ(schemeRelative->port, kHttpPort);

    EXPECT_FALSE(resolveRedirect(from, "ftp://mirror.example/v.txt"));
    EXPECT_FALSE(resolveRedirect(from, ""));
}

TEST(HttpAddress, RedirectFromHttpsNeverLeadsToPlainHttp)
{
    const HttpAddress from = parsed("https://celestrak.example/NORAD/elements/visual.txt");

    // Refused, and told apart from an address that cannot be fetched at all.
    for (const char* plain : {"http://celestrak.example/NORAD/elements/visual.txt",
                              " HTTP://mirror.example:443/v.txt", "http://127.0.0.1/v.txt"}) {
        EXPECT_FALSE(resolveRedirect(from, plain)) << plain;
        EXPECT_TRUE(redirectLeavesEncryption(from, plain)) << plain;
    }
    for (const char* invalid : {"ftp://mirror.example/v.txt", "", "http://"})
        EXPECT_FALSE(redirectLeavesEncryption(from, invalid)) << invalid;
    EXPECT_FALSE(redirectLeavesEncryption(parsed("http://celestrak.example/visual.txt"),
                                          "http://mirror.example/v.txt"))
        << "a plain download stays plain";

    // Every form that stays encrypted is followed as before.
    for (const char* secure : {"https://mirror.example/v.txt", "//mirror.example/v.txt",
                               "/pub/v.txt", "stations.txt"}) {
        const auto next = resolveRedirect(from, secure);
        ASSERT_TRUE(next) << secure;
        EXPECT_TRUE(next->tls) << secure;
        EXPECT_FALSE(redirectLeavesEncryption(from, secure)) << secure;
    }
}

TEST(HttpReplyHeader, BlankLineIsFoundWithEitherLineEnd)
{
    EXPECT_EQ(httpHeaderEnd("HTTP/1.1 200 OK\r\nA: b\r\n\r\nbody"), 25);
    EXPECT_EQ(httpHeaderEnd("HTTP/1.1 200 OK\nA: b\n\nbody"), 22);
    EXPECT_EQ(httpHeaderEnd("HTTP/1.1 200 OK\r\nA: b\r\n\r"), -1);
}

TEST(HttpReplyHeader, StatusAndFieldsAreReadWithNamesInAnyLetterCase)
{
    const auto header = HttpReplyHeader::parse("HTTP/1.1 200 OK\r\n"
                                               "X-Content-Length-Note: 99\r\n"
                                               "content-LENGTH:  1234 \r\n"
                                               "Content-Length: 5\r\n"
                                               "TRANSFER-ENCODING:gzip, Chunked\r\n\r\n");
    ASSERT_TRUE(header);
    EXPECT_TRUE(header->isSuccess());
    EXPECT_EQ(header->contentLength(), 1234) << "the first exact name wins, not a longer one";
    EXPECT_TRUE(header->isChunked());

    const auto notFound = HttpReplyHeader::parse("HTTP/1.1 404 Not Found\r\n\r\n");
    ASSERT_TRUE(notFound);
    EXPECT_EQ(notFound->statusCode(), 404);
    EXPECT_EQ(notFound->reasonPhrase(), QByteArray("Not Found"));
    EXPECT_FALSE(notFound->isSuccess());

    const auto moved = HttpReplyHeader::parse("HTTP/1.0 301\nlocation: /x\nContent-Length: 1a\n");
    ASSERT_TRUE(moved);
    EXPECT_TRUE(moved->isRedirect());
    EXPECT_EQ(moved->value("Location"), QByteArray("/x"));
    EXPECT_FALSE(moved->contentLength());

    for (const char* bad : {"", "1 TLE\r\n", "HTTP/1.1 OK\r\n", "HTTP/1.1 2000 OK\r\n"})
        EXPECT_FALSE(HttpReplyHeader::parse(bad)) << bad;
}

TEST(ChunkedDecoder, ChunksAreJoinedWhateverTheArrivalPieces)
{
    const QByteArray data26 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const QByteArray big(70000, 'x');
    const QByteArray wire = "1a;name=value\r\n" + data26 + "\r\n" +
                            QByteArray::number(big.size(), 16) + "\r\n" + big + "\r\n" +
                            "0\r\nTrailer: ignored\r\n\r\n";
    for (const qsizetype piece : {qsizetype(1), qsizetype(7), wire.size()}) {
        ChunkedDecoder::State state{};
        EXPECT_EQ(decodeInPieces(wire, piece, state), data26 + big) << "pieces of " << piece;
        EXPECT_EQ(state, ChunkedDecoder::State::Complete) << "pieces of " << piece;
    }
}

TEST(ChunkedDecoder, BrokenOrCutFramingIsNeverComplete)
{
    ChunkedDecoder::State state{};
    decodeInPieces("5\r\nabc", 64, state);
    EXPECT_EQ(state, ChunkedDecoder::State::NeedMore);
    decodeInPieces("5\r\nabcde\r\n", 64, state);
    EXPECT_EQ(state, ChunkedDecoder::State::NeedMore);

    for (const char* broken : {"zz\r\nabc\r\n0\r\n\r\n", "\r\n\r\n", "3\r\nabcX\r\n0\r\n\r\n",
                               "3 junk\r\nabc\r\n0\r\n\r\n"}) {
        decodeInPieces(broken, 64, state);
        EXPECT_EQ(state, ChunkedDecoder::State::Malformed) << broken;
    }
    decodeInPieces(QByteArray(5000, '1'), 64, state);
    EXPECT_EQ(state, ChunkedDecoder::State::Malformed) << "endless size line";
}

namespace {

struct StreamRun
{
    HttpReplyStream::State state = HttpReplyStream::State::Header;
    bool headerTooLong = false;
    QByteArray body;
    qsizetype mostHeld = 0;
};

/// Feeds `reply` in pieces of `pieceSize`, starting the body as soon as the header is read.
StreamRun readInPieces(const QByteArray& reply, qsizetype pieceSize)
{
    HttpReplyStream stream;
    StreamRun run;
    for (qsizetype at = 0; at < reply.size(); at += pieceSize) {
        const QByteArrayView piece =
            QByteArrayView(reply).sliced(at, qMin(pieceSize, reply.size() - at));
        if (stream.state() == HttpReplyStream::State::Header) {
            QByteArray rest;
            if (stream.readHeader(piece, rest) == HttpReplyStream::State::HeaderRead) {
                stream.startBody();
                stream.readBody(rest, run.body);
            }
        } else {
            stream.readBody(piece, run.body);
        }
        run.mostHeld = qMax(run.mostHeld, stream.heldBytes());
    }
    run.state = stream.state();
    run.headerTooLong = stream.headerTooLong();
    return run;
}

} // namespace

TEST(HttpReplyStream, HeaderLongerThanTheCapIsRefusedWithoutHoldingIt)
{
    const QByteArray status = "HTTP/1.1 200 OK\r\n";
    const QByteArray field = "X-Filler: " + QByteArray(50, 'a') + "\r\n";
    // A header that never ends, in small pieces and in one large one.
    QByteArray endless = status;
    while (endless.size() < 3 * HttpReplyStream::kMaxHeaderBytes)
        endless += field;
    for (const qsizetype piece : {qsizetype(1000), endless.size()}) {
        const StreamRun run = readInPieces(endless, piece);
        EXPECT_EQ(run.state, HttpReplyStream::State::Malformed) << "pieces of " << piece;
        EXPECT_TRUE(run.headerTooLong) << "pieces of " << piece;
        EXPECT_LE(run.mostHeld, HttpReplyStream::kMaxHeaderBytes) << "pieces of " << piece;
    }

    // Up to the cap, blank line included, a header is read; one byte more is refused.
    QByteArray longest = status;
    while (longest.size() + field.size() + 2 <= HttpReplyStream::kMaxHeaderBytes)
        longest += field;
    longest += "X: " + QByteArray(HttpReplyStream::kMaxHeaderBytes - longest.size() - 7, 'b') +
               "\r\n\r\n";
    ASSERT_EQ(longest.size(), HttpReplyStream::kMaxHeaderBytes);
    EXPECT_EQ(readInPieces(longest + "body", 4096).state, HttpReplyStream::State::Body);
    const StreamRun oneTooMany = readInPieces(longest.first(40) + 'c' + longest.sliced(40), 4096);
    EXPECT_EQ(oneTooMany.state, HttpReplyStream::State::Malformed);
    EXPECT_TRUE(oneTooMany.headerTooLong);

    // A header that ends within the cap but is no HTTP header is malformed, not too long.
    const StreamRun notHttp = readInPieces("220 ftp ready\r\n\r\n", 4096);
    EXPECT_EQ(notHttp.state, HttpReplyStream::State::Malformed);
    EXPECT_FALSE(notHttp.headerTooLong);
}

TEST(HttpReplyStream, BodyPassesThroughInPiecesOfAnySize)
{
    const QByteArray data = "ISS (ZARYA)\r\n1 25544U\r\n2 25544\r\n";
    const QByteArray lengthReply =
        "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(data.size()) + "\r\n\r\n" +
        data + "beyond the announced length";
    const QByteArray chunkedReply = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\n" +
                                    data.first(5) + "\r\n" +
                                    QByteArray::number(data.size() - 5, 16) + "\r\n" +
                                    data.sliced(5) + "\r\n0\r\n\r\n";
    for (qsizetype piece = 1; piece <= chunkedReply.size(); ++piece) {
        for (const QByteArray& reply : {lengthReply, chunkedReply}) {
            const StreamRun run = readInPieces(reply, piece);
            EXPECT_EQ(run.body, data) << "pieces of " << piece;
            EXPECT_EQ(run.state, HttpReplyStream::State::Complete) << "pieces of " << piece;
        }
    }

    // Without framing the body is whole only when the server closes; a cut one never is.
    HttpReplyStream open;
    QByteArray rest;
    open.readHeader("HTTP/1.0 200 OK\r\n\r\nabc", rest);
    open.startBody();
    QByteArray body;
    open.readBody(rest, body);
    EXPECT_TRUE(open.wholeAtClose());
    EXPECT_EQ(open.bodyBytes(), 3);
    HttpReplyStream cut;
    cut.readHeader("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc", rest);
    cut.startBody();
    cut.readBody(rest, body);
    EXPECT_FALSE(cut.wholeAtClose());
}

TEST(TransferEstimate, SpeedAndRemainingTimeUseOneKilobyte)
{
    // 250000 bytes in 2 s: 125 KB/s; 750000 bytes left take 6 s.
    const auto estimate = estimateTransfer(250000, 1000000, 2000);
    ASSERT_TRUE(estimate);
    EXPECT_DOUBLE_EQ(estimate->speedKilobytesPerSecond, 125.0);
    EXPECT_EQ(estimate->remainingSeconds, 6);

    const auto slow = estimateTransfer(1, 1000000, 1000);
    ASSERT_TRUE(slow);
    EXPECT_FALSE(slow->remainingSeconds) << "a speed that rounds to 0 gives no time";

    EXPECT_FALSE(estimateTransfer(0, 1000, 1000));
    EXPECT_FALSE(estimateTransfer(1000, 1000, 1000));
    EXPECT_FALSE(estimateTransfer(500, 0, 1000)) << "no announced length";
    EXPECT_FALSE(estimateTransfer(500, 1000, 0));
}

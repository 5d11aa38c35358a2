#include "LocalServer.h"
#include "support/RequiredData.h"

#include "database/DownloadedElements.h"
#include "database/HttpDownload.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>

namespace {

const QByteArray kOldContent = "OLD ELEMENTS\r\n";
const QByteArray kElements =
    "ISS (ZARYA)\r\n"
    "1 25544U 98067A   24075.50000000  .00016717  00000-0  10270-3 0  9000\r\n"
    "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.49815223 41576\r\n";

QByteArray okReply(const QByteArray& body)
{
    return "HTTP/1.1 200 OK\r\ncontent-length: " + QByteArray::number(body.size()) + "\r\n\r\n" +
           body;
}

QByteArray requestPath(const QByteArray& request)
{
    return request.split(' ').value(1);
}

/// A body check that records what it is shown and answers as told.
class RecordingCheck final : public BodyCheck
{
public:
    struct Record
    {
        QByteArray seen;       ///< every byte fed, in order, when keepBytes
        qint64 fedBytes = 0;
        qsizetype largestPiece = 0;
        int finishes = 0;
    };

    RecordingCheck(Record& record, BodyVerdict verdict, bool keepBytes)
        : m_record(record), m_verdict(verdict), m_keepBytes(keepBytes)
    {
    }
    void feed(QByteArrayView data) override
    {
        if (m_keepBytes)
            m_record.seen.append(data);
        m_record.fedBytes += data.size();
        m_record.largestPiece = qMax(m_record.largestPiece, data.size());
    }
    BodyVerdict finish() override
    {
        ++m_record.finishes;
        return m_verdict;
    }

private:
    Record& m_record;
    BodyVerdict m_verdict;
    bool m_keepBytes;
};

/// Sends `total` bytes of `pattern` repeated after `head`, a block whenever the last has left,
/// so that neither side holds more than a block; closes at the end when `close`.
/// Returns the bytes still to send.
std::shared_ptr<qint64> sendRepeated(QTcpSocket& client, const QByteArray& head,
                                     const QByteArray& pattern, qint64 total, bool close)
{
    constexpr qsizetype kBlockBytes = 256 * 1024;
    QByteArray block;
    while (block.size() < kBlockBytes)
        block += pattern;
    auto left = std::make_shared<qint64>(total);
    auto sendNext = [&client, block, left, close] {
        if (client.bytesToWrite() > 0)
            return;
        if (*left <= 0) {
            if (close)
                client.disconnectFromHost();
            return;
        }
        const qint64 size = qMin<qint64>(*left, block.size());
        *left -= size;
        client.write(block.first(static_cast<qsizetype>(size)));
    };
    QObject::connect(&client, &QTcpSocket::bytesWritten, &client, sendNext);
    client.write(head);
    return left;
}

class HttpDownloadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ensureApplication();
        m_download.setStallTimer(m_timer);
        ASSERT_TRUE(m_dir.isValid());
        m_target = m_dir.filePath(QStringLiteral("visual.txt"));
        writeOldTarget();
        QObject::connect(&m_download, &HttpDownload::finished,
                         [this](const DownloadResult& result) { m_results.append(result); });
        QObject::connect(&m_download, &HttpDownload::stageChanged,
                         [this](DownloadStage stage) { m_stages.append(stage); });
        QObject::connect(&m_download, &HttpDownload::progressChanged,
                         [this](qint64 received, qint64 announced) {
                             m_lastProgress = {received, announced};
                         });
    }

    DownloadResult fetch(const QString& address, int timeoutMs = 10000)
    {
        m_results.clear();
        m_download.start(address, m_target);
        EXPECT_TRUE(waitUntil([this] { return !m_results.isEmpty(); }, timeoutMs))
            << "no result for " << address.toStdString();
        return m_results.value(0);
    }

    void writeOldTarget()
    {
        QFile file(m_target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kOldContent);
    }

    QByteArray targetContent() const
    {
        QFile file(m_target);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // A temporary file left behind would show up here beside the target.
    QStringList filesInFolder() const
    {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
    }

    QTemporaryDir m_dir;
    QString m_target;
    QList<DownloadResult> m_results;
    QList<DownloadStage> m_stages;
    std::pair<qint64, qint64> m_lastProgress{-1, -1};
    HttpDownload m_download;
    HandTimer* m_timer = new HandTimer; // the download's stall clock, owned by it
};

} // namespace

TEST_F(HttpDownloadTest, BodyWithAnnouncedLengthReplacesTheFileWithoutWaitingForTheClose)
{
    // The server keeps the connection open: the announced length alone ends the body, so its
    // field must be recognised although written in lower case.
    LocalServer server(
        [](QTcpSocket& client, const QByteArray&) { client.write(okReply(kElements)); });

    const DownloadResult result = fetch(server.url(QStringLiteral("/NORAD/elements/visual.txt")));

    EXPECT_EQ(result.status, DownloadStatus::Completed) << result.description.toStdString();
    EXPECT_EQ(result.savedBytes, kElements.size());
    EXPECT_EQ(targetContent(), kElements);
    EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("visual.txt")});
    ASSERT_EQ(server.requests.size(), 1);
    EXPECT_EQ(server.requests[0], "GET /NORAD/elements/visual.txt HTTP/1.1\r\n"
                                  "Host: 127.0.0.1:" +
                                      QByteArray::number(server.port()) +
                                      "\r\n"
                                      "Connection: close\r\nAccept: */*\r\n\r\n");
    EXPECT_EQ(m_lastProgress, std::make_pair(qint64(kElements.size()), qint64(kElements.size())));
    EXPECT_EQ(m_stages,
              (QList<DownloadStage>{DownloadStage::Connecting, DownloadStage::SendingRequest,
                                    DownloadStage::RequestSent, DownloadStage::Receiving,
                                    DownloadStage::Idle}));
    EXPECT_FALSE(m_download.isActive());
}

TEST_F(HttpDownloadTest, BodyWithoutLengthEndsWhenTheServerCloses)
{
    LocalServer server([](QTcpSocket& client, const QByteArray&) {
        replyAndClose(client, "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + kElements);
    });

    const DownloadResult result = fetch(server.url(QStringLiteral("/visual.txt")));

    EXPECT_EQ(result.status, DownloadStatus::Completed);
    EXPECT_EQ(targetContent(), kElements);
    EXPECT_EQ(m_download.announcedBytes(), 0);
}

TEST_F(HttpDownloadTest, ChunkedBodyIsSavedWithoutItsFraming)
{
    // Header names and the coding in unusual letter case, no blank after a colon; the server
    // does not close, so only recognising the last chunk ends the transfer.
    LocalServer server([](QTcpSocket& client, const QByteArray&) {
        client.write("HTTP/1.1 200 OK\r\nTRANSFER-ENCODING:Chunked\r\n\r\n"
                     "1a;source=test\r\nABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n"
                     "3\r\n\r\nX\r\n0\r\n\r\n");
    });

    const DownloadResult result = fetch(server.url(QStringLiteral("/visual.txt")));

    EXPECT_EQ(result.status, DownloadStatus::Completed);
    EXPECT_EQ(targetContent(), QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\nX"));
}

TEST_F(HttpDownloadTest, BodyIsSavedByteForByteUnlessTheCheckRefusesIt)
{
    // Every byte value, a lone CR and no line end at the end: nothing is added or changed.
    QByteArray binary;
    for (int b = 0; b < 256; ++b)
        binary.append(static_cast<char>(b));
    binary += "\rtail";
    LocalServer server([&binary](QTcpSocket& client, const QByteArray&) {
        replyAndClose(client, okReply(binary));
    });

    DownloadResult result = fetch(server.url(QStringLiteral("/file.bin")));
    EXPECT_EQ(result.status, DownloadStatus::Completed);
    EXPECT_EQ(result.savedBytes, binary.size());
    EXPECT_EQ(targetContent(), binary);

    // The check sees the whole body; refusing it keeps the file and leaves no temporary file,
    // and the line it names reaches the result.
    writeOldTarget();
    RecordingCheck::Record record;
    m_download.setBodyCheck([&record] {
        return std::make_unique<RecordingCheck>(
            record, BodyVerdict{BodyVerdict::Outcome::Refused, 17}, true);
    });
    result = fetch(server.url(QStringLiteral("/file.bin")));
    EXPECT_EQ(result.status, DownloadStatus::RefusedContent);
    EXPECT_EQ(result.problemLine, 17);
    EXPECT_EQ(record.seen, binary);
    EXPECT_EQ(record.finishes, 1);
    EXPECT_EQ(targetContent(), kOldContent);
    EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("visual.txt")});
}

TEST_F(HttpDownloadTest, HeaderThatNeverEndsIsRefusedAsTooLongWhileTheServerStillSends)
{
    // A status line, then header lines for as long as the client listens: 8 MB, no blank line,
    // no close. The download fails long before, holding no more than the header cap.
    const qint64 total = 8 * 1024 * 1024;
    std::shared_ptr<qint64> left;
    LocalServer server([&left, total](QTcpSocket& client, const QByteArray&) {
        left = sendRepeated(client, "HTTP/1.1 200 OK\r\n", "X-Filler: endless header line\r\n",
                            total, false);
    });
    m_download.setPrimaryDatabaseFile(m_target);

    const DownloadResult result = fetch(server.url(QStringLiteral("/visual.txt")));

    EXPECT_EQ(result.status, DownloadStatus::HeaderTooLong);
    EXPECT_FALSE(result.primaryDatabaseReplaced);
    ASSERT_TRUE(left);
    EXPECT_GT(*left, total / 2) << "refused long before the server stopped sending";
    EXPECT_EQ(targetContent(), kOldContent);
    EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("visual.txt")});
}

TEST_F(HttpDownloadTest, LargeBodyGoesToTheFileWithoutBeingHeld)
{
    // 48 MB of element sets: the check sees them a piece at a time, the download holds at most
    // a read buffer of them, and the file receives every byte.
    const qint64 total = 48 * 1024 * 1024 - (48 * 1024 * 1024) % kElements.size();
    LocalServer server([total](QTcpSocket& client, const QByteArray&) {
        sendRepeated(client,
                     "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(total) +
                         "\r\n\r\n",
                     kElements, total, true);
    });
    RecordingCheck::Record record;
    m_download.setBodyCheck([&record] {
        return std::make_unique<RecordingCheck>(record, BodyVerdict{}, false);
    });
    qint64 mostHeld = 0;
    QObject::connect(&m_download, &HttpDownload::progressChanged, [&](qint64, qint64) {
        mostHeld = qMax(mostHeld, m_download.heldBytes());
    });

    m_results.clear();
    m_download.start(server.url(QStringLiteral("/visual.txt")), m_target);
    ASSERT_TRUE(waitUntil([this] { return !m_results.isEmpty(); }, 60000));

    EXPECT_EQ(m_results[0].status, DownloadStatus::Completed);
    EXPECT_EQ(m_results[0].savedBytes, total);
    EXPECT_EQ(QFileInfo(m_target).size(), total);
    EXPECT_EQ(record.fedBytes, total);
    EXPECT_LE(record.largestPiece, HttpDownload::kReadBufferBytes);
    EXPECT_LE(mostHeld, 3 * HttpDownload::kReadBufferBytes);
    EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("visual.txt")});
}

TEST_F(HttpDownloadTest, ErrorStatusIsReportedAndTheFileKept)
{
    LocalServer server([](QTcpSocket& client, const QByteArray&) {
        replyAndClose(client, "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nNot here.");
    });
    m_download.setPrimaryDatabaseFile(m_target);

    const DownloadResult result = fetch(server.url(QStringLiteral("/NORAD/elements/gone.txt")));

    EXPECT_EQ(result.status, DownloadStatus::HttpError);
    EXPECT_EQ(result.errorNumber, 404);
    EXPECT_EQ(result.description, QStringLiteral("Not Found"));
    EXPECT_FALSE(result.primaryDatabaseReplaced);
    EXPECT_EQ(targetContent(), kOldContent);
    EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("visual.txt")});
}

TEST_F(HttpDownloadTest, TransfersCutShortFailAndKeepTheFile)
{
    const QList<QByteArray> cutReplies = {
        "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" + kElements,
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1a\r\nABCDEFG",
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1a\r\nABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n",
    };
    for (const QByteArray& reply : cutReplies) {
        LocalServer server(
            [&reply](QTcpSocket& client, const QByteArray&) { replyAndClose(client, reply); });
        m_download.setPrimaryDatabaseFile(m_target);

        const DownloadResult result = fetch(server.url(QStringLiteral("/visual.txt")));

        EXPECT_EQ(result.status, DownloadStatus::IncompleteReply) << reply.toStdString();
        EXPECT_FALSE(result.primaryDatabaseReplaced);
        EXPECT_EQ(targetContent(), kOldContent);
        EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("visual.txt")});
    }
}

TEST_F(HttpDownloadTest, RepliesThatAreNotHttpFail)
{
    for (const QByteArray& reply : {QByteArray(), QByteArray("220 ftp ready\r\n\r\n"),
                                    QByteArray("HTTP/1.1 200 OK\r\nContent-Len")}) {
        LocalServer server(
            [&reply](QTcpSocket& client, const QByteArray&) { replyAndClose(client, reply); });

        const DownloadResult result = fetch(server.url(QStringLiteral("/visual.txt")));

        EXPECT_EQ(result.status, DownloadStatus::MalformedReply) << reply.toStdString();
        EXPECT_EQ(targetContent(), kOldContent);
    }
}

TEST_F(HttpDownloadTest, RedirectsToOtherPathsAreFollowedAtMostFiveTimes)
{
    // /hop0 redirects to /hop1 and so on; /hop<length> answers with the file.
    int chainLength = 0;
    LocalServer server([&chainLength](QTcpSocket& client, const QByteArray& request) {
        const int hop = requestPath(request).mid(4).toInt();
        if (hop < chainLength)
            replyAndClose(client, "HTTP/1.1 301 Moved Permanently\r\nlocation: /hop" +
                                      QByteArray::number(hop + 1) + "\r\n\r\n");
        else
            replyAndClose(client, okReply(kElements));
    });

    chainLength = HttpDownload::kMaxRedirects;
    EXPECT_EQ(fetch(server.url(QStringLiteral("/hop0"))).status, DownloadStatus::Completed);
    EXPECT_EQ(targetContent(), kElements);
    ASSERT_EQ(server.requests.size(), HttpDownload::kMaxRedirects + 1);
    EXPECT_EQ(requestPath(server.requests[1]), QByteArray("/hop1"));
    EXPECT_EQ(m_download.currentAddress().target, QByteArray("/hop5"));

    writeOldTarget();
    server.requests.clear();
    chainLength = HttpDownload::kMaxRedirects + 1;
    const DownloadResult result = fetch(server.url(QStringLiteral("/hop0")));
    EXPECT_EQ(result.status, DownloadStatus::TooManyRedirects);
    EXPECT_EQ(server.requests.size(), HttpDownload::kMaxRedirects + 1);
    EXPECT_EQ(targetContent(), kOldContent);
}

TEST_F(HttpDownloadTest, RedirectToHttpsOpensTlsOnTheNamedPort)
{
    if (!QSslSocket::supportsSsl())
        SKIP_OR_FAIL_WITHOUT_DATA("no TLS backend on this system");
    // A plain server stands where the secure one should be: it only records the first bytes.
    LocalServer secureSide([](QTcpSocket&, const QByteArray&) {}, false);
    LocalServer server([&secureSide](QTcpSocket& client, const QByteArray&) {
        replyAndClose(client, "HTTP/1.1 301 Moved Permanently\r\nLocation: https://127.0.0.1:" +
                                  QByteArray::number(secureSide.port()) +
                                  "/NORAD/elements/visual.txt\r\n\r\n");
    });

    m_download.start(server.url(QStringLiteral("/NORAD/elements/visual.txt")), m_target);
    ASSERT_TRUE(waitUntil([&] { return !secureSide.received.value(0).isEmpty(); }));

    // 0x16 opens a TLS handshake record; a plain request would start with "GET".
    EXPECT_EQ(secureSide.received[0].at(0), char(0x16));
    EXPECT_TRUE(m_download.currentAddress().tls);
    EXPECT_EQ(m_download.currentAddress().port, secureSide.port());
    // The connection was accepted: a handshake never answered is not told as a refusal.
    m_timer->advance(m_download.stallTimeout());
    EXPECT_EQ(m_results.value(0).status, DownloadStatus::HandshakeTimedOut);
    EXPECT_EQ(targetContent(), kOldContent);
}

TEST_F(HttpDownloadTest, CancelEndsAHangingExchangeAndDeletesNothing)
{
    // One server never answers; the other sends half the body and then stalls.
    LocalServer silent([](QTcpSocket&, const QByteArray&) {});
    LocalServer stalling([](QTcpSocket& client, const QByteArray&) {
        client.write("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" + kElements);
    });

    m_download.start(silent.url(QStringLiteral("/visual.txt")), m_target);
    ASSERT_TRUE(waitUntil([&] { return m_download.stage() == DownloadStage::RequestSent; }));
    m_download.cancel();
    EXPECT_FALSE(m_download.isActive());
    EXPECT_TRUE(waitUntil([&] { return silent.disconnections == 1; })) << "connection dropped";

    m_download.start(stalling.url(QStringLiteral("/visual.txt")), m_target);
    ASSERT_TRUE(waitUntil([&] { return m_download.receivedBytes() == kElements.size(); }));
    m_download.cancel();
    EXPECT_EQ(m_download.stage(), DownloadStage::Idle);
    EXPECT_TRUE(waitUntil([&] { return stalling.disconnections == 1; })) << "connection dropped";

    EXPECT_TRUE(m_results.isEmpty()) << "a cancelled download reports nothing";
    EXPECT_EQ(targetContent(), kOldContent);
    EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("visual.txt")});
}

TEST_F(HttpDownloadTest, ReplacingThePrimaryDatabaseFileIsReported)
{
    LocalServer server(
        [](QTcpSocket& client, const QByteArray&) { replyAndClose(client, okReply(kElements)); });

    m_download.setPrimaryDatabaseFile(m_dir.path() + QStringLiteral("/./visual.txt"));
    EXPECT_TRUE(fetch(server.url(QStringLiteral("/visual.txt"))).primaryDatabaseReplaced);

    m_download.setPrimaryDatabaseFile(m_dir.filePath(QStringLiteral("stations.txt")));
    EXPECT_FALSE(fetch(server.url(QStringLiteral("/visual.txt"))).primaryDatabaseReplaced);
}

TEST_F(HttpDownloadTest, FailuresBeforeAnyTransferAreReported)
{
    LocalServer server(
        [](QTcpSocket& client, const QByteArray&) { replyAndClose(client, okReply(kElements)); });

    m_target = m_dir.filePath(QStringLiteral("no-such-folder/visual.txt"));
    const DownloadResult unwritable = fetch(server.url(QStringLiteral("/visual.txt")));
    EXPECT_EQ(unwritable.status, DownloadStatus::TargetNotWritable);
    EXPECT_FALSE(unwritable.description.isEmpty());
    EXPECT_EQ(server.connections, 0) << "nothing fetched for a file that cannot be written";

    m_target = m_dir.filePath(QStringLiteral("visual.txt"));
    EXPECT_EQ(fetch(QStringLiteral("ftp://127.0.0.1/visual.txt")).status,
              DownloadStatus::InvalidAddress);

    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 closedPort = closed.serverPort();
    closed.close();
    const DownloadResult refused = fetch(QStringLiteral("127.0.0.1:%1/visual.txt").arg(closedPort));
    EXPECT_EQ(refused.status, DownloadStatus::SocketError);
    EXPECT_EQ(refused.errorNumber, int(QAbstractSocket::ConnectionRefusedError));
    EXPECT_FALSE(refused.description.isEmpty());
    EXPECT_EQ(targetContent(), kOldContent);
}

TEST_F(HttpDownloadTest, ElementFileIsSavedWithItsDamagedSetsCountedOrRefusedWhenCut)
{
    const QByteArray wrongChecksum =
        "ISS (ZARYA)\r\n"
        "1 25544U 98067A   24075.50000000  .00016717  00000-0  10270-3 0  9001\r\n"
        "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.49815223 41576\r\n";
    struct Case
    {
        const char* name;
        QByteArray body;
        DownloadStatus status;
        qint64 sets;
        qint64 damagedSets;
        qint64 firstDamagedLine;
    };
    const Case cases[] = {
        {"good", kElements + kElements, DownloadStatus::Completed, 2, 0, 0},
        {"a wrong checksum", kElements + wrongChecksum + kElements, DownloadStatus::Completed, 3,
         1, 5},
        {"a line 1 cut to 30 characters",
         kElements + kElements.left(13 + 30) + "\r\n" + kElements.sliced(13 + 71) + kElements,
         DownloadStatus::Completed, 3, 1, 5},
        {"closed inside its last line", kElements + kElements.chopped(20),
         DownloadStatus::IncompleteReply, 0, 0, 0},
        {"last set incomplete", kElements + kElements.first(13 + 71),
         DownloadStatus::IncompleteReply, 0, 0, 0},
    };
    m_download.setBodyCheck(makeElementBodyCheck);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeOldTarget();
        // No length: only the server's close ends the body.
        LocalServer server([&c](QTcpSocket& client, const QByteArray&) {
            replyAndClose(client, "HTTP/1.0 200 OK\r\n\r\n" + c.body);
        });

        const DownloadResult result = fetch(server.url(QStringLiteral("/visual.txt")));

        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.sets, c.sets);
        EXPECT_EQ(result.damagedSets, c.damagedSets);
        EXPECT_EQ(result.firstDamagedLine, c.firstDamagedLine);
        if (c.status == DownloadStatus::Completed) {
            EXPECT_EQ(targetContent(), c.body);
        } else {
            EXPECT_EQ(targetContent(), kOldContent);
        }
        EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("visual.txt")});
    }
}

TEST_F(HttpDownloadTest, BodyRefusedBeforeItsEndIsNotReceivedFurther)
{
    // 64 MB of web page, alone and after three good sets: the element reader reads neither
    // (its first lines make a set it cannot get past), so each is refused while the server
    // still sends, and the connection is closed on it. Blank lines, before a set or after one,
    // one endless line, and good sets without end past any catalogue's size are refused at the
    // check's limits, whether or not the server gave the length.
    const qint64 total = 64 * 1024 * 1024;
    struct Case
    {
        const char* name;
        QByteArray sets;
        QByteArray filler;
        qint64 problemLine;
        BodyLimit limit = BodyLimit::None;
        qint64 limitBytes = 0;
        qint64 sent = total;
        bool lengthGiven = true;
    };
    const ElementFileCheck::Limits limits;
    const Case cases[] = {
        {"web page", QByteArray(), "<tr><td class=\"name\">ISS</td><td>25544</td></tr>\r\n", 0},
        {"web page after good sets", kElements + kElements + kElements,
         "<tr><td class=\"name\">ISS</td><td>25544</td></tr>\r\n", 11},
        {"blank lines", QByteArray(), "\r\n", 0, BodyLimit::BytesWithoutContent,
         limits.bytesWithoutSet},
        {"blank lines after a good set, no length given", kElements, "\r\n", 0,
         BodyLimit::BytesWithoutNewContent, limits.bytesWithoutSet, total, false},
        {"one endless line after a good set", kElements, "x", 4, BodyLimit::LineLength,
         limits.lineBytes},
        // A good set every 15 MB, between long lines of blanks (which the check reads faster
        // than sets), without end.
        {"good sets without end, no length given", QByteArray(),
         kElements + (QByteArray(60000, ' ') + "\r\n").repeated(250), 0, BodyLimit::TotalBytes,
         limits.totalBytes, 3 * limits.totalBytes, false},
    };
    m_download.setBodyCheck(makeElementBodyCheck);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::shared_ptr<qint64> left;
        LocalServer server([&](QTcpSocket& client, const QByteArray&) {
            const QByteArray length =
                c.lengthGiven
                    ? "Content-Length: " + QByteArray::number(c.sets.size() + c.sent) + "\r\n"
                    : QByteArray();
            left = sendRepeated(client, "HTTP/1.1 200 OK\r\n" + length + "\r\n" + c.sets,
                                c.filler, c.sent, true);
        });

        // Some 256 MB pass before the total bound: a while in a sanitized build.
        const DownloadResult result = fetch(server.url(QStringLiteral("/visual.txt")), 120000);

        EXPECT_EQ(result.status, DownloadStatus::RefusedContent);
        EXPECT_EQ(result.problemLine, c.problemLine);
        EXPECT_EQ(result.limit, c.limit);
        EXPECT_EQ(result.limitBytes, c.limitBytes);
        EXPECT_TRUE(waitUntil([&] { return server.disconnections == 1; }));
        ASSERT_TRUE(left);
        EXPECT_GT(*left, c.sent / 2) << "refused long before the server stopped sending";
        EXPECT_EQ(targetContent(), kOldContent);
        EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("visual.txt")});
    }
}

TEST_F(HttpDownloadTest, ServerThatSendsNextToNothingEndsTheDownload)
{
    // Each step moves the stall clock on once the server has done its part.
    const std::chrono::milliseconds period = m_download.stallTimeout();
    m_download.setPrimaryDatabaseFile(m_target);
    QTcpSocket* client = nullptr; // the server's end of the latest connection
    LocalServer server([&client](QTcpSocket& socket, const QByteArray&) { client = &socket; });
    const auto request = [&] {
        client = nullptr;
        m_results.clear();
        m_download.start(server.url(QStringLiteral("/visual.txt")), m_target);
        return waitUntil(
            [&] { return client && m_download.stage() == DownloadStage::RequestSent; });
    };

    // Accepts the request and sends nothing.
    ASSERT_TRUE(request());
    m_timer->advance(period);
    EXPECT_EQ(m_results.value(0).status, DownloadStatus::Stalled);
    EXPECT_TRUE(waitUntil([&] { return server.disconnections == 1; })) << "connection dropped";

    // Sends a header, then a few bytes of the body in a whole period.
    ASSERT_TRUE(request());
    client->write("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\nxxxxx");
    ASSERT_TRUE(waitUntil([&] { return m_download.receivedBytes() == 5; }));
    m_timer->advance(period);
    EXPECT_EQ(m_results.value(0).status, DownloadStatus::Stalled);
    EXPECT_GT(m_download.receivedBytes(), 0) << "bytes did arrive, too few to go on with";

    // The connection took all but 10 s of its period: the reply still gets a whole one.
    bool connecting = true;
    m_timer->onStart = [&connecting, period](HandTimer& timer) {
        if (std::exchange(connecting, false))
            timer.advance(period - std::chrono::seconds(10));
    };
    ASSERT_TRUE(request());
    m_timer->advance(period - std::chrono::milliseconds(1));
    EXPECT_TRUE(m_results.isEmpty()) << "stalled before the server had a whole period";

    // A slow but steady server is waited for through many periods.
    client->write("HTTP/1.1 200 OK\r\nContent-Length: " +
                  QByteArray::number(12 * kElements.size()) + "\r\n\r\n");
    for (int k = 1; k <= 12 && m_results.isEmpty(); ++k) {
        client->write(kElements);
        ASSERT_TRUE(waitUntil([&] { return m_download.receivedBytes() == k * kElements.size(); }));
        m_timer->advance(period);
    }
    EXPECT_EQ(m_results.value(0).status, DownloadStatus::Completed);

    // Never accepts the connection.
    writeOldTarget();
    const UnansweredPort unanswered;
    m_results.clear();
    m_download.start(QStringLiteral("http://127.0.0.1:%1/visual.txt").arg(unanswered.port()),
                     m_target);
    ASSERT_TRUE(waitUntil([&] { return m_timer->running(); }));
    m_timer->advance(period);
    EXPECT_EQ(m_results.value(0).status, DownloadStatus::ConnectTimedOut);
    EXPECT_EQ(targetContent(), kOldContent);
    EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("visual.txt")});
}

TEST_F(HttpDownloadTest, FullDiskIsToldWithTheSystemsReason)
{
    LocalServer server(
        [](QTcpSocket& client, const QByteArray&) { replyAndClose(client, okReply(kElements)); });
    m_download.setTargetFileFactory(
        [](const QString& path) { return std::make_unique<FullDiskFile>(path, 100); });

    const DownloadResult result = fetch(server.url(QStringLiteral("/visual.txt")));

    EXPECT_EQ(result.status, DownloadStatus::TargetNotWritable);
    EXPECT_EQ(result.description, qt_error_string(ENOSPC));
    EXPECT_EQ(targetContent(), kOldContent);
    EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("visual.txt")});
}

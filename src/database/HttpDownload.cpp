#include "database/HttpDownload.h"

#include "services/AtomicFile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QSslSocket>
#include <QTcpSocket>

#include <cerrno>
#include <cmath>

namespace {

constexpr double kBytesPerKilobyte = 1000.0;
constexpr double kMsPerSecond = 1000.0;

bool isSameFile(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

std::unique_ptr<QSaveFile> plainSaveFile(const QString& path)
{
    return std::make_unique<QSaveFile>(path);
}

} // namespace

std::optional<TransferEstimate> estimateTransfer(qint64 receivedBytes, qint64 announcedBytes,
                                                 qint64 elapsedMs)
{
    if (receivedBytes <= 0 || receivedBytes >= announcedBytes || elapsedMs <= 0)
        return std::nullopt;
    const double bytesPerSecond = std::floor(static_cast<double>(receivedBytes) /
                                             (static_cast<double>(elapsedMs) / kMsPerSecond));
    TransferEstimate estimate;
    estimate.speedKilobytesPerSecond =
        std::round(bytesPerSecond / kBytesPerKilobyte * 100.0) / 100.0;
    // Remaining bytes over the speed as displayed, both in the same kilobyte.
    if (estimate.speedKilobytesPerSecond > 0)
        estimate.remainingSeconds =
            static_cast<qint64>(std::floor(static_cast<double>(announcedBytes - receivedBytes) /
                                           (estimate.speedKilobytesPerSecond * kBytesPerKilobyte)));
    return estimate;
}

HttpDownload::HttpDownload(QObject* parent) : QObject(parent), m_makeFile(plainSaveFile)
{
    setStallTimer(new EventLoopTimer);
}

HttpDownload::~HttpDownload()
{
    if (m_socket)
        m_socket->disconnect(this);
}

void HttpDownload::setStallTimer(ExchangeTimer* timer)
{
    delete m_stallTimer;
    m_stallTimer = timer;
    m_stallTimer->setParent(this);
    connect(m_stallTimer, &ExchangeTimer::fired, this, &HttpDownload::onStallCheck);
}

void HttpDownload::start(const QString& address, const QString& targetFile)
{
    cancel();
    m_targetFile = targetFile;
    m_redirects = 0;
    m_reply = HttpReplyStream();
    m_requestTimer.invalidate();

    const std::optional<HttpAddress> parsed = parseHttpAddress(address);
    if (!parsed) {
        finishLater({DownloadStatus::InvalidAddress, 0, address.trimmed(), 0, false});
        return;
    }
    // The temporary file is opened first, so an unwritable target is told before any traffic.
    // Unbuffered: a write the disk takes only in part shows at once as a short count.
    std::unique_ptr<QSaveFile> file = m_makeFile(targetFile);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        finishLater({DownloadStatus::TargetNotWritable, static_cast<int>(file->error()),
                     file->errorString(), 0, false});
        return;
    }
    m_file = std::move(file);
    m_active = true;
    m_address = *parsed;
    setStage(DownloadStage::Connecting);
    // Connecting is deferred so that even an immediate refusal is reported after start returns.
    QMetaObject::invokeMethod(
        this,
        [this, run = m_run, target = *parsed] {
            if (run == m_run && m_active)
                connectTo(target);
        },
        Qt::QueuedConnection);
}

void HttpDownload::cancel()
{
    ++m_run;
    if (m_active)
        teardown();
}

qint64 HttpDownload::elapsedMs() const
{
    return m_requestTimer.isValid() ? m_requestTimer.elapsed() : 0;
}

qint64 HttpDownload::heldBytes() const
{
    return m_reply.heldBytes() + m_decoded.capacity() + (m_socket ? m_socket->bytesAvailable() : 0);
}

void HttpDownload::connectTo(const HttpAddress& address)
{
    dropSocket();
    m_address = address;
    m_reply = HttpReplyStream();
    m_bodyCheck.reset();

    QTcpSocket* socket = nullptr;
    if (address.tls) {
        auto* tlsSocket = new QSslSocket(this);
        connect(tlsSocket, &QSslSocket::encrypted, this, &HttpDownload::sendRequest);
        socket = tlsSocket;
    } else {
        socket = new QTcpSocket(this);
        connect(socket, &QTcpSocket::connected, this, &HttpDownload::sendRequest);
    }
    connect(socket, &QTcpSocket::bytesWritten, this, &HttpDownload::onBytesWritten);
    connect(socket, &QTcpSocket::readyRead, this, &HttpDownload::onReadyRead);
    connect(socket, &QTcpSocket::disconnected, this, &HttpDownload::onServerClosed);
    connect(socket, &QTcpSocket::errorOccurred, this, &HttpDownload::onSocketError);
    socket->setReadBufferSize(kReadBufferBytes);
    m_socket = socket;
    setStage(DownloadStage::Connecting);
    // Each connection, a redirect's too, gets the whole timeout to be made.
    m_bytesThisPeriod = 0;
    m_stallTimer->start(m_stallTimeout);

    if (address.tls)
        static_cast<QSslSocket*>(socket)->connectToHostEncrypted(address.host, address.port);
    else
        socket->connectToHost(address.host, address.port);
}

void HttpDownload::sendRequest()
{
    // The reply's periods run from the connection: time spent connecting is not the server's.
    m_bytesThisPeriod = 0;
    m_stallTimer->start(m_stallTimeout);
    const QByteArray request = httpGetRequest(m_address);
    m_requestBytesPending = request.size();
    m_requestTimer.start();
    setStage(DownloadStage::SendingRequest);
    m_socket->write(request);
}

void HttpDownload::onBytesWritten(qint64 bytes)
{
    m_requestBytesPending -= bytes;
    if (m_requestBytesPending <= 0 && m_stage == DownloadStage::SendingRequest)
        setStage(DownloadStage::RequestSent);
}

void HttpDownload::onReadyRead()
{
    const QByteArray data = m_socket->readAll();
    m_bytesThisPeriod += data.size();
    consume(data);
}

void HttpDownload::onStallCheck()
{
    if (m_stage == DownloadStage::Connecting) {
        // Over https the server may have accepted the connection and left the secure
        // handshake unanswered: that is no refusal of the connection.
        const bool handshaking =
            m_address.tls && m_socket->state() == QAbstractSocket::ConnectedState;
        fail(handshaking ? DownloadStatus::HandshakeTimedOut : DownloadStatus::ConnectTimedOut, 0,
             QString());
        return;
    }
    // Guard: a server that accepted the connection and then sends nothing, or a byte now and
    // then, would hold the download for ever.
    if (m_bytesThisPeriod < kLeastBytesPerPeriod) {
        fail(DownloadStatus::Stalled, 0, QString());
        return;
    }
    m_bytesThisPeriod = 0;
}

void HttpDownload::onSocketError()
{
    // The server closing the connection is how a reply without a length ends, not a failure.
    if (m_socket->error() == QAbstractSocket::RemoteHostClosedError) {
        onServerClosed();
        return;
    }
    fail(DownloadStatus::SocketError, static_cast<int>(m_socket->error()), m_socket->errorString());
}

void HttpDownload::onServerClosed()
{
    const quint64 connection = m_connection;
    // The socket's buffer is bounded: what is left is read a buffer at a time.
    while (m_socket->bytesAvailable() > 0) {
        consume(m_socket->read(kReadBufferBytes));
        if (connection != m_connection)
            return; // the last bytes completed, failed or redirected the download
    }

    if (m_reply.state() == HttpReplyStream::State::Header)
        fail(DownloadStatus::MalformedReply, 0, QString());
    else if (!m_reply.wholeAtClose())
        fail(DownloadStatus::IncompleteReply, 0, QString());
    else
        complete();
}

void HttpDownload::consume(QByteArrayView data)
{
    if (data.isEmpty())
        return;
    setStage(DownloadStage::Receiving);
    if (m_reply.state() == HttpReplyStream::State::Header) {
        QByteArray rest;
        switch (m_reply.readHeader(data, rest)) {
        case HttpReplyStream::State::Header:
            return;
        case HttpReplyStream::State::HeaderRead:
            break;
        default:
            // No status line, or a header that does not end within the cap.
            fail(m_reply.headerTooLong() ? DownloadStatus::HeaderTooLong
                                         : DownloadStatus::MalformedReply,
                 0, QString());
            return;
        }
        // A copy: a redirect starts a new reply.
        const HttpReplyHeader header = m_reply.header();
        if (!acceptHeader(header))
            return;
        if (m_reply.state() == HttpReplyStream::State::Complete) {
            complete(); // an announced length of zero
            return;
        }
        consumeBody(rest);
        return;
    }
    consumeBody(data);
}

bool HttpDownload::acceptHeader(const HttpReplyHeader& header)
{
    if (header.isRedirect() && header.contains("Location")) {
        const QByteArray location = header.value("Location");
        if (m_redirects == kMaxRedirects) {
            fail(DownloadStatus::TooManyRedirects, header.statusCode(),
                 QString::fromLatin1(location));
            return false;
        }
        const std::optional<HttpAddress> next = resolveRedirect(m_address, location);
        if (!next) {
            fail(redirectLeavesEncryption(m_address, location) ? DownloadStatus::InsecureRedirect
                                                               : DownloadStatus::InvalidAddress,
                 header.statusCode(), QString::fromLatin1(location));
            return false;
        }
        ++m_redirects;
        connectTo(*next);
        return false;
    }
    // Only a successful reply carries the file; an error page must not replace it.
    if (!header.isSuccess()) {
        fail(DownloadStatus::HttpError, header.statusCode(),
             QString::fromLatin1(header.reasonPhrase()));
        return false;
    }
    m_reply.startBody();
    if (m_makeBodyCheck)
        m_bodyCheck = m_makeBodyCheck();
    emit progressChanged(0, announcedBytes());
    return true;
}

void HttpDownload::consumeBody(QByteArrayView wire)
{
    if (wire.isEmpty())
        return;
    m_decoded.clear();
    const HttpReplyStream::State state = m_reply.readBody(wire, m_decoded);
    // Data decoded before broken framing is saved like any other; the failure drops it.
    if (!save(m_decoded))
        return;
    if (state == HttpReplyStream::State::Malformed) {
        fail(DownloadStatus::MalformedReply, 0, QString());
        return;
    }
    emit progressChanged(receivedBytes(), announcedBytes());
    // A complete body needs no wait for the server to close.
    if (state == HttpReplyStream::State::Complete)
        complete();
}

bool HttpDownload::save(QByteArrayView data)
{
    if (data.isEmpty())
        return true;
    errno = 0;
    if (m_file->write(data.data(), data.size()) != data.size()) {
        failWriting(errno);
        return false;
    }
    if (!m_bodyCheck)
        return true;
    m_bodyCheck->feed(data);
    // A body already refused is not received to its end: the server sees the connection close.
    if (m_bodyCheck->refusedAlready()) {
        refuse(m_bodyCheck->finish());
        return false;
    }
    return true;
}

void HttpDownload::complete()
{
    // Guard: a reply that is not what the target holds (an error page sent with a success
    // status, a binary) must not replace the file; the temporary file goes with the teardown.
    BodyVerdict verdict;
    if (m_bodyCheck) {
        verdict = m_bodyCheck->finish();
        if (verdict.outcome != BodyVerdict::Outcome::Accepted) {
            refuse(verdict);
            return;
        }
    }
    if (!m_file->commit()) {
        fail(DownloadStatus::TargetNotWritable, static_cast<int>(m_file->error()),
             m_file->errorString());
        return;
    }
    DownloadResult result;
    result.savedBytes = m_reply.bodyBytes();
    result.sets = verdict.sets;
    result.damagedSets = verdict.damagedSets;
    result.firstDamagedLine = verdict.firstDamagedLine;
    result.primaryDatabaseReplaced = isSameFile(m_targetFile, m_primaryDatabaseFile);
    teardown();
    emit finished(result);
}

void HttpDownload::refuse(const BodyVerdict& verdict)
{
    if (verdict.outcome == BodyVerdict::Outcome::CutShort) {
        fail(DownloadStatus::IncompleteReply, 0, QString());
        return;
    }
    teardown();
    DownloadResult result{DownloadStatus::RefusedContent, 0, QString(), 0, false};
    result.problemLine = verdict.problemLine;
    result.limit = verdict.limit;
    result.limitBytes = verdict.limitBytes;
    emit finished(result);
}

void HttpDownload::failWriting(int systemError)
{
    fail(DownloadStatus::TargetNotWritable, static_cast<int>(m_file->error()),
         writeFailureText(systemError, *m_file));
}

void HttpDownload::fail(DownloadStatus status, int number, const QString& description)
{
    teardown();
    emit finished({status, number, description, 0, false});
}

void HttpDownload::finishLater(const DownloadResult& result)
{
    QMetaObject::invokeMethod(
        this,
        [this, run = m_run, result] {
            if (run == m_run)
                emit finished(result);
        },
        Qt::QueuedConnection);
}

void HttpDownload::setStage(DownloadStage stage)
{
    if (stage == m_stage)
        return;
    m_stage = stage;
    emit stageChanged(stage);
}

void HttpDownload::dropSocket()
{
    ++m_connection;
    if (!m_socket)
        return;
    m_socket->disconnect(this);
    m_socket->abort();
    m_socket->deleteLater();
    m_socket = nullptr;
}

void HttpDownload::teardown()
{
    m_stallTimer->stop();
    dropSocket();
    m_file.reset(); // an uncommitted temporary file is removed, the target stays as it was
    m_active = false;
    m_bodyCheck.reset();
    m_decoded = QByteArray();
    setStage(DownloadStage::Idle);
}

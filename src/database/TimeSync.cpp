#include "database/TimeSync.h"

#include <QTcpSocket>

namespace {
constexpr double kMsPerSecond = 1000.0;
}

TimeSync::TimeSync(SystemClock& clock, QObject* parent)
    : QObject(parent), m_clock(clock), m_elapsedClock([] {
          return std::chrono::duration_cast<std::chrono::milliseconds>(
              std::chrono::steady_clock::now().time_since_epoch());
      })
{
    setTimer(new EventLoopTimer);
}

TimeSync::~TimeSync()
{
    if (m_socket)
        m_socket->disconnect(this);
}

void TimeSync::setTimer(ExchangeTimer* timer)
{
    delete m_deadline;
    m_deadline = timer;
    m_deadline->setParent(this);
    connect(m_deadline, &ExchangeTimer::fired, this, &TimeSync::onTimeout);
}

void TimeSync::start(const QString& host, quint16 port)
{
    cancel();
    m_unconfirmedOffsetMs.reset();
    m_reply.clear();
    m_connectedAt.reset();

    m_socket = new QTcpSocket(this);
    connect(m_socket, &QTcpSocket::connected, this, &TimeSync::onConnected);
    connect(m_socket, &QTcpSocket::readyRead, this, &TimeSync::onReadyRead);
    connect(m_socket, &QTcpSocket::disconnected, this, &TimeSync::onServerClosed);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &TimeSync::onSocketError);
    m_deadline->start(m_timeout);
    // Connecting is deferred so that even an immediate refusal is reported after start returns.
    QMetaObject::invokeMethod(
        this,
        [this, run = m_run, name = host.trimmed(), port] {
            if (run == m_run && m_socket)
                m_socket->connectToHost(name, port);
        },
        Qt::QueuedConnection);
}

void TimeSync::cancel()
{
    ++m_run;
    m_unconfirmedOffsetMs.reset();
    dropSocket();
}

void TimeSync::onConnected()
{
    // The reply gets the whole timeout, however long connecting took.
    m_deadline->start(m_timeout);
    m_connectedAt = m_elapsedClock();
    emit connected();
}

void TimeSync::onReadyRead()
{
    m_reply += m_socket->readAll();
    // More than four bytes can never become a valid reply: no need to wait for the close.
    if (m_reply.size() > kTimeReplyBytes)
        finishWithoutTime(TimeSyncStatus::InvalidReply);
}

void TimeSync::onSocketError()
{
    // The server closing the connection ends every TIME reply.
    if (m_socket->error() == QAbstractSocket::RemoteHostClosedError) {
        onServerClosed();
        return;
    }
    TimeSyncResult result;
    result.status = TimeSyncStatus::SocketError;
    result.errorNumber = static_cast<int>(m_socket->error());
    result.description = m_socket->errorString();
    finish(result);
}

void TimeSync::onServerClosed()
{
    m_reply += m_socket->readAll();
    const std::optional<quint32> seconds = timeProtocolSeconds(m_reply);
    if (!seconds) {
        // Part of the four bytes is a reply cut short, as when the server falls silent.
        const bool cutShort = !m_reply.isEmpty() && m_reply.size() < kTimeReplyBytes;
        finishWithoutTime(cutShort ? TimeSyncStatus::IncompleteReply
                                   : TimeSyncStatus::InvalidReply);
        return;
    }
    TimeSyncResult result;
    result.replyBytes = m_reply.size();
    result.roundTripMs = roundTripMs();
    const double halfRoundTripSeconds =
        static_cast<double>(result.roundTripMs) / 2.0 / kMsPerSecond;
    result.serverTimeUtc = timeProtocolInstant(*seconds, halfRoundTripSeconds);
    result.computerTimeUtc = m_clock.currentUtc();
    result.offsetMs =
        result.serverTimeUtc.toMSecsSinceEpoch() - result.computerTimeUtc.toMSecsSinceEpoch();

    // Guard: a reply held on the way (a busy server, a slow link) gives a time uncertain by
    // half its round trip; the clock is neither set nor offered for setting from it.
    if (result.roundTripMs > kLongestRoundTripMs) {
        result.status = TimeSyncStatus::LateReply;
        finish(result);
        return;
    }
    // Guard: a reply years away (a server's zero count, a broken server) is far likelier a
    // fault than the truth; the user decides, seeing both times.
    if (qAbs(result.offsetMs) > kLargestUnaskedCorrectionMs) {
        result.status = TimeSyncStatus::ConfirmationNeeded;
        m_unconfirmedOffsetMs = result.offsetMs;
        finish(result);
        return;
    }
    setClock(result);
}

void TimeSync::onTimeout()
{
    // Guard: a server that accepts the connection and then sends nothing, or a byte now and
    // then, would otherwise keep the exchange open for ever.
    TimeSyncResult result;
    result.status = TimeSyncStatus::TimedOut;
    result.connected = m_connectedAt.has_value();
    result.replyBytes = m_reply.size();
    result.roundTripMs = roundTripMs();
    finish(result);
}

void TimeSync::setConfirmedTime()
{
    if (!m_unconfirmedOffsetMs || m_socket)
        return;
    TimeSyncResult result;
    result.offsetMs = *m_unconfirmedOffsetMs;
    m_unconfirmedOffsetMs.reset();
    result.computerTimeUtc = m_clock.currentUtc();
    result.serverTimeUtc = result.computerTimeUtc.addMSecs(result.offsetMs);
    result.replyBytes = kTimeReplyBytes;
    setClock(result);
}

void TimeSync::setClock(TimeSyncResult result)
{
    // Guard: the system may refuse to set its clock (no right to); that is told, with the
    // measured offset, instead of a success that did not happen.
    const ClockSetResult set = m_clock.setUtc(result.serverTimeUtc);
    if (set.ok) {
        result.status = TimeSyncStatus::ClockSet;
    } else {
        result.status = TimeSyncStatus::ClockRefused;
        result.errorNumber = set.errorNumber;
        result.description = set.description;
    }
    finish(result);
}

void TimeSync::finishWithoutTime(TimeSyncStatus status)
{
    TimeSyncResult result;
    result.status = status;
    result.replyBytes = m_reply.size();
    result.roundTripMs = roundTripMs();
    finish(result);
}

qint64 TimeSync::roundTripMs() const
{
    return m_connectedAt ? (m_elapsedClock() - *m_connectedAt).count() : 0;
}

void TimeSync::finish(const TimeSyncResult& result)
{
    dropSocket();
    emit finished(result);
}

void TimeSync::dropSocket()
{
    m_deadline->stop();
    if (!m_socket)
        return;
    m_socket->disconnect(this);
    m_socket->abort();
    m_socket->deleteLater();
    m_socket = nullptr;
}

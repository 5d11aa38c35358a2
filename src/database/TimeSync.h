#pragma once
// Clock synchronisation with a TIME-protocol server (RFC 868): connect, read the four bytes
// the server sends before closing, add half the round trip and set the computer's clock. A
// reply whose round trip is too long to know the time to the second is measured but sets
// nothing; a correction of more than a day is not made until the user has confirmed it. A
// connection not made within a timeout, or a reply not over within the same timeout counted
// afresh from the connection (a server that accepts and then sends nothing, or a byte now and
// then), ends the exchange without touching the clock.
// Runs on the event loop of the user-interface thread and never blocks it; the
// synchronisation window shows the result with its own language texts.

#include "database/ExchangeTimer.h"
#include "database/SystemClock.h"
#include "database/TimeProtocol.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>

class QTcpSocket;

enum class TimeSyncStatus {
    ClockSet,     ///< the clock was set to serverTimeUtc
    /// The server's time is more than kLargestUnaskedCorrectionMs from the clock: the clock was
    /// not touched, setConfirmedTime() sets it once the user agrees.
    ConfirmationNeeded,
    ClockRefused, ///< the system refused to set the clock: the offset is what it would have moved
    InvalidReply, ///< the reply was not exactly four bytes; the clock was not touched
    /// The server closed the connection after part of the four bytes (`replyBytes`); the clock
    /// was not touched.
    IncompleteReply,
    /// The round trip was longer than kLongestRoundTripMs: the time is known only to within
    /// half of it, so the clock was not touched (nor offered for confirmation). The offset and
    /// the round trip are told.
    LateReply,
    SocketError,  ///< connection failed or lost: number and description from the socket
    /// No connection within the timeout, or no whole reply within the timeout that followed
    /// the connection; `connected` tells which, `replyBytes` what had come. The clock was not
    /// touched.
    TimedOut,
};

struct TimeSyncResult
{
    TimeSyncStatus status = TimeSyncStatus::InvalidReply;
    QDateTime serverTimeUtc; ///< the server's time plus the transit time (set or refused)
    QDateTime computerTimeUtc; ///< the computer's clock when the reply was read
    qint64 offsetMs = 0;     ///< serverTimeUtc minus the computer's clock when the reply was read
    /// From the connection to the server's close: once connected, the server's four bytes take
    /// one round trip to arrive, half of it the way back.
    qint64 roundTripMs = 0;
    qsizetype replyBytes = 0;
    int errorNumber = 0; ///< QAbstractSocket::SocketError, or the system's number when refused
    QString description; ///< the socket's error text, or the system's reason for refusing
    bool connected = false; ///< TimedOut: the connection had been made
};

class TimeSync : public QObject
{
    Q_OBJECT

public:
    /// Largest correction made without asking [ms]: a server answering a time years away (four
    /// zero bytes read as 2036) must not move the clock by itself.
    static constexpr qint64 kLargestUnaskedCorrectionMs = 24LL * 60 * 60 * 1000;
    /// Longest wait for the connection, and then for the reply up to the server's close: a TIME
    /// reply is four bytes sent at once, so anything near this long is a server that will not
    /// answer.
    static constexpr std::chrono::milliseconds kDefaultTimeout{60000};
    /// Longest round trip [ms] from which the clock is set. The reply counts whole seconds and
    /// could have left the server at any moment of the round trip, so the time is uncertain by
    /// half of it: beyond two seconds the clock could no longer be set to the second.
    static constexpr qint64 kLongestRoundTripMs = 2000;

    /// A monotonic reading the round trip is measured on.
    using ElapsedClock = std::function<std::chrono::milliseconds()>;

    /// `clock` is read and set by every synchronisation; it must outlive this object.
    explicit TimeSync(SystemClock& clock, QObject* parent = nullptr);
    ~TimeSync() override;

    /// Connects to a time server; blanks around the host name are ignored. Any exchange under
    /// way is cancelled first. The outcome always comes through finished(), never before this
    /// call returns.
    void start(const QString& host, quint16 port = kTimePort);

    /// Ends the exchange at once, in any stage; the clock is not touched and finished() is not
    /// emitted.
    void cancel();

    [[nodiscard]] bool isActive() const { return m_socket != nullptr; }

    /// The timeout of the next exchanges (kDefaultTimeout unless a test shortens it).
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    [[nodiscard]] std::chrono::milliseconds timeout() const { return m_timeout; }
    /// Replaces the clock of the next exchanges' timeouts (a test drives its own); takes `timer`
    /// over.
    void setTimer(ExchangeTimer* timer);
    /// Replaces the clock the round trip is measured on (a test holds a reply on its own).
    void setElapsedClock(ElapsedClock clock) { m_elapsedClock = std::move(clock); }
    /// Reply bytes of the exchange under way received so far.
    [[nodiscard]] qsizetype receivedBytes() const { return m_reply.size(); }

    /// Sets the clock to the time of the last exchange, which ended in ConfirmationNeeded, now
    /// that the user has agreed: the measured offset is added to the clock's present reading,
    /// so the time spent asking is not lost. The outcome (ClockSet or ClockRefused) comes
    /// through finished() before this returns; without such an exchange nothing happens.
    void setConfirmedTime();

signals:
    /// The server accepted the connection; its reply is awaited.
    void connected();
    void finished(const TimeSyncResult& result);

private:
    void onConnected();
    void onReadyRead();
    void onSocketError();
    void onServerClosed();
    void onTimeout();
    void finishWithoutTime(TimeSyncStatus status); ///< a reply that gives no time
    [[nodiscard]] qint64 roundTripMs() const; ///< so far; 0 before the connection
    void finish(const TimeSyncResult& result);
    void setClock(TimeSyncResult result);
    void dropSocket();

    SystemClock& m_clock;
    QTcpSocket* m_socket = nullptr;
    ExchangeTimer* m_deadline = nullptr;
    std::chrono::milliseconds m_timeout = kDefaultTimeout;
    QByteArray m_reply;
    ElapsedClock m_elapsedClock;
    std::optional<std::chrono::milliseconds> m_connectedAt; // elapsed-clock reading
    quint64 m_run = 0; // bumped by start and cancel: stale queued work is dropped
    std::optional<qint64> m_unconfirmedOffsetMs; // correction waiting for the user's answer
};

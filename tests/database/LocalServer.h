#pragma once
// Test support: the one application object, bounded waits on the event loop, a scripted TCP
// server on 127.0.0.1 that stands in for an element-set server or a time server, timeouts
// moved on by the test's hand and a target file on a disk that fills.

#include "database/ExchangeTimer.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSaveFile>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

/// Creates the QApplication the sockets and windows need, once for the whole test program.
void ensureApplication();

/// Runs the event loop until `done` holds or `timeoutMs` has passed; returns `done()`.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 10000);

class LocalServer : public QObject
{
public:
    /// Called once per connection: for an HTTP server when the request header has arrived,
    /// for a time server (waitForRequest false) as soon as the client is connected.
    using Handler = std::function<void(QTcpSocket& client, const QByteArray& request)>;

    explicit LocalServer(Handler handler, bool waitForRequest = true);

    [[nodiscard]] quint16 port() const { return m_server.serverPort(); }
    /// "http://127.0.0.1:<port>" followed by `path`.
    [[nodiscard]] QString url(const QString& path) const;

    QList<QByteArray> requests; ///< complete request headers, in order
    QList<QByteArray> received; ///< every byte each connection sent, in order
    int connections = 0;
    int disconnections = 0;

private:
    QTcpServer m_server;
    Handler m_handler;
    bool m_waitForRequest;
};

/// A port on 127.0.0.1 where a connection is never made: the listener's queue is full and
/// nothing takes connections from it, so the kernel drops a new client's request and the
/// client waits, as it would for a server that does not answer.
class UnansweredPort
{
public:
    UnansweredPort();
    ~UnansweredPort();

    [[nodiscard]] quint16 port() const { return m_server.serverPort(); }

private:
    QTcpServer m_server;
    std::vector<std::unique_ptr<QTcpSocket>> m_queued; // the connections that fill the queue
};

/// Writes a whole reply and closes the connection once it has left.
void replyAndClose(QTcpSocket& client, const QByteArray& reply);

/// Timeouts of the test's clock: time passes only through advance(), so no outcome depends
/// on how busy the machine is.
class HandTimer final : public ExchangeTimer
{
public:
    void start(std::chrono::milliseconds period) override;
    void stop() override { m_running = false; }
    /// Moves the clock on by `time`, firing at the end of every period it completes.
    void advance(std::chrono::milliseconds time);
    [[nodiscard]] bool running() const { return m_running; }

    /// Called as each period begins: a test may let time pass there (a slow connection).
    std::function<void(HandTimer&)> onStart;

private:
    std::chrono::milliseconds m_period{0};
    std::chrono::milliseconds m_elapsed{0};
    bool m_running = false;
};

/// A target file on a disk that fills after `room` bytes. As Qt 6.4 does on a full disk, the
/// bytes that fit are written and the count comes back short without an error of the file's
/// own; only the system's error number tells why.
class FullDiskFile final : public QSaveFile
{
public:
    FullDiskFile(const QString& path, qint64 room) : QSaveFile(path), m_room(room) {}

protected:
    qint64 writeData(const char* data, qint64 length) override;

private:
    qint64 m_room;
};

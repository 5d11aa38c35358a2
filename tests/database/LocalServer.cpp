#include "LocalServer.h"

#include <QApplication>
#include <QDeadlineTimer>

#include <algorithm>
#include <cerrno>
#include <memory>

#include <gtest/gtest.h>

namespace {

int g_argc = 1;
char g_name[] = "database_tests";
char* g_argv[] = {g_name, nullptr};
std::unique_ptr<QApplication> g_application;

// The application must go before the program's static objects do (a QApplication outliving
// main() crashes on exit), so the test environment's tear-down destroys it.
class ApplicationEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { ensureApplication(); }
    void TearDown() override { g_application.reset(); }
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace

void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    // The windows of this ring need a QApplication; offscreen keeps them off any display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_application = std::make_unique<QApplication>(g_argc, g_argv);
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return done();
}

LocalServer::LocalServer(Handler handler, bool waitForRequest)
    : m_handler(std::move(handler)), m_waitForRequest(waitForRequest)
{
    ensureApplication();
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* client = m_server.nextPendingConnection()) {
            const qsizetype index = received.size();
            ++connections;
            received.append(QByteArray());
            auto answered = std::make_shared<bool>(false);
            connect(client, &QTcpSocket::disconnected, this, [this] { ++disconnections; });
            connect(client, &QTcpSocket::readyRead, this, [this, client, index, answered] {
                received[index] += client->readAll();
                if (*answered || !received[index].contains("\r\n\r\n"))
                    return;
                *answered = true;
                requests.append(received[index]);
                m_handler(*client, received[index]);
            });
            if (!m_waitForRequest) {
                *answered = true;
                m_handler(*client, QByteArray());
            }
        }
    });
}

QString LocalServer::url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:") + QString::number(port()) + path;
}

UnansweredPort::UnansweredPort()
{
    ensureApplication();
    m_server.setListenBacklogSize(1);
    m_server.listen(QHostAddress::LocalHost, 0);
    m_server.pauseAccepting();
    // Linux queues one connection more than the backlog; the others wait for a place.
    constexpr int kQueueFillers = 4;
    for (int i = 0; i < kQueueFillers; ++i) {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QHostAddress::LocalHost, port());
        m_queued.push_back(std::move(socket));
    }
    waitUntil([this] {
        return std::count_if(m_queued.begin(), m_queued.end(), [](const auto& socket) {
                   return socket->state() == QAbstractSocket::ConnectedState;
               }) >= 2;
    });
}

UnansweredPort::~UnansweredPort()
{
    for (const auto& socket : m_queued)
        socket->abort();
}

void replyAndClose(QTcpSocket& client, const QByteArray& reply)
{
    client.write(reply);
    client.disconnectFromHost(); // closes once the written bytes have left
}

void HandTimer::start(std::chrono::milliseconds period)
{
    m_period = period;
    m_elapsed = std::chrono::milliseconds(0);
    m_running = true;
    if (onStart)
        onStart(*this);
}

void HandTimer::advance(std::chrono::milliseconds time)
{
    while (m_running && m_elapsed + time >= m_period) {
        time -= m_period - m_elapsed;
        m_elapsed = std::chrono::milliseconds(0);
        emit fired();
    }
    if (m_running)
        m_elapsed += time;
}

qint64 FullDiskFile::writeData(const char* data, qint64 length)
{
    const qint64 fits = qMin(length, m_room);
    const qint64 written = fits > 0 ? QSaveFile::writeData(data, fits) : 0;
    m_room -= written;
    if (written < length)
        errno = ENOSPC;
    return written;
}

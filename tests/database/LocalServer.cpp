#include "LocalServer.h"

#include <QApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

// One application object for the whole run (gtest_main owns main()), made before the first
// test and destroyed before the program's static objects: a widget application torn down at
// exit would outlive the platform plugin it uses.
class ApplicationEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { ensureApplication(); }
    void TearDown() override { application().reset(); }

    static std::unique_ptr<QApplication>& application()
    {
        static std::unique_ptr<QApplication> instance;
        return instance;
    }
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace

void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "database_tests";
    static char* argv[] = {name, nullptr};
    // A widget application: the database window's tests share this program with the sockets.
    ApplicationEnvironment::application() = std::make_unique<QApplication>(argc, argv);
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

void replyAndClose(QTcpSocket& client, const QByteArray& reply)
{
    client.write(reply);
    client.disconnectFromHost(); // closes once the written bytes have left
}

#include "LocalServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <memory>

void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "database_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
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

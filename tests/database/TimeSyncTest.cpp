#include "LocalServer.h"

#include "database/TimeSync.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <tuple>

namespace {

QDateTime utc(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

// Stands in for the computer's clock: a fixed reading, and every setting recorded.
class FakeClock final : public SystemClock
{
public:
    QDateTime currentUtc() const override { return now; }
    ClockSetResult setUtc(const QDateTime& instant) override
    {
        settings.append(instant);
        if (refuse)
            return {false, EPERM, QStringLiteral("Operation not permitted")};
        return {true, 0, QString()};
    }

    QDateTime now = utc(2024, 3, 15, 11, 59, 30);
    bool refuse = false;
    QList<QDateTime> settings;
};

// A time server that sends `reply` to every client and closes.
LocalServer timeServer(const QByteArray& reply)
{
    return LocalServer(
        [reply](QTcpSocket& client, const QByteArray&) { replyAndClose(client, reply); }, false);
}

class TimeSyncTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ensureApplication();
        m_sync.setTimer(m_timer);
        QObject::connect(&m_sync, &TimeSync::finished,
                         [this](const TimeSyncResult& result) { m_results.append(result); });
    }

    TimeSyncResult synchronise(const QString& host, quint16 port)
    {
        m_results.clear();
        m_sync.start(host, port);
        EXPECT_TRUE(waitUntil([this] { return !m_results.isEmpty(); })) << "no result";
        return m_results.value(0);
    }

    FakeClock m_clock;
    QList<TimeSyncResult> m_results;
    TimeSync m_sync{m_clock};
    HandTimer* m_timer = new HandTimer; // the exchange's clock, owned by it
};

} // namespace

TEST(TimeProtocol, FourBytesAreSecondsSince1900MostSignificantFirst)
{
    EXPECT_EQ(timeProtocolSeconds(QByteArray::fromHex("E99EB6C0")), 3919492800u);
    EXPECT_EQ(timeProtocolInstant(3919492800u, 0.0), utc(2024, 3, 15, 12, 0, 0));
    // A blank (0x20) is data like any other byte.
    EXPECT_EQ(timeProtocolInstant(*timeProtocolSeconds(QByteArray::fromHex("E99EB620")), 0.0),
              utc(2024, 3, 15, 11, 57, 20));
    EXPECT_EQ(timeProtocolInstant(2840140800u, 0.0), utc(1990, 1, 1, 0, 0, 0));
    EXPECT_EQ(timeProtocolInstant(4294967295u, 0.0), utc(2036, 2, 7, 6, 28, 15));
    // After the count wraps in 2036, small counts are the following era, not 1900.
    EXPECT_EQ(timeProtocolInstant(0u, 0.0), utc(2036, 2, 7, 6, 28, 16));

    for (const char* hex : {"", "E99EB6", "E99EB6C000"})
        EXPECT_FALSE(timeProtocolSeconds(QByteArray::fromHex(hex))) << hex;
}

TEST(TimeProtocol, HalfTheRoundTripIsAddedInWholeSecondsHalvesToEven)
{
    const QDateTime noon = utc(2024, 3, 15, 12, 0, 0);
    EXPECT_EQ(timeProtocolInstant(3919492800u, 0.4), noon);
    EXPECT_EQ(timeProtocolInstant(3919492800u, 0.5), noon);
    EXPECT_EQ(timeProtocolInstant(3919492800u, 0.6), noon.addSecs(1));
    EXPECT_EQ(timeProtocolInstant(3919492800u, 1.5), noon.addSecs(2));
    EXPECT_EQ(timeProtocolInstant(3919492800u, 2.5), noon.addSecs(2));
    for (double meaningless : {std::nan(""), -3.0, -HUGE_VAL})
        EXPECT_EQ(timeProtocolInstant(3919492800u, meaningless), noon) << meaningless;
    for (double tooLong : {86400.4, 1e300, HUGE_VAL})
        EXPECT_EQ(timeProtocolInstant(3919492800u, tooLong), noon.addDays(1)) << tooLong;
}

TEST_F(TimeSyncTest, ClockIsSetFromTheServersReply)
{
    const LocalServer server = timeServer(QByteArray::fromHex("E99EB6C0"));

    // Blanks around the host name are not part of it.
    const TimeSyncResult result = synchronise(QStringLiteral(" 127.0.0.1 "), server.port());

    EXPECT_EQ(result.status, TimeSyncStatus::ClockSet);
    EXPECT_EQ(m_clock.settings, QList<QDateTime>{utc(2024, 3, 15, 12, 0, 0)});
    EXPECT_EQ(result.serverTimeUtc, utc(2024, 3, 15, 12, 0, 0));
    EXPECT_EQ(result.offsetMs, 30000) << "the computer's clock reads 11:59:30";
    EXPECT_EQ(result.replyBytes, 4);
    EXPECT_FALSE(m_sync.isActive());
}

TEST_F(TimeSyncTest, CorrectionOfMoreThanADayWaitsForConfirmation)
{
    // Four zero bytes read as 2036-02-07 06:28:16, almost twelve years after the clock.
    const LocalServer zero = timeServer(QByteArray::fromHex("00000000"));

    TimeSyncResult result = synchronise(QStringLiteral("127.0.0.1"), zero.port());

    EXPECT_EQ(result.status, TimeSyncStatus::ConfirmationNeeded);
    EXPECT_TRUE(m_clock.settings.isEmpty()) << "not set without the user's Yes";
    EXPECT_EQ(result.serverTimeUtc, utc(2036, 2, 7, 6, 28, 16));
    EXPECT_EQ(result.computerTimeUtc, m_clock.now);
    EXPECT_EQ(result.offsetMs, m_clock.now.msecsTo(utc(2036, 2, 7, 6, 28, 16)));

    // Confirmed after the user took a minute: the offset applies to the clock's new reading.
    m_results.clear();
    m_clock.now = m_clock.now.addSecs(60);
    m_sync.setConfirmedTime();
    ASSERT_EQ(m_results.size(), 1);
    EXPECT_EQ(m_results[0].status, TimeSyncStatus::ClockSet);
    EXPECT_EQ(m_clock.settings, QList<QDateTime>{utc(2036, 2, 7, 6, 29, 16)});
    m_sync.setConfirmedTime();
    EXPECT_EQ(m_clock.settings.size(), 1) << "one answer, one setting";

    // A day back at most is corrected at once; a second more is asked, in either direction.
    m_clock.settings.clear();
    m_clock.now = utc(2024, 3, 16, 12, 0, 0); // the server says 2024-03-15 12:00:00
    const LocalServer noon = timeServer(QByteArray::fromHex("E99EB6C0"));
    EXPECT_EQ(synchronise(QStringLiteral("127.0.0.1"), noon.port()).status,
              TimeSyncStatus::ClockSet);
    m_clock.now = utc(2024, 3, 16, 12, 0, 1);
    EXPECT_EQ(synchronise(QStringLiteral("127.0.0.1"), noon.port()).status,
              TimeSyncStatus::ConfirmationNeeded);
    m_clock.now = utc(2024, 3, 14, 11, 59, 59);
    EXPECT_EQ(synchronise(QStringLiteral("127.0.0.1"), noon.port()).status,
              TimeSyncStatus::ConfirmationNeeded);
    EXPECT_EQ(m_clock.settings, QList<QDateTime>{utc(2024, 3, 15, 12, 0, 0)});

    // A new exchange or a cancel forgets an unanswered correction.
    m_sync.cancel();
    m_sync.setConfirmedTime();
    EXPECT_EQ(m_clock.settings.size(), 1);
}

TEST_F(TimeSyncTest, RefusedSettingIsReportedWithTheMeasuredOffset)
{
    const LocalServer server = timeServer(QByteArray::fromHex("E99EB620"));
    m_clock.refuse = true;

    const TimeSyncResult result = synchronise(QStringLiteral("127.0.0.1"), server.port());

    EXPECT_EQ(result.status, TimeSyncStatus::ClockRefused);
    EXPECT_EQ(result.serverTimeUtc, utc(2024, 3, 15, 11, 57, 20));
    EXPECT_EQ(result.offsetMs, -130000);
    EXPECT_EQ(result.errorNumber, EPERM);
    EXPECT_FALSE(result.description.isEmpty());
}

TEST_F(TimeSyncTest, RepliesOfAnyOtherLengthLeaveTheClockAlone)
{
    // Part of the four bytes and a close is a reply cut short, not a wrong one.
    const std::pair<const char*, TimeSyncStatus> cases[] = {
        {"E99EB6", TimeSyncStatus::IncompleteReply},
        {"E99EB6C000", TimeSyncStatus::InvalidReply},
        {"", TimeSyncStatus::InvalidReply}};
    for (const auto& [hex, status] : cases) {
        const LocalServer server = timeServer(QByteArray::fromHex(hex));

        const TimeSyncResult result = synchronise(QStringLiteral("127.0.0.1"), server.port());

        EXPECT_EQ(result.status, status) << hex;
        EXPECT_EQ(result.replyBytes, QByteArray::fromHex(hex).size()) << hex;
    }
    EXPECT_TRUE(m_clock.settings.isEmpty());
}

TEST_F(TimeSyncTest, ReplyLaterThanTwoSecondsIsMeasuredButSetsNothing)
{
    // The server's clock matches the computer's; its reply comes `held` after the connection.
    std::chrono::milliseconds held{0};
    m_sync.setElapsedClock([&, now = held]() mutable { return std::exchange(now, now + held); });
    m_clock.now = utc(2024, 3, 15, 12, 0, 0);
    const LocalServer server = timeServer(QByteArray::fromHex("E99EB6C0"));
    const std::tuple<int, TimeSyncStatus, qint64> cases[] = {
        {0, TimeSyncStatus::ClockSet, 0},          {2000, TimeSyncStatus::ClockSet, 1000},
        {2001, TimeSyncStatus::LateReply, 1000},   {20000, TimeSyncStatus::LateReply, 10000},
        {40000, TimeSyncStatus::LateReply, 20000}};
    for (const auto& [heldMs, status, offsetMs] : cases) {
        held = std::chrono::milliseconds(heldMs);
        const TimeSyncResult result = synchronise(QStringLiteral("127.0.0.1"), server.port());
        EXPECT_EQ(result.status, status) << heldMs;
        EXPECT_EQ(result.offsetMs, offsetMs) << heldMs;
        EXPECT_EQ(result.roundTripMs, heldMs);
    }
    EXPECT_EQ(m_clock.settings.size(), 2) << "set only from the replies within two seconds";

    // Nor is a late reply more than a day away offered for confirmation.
    const LocalServer zero = timeServer(QByteArray::fromHex("00000000"));
    EXPECT_EQ(synchronise(QStringLiteral("127.0.0.1"), zero.port()).status,
              TimeSyncStatus::LateReply);
    m_sync.setConfirmedTime();
    EXPECT_EQ(m_clock.settings.size(), 2);
}

TEST_F(TimeSyncTest, RefusedConnectionIsASocketError)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 port = closed.serverPort();
    closed.close();

    const TimeSyncResult result = synchronise(QStringLiteral("127.0.0.1"), port);

    EXPECT_EQ(result.status, TimeSyncStatus::SocketError);
    EXPECT_EQ(result.errorNumber, int(QAbstractSocket::ConnectionRefusedError));
    EXPECT_FALSE(result.description.isEmpty());
    EXPECT_TRUE(m_clock.settings.isEmpty());
}

TEST_F(TimeSyncTest, CancelEndsAServerThatNeverCloses)
{
    LocalServer server([](QTcpSocket& client, const QByteArray&) { client.write("\xE9\x9E"); },
                       false);
    m_sync.start(QStringLiteral("127.0.0.1"), server.port());
    ASSERT_TRUE(waitUntil([&] { return server.connections == 1; }));

    m_sync.cancel();

    EXPECT_FALSE(m_sync.isActive());
    EXPECT_TRUE(waitUntil([&] { return server.disconnections == 1; })) << "connection dropped";
    EXPECT_TRUE(m_results.isEmpty());
    EXPECT_TRUE(m_clock.settings.isEmpty());
}

TEST_F(TimeSyncTest, ExchangeNotOverInTimeLeavesTheClockAlone)
{
    const std::chrono::milliseconds timeout = m_sync.timeout();
    bool connectedTold = false;
    QObject::connect(&m_sync, &TimeSync::connected, [&connectedTold] { connectedTold = true; });

    // Accepts and sends nothing, after a connection that took all but 10 s of the timeout: the
    // reply still gets a whole timeout. Sends the four bytes and never closes.
    LocalServer silent([](QTcpSocket&, const QByteArray&) {}, false);
    LocalServer unclosed([](QTcpSocket& client,
                            const QByteArray&) { client.write(QByteArray::fromHex("E99EB6C0")); },
                         false);
    bool connecting = true;
    m_timer->onStart = [&connecting, timeout](HandTimer& timer) {
        if (std::exchange(connecting, false))
            timer.advance(timeout - std::chrono::seconds(10));
    };
    for (const LocalServer* server : {&silent, &unclosed}) {
        m_results.clear();
        connectedTold = false;
        m_sync.start(QStringLiteral("127.0.0.1"), server->port());
        const qsizetype sent = server == &silent ? 0 : 4;
        ASSERT_TRUE(waitUntil([&] { return connectedTold && m_sync.receivedBytes() == sent; }));
        m_timer->advance(timeout - std::chrono::milliseconds(1));
        EXPECT_TRUE(m_results.isEmpty()) << "given up before the reply had the whole timeout";
        m_timer->advance(std::chrono::milliseconds(1));
        ASSERT_EQ(m_results.size(), 1);
        EXPECT_EQ(m_results[0].status, TimeSyncStatus::TimedOut);
        EXPECT_TRUE(m_results[0].connected) << "the window can say the server was reached";
        EXPECT_EQ(m_results[0].replyBytes, sent);
        EXPECT_TRUE(waitUntil([server] { return server->disconnections == 1; }));
    }

    // Never accepts the connection.
    connectedTold = false;
    m_results.clear();
    const UnansweredPort unanswered;
    m_sync.start(QStringLiteral("127.0.0.1"), unanswered.port());
    m_timer->advance(timeout);
    ASSERT_EQ(m_results.size(), 1);
    EXPECT_EQ(m_results[0].status, TimeSyncStatus::TimedOut);
    EXPECT_FALSE(m_results[0].connected);
    EXPECT_FALSE(connectedTold);
    EXPECT_FALSE(m_sync.isActive());
    EXPECT_TRUE(m_clock.settings.isEmpty());
}

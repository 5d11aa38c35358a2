// The clock-synchronisation window against a local TIME server, with a clock of the test in
// place of the computer's: the servers offered, a clock set, a clock the system refuses to
// set, invalid replies, socket errors and Cancel. The real clock is never set.

#include "NetworkWindowTest.h"

#include "database/frmSyncro.h"
#include "services/MessageBoxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <cerrno>

namespace {

/// A clock that records what it is asked to set and accepts or refuses it.
class TestClock final : public SystemClock
{
public:
    [[nodiscard]] QDateTime currentUtc() const override { return now; }
    ClockSetResult setUtc(const QDateTime& instant) override
    {
        sets.append(instant);
        if (refuse)
            return {false, EPERM, QStringLiteral("Operation not permitted")};
        return {true, 0, QString()};
    }

    QDateTime now = QDateTime(QDate(2024, 3, 15), QTime(11, 59, 0), Qt::UTC);
    bool refuse = false;
    QList<QDateTime> sets;
};

/// A time server that sends `reply` as soon as a client connects, then closes.
std::unique_ptr<LocalServer> timeServer(const QByteArray& reply)
{
    return std::make_unique<LocalServer>(
        [reply](QTcpSocket& client, const QByteArray&) { replyAndClose(client, reply); }, false);
}

class frmSyncroTest : public NetworkWindowTest
{
protected:
    void SetUp() override
    {
        NetworkWindowTest::SetUp();
        Impostazioni.Server_NTP.fill(std::string());
        Impostazioni.Server_NTP[0] = "127.0.0.1";
        ASSERT_TRUE(
            mReg::Scrivi_registro(u"Quorvanel", u"ServerNTP", u"Verifica connessione", u"0").ok());
    }

    std::unique_ptr<frmSyncro> openWindow(quint16 port)
    {
        auto window = std::make_unique<frmSyncro>(nullptr, &m_clock);
        window->setServerPort(port);
        window->show();
        return window;
    }

    /// Clicks OK and waits until the exchange has ended in a status or a message.
    void synchronise(frmSyncro& window)
    {
        click(window, "cmdOK");
        EXPECT_TRUE(waitUntil([&] {
            return labelText(window, "lblStatus") == english("frmSyncro", "oksincronizzazione") ||
                   hasMessage(window);
        })) << "the exchange did not end";
    }

    TestClock m_clock;
};

} // namespace

TEST_F(frmSyncroTest, OffersTheConfiguredServersAndStoresTheConnectionCheck)
{
    Impostazioni.Server_NTP[0] = "time.example";
    Impostazioni.Server_NTP[4] = "  ";
    Impostazioni.Server_NTP[9] = " time-b.example ";

    frmSyncro window(nullptr, &m_clock);
    const auto* list = control<QComboBox>(window, "cmbURL");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), QStringLiteral("time.example"));
    EXPECT_EQ(list->itemText(1), QStringLiteral(" time-b.example "));
    EXPECT_EQ(list->currentIndex(), 0);

    auto* check = control<QCheckBox>(window, "chkConnessione");
    ASSERT_NE(check, nullptr);
    EXPECT_FALSE(check->isChecked());
    check->click();
    EXPECT_EQ(mReg::Leggi_registro(u"Quorvanel", u"ServerNTP", u"Verifica connessione", u"?"),
              QStringLiteral("-1"));
    check->click();
    EXPECT_EQ(mReg::Leggi_registro(u"Quorvanel", u"ServerNTP", u"Verifica connessione", u"?"),
              QStringLiteral("0"));
}

TEST_F(frmSyncroTest, ValidReplySetsTheClockAndSaysSo)
{
    // E9 9E B6 C0 = 3919492800 s since 1900: 2024-03-15 12:00:00 UTC.
    const auto server = timeServer(QByteArray::fromHex("E99EB6C0"));
    const auto window = openWindow(server->port());
    const QSignalSpy clockSet(window.get(), &frmSyncro::clockSet);

    synchronise(*window);

    EXPECT_EQ(labelText(*window, "lblStatus"), english("frmSyncro", "oksincronizzazione"));
    EXPECT_EQ(m_clock.sets, QList<QDateTime>{QDateTime(QDate(2024, 3, 15), QTime(12, 0), Qt::UTC)});
    EXPECT_EQ(clockSet.count(), 1) << "the program clock learns of it";
    EXPECT_TRUE(isEnabled(*window, "cmdOK")) << "a finished exchange may be tried again";
    EXPECT_EQ(caption(*window, "cmdCancel"), english("Buttons", "close"));
    EXPECT_NE(window->cursor().shape(), Qt::WaitCursor);
    EXPECT_FALSE(hasMessage(*window));
}

TEST_F(frmSyncroTest, RefusedClockIsToldWithTheMeasuredOffsetNeverAsSynchronised)
{
    m_clock.refuse = true; // the computer is 60 s behind the server
    const auto server = timeServer(QByteArray::fromHex("E99EB6C0"));
    const auto window = openWindow(server->port());
    const QSignalSpy clockSet(window.get(), &frmSyncro::clockSet);

    synchronise(*window);
    EXPECT_EQ(clockSet.count(), 0);

    const QString message = dismissMessage(*window);
    EXPECT_TRUE(message.startsWith(english("frmSyncro", "orarifiutato"))) << message.toStdString();
    EXPECT_TRUE(message.contains(english("frmSyncro", "scartoorologio") + QStringLiteral(" +60 s")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("Operation not permitted")))
        << message.toStdString();
    EXPECT_NE(labelText(*window, "lblStatus"), english("frmSyncro", "oksincronizzazione"));
    EXPECT_EQ(labelText(*window, "lblStatus"), english("frmSyncro", "nosincronizzazione"));
    EXPECT_EQ(caption(*window, "cmdCancel"), english("Buttons", "cancel"));
    EXPECT_NE(window->cursor().shape(), Qt::WaitCursor);
}

TEST_F(frmSyncroTest, LateReplyIsToldWithTheOffsetAndItsUncertaintyAndSetsNothing)
{
    // The server is 60 s ahead; its reply comes so long after the connection that the clock is
    // not set. The round trip and half of it, the uncertainty, are told to the tenth of a second
    // above: one just over the limit never reads as the limit itself.
    struct Case
    {
        int roundTripMs;
        double shown;
        const char* offset;
        double uncertainty;
    };
    const Case cases[] = {
        {20400, 20.4, "+70 s", 10.2},
        {2001, 2.1, "+61 s", 1.1},
        {2050, 2.1, "+61 s", 1.1},
    };
    const auto server = timeServer(QByteArray::fromHex("E99EB6C0"));
    const auto window = openWindow(server->port());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.roundTripMs);
        window->setElapsedClock([now = std::chrono::milliseconds(0), c]() mutable {
            return std::exchange(now, now + std::chrono::milliseconds(c.roundTripMs));
        });

        synchronise(*window);

        const QLocale locale;
        EXPECT_EQ(dismissMessage(*window),
                  english("frmSyncro", "rispostatardiva")
                          .replace(QStringLiteral("%1"), locale.toString(c.shown, 'f', 1)) +
                      QStringLiteral("\r\n") + english("frmSyncro", "scartoorologio") + u' ' +
                      QLatin1String(c.offset) + QStringLiteral(" \u00B1 ") +
                      locale.toString(c.uncertainty, 'f', 1) + QStringLiteral(" s\r\n127.0.0.1"));
    }
    EXPECT_TRUE(m_clock.sets.isEmpty());
}

TEST_F(frmSyncroTest, ClockYearsAwayIsSetOnlyAfterYesToAQuestionShowingBothTimes)
{
    // Four zero bytes: 2036-02-07 06:28:16 UTC, while the computer says 2024-03-15 11:59:00.
    const auto server = timeServer(QByteArray::fromHex("00000000"));
    const auto window = openWindow(server->port());
    const QString expected =
        english("frmSyncro", "correzioneampia") + QStringLiteral("\r\n\r\n") +
        english("frmSyncro", "oraserver") + QStringLiteral(" 2036-02-07 06:28:16 UT\r\n") +
        english("frmSyncro", "oracomputer") + QStringLiteral(" 2024-03-15 11:59:00 UT\r\n") +
        english("frmSyncro", "scartoorologio") + u' ' + QStringLiteral("+") +
        QLocale().toString(qint64(375474556)) + QStringLiteral(" s");

    for (const QMessageBox::StandardButton answer : {QMessageBox::NoButton, QMessageBox::Yes}) {
        synchronise(*window);
        QMessageBox* box = waitForMessage(*window);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), expected);
        ASSERT_NE(box->defaultButton(), nullptr);
        EXPECT_EQ(box->standardButton(box->defaultButton()), QMessageBox::No);
        EXPECT_TRUE(m_clock.sets.isEmpty()) << "nothing set while the question is open";
        if (answer == QMessageBox::NoButton)
            QTest::keyClick(box, Qt::Key_Return); // the default answer
        else
            box->button(answer)->click();
        EXPECT_TRUE(waitUntil([&] { return !hasMessage(*window); }));
        if (answer == QMessageBox::NoButton) {
            EXPECT_TRUE(m_clock.sets.isEmpty());
            EXPECT_EQ(labelText(*window, "lblStatus"), english("frmSyncro", "nosincronizzazione"));
            EXPECT_TRUE(isEnabled(*window, "cmdOK"));
        }
    }
    EXPECT_EQ(m_clock.sets,
              QList<QDateTime>{QDateTime(QDate(2036, 2, 7), QTime(6, 28, 16), Qt::UTC)});
    EXPECT_EQ(labelText(*window, "lblStatus"), english("frmSyncro", "oksincronizzazione"));
}

TEST_F(frmSyncroTest, ReplyThatIsNotFourBytesLeavesTheClockAlone)
{
    // Three bytes and a close: cut short, as when the server falls silent after them.
    const auto cut = timeServer(QByteArray::fromHex("E99EB6"));
    const auto cutWindow = openWindow(cut->port());
    synchronise(*cutWindow);
    EXPECT_EQ(dismissMessage(*cutWindow),
              english("frmSyncro", "orariotroncato") + QStringLiteral("\r\n127.0.0.1"));

    const auto server = timeServer(QByteArray::fromHex("E99EB6C000"));
    const auto window = openWindow(server->port());

    synchronise(*window);

    QMessageBox* box = waitForMessage(*window);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(dismissMessage(*window), english("frmSyncro", "rispostanonvalida"));
    EXPECT_EQ(labelText(*window, "lblStatus"), QString());
    EXPECT_TRUE(m_clock.sets.isEmpty());
    EXPECT_TRUE(isEnabled(*window, "cmdOK")) << "a failed exchange may be tried again";
}

TEST_F(frmSyncroTest, SocketErrorIsToldUnderTheFailureTitle)
{
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        closedPort = probe.serverPort();
    }
    const auto window = openWindow(closedPort);

    synchronise(*window);

    QMessageBox* box = waitForMessage(*window);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), english("frmSyncro", "nosincronizzazione"));
    EXPECT_EQ(box->text(), english("frmDownload", "connessionerifiutata") +
                               QStringLiteral("\r\n127.0.0.1"));
    EXPECT_GE(box->width(), titleBarWidth(box->windowTitle())) << "the title is cut";
    EXPECT_TRUE(isEnabled(*window, "cmdOK"));
    EXPECT_EQ(labelText(*window, "lblStatus"), english("frmSyncro", "nosincronizzazione"));
    EXPECT_TRUE(m_clock.sets.isEmpty());
}

TEST_F(frmSyncroTest, NothingIsAttemptedWithoutConnectionOrServerName)
{
    const auto server = timeServer(QByteArray::fromHex("E99EB6C0"));
    mReg::Scrivi_registro(u"Quorvanel", u"ServerNTP", u"Verifica connessione", u"-1");
    auto window = openWindow(server->port());
    window->setConnectionCheck([] { return false; });

    click(*window, "cmdOK");

    EXPECT_EQ(labelText(*window, "lblStatus"), english("frmSyncro", "noconnessione"));
    EXPECT_TRUE(isEnabled(*window, "cmdOK"));
    EXPECT_NE(window->cursor().shape(), Qt::WaitCursor);

    window = openWindow(server->port());
    control<QComboBox>(*window, "cmbURL")->setEditText(QStringLiteral("  "));
    click(*window, "cmdOK");
    EXPECT_TRUE(isEnabled(*window, "cmdOK"));

    QCoreApplication::processEvents();
    EXPECT_EQ(server->connections, 0);
    EXPECT_TRUE(m_clock.sets.isEmpty());
}

TEST_F(frmSyncroTest, CancelEndsAHangingExchangeWithoutTouchingTheClock)
{
    // The server accepts the connection and never answers.
    LocalServer server([](QTcpSocket&, const QByteArray&) {}, false);
    const auto window = openWindow(server.port());
    click(*window, "cmdOK");
    ASSERT_TRUE(waitUntil([&] { return server.connections == 1; }));
    EXPECT_EQ(window->cursor().shape(), Qt::WaitCursor) << "busy while waiting";

    click(*window, "cmdCancel");

    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(waitUntil([&] { return server.disconnections == 1; }));
    EXPECT_TRUE(m_clock.sets.isEmpty());
}

TEST_F(frmSyncroTest, SilentServerIsGivenUpAndTheStatusSaysItWasReached)
{
    // The timeouts run on the test's clock, moved on once the server has done its part.
    auto* timer = new HandTimer;
    const QString sixty = QLocale().toString(60);
    // The server accepts the connection and never answers.
    LocalServer silent([](QTcpSocket&, const QByteArray&) {}, false);
    auto window = openWindow(silent.port());
    window->setTimer(timer);

    click(*window, "cmdOK");
    ASSERT_TRUE(waitUntil([&] { return silent.connections == 1; }));
    EXPECT_TRUE(waitUntil(
        [&] { return labelText(*window, "lblStatus") == english("frmSyncro", "attesaorario"); }))
        << "connected, no longer connecting: " << labelText(*window, "lblStatus").toStdString();
    timer->advance(TimeSync::kDefaultTimeout);

    QMessageBox* box = waitForMessage(*window);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), english("frmSyncro", "nosincronizzazione"));
    EXPECT_EQ(dismissMessage(*window),
              english("frmSyncro", "orarioassente").replace(QStringLiteral("%1"), sixty) +
                  QStringLiteral("\r\n127.0.0.1"));
    EXPECT_EQ(labelText(*window, "lblStatus"), english("frmSyncro", "nosincronizzazione"));
    EXPECT_TRUE(isEnabled(*window, "cmdOK"));
    EXPECT_NE(window->cursor().shape(), Qt::WaitCursor);
    EXPECT_TRUE(waitUntil([&] { return silent.disconnections == 1; }));

    // A server that stops after three of the four bytes: its reply is told incomplete.
    LocalServer stopping(
        [](QTcpSocket& client, const QByteArray&) { client.write(QByteArray::fromHex("E99EB6")); },
        false);
    window = openWindow(stopping.port());
    window->setTimer(timer = new HandTimer);
    click(*window, "cmdOK");
    const auto* exchange = window->findChild<TimeSync*>(QStringLiteral("Winsock1"));
    ASSERT_TRUE(waitUntil([&] { return exchange->receivedBytes() == 3; }));
    timer->advance(TimeSync::kDefaultTimeout);
    EXPECT_EQ(dismissMessage(*window),
              english("frmSyncro", "orarioincompleto").replace(QStringLiteral("%1"), sixty) +
                  QStringLiteral("\r\n127.0.0.1"));

    // A server that does not even take the connection is told apart.
    const UnansweredPort unanswered;
    window = openWindow(unanswered.port());
    window->setTimer(timer = new HandTimer);
    click(*window, "cmdOK");
    timer->advance(TimeSync::kDefaultTimeout);
    EXPECT_EQ(dismissMessage(*window),
              english("frmSyncro", "serverassente").replace(QStringLiteral("%1"), sixty) +
                  QStringLiteral("\r\n127.0.0.1"));
    EXPECT_TRUE(m_clock.sets.isEmpty());
}

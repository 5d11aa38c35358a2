// The download window driven like a user would: addresses from the options, a download from a
// local element-set server into the chosen file, server errors, a stalled transfer cancelled,
// and the flag that asks the main window to reload the primary database.

#include "NetworkWindowTest.h"

#include "common/gates.h"
#include "controls/ProgressBar/ProgressBar.h"
#include "database/frmDownload.h"
#include "services/MessageBoxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLocale>

#include <cerrno>

namespace {

const QByteArray kOldContent = "OLD ELEMENTS\r\n";
const QByteArray kElements =
    "ISS (ZARYA)\r\n"
    "1 25544U 98067A   24075.50000000  .00016717  00000-0  10270-3 0  9000\r\n"
    "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.49815223 41576\r\n";

QByteArray okReply(const QByteArray& body)
{
    return "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" +
           body;
}

class frmDownloadTest : public NetworkWindowTest
{
protected:
    void SetUp() override
    {
        NetworkWindowTest::SetUp();
        ASSERT_TRUE(QDir().mkpath(folderFile(QStringLiteral("elements"))));
        m_target = folderFile(QStringLiteral("elements/visual.txt"));
        writeTestFile(m_target, kOldContent);
        // Most tests do without the connection test: the machine running them may be offline.
        ASSERT_TRUE(
            mReg::Scrivi_registro(u"Quorvanel", u"Download", u"Verifica connessione", u"0").ok());
    }

    /// A window whose save dialog answers `target` and records the name it proposed.
    std::unique_ptr<frmDownload> openWindow(const QString& address, const QString& target)
    {
        auto window = std::make_unique<frmDownload>();
        window->setTargetChooser([this, target](QWidget*, const QString& proposed) {
            m_proposedNames.append(proposed);
            return target;
        });
        window->show();
        control<QComboBox>(*window, "cmbFileRemoto")->setEditText(address);
        return window;
    }

    /// Runs one download to its end: the completion text or a message.
    void download(frmDownload& window)
    {
        click(window, "cmdOK");
        EXPECT_TRUE(waitUntil([&] {
            return labelText(window, "lblStatus") == english("frmDownload", "downloadcompleto") ||
                   hasMessage(window);
        })) << "the download did not end";
    }

    QStringList elementFolder() const
    {
        return QDir(folderFile(QStringLiteral("elements"))).entryList(QDir::Files | QDir::Hidden);
    }

    QString m_target;
    QStringList m_proposedNames;
};

} // namespace

TEST_F(frmDownloadTest, OffersTheConfiguredAddressesAndStoresTheConnectionCheck)
{
    Impostazioni.Sorgenti_download.fill(std::string());
    Impostazioni.Sorgenti_download[0] = "host.example/NORAD/elements/visual.txt";
    Impostazioni.Sorgenti_download[3] = "   ";
    Impostazioni.Sorgenti_download[7] = " host.example/NORAD/elements/amateur.txt ";
    Impostazioni.Sorgenti_download[30] = "host.example/NORAD/elements/other.txt";

    frmDownload window;
    const auto* list = control<QComboBox>(window, "cmbFileRemoto");
    ASSERT_NE(list, nullptr);
    QStringList offered;
    for (int i = 0; i < list->count(); ++i)
        offered.append(list->itemText(i));
    EXPECT_EQ(offered, (QStringList{QStringLiteral("host.example/NORAD/elements/visual.txt"),
                                    QStringLiteral(" host.example/NORAD/elements/amateur.txt "),
                                    QStringLiteral("host.example/NORAD/elements/other.txt")}));
    EXPECT_EQ(list->currentIndex(), 0);

    auto* check = control<QCheckBox>(window, "chkConnessione");
    ASSERT_NE(check, nullptr);
    EXPECT_FALSE(check->isChecked()) << "stored \"0\"";
    check->click();
    EXPECT_EQ(mReg::Leggi_registro(u"Quorvanel", u"Download", u"Verifica connessione", u"?"),
              QStringLiteral("-1"));

    // Only "0" turns the check off; an unexpected stored text keeps the default.
    mReg::Scrivi_registro(u"Quorvanel", u"Download", u"Verifica connessione", u"yes");
    frmDownload again;
    EXPECT_TRUE(control<QCheckBox>(again, "chkConnessione")->isChecked());
}

TEST_F(frmDownloadTest, DownloadFillsTheChosenFileAndShowsCompletion)
{
    LocalServer server(
        [](QTcpSocket& client, const QByteArray&) { replyAndClose(client, okReply(kElements)); });
    const auto window =
        openWindow(server.url(QStringLiteral("/NORAD/elements/visual.txt")), m_target);

    download(*window);

    EXPECT_EQ(labelText(*window, "lblStatus"), english("frmDownload", "downloadcompleto"));
    EXPECT_EQ(readTestFile(m_target), kElements) << "the bytes as they came, nothing added";
    EXPECT_EQ(elementFolder(), QStringList{QStringLiteral("visual.txt")});
    EXPECT_EQ(m_proposedNames, QStringList{QStringLiteral("visual.txt")});
    const QString size = QString::number(kElements.size()) + QStringLiteral(" bytes");
    EXPECT_EQ(labelText(*window, "lblSize"), size);
    EXPECT_EQ(labelText(*window, "lblReceive"), size);
    EXPECT_EQ(control<ProgressBar>(*window, "ProgressBar1")->Value(), 100.0);
    EXPECT_TRUE(isEnabled(*window, "cmdOK")) << "ready for another download";
    EXPECT_TRUE(isEnabled(*window, "cmbFileRemoto"));
    EXPECT_EQ(caption(*window, "cmdCancel"), english("Buttons", "close"));
    EXPECT_FALSE(pflgSostituzione) << "the target is not the primary database's file";

    // Dropping the list down makes the window ready for the next download.
    auto* list = control<QComboBox>(*window, "cmbFileRemoto");
    list->showPopup();
    list->hidePopup();
    EXPECT_TRUE(isEnabled(*window, "cmdOK"));
    EXPECT_EQ(caption(*window, "cmdCancel"), english("Buttons", "cancel"));
    EXPECT_EQ(labelText(*window, "lblStatus"), QString());
}

TEST_F(frmDownloadTest, FailedDownloadsAreToldInTheLanguageFilesWordsAndChangeNoFile)
{
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        closedPort = probe.serverPort();
    }
    QByteArray binary(600, '\0');
    for (int b = 0; b < binary.size(); ++b)
        binary[b] = static_cast<char>(b * 7);
    struct Case
    {
        QByteArray reply; ///< empty: nothing listens
        QString message;  ///< the message, after the failure line and the address
    };
    const Case cases[] = {
        {"HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nNot here.",
         english("frmDownload", "rispostaserver") + QStringLiteral(" 404 Not Found")},
        {QByteArray(), english("frmDownload", "connessionerifiutata")},
        {"HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" + kElements,
         english("frmDownload", "rispostaincompleta")},
        {"220 ftp ready\r\n\r\n", english("frmDownload", "rispostanonvalida")},
        // Replies with a success status that are no element file.
        {okReply("<html><body><h1>Service unavailable</h1>\r\n<p>Try later.</p></body></html>"),
         english("frmDownload", "nonelementi")},
        {okReply(binary), english("frmDownload", "nonelementi")},
        // A header that does not end within its cap is told as such.
        {"HTTP/1.1 200 OK\r\n" +
             QByteArray(70 * 1024 / 20, 'x').replace("x", "X-Filler: 1234567\r\n"),
         english("frmDownload", "intestazionetroppolunga").replace(QStringLiteral("%1"), QStringLiteral("64"))},
        {okReply(kElements.left(kElements.size() - 40)), english("frmDownload", "nonelementi")},
        {okReply(kElements + QByteArray(70 * 1024, 'x')),
         english("frmDownload", "rigatroppolunga")
             .replace(QStringLiteral("%1"), QStringLiteral("4"))
             .replace(QStringLiteral("%2"), QStringLiteral("64"))},
        {okReply(kElements + QByteArray(17 * 1024 * 1024, '\n')),
         english("frmDownload", "nonuovielementi").replace(QStringLiteral("%1"), QStringLiteral("16"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        LocalServer server(
            [&c](QTcpSocket& client, const QByteArray&) { replyAndClose(client, c.reply); });
        const QString address =
            c.reply.isEmpty() ? QStringLiteral("http://127.0.0.1:%1/visual.txt").arg(closedPort)
                              : server.url(QStringLiteral("/visual.txt"));
        const auto window = openWindow(address, m_target);

        download(*window);

        QMessageBox* box = waitForMessage(*window);
        ASSERT_NE(box, nullptr);
        EXPECT_GE(box->width(), titleBarWidth(box->windowTitle())) << "the title is cut";
        const QString text = dismissMessage(*window);
        EXPECT_TRUE(text.endsWith(c.message)) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("Error #"))) << text.toStdString();
        if (c.reply.startsWith("HTTP/1.1 404") || c.reply.isEmpty()) {
            EXPECT_EQ(text, english("frmDownload", "downloadnonriuscito") + QStringLiteral("\r\n") +
                                address + QStringLiteral("\r\n") + c.message);
        }
        EXPECT_EQ(readTestFile(m_target), kOldContent);
        EXPECT_EQ(elementFolder(), QStringList{QStringLiteral("visual.txt")});
        EXPECT_TRUE(isEnabled(*window, "cmdOK"));
        EXPECT_TRUE(isEnabled(*window, "cmbFileRemoto"));
        EXPECT_EQ(labelText(*window, "lblStatus"), QString());
    }
}

TEST_F(frmDownloadTest, DamagedSetAfterGoodOnesIsToldWithItsLine)
{
    // 3000 good sets, pieces of which straddle every read, then a set whose epoch year is no
    // number: the file is kept and the message names the damaged set's line.
    QByteArray body;
    for (int k = 0; k < 3000; ++k)
        body += kElements;
    body += "BROKEN\r\n1 25544U 98067A   xx075.50000000  .00016717  00000-0  10270-3 0  9000\r\n"
            "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.49815223 41576\r\n";
    LocalServer server(
        [&body](QTcpSocket& client, const QByteArray&) { replyAndClose(client, okReply(body)); });
    const auto window = openWindow(server.url(QStringLiteral("/visual.txt")), m_target);

    download(*window);

    EXPECT_EQ(dismissMessage(*window), english("frmDownload", "setmalformato")
                                           .replace(QStringLiteral("%1"), QStringLiteral("9002")));
    EXPECT_EQ(readTestFile(m_target), kOldContent);
    EXPECT_EQ(elementFolder(), QStringList{QStringLiteral("visual.txt")});
}

TEST_F(frmDownloadTest, TimeLeftIsUnknownWhileTheSpeedRoundsToZero)
{
    // One byte of a million, then nothing: a speed of 0.00 KB/s allows no estimate.
    LocalServer server([](QTcpSocket& client, const QByteArray&) {
        client.write("HTTP/1.1 200 OK\r\nContent-Length: 1000000\r\n\r\nx");
    });
    const auto window = openWindow(server.url(QStringLiteral("/visual.txt")), m_target);
    click(*window, "cmdOK");
    ASSERT_TRUE(waitUntil([&] { return labelText(*window, "lblReceive") == "1 bytes"; }));

    EXPECT_TRUE(waitUntil(
        [&] { return labelText(*window, "lblRemaining") == english("frmDownload", "tempoignoto"); },
        5000))
        << labelText(*window, "lblRemaining").toStdString();
    EXPECT_EQ(labelText(*window, "lblSpeed"), QStringLiteral("0 KB"));
    window->close();
    EXPECT_EQ(readTestFile(m_target), kOldContent);
}

TEST_F(frmDownloadTest, AnyReplyIsSavedAsItCameIntoAFileThatIsNoElementFile)
{
    const QByteArray page = "<html><body>Not elements</body></html>";
    LocalServer server(
        [&page](QTcpSocket& client, const QByteArray&) { replyAndClose(client, okReply(page)); });
    const QString notes = folderFile(QStringLiteral("elements/page.html"));
    const auto window = openWindow(server.url(QStringLiteral("/page.html")), notes);

    download(*window);

    EXPECT_FALSE(hasMessage(*window));
    EXPECT_EQ(readTestFile(notes), page);
}

TEST_F(frmDownloadTest, ReloadOfThePrimaryDatabaseIsAskedWhenTheDownloadCompletes)
{
    Impostazioni.File_database = m_target.toStdString();
    struct Case
    {
        bool databaseLoaded;
        QMessageBox::StandardButton answer;
        int reloads;
    };
    for (const Case& c : {Case{true, QMessageBox::Yes, 1}, Case{true, QMessageBox::No, 0},
                          Case{false, QMessageBox::NoButton, 0}}) {
        SCOPED_TRACE(c.answer);
        pflgSostituzione = false;
        LocalServer server([](QTcpSocket& client, const QByteArray&) {
            replyAndClose(client, okReply(kElements));
        });
        const auto window = openWindow(server.url(QStringLiteral("/visual.txt")), m_target);
        int reloads = 0;
        window->setPrimaryReload({[&c] { return c.databaseLoaded; }, [&reloads] { ++reloads; }});

        download(*window);

        ASSERT_TRUE(window->isVisible()) << "asked while the download window is open";
        if (c.databaseLoaded) {
            QMessageBox* box = waitForMessage(*window);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), english("frmDownload", "aggiornasatelliti1") + u'\n' +
                                       english("frmDownload", "aggiornasatelliti2"));
            box->button(c.answer)->click();
            EXPECT_TRUE(waitUntil([&] { return !hasMessage(*window); }));
        } else {
            QCoreApplication::processEvents();
            EXPECT_FALSE(hasMessage(*window)) << "no database in memory, nothing to reload";
        }
        EXPECT_EQ(reloads, c.reloads);
        EXPECT_FALSE(pflgSostituzione) << "asked once, never again when the window closes";
        EXPECT_EQ(readTestFile(m_target), kElements);
    }
}

TEST_F(frmDownloadTest, OnlyACompletedDownloadOntoThePrimaryDatabaseAsksForAReload)
{
    const QString other = folderFile(QStringLiteral("elements/amateur.txt"));
    struct Case
    {
        const char* name;
        QString target;
        QByteArray reply;
        bool replaced;
    };
    const Case cases[] = {
        {"primary replaced", m_target, okReply(kElements), true},
        {"primary by another spelling",
         folderFile(QStringLiteral("elements/../elements/visual.txt")), okReply(kElements), true},
        {"another file", other, okReply(kElements), false},
        {"primary, cut short", m_target,
         "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" + kElements, false},
    };
    Impostazioni.File_database = m_target.toStdString();
    for (const Case& c : cases) {
        pflgSostituzione = false;
        LocalServer server(
            [&c](QTcpSocket& client, const QByteArray&) { replyAndClose(client, c.reply); });
        const auto window = openWindow(server.url(QStringLiteral("/visual.txt")), c.target);

        download(*window);
        if (hasMessage(*window))
            dismissMessage(*window);

        EXPECT_EQ(pflgSostituzione, c.replaced) << c.name;
    }
}

TEST_F(frmDownloadTest, CancelStopsAStalledTransferAndDeletesNothing)
{
    // The server announces 1000 bytes, sends 100 and then neither sends nor closes.
    LocalServer server([](QTcpSocket& client, const QByteArray&) {
        client.write("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" + QByteArray(100, 'x'));
    });
    Impostazioni.File_database = m_target.toStdString();
    const QString address = server.url(QStringLiteral("/NORAD/elements/visual.txt"));
    const auto window = openWindow(address, m_target);

    click(*window, "cmdOK");
    ASSERT_TRUE(waitUntil([&] { return labelText(*window, "lblReceive") == "100 bytes"; }));
    EXPECT_EQ(labelText(*window, "lblSize"), QStringLiteral("1000 bytes"));
    EXPECT_EQ(labelText(*window, "lblStatus"), english("frmDownload", "ricezioneincorso"));
    EXPECT_DOUBLE_EQ(control<ProgressBar>(*window, "ProgressBar1")->Value(), 10.0);
    EXPECT_FALSE(isEnabled(*window, "cmdOK"));
    EXPECT_FALSE(isEnabled(*window, "cmbFileRemoto"));
    // The once-a-second display estimates the speed while the transfer hangs.
    EXPECT_TRUE(waitUntil([&] { return labelText(*window, "lblSpeed").endsWith(" KB"); }, 3000));

    click(*window, "cmdCancel");

    EXPECT_EQ(dismissMessage(*window),
              english("frmDownload", "downloadinterrotto") + QStringLiteral("\r\n") + address);
    EXPECT_TRUE(isEnabled(*window, "cmdOK"));
    EXPECT_TRUE(isEnabled(*window, "cmbFileRemoto"));
    EXPECT_TRUE(waitUntil([&] { return !window->isVisible(); })) << "the window stays open";
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_TRUE(waitUntil([&] { return server.disconnections == 1; }));
    EXPECT_EQ(readTestFile(m_target), kOldContent);
    EXPECT_EQ(elementFolder(), QStringList{QStringLiteral("visual.txt")});
    EXPECT_FALSE(pflgSostituzione);
}

TEST_F(frmDownloadTest, ClosingTheWindowDropsTheConnectionAndKeepsTheFile)
{
    LocalServer server([](QTcpSocket& client, const QByteArray&) {
        client.write("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" + QByteArray(10, 'x'));
    });
    const auto window = openWindow(server.url(QStringLiteral("/visual.txt")), m_target);
    click(*window, "cmdOK");
    ASSERT_TRUE(waitUntil([&] { return labelText(*window, "lblReceive") == "10 bytes"; }));

    window->close();

    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(hasMessage(*window));
    EXPECT_TRUE(waitUntil([&] { return server.disconnections == 1; }));
    EXPECT_EQ(readTestFile(m_target), kOldContent);
    EXPECT_EQ(elementFolder(), QStringList{QStringLiteral("visual.txt")});
}

TEST_F(frmDownloadTest, NothingStartsWithoutConnectionAddressOrTarget)
{
    LocalServer server(
        [](QTcpSocket& client, const QByteArray&) { replyAndClose(client, okReply(kElements)); });

    // The check is on and the computer is offline: no dialog, no connection; OK stays
    // enabled for another attempt.
    mReg::Scrivi_registro(u"Quorvanel", u"Download", u"Verifica connessione", u"-1");
    auto window = openWindow(server.url(QStringLiteral("/visual.txt")), m_target);
    window->setConnectionCheck([] { return false; });
    click(*window, "cmdOK");
    EXPECT_EQ(labelText(*window, "lblStatus"), english("frmDownload", "noconnessione"));
    EXPECT_TRUE(isEnabled(*window, "cmdOK"));

    // An address that cannot be fetched is told before the save dialog.
    window = openWindow(QStringLiteral("ftp://127.0.0.1/visual.txt"), m_target);
    window->setConnectionCheck([] { return true; });
    click(*window, "cmdOK");
    EXPECT_TRUE(dismissMessage(*window).startsWith(english("frmDownload", "indirizzononvalido")));

    // Blank address, then a save dialog cancelled: nothing happens.
    window = openWindow(QStringLiteral("   "), m_target);
    click(*window, "cmdOK");
    window = openWindow(server.url(QStringLiteral("/visual.txt")), QString());
    window->setConnectionCheck([] { return true; }); // the check is still on: never the real one
    click(*window, "cmdOK");
    EXPECT_TRUE(isEnabled(*window, "cmdOK"));
    EXPECT_FALSE(hasMessage(*window));

    QCoreApplication::processEvents();
    EXPECT_EQ(m_proposedNames, QStringList{QStringLiteral("visual.txt")});
    EXPECT_EQ(server.connections, 0);
    EXPECT_EQ(readTestFile(m_target), kOldContent);
}

TEST_F(frmDownloadTest, DamagedDownloadsAreSavedWithAWarningOrRefusedWhenCut)
{
    const QByteArray wrongChecksum =
        "ISS (ZARYA)\r\n"
        "1 25544U 98067A   24075.50000000  .00016717  00000-0  10270-3 0  9001\r\n"
        "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.49815223 41576\r\n";
    const QByteArray cutLine1 = kElements.left(13 + 30) + "\r\n" + kElements.sliced(13 + 71);
    struct Case
    {
        const char* name;
        QByteArray body;
        bool saved;
    };
    const Case cases[] = {
        {"a wrong checksum", kElements + wrongChecksum + kElements, true},
        {"a line 1 cut to 30 characters", kElements + cutLine1 + kElements, true},
        {"closed inside its last line", kElements + kElements + kElements.chopped(30), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeTestFile(m_target, kOldContent);
        // No length: the server's close ends the body.
        LocalServer server([&c](QTcpSocket& client, const QByteArray&) {
            replyAndClose(client, "HTTP/1.0 200 OK\r\n\r\n" + c.body);
        });
        const auto window = openWindow(server.url(QStringLiteral("/visual.txt")), m_target);

        download(*window);

        const QString text = dismissMessage(*window);
        if (c.saved) {
            EXPECT_EQ(labelText(*window, "lblStatus"), english("frmDownload", "downloadcompleto"));
            EXPECT_EQ(text, english("frmDownload", "setdanneggiati")
                                .replace(QStringLiteral("%1"), QStringLiteral("1"))
                                .replace(QStringLiteral("%2"), QStringLiteral("3"))
                                .replace(QStringLiteral("%3"), QStringLiteral("5")));
            EXPECT_EQ(readTestFile(m_target), c.body);
        } else {
            EXPECT_EQ(text, english("frmDownload", "rispostaincompleta"));
            EXPECT_EQ(readTestFile(m_target), kOldContent);
        }
        EXPECT_EQ(elementFolder(), QStringList{QStringLiteral("visual.txt")});
    }
}

TEST_F(frmDownloadTest, SilentServerIsGivenUpWhileTheWindowTellsTheTruth)
{
    // A download completes; then a server accepts the request and sends nothing.
    LocalServer server(
        [](QTcpSocket& client, const QByteArray&) { replyAndClose(client, okReply(kElements)); });
    LocalServer silent([](QTcpSocket&, const QByteArray&) {});
    const auto window = openWindow(server.url(QStringLiteral("/visual.txt")), m_target);
    auto* timer = new HandTimer; // the stall timeouts run on the test's clock
    window->setStallTimer(timer);
    download(*window);
    ASSERT_EQ(caption(*window, "cmdCancel"), english("Buttons", "close"));
    const QString address = silent.url(QStringLiteral("/visual.txt"));
    control<QComboBox>(*window, "cmbFileRemoto")->setEditText(address);

    click(*window, "cmdOK");
    EXPECT_EQ(caption(*window, "cmdCancel"), english("Buttons", "cancel"))
        << "the button stops the download under way";

    EXPECT_TRUE(waitUntil([&] {
        return labelText(*window, "lblStatus") == english("frmDownload", "richiestainoltrata");
    })) << labelText(*window, "lblStatus").toStdString();
    EXPECT_TRUE(waitUntil([&] { return labelText(*window, "lblElapsed") != "00:00:00"; }, 5000))
        << "the elapsed time runs while the server is waited for";
    EXPECT_EQ(labelText(*window, "lblStatus"), english("frmDownload", "richiestainoltrata"));
    timer->advance(HttpDownload::kDefaultStallTimeout);
    EXPECT_EQ(dismissMessage(*window),
              english("frmDownload", "downloadnonriuscito") + QStringLiteral("\r\n") + address +
                  QStringLiteral("\r\n") +
                  english("frmDownload", "ricezioneferma")
                      .replace(QStringLiteral("%1"), QLocale().toString(60)));
    EXPECT_TRUE(isEnabled(*window, "cmdOK"));
    EXPECT_TRUE(waitUntil([&] { return silent.disconnections == 1; }));
    EXPECT_EQ(readTestFile(m_target), kElements) << "the completed download's file";
}

TEST_F(frmDownloadTest, FullDiskSaysTheExistingFileWasKeptWhenThereWasOne)
{
    LocalServer server(
        [](QTcpSocket& client, const QByteArray&) { replyAndClose(client, okReply(kElements)); });
    const QString firstDownload = folderFile(QStringLiteral("elements/amateur.txt"));
    const QString failed = english("frmDownload", "scritturanonriuscita") + QStringLiteral("\r\n") +
                           qt_error_string(ENOSPC);
    for (const QString& target : {m_target, firstDownload}) {
        const auto window = openWindow(server.url(QStringLiteral("/visual.txt")), target);
        window->setTargetFileFactory(
            [](const QString& path) { return std::make_unique<FullDiskFile>(path, 100); });

        download(*window);

        EXPECT_EQ(dismissMessage(*window),
                  target == m_target
                      ? failed + QStringLiteral("\r\n") + english("frmDownload", "filemantenuto")
                      : failed);
    }
    EXPECT_EQ(readTestFile(m_target), kOldContent);
    EXPECT_EQ(elementFolder(), QStringList{QStringLiteral("visual.txt")});
}

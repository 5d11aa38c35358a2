// Time zone, download file name, durations, translucency, help and installation pictures.

#include "services/Help.h"
#include "services/PictureLoader.h"
#include "services/mGlobal.h"
#include "services/mLang.h"
#include "support/TestFiles.h"

#include "common/options.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QDateTime utc(int year, int month, int day)
{
    return QDateTime(QDate(year, month, day), QTime(12, 0), QTimeZone::utc());
}

TEST(Leggi_fuso_orario, GivesTheBiasAndDaylightStateOfTheZone)
{
    const struct
    {
        const char* zone;
        QDateTime at;
        float bias; // [minutes], UTC = local + bias
        bool daylight;
    } cases[] = {
        {"Europe/Rome", utc(2024, 1, 15), -60.0F, false},
        {"Europe/Rome", utc(2024, 7, 15), -120.0F, true},
        {"America/New_York", utc(2024, 1, 15), 300.0F, false},
        {"America/New_York", utc(2024, 7, 15), 240.0F, true},
        {"Australia/Sydney", utc(2024, 1, 15), -660.0F, true}, // southern summer
        // Zones without daylight saving are answers too, not failures.
        {"Asia/Tokyo", utc(2024, 7, 15), -540.0F, false},
        {"Asia/Kolkata", utc(2024, 1, 15), -330.0F, false},
        {"UTC", utc(2024, 7, 15), 0.0F, false},
    };
    for (const auto& c : cases) {
        const QTimeZone zone(c.zone);
        if (!zone.isValid()) {
            ADD_FAILURE() << "time-zone data lacks " << c.zone;
            continue;
        }
        float bias = 12345.0F;
        bool daylight = !c.daylight;
        EXPECT_TRUE(mGlobal::Leggi_fuso_orario(zone, c.at, bias, daylight)) << c.zone;
        EXPECT_EQ(bias, c.bias) << c.zone;
        EXPECT_EQ(daylight, c.daylight) << c.zone;
    }
}

TEST(Leggi_fuso_orario, FailsOnlyWithoutATimeZone)
{
    float bias = 60.0F;
    bool daylight = true;
    EXPECT_FALSE(mGlobal::Leggi_fuso_orario(QTimeZone(), utc(2024, 1, 15), bias, daylight));
    EXPECT_EQ(bias, 0.0F);
    EXPECT_TRUE(daylight) << "left as it was";
}

TEST(Nome_file_remoto, TakesThePartAfterTheLastSlash)
{
    EXPECT_EQ(mGlobal::Nome_file_remoto(QStringLiteral("/NORAD/elements/visual.txt")),
              QStringLiteral("visual.txt"));
    EXPECT_EQ(mGlobal::Nome_file_remoto(QStringLiteral("visual.txt")), QStringLiteral("visual.txt"));
    EXPECT_EQ(mGlobal::Nome_file_remoto(QStringLiteral("/NORAD/elements/")), QString());
    EXPECT_EQ(mGlobal::Nome_file_remoto(QString()), QString());
}

TEST(Connessione_attiva, NeedsADefaultRouteThatIsUpAndLeadsOut)
{
    const QByteArray ipv4Header = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\t"
                                  "Mask\t\tMTU\tWindow\tIRTT\n";
    const QByteArray ipv4Local = "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n";
    const QByteArray ipv4Default = "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n";
    const QByteArray ipv4DefaultDown = "eth0\t00000000\t010200C0\t0002\t0\t0\t0\t00000000\t0\t0\t0\n";
    const QByteArray zeros(32, '0');
    const QByteArray ipv6Local = "fd000000000000000000000000000000 40 " + zeros + " 00 " + zeros +
                                 " 00000100 00000001 00000000 00000001     eth0\n";
    const QByteArray ipv6Default = zeros + " 00 " + zeros + " 00 fd000000000000000000000000000001" +
                                   " 00000400 00000002 00000000 00000003     eth0\n";
    // The kernel's unreachable default: a reject route on the loopback interface.
    const QByteArray ipv6Unreachable = zeros + " 00 " + zeros + " 00 " + zeros +
                                       " ffffffff 00000001 00000000 00200200       lo\n";
    struct Case
    {
        const char* name;
        QByteArray ipv4;
        QByteArray ipv6;
        bool route;
    };
    const Case cases[] = {
        {"IPv4 default via a gateway", ipv4Header + ipv4Local + ipv4Default, ipv6Local, true},
        {"IPv6 default only", ipv4Header + ipv4Local, ipv6Local + ipv6Default, true},
        {"local networks only", ipv4Header + ipv4Local, ipv6Local + ipv6Unreachable, false},
        {"default route down", ipv4Header + ipv4DefaultDown, QByteArray(), false},
        {"no tables", QByteArray(), QByteArray(), false},
        {"header only, CR LF", "Iface\tDestination\r\n", "garbage\r\n", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(mGlobal::hasDefaultRoute(c.ipv4, c.ipv6), c.route) << c.name;
}

TEST(Formatta_tempo, ShowsHoursMinutesAndSecondsWithCarry)
{
    const struct
    {
        double seconds;
        const char* expected;
    } cases[] = {
        {0, "00:00:00"},      {59, "00:00:59"},          {61, "00:01:01"},
        {3600, "01:00:00"},   {59.4, "00:00:59"},        {59.6, "00:01:00"},
        {3599.5, "01:00:00"}, {86400 + 3661, "25:01:01"}, {360000, "100:00:00"},
        {-5, "00:00:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mGlobal::Formatta_tempo(c.seconds), QString::fromLatin1(c.expected))
            << c.seconds << " s";
}

TEST(Imposta_trasparenza, AlphaOutOfRangeLeavesTheWindowAlone)
{
    QWidget bar;
    EXPECT_EQ(mGlobal::Imposta_trasparenza(&bar, 256), mGlobal::kAlphaOutOfRange);
    EXPECT_EQ(mGlobal::Imposta_trasparenza(&bar, -1), mGlobal::kAlphaOutOfRange);
    EXPECT_EQ(bar.windowOpacity(), 1.0);
}

TEST(Imposta_trasparenza, PlatformWithoutWindowBlendingReportsItUnavailable)
{
    if (QGuiApplication::platformName() != u"offscreen")
        GTEST_SKIP() << "needs the offscreen platform";
    QWidget bar;
    EXPECT_FALSE(mGlobal::platformHasTranslucentWindows());
    EXPECT_EQ(mGlobal::Imposta_trasparenza(&bar, 128), mGlobal::kTranslucencyUnavailable);
    EXPECT_EQ(bar.windowOpacity(), 1.0);
    EXPECT_EQ(mGlobal::Imposta_trasparenza(nullptr, 128), mGlobal::kTranslucencyUnavailable);
}

TEST(Imposta_trasparenza, OnWaylandTheWindowDrawsItsBackgroundTranslucent)
{
    using mGlobal::WindowBlending;
    // Qt's Wayland platform cannot set a window's opacity (it only warns).
    for (const char* platform : {"wayland", "wayland-egl"})
        EXPECT_EQ(mGlobal::windowBlending(QString::fromLatin1(platform)),
                  WindowBlending::DrawnBackground)
            << platform;
    EXPECT_EQ(mGlobal::windowBlending(QStringLiteral("windows")), WindowBlending::WindowOpacity);
    EXPECT_EQ(mGlobal::windowBlending(QStringLiteral("offscreen")), WindowBlending::None);

    QWidget bar;
    bar.resize(40, 30);
    for (const int alpha : {128, 200}) { // the second: the scroll bar moved
        EXPECT_EQ(mGlobal::Imposta_trasparenza(&bar, alpha, WindowBlending::DrawnBackground),
                  mGlobal::kTranslucencySet);
        EXPECT_NEAR(bar.grab().toImage().pixelColor(20, 15).alpha(), alpha, 2);
    }
    EXPECT_EQ(bar.windowOpacity(), 1.0);
}

/// Catches the addresses the desktop would open.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

TEST(Help, OpensThePageOfTheContextInTheHelpFile)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("quorvanel.html"));
    QFile help(file);
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.write("<html></html>");
    help.close();

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    EXPECT_TRUE(showHelp(nullptr, file, HelpCommand::Context, 70, QStringLiteral("no help")));
    EXPECT_TRUE(showHelp(nullptr, file, HelpCommand::Contents, 0, QStringLiteral("no help")));
    EXPECT_TRUE(showHelp(nullptr, file, HelpCommand::Index, 0, QStringLiteral("no help")));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));

    ASSERT_EQ(catcher.opened.size(), 3);
    EXPECT_EQ(catcher.opened[0].toLocalFile(), file);
    EXPECT_EQ(catcher.opened[0].fragment(), QStringLiteral("context-70"));
    EXPECT_FALSE(catcher.opened[1].hasFragment());
    EXPECT_EQ(catcher.opened[2].fragment(), QStringLiteral("index"));
}

TEST(Help, MissingHelpFileIsReportedWithTheGivenText)
{
    QTemporaryDir folder;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    EXPECT_FALSE(showHelp(nullptr, folder.filePath(QStringLiteral("missing.html")),
                          HelpCommand::Contents, 0, QStringLiteral("Help file not found.")));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(shown, QStringLiteral("Help file not found."));
    EXPECT_TRUE(catcher.opened.isEmpty());
}

class HelpWithoutBrowser : public ProgramStateTest
{
protected:
    void SetUp() override
    {
        ProgramStateTest::SetUp();
        writeTestFile(folderFile(QStringLiteral("English.ini")),
                      readTestFile(QStringLiteral(QUORVANEL_DATA_DIR "/English.ini")));
        Impostazioni.File_lingua = "English.ini";
        mLang::Lingua_caricata = false;
        setHelpViewer([](const QUrl&) { return false; }); // no program takes the page
    }
    void TearDown() override
    {
        setHelpViewer({});
        ProgramStateTest::TearDown();
    }
};

TEST_F(HelpWithoutBrowser, SaysNoProgramShowsThePageAndNamesItsFile)
{
    const QString file = folderFile(QStringLiteral("quorvanel.html"));
    writeTestFile(file, "<html></html>");
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    EXPECT_FALSE(showHelp(nullptr, file, HelpCommand::Context, 30,
                          QStringLiteral("The help file could not be found.")));
    EXPECT_EQ(shown, QStringLiteral("No program to show the help page was found. The help page "
                                    "is the file\n") +
                         QDir::toNativeSeparators(file));
}

TEST(LoadPicture, ReadsThePictureFormatFromTheContentNotTheName)
{
    QTemporaryDir folder;
    QImage map(8, 4, QImage::Format_RGB32);
    map.fill(QColor(10, 20, 30));
    map.setPixelColor(7, 3, QColor(0, 255, 0));
    const QString mapFile = folder.filePath(QStringLiteral("MapEarth.dat"));
    ASSERT_TRUE(map.save(mapFile, "PNG"));

    QString error;
    const QImage loaded = loadPicture(mapFile, &error);
    ASSERT_FALSE(loaded.isNull()) << error.toStdString();
    EXPECT_EQ(loaded.size(), QSize(8, 4));
    EXPECT_EQ(loaded.pixelColor(7, 3), QColor(0, 255, 0));
    EXPECT_EQ(loaded.pixelColor(0, 0), QColor(10, 20, 30));

    const QString textFile = folder.filePath(QStringLiteral("landscape.dat"));
    QFile text(textFile);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture\r\n");
    text.close();
    EXPECT_TRUE(loadPicture(textFile, &error).isNull());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(loadPicture(folder.filePath(QStringLiteral("Map0.dat"))).isNull());
}

TEST(LoadPicture, PictureCutShortIsRefusedLikeOneThatCannotBeDecoded)
{
    QTemporaryDir folder;
    for (const char* name : {"Map0.dat", "landscape.dat"}) {
        SCOPED_TRACE(name);
        QFile installed(QStringLiteral(QUORVANEL_DATA_DIR "/") + QString::fromLatin1(name));
        ASSERT_TRUE(installed.open(QIODevice::ReadOnly));
        const QByteArray whole = installed.readAll();
        QString error;
        EXPECT_FALSE(decodePicture(whole, &error).isNull()) << error.toStdString();
        // Whatever follows the end of the picture does not matter.
        EXPECT_FALSE(decodePicture(whole + QByteArray(100, '\0')).isNull());

        const QString cutFile = folder.filePath(QString::fromLatin1(name));
        QFile cut(cutFile);
        ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
        cut.write(whole.left(whole.size() * 2 / 3));
        cut.close();
        error.clear();
        EXPECT_TRUE(loadPicture(cutFile, &error).isNull());
        EXPECT_FALSE(error.isEmpty());
        for (const qsizetype size : {qsizetype{20}, whole.size() - 2})
            EXPECT_FALSE(pictureComplete(whole.first(size))) << size;
    }

    // A PNG part that claims far more bytes than the file holds (here its first chunk, 2 GB).
    QFile png(QStringLiteral(QUORVANEL_DATA_DIR "/landscape.dat"));
    ASSERT_TRUE(png.open(QIODevice::ReadOnly));
    QByteArray claiming = png.readAll();
    claiming.replace(8, 4, QByteArray("\x7f\xff\xff\xf0", 4));
    QString error;
    EXPECT_TRUE(decodePicture(claiming, &error).isNull());
    EXPECT_FALSE(error.isEmpty());
}

} // namespace

#include "SystemServicesTest.moc"

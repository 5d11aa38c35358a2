// The help file: the file the language file names is part of the installation, every help
// context the windows open has its section in it, its links lead somewhere, and each window's
// Help button opens that file at its own section.

#include "MainWindowTestSupport.h"

#include "app/WindowCatalogue.h"
#include "controls/GraphButton/GraphButton.h"
#include "dialogs/frmAddLocation.h"
#include "mainwindow/MDIForm1.h"
#include "services/WindowNames.h"
#include "services/WindowRegistry.h"
#include "skycharts/frmObject.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDirIterator>
#include <QEvent>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QUrl>

#include <functional>
#include <memory>

namespace {

QString helpFileName()
{
    const QSettings language(QStringLiteral(QUORVANEL_DATA_DIR "/English.ini"),
                             QSettings::IniFormat);
    return language.value(QStringLiteral("Help/file")).toString();
}

QString helpFileText()
{
    return QString::fromUtf8(
        readTestFile(QStringLiteral(QUORVANEL_DATA_DIR "/") + helpFileName()));
}

QSet<QString> anchors(const QString& html)
{
    QSet<QString> ids;
    static const QRegularExpression id(QStringLiteral("\\bid=\"([^\"]+)\""));
    for (const QRegularExpressionMatch& match : id.globalMatch(html))
        ids.insert(match.captured(1));
    return ids;
}

/// The help context numbers the program's windows open, read from their sources: the named
/// constants and the numbers given to the help call directly.
QSet<int> helpContextsInCode()
{
    static const QRegularExpression named(
        QStringLiteral("constexpr\\s+int\\s+kHelpContext\\w*\\s*=\\s*(\\d+)\\s*;"));
    static const QRegularExpression direct(
        QStringLiteral("(?:showContextHelp\\s*\\(\\s*\\w+\\s*,|HelpCommand::Context\\s*,)\\s*(\\d+)"));
    QSet<int> contexts;
    QDirIterator files(QStringLiteral(QUORVANEL_SOURCE_DIR "/src"), {QStringLiteral("*.cpp")},
                       QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = QString::fromUtf8(readTestFile(files.next()));
        for (const QRegularExpression* pattern : {&named, &direct}) {
            for (const QRegularExpressionMatch& match : pattern->globalMatch(source))
                contexts.insert(match.captured(1).toInt());
        }
    }
    return contexts;
}

TEST(HelpFile, HasASectionForEveryHelpContextOfTheWindows)
{
    ASSERT_FALSE(helpFileName().isEmpty());
    // Every file of the data folder is copied beside the program by the build.
    ASSERT_TRUE(QFileInfo(QStringLiteral(QUORVANEL_DATA_DIR "/") + helpFileName()).isFile());
    const QSet<QString> ids = anchors(helpFileText());
    EXPECT_TRUE(ids.contains(QStringLiteral("index"))) << "Help > Search opens the index";
    const QSet<int> contexts = helpContextsInCode();
    // The windows of the location, time, database and network parts at least.
    for (int known : {30, 40, 50, 70, 80, 205, 220})
        EXPECT_TRUE(contexts.contains(known)) << "context " << known << " not found in the code";
    for (int context : contexts)
        EXPECT_TRUE(ids.contains(QStringLiteral("context-%1").arg(context)))
            << "no section for help context " << context;
}

TEST(HelpFile, EveryLinkLeadsToASection)
{
    const QString html = helpFileText();
    const QSet<QString> ids = anchors(html);
    static const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
    int links = 0;
    for (const QRegularExpressionMatch& match : link.globalMatch(html)) {
        ++links;
        EXPECT_TRUE(ids.contains(match.captured(1))) << "broken link #" << match.captured(1).toStdString();
    }
    EXPECT_GT(links, 20);
}

TEST(HelpFile, SectionsAreUniqueAndAllInTheContents)
{
    const QString html = helpFileText();
    // A second section of the same id is never reached: every link leads to the first.
    QSet<QString> seen;
    static const QRegularExpression id(QStringLiteral("\\bid=\"([^\"]+)\""));
    for (const QRegularExpressionMatch& match : id.globalMatch(html)) {
        EXPECT_FALSE(seen.contains(match.captured(1))) << "id twice: " << match.captured(1).toStdString();
        seen.insert(match.captured(1));
    }
    const qsizetype navStart = html.indexOf(QStringLiteral("<nav>"));
    const qsizetype navEnd = html.indexOf(QStringLiteral("</nav>"));
    ASSERT_TRUE(navStart >= 0 && navEnd > navStart);
    const QString contents = html.mid(navStart, navEnd - navStart);
    static const QRegularExpression section(QStringLiteral("<h2 id=\"([^\"]+)\""));
    int sections = 0;
    for (const QRegularExpressionMatch& match : section.globalMatch(html)) {
        ++sections;
        EXPECT_TRUE(contents.contains(QStringLiteral("href=\"#%1\"").arg(match.captured(1))))
            << "section not in the contents: " << match.captured(1).toStdString();
    }
    EXPECT_GT(sections, 20);
}

/// Takes the addresses the program asks the desktop to open, instead of a browser.
class OpenedAddresses : public QObject
{
    Q_OBJECT

public:
    OpenedAddresses() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~OpenedAddresses() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls.append(url); }
};

struct HelpButtonCase
{
    const char* name;
    int context;
    /// Makes the window, or returns null when the registry owns it (by name in `window`).
    std::function<QWidget*()> make;
    QString window;
};

class HelpButtons : public MainWindowTest, public ::testing::WithParamInterface<HelpButtonCase>
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        defineWindows(mainWindow());
        ASSERT_TRUE(QFile::copy(QStringLiteral(QUORVANEL_DATA_DIR "/") + helpFileName(),
                                folderFile(helpFileName())));
        mainWindow().Lingua();
    }

    void TearDown() override
    {
        m_owned.reset();
        WindowRegistry& windows = WindowRegistry::instance();
        for (const QString& name :
             {windowNames::kLocation, windowNames::kCalc, windowNames::kRelative,
              windowNames::kPlanets, windowNames::kRiseSet, windowNames::kTrack,
              windowNames::kSatellite,
              windowNames::kDownload, windowNames::kSyncro}) {
            if (QWidget* window = windows.find(name))
                windows.unload(window);
            windows.define(name, WindowLifetime::UnloadOnClose, {});
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        MainWindowTest::TearDown();
    }

    std::unique_ptr<QWidget> m_owned;
};

TEST_P(HelpButtons, OpenTheHelpFileAtTheWindowsSection)
{
    const HelpButtonCase& c = GetParam();
    const ModalAnswerer answerer;
    QWidget* window = nullptr;
    if (c.make) {
        m_owned.reset(c.make());
        window = m_owned.get();
    } else {
        window = WindowRegistry::instance().form(c.window);
    }
    ASSERT_NE(window, nullptr) << c.name;
    QWidget* help = window->findChild<QWidget*>(QStringLiteral("cmdHelp"));
    ASSERT_NE(help, nullptr) << c.name;

    OpenedAddresses opened;
    if (auto* button = qobject_cast<QAbstractButton*>(help))
        button->click();
    else
        emit qobject_cast<GraphButton*>(help)->Click();
    ASSERT_EQ(opened.urls.size(), 1) << c.name << ": " << answerer.messages().size()
                                     << " messages instead";
    const QUrl& url = opened.urls[0];
    EXPECT_EQ(QFileInfo(url.toLocalFile()).canonicalFilePath(),
              QFileInfo(folderFile(helpFileName())).canonicalFilePath())
        << c.name;
    EXPECT_EQ(url.fragment(), QStringLiteral("context-%1").arg(c.context)) << c.name;
    EXPECT_TRUE(anchors(helpFileText()).contains(url.fragment())) << c.name;
}

QWidget* placeDialog(bool modify)
{
    auto* dialog = new frmAddLocation();
    dialog->gblnModificaCitta = modify;
    return dialog;
}

INSTANTIATE_TEST_SUITE_P(
    Windows, HelpButtons,
    ::testing::Values(
        HelpButtonCase{"Time", 70, {}, windowNames::kTime},
        HelpButtonCase{"Location", 30, {}, windowNames::kLocation},
        HelpButtonCase{"NewPlace", 50, [] { return placeDialog(false); }, {}},
        HelpButtonCase{"ModifyPlace", 40, [] { return placeDialog(true); }, {}},
        HelpButtonCase{"Ephemeris", 110, {}, windowNames::kCalc},
        HelpButtonCase{"RelativeMotion", 100, {}, windowNames::kRelative},
        HelpButtonCase{"Planets", 180, {}, windowNames::kPlanets},
        HelpButtonCase{"Almanac", 200, {}, windowNames::kRiseSet},
        HelpButtonCase{"TrackingTable", 190, {}, windowNames::kTrack},
        HelpButtonCase{"OrbitalElements", 90, {}, windowNames::kSatellite},
        HelpButtonCase{"Download", 205, {}, windowNames::kDownload},
        HelpButtonCase{"ClockSync", 220, {}, windowNames::kSyncro},
        HelpButtonCase{"SkyObject", 130, [] { return new frmObject(); }, {}}),
    [](const ::testing::TestParamInfo<HelpButtonCase>& testInfo) {
        return std::string(testInfo.param.name);
    });

} // namespace

#include "HelpPagesTest.moc"

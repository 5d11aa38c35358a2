// Every window laid out at its smallest size as the user first meets it: no button squeezed
// below its caption's size, the database window at its first opening after a file was read
// included. QUORVANEL_SCREENSHOTS names a folder to save each window's picture into.

#include "DatabaseWindowFixture.h"
#include "NetworkWindowTest.h"

#include "controls/GraphButton/GraphButton.h"
#include "database/DatabaseCommands.h"
#include "database/frmDatabase.h"
#include "database/frmDownload.h"
#include "database/frmSyncro.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmCalendar.h"
#include "dialogs/frmLanguage.h"
#include "dialogs/frmProgress.h"
#include "tracking/ProgramClock.h"
#include "mainwindow/frmTime.h"
#include "services/WindowRegistry.h"
#include "services/mNight.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <functional>
#include <memory>

namespace {

void saveScreenshot(QWidget& window, const QString& name)
{
    const QString folder = qEnvironmentVariable("QUORVANEL_SCREENSHOTS");
    if (!folder.isEmpty())
        window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

/// Every button of `window` is at least as large as its size hint asks.
void expectButtonsUnclipped(const QWidget& window)
{
    int buttons = 0;
    for (const QWidget* button : window.findChildren<QWidget*>()) {
        if (qobject_cast<const GraphButton*>(button) == nullptr &&
            qobject_cast<const QAbstractButton*>(button) == nullptr)
            continue;
        if (!button->isVisibleTo(&window))
            continue;
        ++buttons;
        const QSize hint = button->sizeHint();
        EXPECT_GE(button->height(), hint.height())
            << window.objectName().toStdString() << ' ' << button->objectName().toStdString();
        EXPECT_GE(button->width(), hint.width())
            << window.objectName().toStdString() << ' ' << button->objectName().toStdString();
    }
}

class FixedClock final : public ProgramClock
{
public:
    [[nodiscard]] QDateTime currentUtc() const override
    {
        return QDateTime(QDate(2024, 3, 15), QTime(12, 0), Qt::UTC);
    }
};

class DatabaseWindowLayout : public DatabaseWindowTest
{
protected:
    void TearDown() override
    {
        if (QWidget* registered = WindowRegistry::instance().find(kDatabaseWindowName))
            WindowRegistry::instance().unload(registered);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        WindowRegistry::instance().define(kDatabaseWindowName, WindowLifetime::HideOnClose, {});
        DatabaseWindowTest::TearDown();
    }
};

class NetworkWindowLayout : public NetworkWindowTest
{
};

} // namespace

TEST_F(DatabaseWindowLayout, FirstOpeningAfterReadingAFileShowsWholeButtons)
{
    // As in the program: the window lives in the main window's document area.
    QMainWindow main;
    auto* area = new QMdiArea(&main);
    main.setCentralWidget(area);
    main.resize(1024, 768);
    main.show();
    defineDatabaseWindow(m_session, m_hooks, [area](QWidget* w) { area->addSubWindow(w); });

    std::vector<Record_TLE> sets = numberedSets(300);
    if (const auto real = gpredictSets())
        sets = *real;
    m_chooserAnswers = {writeElementFile("visual.txt", elementFile(sets))};
    Apertura_database(DatabaseKind::Primary);
    frmDatabase* window = databaseWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->isVisible());
    QCoreApplication::processEvents();

    expectButtonsUnclipped(*window);
    saveScreenshot(main, QStringLiteral("database-first-opening"));
}

TEST_F(NetworkWindowLayout, EveryOtherWindowShowsWholeButtonsAtItsSmallestSize)
{
    const FixedClock clock;
    const std::pair<const char*, std::function<QWidget*()>> windows[] = {
        {"download", [] { return new frmDownload; }},
        {"syncro", [] { return new frmSyncro; }},
        {"about", [] { return new frmAbout; }},
        {"calendar", [] { return new frmCalendar; }},
        {"language", [] { return new frmLanguage; }},
        {"progress", [] { return new frmProgress; }},
        {"time", [&clock] { return new frmTime(clock, [] {}); }},
    };
    for (const auto& [name, make] : windows) {
        SCOPED_TRACE(name);
        const std::unique_ptr<QWidget> window(make());
        window->show();
        window->resize(window->minimumSizeHint());
        QCoreApplication::processEvents();
        expectButtonsUnclipped(*window);
        saveScreenshot(*window, QString::fromLatin1(name));
    }
}

TEST_F(DatabaseWindowLayout, NightModeKeepsEveryButtonWhole)
{
    // Recoloured windows keep their layout; QUORVANEL_SCREENSHOTS shows how they look.
    mNight::Salva_colori_sistema();
    mNight::Applica_colori_notte();
    QMainWindow main;
    auto* area = new QMdiArea(&main);
    main.setCentralWidget(area);
    main.resize(1024, 768);
    main.show();
    defineDatabaseWindow(m_session, m_hooks, [area](QWidget* w) { area->addSubWindow(w); });
    m_chooserAnswers = {writeElementFile("visual.txt", elementFile(numberedSets(40)))};
    Apertura_database(DatabaseKind::Primary);
    frmDatabase* window = databaseWindow();
    ASSERT_NE(window, nullptr);
    frmCalendar calendar;
    calendar.show();
    frmDownload download;
    download.show();
    QCoreApplication::processEvents();

    expectButtonsUnclipped(*window);
    saveScreenshot(main, QStringLiteral("night-database"));
    saveScreenshot(calendar, QStringLiteral("night-calendar"));
    saveScreenshot(download, QStringLiteral("night-download"));
    mNight::Ripristina_colori_sistema();
}

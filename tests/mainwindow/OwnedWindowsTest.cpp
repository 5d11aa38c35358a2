// The windows outside the document area belong to the main window: the window manager keeps
// them above it, they open centred on it and, once moved, reopen where the user left them.

#include "MainWindowTestSupport.h"

#include "app/WindowCatalogue.h"
#include "services/WindowNames.h"
#include "mainwindow/MDIForm1.h"
#include "services/WindowRegistry.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QTimer>

namespace {

const QString kOwnedWindows[] = {windowNames::kCalendar, windowNames::kTime,
                                 windowNames::kDownload, windowNames::kSyncro,
                                 windowNames::kAbout,    windowNames::kLanguage,
                                 windowNames::kCalc,     windowNames::kRelative};

class OwnedWindows : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        defineWindows(mainWindow());
        mainWindow().setGeometry(100, 80, 900, 700);
        mainWindow().show();
    }

    void TearDown() override
    {
        for (const QString& name : kOwnedWindows) {
            if (name != windowNames::kTime)
                forgetWindow(name);
        }
        MainWindowTest::TearDown();
    }

    void trigger(const char* item)
    {
        mainWindow().menuItem(QString::fromLatin1(item))->trigger();
        QCoreApplication::processEvents();
    }
};

} // namespace

TEST_F(OwnedWindows, EveryWindowOutsideTheDocumentAreaIsADialogOfTheMainWindow)
{
    for (const QString& name : kOwnedWindows) {
        QWidget* window = WindowRegistry::instance().form(name);
        ASSERT_NE(window, nullptr) << name.toStdString();
        EXPECT_EQ(window->parentWidget(), &mainWindow()) << name.toStdString();
        // Window managers keep a dialog above the window it belongs to (a transient window).
        EXPECT_EQ(window->windowType(), Qt::Dialog) << name.toStdString();
    }
}

TEST_F(OwnedWindows, CalendarAndTimeOpenCentredOnTheMainWindowThenWhereTheyWereLeft)
{
    // The time window grows a little once its values fill in, after it was placed.
    constexpr int kCentringTolerancePx = 20;
    for (const char* item : {"mnuStrumentiCalendario", "mnuOpzioniData"}) {
        trigger(item);
        const QPoint centre = mainWindow().frameGeometry().center();
        const QString name = item == std::string_view("mnuOpzioniData") ? windowNames::kTime
                                                                         : windowNames::kCalendar;
        QWidget* window = WindowRegistry::instance().find(name);
        ASSERT_NE(window, nullptr) << item;
        ASSERT_TRUE(window->isVisible()) << item;
        EXPECT_LE((window->frameGeometry().center() - centre).manhattanLength(), kCentringTolerancePx)
            << item << " opens at " << window->x() << ',' << window->y();

        const QPoint moved = window->pos() + QPoint(40, -30);
        window->move(moved);
        window->close(); // the calendar unloads, the time window hides
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        trigger(item);
        window = WindowRegistry::instance().find(name);
        ASSERT_NE(window, nullptr) << item;
        EXPECT_EQ(window->pos(), moved) << item;
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(OwnedWindows, LanguageChooserOfTheOptionsMenuBelongsToTheMainWindow)
{
    // The chooser of a first start is made before the main window and is still loaded.
    defineStartupWindows();
    QWidget* startup = WindowRegistry::instance().form(windowNames::kLanguage);
    ASSERT_NE(startup, nullptr);
    ASSERT_EQ(startup->parentWidget(), nullptr);
    defineWindows(mainWindow());
    for (int run = 0; run < 2; ++run) {
        QWidget* owner = nullptr;
        bool shown = false;
        QTimer::singleShot(0, &mainWindow(), [&owner, &shown] {
            QWidget* modal = QApplication::activeModalWidget();
            shown = modal != nullptr && modal->objectName() == windowNames::kLanguage;
            if (modal != nullptr) {
                owner = modal->parentWidget();
                modal->close();
            }
        });
        trigger("mnuOpzioniLingua");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(shown) << run;
        EXPECT_EQ(owner, &mainWindow()) << run;
    }
}

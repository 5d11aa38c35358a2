// New document windows open inside the main window's document area, also when the main window
// is smaller than the windows' own size; and every window shows the program's icon.

#include "MainWindowTestSupport.h"

#include "app/WindowCatalogue.h"
#include "common/element_databases.h"
#include "database/DatabaseCommands.h"
#include "database/frmDatabase.h"
#include "mainwindow/MDIForm1.h"
#include "mainwindow/MdiArrangement.h"
#include "mainwindow/ToolbarIcons.h"
#include "predictions/RequestSpan.h"
#include "predictions/frmDetails.h"
#include "services/WindowNames.h"
#include "services/WindowRegistry.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QScopeGuard>
#include <QScrollBar>
#include <QWindow>

namespace {

class DocumentWindows : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        defineWindows(mainWindow());
        // A main window that is not maximised, smaller than a sky chart's own size.
        mainWindow().setGeometry(40, 40, 1000, 620);
        mainWindow().show();
        QCoreApplication::processEvents();
    }

    void TearDown() override
    {
        for (QMdiSubWindow* frame : mainWindow().mdiArea()->subWindowList())
            WindowRegistry::instance().unload(frame->widget());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        MainWindowTest::TearDown();
        Db_principale = m_primary;
    }

    void expectInside(QWidget* window, const char* what)
    {
        ASSERT_NE(window, nullptr) << what;
        auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
        ASSERT_NE(frame, nullptr) << what << " is a document window";
        const QRect area = mainWindow().mdiArea()->viewport()->rect();
        EXPECT_TRUE(area.contains(frame->geometry()))
            << what << " at " << frame->x() << "," << frame->y() << " " << frame->width() << "x"
            << frame->height() << " in " << area.width() << "x" << area.height();
    }

    std::vector<Record_TLE> m_primary = Db_principale;
};

/// The windows of the start, before the main window is made.
using StartWindows = MainWindowTest;

} // namespace

TEST(FittedIntoArea, MovesAndShrinksOnlyAsFarAsNeeded)
{
    const QSize area(800, 500);
    EXPECT_EQ(fittedIntoArea(QRect(10, 20, 300, 200), area), QRect(10, 20, 300, 200));
    EXPECT_EQ(fittedIntoArea(QRect(600, 400, 300, 200), area), QRect(500, 300, 300, 200));
    EXPECT_EQ(fittedIntoArea(QRect(30, 40, 900, 600), area), QRect(0, 0, 800, 500));
    EXPECT_EQ(fittedIntoArea(QRect(-20, -5, 100, 100), area), QRect(0, 0, 100, 100));
}

TEST_F(DocumentWindows, ChartsAndListingsOpenInsideTheDocumentArea)
{
    mainWindow().runCommand(QStringLiteral("mnuCieloMappaLocale"));
    QCoreApplication::processEvents();
    expectInside(WindowRegistry::instance().find(windowNames::kLocalSky), "the local sky");

    mainWindow().runCommand(QStringLiteral("mnuCieloMappaGenerale"));
    QCoreApplication::processEvents();
    expectInside(WindowRegistry::instance().find(windowNames::kGeneralSky), "the whole sky");

    for (int i = 0; i < 6; ++i) {
        frmDetails* listing = newListingWindow();
        listing->show();
        QCoreApplication::processEvents();
        expectInside(listing, "a listing");
    }
    const QMdiArea* area = mainWindow().mdiArea();
    EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(area->verticalScrollBar()->isVisible());
}

TEST_F(DocumentWindows, TheFirstSizeHoldsTheDatabaseWindowAtTheUserFontWithinTheScreen)
{
    const QFont qtDefault = QApplication::font();
    const auto restore = qScopeGuard([&qtDefault] { QApplication::setFont(qtDefault); });
    QFont desktop = qtDefault;
    desktop.setPointSize(11);
    QApplication::setFont(desktop);
    MDIForm1& window = mainWindow();
    // A small screen: the window and the frame the desktop adds lie on it.
    const QMargins frame = window.windowHandle()->frameMargins();
    const QSize small = window.firstSize(QSize(1024, 600));
    EXPECT_TRUE(QRect(QPoint(0, 0), QSize(1024, 600))
                    .contains(QRect(QPoint(0, 0), small).marginsAdded(frame).translated(
                        frame.left(), frame.top())))
        << small.width() << " x " << small.height();

    // A large one: the database window whole in the document area at the user's font.
    window.resize(window.firstSize(QSize(1600, 1000)));
    const Record_TLE set = elementSet("FIRST", TestOrbit{});
    writeTestFile(folderFile(QStringLiteral("elements.txt")),
                  QByteArray::fromStdString(set.Riga0 + "\r\n" + set.Riga1 + "\r\n" + set.Riga2 + "\r\n"));
    Impostazioni.File_database = folderFile(QStringLiteral("elements.txt")).toStdString();
    window.runCommand(QStringLiteral("mnuSatellitiDatabase"));
    QCoreApplication::processEvents();
    ASSERT_NE(databaseWindow(), nullptr);
    const QWidget* database = databaseWindow()->parentWidget();
    const QSize area = window.mdiArea()->viewport()->size();
    EXPECT_TRUE(area.width() >= database->minimumSizeHint().width() &&
                area.height() >= database->minimumSizeHint().height())
        << database->minimumSizeHint().width() << " in " << area.width();
}

TEST_F(DocumentWindows, DatabaseWindowOpensWholeBesideAnotherWindow)
{
    TestOrbit second;
    second.catalogueNumber = 90002;
    QByteArray file;
    for (const Record_TLE& set : {elementSet("FIRST", TestOrbit{}), elementSet("SECOND", second)})
        file +=
            QByteArray::fromStdString(set.Riga0 + "\r\n" + set.Riga1 + "\r\n" + set.Riga2 + "\r\n");
    const QString path = folderFile(QStringLiteral("a rather long folder name of elements.txt"));
    writeTestFile(path, file);
    Impostazioni.File_database = path.toStdString();

    mainWindow().runCommand(QStringLiteral("mnuCieloMappaLocale"));
    QCoreApplication::processEvents();
    // A main window too narrow for it, or wide enough: in the narrow one the window keeps
    // its own size, every caption and name whole, and the area scrolls to OK and Help.
    for (const int mainWidth : {800, 1000}) {
        SCOPED_TRACE(mainWidth);
        mainWindow().resize(mainWidth, mainWindow().height());
        mainWindow().runCommand(QStringLiteral("mnuSatellitiDatabase"));
        QCoreApplication::processEvents();
        frmDatabase* database = databaseWindow();
        ASSERT_NE(database, nullptr);
        ASSERT_TRUE(database->isVisible());
        for (const QLabel* caption : database->findChildren<QLabel*>()) {
            if (caption->isVisible() && !caption->wordWrap()) {
                EXPECT_GE(caption->contentsRect().width(),
                          caption->fontMetrics().horizontalAdvance(caption->text()))
                    << caption->text().toStdString();
            }
        }
        // The longest names a set keeps, 24 characters.
        const auto* active = database->findChild<QListView*>(QStringLiteral("lstActive"));
        const QString name = QStringLiteral("COSMOS 482 DESCENT CRAFT");
        EXPECT_GE(active->viewport()->width(), active->fontMetrics().horizontalAdvance(name));
        if (mainWidth == 1000)
            expectInside(database, "the database window");
        QMdiArea* area = mainWindow().mdiArea();
        area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
        area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
        for (const char* button : {"cmdOK", "cmdHelp"}) {
            const QWidget* shown = database->findChild<QWidget*>(QString::fromLatin1(button));
            ASSERT_NE(shown, nullptr) << button;
            const QRect inArea(shown->mapTo(area->viewport(), QPoint(0, 0)), shown->size());
            EXPECT_TRUE(area->viewport()->rect().contains(inArea)) << button;
        }
        database->parentWidget()->close();
    }
}

TEST_F(DocumentWindows, AWindowTheUserMovedPartlyOutStaysWhereItWasPut)
{
    mainWindow().runCommand(QStringLiteral("mnuCieloMappaLocale"));
    QCoreApplication::processEvents();
    QWidget* sky = WindowRegistry::instance().find(windowNames::kLocalSky);
    ASSERT_NE(sky, nullptr);
    auto* frame = qobject_cast<QMdiSubWindow*>(sky->parentWidget());
    ASSERT_NE(frame, nullptr);
    frame->move(700, 100);
    frame->hide();
    frame->show();
    EXPECT_EQ(frame->pos(), QPoint(700, 100));
}

TEST_F(StartWindows, ShowTheProgramsIconBeforeTheMainWindowExists)
{
    QApplication::setWindowIcon(QIcon()); // as the program starts
    defineStartupWindows();
    QWidget* chooser = WindowRegistry::instance().form(windowNames::kLanguage);
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->windowIcon().cacheKey(), programIcon().cacheKey());
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Quorvanel"), QStringLiteral("text"));
    EXPECT_EQ(box.windowIcon().cacheKey(), programIcon().cacheKey());
    forgetWindow(windowNames::kLanguage);
}

TEST_F(DocumentWindows, EveryWindowShowsTheProgramsIcon)
{
    const ModalAnswerer answerer; // any message a window shows as it loads
    ASSERT_FALSE(programIcon().isNull());
    ASSERT_FALSE(programIcon().pixmap(16, 16).isNull());
    EXPECT_EQ(QApplication::windowIcon().cacheKey(), programIcon().cacheKey());
    EXPECT_EQ(mainWindow().windowIcon().cacheKey(), programIcon().cacheKey());
    for (const QString& name :
         {windowNames::kAbout, windowNames::kLanguage, windowNames::kSettings,
          windowNames::kLocation, windowNames::kCalc, windowNames::kRelative, windowNames::kTime,
          windowNames::kLocalSky, windowNames::kGeneralSky, windowNames::kDownload}) {
        QWidget* window = WindowRegistry::instance().form(name);
        ASSERT_NE(window, nullptr) << name.toStdString();
        // A document window's icon is its frame's.
        const QWidget* shown = window->parentWidget() != nullptr && !window->isWindow()
                                   ? window->parentWidget()
                                   : window;
        EXPECT_EQ(shown->windowIcon().cacheKey(), programIcon().cacheKey()) << name.toStdString();
    }
    QMessageBox box(QMessageBox::Information, QStringLiteral("Quorvanel"), QStringLiteral("text"));
    EXPECT_EQ(box.windowIcon().cacheKey(), programIcon().cacheKey());
    for (const QString& name : {windowNames::kAbout, windowNames::kLanguage, windowNames::kSettings,
                                windowNames::kLocation, windowNames::kCalc, windowNames::kRelative,
                                windowNames::kDownload})
        forgetWindow(name);
}

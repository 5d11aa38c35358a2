// The element-file text windows as the main window's commands make and use them: New and
// Edit, Save and the Edit menu on the active text window, and closing with changed text.

#include "MainWindowTestSupport.h"
#include "support/RequiredData.h"
#include "support/ScreenshotFolder.h"

#include "app/WindowCatalogue.h"
#include "dialogs/frmFile.h"
#include "mainwindow/MDIForm1.h"
#include "services/WindowNames.h"
#include "services/WindowRegistry.h"
#include "services/mGlobal.h"
#include "support/ElementSetSources.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

namespace {

class TextWindowCommands : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        defineWindows(mainWindow());
        mainWindow().setFileChooser(
            [this](const QString&, const QString&, const QString&) { return m_chosen; });
        mainWindow().show();
    }

    void TearDown() override
    {
        {
            // Changed text left by a test is dropped.
            const ModalAnswerer answerer(QMessageBox::No);
            for (QWidget* window : textWindows())
                WindowRegistry::instance().unload(window);
        }
        WindowRegistry& windows = WindowRegistry::instance();
        for (const QString& name : {windowNames::kFile, windowNames::kCalendar}) {
            if (QWidget* window = windows.find(name))
                windows.unload(window);
            windows.define(name, WindowLifetime::UnloadOnClose, {});
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        MainWindowTest::TearDown();
    }

    static QList<frmFile*> textWindows()
    {
        QList<frmFile*> windows;
        for (QWidget* window : WindowRegistry::instance().loadedWindows()) {
            if (auto* editor = qobject_cast<frmFile*>(window))
                windows.append(editor);
        }
        return windows;
    }

    frmFile* editFile(const QByteArray& content)
    {
        m_chosen = folderFile(QStringLiteral("amateur.txt"));
        writeTestFile(m_chosen, content);
        mainWindow().runCommand(QStringLiteral("mnuFileModifica"));
        const QList<frmFile*> windows = textWindows();
        return windows.isEmpty() ? nullptr : windows.last();
    }

    static QTextEdit* text(frmFile& window)
    {
        return window.findChild<QTextEdit*>(QStringLiteral("txtFile"));
    }

    static void type(frmFile& window, const QString& typed)
    {
        QTextCursor cursor = text(window)->textCursor();
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(typed);
        text(window)->setTextCursor(cursor);
    }

    QString m_chosen;
};

TEST_F(TextWindowCommands, NewAndEditMakeAWindowForEveryFile)
{
    MDIForm1& window = mainWindow();
    EXPECT_TRUE(window.menuItem(QStringLiteral("mnuFileNuovo"))->isEnabled());
    EXPECT_TRUE(window.menuItem(QStringLiteral("mnuFileModifica"))->isEnabled());
    // The toolbar's Open button drops down the edit command as well.
    auto* open = qobject_cast<QToolButton*>(
        window.toolbar()->widgetForAction(window.toolbarButton(QStringLiteral("Open"))));
    ASSERT_NE(open, nullptr);
    ASSERT_NE(open->menu(), nullptr);
    int editItems = 0;
    for (const QAction* item : open->menu()->actions()) {
        if (item->data().toString() == QStringLiteral("Modify")) {
            ++editItems;
            EXPECT_TRUE(item->isEnabled());
        }
    }
    EXPECT_EQ(editItems, 1);

    window.runCommand(QStringLiteral("mnuFileNuovo"));
    window.runCommand(QStringLiteral("mnuFileNuovo"));
    const QString untitled = mLang::Testo_lingua(u"MDIForm1", u"nuovo");
    ASSERT_EQ(textWindows().size(), 2);
    EXPECT_EQ(textWindows()[0]->windowTitle(), untitled + u'1');
    EXPECT_EQ(textWindows()[1]->windowTitle(), untitled + u'2');
    EXPECT_TRUE(textWindows()[1]->gblnDialog);
    EXPECT_TRUE(textWindows()[1]->isVisible());

    frmFile* edited = editFile("ISS\r\n");
    ASSERT_EQ(textWindows().size(), 3);
    EXPECT_FALSE(edited->gblnDialog);
    EXPECT_EQ(edited->windowTitle(), m_chosen);
    EXPECT_EQ(edited->editorText(), QStringLiteral("ISS\n"));
    EXPECT_EQ(window.mdiArea()->activeSubWindow()->widget(), edited);

    editFile({});
    EXPECT_EQ(textWindows().size(), 3) << "an empty file makes no window";
}

TEST_F(TextWindowCommands, SaveAndPrintOfTheFileMenuActOnTheActiveTextWindow)
{
    frmFile* edited = editFile("ISS\r\n");
    ASSERT_NE(edited, nullptr);
    type(*edited, QStringLiteral("NOAA 19\n"));
    emit mainWindow().menu(QStringLiteral("mnuFile"))->aboutToShow();
    EXPECT_TRUE(mainWindow().menuItem(QStringLiteral("mnuFileSalva"))->isEnabled());
    EXPECT_TRUE(mainWindow().menuItem(QStringLiteral("mnuFileStampa"))->isEnabled());
    mainWindow().runCommand(QStringLiteral("mnuFileSalva"));
    EXPECT_EQ(readTestFile(m_chosen), QByteArray("ISS\r\nNOAA 19\r\n"));
    EXPECT_FALSE(edited->isChanged());
}

TEST_F(TextWindowCommands, EditMenuActsOnTheActiveTextWindowAndIsItsPopUpMenu)
{
    frmFile* edited = editFile("ISS\r\nNOAA 19\r\n");
    ASSERT_NE(edited, nullptr);
    QTextCursor cursor = text(*edited)->textCursor();
    cursor.setPosition(0);
    cursor.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor);
    text(*edited)->setTextCursor(cursor);
    emit mainWindow().menu(QStringLiteral("mnuModifica"))->aboutToShow();
    EXPECT_TRUE(mainWindow().menuItem(QStringLiteral("mnuModificaCancella"))->isEnabled());
    EXPECT_TRUE(mainWindow().runCommand(QStringLiteral("mnuModificaCancella")));
    EXPECT_EQ(edited->editorText(), QStringLiteral("NOAA 19\n"));
    emit mainWindow().menu(QStringLiteral("mnuModifica"))->aboutToShow();
    EXPECT_TRUE(mainWindow().runCommand(QStringLiteral("mnuModificaAnnulla")));
    EXPECT_EQ(edited->editorText(), QStringLiteral("ISS\nNOAA 19\n"));

    QMenu* editMenu = mainWindow().menu(QStringLiteral("mnuModifica"));
    emit text(*edited)->customContextMenuRequested(QPoint(5, 5));
    EXPECT_TRUE(editMenu->isVisible());
    editMenu->hide();
}

TEST_F(TextWindowCommands, ChangedTextKeepsTheProgramOpenWhenTheUserCancels)
{
    frmFile* edited = editFile("ISS\r\n");
    ASSERT_NE(edited, nullptr);
    type(*edited, QStringLiteral("NOAA 19\n"));
    {
        const ModalAnswerer answerer(QMessageBox::Cancel);
        EXPECT_FALSE(mainWindow().close());
        ASSERT_EQ(answerer.messages().size(), 1u);
        EXPECT_EQ(answerer.messages()[0].text, mLang::Testo_lingua(u"frmFile", u"salvamodifiche"));
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(textWindows().size(), 1);
    EXPECT_EQ(textWindows()[0]->editorText(), QStringLiteral("ISS\nNOAA 19\n"));
    EXPECT_TRUE(mGlobal::Form_caricato(QStringLiteral("MDIForm1")));

    const ModalAnswerer answerer(QMessageBox::Yes);
    EXPECT_TRUE(mainWindow().close());
    EXPECT_EQ(answerer.messages().size(), 1u) << "each window asks once";
    EXPECT_EQ(readTestFile(m_chosen), QByteArray("ISS\r\nNOAA 19\r\n"));
}

TEST_F(TextWindowCommands, CloseAllClosesEveryWindowButAChangedTextTheUserKeeps)
{
    frmFile* kept = editFile("ISS\r\n");
    ASSERT_NE(kept, nullptr);
    type(*kept, QStringLiteral("NOAA 19\n"));
    mainWindow().runCommand(QStringLiteral("mnuFileNuovo"));
    mainWindow().runCommand(QStringLiteral("mnuStrumentiCalendario"));
    ASSERT_TRUE(mGlobal::Form_caricato(windowNames::kCalendar));
    {
        const ModalAnswerer answerer(QMessageBox::Cancel);
        mainWindow().runCommand(QStringLiteral("mnuFinestreChiudiTutto"));
        EXPECT_EQ(answerer.messages().size(), 1u) << "the unchanged new window closes quietly";
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(mGlobal::Form_caricato(windowNames::kCalendar));
    ASSERT_EQ(textWindows().size(), 1);
    EXPECT_EQ(textWindows()[0], kept);
    EXPECT_EQ(kept->editorText(), QStringLiteral("ISS\nNOAA 19\n"));
}

TEST_F(TextWindowCommands, Screenshot)
{
    // A picture for the documentation, with real element sets from gpredict's catalogue.
    const ScreenshotFolder shots;
    const QString folder = shots.path();
    const auto sets = testsets::gpredictSets();
    if (!sets)
        SKIP_OR_FAIL_WITHOUT_DATA("gpredict's satellites.dat is not installed");
    QByteArray content;
    for (std::size_t k = 0; k < sets->size() && k < 12; ++k) {
        const Record_TLE& set = (*sets)[k];
        content += QByteArray::fromStdString(set.Riga0 + "\r\n" + set.Riga1 + "\r\n" +
                                             set.Riga2 + "\r\n");
    }
    MDIForm1& window = mainWindow();
    window.resize(1000, 640);
    mainWindow().runCommand(QStringLiteral("mnuFileNuovo"));
    frmFile* added = textWindows().last();
    type(*added, QStringLiteral("ISS (ZARYA)\n"));
    frmFile* edited = editFile(content);
    ASSERT_NE(edited, nullptr);
    QTextCursor cursor = text(*edited)->textCursor();
    cursor.setPosition(0);
    cursor.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor, 3);
    text(*edited)->setTextCursor(cursor);
    added->parentWidget()->setGeometry(640, 330, 350, 200);
    edited->parentWidget()->setGeometry(10, 10, 620, 400);
    window.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(edited->parentWidget()));
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.grab().save(QDir(folder).filePath(QStringLiteral("element-file.png"))));
}

} // namespace

TEST_F(TextWindowCommands, NewTextWindowOpensWideEnoughForAnElementLine)
{
    MDIForm1& window = mainWindow();
    window.resize(1400, 900);
    window.show();
    window.runCommand(QStringLiteral("mnuFileNuovo"));
    ASSERT_EQ(textWindows().size(), 1);
    frmFile* editor = textWindows().front();
    QCoreApplication::processEvents();
    // An element line has 69 columns; the window opens with room for 80.
    const QFontMetrics metrics(text(*editor)->font());
    EXPECT_GE(editor->width(), metrics.horizontalAdvance(QString(80, u'0')));
    EXPECT_GE(editor->height(), metrics.height() * 24);
}

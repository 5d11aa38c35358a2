// The listing commands of the main window: File > View summarises an element file in a new
// listing window, and the ephemeris command reads the recorded primary database first when
// none is loaded, then opens its request dialog.

#include "MainWindowTestSupport.h"
#include "support/ScreenshotFolder.h"

#include "app/WindowCatalogue.h"
#include "common/element_databases.h"
#include "common/program_time.h"
#include "core/DateValue.h"
#include "mainwindow/MDIForm1.h"
#include "predictions/SummaryModel.h"
#include "predictions/frmCalc.h"
#include "predictions/frmDetails.h"
#include "services/WindowRegistry.h"
#include "services/mGlobal.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

class ListingCommands : public MainWindowTest
{
protected:
    void TearDown() override
    {
        for (QWidget* window : WindowRegistry::instance().loadedWindows()) {
            if (qobject_cast<frmDetails*>(window) != nullptr)
                WindowRegistry::instance().unload(window);
        }
        // The program's windows were defined with this test's main window as their owner.
        using namespace windowNames;
        for (const QString& name : {kDetails, kCalc, kRelative, kAbout, kCalendar, kDownload, kSyncro})
            forgetWindow(name);
        defineStartupWindows();
        Db_principale = m_primary;
        Db_secondario = m_secondary;
        MainWindowTest::TearDown();
    }

    QString writeElementFile()
    {
        QByteArray bytes;
        for (const Record_TLE& set : {elementSet("ALPHA", TestOrbit{}),
                                      elementSet("BETA", TestOrbit{.catalogueNumber = 90002})})
            bytes += QByteArray::fromStdString(set.Riga0 + "\r\n" + set.Riga1 + "\r\n" + set.Riga2
                                               + "\r\n");
        const QString path = folderFile(QStringLiteral("sets.txt"));
        writeTestFile(path, bytes);
        return path;
    }

private:
    std::vector<Record_TLE> m_primary = Db_principale;
    std::vector<Record_TLE> m_secondary = Db_secondario;
};

TEST_F(ListingCommands, FileViewSummarisesTheChosenFileInANewDocumentWindow)
{
    MDIForm1& window = mainWindow();
    defineWindows(window);
    const QString path = writeElementFile();
    window.setFileChooser([&](const QString&, const QString&, const QString&) { return path; });
    ASSERT_TRUE(window.menuItem(QStringLiteral("mnuFileVisualizza"))->isEnabled());
    for (int request = 1; request <= 2; ++request) {
        ASSERT_TRUE(window.runCommand(QStringLiteral("mnuFileVisualizza")));
        std::vector<frmDetails*> listings;
        for (QMdiSubWindow* frame : window.mdiArea()->subWindowList()) {
            if (auto* listing = qobject_cast<frmDetails*>(frame->widget()))
                listings.push_back(listing);
        }
        ASSERT_EQ(listings.size(), static_cast<std::size_t>(request));
        EXPECT_EQ(listings.back()->summary().rowCount(), 2);
        EXPECT_TRUE(listings.back()->isVisibleTo(&window));
    }
}

TEST_F(ListingCommands, EphemerisCommandReadsTheRecordedDatabaseThenOpensItsDialog)
{
    MDIForm1& window = mainWindow();
    defineWindows(window);
    Impostazioni.File_database = writeElementFile().toStdString();
    ASSERT_TRUE(window.menuItem(QStringLiteral("mnuSatellitiCalcoloEffemeridi"))->isEnabled());
    ASSERT_TRUE(window.menuItem(QStringLiteral("mnuSatellitiMotoRelativo"))->isEnabled());
    {
        const ModalAnswerer answerer(QMessageBox::Ok);
        ASSERT_TRUE(window.runCommand(QStringLiteral("mnuSatellitiCalcoloEffemeridi")));
    }
    auto* dialog = qobject_cast<frmCalc*>(WindowRegistry::instance().find(QStringLiteral("frmCalc")));
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->isHidden());
    EXPECT_EQ(dialog->lstDatabase[0]->count(), 2);
}

TEST_F(ListingCommands, ScreenshotOfAnEphemerisListing)
{
    // A picture for the documentation.
    const ScreenshotFolder shots;
    const QString folder = shots.path();
    MDIForm1& window = mainWindow();
    window.resize(1180, 720);
    defineWindows(window);
    const QString path = folderFile(QStringLiteral("iss.txt"));
    writeTestFile(path, "ISS (ZARYA)\r\n"
                        "1 25544U 98067A   26342.50000000  .00012345  00000-0  21000-3 0  9993\r\n"
                        "2 25544  51.6400 123.4567 0004000  80.0000 280.0000 15.50000000500004\r\n");
    Impostazioni.File_database = path.toStdString();
    Data_attuale = DateValue::fromDateTime(2026, 12, 9, 4, 33, 0); // a morning pass at Milan
    {
        const ModalAnswerer answerer(QMessageBox::Ok);
        ASSERT_TRUE(window.runCommand(QStringLiteral("mnuSatellitiCalcoloEffemeridi")));
    }
    auto* dialog = qobject_cast<frmCalc*>(WindowRegistry::instance().find(QStringLiteral("frmCalc")));
    ASSERT_NE(dialog, nullptr);
    dialog->lstDatabase[0]->setCurrentRow(0);
    dialog->cmdOK_Click();
    dialog->close();
    QMdiSubWindow* listing = nullptr;
    for (QMdiSubWindow* frame : window.mdiArea()->subWindowList()) {
        if (qobject_cast<frmDetails*>(frame->widget()) != nullptr)
            listing = frame;
    }
    ASSERT_NE(listing, nullptr);
    window.show();
    listing->setGeometry(10, 10, 1000, 560);
    window.mdiArea()->setActiveSubWindow(listing);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.grab().save(QDir(folder).filePath(QStringLiteral("ephemeris.png"))));
}

} // namespace

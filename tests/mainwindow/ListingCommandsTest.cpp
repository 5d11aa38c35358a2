// The listing commands of the main window: File > View summarises an element file in a new
// listing window, and the ephemeris command reads the recorded primary database first when
// none is loaded, then opens its request dialog.

#include "MainWindowTestSupport.h"

#include "app/WindowCatalogue.h"
#include "common/element_databases.h"
#include "mainwindow/MDIForm1.h"
#include "predictions/SummaryModel.h"
#include "predictions/frmCalc.h"
#include "predictions/frmDetails.h"
#include "services/WindowRegistry.h"
#include "services/mGlobal.h"

#include <QCoreApplication>
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

} // namespace

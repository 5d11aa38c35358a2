// The pass-prediction command of the main window: it opens the pass window in the document
// area, and a search of all sets with no primary database loaded asks for one, reads the
// recorded file through the database window and then runs.

#include "MainWindowTestSupport.h"

#include "common/element_databases.h"
#include "common/program_time.h"
#include "mainwindow/MDIForm1.h"
#include "predictions/frmVisibleSatellites.h"
#include "services/WindowRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>

namespace {

class PassPredictionCommand : public MainWindowTest
{
protected:
    void TearDown() override
    {
        forgetWindow(QStringLiteral("frmVisibleSatellites"));
        Db_principale = m_primary;
        MainWindowTest::TearDown();
    }

private:
    std::vector<Record_TLE> m_primary = Db_principale;
};

TEST_F(PassPredictionCommand, OpensTheWindowAndHandsTheRecordedDatabaseToTheSearch)
{
    MDIForm1& window = mainWindow();
    openGates();
    QByteArray bytes;
    for (const Record_TLE& set :
         {elementSet("ALPHA", TestOrbit{}),
          elementSet("BETA", TestOrbit{.catalogueNumber = 90002, .raanDeg = 200.0})})
        bytes += QByteArray::fromStdString(set.Riga0 + "\r\n" + set.Riga1 + "\r\n" + set.Riga2 +
                                           "\r\n");
    const QString path = folderFile(QStringLiteral("sets.txt"));
    writeTestFile(path, bytes);
    Impostazioni.File_database = path.toStdString();
    Db_principale.assign(1, Record_TLE{});
    Data_attuale = 46364.0; // 2026-12-08 0 h local, half a day before the sets' epoch

    ASSERT_TRUE(window.menuItem(QStringLiteral("mnuSatellitiPrevisioniPassaggi"))->isEnabled());
    ASSERT_TRUE(window.runCommand(QStringLiteral("mnuSatellitiPrevisioniPassaggi")));
    auto* passes = qobject_cast<frmVisibleSatellites*>(
        WindowRegistry::instance().find(QStringLiteral("frmVisibleSatellites")));
    ASSERT_NE(passes, nullptr);
    EXPECT_TRUE(qobject_cast<QMdiSubWindow*>(passes->parentWidget()) != nullptr);
    EXPECT_TRUE(passes->isVisibleTo(&window));

    std::vector<QString> messages;
    passes->setMessageSink([&](QMessageBox::Icon, const QString& text) { messages.push_back(text); });
    passes->chkTransito->setChecked(false);
    passes->cmbDurata[0]->setCurrentIndex(24);
    QSignalSpy finished(passes, &frmVisibleSatellites::searchFinished);
    {
        const ModalAnswerer answerer(QMessageBox::Ok); // "open the primary database?"
        passes->cmdOK_Click(0);
        ASSERT_TRUE(finished.wait(10000));
    }
    EXPECT_EQ(Db_principale.size(), 3u);
    EXPECT_GT(passes->passList(0)->rowCount(), 0) << (messages.empty() ? "" : messages[0].toStdString());
    EXPECT_TRUE(pflgCentrale.isOpen());
}

} // namespace

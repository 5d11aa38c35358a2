// The pass-prediction command of the main window: it opens the pass window in the document
// area, and a search of all sets with no primary database loaded asks for one, reads the
// recorded file through the database window and then runs. Activate on a found pass adds its
// satellite through the active list and makes it principal, whatever the database window has
// chosen; Save and Print are reached by name as the File menu calls them.

#include "MainWindowTestSupport.h"

#include "common/element_databases.h"
#include "common/program_time.h"
#include "controls/GraphButton/GraphButton.h"
#include "database/DatabaseCommands.h"
#include "database/frmDatabase.h"
#include "mainwindow/MDIForm1.h"
#include "predictions/frmVisibleSatellites.h"
#include "skycharts/frmSkySat.h"
#include "services/WindowRegistry.h"

#include <QCheckBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTreeView>

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
        bytes +=
            QByteArray::fromStdString(set.Riga0 + "\r\n" + set.Riga1 + "\r\n" + set.Riga2 + "\r\n");
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
    passes->setMessageSink(
        [&](QMessageBox::Icon, const QString& text) { messages.push_back(text); });
    passes->chkTransito->setChecked(false);
    passes->cmbDurata[0]->setCurrentIndex(24);
    QSignalSpy finished(passes, &frmVisibleSatellites::searchFinished);
    {
        const ModalAnswerer answerer(QMessageBox::Ok); // "open the primary database?"
        passes->cmdOK_Click(0);
        ASSERT_TRUE(finished.wait(10000));
    }
    EXPECT_EQ(Db_principale.size(), 3u);
    EXPECT_GT(passes->passList(0)->rowCount(), 0)
        << (messages.empty() ? "" : messages[0].toStdString());
    EXPECT_TRUE(pflgCentrale.isOpen());
}

TEST_F(PassPredictionCommand, ActivateMakesThePassesSatellitePrincipalWhateverTheDatabaseChose)
{
    MDIForm1& window = mainWindow();
    openGates();
    const Record_TLE alpha = elementSet("ALPHA", TestOrbit{});
    const Record_TLE beta =
        elementSet("BETA", TestOrbit{.catalogueNumber = 90002, .raanDeg = 200.0});
    const Record_TLE gamma =
        elementSet("GAMMA", TestOrbit{.catalogueNumber = 90003, .raanDeg = 300.0});
    const QString path = folderFile(QStringLiteral("alpha.txt"));
    QByteArray bytes;
    for (const Record_TLE& set : {alpha, beta, gamma})
        bytes +=
            QByteArray::fromStdString(set.Riga0 + "\r\n" + set.Riga1 + "\r\n" + set.Riga2 + "\r\n");
    writeTestFile(path, bytes);
    Impostazioni.File_database = path.toStdString();
    Db_principale.assign(1, Record_TLE{});
    loadWorkingSet({beta, gamma});
    Data_attuale = 46364.0; // 2026-12-08 0 h local

    ASSERT_TRUE(window.runCommand(QStringLiteral("mnuSatellitiPrevisioniPassaggi")));
    auto* passes = qobject_cast<frmVisibleSatellites*>(
        WindowRegistry::instance().find(QStringLiteral("frmVisibleSatellites")));
    ASSERT_NE(passes, nullptr);
    std::vector<QString> messages;
    passes->setMessageSink(
        [&](QMessageBox::Icon, const QString& text) { messages.push_back(text); });
    int questions = 0;
    passes->setThreeWayQuestion([&](const QString&) {
        ++questions;
        return QMessageBox::Yes;
    });
    passes->chkTransito->setChecked(false);
    passes->cmbDurata[0]->setCurrentIndex(24);
    QSignalSpy finished(passes, &frmVisibleSatellites::searchFinished);
    {
        const ModalAnswerer answerer(QMessageBox::Ok); // "open the primary database?"
        passes->cmdOK_Click(0);
        ASSERT_TRUE(finished.wait(10000));
    }
    ASSERT_EQ(Numero_satelliti, 2);
    int row = 0;
    while (passes->passAt(0, row) != nullptr &&
           passes->passAt(0, row)->row.catalogueNumber != "90001")
        ++row;
    ASSERT_NE(passes->passAt(0, row), nullptr) << "a pass of ALPHA";
    passes->lvwPass[0]->setCurrentIndex(passes->passList(0)->index(row, 0));
    ASSERT_TRUE(passes->cmdAttiva->isEnabled());

    // The database window has GAMMA chosen in its active list.
    frmDatabase* database = databaseWindow();
    ASSERT_NE(database, nullptr);
    auto* active = database->findChild<QListView*>(QStringLiteral("lstActive"));
    ASSERT_NE(active, nullptr);
    active->setCurrentIndex(active->model()->index(1, 0));
    Db_principale.assign({Record_TLE{}, beta}); // another database read since the search

    passes->cmdAttiva_Click();
    EXPECT_EQ(questions, 1);
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(Numero_satelliti, 3);
    EXPECT_EQ(RigaDati[1].Riga1, alpha.Riga1);
    EXPECT_EQ(RigaDati[2].Riga1, gamma.Riga1);
    EXPECT_EQ(RigaDati[3].Riga1, beta.Riga1);
    auto* count = database->findChild<QLabel*>(QStringLiteral("lblNumeroSatellitiAttivi"));
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->text(), QStringLiteral("3"));

    // Once more: ALPHA is active now, nothing is asked or added.
    passes->cmdAttiva_Click();
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(Numero_satelliti, 3);
    ASSERT_EQ(messages.size(), 1u);

    // Chart opens a chart of the pass's own satellite, whatever the slots hold by now.
    ASSERT_TRUE(passes->cmdMappa[0]->isEnabled());
    passes->cmdMappa_Click(0);
    passes->cmdMappa_Click(0);
    const QList<frmSkySat*> charts = window.mdiArea()->findChildren<frmSkySat*>();
    ASSERT_EQ(charts.size(), 2) << "a new chart for each click";
    EXPECT_EQ(charts.front()->request().satellite.Nome_satellite, "Alpha");
    EXPECT_EQ(charts.front()->request().elementLines.Riga1, alpha.Riga1);
    for (frmSkySat* chart : charts)
        WindowRegistry::instance().unload(chart);

    // File > Save over the pass window, the event lines in focus, saves the chosen pass.
    window.show();
    passes->SSTab1->setCurrentIndex(0);
    passes->lstPass[0]->setFocus();
    QApplication::setActiveWindow(&window);
    const QString saved = folderFile(QStringLiteral("pass.txt"));
    passes->setSaveChooser([&](QWidget*, const QString&, const QString&) { return saved; });
    ASSERT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(passes->lstPass[0]));
    ASSERT_TRUE(window.runCommand(QStringLiteral("mnuFileSalva")));
    EXPECT_TRUE(QString::fromUtf8(readTestFile(saved))
                    .startsWith(passes->chosenPass(0)->texts.lines[0] + QStringLiteral("\r\n")));

    // File > Print with the pass list above in focus prints the chosen pass.
    int printed = 0;
    passes->setPrintChooser([&](QWidget*) { ++printed; return false; }); // Cancel
    passes->lvwPass[0]->setFocus();
    window.runCommand(QStringLiteral("mnuFileStampa"));
    EXPECT_EQ(printed, 1);
}

} // namespace

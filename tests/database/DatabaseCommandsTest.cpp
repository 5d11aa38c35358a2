// The main window's entry points: the database window from the window registry, opening a
// file as primary or secondary database, and the removal of a decayed satellite; and what the
// live map windows are told when the principal goes.

#include "DatabaseWindowFixture.h"

#include "common/gates.h"
#include "controls/GraphButton/GraphButton.h"
#include "database/DatabaseCommands.h"
#include "database/frmDatabase.h"
#include "services/WindowRegistry.h"

#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QListView>

namespace {

class CommandsTest : public DatabaseWindowTest
{
protected:
    void TearDown() override
    {
        if (QWidget* registered = WindowRegistry::instance().find(kDatabaseWindowName))
            WindowRegistry::instance().unload(registered);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // The registry outlives the test's session: forget how to make a window over it.
        WindowRegistry::instance().define(kDatabaseWindowName, WindowLifetime::HideOnClose, {});
        DatabaseWindowTest::TearDown();
    }

    void activate(std::initializer_list<int> letters)
    {
        std::vector<Record_TLE> sets;
        for (int k : letters)
            sets.push_back(letterSet(k));
        m_session.active().add(sets);
    }

    static QStringList activeNames()
    {
        QStringList names;
        for (int slot = 1; slot <= Numero_satelliti; ++slot)
            names.append(QString::fromStdString(Satelement[slot].Nome_satellite));
        return names;
    }
};

} // namespace

TEST_F(CommandsTest, OpeningAFileReadsItShowsTheWindowAndKeepsItWhenClosed)
{
    defineDatabaseWindow(m_session, m_hooks);
    const MessageRecorder messages;
    const std::string option = "/earlier/choice.tle";
    Impostazioni.File_database = option;

    m_chooserAnswers = {QString(), writeElementFile("empty.tle", QByteArray())};
    Apertura_database(DatabaseKind::Primary); // cancelled
    EXPECT_TRUE(messages.shown.empty()) << "a cancelled choice is not told";
    Apertura_database(DatabaseKind::Primary); // an empty file
    frmDatabase* window = databaseWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(Impostazioni.File_database, option);
    EXPECT_EQ(window->entryCount(DatabaseKind::Primary), 0);
    ASSERT_EQ(messages.shown.size(), 1u) << "an empty file is told";
    EXPECT_TRUE(messages.anyContains(QStringLiteral("empty.tle")));
    EXPECT_TRUE(messages.anyContains(mLang::Testo_lingua(u"frmDatabase", u"filevuoto")));

    const QString secondary = writeElementFile("two.tle", elementFile({letterSet(0), letterSet(1)}));
    m_chooserAnswers = {secondary};
    Apertura_database(DatabaseKind::Secondary);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->entryCount(DatabaseKind::Secondary), 2);
    EXPECT_EQ(Impostazioni.File_database, option) << "a secondary database is no option";

    const QString primary = writeElementFile("three.tle", elementFile({letterSet(0), letterSet(1), letterSet(2)}));
    m_chooserAnswers = {primary};
    Apertura_database(DatabaseKind::Primary);
    EXPECT_EQ(Impostazioni.File_database, primary.toStdString());
    EXPECT_EQ(window->entryCount(DatabaseKind::Primary), 3);
    EXPECT_EQ(messages.shown.size(), 1u) << "no message but the empty file's";

    window->findChild<QListView*>(QStringLiteral("lstDatabase(0)"))
        ->selectionModel()
        ->select(window->findChild<QListView*>(QStringLiteral("lstDatabase(0)"))->model()->index(1, 0),
                 QItemSelectionModel::Select);
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(databaseWindow(), window) << "closing only hides the window";
    EXPECT_EQ(window->entryCount(DatabaseKind::Primary), 3);
    EXPECT_EQ(window->findChild<QListView*>(QStringLiteral("lstDatabase(0)"))
                  ->selectionModel()
                  ->selectedRows()
                  .size(),
              1);
}

TEST_F(CommandsTest, DecayRemovesExactlyThatSatelliteWhateverIsChosen)
{
    activate({0, 1, 2, 3});
    defineDatabaseWindow(m_session, m_hooks);
    frmDatabase* window = databaseWindow();
    ASSERT_NE(window, nullptr);
    auto* active = window->findChild<QListView*>(QStringLiteral("lstActive"));
    active->selectionModel()->select(active->model()->index(0, 0), QItemSelectionModel::Select);
    active->selectionModel()->select(active->model()->index(3, 0), QItemSelectionModel::Select);
    const MessageRecorder messages;

    Azzera(3, m_session.active(), window);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("C"));
    EXPECT_TRUE(messages.shown[0].text.contains(english("MDIForm1", "satellitedecaduto1")));
    EXPECT_EQ(activeNames(), (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("D")}));
    EXPECT_EQ(workingSetNames(), activeNames());
    EXPECT_EQ(active->model()->rowCount(), 3) << "the open window follows";
    EXPECT_EQ(pflgSatellite.holdCount(), 0);
    EXPECT_EQ(m_principalChanges, 0) << "not the principal: the data boxes stay";
    EXPECT_FALSE(window->isVisible()) << "the database window is not opened for it";

    // The principal goes: the maps are told once; the next one is principal.
    Azzera(1, m_session.active(), window);
    EXPECT_EQ(activeNames(), (QStringList{QStringLiteral("B"), QStringLiteral("D")}));
    EXPECT_EQ(m_principalChanges, 1);
    EXPECT_EQ(m_principalNames.last(), QStringLiteral("B"));

    const std::size_t shown = messages.shown.size();
    Azzera(5, m_session.active(), window);
    EXPECT_EQ(messages.shown.size(), shown) << "a slot that is not active is left alone";
    EXPECT_EQ(Numero_satelliti, 2);
}

TEST_F(CommandsTest, EmptyingTheActiveListTellsTheMapsTheirPrincipalIsGone)
{
    activate({0, 1});
    frmDatabase& database = window();
    {
        const MessageRecorder refuse(QMessageBox::No);
        emit database.findChild<GraphButton*>(QStringLiteral("cmdRemoveAll"))->Click();
        EXPECT_EQ(Numero_satelliti, 2) << "answered No";
    }
    EXPECT_EQ(m_principalChanges, 0);
    const MessageRecorder agree(QMessageBox::Yes);
    emit database.findChild<GraphButton*>(QStringLiteral("cmdRemoveAll"))->Click();

    EXPECT_EQ(Numero_satelliti, 0);
    EXPECT_TRUE(workingSetNames().isEmpty());
    EXPECT_EQ(m_principalChanges, 1) << "the maps clear their principal";
    EXPECT_EQ(m_principalNames.last(), QString());
    EXPECT_FALSE(database.findChild<GraphButton*>(QStringLiteral("cmdRemove(0)"))->isEnabled());
    EXPECT_EQ(caption("lblNumeroSatellitiAttivi"), QStringLiteral("0"));
}

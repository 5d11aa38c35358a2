// Enter and Esc in every window that has a default button: an open drop-down list and a cell
// being edited take the key first and the window stays open; otherwise Enter presses the
// default button and Esc the cancel button. Each window opens with its focus on its first
// input control, also when it is opened again.

#include "MainWindowTestSupport.h"

#include "app/WindowCatalogue.h"
#include "common/element_databases.h"
#include "controls/GraphButton/GraphButton.h"
#include "database/DatabaseCommands.h"
#include "database/frmDatabase.h"
#include "dialogs/frmAddLocation.h"
#include "dialogs/frmSettings.h"
#include "mainwindow/MDIForm1.h"
#include "services/WindowNames.h"
#include "services/WindowRegistry.h"
#include "skycharts/frmObject.h"
#include "worldmap/frmChannel.h"
#include "worldmap/frmSatellite.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <memory>

namespace {

/// One window with a default button, as the user meets it.
struct DialogRow
{
    const char* label;
    /// Opens the window (through the window registry or as the test's own window).
    std::function<QWidget*(MDIForm1&, std::unique_ptr<QWidget>& own)> open;
    /// The drop-down list the user opens; empty when the window has none.
    const char* list = "";
    /// An address list whose cells the user edits; empty when there is none.
    const char* cells = "";
    /// The options dialog page shown first; -1 for other windows.
    int page = -1;
};

const QString kChannel = QStringLiteral("frmChannel");

QWidget* registered(const QString& name)
{
    return WindowRegistry::instance().form(name);
}

QWidget* settingsPage(int page)
{
    auto* settings = qobject_cast<frmSettings*>(registered(windowNames::kSettings));
    settings->setCurrentPage(page);
    return settings;
}

const std::vector<DialogRow>& rows()
{
    static const std::vector<DialogRow> table{
        {"time", [](MDIForm1&, auto&) { return registered(windowNames::kTime); }},
        {"satellite",
         [](MDIForm1&, auto&) {
             auto* window = WindowRegistry::instance().form<frmSatellite>(windowNames::kSatellite);
             window->gintIndice = 1;
             return window;
         }},
        {"sky object",
         [](MDIForm1& main, std::unique_ptr<QWidget>& own) {
             auto* window = new frmObject(&main);
             window->gintOggetto = 4; // a planet
             own.reset(window);
             return window;
         }},
        {"limiting magnitude", [](MDIForm1&, auto&) { return registered(windowNames::kMagnitude); },
         "cmbMagnitudine"},
        {"options, general", [](MDIForm1&, auto&) { return settingsPage(0); }, "cmbData", "", 0},
        {"options, time servers", [](MDIForm1&, auto&) { return settingsPage(9); }, "", "lvwServerNTP",
         9},
        {"options, download sources", [](MDIForm1&, auto&) { return settingsPage(12); }, "",
         "lvwDownload", 12},
        {"about", [](MDIForm1&, auto&) { return registered(windowNames::kAbout); }},
        {"language", [](MDIForm1&, auto&) { return registered(windowNames::kLanguage); }},
        {"location", [](MDIForm1&, auto&) { return registered(windowNames::kLocation); },
         "cmbOffset"},
        {"new location",
         [](MDIForm1& main, std::unique_ptr<QWidget>& own) {
             own = std::make_unique<frmAddLocation>(&main);
             return own.get();
         },
         "cmbLatitude"},
        {"clock synchronisation", [](MDIForm1&, auto&) { return registered(windowNames::kSyncro); },
         "cmbURL"},
        {"download", [](MDIForm1&, auto&) { return registered(windowNames::kDownload); },
         "cmbFileRemoto"},
        {"relative motion", [](MDIForm1&, auto&) { return registered(windowNames::kRelative); },
         "cmbIntervallo"},
        {"ephemeris", [](MDIForm1&, auto&) { return registered(windowNames::kCalc); }, "cmbIntervallo"},
        {"radio channel",
         [](MDIForm1&, auto&) {
             auto* chooser = WindowRegistry::instance().form<frmChannel>(kChannel);
             chooser->chooseFor(0, 1, 1);
             return chooser;
         }},
    };
    return table;
}

class DialogKeys : public MainWindowTest, public ::testing::WithParamInterface<std::size_t>
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        TestOrbit second;
        second.catalogueNumber = 90002;
        second.meanMotionRevPerDay = 14.2;
        loadWorkingSet({elementSet("FIRST", TestOrbit{}), elementSet("SECOND", second)});
        writeTestFile(folderFile(QStringLiteral("cities.dat")),
                      "\"Italy: Milano\",45.47,9.19,1\r\n\"Peru: Lima\",-12.05,-77.05,-5\r\n");
        defineWindows(mainWindow());
        mainWindow().setGeometry(50, 50, 1200, 900);
        mainWindow().show();
    }

    void TearDown() override
    {
        m_own.reset();
        for (const QString& name :
             {windowNames::kSatellite, windowNames::kMagnitude, windowNames::kSettings,
              windowNames::kAbout, windowNames::kLanguage, windowNames::kLocation,
              windowNames::kSyncro, windowNames::kDownload, windowNames::kRelative,
              windowNames::kCalc, kChannel})
            forgetWindow(name);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        MainWindowTest::TearDown();
    }

    std::unique_ptr<QWidget> m_own;
};

/// The button's own actions are taken off, so that pressing it only counts.
std::unique_ptr<QSignalSpy> countedOnly(QObject* button)
{
    if (auto* picture = qobject_cast<GraphButton*>(button)) {
        QObject::disconnect(picture, &GraphButton::Click, nullptr, nullptr);
        return std::make_unique<QSignalSpy>(picture, &GraphButton::Click);
    }
    if (auto* push = qobject_cast<QPushButton*>(button)) {
        QObject::disconnect(push, &QPushButton::clicked, nullptr, nullptr);
        return std::make_unique<QSignalSpy>(push, &QPushButton::clicked);
    }
    return nullptr;
}

int count(const std::unique_ptr<QSignalSpy>& spy)
{
    return spy ? static_cast<int>(spy->count()) : 0;
}

/// A control where Enter means "done": a text box, else a list, else the window itself.
QWidget* plainField(QWidget& window)
{
    const auto shown = [&window](const QWidget* widget) {
        return widget->isVisibleTo(&window) && widget->isEnabled();
    };
    for (QLineEdit* edit : window.findChildren<QLineEdit*>()) {
        if (shown(edit) && !edit->isReadOnly() && qobject_cast<QComboBox*>(edit->parentWidget()) == nullptr &&
            qobject_cast<QAbstractItemView*>(edit->parentWidget()) == nullptr)
            return edit;
    }
    for (QAbstractItemView* list : window.findChildren<QAbstractItemView*>()) {
        if (shown(list) && qobject_cast<QComboBox*>(list->parentWidget()) == nullptr &&
            list->window() == &window)
            return list;
    }
    return &window;
}

/// The first control of the window's Tab order that takes input: not a push button; null for
/// a window of buttons only.
QWidget* firstInputControl(QWidget& window)
{
    for (QWidget* next = window.nextInFocusChain(); next != &window;
         next = next->nextInFocusChain()) {
        const bool reachable = (next->focusPolicy() & Qt::TabFocus) != 0 &&
                               next->isVisibleTo(&window) && next->isEnabled();
        if (!reachable)
            continue;
        if (qobject_cast<GraphButton*>(next) != nullptr ||
            qobject_cast<QPushButton*>(next) != nullptr)
            continue;
        return next;
    }
    return nullptr;
}

} // namespace

TEST_P(DialogKeys, EnterAndEscReachTheListOrCellFirstAndTheButtonsOtherwise)
{
    const DialogRow& row = rows()[GetParam()];
    SCOPED_TRACE(row.label);
    QWidget* window = row.open(mainWindow(), m_own);
    ASSERT_NE(window, nullptr);
    window->show();
    if (row.page >= 0)
        QMetaObject::invokeMethod(window, "setCurrentPage", Q_ARG(int, row.page));
    QCoreApplication::processEvents();
    ASSERT_TRUE(window->isVisible());
    if (QWidget* first = firstInputControl(*window)) {
        const QWidget* focused = window->focusWidget();
        EXPECT_TRUE(focused == first || first->focusProxy() == focused)
            << "opens with its focus on " << first->objectName().toStdString() << ", not "
            << (focused != nullptr ? focused->objectName().toStdString() : "nothing");
    }

    // The default button: a picture button, or a push button in the time window.
    QObject* ok = window->findChild<GraphButton*>(QStringLiteral("cmdOK"));
    if (ok != nullptr) {
        ASSERT_TRUE(static_cast<GraphButton*>(ok)->Default());
    } else {
        auto* push = window->findChild<QPushButton*>(QStringLiteral("cmdOK"));
        ASSERT_NE(push, nullptr);
        ASSERT_TRUE(push->isDefault());
        ok = push;
    }
    GraphButton* cancel = nullptr;
    for (GraphButton* button : window->findChildren<GraphButton*>()) {
        if (button->Cancel())
            cancel = button;
    }
    const std::unique_ptr<QSignalSpy> okPresses = countedOnly(ok);
    const std::unique_ptr<QSignalSpy> cancelPresses = cancel == ok ? nullptr : countedOnly(cancel);
    const auto untouched = [&] {
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(count(okPresses), 0);
        EXPECT_EQ(count(cancelPresses), 0);
    };

    if (*row.list != '\0') {
        auto* list = window->findChild<QComboBox*>(QString::fromLatin1(row.list));
        ASSERT_NE(list, nullptr) << row.list;
        ASSERT_GE(list->count(), 2) << row.list;
        list->setCurrentIndex(0);
        list->setFocus();
        list->showPopup();
        ASSERT_TRUE(list->view()->isVisible());
        QTest::keyClick(list->view(), Qt::Key_Down);
        QTest::keyClick(list->view(), Qt::Key_Return);
        EXPECT_EQ(list->currentIndex(), 1) << "Enter chose the entry";
        EXPECT_FALSE(list->view()->isVisible()) << "and closed the list";
        untouched();
        list->showPopup();
        QTest::keyClick(list->view(), Qt::Key_Down);
        QTest::keyClick(list->view(), Qt::Key_Escape);
        EXPECT_FALSE(list->view()->isVisible());
        EXPECT_EQ(list->currentIndex(), 1) << "Esc closed the list without a choice";
        untouched();
    }

    if (*row.cells != '\0') {
        auto* cells = window->findChild<QTreeWidget*>(QString::fromLatin1(row.cells));
        ASSERT_NE(cells, nullptr) << row.cells;
        ASSERT_GT(cells->topLevelItemCount(), 1);
        const QString kept = cells->topLevelItem(1)->text(0);
        const auto editRow = [&](int index) -> QLineEdit* {
            QTreeWidgetItem* item = cells->topLevelItem(index);
            cells->setFocus();
            cells->setCurrentItem(item);
            // As the view reports a double click on the row.
            emit cells->itemDoubleClicked(item, 0);
            for (QLineEdit* editor : cells->viewport()->findChildren<QLineEdit*>()) {
                if (editor->isVisible())
                    return editor;
            }
            return nullptr;
        };
        QLineEdit* editor = editRow(0);
        ASSERT_NE(editor, nullptr) << "a double click opens the cell";
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("example.org/elements/mine.txt"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the cell takes the text after the key
    QCoreApplication::processEvents(); // the cell takes the text after the key
        EXPECT_EQ(cells->topLevelItem(0)->text(0), QStringLiteral("example.org/elements/mine.txt"));
        untouched();
        editor = editRow(1);
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, QStringLiteral("dropped"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
        EXPECT_EQ(cells->topLevelItem(1)->text(0), kept);
        untouched();
    }

    QWidget* field = plainField(*window);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(count(okPresses), 1) << "Enter in " << field->objectName().toStdString();
    if (cancel != nullptr) {
        QTest::keyClick(field, Qt::Key_Escape);
        EXPECT_EQ(cancel == ok ? count(okPresses) - 1 : count(cancelPresses), 1)
            << "Esc in " << field->objectName().toStdString();
    }
    window->hide();
}

INSTANTIATE_TEST_SUITE_P(EveryWindowWithADefaultButton, DialogKeys,
                         ::testing::Range<std::size_t>(0, rows().size()));

namespace {

/// The database window as the user opens it from the Satellites menu, over a database of two
/// satellites, beside the main window's other document windows.
class DatabaseWindowKeys : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        TestOrbit second;
        second.catalogueNumber = 90002;
        QByteArray file;
        for (const Record_TLE& set :
             {elementSet("FIRST", TestOrbit{}), elementSet("SECOND", second)})
            file += QByteArray::fromStdString(set.Riga0 + "\r\n" + set.Riga1 + "\r\n" + set.Riga2 +
                                              "\r\n");
        const QString path = folderFile(QStringLiteral("elements.txt"));
        writeTestFile(path, file);
        Impostazioni.File_database = path.toStdString();
        defineWindows(mainWindow());
        mainWindow().setGeometry(50, 50, 1200, 900);
        mainWindow().show();
        mainWindow().activateWindow();
        QCoreApplication::processEvents();
    }

    void TearDown() override
    {
        MainWindowTest::TearDown();
        Db_principale = m_primary;
    }

    frmDatabase* openDatabaseWindow()
    {
        mainWindow().runCommand(QStringLiteral("mnuSatellitiDatabase"));
        QCoreApplication::processEvents();
        return databaseWindow();
    }

    std::vector<Record_TLE> m_primary = Db_principale;
};

} // namespace

TEST_F(DatabaseWindowKeys, OpenedAgainWithTheFocusOnItsListWhereEnterPressesOK)
{
    frmDatabase* window = openDatabaseWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->isVisible());
    auto* list = window->findChild<QListView*>(QStringLiteral("lstDatabase(0)"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(window->focusWidget(), list) << "opens with its focus on its list";

    // Help chosen, then the window closed with OK, as the user leaves it.
    auto* help = window->findChild<GraphButton*>(QStringLiteral("cmdHelp"));
    help->setFocus(Qt::MouseFocusReason);
    emit window->findChild<GraphButton*>(QStringLiteral("cmdOK"))->Click();
    QCoreApplication::processEvents();
    ASSERT_FALSE(window->isVisible());

    window = openDatabaseWindow();
    ASSERT_TRUE(window->isVisible());
    QWidget* focused = window->focusWidget();
    EXPECT_EQ(focused, list) << (focused != nullptr ? focused->objectName().toStdString() : "none");

    // Enter in the list is the list's only when it edits nothing: OK takes it and closes.
    QSignalSpy helpPresses(help, &GraphButton::Click);
    list->setCurrentIndex(list->model()->index(0, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(helpPresses.count(), 0);
    EXPECT_FALSE(window->isVisible()) << "Enter pressed OK";
}

// The windows of the other parts of the program as the catalogue joins them to the main
// window: the location dialog and the options dialog, and what they refresh; the date fields
// of every window, which only their calendar button and the keyboard change; and the texts of
// every window whole at a desktop font larger than Qt's.

#include "ChartProbes.h"
#include "MainWindowTestSupport.h"

#include "app/WindowCatalogue.h"
#include "common/program_time.h"
#include "controls/AnalogClock/AnalogClock.h"
#include "controls/DateTimeField/DateTimeField.h"
#include "controls/GraphButton/GraphButton.h"
#include "dialogs/frmAddLocation.h"
#include "dialogs/frmLocation.h"
#include "dialogs/frmSettings.h"
#include "predictions/PassFormat.h"
#include "mainwindow/MDIForm1.h"
#include "services/WindowNames.h"
#include "skycharts/frmGeneralSky.h"
#include "services/mGlobal.h"
#include "services/mReg.h"
#include "tracking/TrackingModel.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QStyle>
#include <QTreeView>
#include <QListWidget>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

namespace {

class ProgramWindows : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        defineWindows(mainWindow());
    }

    void TearDown() override
    {
        // The catalogue's windows belong to this test's main window: none may outlive it.
        WindowRegistry& windows = WindowRegistry::instance();
        for (const QString& name :
             {windowNames::kWorldMap, windowNames::kLocalSky, windowNames::kGeneralSky,
              windowNames::kLocation,
              windowNames::kSettings, windowNames::kAbout, windowNames::kLanguage,
              windowNames::kCalendar, windowNames::kDownload, windowNames::kSyncro,
              windowNames::kDetails, windowNames::kCalc, windowNames::kRelative,
              windowNames::kVisibleSatellites, windowNames::kRiseSet}) {
            if (QWidget* window = windows.find(name))
                windows.unload(window);
            windows.define(name, WindowLifetime::UnloadOnClose, {});
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        MainWindowTest::TearDown();
    }
};

} // namespace

TEST_F(ProgramWindows, DateFieldsChangeOnlyThroughTheirCalendarButtonAndTheKeyboard)
{
    Data_attuale = 46364.5; // 2026-12-08 12 h: a day that can step up
    mainWindow().show();
    int fields = 0;
    for (const QString& name : {windowNames::kTime, windowNames::kCalc, windowNames::kRelative,
                                windowNames::kVisibleSatellites, windowNames::kRiseSet}) {
        QWidget* shown = WindowRegistry::instance().form(name); // no modal loop of the command
        shown->parentWidget()->show(); // the frame of a document window
        shown->show();
        if (auto* realTime = shown->findChild<QCheckBox*>(QStringLiteral("chkUsaOraPc")))
            realTime->setChecked(false); // the simulation start is set with the clock stopped
        for (DateTimeField* field : shown->findChildren<DateTimeField*>()) {
            SCOPED_TRACE((name + u' ' + field->objectName()).toStdString());
            ++fields;
            if (auto* tabs = shown->findChild<QTabWidget*>(); tabs && !field->isVisible())
                tabs->setCurrentWidget(field->parentWidget());
            QApplication::setActiveWindow(field->window());
            field->setFocus();
            const QDateTime before = field->dateTime();
            QTest::keyClick(field, Qt::Key_Up);
            EXPECT_NE(field->dateTime(), before) << "the keyboard steps the value";
            const QDateTime stepped = field->dateTime();
            const QRect button = field->calendarButton();
            const int w = field->width(), h = field->height();
            for (const QPoint at : {QPoint(w / 2, h - 1), QPoint(w / 2, h - 2),
                                    QPoint(button.left() - 1, h - 1), QPoint(w - 1, h / 2)})
                QTest::mouseClick(field, Qt::LeftButton, {}, at);
            QWheelEvent wheel({}, {}, {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(field, &wheel);
            EXPECT_EQ(field->dateTime(), stepped) << "a click on the edge or the wheel stepped it";
            QTest::mouseClick(field, Qt::LeftButton, {}, button.center());
            EXPECT_TRUE(field->calendarWidget()->isVisible()) << "the button opens the calendar";
            QTest::keyClick(field->calendarWidget(), Qt::Key_Escape);
        }
    }
    EXPECT_EQ(fields, 7) << "every date field of the program";
}

TEST_F(ProgramWindows, LocationPanelAndButtonOpenTheLocationDialog)
{
    writeTestFile(folderFile(QStringLiteral("cities.dat")), "\"Italy: Milano\",45.47,9.19,1\r\n");
    MDIForm1& window = mainWindow();
    EXPECT_TRUE(window.toolbarButton(QStringLiteral("Location"))->isEnabled());
    window.StatusBar1_PanelClick(3);
    ASSERT_TRUE(mGlobal::Form_caricato(windowNames::kLocation));
    QWidget* location = WindowRegistry::instance().find(windowNames::kLocation);
    EXPECT_TRUE(location->isVisible());
    location->close();
    EXPECT_TRUE(mGlobal::Form_caricato(windowNames::kLocation)) << "closing only hides it";
    window.Toolbar1_ButtonClick(QStringLiteral("Location"));
    EXPECT_TRUE(location->isVisible());
}

TEST_F(ProgramWindows, WholeSkyButtonOpensTheChartThatItsMenuDrives)
{
    MDIForm1& window = mainWindow();
    window.show(); // the chart draws once it is on screen
    EXPECT_TRUE(window.menuItem(mnu(u"mnuCieloMappaGenerale"))->isEnabled());
    ASSERT_TRUE(window.toolbarButton(QStringLiteral("SkyMap"))->isEnabled());
    window.Toolbar1_ButtonClick(QStringLiteral("SkyMap"));
    ASSERT_TRUE(mGlobal::Form_caricato(windowNames::kGeneralSky));
    auto* sky = qobject_cast<frmGeneralSky*>(WindowRegistry::instance().find(windowNames::kGeneralSky));
    ASSERT_NE(sky, nullptr);
    QCoreApplication::processEvents();
    ASSERT_GT(sky->redrawCount(), 0);

    const bool grid = window.menuItem(mnu(u"mnuGeneralSkyGriglia"))->isChecked();
    int before = sky->redrawCount();
    window.runCommand(QStringLiteral("mnuGeneralSkyGriglia"));
    EXPECT_EQ(window.menuItem(mnu(u"mnuGeneralSkyGriglia"))->isChecked(), !grid);
    EXPECT_EQ(sky->redrawCount(), before + 1);

    window.runCommand(QStringLiteral("mnuGeneralSkyZoom"));
    EXPECT_TRUE(window.menuItem(mnu(u"mnuGeneralSkyZoom"))->isChecked());
    EXPECT_TRUE(window.menuItem(mnu(u"mnuGeneralSkyRipristina"))->isEnabled());
    before = sky->redrawCount();
    window.runCommand(QStringLiteral("mnuGeneralSkyRidisegnaMappa"));
    EXPECT_EQ(sky->redrawCount(), before + 1);

    window.runCommand(QStringLiteral("mnuGeneralSkyChiudi"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(mGlobal::Form_caricato(windowNames::kGeneralSky));
    EXPECT_FALSE(window.menuItem(mnu(u"mnuGeneralSkyZoom"))->isChecked());
}

TEST_F(ProgramWindows, NewObserverRedrawsTheOpenMapsAndTheStatusBar)
{
    writeTestFile(folderFile(QStringLiteral("cities.dat")),
                  "\"Italy: Milano\",45.47,9.19,1\r\n\"Peru: Lima\",-12.05,-77.05,-5\r\n");
    MDIForm1& window = mainWindow();
    const LoadedWindow map(windowNames::kWorldMap);
    window.runCommand(QStringLiteral("mnuOpzioniLocalita"));
    auto* location =
        qobject_cast<frmLocation*>(WindowRegistry::instance().find(windowNames::kLocation));
    ASSERT_NE(location, nullptr);
    location->findChild<QListWidget*>(QStringLiteral("cmbCity"))
        ->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
    QSignalSpy told(&TrackingModel::instance(), &TrackingModel::observerChanged);
    location->cmdOk_Click();
    EXPECT_EQ(told.count(), 1) << "the maps redraw for the new observer when told";

    EXPECT_EQ(Osservatore.Nome_localita, "Peru: Lima");
    EXPECT_EQ(window.statusPanelText(3), QStringLiteral("Peru: Lima"));
    EXPECT_FALSE(location->isVisible());
}

TEST_F(ProgramWindows, OptionsEntriesOpenTheirPageAndOkRefreshesTheOpenMap)
{
    MDIForm1& window = mainWindow();
    const LoadedWindow map(windowNames::kWorldMap);
    const ChartCommandRecorder charts;
    const struct
    {
        const char* item;
        int page;
    } entries[] = {
        {"mnuOpzioniGenerali", 0},    {"mnuOpzioniSatelliti", 1},     {"mnuOpzioniMappamondo", 2},
        {"mnuOpzioniCieloLocale", 3}, {"mnuOpzioniCieloGenerale", 5}, {"mnuOpzioniAnteprime", 6},
        {"mnuOpzioniFiltri", 8},      {"mnuOpzioniServerNTP", 9},     {"mnuOpzioniColori", 10},
        {"mnuOpzioniDownload", 12},   {"mnuOpzioniEsegui", 13}};
    frmSettings* settings = nullptr;
    for (const auto& entry : entries) {
        ASSERT_TRUE(window.menuItem(QString::fromLatin1(entry.item))->isEnabled()) << entry.item;
        window.runCommand(QString::fromLatin1(entry.item));
        auto* shown =
            qobject_cast<frmSettings*>(WindowRegistry::instance().find(windowNames::kSettings));
        ASSERT_NE(shown, nullptr);
        if (settings != nullptr) {
            EXPECT_EQ(shown, settings) << "an open dialog only switches its page";
        }
        settings = shown;
        EXPECT_EQ(settings->currentPage(), entry.page) << entry.item;
        EXPECT_TRUE(settings->isVisible());
    }
    EXPECT_TRUE(window.toolbarButton(QStringLiteral("Impostazioni"))->isEnabled());

    settings->findChild<QCheckBox*>(QStringLiteral("chkWorldMapGriglia"))->setChecked(false);
    settings->findChild<QCheckBox*>(QStringLiteral("chkWorldMapCoordinateMouse"))->setChecked(true);
    settings->findChild<QCheckBox*>(QStringLiteral("chkBarraStato"))->setChecked(false);
    settings->cmdOK_Click();

    EXPECT_FALSE(Impostazioni.Mappamondo_griglia);
    EXPECT_FALSE(window.menuItem(QStringLiteral("mnuWorldmapGriglia"))->isChecked());
    EXPECT_FALSE(window.toolbarButton(QStringLiteral("Griglia"))->isChecked());
    EXPECT_TRUE(TrackingModel::instance().worldMap().coordinateMouse);
    EXPECT_TRUE(window.menuItem(QStringLiteral("mnuWorldmapCoordinateMouse"))->isChecked());
    EXPECT_EQ(charts.count(ChartKind::WorldMap, ChartCommand::Redraw), 1);
    EXPECT_FALSE(window.menuItem(QStringLiteral("mnuVisualizzaBarraStato"))->isChecked());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(mGlobal::Form_caricato(windowNames::kSettings)) << "OK unloads the dialog";
}

TEST_F(ProgramWindows, SaveWritesTheOptionsShownToTheStore)
{
    MDIForm1& window = mainWindow();
    window.runCommand(QStringLiteral("mnuOpzioniSatelliti"));
    auto* settings =
        qobject_cast<frmSettings*>(WindowRegistry::instance().find(windowNames::kSettings));
    ASSERT_NE(settings, nullptr);
    settings->findChild<QComboBox*>(QStringLiteral("cmbPropagatore"))->setCurrentIndex(0);
    settings->cmdSave_Click();
    EXPECT_EQ(Impostazioni.Propagatore, 0);
    EXPECT_EQ(mReg::Leggi_registro(u"Quorvanel", u"Satelliti", u"Propagatore", u"?"),
              QStringLiteral("0"));
}

namespace {

/// Every caption and value of `window` as wide and as tall as a line of its font, and every
/// picture button's caption on one line inside its frame.
void expectTextsWhole(const QWidget* window, const char* what)
{
    SCOPED_TRACE(what);
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        const QString text = label->text();
        if (!label->isVisible() || label->wordWrap() || Qt::mightBeRichText(text))
            continue;
        const QRect room = label->contentsRect();
        EXPECT_TRUE(room.width() >= label->fontMetrics().horizontalAdvance(text) &&
                    room.height() >= label->fontMetrics().height())
            << label->objectName().toStdString() << " '" << text.toStdString() << "'";
    }
    constexpr int kInset = 4; // a picture button's frame and bevel
    for (const GraphButton* button : window->findChildren<GraphButton*>()) {
        const QString caption = button->Caption();
        if (!button->isVisible() || caption.isEmpty())
            continue;
        // Wrapped as the button wraps it, inside margins of an average character.
        const QFontMetrics metrics(button->font());
        const auto height = [&metrics, &caption](int width) {
            return metrics.boundingRect(QRect(0, 0, std::max(width, 1), 1000),
                                        Qt::AlignCenter | Qt::TextWordWrap, caption).height();
        };
        const int content = button->width() - 2 * kInset;
        EXPECT_TRUE(height(content - 2 * metrics.averageCharWidth()) == height(10000) &&
                    content >= metrics.horizontalAdvance(caption) &&
                    button->height() - 4 >= metrics.height() &&
                    button->parentWidget()->rect().contains(button->geometry()))
            << button->objectName().toStdString() << " '" << caption.toStdString() << "'";
    }
}

/// The same in every tab of every tab set of `window`, each brought to the front in turn, at
/// the size the window has.
void expectEveryTabWhole(QWidget* window, const char* what)
{
    const QList<QTabWidget*> tabSets = window->findChildren<QTabWidget*>();
    if (tabSets.isEmpty())
        expectTextsWhole(window, what);
    for (QTabWidget* tabs : tabSets) {
        for (int k = 0; k < tabs->count(); ++k) {
            tabs->setCurrentIndex(k);
            QCoreApplication::processEvents();
            const std::string tab = std::string(what) + ", tab " + tabs->tabText(k).toStdString();
            expectTextsWhole(window, tab.c_str());
        }
    }
}

} // namespace

TEST_F(ProgramWindows, AtALargeDesktopFontEveryFixedSizeHoldsItsText)
{
    // A desktop's own font, as KDE and GNOME set it larger than Qt's: the windows are made in it.
    const QFont qtDefault = QApplication::font();
    const auto restore = qScopeGuard([&qtDefault] { QApplication::setFont(qtDefault); });
    QFont desktop = qtDefault;
    desktop.setPointSize(12);
    QApplication::setFont(desktop);
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORVANEL_DATA_DIR "/MapEarth.dat"),
                            folderFile(QStringLiteral("MapEarth.dat"))));
    openGates();
    loadWorkingSet({elementSet("COSMOS 482 DESCENT CRAFT", TestOrbit{})});
    MDIForm1& window = mainWindow();
    window.resize(1600, 1000);
    window.show();
    window.tmrCentrale_Timer();
    WindowRegistry& windows = WindowRegistry::instance();
    const auto shown = [&windows](const QString& name) {
        QWidget* form = windows.form(name);
        if (form->parentWidget() != nullptr)
            form->parentWidget()->show(); // the frame of a document window
        form->show();
        QCoreApplication::processEvents();
        return form;
    };
    const auto unload = qScopeGuard([&windows] {
        for (const QString& name : {windowNames::kTrack, windowNames::kSatellite, windowNames::kTime})
            if (QWidget* form = windows.find(name))
                windows.unload(form);
    });

    expectTextsWhole(shown(windowNames::kWorldMap), "the world map");
    expectTextsWhole(shown(windowNames::kLocalSky), "the local sky");
    expectEveryTabWhole(shown(windowNames::kTrack), "the tracking table");
    expectTextsWhole(shown(windowNames::kSatellite), "the orbital elements");
    expectTextsWhole(shown(windowNames::kRiseSet), "the almanac");
    for (const AnalogClock* clock : shown(windowNames::kTime)->findChildren<AnalogClock*>()) {
        for (int hour = 1; hour <= 12; ++hour) {
            EXPECT_FALSE(clock->numberBox(hour).intersects(clock->numberBox(hour % 12 + 1)))
                << clock->objectName().toStdString() << " " << hour << " touches the next";
        }
    }
    // The place's decimal degrees: a four-digit fraction whole in its field.
    frmAddLocation modify(&window);
    modify.show();
    modify.findChild<QTabWidget*>(QStringLiteral("SSTab1"))->setCurrentIndex(1);
    auto* fraction = modify.findChild<QLineEdit*>(QStringLiteral("txtDegFrazLatitude"));
    // Inside its frame a field keeps two pixels free on either side, and one for the cursor.
    const int frame = fraction->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    EXPECT_GE(fraction->width() - 2 * (frame + 2),
              fraction->fontMetrics().horizontalAdvance(QStringLiteral("3469")) + 1);

    expectEveryTabWhole(&modify, "the place's Modify dialog");

    // The pass window opens on another tab than the one with the most rows.
    QWidget* passWindow = shown(windowNames::kVisibleSatellites);
    expectEveryTabWhole(passWindow, "the pass predictions");
    auto* passTabs = passWindow->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    for (int k = 0; k < passTabs->count(); ++k) {
        passTabs->setCurrentIndex(k);
        QCoreApplication::processEvents();
        const auto* list = passWindow->findChild<QWidget*>(QStringLiteral("lvwPass(%1)").arg(k));
        const auto* legend = passWindow->findChild<QWidget*>(QStringLiteral("lblLegenda(%1)").arg(k));
        EXPECT_FALSE(list->geometry().intersects(legend->geometry())) << "tab " << k << ": rows overlap";
    }
    passWindow->findChild<QTabWidget*>(QStringLiteral("SSTab1"))->setCurrentIndex(0);
    // A pass's three event lines, as wide as their heading, all in sight.
    auto* lines = passWindow->findChild<QListWidget*>(QStringLiteral("lstPass(0)"));
    const QString heading = passWindow->findChild<QLabel*>(QStringLiteral("lblLegenda(0)"))->text();
    lines->addItems({heading, heading, heading});
    QCoreApplication::processEvents();
    const QRect last = lines->visualItemRect(lines->item(2));
    EXPECT_TRUE(lines->viewport()->rect().contains(last))
        << last.bottom() << " below " << lines->viewport()->height();
    EXPECT_GE(lines->viewport()->width(), lines->fontMetrics().horizontalAdvance(heading));
    const auto* passes = passWindow->findChild<QTreeView*>(QStringLiteral("lvwPass(0)"));
    const int itemMargins =
        2 * (passes->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, passes) + 1);
    const QFontMetrics listFont = passes->fontMetrics();
    EXPECT_GE(passes->columnWidth(kColumnDuration),
              listFont.horizontalAdvance(QStringLiteral("00:05:12")) + itemMargins);
    EXPECT_GE(passes->columnWidth(kColumnName),
              listFont.horizontalAdvance(QStringLiteral("COSMOS 482 DESCENT CRAFT")) + itemMargins);
}

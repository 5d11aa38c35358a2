// The sky charts fill their document windows: opened beside a maximised window, maximised,
// restored, tiled, cascaded, resized, minimised and shown again, in the orders a user meets.
// After every change the chart is drawn at the size of its picture box, and the box fills the
// window's client area (the pass chart: the largest centred square).

#include "MainWindowTestSupport.h"

#include "app/WindowCatalogue.h"
#include "common/program_time.h"
#include "mainwindow/MDIForm1.h"
#include "services/WindowNames.h"
#include "services/WindowRegistry.h"
#include "services/PictureBox.h"
#include "skycharts/PassChartRequest.h"
#include "skycharts/frmGeneralSky.h"
#include "skycharts/frmLocalSky.h"
#include "skycharts/frmSkySat.h"
#include "tracking/TrackingModel.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <functional>
#include <ostream>
#include <string>

// Sizes and places read as numbers in a failure.
static void PrintTo(const QSize& size, std::ostream* out)
{
    *out << size.width() << " x " << size.height();
}

static void PrintTo(const QRect& rect, std::ostream* out)
{
    *out << rect.width() << " x " << rect.height() << " at " << rect.x() << ", " << rect.y();
}

namespace {

class ChartWindowSize : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        defineWindows(mainWindow());
        mainWindow().resize(1300, 900);
        mainWindow().show();
        settle();
    }

    void TearDown() override
    {
        WindowRegistry& windows = WindowRegistry::instance();
        for (const QString& name :
             {windowNames::kLocalSky, windowNames::kGeneralSky, windowNames::kSkySat}) {
            while (QWidget* window = windows.find(name))
                windows.unload(window);
            windows.define(name, WindowLifetime::UnloadOnClose, {});
        }
        mainWindow().mdiArea()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        MainWindowTest::TearDown();
    }

    static void settle()
    {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        }
    }

    template <class Chart> Chart* open(const char* item, const QString& name)
    {
        mainWindow().runCommand(QString::fromLatin1(item));
        settle();
        return qobject_cast<Chart*>(WindowRegistry::instance().find(name));
    }

    static QMdiSubWindow* frameOf(QWidget* chart)
    {
        return qobject_cast<QMdiSubWindow*>(chart->parentWidget());
    }

    /// Every open chart is drawn to its box and its box fills the window.
    void expectChartsFill(const std::string& when)
    {
        settle();
        const QList<QMdiSubWindow*> frames = mainWindow().mdiArea()->subWindowList();
        for (QMdiSubWindow* frame : frames) {
            QWidget* window = frame->widget();
            if (frame->isMinimized() || window == nullptr)
                continue;
            const std::string what = when + ", " + window->objectName().toStdString() + " in "
                                     + std::to_string(frame->width()) + " x "
                                     + std::to_string(frame->height());
            // The window fills the frame's client area.
            EXPECT_EQ(window->geometry(), frame->contentsRect()) << what;
            const PictureBox* box = window->findChild<PictureBox*>(QStringLiteral("Picture1"));
            ASSERT_NE(box, nullptr) << what;
            const QRect client = window->rect();
            if (auto* sky = qobject_cast<frmLocalSky*>(window)) {
                EXPECT_EQ(sky->drawnSize(), box->size()) << what;
                // A one-pixel margin, the data box on the right when it shows.
                EXPECT_EQ(box->geometry().top(), 1) << what;
                EXPECT_EQ(box->geometry().left(), 1) << what;
                EXPECT_EQ(box->geometry().bottom(), client.bottom() - 1) << what;
                const int right = sky->fraSatellitePrincipale->isVisible()
                                      ? sky->fraSatellitePrincipale->geometry().left() - 1
                                      : client.right() - 1;
                EXPECT_GE(box->geometry().right(), right - 8) << what;
            } else if (auto* whole = qobject_cast<frmGeneralSky*>(window)) {
                EXPECT_EQ(whole->drawnSize(), box->size()) << what;
                EXPECT_EQ(box->geometry(), client) << what;
            } else if (auto* pass = qobject_cast<frmSkySat*>(window)) {
                EXPECT_EQ(pass->drawnSize(), box->size()) << what;
                const int side = std::min(client.width(), client.height());
                EXPECT_EQ(box->size(), QSize(side, side)) << what;
                EXPECT_LE(std::abs(box->geometry().center().x() - client.center().x()), 1) << what;
                EXPECT_LE(std::abs(box->geometry().center().y() - client.center().y()), 1) << what;
            }
        }
    }
};

} // namespace

TEST_F(ChartWindowSize, ChartsFillTheirWindowsThroughEveryWindowState)
{
    MDIForm1& main = mainWindow();
    auto* whole = open<frmGeneralSky>("mnuCieloMappaGenerale", windowNames::kGeneralSky);
    ASSERT_NE(whole, nullptr);
    expectChartsFill("whole sky opened");
    frameOf(whole)->showMaximized();
    expectChartsFill("whole sky maximised");

    // Opened while another document window is maximised: it opens maximised as well.
    auto* local = open<frmLocalSky>("mnuCieloMappaLocale", windowNames::kLocalSky);
    ASSERT_NE(local, nullptr);
    EXPECT_TRUE(frameOf(local)->isMaximized());
    expectChartsFill("local sky opened over a maximised window");

    skycharts::PassChartRequest empty;
    empty.chartTime = empty.riseTime = empty.setTime = Data_attuale;
    frmSkySat* pass = frmSkySat::open(empty, main.mdiArea());
    ASSERT_NE(pass, nullptr);
    expectChartsFill("pass chart opened over a maximised window");

    // Restore gives each window its opening size back (10665 x 6870 twips for the skies).
    main.mdiArea()->setActiveSubWindow(frameOf(local));
    frameOf(local)->showNormal();
    EXPECT_EQ(frameOf(local)->size(), QSize(711, 458));
    expectChartsFill("local sky restored");
    frameOf(whole)->showNormal();
    EXPECT_EQ(frameOf(whole)->size(), QSize(711, 458));
    expectChartsFill("whole sky restored");
    frameOf(pass)->showNormal();
    expectChartsFill("pass chart restored");

    const struct
    {
        const char* what;
        std::function<void()> change;
    } steps[] = {
        {"maximised again", [&] { frameOf(local)->showMaximized(); }},
        {"tiled", [&] { main.runCommand(QStringLiteral("mnuFinestreDisponiTutto")); }},
        {"cascaded", [&] { main.runCommand(QStringLiteral("mnuFinestreDiscesa")); }},
        {"side by side", [&] { main.runCommand(QStringLiteral("mnuFinestreDisponiVerticale")); }},
        {"one above the other",
         [&] { main.runCommand(QStringLiteral("mnuFinestreDisponiOrizzontale")); }},
        {"resized", [&] {
             frameOf(local)->resize(500, 640);
             frameOf(whole)->resize(900, 300);
             frameOf(pass)->resize(300, 520);
         }},
        {"minimised and shown again", [&] {
             for (QWidget* chart : {static_cast<QWidget*>(local), static_cast<QWidget*>(whole),
                                    static_cast<QWidget*>(pass)}) {
                 frameOf(chart)->showMinimized();
                 settle();
                 frameOf(chart)->showNormal();
             }
         }},
        {"maximised after a cascade", [&] {
             main.runCommand(QStringLiteral("mnuFinestreDiscesa"));
             settle();
             frameOf(whole)->showMaximized();
         }},
        {"restored after the cascade", [&] { frameOf(whole)->showNormal(); }},
        {"local sky's data box hidden", [] {
             LocalSkyDisplay display = TrackingModel::instance().localSky();
             display.riquadroDati = !display.riquadroDati;
             TrackingModel::instance().setLocalSky(display);
         }},
    };
    for (const auto& step : steps) {
        step.change();
        expectChartsFill(step.what);
    }
}

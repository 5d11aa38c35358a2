// Windows by name: made on first use, loaded until unloaded, some only hidden when closed.

#include "services/WindowRegistry.h"
#include "services/mGlobal.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include <gtest/gtest.h>

#include <memory>

namespace {

void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

/// Defines the test windows on the program's registry and unloads whatever a test loaded.
class WindowRegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        registry.define(QStringLiteral("frmWorldMap"), WindowLifetime::UnloadOnClose,
                        [] { return new QWidget; });
        registry.define(QStringLiteral("frmTime"), WindowLifetime::HideOnClose,
                        [] { return new QWidget; });
        registry.define(QStringLiteral("frmSkySat"), WindowLifetime::NewPerRequest,
                        [] { return new QWidget; });
    }
    void TearDown() override
    {
        for (QWidget* window : registry.loadedWindows())
            registry.unload(window);
        processDeferredDeletes();
    }

    WindowRegistry& registry = WindowRegistry::instance();
};

TEST_F(WindowRegistryTest, WindowIsLoadedFromFirstUseUntilUnloadedWhateverTheCase)
{
    EXPECT_FALSE(mGlobal::Form_caricato(QStringLiteral("frmworldmap")));
    EXPECT_TRUE(registry.loadedWindows().isEmpty()) << "asking loads nothing";

    QWidget* map = registry.form(QStringLiteral("frmWorldMap"));
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->objectName(), QStringLiteral("frmWorldMap"));
    EXPECT_FALSE(map->isVisible()) << "made hidden";
    EXPECT_TRUE(mGlobal::Form_caricato(QStringLiteral("frmworldmap")));
    EXPECT_TRUE(mGlobal::Form_caricato(QStringLiteral("FRMWORLDMAP")));
    EXPECT_EQ(registry.form(QStringLiteral("FrmWorldMap")), map) << "one instance";

    QPointer<QWidget> alive(map);
    registry.unload(map);
    EXPECT_FALSE(mGlobal::Form_caricato(QStringLiteral("frmWorldMap"))) << "unloaded at once";
    processDeferredDeletes();
    EXPECT_TRUE(alive.isNull());
}

TEST_F(WindowRegistryTest, ClosingAWindowUnloadsIt)
{
    QPointer<QWidget> map = registry.form(QStringLiteral("frmWorldMap"));
    map->show();
    map->close();
    processDeferredDeletes();
    EXPECT_TRUE(map.isNull());
    EXPECT_FALSE(mGlobal::Form_caricato(QStringLiteral("frmWorldMap")));
    QWidget* again = registry.form(QStringLiteral("frmWorldMap"));
    EXPECT_NE(again, nullptr) << "the next use makes a new one";
}

TEST_F(WindowRegistryTest, HideOnCloseWindowKeepsItsStateWhenTheUserClosesIt)
{
    QPointer<QWidget> time = registry.form(QStringLiteral("frmTime"));
    time->setWindowTitle(QStringLiteral("state kept"));
    time->show();
    EXPECT_FALSE(time->close()) << "the close is turned into a hide";
    processDeferredDeletes();
    ASSERT_FALSE(time.isNull());
    EXPECT_FALSE(time->isVisible());
    EXPECT_TRUE(mGlobal::Form_caricato(QStringLiteral("frmTime")));
    EXPECT_EQ(registry.form(QStringLiteral("frmTime")), time.data());
    EXPECT_EQ(time->windowTitle(), QStringLiteral("state kept"));

    registry.unload(time); // program end, or closing every window: it goes too
    processDeferredDeletes();
    EXPECT_TRUE(time.isNull());
    EXPECT_FALSE(mGlobal::Form_caricato(QStringLiteral("frmTime")));
}

TEST_F(WindowRegistryTest, HideOnCloseWindowInTheWorkspaceHidesItsFrame)
{
    QMdiArea workspace;
    QWidget* time = registry.form(QStringLiteral("frmTime"));
    QMdiSubWindow* frame = workspace.addSubWindow(time);
    workspace.show();
    frame->show();
    frame->close();
    processDeferredDeletes();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(mGlobal::Form_caricato(QStringLiteral("frmTime")));
    EXPECT_EQ(workspace.subWindowList().size(), 1);

    QPointer<QMdiSubWindow> frameAlive(frame);
    registry.unload(time);
    processDeferredDeletes();
    EXPECT_TRUE(frameAlive.isNull()) << "unloading removes the frame from the workspace";
}

TEST_F(WindowRegistryTest, AWindowsOwnWayOutUnloadsItOrClosesItsFrame)
{
    // Loaded: unloaded, frame and all.
    QWidget* map = registry.form(QStringLiteral("frmWorldMap"));
    QPointer<QWidget> mapAlive(map);
    registry.unloadOrClose(map);
    EXPECT_FALSE(mGlobal::Form_caricato(QStringLiteral("frmWorldMap")));
    processDeferredDeletes();
    EXPECT_TRUE(mapAlive.isNull());

    // Made outside the registry, in the workspace: its frame closes.
    QMdiArea workspace;
    auto* own = new QWidget;
    own->setAttribute(Qt::WA_DeleteOnClose, false);
    QMdiSubWindow* frame = workspace.addSubWindow(own);
    workspace.show();
    frame->show();
    registry.unloadOrClose(own);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_FALSE(own->isVisible());

    // On its own: it closes.
    QWidget alone;
    alone.show();
    registry.unloadOrClose(&alone);
    EXPECT_FALSE(alone.isVisible());
    registry.unloadOrClose(nullptr);
}

TEST_F(WindowRegistryTest, PerRequestWindowsAreNewEachTimeAndListedInLoadOrder)
{
    QWidget* map = registry.form(QStringLiteral("frmWorldMap"));
    QWidget* firstChart = registry.form(QStringLiteral("frmSkySat"));
    QWidget* secondChart = registry.form(QStringLiteral("frmSkySat"));
    EXPECT_NE(firstChart, secondChart);
    EXPECT_EQ(registry.loadedWindows(), (QList<QWidget*>{map, firstChart, secondChart}));

    registry.unload(firstChart);
    EXPECT_TRUE(mGlobal::Form_caricato(QStringLiteral("frmSkySat"))) << "the second is open";
    EXPECT_EQ(registry.find(QStringLiteral("frmskysat")), secondChart);
}

TEST_F(WindowRegistryTest, UnknownWindowIsNeitherMadeNorFound)
{
    EXPECT_EQ(registry.form(QStringLiteral("frmNotAWindow")), nullptr);
    EXPECT_FALSE(mGlobal::Form_caricato(QStringLiteral("frmNotAWindow")));
}

TEST_F(WindowRegistryTest, WindowsMadeForAnOwnerAreNotMadeOnceTheOwnerIsGone)
{
    // A main window defines windows made for it; a later main window (the next test, a new
    // start) defines its own. The first one's going must not take the second's definition.
    auto first = std::make_unique<QWidget>();
    QWidget* madeFor = nullptr;
    registry.define(QStringLiteral("frmAbout"), WindowLifetime::NewPerRequest,
                    [&madeFor, owner = first.get()] {
                        madeFor = owner;
                        return new QWidget;
                    }, first.get());
    first.reset();
    EXPECT_EQ(registry.form(QStringLiteral("frmAbout")), nullptr);
    EXPECT_EQ(madeFor, nullptr);

    auto older = std::make_unique<QWidget>();
    auto newer = std::make_unique<QWidget>();
    registry.define(QStringLiteral("frmAbout"), WindowLifetime::NewPerRequest,
                    [] { return new QWidget; }, older.get());
    registry.define(QStringLiteral("frmAbout"), WindowLifetime::NewPerRequest,
                    [] { return new QWidget; }, newer.get());
    older.reset();
    EXPECT_NE(registry.form(QStringLiteral("frmAbout")), nullptr);
    newer.reset();
    EXPECT_EQ(registry.form(QStringLiteral("frmAbout")), nullptr);
}

TEST_F(WindowRegistryTest, AdoptedWindowCountsAsLoadedUntilItIsDestroyed)
{
    auto* main = new QWidget;
    main->setObjectName(QStringLiteral("MDIForm1"));
    registry.adopt(main);
    EXPECT_TRUE(mGlobal::Form_caricato(QStringLiteral("mdiform1")));
    delete main;
    EXPECT_FALSE(mGlobal::Form_caricato(QStringLiteral("mdiform1")));
}

} // namespace

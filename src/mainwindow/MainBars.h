#pragma once
// The toolbar Toolbar1 and the status bar StatusBar1 of the main window. Every toolbar button
// and status-bar panel runs one of the main window's menu commands; the button's enabled state
// follows that command's menu item.

#include <QHash>
#include <QLabel>
#include <QString>

#include <array>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QStatusBar;
class QToolBar;

/// One position of the toolbar; a separator has no key.
struct ToolbarPosition
{
    const char16_t* key;        ///< the button's key, "" for a separator
    const char16_t* tooltipKey; ///< language key of its tooltip (section MDIForm1)
    const char16_t* command;    ///< menu item whose command the button runs
};

/// The 29 positions of the toolbar, in order.
[[nodiscard]] const std::vector<ToolbarPosition>& toolbarPositions();

/// One item of the "Open" button's drop-down menu.
struct OpenMenuItem
{
    const char16_t* key;
    const char16_t* command; ///< menu item whose command it runs, and whose caption it shows
};

[[nodiscard]] const std::vector<OpenMenuItem>& openMenuItems();

/// Buttons whose pressed look shows the check mark of a menu item.
[[nodiscard]] const QHash<QString, QString>& pressedButtons();

/// A status-bar panel that reports a click.
class StatusPanel : public QLabel
{
    Q_OBJECT

public:
    explicit StatusPanel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

inline constexpr int kStatusPanelCount = 3;

struct MainBars
{
    QToolBar* Toolbar1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QHash<QString, QAction*> buttons;                     ///< by key
    QMenu* openMenu = nullptr;                            ///< drop-down of the "Open" button
    QHash<QString, QAction*> openItems;                   ///< its items by key
    std::array<StatusPanel*, kStatusPanelCount> panels{}; ///< panels 1 to 3 at 0 to 2
};

/// Builds both bars into the window.
[[nodiscard]] MainBars buildMainBars(QMainWindow* window);

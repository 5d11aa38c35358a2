#pragma once
// The menus of the main window: the menu bar (File, Edit, View, Earth, Sky, Satellites,
// Ephemerides, Tools, Options, Windows, Help) and the four menus that the map windows pop up
// over their charts (mnuWorldmap, mnuLocalSky, mnuGeneralSky, mnuSkySat). Every item carries
// its fixed name as object name, and its design state: check mark, enabled, shortcut.
// Captions come later from the language file (MDIForm1::Lingua).

#include <QHash>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

struct MainMenus
{
    /// Every named item by name: the actions of the items and the actions of the menus and
    /// submenus (the four pop-up menus included).
    QHash<QString, QAction*> items;
    /// Every named menu and submenu by name.
    QHash<QString, QMenu*> menus;
    /// The items that take a caption from the language file, in menu order: every named item
    /// but the four pop-up menus themselves, which are never shown in the menu bar.
    QStringList captioned;
};

/// Builds the menu bar into `bar` and the pop-up menus as children of `owner`.
[[nodiscard]] MainMenus buildMainMenus(QMenuBar* bar, QWidget* owner);

/// Names of the four pop-up menus of the map windows.
[[nodiscard]] const QStringList& popupMenuNames();

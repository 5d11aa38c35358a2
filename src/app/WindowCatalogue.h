#pragma once
// How the program makes each of its windows, by name. The main window defines its own
// windows; the windows of the other parts of the program are defined here, where every part
// is known. A window defined here makes its commands in the main window's command table
// usable once their rows are Ready.

#include "tracking/TrackingModel.h"

class DatabaseSession;
class MDIForm1;
class QMenu;

/// Windows needed before the main window exists (the language chooser of the start); from here
/// on every window shows the program's icon.
void defineStartupWindows();

/// Every other window, owned by the main window.
void defineWindows(MDIForm1& main);

/// The element databases of `session` and their window, joined to the main window's commands,
/// status bar and maps. The session lives as long as the main window.
void connectElementDatabase(MDIForm1& main, DatabaseSession& session);

/// The pop-up menu the main window keeps for a kind of chart window (mnuWorldmap, mnuLocalSky,
/// mnuGeneralSky, mnuSkySat): each chart window is handed its menu here when it is defined,
/// and pops it up over its chart; the menu's commands act through the tracking model.
[[nodiscard]] QMenu* chartMenu(const MDIForm1& main, ChartKind chart);

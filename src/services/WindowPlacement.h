#pragma once
// Where a window that is not a child of the main window's document area opens: over the main
// window that owns it, centred on it the first time, where the user left it afterwards (for
// the rest of the session, also when the window was unloaded meanwhile).

class QWidget;

/// Places a top-level `window` before it is shown: where a window of its object name was last
/// seen in this session, otherwise centred on its owner's window (its parent widget's window),
/// kept on the owner's screen. A window already on screen, or one inside another window, is
/// left where it is.
void placeOverOwner(QWidget& window);

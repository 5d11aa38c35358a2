#pragma once
// The main window's entry points into the element databases: the database window made on
// first use and kept until the program ends, opening an element file as primary or secondary
// database, and the removal of a satellite that has decayed.

#include "database/DatabaseSession.h"
#include "database/DatabaseWindowHooks.h"

class QWidget;
class frmDatabase;

/// The object name of the database window.
inline const QString kDatabaseWindowName = QStringLiteral("frmDatabase");

/// Tells the program's window registry how the database window is made: on first use, over
/// `session` and with `hooks`, kept (only hidden when closed) until the program ends. `place`,
/// when given, puts the new window where it belongs (the main window's MDI area).
void defineDatabaseWindow(DatabaseSession& session, DatabaseWindowHooks hooks,
                          std::function<void(QWidget* window)> place = {});

/// The database window, made hidden when it is not loaded yet; null when it was never defined.
[[nodiscard]] frmDatabase* databaseWindow();

/// Lets the user choose an element file and reads it as the primary (0) or secondary (1)
/// database, then shows the database window. Cancel, an empty choice or an empty file change
/// nothing and show nothing.
void Apertura_database(DatabaseKind kind);

/// Removes the satellite of `intIndice` (an active slot) as decayed: the user is told (title
/// the satellite's name), the satellite and only that one leaves the active list and the
/// slots behind it move up, the working set is written, and the principal's data boxes are
/// cleared when it was the principal. The tracking model is told, so the database window's
/// active list and the status bar follow; no database is read. The satellite part of the tick is held meanwhile. A slot that
/// is not active changes nothing.
void Azzera(int intIndice, ActiveSatellites& active, QWidget* parent);

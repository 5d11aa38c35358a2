#pragma once
// What the database window asks of the rest of the program: the open dialog and the windows it
// opens. The program fills these in once; a hook left empty does nothing, and a button whose
// window is not part of the program stays disabled. Changes of the active list reach the
// status bar and the maps through the tracking model (PrincipalRefresh.h).

#include "database/DatabaseSession.h"

#include <QString>

#include <functional>

/// The open dialog: title, proposed file, filter ("Text (*.txt);;All (*)"); the chosen path,
/// or an empty text when the user cancelled.
using ElementFileChooser =
    std::function<QString(const QString& title, const QString& proposedFile, const QString& filter)>;

/// The open dialog of the desktop, owned by the active window.
[[nodiscard]] QString chooseElementFileWithDialog(const QString& title, const QString& proposedFile,
                                                  const QString& filter);

struct DatabaseWindowHooks
{
    ElementFileChooser chooseFile = chooseElementFileWithDialog;
    /// The main window's element download command (mnuStrumentiDownload_Click).
    std::function<void()> download;
    /// frmSatellite with gintIndice = slot, shown modal with the main window as owner.
    std::function<void(int slot)> showSatellite;
    /// A new listing window frmDetails, shown not modal, filled by its Sommario(kind).
    std::function<void(DatabaseKind kind)> showSummary;
};

#pragma once
// What the database window and the removal of a decayed satellite ask of the rest of the
// program: the main window's status bar, the live map windows, the open dialog and the windows
// the database window opens. The main window fills these in once; a hook left empty does
// nothing, and a button whose window is not part of the program stays disabled.

#include "database/DatabaseSession.h"

#include <QString>

#include <functional>

/// Refreshes of the main window and of the live map windows when the principal satellite
/// changes or is gone. The map hooks are called only while their window is loaded
/// (Form_caricato of "frmWorldMap" / "frmLocalSky").
struct LiveWindowHooks
{
    /// Status-bar panel 2 shows the principal satellite's name; empty when there is none.
    std::function<void(const QString& name)> showPrincipalName;
    /// Full redraw of the world map (the main window's mnuWorldmapRidisegnaMappa_Click). Slot 1
    /// has been computed at Data_giuliana just before when the principal changed.
    std::function<void()> redrawWorldMap;
    /// The principal changed while the local sky is loaded: when it shows the principal's pass
    /// (mnuLocalSkyTransitoPrincipale checked) the main window unchecks mnuLocalSkyTempi and
    /// mnuLocalSkyTransitoPrincipale, releases the toolbar's "Transit" button, gives the chart
    /// its normal cursor and redraws the local sky.
    std::function<void()> localSkyPrincipalChanged;
    /// No principal satellite any more: the window clears its chart Picture1, its fourteen
    /// number labels show "0" and lblMagnitude, lblState an empty text.
    std::function<void()> clearWorldMapPrincipal;
    std::function<void()> clearLocalSkyPrincipal;
};

/// The open dialog: title, proposed file, filter ("Text (*.txt);;All (*)"); the chosen path,
/// or an empty text when the user cancelled.
using ElementFileChooser =
    std::function<QString(const QString& title, const QString& proposedFile, const QString& filter)>;

/// The open dialog of the desktop, owned by the active window.
[[nodiscard]] QString chooseElementFileWithDialog(const QString& title, const QString& proposedFile,
                                                  const QString& filter);

struct DatabaseWindowHooks
{
    LiveWindowHooks live;
    ElementFileChooser chooseFile = chooseElementFileWithDialog;
    /// The main window's element download command (mnuStrumentiDownload_Click).
    std::function<void()> download;
    /// frmSatellite with gintIndice = slot, shown modal with the main window as owner.
    std::function<void(int slot)> showSatellite;
    /// A new listing window frmDetails, shown not modal, filled by its Sommario(kind).
    std::function<void(DatabaseKind kind)> showSummary;
};

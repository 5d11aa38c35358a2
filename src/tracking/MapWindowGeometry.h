#pragma once
// The size and place the map windows keep in the option store between sessions (twips, under
// the window's own section: "Window_Left", "Window_Top", "Window_Width", "Window_Height").

#include "services/mReg.h"

#include <QStringList>

/// The defaults of every stored size or place of a map window that is no number or that no
/// screen could show, one value per key to set back; `reset` as for
/// resetUnusableWindowGeometry.
[[nodiscard]] QList<mReg::RegistryValue> unusableWindowGeometry(QStringList* reset);

/// Sets back to its default every stored size or place of a map window that is no number or
/// that no screen could show (a map one pixel wide, or far off every screen), and writes the
/// defaults at once, in one write: the map windows read these keys themselves each time they
/// open. `reset`, when given, receives one line per value set back, named as the user knows it
/// ("World map: Window width: not valid"). Returns the failure when the corrected values could
/// not be written.
mReg::RegistryStatus resetUnusableWindowGeometry(QStringList* reset);

#pragma once
// What the rest of the program is told when the active list or its principal satellite
// (slot 1) changes: through the tracking model, whose subscribers (status bar, maps, the
// database window itself) refresh their own parts.

/// The active list changed (added, removed, reordered): the status bar shows the principal's
/// name, the database window lists the active satellites anew.
void notifyActiveSatellitesChanged();

/// Another satellite is principal: slot 1 is computed at Data_giuliana, then the maps are
/// told (the world map redraws, the local sky drops the old principal's pass).
void redrawPrincipal();

/// No active satellite is left: the maps redraw, clearing their chart and data box.
void Azzera_riquadri_dati();

/// The principal satellite was removed: the maps clear their chart and their data box.
void clearPrincipalDataBoxes();

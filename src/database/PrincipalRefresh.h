#pragma once
// What the live windows are told when the principal satellite (slot 1) changes or is gone. A
// map window is addressed only while it is loaded.

#include "database/DatabaseWindowHooks.h"

/// Status-bar panel 2 = the principal satellite's name, trimmed (empty without one).
void showPrincipalName(const LiveWindowHooks& hooks);

/// Another satellite is principal: slot 1 is computed at Data_giuliana and the world map
/// redrawn; the local sky drops the old principal's pass.
void redrawPrincipal(const LiveWindowHooks& hooks);

/// No active satellite is left: the world map is redrawn, and both maps clear their chart
/// and show no principal's values.
void Azzera_riquadri_dati(const LiveWindowHooks& hooks);

/// The principal satellite was removed: both maps clear their chart and their data box.
void clearPrincipalDataBoxes(const LiveWindowHooks& hooks);

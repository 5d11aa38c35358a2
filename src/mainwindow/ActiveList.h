#pragma once
// Taking one satellite off the list of active satellites (slots 1 to Numero_satelliti): the
// satellites after it move up by one slot, so the second becomes the principal when the
// principal is taken off.

/// Removes the satellite of `slot` (1..Numero_satelliti): the elements and lines of the
/// following slots move up by one, the last slot is emptied and Numero_satelliti drops by one.
/// The computed states are not moved (the next computation rewrites them); the emptied slot's
/// state is cleared. False, and nothing changes, for a slot outside the active list.
bool removeActiveSlot(int slot);

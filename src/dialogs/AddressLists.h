#pragma once
// The two address lists of the options dialog, time servers and element-file addresses:
// fixed-length lists whose rows can be restored to the defaults, cleared, and moved up or
// down. The operations change only the rows' texts; the numbers column always reads 1..n.

#include <QStringList>

class QTreeWidget;

namespace addressLists {

/// The ten time servers a restore gives.
[[nodiscard]] QStringList defaultTimeServers();
/// The 31 element-file addresses a restore gives, in the order of the download service.
[[nodiscard]] QStringList defaultDownloadAddresses();

/// Writes `texts` into the rows, one per row, as far as both reach.
void restore(QTreeWidget& list, const QStringList& texts);
/// Empties every row's text.
void clear(QTreeWidget& list);

/// Exchanges the selected row's text with its neighbour `step` rows away (-1 up, +1 down)
/// and selects the neighbour, so that repeated presses keep moving the same address. At the
/// edge of the list nothing happens. False when no row is selected.
bool moveSelected(QTreeWidget& list, int step);

} // namespace addressLists

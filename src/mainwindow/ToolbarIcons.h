#pragma once
// The pictures of the toolbar buttons, drawn by the program itself on a 24 x 24 grid.

#include <QIcon>
#include <QString>

/// The picture of the toolbar button with that key ("Open", "Recta", ...); an empty icon for a
/// key without a picture.
[[nodiscard]] QIcon toolbarIcon(const QString& key);

/// The program's own icon, shown by every window: the Earth with a satellite on its orbit
/// against the night sky, in the sizes title bars, task bars and the About box use.
[[nodiscard]] QIcon programIcon();

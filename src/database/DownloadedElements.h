#pragma once
// What the download window accepts as an element file: a reply that is not one (an error page
// sent with a success status, a binary) must not replace an element file, least of all the
// primary database's, which the program reads again at the next start.

#include <QByteArrayView>
#include <QString>

/// Whether `body` is an element file the databases can use: the element reader reads it to
/// its end without failure and at least one of its sets is a well-formed element set (both
/// lines numbered, numeric fields and orbit within the propagators' range).
[[nodiscard]] bool holdsElementSets(QByteArrayView body);

/// Whether a download into `path` is saved as an element file: it is the primary database's
/// file `primaryDatabase`, or its name ends in one of the element files' extensions (.txt,
/// .tle, in any letter case). Any other file is saved as it comes.
[[nodiscard]] bool isElementFileTarget(const QString& path, const QString& primaryDatabase);

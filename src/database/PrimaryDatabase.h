#pragma once
// Reading the primary element database: the sets replace the database, the file becomes the
// option File_database, and the active satellites are re-linked to the new sets. Nothing of
// this happens unless the file was read without failure, so a broken file leaves the previous
// database, File_database and the active satellites as they were.

#include "database/ActiveSatellites.h"
#include "database/ElementDatabase.h"

#include <optional>

struct PrimaryReadOutcome
{
    ReadOutcome read;
    /// The re-link, when the database was replaced.
    std::optional<RelinkOutcome> relink;
};

/// Reads `path` into `primary` with the ages at `nowJulianDate` (UT) and re-links `active`: in
/// full after a complete read, only the satellites found after a cancelled one.
PrimaryReadOutcome readPrimaryDatabase(ElementDatabase& primary, ActiveSatellites& active,
                                       const QString& path, double nowJulianDate,
                                       const ReadHooks& hooks = {});

#include "database/PrimaryDatabase.h"

#include "common/options.h"

PrimaryReadOutcome readPrimaryDatabase(ElementDatabase& primary, ActiveSatellites& active,
                                       const QString& path, double nowJulianDate,
                                       const ReadHooks& hooks)
{
    PrimaryReadOutcome outcome;
    outcome.read = primary.read(path, nowJulianDate, hooks);
    if (!outcome.read.replaced)
        return outcome;
    Impostazioni.File_database = path.toStdString();
    outcome.relink = active.relink(primary.records(), outcome.read.status == ReadStatus::Complete);
    return outcome;
}

#include "database/DatabaseSession.h"

#include "common/catalogues.h"
#include "common/element_databases.h"
#include "common/options.h"

#include <QFileInfo>

DatabaseSession::DatabaseSession(ActiveSatellites::WorkingSetWriter writeWorkingSet)
    : m_primary(Db_principale, Tabella_magnitudini),
      m_secondary(Db_secondario, Tabella_magnitudini), m_active(std::move(writeWorkingSet))
{
}

ElementDatabase& DatabaseSession::database(DatabaseKind kind)
{
    return kind == DatabaseKind::Primary ? m_primary : m_secondary;
}

const ElementDatabase& DatabaseSession::database(DatabaseKind kind) const
{
    return kind == DatabaseKind::Primary ? m_primary : m_secondary;
}

DatabaseReadOutcome DatabaseSession::read(DatabaseKind kind, const QString& path,
                                          double nowJulianDate, const ReadHooks& hooks)
{
    DatabaseReadOutcome outcome;
    outcome.read = database(kind).read(path, nowJulianDate, hooks);
    if (kind != DatabaseKind::Primary || !outcome.read.replaced)
        return outcome;
    Impostazioni.File_database = path.toStdString();
    outcome.relink =
        m_active.relink(m_primary.records(), outcome.read.status == ReadStatus::Complete);
    return outcome;
}

bool DatabaseSession::isOpenableChoice(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).size() > 0;
}

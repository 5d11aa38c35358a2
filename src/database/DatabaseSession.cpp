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
                                          double nowJulianDate, const ReadHooks& hooks,
                                          const RemovalQuestion& mayRemove)
{
    DatabaseReadOutcome outcome;
    ElementFileRead file = readElementFile(path, hooks);
    // Only a complete read removes satellites, so only then is the user asked.
    if (kind == DatabaseKind::Primary && file.status == ReadStatus::Complete && mayRemove) {
        const QStringList lacked = m_active.lackedBy(file.sets);
        outcome.removalRefused = !lacked.isEmpty() && !mayRemove(lacked);
        if (outcome.removalRefused && !isSavedPrimary(path)) {
            outcome.read.status = file.status;
            outcome.read.setsRead = static_cast<int>(file.sets.size());
            return outcome; // the sets are not taken
        }
    }
    outcome.read = database(kind).adopt(path, std::move(file), nowJulianDate);
    if (kind != DatabaseKind::Primary || !outcome.read.replaced)
        return outcome;
    Impostazioni.File_database = path.toStdString();
    // Kept on the user's word, the satellites the file lacks stay as they are, as after a
    // cancelled read; those it holds take its elements all the same.
    const bool removeLacked = outcome.read.status == ReadStatus::Complete && !outcome.removalRefused;
    outcome.relink = m_active.relink(m_primary.records(), removeLacked);
    return outcome;
}

bool DatabaseSession::isSavedPrimary(const QString& path)
{
    const QString saved = QString::fromStdString(Impostazioni.File_database);
    // The same file under another spelling of its path counts too.
    return !saved.isEmpty() && (path == saved || QFileInfo(path) == QFileInfo(saved));
}

bool DatabaseSession::isOpenableChoice(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).size() > 0;
}

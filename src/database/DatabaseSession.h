#pragma once
// The state of the database window without its widgets: the primary and the secondary element
// database and the active satellites. The window keeps one session, shows what it holds and
// calls it; the session does the reading, re-linking and bookkeeping.
//
// A read replaces a database only when the file was read without failure, so a broken file
// leaves the previous database, the option File_database and the active satellites as they
// were. Reading the primary database makes its file the option File_database and re-links the
// active satellites to the new sets: in full after a complete read, only the satellites found
// after a cancelled one. The secondary database is never linked to the active satellites.
//
// A complete file that lacks some active satellites is read in full before anything changes,
// and the caller may be asked first whether they are to be removed. Refused for another file
// than the saved primary database (File_database), nothing changes at all: the user may have
// opened the wrong file. Refused for the saved primary database read again (a download over it,
// its first read in a run), its sets are taken, the active satellites it holds take its elements
// and those it lacks stay active with the elements they hold.

#include "database/ActiveSatellites.h"
#include "database/ElementDatabase.h"

#include <functional>
#include <optional>

/// The two databases, numbered as the window's paired controls and its open command number them.
enum class DatabaseKind {
    Primary = 0,
    Secondary = 1,
};

struct DatabaseReadOutcome
{
    ReadOutcome read;
    /// The re-link of the active satellites, when the primary database was replaced.
    std::optional<RelinkOutcome> relink;
    /// The user kept the active satellites the file lacks.
    bool removalRefused = false;
};

/// Asked before anything changes: whether the active satellites a complete primary file lacks
/// (named as the active list shows them, in its order) are to be removed.
using RemovalQuestion = std::function<bool(const QStringList& lacked)>;

class DatabaseSession
{
public:
    /// The databases live in Db_principale and Db_secondario and list magnitudes from
    /// Tabella_magnitudini; `writeWorkingSet` is Salva_Ini.
    explicit DatabaseSession(ActiveSatellites::WorkingSetWriter writeWorkingSet);

    [[nodiscard]] ElementDatabase& database(DatabaseKind kind);
    [[nodiscard]] const ElementDatabase& database(DatabaseKind kind) const;
    [[nodiscard]] ActiveSatellites& active() { return m_active; }
    [[nodiscard]] const ActiveSatellites& active() const { return m_active; }

    /// Reads `path` into a database with the ages at `nowJulianDate` (UT). Without
    /// `mayRemove` the satellites the file lacks are removed unasked.
    DatabaseReadOutcome read(DatabaseKind kind, const QString& path, double nowJulianDate,
                             const ReadHooks& hooks = {}, const RemovalQuestion& mayRemove = {});

    /// Whether a file chosen in the open dialog is read at all: it has a name and holds
    /// something. An empty choice or an empty file changes nothing and shows nothing.
    [[nodiscard]] static bool isOpenableChoice(const QString& path);

private:
    /// Whether `path` is the file of the option File_database.
    [[nodiscard]] static bool isSavedPrimary(const QString& path);

    ElementDatabase m_primary;
    ElementDatabase m_secondary;
    ActiveSatellites m_active;
};

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

#include "database/ActiveSatellites.h"
#include "database/ElementDatabase.h"

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
};

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

    /// Reads `path` into a database with the ages at `nowJulianDate` (UT).
    DatabaseReadOutcome read(DatabaseKind kind, const QString& path, double nowJulianDate,
                             const ReadHooks& hooks = {});

    /// Whether a file chosen in the open dialog is read at all: it has a name and holds
    /// something. An empty choice or an empty file changes nothing and shows nothing.
    [[nodiscard]] static bool isOpenableChoice(const QString& path);

private:
    ElementDatabase m_primary;
    ElementDatabase m_secondary;
    ActiveSatellites m_active;
};

#pragma once
// The active satellites: the slots the tracking tick computes every second, slot 1 the
// principal satellite and slots 2 to Numero_satelliti the others. Entry k - 1 of the window's
// active list stands for slot k. Every command here changes the slots (Satelement, RigaDati and
// Valori move together, so a slot's computed state stays with its satellite until the next
// tick) and then writes the working set, so that the file always holds the list as shown.
// Scratch slots 201 and 202 are never touched, except by removeAll().
//
// Commands take what the user chose (entry numbers, or the element sets of the chosen database
// rows) and return what happened; the window shows the messages and redraws.

#include "common/Record_TLE.h"

#include "common/satellite_slots.h"
#include <QString>

#include <QStringList>

#include <functional>
#include <span>
#include <string>
#include <vector>

/// How a command that needs a choice went.
enum class ListCommand {
    Done,            ///< the active set changed
    Unchanged,       ///< nothing to do (already principal, already last, empty list)
    NothingSelected, ///< nothing chosen where a choice is needed
    SelectOne,       ///< the command needs exactly one chosen entry
};

struct AddOutcome
{
    ListCommand status = ListCommand::Done;
    int added = 0;
    /// Names of the active satellites that already had the catalogue number of a set given.
    QStringList alreadyActive;
    bool limitReached = false;     ///< the list was full; the sets after it were not added
    bool principalChanged = false; ///< the list was empty: the first set added is principal
    bool workingSetSaved = true;
};

struct RemoveOutcome
{
    ListCommand status = ListCommand::Done;
    int removed = 0;
    bool principalRemoved = false; ///< slot 1 now holds another satellite, or none
    bool listEmptied = false;      ///< no active satellite is left
    bool workingSetSaved = true;
};

struct MoveOutcome
{
    ListCommand status = ListCommand::Done;
    int selectedEntry = -1; ///< the entry of the moved satellite now
    bool principalChanged = false;
    bool workingSetSaved = true;
};

/// What re-linking the active satellites to a newly read database did.
struct RelinkOutcome
{
    int activeBefore = 0; ///< active satellites before
    int found = 0;        ///< of these, how many the database holds
    /// The names of those it lacks, which a complete read removed, in their former order.
    QStringList leftOut;
    bool principalFound = true;
    bool completeRead = true; ///< false after a cancelled read: nothing was removed
    bool listEmptied = false;
    bool workingSetSaved = true;

    /// The principal is not in the database and another satellite found took its place.
    [[nodiscard]] bool principalReplaced() const
    {
        return completeRead && !principalFound && found > 0;
    }
};

/// What removing a decayed satellite did.
struct DecayedOutcome
{
    bool removed = false; ///< false for a slot that is not active
    QString name;         ///< the satellite's name, for the message title
    bool wasPrincipal = false;
    bool listEmptied = false;
    bool workingSetSaved = true;
};

class ActiveSatellites
{
public:
    /// Writes the working set (Salva_Ini); false when the file could not be written.
    using WorkingSetWriter = std::function<bool()>;

    explicit ActiveSatellites(WorkingSetWriter writeWorkingSet);

    /// Numero_satelliti.
    [[nodiscard]] int count() const;
    /// The text of entry `entry` (0-based; slot entry + 1): the name line of its set, trimmed.
    [[nodiscard]] QString entryText(int entry) const;

    /// Adds element sets at the end, in order, each parsed into the next free slot. A set whose
    /// catalogue number is already active is skipped; adding stops when the list is full.
    AddOutcome add(const std::vector<Record_TLE>& sets);

    /// Removes the chosen entries and closes up the slots in their order.
    RemoveOutcome remove(const std::vector<int>& entries);

    /// Removes every active satellite and empties all slots.
    RemoveOutcome removeAll();

    /// Exchanges the one chosen entry with the principal; it becomes entry 0.
    MoveOutcome makePrincipal(const std::vector<int>& selectedEntries);
    /// Exchanges the one chosen entry with the one above / below it.
    MoveOutcome moveUp(const std::vector<int>& selectedEntries);
    MoveOutcome moveDown(const std::vector<int>& selectedEntries);
    /// The principal goes to the end; the second satellite becomes principal.
    MoveOutcome rotate();

    /// Re-links the active satellites to a database just read, by catalogue number: each takes
    /// the first set of `sets` (counted from 1) with its number. After a complete read the
    /// satellites the database lacks are removed and the others close up in their order (the
    /// first found becomes principal when the principal was not found); after a cancelled read
    /// only the satellites found are updated and the others stay as they were.
    RelinkOutcome relink(const std::vector<Record_TLE>& sets, bool completeRead);
    /// The active satellites that `sets` (counted from 0) lacks, as relink matches them, named
    /// as the active list shows them, in its order: those a complete re-link would remove.
    [[nodiscard]] QStringList lackedBy(std::span<const Record_TLE> sets) const;

    /// Removes exactly the satellite of `slot` (decayed), whatever else is chosen in the list.
    DecayedOutcome removeDecayed(int slot);

private:
    /// Exchanges the one chosen entry with the one `step` (-1 or +1) entries away.
    MoveOutcome moveBy(const std::vector<int>& selectedEntries, int step);
    bool save();

    WorkingSetWriter m_writeWorkingSet;
};

/// For each set, whether the satellite stands above the horizon of the observer Osservatore at
/// the Julian date `julianDate` (UT), computed with the options Impostazioni. A set that cannot
/// be propagated counts as below. No slot is used.
[[nodiscard]] std::vector<bool> aboveHorizon(const std::vector<Record_TLE>& sets,
                                             double julianDate);

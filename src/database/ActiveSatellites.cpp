#include "database/ActiveSatellites.h"

#include "common/options.h"
#include "common/satellite_slots.h"
#include "core/ElementSet.h"
#include "core/mSat.h"
#include "database/ElementColumns.h"

#include <QtGlobal>

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace {

/// Everything a slot holds, moved as one.
struct SlotContents
{
    Record_TLE lines;
    Elemento_satellite elements;
    Posizione_satellite values;
};

SlotContents takeSlot(int slot)
{
    SlotContents contents{std::move(RigaDati[slot]), std::move(Satelement[slot]),
                          std::move(Valori[slot])};
    mSat::Azzera_RigaDati(slot);
    mSat::Azzera_Satelement(slot);
    mSat::Azzera_Valori(slot);
    return contents;
}

void putSlot(int slot, SlotContents&& contents)
{
    RigaDati[slot] = std::move(contents.lines);
    Satelement[slot] = std::move(contents.elements);
    Valori[slot] = std::move(contents.values);
}

void exchangeSlots(int a, int b)
{
    std::swap(RigaDati[a], RigaDati[b]);
    std::swap(Satelement[a], Satelement[b]);
    std::swap(Valori[a], Valori[b]);
}

void clearSlot(int slot)
{
    mSat::Azzera_RigaDati(slot);
    mSat::Azzera_Satelement(slot);
    mSat::Azzera_Valori(slot);
}

/// Keeps the active slots not flagged, closed up in their order from slot 1.
int closeUpSlots(const std::vector<bool>& removeSlot)
{
    const int before = Numero_satelliti;
    std::vector<SlotContents> kept;
    for (int slot = 1; slot <= before; ++slot) {
        if (!removeSlot[static_cast<std::size_t>(slot)])
            kept.push_back(takeSlot(slot));
        else
            clearSlot(slot);
    }
    int slot = 1;
    for (SlotContents& contents : kept)
        putSlot(slot++, std::move(contents));
    Numero_satelliti = static_cast<std::int16_t>(kept.size());
    return before - Numero_satelliti;
}

/// The one chosen entry, when exactly one valid entry is chosen.
std::optional<int> singleEntry(const std::vector<int>& selectedEntries, int count)
{
    if (selectedEntries.size() != 1)
        return std::nullopt;
    const int entry = selectedEntries.front();
    if (entry < 0 || entry >= count)
        return std::nullopt;
    return entry;
}

QString slotName(int slot)
{
    return QString::fromStdString(Satelement[slot].Nome_satellite).trimmed();
}

/// A key under which catalogue number texts that name the same satellite agree (see
/// elementColumns::sameCatalogueNumber).
std::string catalogueKey(std::string_view catalogue)
{
    if (const auto number = mSat::catalogueNumber(catalogue))
        return "#" + std::to_string(*number);
    return "'" + std::string(catalogue);
}

} // namespace

ActiveSatellites::ActiveSatellites(WorkingSetWriter writeWorkingSet)
    : m_writeWorkingSet(std::move(writeWorkingSet))
{
    Q_ASSERT(m_writeWorkingSet);
}

int ActiveSatellites::count() const
{
    return Numero_satelliti;
}

QString ActiveSatellites::entryText(int entry) const
{
    if (entry < 0 || entry >= count())
        return {};
    return QString::fromStdString(RigaDati[entry + 1].Riga0).trimmed();
}

bool ActiveSatellites::save()
{
    return m_writeWorkingSet();
}

AddOutcome ActiveSatellites::add(const std::vector<Record_TLE>& sets)
{
    AddOutcome outcome;
    if (sets.empty()) {
        outcome.status = ListCommand::NothingSelected;
        return outcome;
    }
    const bool wasEmpty = count() == 0;
    for (const Record_TLE& set : sets) {
        if (count() >= kMaxActiveSatellites) {
            outcome.limitReached = true;
            break;
        }
        const std::string_view catalogue = elementColumns::catalogueText(set.Riga1);
        int active = 0;
        for (int slot = 1; slot <= count() && active == 0; ++slot) {
            if (elementColumns::sameCatalogueNumber(Satelement[slot].Numero_catalogo, catalogue))
                active = slot;
        }
        if (active != 0) {
            outcome.alreadyActive.push_back(slotName(active));
            continue;
        }
        const int slot = count() + 1;
        (void)mSat::Estrai_Dati_Satellite(slot, set.Riga0, set.Riga1, set.Riga2);
        mSat::Azzera_Valori(slot);
        ++Numero_satelliti;
        ++outcome.added;
    }
    if (outcome.added == 0) {
        outcome.status = ListCommand::Unchanged;
        return outcome;
    }
    outcome.principalChanged = wasEmpty;
    outcome.workingSetSaved = save();
    return outcome;
}

RemoveOutcome ActiveSatellites::remove(const std::vector<int>& entries)
{
    RemoveOutcome outcome;
    std::vector<bool> removeSlot(kLastActiveSlot + 1, false);
    for (int entry : entries) {
        if (entry >= 0 && entry < count())
            removeSlot[static_cast<std::size_t>(entry + 1)] = true;
    }
    if (std::find(removeSlot.begin(), removeSlot.end(), true) == removeSlot.end()) {
        outcome.status = ListCommand::NothingSelected;
        return outcome;
    }
    outcome.principalRemoved = removeSlot[kPrincipalSlot];
    outcome.removed = closeUpSlots(removeSlot);
    outcome.listEmptied = count() == 0;
    outcome.workingSetSaved = save();
    return outcome;
}

RemoveOutcome ActiveSatellites::removeAll()
{
    RemoveOutcome outcome;
    if (count() == 0) {
        outcome.status = ListCommand::Unchanged;
        return outcome;
    }
    outcome.removed = count();
    for (int slot = 1; slot <= kLastSlot; ++slot)
        clearSlot(slot);
    Numero_satelliti = 0;
    outcome.principalRemoved = true;
    outcome.listEmptied = true;
    outcome.workingSetSaved = save();
    return outcome;
}

MoveOutcome ActiveSatellites::makePrincipal(const std::vector<int>& selectedEntries)
{
    MoveOutcome outcome;
    if (count() == 0) {
        outcome.status = ListCommand::Unchanged;
        return outcome;
    }
    const std::optional<int> entry = singleEntry(selectedEntries, count());
    if (!entry) {
        outcome.status = ListCommand::SelectOne;
        return outcome;
    }
    outcome.selectedEntry = 0;
    if (*entry == 0) {
        outcome.status = ListCommand::Unchanged;
        return outcome;
    }
    exchangeSlots(kPrincipalSlot, *entry + 1);
    outcome.principalChanged = true;
    outcome.workingSetSaved = save();
    return outcome;
}

MoveOutcome ActiveSatellites::moveUp(const std::vector<int>& selectedEntries)
{
    return moveBy(selectedEntries, -1);
}

MoveOutcome ActiveSatellites::moveDown(const std::vector<int>& selectedEntries)
{
    return moveBy(selectedEntries, +1);
}

MoveOutcome ActiveSatellites::moveBy(const std::vector<int>& selectedEntries, int step)
{
    MoveOutcome outcome;
    const std::optional<int> entry = singleEntry(selectedEntries, count());
    if (!entry) {
        outcome.status = count() == 0 ? ListCommand::Unchanged : ListCommand::SelectOne;
        return outcome;
    }
    outcome.selectedEntry = *entry;
    const int target = *entry + step;
    if (target < 0 || target >= count()) {
        outcome.status = ListCommand::Unchanged;
        return outcome;
    }
    exchangeSlots(*entry + 1, target + 1);
    outcome.selectedEntry = target;
    // Moving the principal down, or another entry up to the top, changes the principal: the
    // live windows must show it as after any other change of principal.
    outcome.principalChanged = *entry == 0 || target == 0;
    outcome.workingSetSaved = save();
    return outcome;
}

MoveOutcome ActiveSatellites::rotate()
{
    MoveOutcome outcome;
    if (count() < 2) {
        outcome.status = ListCommand::Unchanged;
        return outcome;
    }
    for (int slot = 1; slot < count(); ++slot)
        exchangeSlots(slot, slot + 1);
    outcome.principalChanged = true;
    outcome.workingSetSaved = save();
    return outcome;
}

RelinkOutcome ActiveSatellites::relink(const std::vector<Record_TLE>& sets, bool completeRead)
{
    RelinkOutcome outcome;
    outcome.activeBefore = count();
    outcome.completeRead = completeRead;
    if (count() == 0)
        return outcome;

    // A catalogue number that occurs twice in the file links to its first set only.
    std::unordered_map<std::string, std::size_t> firstSet;
    for (std::size_t r = 1; r < sets.size(); ++r)
        firstSet.try_emplace(catalogueKey(elementColumns::catalogueText(sets[r].Riga1)), r);

    outcome.principalFound = false;
    const int before = count();
    for (int slot = 1; slot <= before; ++slot) {
        const auto match = firstSet.find(catalogueKey(Satelement[slot].Numero_catalogo));
        if (match == firstSet.end()) {
            // Named as the active list shows it; the slot is not written before it is read.
            if (completeRead)
                outcome.leftOut.append(entryText(slot - 1));
            continue;
        }
        if (slot == kPrincipalSlot)
            outcome.principalFound = true;
        ++outcome.found;
        // After a complete read the satellites found close up: the target slot has been
        // examined already, as it never lies beyond the current one.
        const int target = completeRead ? outcome.found : slot;
        if (target != slot)
            Valori[target] = std::move(Valori[slot]);
        const Record_TLE& set = sets[match->second];
        (void)mSat::Estrai_Dati_Satellite(target, set.Riga0, set.Riga1, set.Riga2);
    }
    if (completeRead) {
        for (int slot = outcome.found + 1; slot <= before; ++slot)
            clearSlot(slot);
        Numero_satelliti = static_cast<std::int16_t>(outcome.found);
        outcome.listEmptied = outcome.found == 0;
    }
    outcome.workingSetSaved = save();
    return outcome;
}

QStringList ActiveSatellites::lackedBy(std::span<const Record_TLE> sets) const
{
    std::unordered_set<std::string> held;
    for (const Record_TLE& set : sets)
        held.insert(catalogueKey(elementColumns::catalogueText(set.Riga1)));
    QStringList lacked;
    for (int slot = 1; slot <= count(); ++slot) {
        if (!held.contains(catalogueKey(Satelement[slot].Numero_catalogo)))
            lacked.append(entryText(slot - 1));
    }
    return lacked;
}

DecayedOutcome ActiveSatellites::removeDecayed(int slot)
{
    DecayedOutcome outcome;
    if (slot < 1 || slot > count())
        return outcome;
    outcome.removed = true;
    outcome.name = slotName(slot);
    outcome.wasPrincipal = slot == kPrincipalSlot;
    std::vector<bool> removeSlot(kLastActiveSlot + 1, false);
    removeSlot[static_cast<std::size_t>(slot)] = true;
    closeUpSlots(removeSlot);
    outcome.listEmptied = count() == 0;
    outcome.workingSetSaved = save();
    return outcome;
}

std::vector<bool> aboveHorizon(const std::vector<Record_TLE>& sets, double julianDate)
{
    // Only the elevation is wanted: no magnitude or radio channel tables are needed.
    static const std::vector<std::string> noMagnitudes;
    static const std::vector<Record_TLE> noFrequencies;
    std::vector<bool> above;
    above.reserve(sets.size());
    for (const Record_TLE& set : sets) {
        const mSat::ParsedElementSet parsed =
            mSat::parseElementSet(set.Riga0, set.Riga1, set.Riga2, noMagnitudes, noFrequencies);
        const mSat::ObservingResult state = mSat::observingState(
            parsed.elements, Osservatore, Impostazioni, julianDate, Posizione_satellite{}, 0);
        above.push_back(state.status == mSat::Status::Ok && state.valori.Elevazione > 0);
    }
    return above;
}

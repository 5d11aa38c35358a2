#include "ElementSetFixtures.h"

#include "core/ElementSet.h"
#include "core/mSat.h"
#include "database/ActiveSatellites.h"

#include <QStringList>

namespace {

/// The active list as the window shows it: one text per entry.
QStringList entries(const ActiveSatellites& active)
{
    QStringList texts;
    for (int entry = 0; entry < active.count(); ++entry)
        texts.append(active.entryText(entry));
    return texts;
}

QStringList names(std::initializer_list<const char*> list)
{
    QStringList texts;
    for (const char* name : list)
        texts.append(QString::fromLatin1(name));
    return texts;
}

/// Active satellites whose working-set writer records the list as it stood at each write.
class ActiveList : public SharedStateTest
{
protected:
    /// Makes sets named A, B, C ... with catalogue numbers 00001, 00002 ... active.
    void activate(int count)
    {
        for (int k = 0; k < count; ++k)
            m_active.add({letterSet(k)});
        m_writes.clear();
    }

    static Record_TLE letterSet(int k)
    {
        return makeSet(std::string(1, static_cast<char>('A' + k)), catalogueText(k + 1));
    }

    QStringList list() const { return entries(m_active); }

    std::vector<QStringList> m_writes;
    bool m_writerSucceeds = true;
    ActiveSatellites m_active{[this] {
        m_writes.push_back(entries(m_active));
        return m_writerSucceeds;
    }};
};

TEST_F(ActiveList, AddTakesTheGivenSetsInOrderSkippingActiveOnesUpToTheLimit)
{
    const AddOutcome first = m_active.add({letterSet(0), letterSet(1)});
    EXPECT_EQ(first.status, ListCommand::Done);
    EXPECT_EQ(first.added, 2);
    EXPECT_TRUE(first.principalChanged);
    EXPECT_EQ(list(), names({"A", "B"}));
    EXPECT_EQ(Satelement[2].Numero_catalogo, "00002");
    EXPECT_EQ(RigaDati[1].Riga1, letterSet(0).Riga1);

    // A set whose catalogue number is active under another spelling is skipped and named.
    const AddOutcome second = m_active.add({makeSet("B AGAIN", "    2"), letterSet(2)});
    EXPECT_EQ(second.added, 1);
    EXPECT_FALSE(second.principalChanged);
    EXPECT_EQ(second.alreadyActive, names({"B"}));
    EXPECT_EQ(list(), names({"A", "B", "C"}));

    const AddOutcome none = m_active.add({});
    EXPECT_EQ(none.status, ListCommand::NothingSelected);
    const AddOutcome onlyKnown = m_active.add({letterSet(0)});
    EXPECT_EQ(onlyKnown.status, ListCommand::Unchanged);

    // One write per command that changed the list, holding the list after the change.
    ASSERT_EQ(m_writes.size(), 2u);
    EXPECT_EQ(m_writes[1], names({"A", "B", "C"}));
}

TEST_F(ActiveList, AddStopsAtTwoHundredSatellites)
{
    const std::vector<Record_TLE> sets = numberedSets(202);
    m_active.add(std::vector<Record_TLE>(sets.begin(), sets.begin() + 199));
    ASSERT_EQ(m_active.count(), 199);

    const AddOutcome outcome = m_active.add({sets[199], sets[200], sets[201]});
    EXPECT_EQ(outcome.added, 1);
    EXPECT_TRUE(outcome.limitReached);
    EXPECT_EQ(Numero_satelliti, kMaxActiveSatellites);
    EXPECT_EQ(m_active.entryText(199), QStringLiteral("SAT 200"));
    EXPECT_TRUE(RigaDati[kFirstScratchSlot].Riga0.empty());
}

TEST_F(ActiveList, RemoveClosesUpTheSlotsWithTheirComputedState)
{
    activate(5);
    for (int slot = 1; slot <= 5; ++slot)
        Valori[slot].Azimut = slot;
    Satelement[kFirstScratchSlot].Nome_satellite = "Scratch";

    const RemoveOutcome outcome = m_active.remove({1, 3, 42});
    EXPECT_EQ(outcome.status, ListCommand::Done);
    EXPECT_EQ(outcome.removed, 2);
    EXPECT_FALSE(outcome.principalRemoved);
    EXPECT_EQ(list(), names({"A", "C", "E"}));
    EXPECT_EQ(Numero_satelliti, 3);
    EXPECT_EQ(Satelement[3].Numero_catalogo, "00005");
    EXPECT_EQ(Valori[2].Azimut, 3);
    EXPECT_EQ(Valori[3].Azimut, 5);
    for (int slot = 4; slot <= 5; ++slot) {
        EXPECT_TRUE(RigaDati[slot].Riga0.empty()) << slot;
        EXPECT_TRUE(Satelement[slot].Numero_catalogo.empty()) << slot;
        EXPECT_EQ(Valori[slot].Azimut, 0) << slot;
    }
    EXPECT_EQ(Satelement[kFirstScratchSlot].Nome_satellite, "Scratch");
    ASSERT_EQ(m_writes.size(), 1u);
    EXPECT_EQ(m_writes[0], names({"A", "C", "E"}));

    EXPECT_EQ(m_active.remove({}).status, ListCommand::NothingSelected);
    EXPECT_EQ(m_active.remove({7}).status, ListCommand::NothingSelected);

    const RemoveOutcome rest = m_active.remove({0, 1, 2});
    EXPECT_TRUE(rest.principalRemoved);
    EXPECT_TRUE(rest.listEmptied);
    EXPECT_EQ(m_active.count(), 0);
}

TEST_F(ActiveList, RemoveAllEmptiesEverySlot)
{
    EXPECT_EQ(m_active.removeAll().status, ListCommand::Unchanged);
    activate(3);
    Satelement[kSecondScratchSlot].Nome_satellite = "Scratch";
    const RemoveOutcome outcome = m_active.removeAll();
    EXPECT_EQ(outcome.removed, 3);
    EXPECT_TRUE(outcome.listEmptied);
    EXPECT_EQ(Numero_satelliti, 0);
    for (int slot = 1; slot <= kLastSlot; ++slot)
        EXPECT_TRUE(Satelement[slot].Nome_satellite.empty()) << slot;
    EXPECT_EQ(m_writes.size(), 1u);
}

TEST_F(ActiveList, PrincipalAndMovesExchangeSlotsAndReportANewPrincipal)
{
    activate(4);

    EXPECT_EQ(m_active.makePrincipal({}).status, ListCommand::SelectOne);
    EXPECT_EQ(m_active.makePrincipal({1, 2}).status, ListCommand::SelectOne);
    EXPECT_EQ(m_active.makePrincipal({0}).status, ListCommand::Unchanged);
    EXPECT_TRUE(m_writes.empty());

    MoveOutcome moved = m_active.makePrincipal({3});
    EXPECT_EQ(moved.status, ListCommand::Done);
    EXPECT_EQ(moved.selectedEntry, 0);
    EXPECT_TRUE(moved.principalChanged);
    EXPECT_EQ(list(), names({"D", "B", "C", "A"}));
    EXPECT_EQ(Satelement[1].Numero_catalogo, "00004");

    moved = m_active.moveUp({1});
    EXPECT_EQ(moved.selectedEntry, 0);
    EXPECT_TRUE(moved.principalChanged);
    EXPECT_EQ(list(), names({"B", "D", "C", "A"}));

    moved = m_active.moveDown({0});
    EXPECT_EQ(moved.selectedEntry, 1);
    EXPECT_TRUE(moved.principalChanged); // slot 1 now holds D
    EXPECT_EQ(list(), names({"D", "B", "C", "A"}));

    moved = m_active.moveDown({2});
    EXPECT_EQ(moved.selectedEntry, 3);
    EXPECT_FALSE(moved.principalChanged);
    EXPECT_EQ(list(), names({"D", "B", "A", "C"}));
    EXPECT_EQ(m_active.moveDown({3}).status, ListCommand::Unchanged);
    EXPECT_EQ(m_active.moveUp({0}).status, ListCommand::Unchanged);
    EXPECT_EQ(m_active.moveUp({0, 1}).status, ListCommand::SelectOne);

    EXPECT_EQ(m_writes.size(), 4u);
    EXPECT_EQ(m_writes.back(), list());
}

TEST_F(ActiveList, RotateMovesThePrincipalToTheEnd)
{
    activate(1);
    EXPECT_EQ(m_active.rotate().status, ListCommand::Unchanged);
    EXPECT_EQ(list(), names({"A"}));

    m_active.add({letterSet(1), letterSet(2)});
    const MoveOutcome outcome = m_active.rotate();
    EXPECT_TRUE(outcome.principalChanged);
    EXPECT_EQ(list(), names({"B", "C", "A"}));
    EXPECT_EQ(Numero_satelliti, 3);
    EXPECT_EQ(Satelement[3].Numero_catalogo, "00001");
}

TEST_F(ActiveList, DecayedSatelliteIsRemovedAloneAndTheOthersMoveUp)
{
    activate(5);
    Valori[3].Elevazione = 12;
    const std::vector<Record_TLE> database = Db_principale;

    const DecayedOutcome outcome = m_active.removeDecayed(3);
    EXPECT_TRUE(outcome.removed);
    EXPECT_EQ(outcome.name, QStringLiteral("C"));
    EXPECT_FALSE(outcome.wasPrincipal);
    EXPECT_EQ(list(), names({"A", "B", "D", "E"}));
    EXPECT_EQ(Valori[3].Elevazione, 0);
    ASSERT_EQ(m_writes.size(), 1u);
    EXPECT_EQ(m_writes[0], names({"A", "B", "D", "E"}));

    const DecayedOutcome principal = m_active.removeDecayed(1);
    EXPECT_TRUE(principal.wasPrincipal);
    EXPECT_EQ(list(), names({"B", "D", "E"}));

    EXPECT_FALSE(m_active.removeDecayed(4).removed);
    EXPECT_FALSE(m_active.removeDecayed(0).removed);
    EXPECT_EQ(m_writes.size(), 2u);
    EXPECT_EQ(Db_principale.size(), database.size());
}

TEST_F(ActiveList, WorkingSetFailureIsReported)
{
    m_writerSucceeds = false;
    EXPECT_FALSE(m_active.add({letterSet(0)}).workingSetSaved);
    EXPECT_EQ(m_active.count(), 1); // the list still changed; the window tells the user
}

TEST_F(ActiveList, CompleteReadKeepsTheSatellitesFoundInTheirOrder)
{
    activate(3); // A principal, B, C
    const Record_TLE newB = withEpochDay(letterSet(1), "200.00000000");
    const Record_TLE newC = withEpochDay(letterSet(2), "210.00000000");
    const std::vector<Record_TLE> database{{}, makeSet("OTHER", "00099"), newC, newB};

    const RelinkOutcome outcome = m_active.relink(database, true);
    EXPECT_EQ(outcome.activeBefore, 3);
    EXPECT_EQ(outcome.found, 2);
    EXPECT_FALSE(outcome.principalFound);
    EXPECT_TRUE(outcome.principalReplaced());
    EXPECT_EQ(list(), names({"B", "C"}));
    EXPECT_EQ(Satelement[1].Giorno_epoca, 200);
    EXPECT_EQ(Satelement[2].Giorno_epoca, 210);
    EXPECT_TRUE(RigaDati[3].Riga0.empty());
    EXPECT_TRUE(Satelement[3].Numero_catalogo.empty());
    ASSERT_EQ(m_writes.size(), 1u);
    EXPECT_EQ(m_writes[0], names({"B", "C"}));
}

TEST_F(ActiveList, RepeatedCatalogueNumberLinksEachSatelliteToItsFirstSet)
{
    activate(3); // A, B, C
    const std::vector<Record_TLE> database{
        {},
        withEpochDay(letterSet(1), "100.00000000"),
        withEpochDay(letterSet(1), "101.00000000"),
        withEpochDay(letterSet(0), "110.00000000"),
        withEpochDay(letterSet(0), "111.00000000"),
        withEpochDay(letterSet(2), "120.00000000"),
    };
    const RelinkOutcome outcome = m_active.relink(database, true);
    EXPECT_EQ(outcome.found, 3);
    EXPECT_TRUE(outcome.principalFound);
    EXPECT_EQ(list(), names({"A", "B", "C"}));
    EXPECT_EQ(Satelement[1].Giorno_epoca, 110);
    EXPECT_EQ(Satelement[2].Giorno_epoca, 100);
    EXPECT_EQ(Satelement[3].Giorno_epoca, 120);
    EXPECT_EQ(Numero_satelliti, 3);
}

TEST_F(ActiveList, CancelledReadUpdatesOnlyTheSatellitesFound)
{
    activate(3);
    const Record_TLE oldC = RigaDati[3];
    const RelinkOutcome outcome =
        m_active.relink({{}, withEpochDay(letterSet(1), "300.00000000")}, false);
    EXPECT_FALSE(outcome.completeRead);
    EXPECT_EQ(outcome.found, 1);
    EXPECT_FALSE(outcome.principalReplaced()); // A was not reached, so it stays principal
    EXPECT_EQ(list(), names({"A", "B", "C"}));
    EXPECT_EQ(Satelement[2].Giorno_epoca, 300);
    EXPECT_EQ(RigaDati[3].Riga1, oldC.Riga1);
    EXPECT_EQ(Numero_satelliti, 3);
}

TEST_F(ActiveList, DatabaseWithoutTheActiveSatellitesEmptiesTheList)
{
    activate(2);
    const RelinkOutcome outcome = m_active.relink({{}, makeSet("OTHER", "00099")}, true);
    EXPECT_EQ(outcome.found, 0);
    EXPECT_TRUE(outcome.listEmptied);
    EXPECT_FALSE(outcome.principalReplaced());
    EXPECT_EQ(m_active.count(), 0);

    m_writes.clear();
    const RelinkOutcome empty = m_active.relink({{}, makeSet("OTHER", "00099")}, true);
    EXPECT_EQ(empty.activeBefore, 0);
    EXPECT_TRUE(empty.principalFound); // nothing to report
    EXPECT_TRUE(m_writes.empty());
}

TEST_F(ActiveList, AboveHorizonSelectsTheSatellitesTheObserverSees)
{
    // A geostationary satellite, the same on the far side of the Earth, and a set that
    // cannot be propagated (no mean motion).
    const Record_TLE geo{"GEO",
                         "1 99001U 20001A   24001.00000000  .00000000  00000-0  00000-0 0  9990",
                         "2 99001   0.0100 100.0000 0001000  90.0000   0.0000  1.00270000 10000"};
    const Record_TLE farSide{"FAR", geo.Riga1, withColumns(geo.Riga2, 44, "180.0000")};
    const Record_TLE broken{"BROKEN", geo.Riga1, withColumns(geo.Riga2, 53, " 0.00000000")};
    const double julianDate = mAstro::Calcola_giorno_giuliano(2024, 1, 1.25);

    // Stand the observer under the first satellite.
    Osservatore = Dati_osservatore{};
    const mSat::ParsedElementSet parsed =
        mSat::parseElementSet(geo.Riga0, geo.Riga1, geo.Riga2, {}, {});
    const mSat::ObservingResult state = mSat::observingState(
        parsed.elements, Osservatore, Impostazioni, julianDate, Posizione_satellite{}, 0);
    ASSERT_EQ(state.status, mSat::Status::Ok);
    Osservatore.Latitudine_osservatore = static_cast<float>(state.valori.Latitudine_subsatellite);
    Osservatore.Longitudine_osservatore = static_cast<float>(state.valori.Longitudine_subsatellite);

    EXPECT_EQ(aboveHorizon({geo, farSide, broken}, julianDate),
              (std::vector<bool>{true, false, false}));
    EXPECT_EQ(Numero_satelliti, 0);
    EXPECT_TRUE(RigaDati[kFirstScratchSlot].Riga0.empty());
}

} // namespace

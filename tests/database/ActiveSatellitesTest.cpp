#include "ElementSetFixtures.h"

#include "core/ElementSet.h"
#include "core/mSat.h"
#include "database/ActiveSatellites.h"

#include <QStringList>

namespace {

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
    void activate(int count)
    {
        for (int k = 0; k < count; ++k)
            m_active.add({letterSet(k)});
        m_writes.clear();
    }

    QStringList list() const
    {
        QStringList texts;
        for (int entry = 0; entry < m_active.count(); ++entry)
            texts.append(m_active.entryText(entry));
        return texts;
    }

    std::vector<QStringList> m_writes;
    ActiveSatellites m_active{[this] {
        m_writes.push_back(list());
        return true;
    }};
};

TEST_F(ActiveList, AddSkipsActiveCatalogueNumbersAndStopsAtTwoHundred)
{
    const AddOutcome first = m_active.add({letterSet(0), letterSet(1)});
    EXPECT_EQ(first.added, 2);
    EXPECT_TRUE(first.principalChanged);
    EXPECT_EQ(Satelement[2].Numero_catalogo, "00002");

    // The same catalogue number written with blanks is the same satellite.
    const AddOutcome second = m_active.add({makeSet("B AGAIN", "    2"), letterSet(2)});
    EXPECT_EQ(second.added, 1);
    EXPECT_FALSE(second.principalChanged);
    EXPECT_EQ(second.alreadyActive, names({"B"}));
    EXPECT_EQ(m_active.add({}).status, ListCommand::NothingSelected);
    EXPECT_EQ(m_active.add({letterSet(0)}).status, ListCommand::Unchanged);
    ASSERT_EQ(m_writes.size(), 2u); // one write per change, holding the list after it
    EXPECT_EQ(m_writes[1], names({"A", "B", "C"}));

    const std::vector<Record_TLE> sets = numberedSets(202);
    m_active.add(std::vector<Record_TLE>(sets.begin() + 3, sets.begin() + 199));
    ASSERT_EQ(m_active.count(), 199);
    const AddOutcome full = m_active.add({sets[199], sets[200], sets[201]});
    EXPECT_EQ(full.added, 1);
    EXPECT_TRUE(full.limitReached);
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
    EXPECT_EQ(outcome.removed, 2);
    EXPECT_FALSE(outcome.principalRemoved);
    EXPECT_EQ(list(), names({"A", "C", "E"}));
    EXPECT_EQ(Satelement[3].Numero_catalogo, "00005");
    EXPECT_EQ(Valori[3].Azimut, 5);
    EXPECT_TRUE(RigaDati[4].Riga0.empty());
    EXPECT_EQ(Valori[4].Azimut, 0);
    EXPECT_EQ(Satelement[kFirstScratchSlot].Nome_satellite, "Scratch");
    EXPECT_EQ(m_writes, std::vector<QStringList>{names({"A", "C", "E"})});
    EXPECT_EQ(m_active.remove({7}).status, ListCommand::NothingSelected);

    const RemoveOutcome all = m_active.removeAll();
    EXPECT_TRUE(all.principalRemoved);
    EXPECT_TRUE(all.listEmptied);
    EXPECT_EQ(Numero_satelliti, 0);
    EXPECT_TRUE(Satelement[kFirstScratchSlot].Nome_satellite.empty());
    EXPECT_EQ(m_active.removeAll().status, ListCommand::Unchanged);
}

TEST_F(ActiveList, PrincipalMovesAndRotationReportANewPrincipal)
{
    activate(4);
    EXPECT_EQ(m_active.makePrincipal({}).status, ListCommand::SelectOne);
    EXPECT_EQ(m_active.makePrincipal({1, 2}).status, ListCommand::SelectOne);
    EXPECT_EQ(m_active.makePrincipal({0}).status, ListCommand::Unchanged);
    EXPECT_TRUE(m_writes.empty());

    struct Step
    {
        const char* what;
        MoveOutcome outcome;
        int selected;
        bool principalChanged;
        QStringList list;
    };
    const Step steps[] = {
        {"principal entry 3", m_active.makePrincipal({3}), 0, true, names({"D", "B", "C", "A"})},
        {"entry 1 up", m_active.moveUp({1}), 0, true, names({"B", "D", "C", "A"})},
        {"entry 0 down", m_active.moveDown({0}), 1, true, names({"D", "B", "C", "A"})},
        {"entry 2 down", m_active.moveDown({2}), 3, false, names({"D", "B", "A", "C"})},
        {"rotation", m_active.rotate(), -1, true, names({"B", "A", "C", "D"})},
    };
    for (std::size_t k = 0; k < std::size(steps); ++k) {
        const Step& step = steps[k];
        EXPECT_EQ(step.outcome.status, ListCommand::Done) << step.what;
        EXPECT_EQ(step.outcome.selectedEntry, step.selected) << step.what;
        EXPECT_EQ(step.outcome.principalChanged, step.principalChanged) << step.what;
        ASSERT_LT(k, m_writes.size());
        EXPECT_EQ(m_writes[k], step.list) << step.what;
    }
    EXPECT_EQ(Satelement[1].Numero_catalogo, "00002");
    EXPECT_EQ(m_active.moveDown({3}).status, ListCommand::Unchanged);
    EXPECT_EQ(m_active.moveUp({0}).status, ListCommand::Unchanged);

    m_active.remove({1, 2, 3});
    EXPECT_EQ(m_active.rotate().status, ListCommand::Unchanged);
}

TEST_F(ActiveList, DecayedSatelliteIsRemovedAloneAndTheOthersMoveUp)
{
    activate(5);
    Valori[3].Elevazione = 12;
    const DecayedOutcome outcome = m_active.removeDecayed(3);
    EXPECT_TRUE(outcome.removed);
    EXPECT_EQ(outcome.name, QStringLiteral("C"));
    EXPECT_FALSE(outcome.wasPrincipal);
    EXPECT_EQ(m_writes, std::vector<QStringList>{names({"A", "B", "D", "E"})});
    EXPECT_EQ(Valori[3].Elevazione, 0);

    EXPECT_TRUE(m_active.removeDecayed(1).wasPrincipal);
    EXPECT_EQ(list(), names({"B", "D", "E"}));
    EXPECT_FALSE(m_active.removeDecayed(4).removed);
    EXPECT_EQ(m_writes.size(), 2u);
}

TEST_F(ActiveList, CompleteReadKeepsTheSatellitesFoundInTheirOrder)
{
    activate(3); // A principal, B, C
    const std::vector<Record_TLE> database{
        {}, makeSet("OTHER", "00099"), letterSet(2, "210.00000000"), letterSet(1, "200.00000000")};
    const RelinkOutcome outcome = m_active.relink(database, true);
    EXPECT_EQ(outcome.found, 2);
    EXPECT_EQ(outcome.leftOut, names({"A"}));
    EXPECT_TRUE(outcome.principalReplaced());
    EXPECT_EQ(m_writes, std::vector<QStringList>{names({"B", "C"})});
    EXPECT_EQ(Satelement[1].Giorno_epoca, 200);
    EXPECT_EQ(Satelement[2].Giorno_epoca, 210);
    EXPECT_TRUE(Satelement[3].Numero_catalogo.empty());

    const RelinkOutcome none = m_active.relink({{}, makeSet("OTHER", "00099")}, true);
    EXPECT_TRUE(none.listEmptied);
    EXPECT_EQ(none.leftOut, names({"B", "C"}));
    EXPECT_FALSE(none.principalReplaced());
}

TEST_F(ActiveList, RepeatedCatalogueNumberLinksToItsFirstSetAndOverwritesNoOtherSlot)
{
    activate(3); // A, B, C
    const RelinkOutcome outcome = m_active.relink({{},
                                                   letterSet(1, "100.00000000"),
                                                   letterSet(1, "101.00000000"),
                                                   letterSet(0, "110.00000000"),
                                                   letterSet(2, "120.00000000")},
                                                  true);
    EXPECT_EQ(outcome.found, 3);
    EXPECT_EQ(list(), names({"A", "B", "C"}));
    EXPECT_EQ(Satelement[2].Giorno_epoca, 100);
    EXPECT_EQ(Satelement[3].Giorno_epoca, 120);
}

TEST_F(ActiveList, CancelledReadUpdatesOnlyTheSatellitesFound)
{
    activate(3);
    const RelinkOutcome outcome = m_active.relink({{}, letterSet(1, "300.00000000")}, false);
    EXPECT_EQ(outcome.found, 1);
    EXPECT_FALSE(outcome.principalReplaced()); // A was not reached, so it stays principal
    EXPECT_TRUE(outcome.leftOut.isEmpty()) << "nothing was left out";
    EXPECT_EQ(list(), names({"A", "B", "C"}));
    EXPECT_EQ(Satelement[1].Giorno_epoca, 1.5);
    EXPECT_EQ(Satelement[2].Giorno_epoca, 300);
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
    const mSat::ObservingResult state = mSat::observingState(
        mSat::parseElementSet(geo.Riga0, geo.Riga1, geo.Riga2, {}, {}).elements, Osservatore,
        Impostazioni, julianDate, Posizione_satellite{}, 0);
    ASSERT_EQ(state.status, mSat::Status::Ok);
    Osservatore.Latitudine_osservatore = static_cast<float>(state.valori.Latitudine_subsatellite);
    Osservatore.Longitudine_osservatore = static_cast<float>(state.valori.Longitudine_subsatellite);

    EXPECT_EQ(aboveHorizon({geo, farSide, broken}, julianDate),
              (std::vector<bool>{true, false, false}));
    EXPECT_TRUE(RigaDati[kFirstScratchSlot].Riga0.empty());
}

} // namespace

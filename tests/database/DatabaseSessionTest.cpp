#include "ElementSetFixtures.h"

#include "database/DatabaseSession.h"

#include <QStringList>

#include <set>

namespace {

class Session : public SharedStateTest
{
protected:
    void SetUp() override
    {
        SharedStateTest::SetUp();
        Impostazioni.File_database.clear();
    }

    /// Sets A, B, C ... with catalogue numbers 00001, 00002 ...
    static Record_TLE letterSet(int k, std::string_view epochDay = "001.50000000")
    {
        return withEpochDay(
            makeSet(std::string(1, static_cast<char>('A' + k)), catalogueText(k + 1)), epochDay);
    }

    DatabaseReadOutcome readPrimary(const QString& path, const ReadHooks& hooks = {})
    {
        return m_session.read(DatabaseKind::Primary, path, kNow, hooks);
    }

    QStringList rows() const
    {
        QStringList texts;
        for (int row = 0; row < m_database.rowCount(); ++row)
            texts.append(m_database.rowText(row));
        return texts;
    }

    static constexpr double kNow = 2460400.5;
    ElementFileFolder m_folder;
    int m_writes = 0;
    DatabaseSession m_session{[this] {
        ++m_writes;
        return true;
    }};
    ElementDatabase& m_database = m_session.database(DatabaseKind::Primary);
    ActiveSatellites& m_active = m_session.active();
};

TEST_F(Session, CompleteReadReplacesTheDatabaseAndRelinksTheActiveSatellites)
{
    m_active.add({letterSet(0), letterSet(1), letterSet(2)});
    m_writes = 0;
    const QString path =
        m_folder.write(QStringLiteral("bc.tle"),
                       elementFile({letterSet(2, "050.00000000"), letterSet(1, "040.00000000")}));

    const DatabaseReadOutcome outcome = readPrimary(path);
    EXPECT_EQ(outcome.read.status, ReadStatus::Complete);
    EXPECT_TRUE(outcome.read.replaced);
    EXPECT_EQ(outcome.read.setsRead, 2);
    EXPECT_EQ(Impostazioni.File_database, path.toStdString());
    EXPECT_EQ(m_database.path(), path);
    ASSERT_EQ(Db_principale.size(), 3u);
    EXPECT_EQ(Db_principale[1].Riga0, "C");
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("B"), QStringLiteral("C")}));
    ASSERT_TRUE(m_database.statistics());
    EXPECT_EQ(m_database.statistics()->sets, 2);

    ASSERT_TRUE(outcome.relink);
    EXPECT_EQ(outcome.relink->found, 2);
    EXPECT_FALSE(outcome.relink->principalFound);
    EXPECT_EQ(m_active.count(), 2);
    EXPECT_EQ(Satelement[1].Giorno_epoca, 40);
    EXPECT_EQ(m_writes, 1);
}

TEST_F(Session, FailedReadKeepsTheDatabaseTheOptionAndTheActiveSatellites)
{
    const QString good = m_folder.write(QStringLiteral("good.tle"),
                                        elementFile({letterSet(0), letterSet(1), letterSet(2)}));
    ASSERT_TRUE(readPrimary(good).read.replaced);
    m_active.add({letterSet(0), letterSet(1)});
    const std::vector<Record_TLE> database = Db_principale;
    const QStringList listed = rows();
    const DatabaseStatistics statistics = *m_database.statistics();
    const SlotArray<Record_TLE> lines = RigaDati;
    m_writes = 0;

    // Only A of the active satellites is in the broken file: a re-link would drop B.
    const QByteArray truncated = elementFile({letterSet(0, "090.00000000")}) + "B\r\n";
    const QByteArray garbage =
        elementFile({letterSet(0, "090.00000000")}) + "junk\r\njunk\r\njunk\r\n";
    for (const QByteArray& bytes : {truncated, garbage, QByteArray()}) {
        const QString broken = m_folder.write(QStringLiteral("broken.tle"), bytes);
        const DatabaseReadOutcome outcome = readPrimary(broken);
        EXPECT_TRUE(isReadFailure(outcome.read.status));
        EXPECT_FALSE(outcome.read.replaced);
        EXPECT_FALSE(outcome.relink);
    }
    EXPECT_FALSE(readPrimary(m_folder.path(QStringLiteral("missing.tle"))).read.replaced);

    EXPECT_EQ(Impostazioni.File_database, good.toStdString());
    EXPECT_EQ(m_database.path(), good);
    EXPECT_EQ(Db_principale.size(), database.size());
    EXPECT_EQ(Db_principale[3].Riga0, database[3].Riga0);
    EXPECT_EQ(rows(), listed);
    EXPECT_EQ(m_database.statistics()->meanDays, statistics.meanDays);
    EXPECT_EQ(m_active.count(), 2);
    EXPECT_EQ(RigaDati[2].Riga1, lines[2].Riga1);
    EXPECT_EQ(Satelement[1].Giorno_epoca, 1.5);
    EXPECT_EQ(m_writes, 0);
}

TEST_F(Session, CancelledReadKeepsTheSetsReadAndTheSatellitesNotReached)
{
    const QString old = m_folder.write(QStringLiteral("old.tle"), elementFile({letterSet(0)}));
    ASSERT_TRUE(readPrimary(old).read.replaced);
    m_active.add({letterSet(0), letterSet(1), letterSet(2)});

    const QString path = m_folder.write(
        QStringLiteral("long.tle"),
        elementFile({letterSet(1, "060.00000000"), letterSet(0, "061.00000000"), letterSet(2)}));

    // Cancel before the first set: nothing was read, so nothing changes.
    const DatabaseReadOutcome none = readPrimary(path, ReadHooks{{}, [] { return true; }});
    EXPECT_EQ(none.read.status, ReadStatus::Cancelled);
    EXPECT_FALSE(none.read.replaced);
    EXPECT_EQ(Impostazioni.File_database, old.toStdString());

    // Cancel after the first set: the database holds it, and only B is updated.
    int asked = 0;
    const DatabaseReadOutcome outcome =
        readPrimary(path, ReadHooks{{}, [&] { return ++asked > 1; }});
    EXPECT_EQ(outcome.read.status, ReadStatus::Cancelled);
    EXPECT_TRUE(outcome.read.replaced);
    EXPECT_EQ(m_database.size(), 1);
    EXPECT_EQ(Impostazioni.File_database, path.toStdString());
    ASSERT_TRUE(outcome.relink);
    EXPECT_FALSE(outcome.relink->completeRead);
    EXPECT_EQ(outcome.relink->found, 1);
    EXPECT_EQ(m_active.count(), 3);
    EXPECT_EQ(Satelement[1].Giorno_epoca, 1.5);
    EXPECT_EQ(Satelement[2].Giorno_epoca, 60);
    EXPECT_EQ(Satelement[3].Numero_catalogo, "00003");
}

TEST_F(Session, SecondaryDatabaseIsReadBesideThePrimaryAndLinksNothing)
{
    const QString primary =
        m_folder.write(QStringLiteral("primary.tle"), elementFile({letterSet(0)}));
    ASSERT_TRUE(readPrimary(primary).read.replaced);
    m_active.add({letterSet(0), letterSet(1)});
    m_writes = 0;

    ElementDatabase& secondary = m_session.database(DatabaseKind::Secondary);
    const QString path = m_folder.write(
        QStringLiteral("secondary.tle"),
        elementFile({letterSet(1, "099.00000000"), letterSet(4), letterSet(5)}) + "\r\n");
    const DatabaseReadOutcome outcome = m_session.read(DatabaseKind::Secondary, path, kNow);
    EXPECT_TRUE(outcome.read.replaced);
    EXPECT_FALSE(outcome.relink);
    EXPECT_EQ(secondary.size(), 3);
    EXPECT_EQ(Db_secondario.size(), 4u);
    EXPECT_EQ(secondary.path(), path);
    EXPECT_EQ(secondary.statistics()->sets, 3);

    // A broken secondary file keeps the secondary database read before.
    const QString broken = m_folder.write(QStringLiteral("broken.tle"), "X\r\n");
    EXPECT_EQ(m_session.read(DatabaseKind::Secondary, broken, kNow).read.status,
              ReadStatus::SetTruncated);
    EXPECT_EQ(secondary.size(), 3);
    EXPECT_EQ(secondary.path(), path);

    EXPECT_EQ(Impostazioni.File_database, primary.toStdString());
    EXPECT_EQ(m_database.size(), 1);
    EXPECT_EQ(m_active.count(), 2);
    EXPECT_EQ(Satelement[2].Giorno_epoca, 1.5);
    EXPECT_EQ(m_writes, 0);
}

TEST_F(Session, OnlyAChosenFileWithContentIsRead)
{
    EXPECT_FALSE(DatabaseSession::isOpenableChoice(QString()));
    EXPECT_FALSE(
        DatabaseSession::isOpenableChoice(m_folder.write(QStringLiteral("empty.tle"), {})));
    EXPECT_FALSE(DatabaseSession::isOpenableChoice(m_folder.path(QStringLiteral("missing.tle"))));
    EXPECT_TRUE(DatabaseSession::isOpenableChoice(
        m_folder.write(QStringLiteral("one.tle"), elementFile({letterSet(0)}))));
}

TEST_F(Session, EveryKeyListsEverySetOnceInAscendingOrder)
{
    std::vector<Record_TLE> sets;
    if (std::optional<std::vector<Record_TLE>> real = gpredictSets())
        sets = std::move(*real);
    else
        sets = numberedSets(1500); // the real catalogue is not installed: generated sets
    // Odd sets besides: no catalogue number, no mean motion, a blank name.
    sets.push_back(makeSet("NO NUMBER", "ABCDE"));
    sets.push_back({"STOPPED", kIssSet.Riga1, withColumns(kIssSet.Riga2, 53, " 0.00000000")});
    sets.push_back(makeSet("", "00077"));
    Tabella_magnitudini.assign(100000, std::string());
    Tabella_magnitudini[25544] = "-1.3";
    Tabella_magnitudini[5] = "11.0";
    ASSERT_TRUE(readPrimary(m_folder.write(QStringLiteral("all.tle"), elementFile(sets, "\n")))
                    .read.replaced);

    ASSERT_EQ(m_database.size(), static_cast<int>(sets.size()));
    for (int index = 0; index < kSortKeyCount; ++index) {
        m_database.setSortKey(*sortKeyFromIndex(index));
        ASSERT_EQ(m_database.rowCount(), m_database.size()) << "key " << index;
        std::set<int> seen;
        for (int row = 0; row < m_database.rowCount(); ++row) {
            seen.insert(m_database.recordNumberAt(row));
            if (row > 0) {
                EXPECT_LE(m_database.rowText(row - 1).toCaseFolded(),
                          m_database.rowText(row).toCaseFolded())
                    << "key " << index << ", row " << row;
            }
        }
        EXPECT_EQ(seen.size(), sets.size()) << "key " << index;
        EXPECT_EQ(*seen.begin(), 1);
    }
}

} // namespace

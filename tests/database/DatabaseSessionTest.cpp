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

    DatabaseReadOutcome readPrimary(const QString& path, const ReadHooks& hooks = {})
    {
        return m_session.read(DatabaseKind::Primary, path, kNow, hooks);
    }

    QString write(const char* name, const QByteArray& bytes)
    {
        return m_folder.write(QString::fromLatin1(name), bytes);
    }

    QStringList rows() const
    {
        QStringList texts;
        for (int row = 0; row < m_primary.rowCount(); ++row)
            texts.append(m_primary.rowText(row));
        return texts;
    }

    static constexpr double kNow = 2460400.5;
    ElementFileFolder m_folder;
    int m_writes = 0;
    DatabaseSession m_session{[this] {
        ++m_writes;
        return true;
    }};
    ElementDatabase& m_primary = m_session.database(DatabaseKind::Primary);
    ActiveSatellites& m_active = m_session.active();
};

TEST_F(Session, PrimaryReadReplacesTheDatabaseAndTheOptionAndRelinks)
{
    m_active.add({letterSet(0), letterSet(1), letterSet(2)});
    m_writes = 0;
    const QString path = write("bc.tle", elementFile({letterSet(2), letterSet(1, "040.00000000")}));

    const DatabaseReadOutcome outcome = readPrimary(path);
    EXPECT_TRUE(outcome.read.replaced);
    EXPECT_EQ(Impostazioni.File_database, path.toStdString());
    EXPECT_EQ(m_primary.path(), path);
    ASSERT_EQ(Db_principale.size(), 3u);
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("B"), QStringLiteral("C")}));
    EXPECT_EQ(m_primary.statistics()->sets, 2);
    ASSERT_TRUE(outcome.relink);
    EXPECT_TRUE(outcome.relink->principalReplaced());
    EXPECT_EQ(Satelement[1].Giorno_epoca, 40);
    EXPECT_EQ(m_writes, 1);
}

TEST_F(Session, FailedReadKeepsTheDatabaseTheOptionAndTheActiveSatellites)
{
    const QString good = write("good.tle", elementFile({letterSet(0), letterSet(1), letterSet(2)}));
    ASSERT_TRUE(readPrimary(good).read.replaced);
    m_active.add({letterSet(0), letterSet(1)});
    const QStringList listed = rows();
    const double meanAge = m_primary.statistics()->meanDays;
    m_writes = 0;

    // Only A of the active satellites is in the broken files: a re-link would drop B.
    const QByteArray a = elementFile({letterSet(0, "090.00000000")});
    for (const QByteArray& bytes : {a + "B\r\n", a + "junk\r\njunk\r\njunk\r\n", QByteArray()}) {
        const DatabaseReadOutcome outcome = readPrimary(write("broken.tle", bytes));
        EXPECT_TRUE(isReadFailure(outcome.read.status));
        EXPECT_FALSE(outcome.read.replaced);
        EXPECT_FALSE(outcome.relink);
    }
    EXPECT_FALSE(readPrimary(m_folder.path(QStringLiteral("missing.tle"))).read.replaced);

    EXPECT_EQ(Impostazioni.File_database, good.toStdString());
    EXPECT_EQ(m_primary.path(), good);
    EXPECT_EQ(Db_principale.size(), 4u);
    EXPECT_EQ(rows(), listed);
    EXPECT_EQ(m_primary.statistics()->meanDays, meanAge);
    EXPECT_EQ(m_active.count(), 2);
    EXPECT_EQ(Satelement[1].Giorno_epoca, 1.5);
    EXPECT_EQ(m_writes, 0);
}

TEST_F(Session, CancelledReadKeepsTheSetsReadAndTheSatellitesNotReached)
{
    const QString old = write("old.tle", elementFile({letterSet(0)}));
    ASSERT_TRUE(readPrimary(old).read.replaced);
    m_active.add({letterSet(0), letterSet(1), letterSet(2)});
    const QString path = write(
        "long.tle",
        elementFile({letterSet(1, "060.00000000"), letterSet(0, "061.00000000"), letterSet(2)}));

    // Cancelled before the first set: nothing was read, so nothing changes.
    const DatabaseReadOutcome none = readPrimary(path, ReadHooks{{}, [] { return true; }});
    EXPECT_EQ(none.read.status, ReadStatus::Cancelled);
    EXPECT_FALSE(none.read.replaced);
    EXPECT_EQ(Impostazioni.File_database, old.toStdString());

    // Cancelled after the first set: the database holds it, and only B is updated.
    int asked = 0;
    const DatabaseReadOutcome outcome =
        readPrimary(path, ReadHooks{{}, [&] { return ++asked > 1; }});
    EXPECT_TRUE(outcome.read.replaced);
    EXPECT_EQ(m_primary.size(), 1);
    EXPECT_EQ(Impostazioni.File_database, path.toStdString());
    ASSERT_TRUE(outcome.relink);
    EXPECT_FALSE(outcome.relink->completeRead);
    EXPECT_EQ(m_active.count(), 3);
    EXPECT_EQ(Satelement[1].Giorno_epoca, 1.5);
    EXPECT_EQ(Satelement[2].Giorno_epoca, 60);
}

TEST_F(Session, SecondaryDatabaseIsReadBesideThePrimaryAndLinksNothing)
{
    const QString primary = write("primary.tle", elementFile({letterSet(0)}));
    ASSERT_TRUE(readPrimary(primary).read.replaced);
    m_active.add({letterSet(0), letterSet(1)});
    m_writes = 0;

    ElementDatabase& secondary = m_session.database(DatabaseKind::Secondary);
    const QString path =
        write("secondary.tle", elementFile({letterSet(1, "099.00000000"), letterSet(4)}));
    const DatabaseReadOutcome outcome = m_session.read(DatabaseKind::Secondary, path, kNow);
    EXPECT_TRUE(outcome.read.replaced);
    EXPECT_FALSE(outcome.relink);
    EXPECT_EQ(Db_secondario.size(), 3u);

    // A broken secondary file keeps the secondary database read before.
    EXPECT_FALSE(
        m_session.read(DatabaseKind::Secondary, write("x.tle", "X\r\n"), kNow).read.replaced);
    EXPECT_EQ(secondary.size(), 2);
    EXPECT_EQ(secondary.path(), path);

    EXPECT_EQ(Impostazioni.File_database, primary.toStdString());
    EXPECT_EQ(m_primary.size(), 1);
    EXPECT_EQ(Satelement[2].Giorno_epoca, 1.5);
    EXPECT_EQ(m_writes, 0);

    EXPECT_FALSE(DatabaseSession::isOpenableChoice(QString()));
    EXPECT_FALSE(DatabaseSession::isOpenableChoice(write("empty.tle", {})));
    EXPECT_TRUE(DatabaseSession::isOpenableChoice(path));
}

TEST_F(Session, EveryKeyListsEverySetOnceInAscendingOrder)
{
    std::vector<Record_TLE> sets = gpredictSets().value_or(numberedSets(1500));
    // Odd sets besides: no catalogue number, no mean motion, a blank name.
    sets.push_back(makeSet("NO NUMBER", "ABCDE"));
    sets.push_back({"STOPPED", kIssSet.Riga1, withColumns(kIssSet.Riga2, 53, " 0.00000000")});
    sets.push_back(makeSet("", "00077"));
    Tabella_magnitudini.assign(100000, std::string());
    Tabella_magnitudini[25544] = "-1.3";
    Tabella_magnitudini[5] = "11.0";
    ASSERT_TRUE(readPrimary(write("all.tle", elementFile(sets, "\n"))).read.replaced);

    ASSERT_EQ(m_primary.size(), static_cast<int>(sets.size()));
    for (int index = 0; index < kSortKeyCount; ++index) {
        m_primary.setSortKey(*sortKeyFromIndex(index));
        ASSERT_EQ(m_primary.rowCount(), m_primary.size()) << "key " << index;
        std::set<int> seen;
        for (int row = 0; row < m_primary.rowCount(); ++row) {
            seen.insert(m_primary.recordNumberAt(row));
            if (row > 0) {
                EXPECT_LE(m_primary.rowText(row - 1).toCaseFolded(),
                          m_primary.rowText(row).toCaseFolded())
                    << "key " << index << ", row " << row;
            }
        }
        EXPECT_EQ(seen.size(), sets.size()) << "key " << index;
    }
}

} // namespace

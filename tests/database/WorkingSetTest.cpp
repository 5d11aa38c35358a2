#include "support/ScopedLocale.h"
#include "support/TestFiles.h"

#include "common/satellite_slots.h"
#include "core/ElementSet.h"
#include "database/WorkingSet.h"
#include "services/TextData.h"

#include <QIODevice>

namespace {

const char kLine1[] = "1 25544U 98067A   24001.50000000  .00016717  00000-0  10270-3 0  9005";
const char kLine2[] = "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.49815645432213";

class WorkingSetFile : public ProgramStateTest
{
protected:
    void TearDown() override
    {
        RigaDati = m_lines;
        Satelement = m_elements;
        Numero_satelliti = m_count;
        ProgramStateTest::TearDown();
    }

    QString workingSetPath() const { return folderFile(QStringLiteral("Quorvanel.ini")); }

    static QByteArray sets(int count, const char* lineEnd = "\r\n")
    {
        QByteArray file;
        for (int k = 1; k <= count; ++k)
            file += "Sat " + QByteArray::number(k) + lineEnd + kLine1 + lineEnd + kLine2 + lineEnd;
        return file;
    }

    static void clearSlots()
    {
        for (int slot = 1; slot <= kLastSlot; ++slot) {
            RigaDati[slot] = Record_TLE{};
            Satelement[slot] = Elemento_satellite{};
        }
        Numero_satelliti = 0;
    }

private:
    SlotArray<Record_TLE> m_lines = RigaDati;
    SlotArray<Elemento_satellite> m_elements = Satelement;
    std::int16_t m_count = Numero_satelliti;
};

TEST_F(WorkingSetFile, ThreeSatellitesWriteNineLinesAndReadBack)
{
    clearSlots();
    const char* names[] = {"Iss (Zarya)", "Noaa 15", "Hubble"};
    for (int slot = 1; slot <= 3; ++slot) {
        Satelement[slot].Nome_satellite = names[slot - 1];
        RigaDati[slot] = Record_TLE{"RAW NAME LINE", kLine1, kLine2};
    }
    Numero_satelliti = 3;
    ASSERT_TRUE(Salva_Ini());

    const QByteArray written = readTestFile(workingSetPath());
    EXPECT_EQ(written.count("\r\n"), 9);
    EXPECT_TRUE(written.startsWith(QByteArray("Iss (Zarya)\r\n") + kLine1 + "\r\n"));
    EXPECT_TRUE(written.endsWith(QByteArray(kLine2) + "\r\n"));

    clearSlots();
    ASSERT_TRUE(Leggi_Ini());
    ASSERT_EQ(Numero_satelliti, 3);
    for (int slot = 1; slot <= 3; ++slot) {
        EXPECT_EQ(RigaDati[slot].Riga0, names[slot - 1]);
        EXPECT_EQ(RigaDati[slot].Riga1, kLine1);
        EXPECT_EQ(RigaDati[slot].Riga2, kLine2);
    }
    EXPECT_EQ(RigaDati[4].Riga0, "");
}

TEST_F(WorkingSetFile, ReadingKeepsOnlyWholeNamedSetsUpToTwoHundred)
{
    struct Case
    {
        const char* name;
        QByteArray file;
        int expected;
    };
    const Case cases[] = {
        {"empty file", QByteArray(), 0},
        {"201 sets", sets(201), 200},
        {"LF line ends", sets(3, "\n"), 3},
        {"CR line ends", sets(3, "\r"), 3},
        {"cut inside the third set", sets(3).left(sets(2).size() + 10), 2},
        {"cut after a name line", sets(2) + "Sat 3\r\n", 2},
        {"trailing empty lines", sets(1) + "\r\n\r\n", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clearSlots();
        writeTestFile(workingSetPath(), c.file);
        ASSERT_TRUE(Leggi_Ini());
        EXPECT_EQ(Numero_satelliti, c.expected);
        if (c.expected > 0) {
            EXPECT_EQ(RigaDati[c.expected].Riga0, "Sat " + std::to_string(c.expected));
            EXPECT_EQ(RigaDati[c.expected].Riga2, kLine2);
        }
    }
}

TEST_F(WorkingSetFile, AStrayLineBetweenSetsIsToldByItsLineNumberAndTheNextSetFoundAgain)
{
    struct Case
    {
        const char* name;
        QByteArray stray; ///< put in place of line 7, the name line of set 3
        int kept;
        int lastLine; ///< of the lines left out, from line 7
        QString excerpt;
    };
    const QByteArray longLine(5000, 'N');
    const Case cases[] = {
        {"line of text", "Stray text\r\nSat 3", 10, 7, QStringLiteral("Stray text")},
        {"line of text, blank lines", "Stray text\r\n\r\n \t \r\nSat 3", 10, 7,
         QStringLiteral("Stray text")},
        {"unreadable bytes", "\xFF\xFEStray\r\nSat 3", 10, 7, QStringLiteral("??Stray")},
        {"5000-byte line", longLine + "\r\nSat 3", 10, 7,
         printableExcerpt(QString::fromLatin1(longLine))},
        {"line 2 in place of a name", kLine2, 9, 9, printableExcerpt(QString::fromLatin1(kLine2))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clearSlots();
        QByteArray file = sets(10);
        file.replace(sets(2).size(), 5, c.stray);
        writeTestFile(workingSetPath(), file);
        const WorkingSetLoad load = loadWorkingSetSlots();
        EXPECT_EQ(Numero_satelliti, c.kept);
        EXPECT_EQ(Satelement[c.kept].Nome_satellite, "Sat 10");
        ASSERT_EQ(load.unusable.size(), 1);
        EXPECT_EQ(load.unusable[0].firstLine, 7);
        EXPECT_EQ(load.unusable[0].lastLine, c.lastLine);
        EXPECT_EQ(load.unusable[0].excerpt, c.excerpt);
    }
}

/// A device that never ends: the same set again and again, counting the bytes given out.
class EndlessSets : public QIODevice
{
public:
    EndlessSets() : m_set(QByteArray("Sat\r\n") + kLine1 + "\r\n" + kLine2 + "\r\n")
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    qint64 given() const { return m_given; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        for (qint64 i = 0; i < maxSize; ++i)
            data[i] = m_set[static_cast<qsizetype>((m_given + i) % m_set.size())];
        m_given += maxSize;
        return maxSize;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_set;
    qint64 m_given = 0;
};

TEST(WorkingSetReading, StopsAfterTheTwoHundredthSetWithoutReadingFurther)
{
    EndlessSets device;
    const std::optional<WorkingSetRead> read = readWorkingSet(device);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->sets.size(), 200u);
    EXPECT_LT(device.given(), 1024 * 1024) << "read no more than a block beyond the last set";
}

TEST_F(WorkingSetFile, SetWithAnEmptyNameIsSkippedNotLeftAsAHole)
{
    clearSlots();
    writeTestFile(workingSetPath(), QByteArray("First\r\n") + kLine1 + "\r\n" + kLine2 + "\r\n"
                                        + "  \r\n" + kLine1 + "\r\n" + kLine2 + "\r\n"
                                        + "Third\r\n" + kLine1 + "\r\n" + kLine2 + "\r\n");
    ASSERT_TRUE(Leggi_Ini());
    ASSERT_EQ(Numero_satelliti, 2);
    EXPECT_EQ(RigaDati[1].Riga0, "First");
    EXPECT_EQ(RigaDati[2].Riga0, "Third");
}

TEST_F(WorkingSetFile, UnreadableOrUnwritableFileIsReportedAndChangesNothing)
{
    clearSlots();
    RigaDati[1] = Record_TLE{"Kept", kLine1, kLine2};
    Satelement[1].Nome_satellite = "Kept";
    Numero_satelliti = 1;
    EXPECT_FALSE(Leggi_Ini()); // no working-set file yet
    EXPECT_EQ(Numero_satelliti, 1);
    EXPECT_EQ(RigaDati[1].Riga0, "Kept");

    writeTestFile(workingSetPath(), sets(2));
    MyPath = folderFile(QStringLiteral("no/such/folder"));
    EXPECT_FALSE(Salva_Ini());
    MyPath = m_folder.path();
    EXPECT_EQ(readTestFile(workingSetPath()), sets(2));
}

} // namespace

TEST_F(WorkingSetFile, FileWrittenUnderOneLocaleReadsTheSameUnderTheOther)
{
    struct Direction
    {
        const char* writer;
        const char* reader;
    };
    for (const Direction& d : {Direction{kCommaLocale, "C"}, Direction{"C", kCommaLocale}}) {
        SCOPED_TRACE(std::string(d.writer) + " -> " + d.reader);
        clearSlots();
        {
            const ScopedLocale locale(d.writer);
            if (!locale.available())
                GTEST_SKIP() << d.writer << " is not installed";
            mSat::Estrai_Dati_Satellite(1, "Iss", kLine1, kLine2);
            Numero_satelliti = 1;
            ASSERT_TRUE(Salva_Ini());
        }
        EXPECT_FALSE(readTestFile(workingSetPath()).contains(','));
        const Elemento_satellite written = Satelement[1];
        clearSlots();
        const ScopedLocale locale(d.reader);
        ASSERT_TRUE(Leggi_Ini());
        ASSERT_EQ(Numero_satelliti, 1);
        mSat::Estrai_Dati_Satellite(1, RigaDati[1].Riga0, RigaDati[1].Riga1, RigaDati[1].Riga2);
        EXPECT_EQ(RigaDati[1].Riga1, kLine1);
        EXPECT_EQ(RigaDati[1].Riga2, kLine2);
        EXPECT_EQ(Satelement[1].Inclinazione, 51.6416);
        EXPECT_EQ(Satelement[1].Moto_medio, written.Moto_medio);
        EXPECT_EQ(Satelement[1].Giorno_epoca, 1.5);
        EXPECT_EQ(Satelement[1].Eccentricita, written.Eccentricita);
        EXPECT_EQ(Satelement[1].Bstar, written.Bstar);
    }
}

namespace {

TEST_F(WorkingSetFile, ASetWithAnOverlongLineIsLeftOutAndTheFileKeptAside)
{
    clearSlots();
    // A name line of five million bytes between two good sets.
    const QByteArray file = sets(1) + QByteArray(5000000, 'N') + "\r\n" + kLine1 + "\r\n" +
                            kLine2 + "\r\nSat 3\r\n" + kLine1 + "\r\n" + kLine2 + "\r\n";
    writeTestFile(workingSetPath(), file);
    const WorkingSetLoad load = loadWorkingSetSlots();
    EXPECT_TRUE(load.read);
    EXPECT_EQ(Numero_satelliti, 2);
    EXPECT_EQ(RigaDati[2].Riga0, "Sat 3");
    ASSERT_EQ(load.unusable.size(), 1);
    EXPECT_LE(load.unusable[0].excerpt.size(), 64) << "the name is shown cut short";
    EXPECT_EQ(load.damagedCopy, workingSetPath() + kDamagedFileSuffix);
    EXPECT_EQ(readTestFile(load.damagedCopy), file);

    // A file damaged again is kept in a copy of its own beside the first, which the user made
    // read-only; nor does a folder of that name stop the copy.
    ASSERT_TRUE(QFile::setPermissions(workingSetPath() + kDamagedFileSuffix, QFile::ReadOwner));
    const QByteArray again = sets(1) + "Sat 2\r\nno element line\r\n" + kLine2 + "\r\n";
    writeTestFile(workingSetPath(), again);
    const QString second = workingSetPath() + kDamagedFileSuffix + QStringLiteral(".2");
    EXPECT_EQ(loadWorkingSetSlots().damagedCopy, second);
    EXPECT_EQ(readTestFile(second), again);
    EXPECT_EQ(readTestFile(workingSetPath() + kDamagedFileSuffix), file);
    ASSERT_TRUE(QFile::remove(second) && QFile::remove(workingSetPath() + kDamagedFileSuffix));
    ASSERT_TRUE(QDir().mkdir(workingSetPath() + kDamagedFileSuffix));
    EXPECT_EQ(loadWorkingSetSlots().damagedCopy, second);
}

} // namespace

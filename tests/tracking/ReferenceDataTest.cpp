#include "support/TestFiles.h"
#include "support/RequiredData.h"

#include "core/ElementSet.h"
#include "tracking/ReferenceData.h"

#include <QFileInfo>
#include <QtEndian>

#include <bit>
#include <cstring>
#include <functional>

namespace {

/// One stars.bin record; the text fields are blank padded to their widths.
QByteArray starRecord(float ra, float dec, qint16 magnitude, const char* name)
{
    QByteArray record(kStarRecordSize, ' ');
    char* bytes = record.data();
    qToLittleEndian(std::bit_cast<quint32>(ra), bytes);
    qToLittleEndian(std::bit_cast<quint32>(dec), bytes + 4);
    qToLittleEndian(magnitude, bytes + 8);
    std::memcpy(bytes + 12, "A1", 2);
    std::memcpy(bytes + 14, "al", 2);
    std::memcpy(bytes + 16, "CMa", 3);
    std::memcpy(bytes + 19, name, std::min<std::size_t>(std::strlen(name), 16));
    return record;
}

QByteArray starsFile(int records)
{
    QByteArray file;
    for (int k = 1; k <= records; ++k)
        file += starRecord(static_cast<float>(k) / 1000.0f, -static_cast<float>(k) / 100.0f,
                           static_cast<qint16>(k - 146), k == 1 ? "Sirius" : "Star");
    return file;
}

QByteArray linesFile(int records)
{
    QByteArray file;
    for (int k = 1; k <= records; ++k)
        file += "\"And\"," + QByteArray::number(k) + ",-" + QByteArray::number(k) + ", 23999 ,9000\r\n";
    return file;
}

QByteArray namesFile(int records)
{
    QByteArray file = "12500,-2500,\"Andromeda, the chained\",ANDROMEDA\r\n";
    for (int k = 2; k <= records; ++k)
        file += QByteArray::number(k * 100) + ",0,Name,Ab\n";
    return file;
}

QByteArray planetsFile()
{
    const char* names[] = {"Mercurio", "Venere", "Marte", "Giove", "Saturno",
                           "Urano",    "Nettuno", "Sole",  "Luna",  "Terra"};
    QByteArray file;
    for (const char* name : names) {
        file += QByteArray("\"") + name + "\"";
        for (int e = 1; e <= 9; ++e)
            file += "," + QByteArray::number(e) + ".5";
        file += "\r\n";
    }
    return file;
}

class ReferenceTables : public ProgramStateTest
{
protected:
    void SetUp() override
    {
        ProgramStateTest::SetUp();
        writeData(QStringLiteral("stars.bin"), starsFile(kStarCount));
        writeData(QStringLiteral("clines.dat"), linesFile(kConstellationLineCount));
        writeData(QStringLiteral("cnames.dat"), namesFile(kConstellationNameCount));
        writeData(QStringLiteral("planets.dat"), planetsFile());
        writeData(QStringLiteral("magnitud.dat"), "\"00005\",\"11.0\"\r\n\"25544\",\"-1.3\"\r\n");
        writeData(QStringLiteral("frequen.dat"), "\"25544\",145.8,437.8000,\"ISS\"\r\n");
    }

    void TearDown() override
    {
        Stelle = m_stars;
        Record_stella = m_lastStar;
        Linee_costellazioni = m_lines;
        Nomi_costellazioni = m_names;
        Corpi_celesti = m_bodies;
        Tabella_magnitudini = m_magnitudes;
        Tabella_frequenze = m_frequencies;
        ProgramStateTest::TearDown();
    }

    void writeData(const QString& name, const QByteArray& bytes)
    {
        writeTestFile(folderFile(name), bytes);
    }

private:
    std::vector<Stella> m_stars = Stelle;
    Stella_catalogo m_lastStar = Record_stella;
    std::vector<Linea_costellazione> m_lines = Linee_costellazioni;
    std::vector<Nome_costellazione> m_names = Nomi_costellazioni;
    std::array<Corpo_celeste, kBodyCount + 1> m_bodies = Corpi_celesti;
    std::vector<std::string> m_magnitudes = Tabella_magnitudini;
    std::vector<Record_TLE> m_frequencies = Tabella_frequenze;
};

TEST_F(ReferenceTables, CompleteFilesFillEveryTable)
{
    const ReferenceDataStatus status = Carica_archivi();
    ASSERT_TRUE(status.ok()) << status.failedFile.toStdString();

    ASSERT_EQ(Stelle.size(), std::size_t{kStarCount + 1});
    EXPECT_FLOAT_EQ(Stelle[1].Ascensione_retta, 0.001f);
    EXPECT_FLOAT_EQ(Stelle[1].Declinazione, -0.01f);
    EXPECT_FLOAT_EQ(Stelle[kStarCount].Ascensione_retta, 9.01f);
    EXPECT_EQ(Record_stella.Magnitudine_centesimi, kStarCount - 146);
    EXPECT_EQ(Record_stella.Spettro, "A1");
    EXPECT_EQ(Record_stella.Costellazione, "CMa");
    EXPECT_EQ(Record_stella.Nome, "Star            ");

    ASSERT_EQ(Linee_costellazioni.size(), std::size_t{kConstellationLineCount + 1});
    EXPECT_FLOAT_EQ(Linee_costellazioni[1].Ascensione_retta2, 23.999f);
    EXPECT_FLOAT_EQ(Linee_costellazioni[1].Declinazione2, 90.0f);

    ASSERT_EQ(Nomi_costellazioni.size(), std::size_t{kConstellationNameCount + 1});
    EXPECT_DOUBLE_EQ(Nomi_costellazioni[1].Ascensione_retta, 12.5);
    EXPECT_DOUBLE_EQ(Nomi_costellazioni[1].Declinazione, -25.0);
    EXPECT_EQ(Nomi_costellazioni[1].Nome, "Andromeda, the chained");
    EXPECT_EQ(Nomi_costellazioni[1].Sigla, "AND");
    EXPECT_EQ(Nomi_costellazioni[2].Sigla, "Ab ");

    EXPECT_EQ(Corpi_celesti[kTerra].Nome, "Terra");
    EXPECT_DOUBLE_EQ(Corpi_celesti[kLuna].Elementi_orbitali[1], 1.5);
    EXPECT_DOUBLE_EQ(Corpi_celesti[kLuna].Elementi_orbitali[9], 9.5);

    ASSERT_EQ(Tabella_magnitudini.size(), 25545u);
    EXPECT_EQ(Tabella_magnitudini[5], "11.0");
    EXPECT_EQ(Tabella_magnitudini[25544], "-1.3");
    EXPECT_EQ(Tabella_magnitudini[6], "");

    ASSERT_EQ(Tabella_frequenze.size(), 2u);
    EXPECT_EQ(Tabella_frequenze[1].Riga0, "25544");
    EXPECT_EQ(Tabella_frequenze[1].Riga1, "145.8");
    EXPECT_EQ(Tabella_frequenze[1].Riga2, "437.8");
}

struct BrokenFile
{
    const char* name;
    const char* file;
    std::function<QByteArray()> contents; ///< null: the file is missing
};

void PrintTo(const BrokenFile& broken, std::ostream* out)
{
    *out << broken.name;
}

class BrokenReferenceFile : public ReferenceTables,
                            public ::testing::WithParamInterface<BrokenFile>
{
};

TEST_P(BrokenReferenceFile, FailsNamingTheFileAndLeavesTheTablesAlone)
{
    const BrokenFile& broken = GetParam();
    const QString path = folderFile(QString::fromLatin1(broken.file));
    if (broken.contents)
        writeData(QString::fromLatin1(broken.file), broken.contents());
    else
        ASSERT_TRUE(QFile::remove(path));
    Tabella_magnitudini.assign(3, "sentinel");
    Stelle[1].Ascensione_retta = 99.0f;

    const ReferenceDataStatus status = Carica_archivi();
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.failedFile, QString::fromLatin1(broken.file));
    EXPECT_EQ(Tabella_magnitudini.size(), 3u);
    EXPECT_FLOAT_EQ(Stelle[1].Ascensione_retta, 99.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Loader, BrokenReferenceFile,
    ::testing::Values(
        BrokenFile{"ShortStarCatalogue", "stars.bin", [] { return starsFile(kStarCount - 1); }},
        BrokenFile{"GarbledLineNumber", "clines.dat",
                   [] { return "\"And\",12x,5,6,7\r\n" + linesFile(kConstellationLineCount); }},
        BrokenFile{"PlanetElementNotANumber", "planets.dat",
                   [] { return QByteArray("\"Mercurio\",a,b,c,d,e,f,g,h,i\r\n") + planetsFile(); }},
        BrokenFile{"MissingMagnitudes", "magnitud.dat", nullptr},
        BrokenFile{"MagnitudeNumberNotANumber", "magnitud.dat",
                   [] { return QByteArray("\"I0001\",\"3.0\"\r\n"); }},
        BrokenFile{"MagnitudeNumberNegative", "magnitud.dat",
                   [] { return QByteArray("\"-5\",\"3.0\"\r\n"); }},
        BrokenFile{"UplinkNotANumber", "frequen.dat",
                   [] { return QByteArray("\"25544\",uplink,437.8,\"\"\r\n"); }}),
    [](const ::testing::TestParamInfo<BrokenFile>& param) { return param.param.name; });

TEST_F(ReferenceTables, MagnitudeTableOnlyGrows)
{
    writeData(QStringLiteral("magnitud.dat"), "\"40000\",\"4.50\"\n"
                                              "\"00007\",\"2.0\"\n"
                                              "\"32768\",\"5\"\n"
                                              "\"\",\"ignored\"\n"
                                              "\"00009\",\"never read\"\n");
    ASSERT_TRUE(Carica_archivi().ok());
    ASSERT_EQ(Tabella_magnitudini.size(), 40001u);
    EXPECT_EQ(Tabella_magnitudini[40000], "4.50");
    EXPECT_EQ(Tabella_magnitudini[7], "2.0");
    EXPECT_EQ(Tabella_magnitudini[32768], "5");
    EXPECT_EQ(Tabella_magnitudini[9], "");
    EXPECT_EQ(Tabella_magnitudini[39999], "");
}

TEST_F(ReferenceTables, CatalogueNumbersBeyondFiveDigitsReachTheParsedSets)
{
    // Numbers as the element lines carry them since the five digits ran out: plain six-digit
    // numbers and the Alpha-5 form; a number no element line can carry is passed over.
    writeData(QStringLiteral("magnitud.dat"), "\"25544\",\"-1.3\"\r\n"
                                              "\"100000\",\"4.0\"\r\n"
                                              "\"A0001\",\"4.5\"\r\n"
                                              "\"Z9999\",\"6.5\"\r\n"
                                              "\"340000\",\"7.0\"\r\n");
    writeData(QStringLiteral("frequen.dat"), "\"T0042\",145.8,437.8,\"\"\r\n"
                                             "\"999999\",1,2,\"\"\r\n");
    const ReferenceDataStatus status = Carica_archivi();
    ASSERT_TRUE(status.ok()) << status.failedFile.toStdString();
    ASSERT_EQ(Tabella_magnitudini.size(), 340000u);
    EXPECT_EQ(Tabella_magnitudini[25544], "-1.3");

    const std::string line1 =
        "1 25544U 98067A   24001.50000000  .00016717  00000-0  10270-3 0  9005";
    const std::string line2 =
        "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.49815645432213";
    const std::pair<const char*, const char*> expected[] = {
        {"A0000", "4"}, {"A0001", "4.5"}, {"Z9999", "6.5"}, {"T0042", ""}, {"25544", "-1.3"}};
    for (const auto& [number, magnitude] : expected) {
        std::string first = line1;
        std::string second = line2;
        first.replace(2, 5, number);
        second.replace(2, 5, number);
        const mSat::ParsedElementSet set =
            mSat::parseElementSet("X", first, second, Tabella_magnitudini, Tabella_frequenze);
        EXPECT_EQ(set.status, mSat::Status::Ok) << number;
        EXPECT_EQ(set.elements.Magnitudine_standard, magnitude) << number;
        EXPECT_EQ(set.elements.Frequenze_uplink[1], number == std::string("T0042") ? "145.8" : "")
            << number;
    }
}

TEST_F(ReferenceTables, FrequencyRowsKeepFileOrderAndAnEmptyFileGivesNone)
{
    writeData(QStringLiteral("frequen.dat"), "\"07530\",145.9500,29.4000,\"Mode A, FM\"\n"
                                             "\"07530\",432.1250,145.9750,\"Mode B\"\r\n"
                                             "07530 , 1269.0 , 435.15 , \r\n"
                                             "\r\n");
    ASSERT_TRUE(Carica_archivi().ok());
    ASSERT_EQ(Tabella_frequenze.size(), 4u);
    EXPECT_EQ(Tabella_frequenze[1].Riga1, "145.95");
    EXPECT_EQ(Tabella_frequenze[1].Riga2, "29.4");
    EXPECT_EQ(Tabella_frequenze[2].Riga1, "432.125");
    EXPECT_EQ(Tabella_frequenze[3].Riga0, "07530");
    EXPECT_EQ(Tabella_frequenze[3].Riga1, "1269");
    EXPECT_EQ(Tabella_frequenze[3].Riga2, "435.15");

    writeData(QStringLiteral("frequen.dat"), "");
    ASSERT_TRUE(Carica_archivi().ok());
    EXPECT_EQ(Tabella_frequenze.size(), 1u);
}

struct OneFile
{
    ReferenceFile file;
    const char* name;
    std::function<QByteArray()> contents;
    std::function<bool(const ReferenceDataTables&)> filled; ///< its own part holds the contents
};

TEST(ReferenceFileReader, EachFileFillsOnlyItsOwnPart)
{
    const OneFile files[] = {
        {ReferenceFile::Stars, "stars.bin", [] { return starsFile(kStarCount); },
         [](const ReferenceDataTables& t) { return t.lastStar.Spettro == "A1"; }},
        {ReferenceFile::ConstellationLines, "clines.dat",
         [] { return linesFile(kConstellationLineCount); },
         [](const ReferenceDataTables& t) { return t.lines[1].Declinazione2 == 90.0f; }},
        {ReferenceFile::ConstellationNames, "cnames.dat",
         [] { return namesFile(kConstellationNameCount); },
         [](const ReferenceDataTables& t) { return t.names[1].Sigla == "AND"; }},
        {ReferenceFile::Bodies, "planets.dat", planetsFile,
         [](const ReferenceDataTables& t) { return t.bodies[kLuna].Elementi_orbitali[9] == 9.5; }},
        {ReferenceFile::Magnitudes, "magnitud.dat",
         [] { return QByteArray("\"00005\",\"11.0\"\n"); },
         [](const ReferenceDataTables& t) { return t.magnitudes.size() == 6; }},
        {ReferenceFile::Frequencies, "frequen.dat",
         [] { return QByteArray("\"25544\",145.8,437.8,\"ISS\"\n"); },
         [](const ReferenceDataTables& t) { return t.frequencies.size() == 2; }},
    };
    for (const OneFile& one : files) {
        SCOPED_TRACE(one.name);
        EXPECT_EQ(referenceFileName(one.file), QString::fromLatin1(one.name));
        ReferenceDataTables tables;
        ASSERT_TRUE(readReferenceFile(one.file, one.contents(), tables));
        for (const OneFile& other : files)
            EXPECT_EQ(other.filled(tables), other.file == one.file) << other.name;
        // Cut short, the same file is refused (an empty frequency or magnitude file is valid).
        const QByteArray contents = one.contents();
        ReferenceDataTables cut;
        if (one.file != ReferenceFile::Magnitudes && one.file != ReferenceFile::Frequencies) {
            EXPECT_FALSE(readReferenceFile(one.file, contents.first(contents.size() / 2), cut));
        }
    }
}

TEST_F(ReferenceTables, InstalledDataLoads)
{
    const QString dataFolder = QStringLiteral(QUORVANEL_DATA_DIR);
    if (!QFileInfo::exists(dataFolder + QStringLiteral("/stars.bin")))
        SKIP_OR_FAIL_WITHOUT_DATA("no installation data in " << dataFolder.toStdString());
    MyPath = dataFolder;
    const ReferenceDataStatus status = Carica_archivi();
    ASSERT_TRUE(status.ok()) << status.failedFile.toStdString();
    for (int k = 1; k <= kStarCount; ++k) {
        ASSERT_GE(Stelle[k].Ascensione_retta, 0.0f) << k;
        ASSERT_LT(Stelle[k].Ascensione_retta, 24.0f) << k;
        ASSERT_LE(std::abs(Stelle[k].Declinazione), 90.0f) << k;
    }
    for (int k = 1; k <= kBodyCount; ++k)
        EXPECT_FALSE(Corpi_celesti[static_cast<std::size_t>(k)].Nome.empty()) << k;

    // The installed magnitudes reach the parsed sets: the published quicksat values for the
    // well-known satellites, nothing (so "???") for one the magnitude file does not list.
    const std::string line1 =
        "1 25544U 98067A   24001.50000000  .00016717  00000-0  10270-3 0  9005";
    const std::string line2 =
        "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.49815645432213";
    const std::pair<const char*, const char*> expected[] = {
        {"25544", "-2.5"}, {"20580", "1.5"}, {"10967", "2.5"}, {"27386", "3"}, {"28654", ""}};
    for (const auto& [number, magnitude] : expected) {
        std::string first = line1;
        std::string second = line2;
        first.replace(2, 5, number);
        second.replace(2, 5, number);
        const mSat::ParsedElementSet set =
            mSat::parseElementSet("X", first, second, Tabella_magnitudini, Tabella_frequenze);
        EXPECT_EQ(set.elements.Magnitudine_standard, magnitude) << number;
    }
}

} // namespace

// Element-set parsing, catalogue numbers, the leading-number reader and the slot
// operations, with malformed input.

#include "SatelliteStateFixture.h"

#include "core/ElementSet.h"
#include "core/LeadingNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using mSat::Status;

/// Line 1 of the report's set 88888 with columns 10-20 and 45-61 replaced.
std::string line1With(const std::string& designatorAndYear, const std::string& drag)
{
    EXPECT_EQ(designatorAndYear.size(), 11u);
    EXPECT_EQ(drag.size(), 17u);
    std::string line = sattest::k88888Line1;
    line.replace(9, 11, designatorAndYear);
    line.replace(44, 17, drag);
    return line;
}

/// `line` with the columns from `first` (1-based) replaced by `text`.
std::string withColumns(std::string line, int first, std::string_view text)
{
    line.replace(static_cast<std::size_t>(first - 1), text.size(), text);
    return line;
}

mSat::ParsedElementSet
parse(const std::string& name, const std::string& line1, const std::string& line2,
      const std::vector<std::string>& magnitudes = std::vector<std::string>(1),
      const std::vector<Record_TLE>& frequencies = std::vector<Record_TLE>(1))
{
    return mSat::parseElementSet(name, line1, line2, magnitudes, frequencies);
}

TEST(LeadingNumber, ReadsTheNumberATextFieldStartsWith)
{
    struct Case
    {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {" 1 2.5x", 12.5}, {"-11606", -11606}, {"abc", 0},
        {"", 0},           {"-.5E2", -50},     {"1D2", 100},
        {"1.2.3", 1.2},    {"+5", 5},          {"1e", 1},
        {"1e+", 1},        {" 00000", 0},      {"-", 0},
        {"7\r\n", 7},      {"\t3 4", 34},      {".00073094", 0.00073094},
    };
    for (const Case& c : cases)
        EXPECT_EQ(mMate::leadingNumber(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(mMate::leadingNumber("9e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(mMate::leadingNumber("1e-999"), 0.0);
}

TEST(CatalogueNumber, DigitsAndAlpha5ReadAsNumbers)
{
    EXPECT_EQ(mSat::catalogueNumber("07530"), 7530);
    EXPECT_EQ(mSat::catalogueNumber(" 7530"), 7530);
    EXPECT_EQ(mSat::catalogueNumber("88888"), 88888);
    EXPECT_EQ(mSat::catalogueNumber("A0000"), 100000);
    EXPECT_EQ(mSat::catalogueNumber("H9999"), 179999);
    EXPECT_EQ(mSat::catalogueNumber("J0000"), 180000); // I is skipped
    EXPECT_EQ(mSat::catalogueNumber("P0001"), 230001); // O is skipped
    EXPECT_EQ(mSat::catalogueNumber("Z9999"), 339999);
    EXPECT_EQ(mSat::catalogueNumber("123456789"), 123456789);
    const char* notNumbers[] = {"",       "     ", "I0000", "O1234", "a0000",      "AA000", "A123",
                                "A12345", "12a45", "-1234", "+1234", "1234567890", "A-123"};
    for (const char* text : notNumbers)
        EXPECT_FALSE(mSat::catalogueNumber(text).has_value()) << '"' << text << '"';
}

TEST(ElementSetParsing, ReadsTheColumnsOfAnElementSet)
{
    const mSat::ParsedElementSet p =
        parse("STR3 TEST 88888", sattest::k88888Line1, sattest::k88888Line2);
    EXPECT_EQ(p.status, Status::Ok);
    const Elemento_satellite& e = p.elements;
    EXPECT_EQ(e.Numero_catalogo, "88888");
    EXPECT_EQ(e.Anno_epoca, 1980);
    EXPECT_DOUBLE_EQ(e.Giorno_epoca, 275.98708465);
    EXPECT_DOUBLE_EQ(e.Derivata_prima, 0.00073094);
    EXPECT_DOUBLE_EQ(e.Derivata_seconda, 0.13844);
    EXPECT_EQ(e.Esponente_derivata_seconda, -3);
    EXPECT_DOUBLE_EQ(e.Bstar, 0.66816);
    EXPECT_EQ(e.Esponente_bstar, -4);
    EXPECT_DOUBLE_EQ(e.Inclinazione, 72.8435);
    EXPECT_DOUBLE_EQ(e.Raan, 115.9689);
    EXPECT_DOUBLE_EQ(e.Eccentricita, 0.0086731);
    EXPECT_DOUBLE_EQ(e.Argomento_perigeo, 52.6988);
    EXPECT_DOUBLE_EQ(e.Anomalia_media, 110.5714);
    EXPECT_DOUBLE_EQ(e.Moto_medio, 16.05824518);
    EXPECT_EQ(e.Numero_rivoluzione, 105);
    // 1980 January 0.0 is JD 2444238.5.
    EXPECT_DOUBLE_EQ(e.Epoca_giuliana, 2444238.5 + 275.98708465);
}

TEST(ElementSetParsing, TwoDigitYearsFrom57AreOfThe1900s)
{
    const mSat::ParsedElementSet y56 =
        parse("X", line1With("56001A   56", " 00000-0  10000-3"), sattest::k88888Line2);
    EXPECT_EQ(y56.elements.Anno_epoca, 2056);
    EXPECT_EQ(y56.elements.Anno_lancio, 2056);
    EXPECT_EQ(y56.elements.Numero_lancio, 1);
    EXPECT_EQ(y56.elements.Pezzo_lancio, "A");
    const mSat::ParsedElementSet y57 =
        parse("X", line1With("57002BC  57", " 00000-0  10000-3"), sattest::k88888Line2);
    EXPECT_EQ(y57.elements.Anno_epoca, 1957);
    EXPECT_EQ(y57.elements.Anno_lancio, 1957);
    EXPECT_EQ(y57.elements.Pezzo_lancio, "BC");
}

TEST(ElementSetParsing, DragColumnsReadAsMantissaAndExponent)
{
    const mSat::ParsedElementSet plus =
        parse("X", line1With("80001A   80", "-12345-6  12345-3"), sattest::k88888Line2);
    EXPECT_DOUBLE_EQ(plus.elements.Derivata_seconda, -0.12345);
    EXPECT_EQ(plus.elements.Esponente_derivata_seconda, -6);
    EXPECT_DOUBLE_EQ(plus.elements.Bstar, 0.12345);
    EXPECT_EQ(plus.elements.Esponente_bstar, -3);
    const mSat::ParsedElementSet minus =
        parse("X", line1With("80001A   80", " 00000+0 -11606-4"), sattest::k88888Line2);
    EXPECT_DOUBLE_EQ(minus.elements.Bstar, -0.11606);
    EXPECT_EQ(minus.elements.Esponente_bstar, -4);
    EXPECT_DOUBLE_EQ(minus.elements.Derivata_seconda, 0.0);
}

TEST(ElementSetParsing, NamesInProperCaseFromTheFirst24Characters)
{
    const std::string line1 = sattest::k88888Line1, line2 = sattest::k88888Line2;
    EXPECT_EQ(parse("NOAA 15                 ", line1, line2).elements.Nome_satellite, "Noaa 15");
    EXPECT_EQ(parse("ISS (ZARYA)\r", line1, line2).elements.Nome_satellite, "Iss (zarya)");
    EXPECT_EQ(parse("  sl-16 r/b\tdeb", line1, line2).elements.Nome_satellite, "Sl-16 R/b\tDeb");
    EXPECT_EQ(parse("ABCDEFGHIJKLMNOPQRSTUVWXYZ", line1, line2).elements.Nome_satellite,
              "Abcdefghijklmnopqrstuvwx");
    // 24 characters, not bytes: a character of two bytes is not cut in half.
    EXPECT_EQ(parse("\xC3\x89TOILE 12345678901234567", line1, line2).elements.Nome_satellite,
              "\xC3\x89toile 12345678901234567");
}

TEST(ElementSetParsing, StandardMagnitudeByCatalogueNumberWhenThereIsOne)
{
    std::vector<std::string> magnitudes(88889);
    magnitudes[88888] = "4.50";
    const std::string line1 = sattest::k88888Line1, line2 = sattest::k88888Line2;
    EXPECT_EQ(parse("X", line1, line2, magnitudes).elements.Magnitudine_standard, "4.5");
    magnitudes[88888] = "-1";
    EXPECT_EQ(parse("X", line1, line2, magnitudes).elements.Magnitudine_standard, "-1");
    magnitudes[88888].clear();
    EXPECT_EQ(parse("X", line1, line2, magnitudes).elements.Magnitudine_standard, "");

    // Beyond the table, or not a number: no standard magnitude, and no error.
    const std::vector<std::string> small(100, "3.0");
    const mSat::ParsedElementSet beyond = parse("X", line1, line2, small);
    EXPECT_EQ(beyond.status, Status::Ok);
    EXPECT_EQ(beyond.elements.Magnitudine_standard, "");
    std::string garbled = line1;
    garbled.replace(2, 5, "8a888");
    EXPECT_EQ(parse("X", garbled, line2, magnitudes).elements.Magnitudine_standard, "");

    // An Alpha-5 catalogue number is looked up by its value.
    std::vector<std::string> large(100001);
    large[100000] = "6.25";
    std::string alpha5 = line1;
    alpha5.replace(2, 5, "A0000");
    EXPECT_EQ(parse("X", alpha5, line2, large).elements.Magnitudine_standard, "6.25");
}

TEST(ElementSetParsing, RadioChannelsByCatalogueNumberInFileOrderAtMostTen)
{
    std::vector<Record_TLE> rows(1);
    for (int k = 1; k <= 11; ++k)
        rows.push_back(Record_TLE{k % 2 ? " 7530" : "07530", "up" + std::to_string(k),
                                  "down" + std::to_string(k)});
    rows.push_back(Record_TLE{"7531", "other", "other"});
    std::string line1 = sattest::k88888Line1;
    line1.replace(2, 5, "07530");
    const Elemento_satellite e = parse("X", line1, sattest::k88888Line2, {""}, rows).elements;
    for (int j = 1; j <= kRadioChannels; ++j) {
        EXPECT_EQ(e.Frequenze_uplink[static_cast<std::size_t>(j)], "up" + std::to_string(j));
        EXPECT_EQ(e.Frequenze_downlink[static_cast<std::size_t>(j)], "down" + std::to_string(j));
    }
}

TEST(ElementSetParsing, MalformedLinesGiveAStatusAndNumbersNotACrash)
{
    const std::string line1 = sattest::k88888Line1, line2 = sattest::k88888Line2;
    EXPECT_EQ(parse("X", line1.substr(0, 40), line2).status, Status::LineTooShort);
    EXPECT_EQ(parse("X", line1, line2.substr(0, 60)).status, Status::LineTooShort);
    EXPECT_EQ(parse("X", "", "").status, Status::LineTooShort);
    EXPECT_EQ(parse("", line1, line2).status, Status::NameMissing);
    EXPECT_EQ(parse("   \r", line1, line2).status, Status::NameMissing);

    std::string zero = line2;
    zero.replace(52, 11, " 0.00000000");
    EXPECT_EQ(parse("X", line1, zero).status, Status::MeanMotionNotPositive);
    EXPECT_EQ(parse("X", withColumns(line1, 21, "400.00000000"), line2).status,
              Status::EpochDayOutOfRange);
}

TEST(ElementSetParsing, ColumnsThatAreNoNumbersAreRefused)
{
    const std::string line1 = sattest::k88888Line1, line2 = sattest::k88888Line2;
    const struct
    {
        const char* what;
        int line;
        int column;
        const char* text;
        Status status;
    } cases[] = {
        {"letters in the epoch day", 1, 21, "80275.9870AB", Status::FieldNotNumber},
        {"an exponent in the epoch day", 1, 21, "1e308       ", Status::FieldNotNumber},
        {"a blank epoch day", 1, 21, "            ", Status::FieldNotNumber},
        {"letters in the node", 2, 18, "NODE.ABC", Status::FieldNotNumber},
        {"letters in the mean motion", 2, 53, "SIXTEEN.REV", Status::FieldNotNumber},
        {"an exponent in the eccentricity", 2, 27, "1e7    ", Status::FieldNotNumber},
        {"two decimal points in the inclination", 2, 9, "72.84.35", Status::FieldNotNumber},
        {"a sign after the digits of the B* mantissa", 1, 54, "6688-4", Status::FieldNotNumber},
        {"a blank international designator", 1, 10, "        ", Status::Ok},
        {"a blank revolution number", 2, 64, "     ", Status::Ok},
        {"a signed first derivative", 1, 34, "-.00073094", Status::Ok},
        {"blanks inside the mean motion", 2, 53, "16.05 82 48", Status::Ok},
    };
    for (const auto& c : cases) {
        const std::string changed1 = c.line == 1 ? withColumns(line1, c.column, c.text) : line1;
        const std::string changed2 = c.line == 2 ? withColumns(line2, c.column, c.text) : line2;
        EXPECT_EQ(parse("X", changed1, changed2).status, c.status) << c.what;
        EXPECT_EQ(mSat::checkElementColumns(changed1, changed2), c.status) << c.what;
    }
}

TEST(ElementSetParsing, EpochDayOutsideTheYearIsRefusedByTheElementCheck)
{
    Elemento_satellite elements =
        parse("X", sattest::k88888Line1, sattest::k88888Line2).elements;
    for (double day : {0.99999999, 367.0, 1e308, -5.0, std::numeric_limits<double>::quiet_NaN()}) {
        elements.Giorno_epoca = day;
        EXPECT_EQ(mSat::validateElements(elements), Status::EpochDayOutOfRange) << day;
    }
    for (double day : {1.0, 366.99999999}) {
        elements.Giorno_epoca = day;
        EXPECT_EQ(mSat::validateElements(elements), Status::Ok) << day;
    }
}

TEST(ElementSetParsing, ChecksumIsTheDigitSumWithMinusSignsCountingOne)
{
    // Set 88888 of Spacetrack Report No. 3 carries its checksums (7 and 8).
    const std::string line1 = sattest::k88888Line1, line2 = sattest::k88888Line2;
    EXPECT_TRUE(mSat::checksumMatches(line1));
    EXPECT_TRUE(mSat::checksumMatches(line2));
    EXPECT_FALSE(mSat::checksumMatches(withColumns(line1, 69, "3")));
    EXPECT_FALSE(mSat::checksumMatches(withColumns(line1, 69, "X")));
    EXPECT_FALSE(mSat::checksumMatches(withColumns(line1, 54, "-6681"))) << "a minus counts 1";
    EXPECT_TRUE(mSat::checksumMatches(line2.substr(0, 68))) << "no checksum column";
}

class ElementSlots : public sattest::SatelliteStateTest
{
};

TEST_F(ElementSlots, ParsingStoresTheLinesAndStartsFromNoChannels)
{
    Tabella_frequenze = {Record_TLE{}, Record_TLE{"88888", "145.800", "437.800"}};
    Satelement[5].Frequenze_uplink[1] = "old uplink of another satellite";
    Satelement[5].Frequenze_uplink[2] = "old";
    ASSERT_EQ(mSat::Estrai_Dati_Satellite(5, "STR3", sattest::k88888Line1, sattest::k88888Line2),
              Status::Ok);
    EXPECT_EQ(RigaDati[5].Riga0, "STR3");
    EXPECT_EQ(RigaDati[5].Riga1, sattest::k88888Line1);
    EXPECT_EQ(Satelement[5].Frequenze_uplink[1], "145.800");
    EXPECT_EQ(Satelement[5].Frequenze_downlink[1], "437.800");
    EXPECT_EQ(Satelement[5].Frequenze_uplink[2], "");
}

TEST_F(ElementSlots, BadSetTouchesOnlyItsSlotAndIsRefusedByTheComputation)
{
    ASSERT_EQ(mSat::Estrai_Dati_Satellite(1, "GOOD", sattest::k88888Line1, sattest::k88888Line2),
              Status::Ok);
    ASSERT_EQ(mSat::Calcola_satellite(1, Satelement[1].Epoca_giuliana), Status::Ok);
    const Elemento_satellite good = Satelement[1];
    const Posizione_satellite goodState = Valori[1];

    EXPECT_EQ(mSat::Estrai_Dati_Satellite(2, "", "1 garbled", "2 ###"), Status::LineTooShort);
    EXPECT_EQ(Satelement[2].Moto_medio, 0.0);
    Valori[2].Azimut = 42.0;
    EXPECT_EQ(mSat::Calcola_satellite(2, good.Epoca_giuliana), Status::MeanMotionNotPositive);
    EXPECT_EQ(Valori[2].Azimut, 42.0);

    EXPECT_EQ(Satelement[1].Nome_satellite, good.Nome_satellite);
    EXPECT_EQ(Valori[1].Azimut, goodState.Azimut);
    EXPECT_EQ(RigaDati[1].Riga0, "GOOD");
}

TEST_F(ElementSlots, ParsingASlotFromItsOwnLinesReadsThemBeforeReplacingThem)
{
    // Names longer than the short-string buffer, so the lines live on the heap.
    const std::string name = "A SATELLITE NAME LONGER THAN SIXTEEN";
    ASSERT_EQ(mSat::Estrai_Dati_Satellite(3, name, sattest::k88888Line1, sattest::k88888Line2),
              Status::Ok);
    const Elemento_satellite first = Satelement[3];
    EXPECT_EQ(mSat::Estrai_Dati_Satellite(3, RigaDati[3].Riga0, RigaDati[3].Riga1,
                                          RigaDati[3].Riga2),
              Status::Ok);
    EXPECT_EQ(RigaDati[3].Riga0, name);
    EXPECT_EQ(RigaDati[3].Riga1, sattest::k88888Line1);
    EXPECT_EQ(RigaDati[3].Riga2, sattest::k88888Line2);
    EXPECT_EQ(Satelement[3].Nome_satellite, first.Nome_satellite);
    EXPECT_EQ(Satelement[3].Numero_catalogo, first.Numero_catalogo);
    EXPECT_EQ(Satelement[3].Moto_medio, first.Moto_medio);
    EXPECT_EQ(Satelement[3].Epoca_giuliana, first.Epoca_giuliana);
}

TEST_F(ElementSlots, SlotNumbersOutsideTheSlotsChangeNothing)
{
    EXPECT_EQ(mSat::Estrai_Dati_Satellite(0, "X", sattest::k88888Line1, sattest::k88888Line2),
              Status::NoSuchSlot);
    EXPECT_EQ(
        mSat::Estrai_Dati_Satellite(kLastSlot + 1, "X", sattest::k88888Line1, sattest::k88888Line2),
        Status::NoSuchSlot);
    EXPECT_FALSE(mSat::Azzera_Satelement(0));
    EXPECT_FALSE(mSat::Azzera_RigaDati(-3));
    EXPECT_FALSE(mSat::Azzera_Valori(kLastSlot + 1));
}

TEST_F(ElementSlots, ClearingEmptiesOneSlot)
{
    ASSERT_EQ(mSat::Estrai_Dati_Satellite(201, "A", sattest::k88888Line1, sattest::k88888Line2),
              Status::Ok);
    ASSERT_EQ(mSat::Estrai_Dati_Satellite(202, "B", sattest::k88888Line1, sattest::k88888Line2),
              Status::Ok);
    ASSERT_EQ(mSat::Calcola_satellite(201, Satelement[201].Epoca_giuliana), Status::Ok);
    EXPECT_TRUE(mSat::Azzera_Satelement(201));
    EXPECT_TRUE(mSat::Azzera_RigaDati(201));
    EXPECT_TRUE(mSat::Azzera_Valori(201));
    EXPECT_EQ(Satelement[201].Nome_satellite, "");
    EXPECT_EQ(Satelement[201].Moto_medio, 0.0);
    EXPECT_EQ(RigaDati[201].Riga1, "");
    EXPECT_EQ(Valori[201].Stato, kStatoAzzerato);
    EXPECT_EQ(Valori[201].Distanza, 0.0);
    EXPECT_EQ(Valori[201].Emisfero_ew, "");
    EXPECT_EQ(Satelement[202].Nome_satellite, "B");
}

} // namespace

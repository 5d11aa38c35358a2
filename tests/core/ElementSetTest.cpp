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

    std::string letters = line2;
    letters.replace(52, 11, "SIXTEEN.REV");
    EXPECT_EQ(parse("X", line1, letters).status, Status::MeanMotionNotPositive);
    std::string zero = line2;
    zero.replace(52, 11, " 0.00000000");
    EXPECT_EQ(parse("X", line1, zero).status, Status::MeanMotionNotPositive);
    std::string unitEccentricity = line2;
    unitEccentricity.replace(26, 7, "1e7    ");
    EXPECT_EQ(parse("X", line1, unitEccentricity).status, Status::EccentricityOutOfRange);
    std::string huge = line2;
    huge.replace(8, 8, "9e999   ");
    EXPECT_EQ(parse("X", line1, huge).status, Status::NumberNotFinite);
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

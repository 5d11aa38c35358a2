#pragma once
// Test support for the element databases: element sets built column by column, element files
// written into a temporary folder, the real catalogue shipped by Debian's gpredict package as a
// three-line element file, and a fixture that puts the shared slots, options and tables back.

#include "common/Record_TLE.h"
#include "common/catalogues.h"
#include "common/element_databases.h"
#include "common/options.h"
#include "common/satellite_slots.h"
#include "core/mAstro.h"
#include "support/TestFiles.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

/// A well-formed set of the International Space Station, the base the tests change.
inline const Record_TLE kIssSet{
    "ISS (ZARYA)", "1 25544U 98067A   24001.50000000  .00016717  00000-0  10270-3 0  9009",
    "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.49815645432219"};

/// The checksum digit of an element line: its digits summed, a minus counting 1, modulo 10.
inline char elementLineChecksum(std::string_view line)
{
    int sum = 0;
    for (char c : line.substr(0, std::min<std::size_t>(line.size(), 68)))
        sum += c >= '0' && c <= '9' ? c - '0' : c == '-' ? 1 : 0;
    return static_cast<char>('0' + sum % 10);
}

/// `line` with the columns from `first` (1-based) replaced by `text`; an element line's
/// checksum (column 69) is written anew unless the replaced columns include it.
inline std::string withColumns(std::string line, int first, std::string_view text)
{
    line.replace(static_cast<std::size_t>(first - 1), text.size(), text);
    const bool checksumGiven = static_cast<std::size_t>(first - 1) + text.size() >= 69;
    if (line.size() >= 69 && !checksumGiven)
        line[68] = elementLineChecksum(line);
    return line;
}

/// A set with its own name and catalogue number (five characters, in both lines).
inline Record_TLE makeSet(const std::string& name, std::string_view catalogue,
                          const Record_TLE& base = kIssSet)
{
    return Record_TLE{name, withColumns(base.Riga1, 3, catalogue),
                      withColumns(base.Riga2, 3, catalogue)};
}

/// The same set with another epoch day (line 1 columns 21-32, "001.50000000" form).
inline Record_TLE withEpochDay(Record_TLE set, std::string_view day)
{
    set.Riga1 = withColumns(set.Riga1, 21, day);
    return set;
}

/// A five-character catalogue number text of a number ("00042").
inline std::string catalogueText(int number)
{
    std::string text = std::to_string(number);
    return std::string(5 - std::min<std::size_t>(5, text.size()), '0') + text;
}

/// Set k of the sets named A, B, C ... with catalogue numbers 00001, 00002 ...
inline Record_TLE letterSet(int k, std::string_view epochDay = "001.50000000")
{
    return withEpochDay(makeSet(std::string(1, static_cast<char>('A' + k)), catalogueText(k + 1)),
                        epochDay);
}

/// The three lines of each set, each line ended by `lineEnd`.
inline QByteArray elementFile(const std::vector<Record_TLE>& sets, const char* lineEnd = "\r\n")
{
    QByteArray file;
    for (const Record_TLE& set : sets) {
        for (const std::string* line : {&set.Riga0, &set.Riga1, &set.Riga2})
            file += QByteArray::fromStdString(*line) + lineEnd;
    }
    return file;
}

/// `count` distinct sets with catalogue numbers from 1.
inline std::vector<Record_TLE> numberedSets(int count)
{
    std::vector<Record_TLE> sets;
    sets.reserve(static_cast<std::size_t>(count));
    for (int k = 1; k <= count; ++k)
        sets.push_back(makeSet("SAT " + std::to_string(k), catalogueText(k)));
    return sets;
}

/// The element sets of gpredict's satellites.dat (sections with NAME, TLE1 and TLE2 keys),
/// or nothing when the package is not installed.
std::optional<std::vector<Record_TLE>> gpredictSets();

/// A temporary folder for element files.
class ElementFileFolder
{
public:
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        file.write(bytes);
        return path;
    }
    QString path(const QString& name) const { return m_folder.filePath(name); }

private:
    QTemporaryDir m_folder;
};

/// Puts back the slots, the count, the options, the observer, the reference tables, the two
/// databases and the program's time state when a test ends; starts each test with no active
/// satellite and empty tables.
class SharedStateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int slot = 1; slot <= kLastSlot; ++slot) {
            RigaDati[slot] = {};
            Satelement[slot] = {};
            Valori[slot] = {};
        }
        Numero_satelliti = 0;
        Tabella_magnitudini.assign(1, std::string());
        Tabella_frequenze.assign(1, Record_TLE{});
        Db_principale.assign(1, Record_TLE{});
        Db_secondario.assign(1, Record_TLE{});
    }

    void TearDown() override
    {
        RigaDati = m_lines;
        Satelement = m_elements;
        Valori = m_values;
        Numero_satelliti = m_count;
        Impostazioni = m_options;
        Osservatore = m_observer;
        Tabella_magnitudini = m_magnitudes;
        Tabella_frequenze = m_frequencies;
        Db_principale = m_primary;
        Db_secondario = m_secondary;
        mAstro::Data_giuliana = m_julianDate;
    }

private:
    SlotArray<Record_TLE> m_lines = RigaDati;
    SlotArray<Elemento_satellite> m_elements = Satelement;
    SlotArray<Posizione_satellite> m_values = Valori;
    std::int16_t m_count = Numero_satelliti;
    Opzioni m_options = Impostazioni;
    Dati_osservatore m_observer = Osservatore;
    std::vector<std::string> m_magnitudes = Tabella_magnitudini;
    std::vector<Record_TLE> m_frequencies = Tabella_frequenze;
    std::vector<Record_TLE> m_primary = Db_principale;
    std::vector<Record_TLE> m_secondary = Db_secondario;
    double m_julianDate = mAstro::Data_giuliana;
};

#pragma once
// The city list: the places the location dialog offers, read from cities.dat in the program
// folder and written back whenever a place is added, changed or deleted.
//
// cities.dat holds one place per line: the name in double quotes, latitude, longitude and time
// zone, separated by commas ("Italy: Milano",45.47,9.19,1). Degrees are north and east
// positive, the zone is in hours east of Greenwich; numbers use "." whatever the locale.
// Lines may end in CR LF, LF or CR; the file is written with CR LF.

#include <QString>

#include <vector>

/// One place of the city list.
struct City
{
    QString name;
    float latitude = 0;  ///< [degrees] north positive
    float longitude = 0; ///< [degrees] east positive
    float zone = 0;      ///< time zone [hours] east of Greenwich

    bool operator==(const City&) const = default;
};

/// The table of places, rows numbered from 1 in the order they were read or added. A deleted
/// place keeps its row, blank, so the row numbers that the location list keeps stay valid.
class CityTable
{
public:
    /// Replaces the table by the places given, rows 1 to n.
    void assign(const std::vector<City>& cities);
    void clear() { m_rows.clear(); }

    /// Appends a place; returns its row.
    int add(const City& city);
    /// Rewrites a row; false for a row that does not exist.
    bool replace(int row, const City& city);
    /// Blanks a row.
    void remove(int row);

    /// The place of a row; null for a blank row or a row that does not exist.
    [[nodiscard]] const City* row(int row) const;
    /// The last row number (0 for an empty table).
    [[nodiscard]] int lastRow() const { return static_cast<int>(m_rows.size()); }
    /// The first row holding a place of that name, 0 when there is none.
    [[nodiscard]] int firstRowNamed(const QString& name) const;
    /// The places of every row that is not blank, in row order.
    [[nodiscard]] std::vector<City> places() const;

private:
    std::vector<City> m_rows; // row r at index r - 1; a blank row has an empty name
};

/// Tabella_citta: the city table of this run, shared by the location dialogs.
inline CityTable Tabella_citta;

/// The outcome of reading the city list file.
struct CityReading
{
    std::vector<City> cities;
    bool complete = false; ///< the whole file was read; only then may it be rewritten
    int failedLine = 0;    ///< the first line that is not a place (1-based), 0 for none
    QString errorText;     ///< why the file could not be read, empty when it was
};

/// Reads the places of a city list text. Blank lines are skipped; a place with an empty name
/// ends the list. A line that is not a place stops the reading: the places before it are
/// returned, but the reading is not complete.
[[nodiscard]] CityReading parseCityList(QStringView text);

/// Reads the city list file (UTF-8).
[[nodiscard]] CityReading readCityFile(const QString& path);

/// One line of the file for a place, without its line end.
[[nodiscard]] QString cityLine(const City& city);

/// Whether a name can stand in the file: not empty once trimmed, and without a double quote
/// or a control character (either would break the line it is written on).
[[nodiscard]] bool isValidCityName(const QString& name);

/// Writes the places of the table's rows, in row order, so that a failure leaves the old file
/// as it was. False, with the reason in errorText, when it could not be written.
bool writeCityFile(const QString& path, const CityTable& table, QString* errorText = nullptr);

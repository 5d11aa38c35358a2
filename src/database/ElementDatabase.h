#pragma once
// One element database of the database window (primary or secondary): its sets, the file they
// came from, their statistics and their listing under the chosen sort key. The window shows
// what this holds and calls it; it keeps no database state of its own.
//
// A read replaces the database only when it succeeds: a file that cannot be opened or turns out
// to be broken leaves the previous sets, statistics and listing as they were. A read the user
// cancels keeps the sets read before the stop, unless there were none.

#include "common/Record_TLE.h"
#include "database/ElementFile.h"
#include "database/ElementListing.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

/// What a read did to a database.
struct ReadOutcome
{
    ReadStatus status = ReadStatus::Complete;
    int setsRead = 0;      ///< sets in the file (up to the stop, or the failure)
    int problemLine = 0;   ///< 1-based line of a failure; 0 when none
    int refusedSets = 0;   ///< sets left out because their columns are no numbers
    int wrongChecksums = 0; ///< sets kept although a checksum does not match
    bool replaced = false; ///< the database now holds the sets read
};

class ElementDatabase
{
public:
    /// `records` is the shared array the database lives in (Db_principale or Db_secondario),
    /// counted from 1; `magnitudes` the standard-magnitude table by catalogue number.
    ElementDatabase(std::vector<Record_TLE>& records, const std::vector<std::string>& magnitudes);

    /// Reads an element file; the ages are taken at `nowJulianDate` (UT).
    ReadOutcome read(const QString& path, double nowJulianDate, const ReadHooks& hooks = {});
    /// As read, with the file `path` read already (readElementFile), so that the caller can
    /// look at its sets before the database changes.
    ReadOutcome adopt(const QString& path, ElementFileRead&& file, double nowJulianDate);

    /// Number of sets; record numbers run from 1 to size().
    [[nodiscard]] int size() const;
    [[nodiscard]] bool isRecord(int recordNumber) const;
    [[nodiscard]] const Record_TLE& record(int recordNumber) const;
    /// Every set, counted from 1 (element 0 unused).
    [[nodiscard]] const std::vector<Record_TLE>& records() const { return m_records; }
    /// The file the sets came from; empty before the first successful read.
    [[nodiscard]] const QString& path() const { return m_path; }
    /// Statistics of the last successful read; nothing before it.
    [[nodiscard]] const std::optional<DatabaseStatistics>& statistics() const
    {
        return m_statistics;
    }

    // The listing: one row per set, in ascending order of the list texts under the sort key.
    [[nodiscard]] SortKey sortKey() const { return m_sortKey; }
    void setSortKey(SortKey key);
    [[nodiscard]] int rowCount() const { return static_cast<int>(m_order.size()); }
    /// The record shown in a row; 0 for a row that does not exist.
    [[nodiscard]] int recordNumberAt(int row) const;
    [[nodiscard]] QString rowText(int row) const;
    /// The sets shown in the given rows, in that order; rows that do not exist are skipped.
    [[nodiscard]] std::vector<Record_TLE> setsAtRows(const std::vector<int>& rows) const;

private:
    void rebuildListing();

    std::vector<Record_TLE>& m_records;
    const std::vector<std::string>& m_magnitudes;
    QString m_path;
    std::optional<DatabaseStatistics> m_statistics;
    SortKey m_sortKey = SortKey::Name;
    std::vector<QString> m_texts; ///< list text of record r at index r - 1
    std::vector<int> m_order;     ///< record number of each row
};

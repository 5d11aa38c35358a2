#include "database/ElementDatabase.h"

#include <QLocale>

#include <span>

ElementDatabase::ElementDatabase(std::vector<Record_TLE>& records,
                                 const std::vector<std::string>& magnitudes)
    : m_records(records), m_magnitudes(magnitudes)
{
    if (m_records.empty())
        m_records.resize(1); // element 0 is never a record
    rebuildListing();
}

ReadOutcome ElementDatabase::read(const QString& path, double nowJulianDate, const ReadHooks& hooks)
{
    return adopt(path, readElementFile(path, hooks), nowJulianDate);
}

ReadOutcome ElementDatabase::adopt(const QString& path, ElementFileRead&& file,
                                   double nowJulianDate)
{
    ReadOutcome outcome;
    outcome.status = file.status;
    outcome.setsRead = static_cast<int>(file.sets.size());
    outcome.problemLine = file.problemLine;
    outcome.refusedSets = file.refusedSets;
    outcome.wrongChecksums = file.wrongChecksums;
    if (isReadFailure(file.status) || file.sets.empty())
        return outcome;

    m_statistics = databaseStatistics(file.sets, m_magnitudes, nowJulianDate);
    std::vector<Record_TLE> records;
    records.reserve(file.sets.size() + 1);
    records.emplace_back();
    std::move(file.sets.begin(), file.sets.end(), std::back_inserter(records));
    m_records = std::move(records);
    m_path = path;
    rebuildListing();
    outcome.replaced = true;
    return outcome;
}

int ElementDatabase::size() const
{
    return static_cast<int>(m_records.size()) - 1;
}

bool ElementDatabase::isRecord(int recordNumber) const
{
    return recordNumber >= 1 && recordNumber <= size();
}

const Record_TLE& ElementDatabase::record(int recordNumber) const
{
    Q_ASSERT(isRecord(recordNumber));
    return m_records[static_cast<std::size_t>(recordNumber)];
}

void ElementDatabase::setSortKey(SortKey key)
{
    if (key == m_sortKey)
        return;
    m_sortKey = key;
    rebuildListing();
}

int ElementDatabase::recordNumberAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return 0;
    return m_order[static_cast<std::size_t>(row)];
}

QString ElementDatabase::rowText(int row) const
{
    const int recordNumber = recordNumberAt(row);
    return recordNumber == 0 ? QString() : m_texts[static_cast<std::size_t>(recordNumber - 1)];
}

std::vector<Record_TLE> ElementDatabase::setsAtRows(const std::vector<int>& rows) const
{
    std::vector<Record_TLE> sets;
    sets.reserve(rows.size());
    for (int row : rows) {
        if (const int recordNumber = recordNumberAt(row); recordNumber != 0)
            sets.push_back(record(recordNumber));
    }
    return sets;
}

void ElementDatabase::rebuildListing()
{
    const QString decimalPoint = QLocale().decimalPoint();
    const std::span<const Record_TLE> sets(m_records.begin() + 1, m_records.end());
    m_texts.clear();
    m_texts.reserve(sets.size());
    for (const Record_TLE& set : sets)
        m_texts.push_back(listText(set, m_sortKey, m_magnitudes, decimalPoint));
    m_order = ascendingTextOrder(m_texts);
    for (int& recordNumber : m_order)
        ++recordNumber; // indices of m_texts are record numbers less one
}

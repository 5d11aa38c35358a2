#include "predictions/PassListModel.h"

#include <algorithm>
#include <numeric>

PassListModel::PassListModel(QObject* parent) : QAbstractTableModel(parent) {}

int PassListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

int PassListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kPassColumnCount;
}

QVariant PassListModel::data(const QModelIndex& index, int role) const
{
    const Entry* e = entry(index.row());
    if (e == nullptr || index.column() < 0 || index.column() >= kPassColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return e->texts.columns[static_cast<std::size_t>(index.column())];
    if (role == Qt::TextAlignmentRole) {
        const bool centred =
            index.column() >= kColumnElevation && index.column() <= kColumnDuration;
        return QVariant::fromValue(
            Qt::Alignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter));
    }
    return {};
}

QVariant PassListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kPassColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_headers[static_cast<std::size_t>(section)];
}

void PassListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= kPassColumnCount)
        return;
    int key = column;
    if (column == kColumnCulmination)
        key = kColumnCulminationKey;
    else if (column == kColumnMagnitude)
        key = kColumnMagnitudeKey;
    const auto k = static_cast<std::size_t>(key);
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<std::size_t> sortedRows(m_entries.size());
    std::iota(sortedRows.begin(), sortedRows.end(), std::size_t{0});
    std::stable_sort(
        sortedRows.begin(), sortedRows.end(), [this, k, order](std::size_t a, std::size_t b) {
            const int c =
                QString::compare(m_entries[a].texts.columns[k], m_entries[b].texts.columns[k]);
            return order == Qt::AscendingOrder ? c < 0 : c > 0;
        });
    std::deque<Entry> sorted;
    std::vector<int> newRow(m_entries.size());
    for (std::size_t n = 0; n < sortedRows.size(); ++n) {
        sorted.push_back(std::move(m_entries[sortedRows[n]]));
        newRow[sortedRows[n]] = static_cast<int>(n);
    }
    m_entries = std::move(sorted);
    // The chosen row (and any other index a view keeps) follows its pass to its new place.
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& index : from)
        to.append(index.isValid() && index.row() < static_cast<int>(newRow.size())
                      ? createIndex(newRow[static_cast<std::size_t>(index.row())], index.column())
                      : QModelIndex());
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void PassListModel::setHeaders(const std::array<QString, kPassColumnCount>& headers)
{
    m_headers = headers;
    emit headerDataChanged(Qt::Horizontal, 0, kPassColumnCount - 1);
}

void PassListModel::clear()
{
    beginResetModel();
    m_entries.clear();
    endResetModel();
}

void PassListModel::append(std::vector<Entry> entries)
{
    if (entries.empty())
        return;
    const int first = static_cast<int>(m_entries.size());
    beginInsertRows({}, first, first + static_cast<int>(entries.size()) - 1);
    for (Entry& e : entries)
        m_entries.push_back(std::move(e));
    endInsertRows();
}

const PassListModel::Entry* PassListModel::entry(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_entries.size()))
        return nullptr;
    return &m_entries[static_cast<std::size_t>(row)];
}

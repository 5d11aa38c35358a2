#include "predictions/PassListModel.h"

#include <algorithm>

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
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [k, order](const Entry& a, const Entry& b) {
                         const int c = QString::compare(a.texts.columns[k], b.texts.columns[k]);
                         return order == Qt::AscendingOrder ? c < 0 : c > 0;
                     });
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

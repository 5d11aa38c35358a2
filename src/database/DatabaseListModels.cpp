#include "database/DatabaseListModels.h"

#include "database/ActiveSatellites.h"
#include "database/ElementDatabase.h"

ElementListModel::ElementListModel(const ElementDatabase& database, QObject* parent)
    : QAbstractListModel(parent), m_database(database)
{
}

int ElementListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_database.rowCount();
}

QVariant ElementListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::DisplayRole)
        return m_database.rowText(index.row());
    if (role == RecordNumberRole)
        return m_database.recordNumberAt(index.row());
    return {};
}

Qt::ItemFlags ElementListModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags flags = QAbstractListModel::flags(index);
    return index.isValid() ? flags | Qt::ItemIsDragEnabled : flags;
}

void ElementListModel::refresh()
{
    beginResetModel();
    endResetModel();
}

ActiveListModel::ActiveListModel(const ActiveSatellites& active, QObject* parent)
    : QAbstractListModel(parent), m_active(active)
{
}

int ActiveListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_active.count();
}

QVariant ActiveListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::DisplayRole)
        return m_active.entryText(index.row());
    return {};
}

void ActiveListModel::refresh()
{
    beginResetModel();
    endResetModel();
}

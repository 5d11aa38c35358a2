#pragma once
// List adapters of the database window: a database listing and the active list as item models,
// so that the window's list views read them and hold no copy. After a call that changes what
// they show (a read, a new sort key, an active-list command) the window calls refresh().

#include <QAbstractListModel>

class ActiveSatellites;
class ElementDatabase;

/// One row per set of a database, in the order of its listing.
class ElementListModel : public QAbstractListModel
{
public:
    /// Role of a row's record number (an int, counted from 1).
    static constexpr int RecordNumberRole = Qt::UserRole;

    explicit ElementListModel(const ElementDatabase& database, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    /// Rows can be dragged (onto the active list).
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void refresh();

private:
    const ElementDatabase& m_database;
};

/// One row per active satellite: row k - 1 is slot k, row 0 the principal.
class ActiveListModel : public QAbstractListModel
{
public:
    explicit ActiveListModel(const ActiveSatellites& active, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void refresh();

private:
    const ActiveSatellites& m_active;
};

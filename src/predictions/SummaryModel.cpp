#include "predictions/SummaryModel.h"

#include "services/mLang.h"

namespace {

struct Column
{
    const char16_t* key;
    int widthTwips;
    bool centred;
};

const std::array<Column, kSummaryColumns> kColumns{{
    {u"norad", 700, false},
    {u"nomesatellite", 2700, false},
    {u"anno", 600, true},
    {u"lancio", 900, true},
    {u"inclinazione", 1400, true},
    {u"periodo", 1300, true},
    {u"raan", 1400, true},
    {u"eccentricita", 1200, true},
    {u"magnitudine", 1200, true},
    {u"set", 600, true},
    {u"eta", 1300, true},
}};

} // namespace

SummaryModel::SummaryModel(QObject* parent) : QAbstractTableModel(parent) {}

void SummaryModel::loadCaptions()
{
    for (std::size_t k = 0; k < kColumns.size(); ++k)
        m_captions[k] = mLang::Testo_lingua(u"frmDetails", kColumns[k].key);
    emit headerDataChanged(Qt::Horizontal, 0, kSummaryColumns - 1);
}

void SummaryModel::setRows(std::vector<SummaryRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void SummaryModel::clear()
{
    setRows({});
}

int SummaryModel::columnWidthTwips(int column)
{
    return kColumns.at(static_cast<std::size_t>(column)).widthTwips;
}

int SummaryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int SummaryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kSummaryColumns;
}

QVariant SummaryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const auto column = static_cast<std::size_t>(index.column());
    if (role == Qt::DisplayRole)
        return m_rows[static_cast<std::size_t>(index.row())][column];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(
            (kColumns[column].centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter));
    return {};
}

QVariant SummaryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kSummaryColumns)
        return {};
    const auto column = static_cast<std::size_t>(section);
    if (role == Qt::DisplayRole)
        return m_captions[column];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(
            (kColumns[column].centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter));
    return {};
}

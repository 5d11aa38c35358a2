#pragma once
// The summary table of element sets for the listing window's report view: eleven columns,
// one row per set, captions from the language file. Sorting is the view's text sort.

#include "predictions/ElementSummary.h"

#include <QAbstractTableModel>

class SummaryModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit SummaryModel(QObject* parent = nullptr);

    /// The captions of the eleven columns (section "frmDetails").
    void loadCaptions();
    void setRows(std::vector<SummaryRow> rows);
    void clear();

    /// Width of a column in twips, as the table lays it out.
    [[nodiscard]] static int columnWidthTwips(int column);

    [[nodiscard]] int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

private:
    std::array<QString, kSummaryColumns> m_captions;
    std::vector<SummaryRow> m_rows;
};

#pragma once
// The rows of one pass list: each pass with its texts (the nine columns, the three event lines
// and the tag). Rows are appended in batches; sorting by a column uses the hidden sort key of
// the culmination time and of the magnitude for those two columns, the text for the others.

#include "predictions/PassFormat.h"

#include <QAbstractTableModel>

#include <deque>
#include <vector>

class PassListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    struct Entry
    {
        passes::PassRow row;
        PassTexts texts;
    };

    explicit PassListModel(QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    /// Header texts of the nine columns.
    void setHeaders(const std::array<QString, kPassColumnCount>& headers);
    void clear();
    void append(std::vector<Entry> entries);
    /// The entry shown in `row`, or null.
    [[nodiscard]] const Entry* entry(int row) const;

private:
    std::deque<Entry> m_entries; // grows without moving what it holds
    std::array<QString, kPassColumnCount> m_headers;
};

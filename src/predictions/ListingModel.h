#pragma once
// The lines of a text listing for its list view: the header lines, the rows and the closing
// lines. The rows come from a row source that makes each row's text when it is asked for, so
// a listing of millions of rows holds no text but the lines on screen.

#include "predictions/EphemerisRows.h"
#include "predictions/ListingEngine.h"

#include <QAbstractListModel>
#include <QLocale>
#include <QSize>
#include <QStringList>

#include <functional>
#include <memory>

class QIODevice;

/// The rows of a listing, made on demand.
class ListingRowSource
{
public:
    virtual ~ListingRowSource() = default;
    [[nodiscard]] virtual qint64 rowCount() const = 0;
    [[nodiscard]] virtual QString rowText(qint64 row) const = 0;
};

/// The rows of an ephemeris listing in one coordinate system.
[[nodiscard]] std::unique_ptr<ListingRowSource>
ephemerisRowSource(std::shared_ptr<const SampleCache> samples, CoordinateSystem system,
                   ListingTexts texts, QLocale locale);

/// The rows of a relative-motion listing in one coordinate system.
[[nodiscard]] std::unique_ptr<ListingRowSource>
relativeRowSource(std::shared_ptr<const SampleCache> samples, CoordinateSystem system,
                  QLocale locale);

class ListingModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit ListingModel(QObject* parent = nullptr);
    ~ListingModel() override;

    /// Replaces the whole listing.
    void setListing(QStringList header, std::unique_ptr<ListingRowSource> rows,
                    QStringList footer);
    /// Empties the listing.
    void clear();

    /// Lines in all: header, rows and closing lines.
    [[nodiscard]] qint64 lineCount() const;
    [[nodiscard]] QString line(qint64 index) const;

    /// Writes every line in order, each ended by CR LF, in UTF-8; `progress` is told the lines
    /// written and may stop the writing by returning false. False when the device refused
    /// bytes or the writing was stopped.
    bool write(QIODevice& device, const std::function<bool(qint64)>& progress = {}) const;

    /// The size of every line in the view: all lines are laid out alike, as wide as the widest.
    void setLineSize(QSize size) { m_lineSize = size; }
    /// Characters of the widest line among the header, the first and last rows and the footer.
    [[nodiscard]] int widestLineChars() const;

    [[nodiscard]] int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

private:
    QStringList m_header;
    std::unique_ptr<ListingRowSource> m_rows;
    QStringList m_footer;
    QSize m_lineSize;
};

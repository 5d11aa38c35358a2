#include "predictions/ListingModel.h"

#include "predictions/RelativeRows.h"

#include <QIODevice>

#include <algorithm>
#include <limits>

namespace {

/// Lines written to the device at a time while saving.
constexpr qint64 kLinesPerWrite = 4096;

class EphemerisRowSource : public ListingRowSource
{
public:
    EphemerisRowSource(std::shared_ptr<const SampleCache> samples, CoordinateSystem system,
                       ListingTexts texts, QLocale locale)
        : m_samples(std::move(samples))
        , m_system(system)
        , m_texts(std::move(texts))
        , m_locale(std::move(locale))
    {
    }
    qint64 rowCount() const override { return m_samples->rowCount(); }
    QString rowText(qint64 row) const override
    {
        const SatelliteSample& sample = m_samples->samples(row).of[0];
        return ephemerisRow(m_system, m_samples->rowDate(row), sample,
                            m_samples->tracks().track(0).observer(), m_texts, m_locale);
    }

private:
    std::shared_ptr<const SampleCache> m_samples;
    CoordinateSystem m_system;
    ListingTexts m_texts;
    QLocale m_locale;
};

class RelativeRowSource : public ListingRowSource
{
public:
    RelativeRowSource(std::shared_ptr<const SampleCache> samples, CoordinateSystem system,
                      QLocale locale)
        : m_samples(std::move(samples)), m_system(system), m_locale(std::move(locale))
    {
    }
    qint64 rowCount() const override { return m_samples->rowCount(); }
    QString rowText(qint64 row) const override
    {
        return relativeRow(m_system, m_samples->rowDate(row), m_samples->samples(row),
                           m_samples->tracks().track(0).observer(), m_locale);
    }

private:
    std::shared_ptr<const SampleCache> m_samples;
    CoordinateSystem m_system;
    QLocale m_locale;
};

} // namespace

std::unique_ptr<ListingRowSource> ephemerisRowSource(std::shared_ptr<const SampleCache> samples,
                                                     CoordinateSystem system, ListingTexts texts,
                                                     QLocale locale)
{
    return std::make_unique<EphemerisRowSource>(std::move(samples), system, std::move(texts),
                                                std::move(locale));
}

std::unique_ptr<ListingRowSource> relativeRowSource(std::shared_ptr<const SampleCache> samples,
                                                    CoordinateSystem system, QLocale locale)
{
    return std::make_unique<RelativeRowSource>(std::move(samples), system, std::move(locale));
}

ListingModel::ListingModel(QObject* parent) : QAbstractListModel(parent) {}

ListingModel::~ListingModel() = default;

void ListingModel::setListing(QStringList header, std::unique_ptr<ListingRowSource> rows,
                              QStringList footer)
{
    beginResetModel();
    m_header = std::move(header);
    m_rows = std::move(rows);
    m_footer = std::move(footer);
    endResetModel();
}

void ListingModel::clear()
{
    setListing({}, nullptr, {});
}

qint64 ListingModel::lineCount() const
{
    return m_header.size() + (m_rows ? m_rows->rowCount() : 0) + m_footer.size();
}

QString ListingModel::line(qint64 index) const
{
    if (index < 0)
        return {};
    if (index < m_header.size())
        return m_header.at(index);
    index -= m_header.size();
    const qint64 rows = m_rows ? m_rows->rowCount() : 0;
    if (index < rows)
        return m_rows->rowText(index);
    index -= rows;
    return index < m_footer.size() ? m_footer.at(index) : QString();
}

bool ListingModel::write(QIODevice& device, const std::function<bool(qint64)>& progress) const
{
    const qint64 lines = lineCount();
    QByteArray chunk;
    for (qint64 k = 0; k < lines; ++k) {
        chunk += line(k).toUtf8();
        chunk += "\r\n";
        if ((k + 1) % kLinesPerWrite == 0 || k + 1 == lines) {
            if (device.write(chunk) != chunk.size())
                return false;
            chunk.clear();
            if (progress && !progress(k + 1))
                return false;
        }
    }
    return true;
}

int ListingModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return static_cast<int>(std::min<qint64>(lineCount(), std::numeric_limits<int>::max()));
}

int ListingModel::widestLineChars() const
{
    qsizetype widest = 0;
    for (const QString& text : m_header + m_footer)
        widest = std::max(widest, text.size());
    const qint64 rows = m_rows ? m_rows->rowCount() : 0;
    if (rows > 0) {
        widest = std::max(widest, m_rows->rowText(0).size());
        widest = std::max(widest, m_rows->rowText(rows - 1).size());
    }
    return static_cast<int>(widest);
}

QVariant ListingModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return line(index.row());
    if (role == Qt::SizeHintRole && m_lineSize.isValid())
        return m_lineSize;
    return {};
}

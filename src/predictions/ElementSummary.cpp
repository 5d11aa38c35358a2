#include "predictions/ElementSummary.h"

#include "common/catalogues.h"
#include "core/ElementSet.h"
#include "predictions/ListingText.h"
#include "services/DisplayFormat.h"

namespace {

using listingText::left;
using listingText::right;

constexpr double kMinutesPerDay = 1440.0;
constexpr qsizetype kSetNumberColumn = 64; // column 65 of line 1, 0-based
constexpr qsizetype kSetNumberLength = 4;
const QString kNoMagnitude = QStringLiteral(" ???");

QString text(const std::string& value)
{
    return QString::fromStdString(value);
}

} // namespace

std::optional<SummaryRow> summaryRow(const Record_TLE& set, double julianNow,
                                     const QLocale& locale)
{
    const mSat::ParsedElementSet parsed = mSat::parseElementSet(
        set.Riga0, set.Riga1, set.Riga2, Tabella_magnitudini, Tabella_frequenze);
    if (parsed.status != mSat::Status::Ok)
        return std::nullopt;
    const Elemento_satellite& e = parsed.elements;
    QString magnitude = right(formatNumberText(text(e.Magnitudine_standard), u"0.0", locale), 4);
    if (magnitude.trimmed().isEmpty())
        magnitude = kNoMagnitude;
    return SummaryRow{
        right(text(e.Numero_catalogo), 5),
        left(text(e.Nome_satellite), 24),
        right(QString::number(e.Anno_lancio, 'f', 0), 4),
        right(QString::number(e.Numero_lancio, 'f', 0), 3) + right(text(e.Pezzo_lancio), 3),
        right(formatNumber(e.Inclinazione, u"0.0000", locale), 8),
        right(formatNumber(kMinutesPerDay / e.Moto_medio, u"0.0", locale), 6),
        right(formatNumber(e.Raan, u"0.0000", locale), 8),
        right(formatNumber(e.Eccentricita, u"0.0000000", locale), 9),
        magnitude,
        right(text(set.Riga1).mid(kSetNumberColumn, kSetNumberLength), 4),
        right(formatNumber(julianNow - e.Epoca_giuliana, u"0.0", locale), 5),
    };
}

QStringList elementFileLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    const auto take = [&](qsizetype end) {
        const QStringView line = text.sliced(start, end - start);
        if (!line.trimmed().isEmpty())
            lines += line.toString();
    };
    for (qsizetype k = 0; k < text.size(); ++k) {
        if (text[k] != u'\r' && text[k] != u'\n')
            continue;
        take(k);
        if (text[k] == u'\r' && k + 1 < text.size() && text[k + 1] == u'\n')
            ++k;
        start = k + 1;
    }
    if (start < text.size())
        take(text.size());
    return lines;
}

std::vector<Record_TLE> elementSetsOfLines(const QStringList& lines)
{
    std::vector<Record_TLE> sets;
    sets.reserve(static_cast<std::size_t>(lines.size() / 3));
    for (qsizetype k = 0; k + 2 < lines.size(); k += 3)
        sets.push_back(Record_TLE{lines[k].toStdString(), lines[k + 1].toStdString(),
                                  lines[k + 2].toStdString()});
    return sets;
}

SummaryTable summarise(const std::vector<Record_TLE>& sets, std::size_t first, double julianNow,
                       const QLocale& locale, const std::function<bool(std::size_t)>& progress)
{
    SummaryTable table;
    table.rows.reserve(sets.size() > first ? sets.size() - first : 0);
    for (std::size_t k = first; k < sets.size(); ++k) {
        if (std::optional<SummaryRow> row = summaryRow(sets[k], julianNow, locale))
            table.rows.push_back(std::move(*row));
        else
            ++table.skippedSets;
        if (progress && !progress(k + 1 - first)) {
            table.stopped = k + 1 < sets.size();
            break;
        }
    }
    return table;
}

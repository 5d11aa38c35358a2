// Fixed-column listings in locales whose month names are not all three letters long (German
// "Sept." and "Mai", French "févr." and "mai"): across a month boundary every row keeps its
// width and its columns stay under the heading, as in the C locale's listing.

#include "ListingTestSupport.h"

#include "core/ElementSet.h"
#include "core/mAstro.h"
#include "predictions/EphemerisRows.h"
#include "predictions/ListingText.h"
#include "predictions/PassFormat.h"
#include "predictions/RelativeRows.h"
#include "services/DisplayFormat.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

constexpr CoordinateSystem kSystems[] = {CoordinateSystem::Obs, CoordinateSystem::Eci,
                                         CoordinateSystem::Lla, CoordinateSystem::Rad};

struct Boundary
{
    const char* locale;
    int year;
    int month; ///< the month whose last minutes are listed, before the first of the next
    int lastDay;
};

/// Where the short month name changes width, and where it does not (January to February).
constexpr Boundary kBoundaries[] = {{"de_DE", 2024, 9, 30},  {"de_DE", 2024, 4, 30},
                                    {"de_DE", 2024, 1, 31},  {"fr_FR", 2024, 4, 30},
                                    {"fr_FR", 2024, 1, 31},  {"fr_FR", 2024, 6, 30}};

std::string describe(const Boundary& b)
{
    return std::string(b.locale) + " after month " + std::to_string(b.month);
}

/// What a line of `locale` has once its date column is taken off and its decimal commas read
/// as points: the same text as the C locale's line after its date column.
QString afterDates(const QString& line, const QLocale& locale)
{
    const int dateWidth = static_cast<int>(listingText::dateTime(0, locale).size());
    return line.mid(dateWidth).replace(locale.decimalPoint(), QStringLiteral("."));
}

class ListingColumns : public ListingTest, public ::testing::WithParamInterface<Boundary>
{
protected:
    void SetUp() override
    {
        ListingTest::SetUp();
        const Boundary& b = GetParam();
        m_locale = QLocale(QString::fromLatin1(b.locale));
        // Three rows a minute apart: the last two minutes of the month and midnight after it.
        const double start = DateValue::fromDateTime(b.year, b.month, b.lastDay, 23, 58, 0);
        const mSat::ParsedElementSet set =
            mSat::parseElementSet(kIssSet.Riga0, kIssSet.Riga1, kIssSet.Riga2,
                                  Tabella_magnitudini, Tabella_frequenze);
        m_tracks = std::make_shared<const TrackSet>(std::vector{
            SatelliteTrack(set.elements, Osservatore, Impostazioni),
            SatelliteTrack(set.elements, Osservatore, Impostazioni)});
        const ListingGrid grid = *fixedStepGrid(start, DateValue::addMinutes(start, 2), 60);
        m_cache.emplace(m_tracks, runListing(*m_tracks, grid, {}, {}));
        ASSERT_EQ(m_cache->rowCount(), 3);
        m_texts = ListingTexts::load([](int) { return QStringLiteral("Visible"); });
    }

    /// The rows of `locale` and the C locale's, checked line for line.
    void expectAlike(const QStringList& rows, const QStringList& plainRows, const QString& heading,
                     const QString& plainHeading)
    {
        const int dateWidth = static_cast<int>(listingText::dateTime(0, m_locale).size());
        ASSERT_GE(dateWidth, listingText::kDateTimeWidth);
        ASSERT_EQ(rows.size(), plainRows.size());
        for (qsizetype k = 0; k < rows.size(); ++k) {
            SCOPED_TRACE(rows[k].toStdString());
            EXPECT_EQ(rows[k].size(), rows[0].size()) << "every row as wide as the first";
            EXPECT_EQ(afterDates(rows[k], m_locale), afterDates(plainRows[k], QLocale::c()));
            // Nothing of the date is cut: the whole month name and the time are there.
            const DateValue::Parts date = DateValue::split(m_cache->rowDate(k));
            EXPECT_TRUE(rows[k].left(dateWidth).contains(
                m_locale.monthName(date.month, QLocale::ShortFormat)));
            EXPECT_TRUE(rows[k].left(dateWidth).trimmed().endsWith(
                plainRows[k].left(listingText::kDateTimeWidth).right(8)));
        }
        // The heading's columns over the rows' columns, its date heading over the dates.
        EXPECT_EQ(afterDates(heading, m_locale), afterDates(plainHeading, QLocale::c()))
            << heading.toStdString();
        EXPECT_EQ(heading.left(dateWidth).trimmed(),
                  plainHeading.left(listingText::kDateTimeWidth).trimmed());
    }

    QLocale m_locale;
    std::shared_ptr<const TrackSet> m_tracks;
    std::optional<SampleCache> m_cache;
    ListingTexts m_texts;
};

TEST_P(ListingColumns, EphemerisRowsLineUpWithTheirHeading)
{
    SCOPED_TRACE(describe(GetParam()));
    const mSat::ParsedElementSet set = mSat::parseElementSet(
        kIssSet.Riga0, kIssSet.Riga1, kIssSet.Riga2, Tabella_magnitudini, Tabella_frequenze);
    for (const CoordinateSystem system : kSystems) {
        SCOPED_TRACE(static_cast<int>(system));
        QStringList rows;
        QStringList plainRows;
        for (std::int64_t k = 0; k < m_cache->rowCount(); ++k) {
            rows << ephemerisRow(system, m_cache->rowDate(k), m_cache->samples(k).of[0],
                                 Osservatore, m_texts, m_locale);
            plainRows << ephemerisRow(system, m_cache->rowDate(k), m_cache->samples(k).of[0],
                                      Osservatore, m_texts, QLocale::c());
        }
        const QStringList header =
            ephemerisHeader(system, set.elements, kIssSet, Osservatore, m_texts, m_locale);
        const QStringList plainHeader =
            ephemerisHeader(system, set.elements, kIssSet, Osservatore, m_texts, QLocale::c());
        ASSERT_EQ(header.size(), plainHeader.size());
        // The heading is the last line before the closing empty line; the inertial listing's
        // ruler stands above it.
        const qsizetype heading = header.size() - 2;
        expectAlike(rows, plainRows, header[heading], plainHeader[heading]);
        if (system == CoordinateSystem::Eci) {
            EXPECT_EQ(afterDates(header[heading - 1], m_locale),
                      afterDates(plainHeader[heading - 1], QLocale::c()));
        }
    }
}

TEST_P(ListingColumns, RelativeMotionRowsLineUpWithTheirHeading)
{
    SCOPED_TRACE(describe(GetParam()));
    for (const CoordinateSystem system : kSystems) {
        SCOPED_TRACE(static_cast<int>(system));
        QStringList rows;
        QStringList plainRows;
        for (std::int64_t k = 0; k < m_cache->rowCount(); ++k) {
            rows << relativeRow(system, m_cache->rowDate(k), m_cache->samples(k), Osservatore,
                                m_locale);
            plainRows << relativeRow(system, m_cache->rowDate(k), m_cache->samples(k),
                                     Osservatore, QLocale::c());
        }
        const QStringList header =
            relativeHeader(system, *m_tracks, kIssSet, kIssSet, m_texts, m_locale);
        const QStringList plainHeader =
            relativeHeader(system, *m_tracks, kIssSet, kIssSet, m_texts, QLocale::c());
        const qsizetype heading = header.size() - 2;
        expectAlike(rows, plainRows, header[heading], plainHeader[heading]);
        EXPECT_EQ(afterDates(header[heading - 1], m_locale),
                  afterDates(plainHeader[heading - 1], QLocale::c()))
            << "the ruler over satellites A and B";
    }
}

TEST_P(ListingColumns, PassLinesLineUpWithTheirHeading)
{
    SCOPED_TRACE(describe(GetParam()));
    Dati_osservatore utc = Osservatore;
    utc.Fuso_orario = 0;
    QStringList lines;
    QStringList plainLines;
    for (std::int64_t k = 0; k < m_cache->rowCount(); ++k) {
        passes::PassEvent event;
        const DateValue::Parts p = DateValue::split(m_cache->rowDate(k));
        event.julianDate = mAstro::Calcola_giorno_giuliano(
            p.year, p.month, p.day + (p.hour + p.minute / 60.0) / 24.0);
        event.sky.elevationDeg = 42.5;
        event.sky.azimuthDeg = 181.25;
        event.sky.magnitude = 2.5;
        event.sky.rangeKm = 812.5;
        lines << passLine(event, utc, m_locale);
        plainLines << passLine(event, utc, QLocale::c());
    }
    const QString heading = mLang::Testo_lingua(u"frmVisibleSatellites", u"intestazioneobs");
    expectAlike(lines, plainLines, listingText::alignedToDates(heading, m_locale), heading);
}

INSTANTIATE_TEST_SUITE_P(MonthBoundaries, ListingColumns, ::testing::ValuesIn(kBoundaries),
                         [](const auto& param) {
                             return std::string(param.param.locale) + "_after_"
                                    + std::to_string(param.param.month);
                         });

TEST(ListingText, DateColumnIsTheLongestMonthNameWide)
{
    for (const char* name : {"C", "en_GB", "it_IT", "de_DE", "fr_FR"}) {
        const QLocale locale(QString::fromLatin1(name));
        const int longest = std::max(3, longestMonthName(locale, QLocale::ShortFormat));
        SCOPED_TRACE(name);
        for (int month = 1; month <= 12; ++month) {
            const QString text =
                listingText::dateTime(DateValue::fromDateTime(2024, month, 9, 8, 7, 6), locale);
            EXPECT_EQ(text.size(), listingText::kDateTimeWidth + longest - 3) << text.toStdString();
            EXPECT_TRUE(text.startsWith(QStringLiteral("09 ")
                                        + locale.monthName(month, QLocale::ShortFormat)));
            EXPECT_TRUE(text.endsWith(QStringLiteral("2024  08:07:06")));
        }
    }
    // Three-letter months leave headings as the language file has them.
    const QString heading = QStringLiteral("Local date    time       Elev.");
    EXPECT_EQ(listingText::alignedToDates(heading, QLocale::c()), heading);
    EXPECT_EQ(listingText::alignedToDates(heading, QLocale(QStringLiteral("de_DE"))),
              QStringLiteral("Local date    time         Elev."));
    // A heading word running past the date column keeps its letters together.
    EXPECT_EQ(listingText::alignedToDates(QStringLiteral("Datum und Uhrzeit (lokal)  Elev."),
                                          QLocale(QStringLiteral("de_DE"))),
              QStringLiteral("Datum und Uhrzeit (lokal)    Elev."));
}

} // namespace

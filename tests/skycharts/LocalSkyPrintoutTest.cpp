// The table of bodies under the local sky printout: its fixed-width columns, whatever face the
// system gives for Courier New, the signed declinations, and the magnitude column, which shows
// only magnitudes that were worked out.

#include "DrawnTexts.h"
#include "LocalSkyFixture.h"

#include "skycharts/LocalSkyChart.h"
#include "skycharts/LocalSkyPrintout.h"

#include "core/mAstro.h"
#include "services/DisplayFormat.h"
#include "services/PaintDeviceSurface.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QScopeGuard>

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// name 13, ": ", azimuth 5, altitude 5, right ascension 6, declination 7, each followed by
// two blanks: the magnitude field starts at column 46 and is 5 wide.
constexpr qsizetype kMagnitudeColumn = 46;
constexpr qsizetype kMagnitudeWidth = 5;
constexpr qsizetype kDiameterColumn = kMagnitudeColumn + kMagnitudeWidth + 2;
constexpr qsizetype kRightAscensionColumn = 29;
constexpr qsizetype kDeclinationColumn = 37;

// Planet numbers in Corpi_celesti, counted from Mercury.
constexpr int kVenus = kMercurio + 1;
constexpr int kJupiter = kMercurio + 3;

Corpo_celeste body(double magnitude)
{
    Corpo_celeste b;
    b.Azimut = 123.46;
    b.Altezza = 12.3;
    b.Ascensione_retta = 5.5;
    b.Declinazione = -12.5;
    b.Magnitudine_visuale = magnitude;
    b.Diametro_apparente = 1865; // 31' 05''
    b.Frazione_illuminata = 0.75;
    return b;
}

QString magnitudeField(const QString& row)
{
    return row.mid(kMagnitudeColumn, kMagnitudeWidth);
}

} // namespace

TEST(LocalSkyPrintoutTable, MagnitudesShownOnlyWhereOneWasWorkedOut)
{
    using skycharts::printoutBodyRow;
    const QLocale c = QLocale::c();
    const QString jupiter = printoutBodyRow(kJupiter, body(-2.46), QStringLiteral("Jupiter"), c);
    const QString sun = printoutBodyRow(kSole, body(0), QStringLiteral("Sun"), c);
    // The Moon's record keeps whatever magnitude field it had: none is computed for it.
    const QString moon = printoutBodyRow(kLuna, body(0), QStringLiteral("Moon"), c);
    const QString unlit =
        printoutBodyRow(kVenus, body(mAstro::kNoMagnitude), QStringLiteral("Venus"), c);
    EXPECT_EQ(magnitudeField(jupiter), QStringLiteral(" -2.5")) << jupiter.toStdString();
    EXPECT_EQ(magnitudeField(sun), QStringLiteral("-26.4")) << sun.toStdString();
    EXPECT_EQ(magnitudeField(moon), QString(kMagnitudeWidth, u' ')) << moon.toStdString();
    EXPECT_EQ(magnitudeField(unlit), QString(kMagnitudeWidth, u' ')) << unlit.toStdString();
    // The columns after the magnitude stay in line.
    for (const QString& row : {jupiter, sun, moon, unlit})
        EXPECT_EQ(row.mid(kDiameterColumn, 7), QStringLiteral("31'05''")) << row.toStdString();
    EXPECT_EQ(jupiter.left(kMagnitudeColumn),
              QStringLiteral("Jupiter      : 123.5   12.3   5h30m  -12\u00b030'  "));
}

TEST(LocalSkyPrintoutTable, NumbersFollowTheUsersSeparator)
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    const QString jupiter =
        skycharts::printoutBodyRow(kJupiter, body(-2.46), QStringLiteral("Giove"), italian);
    const QString sun = skycharts::printoutBodyRow(kSole, body(0), QStringLiteral("Sole"), italian);
    EXPECT_EQ(magnitudeField(jupiter), QStringLiteral(" -2,5"));
    EXPECT_EQ(magnitudeField(sun), QStringLiteral("-26,4"));
    EXPECT_TRUE(jupiter.contains(QStringLiteral(" 123,5   12,3 "))) << jupiter.toStdString();
}

TEST(LocalSkyPrintoutTable, SignedDegreesAndHoursWithMinutes)
{
    // Minutes are cut, as the planets table cuts them: -0.78 degrees is -0 degrees 46.8'.
    const std::pair<double, const char16_t*> cases[] = {
        {-0.78, u"-0\u00b046'"}, {0.78, u"0\u00b046'"}, {-0.785, u"-0\u00b047'"},
        {-1.0, u"-1\u00b000'"}, {-12.75, u"-12\u00b045'"}, {59.99 / 60, u"0\u00b059'"},
        // 4.1 is stored a hair below; a value a hair below a whole degree carries into it.
        {4.1, u"4\u00b006'"}, {std::nextafter(1.0, 0.0), u"1\u00b000'"},
        {-std::nextafter(1.0, 0.0), u"-1\u00b000'"}};
    const QLocale c = QLocale::c();
    for (const auto& [value, text] : cases) {
        const QString degrees = QString::fromUtf16(text);
        EXPECT_EQ(formatUnitsAndMinutes(value, u"#0\u00b0", u"00'", c), degrees) << value;
        Corpo_celeste b = body(1);
        b.Declinazione = value;
        b.Ascensione_retta = std::fabs(value);
        const QString row = skycharts::printoutBodyRow(kJupiter, b, QStringLiteral("Jupiter"), c);
        EXPECT_EQ(row.mid(kDeclinationColumn, 7), degrees.rightJustified(7)) << value;
        QString hours = QString(degrees).remove(u'-').replace(u'\u00b0', u'h').replace(u'\'', u'm');
        EXPECT_EQ(row.mid(kRightAscensionColumn, 6), hours.rightJustified(6)) << value;
    }
}

TEST_F(LocalSkyTest, PrintoutTableKeepsItsColumnsWhereCourierNewIsAProportionalFace)
{
    // As on a system whose face for Courier New has blanks narrower than digits.
    const QStringList families = QFontDatabase::families();
    const auto proportional = std::find_if(families.begin(), families.end(), [](const QString& f) {
        const QFontMetricsF metrics{QFont(f)};
        return metrics.horizontalAdvance(u' ') < metrics.horizontalAdvance(u'0');
    });
    ASSERT_NE(proportional, families.end());
    const QString courier = QStringLiteral("Courier New");
    QFont::insertSubstitution(courier, proportional->section(QStringLiteral(" ["), 0, 0));
    const auto restore = qScopeGuard([&courier] {
        QFont::removeSubstitutions(courier);
        skycharts::bringSkyToInstant(Data_attuale);
    });
    skycharts::bringSkyToInstant(Data_attuale);
    Corpi_celesti[kMercurio].Azimut = 50; // an azimuth under 100
    TextRecordingDevice device({794, 1123});
    {
        PaintDeviceSurface page(device);
        skycharts::drawLocalSkyPrintout(page, TrackingModel::instance().localSky(), 50,
                                        Data_attuale, false);
    }
    // Where each body row's azimuth (13 + 2 + 5 characters) and altitude (7 more) end.
    std::set<double> azimuthEnds, altitudeEnds;
    for (const DrawnText& row : device.texts()) {
        if (row.text.size() < 60 || row.text[13] != u':')
            continue;
        const QFontMetricsF metrics(row.font, &device);
        azimuthEnds.insert(row.at.x() + metrics.horizontalAdvance(row.text.left(20)));
        altitudeEnds.insert(row.at.x() + metrics.horizontalAdvance(row.text.left(27)));
    }
    EXPECT_EQ(azimuthEnds.size(), 1u);
    EXPECT_EQ(altitudeEnds.size(), 1u);
}

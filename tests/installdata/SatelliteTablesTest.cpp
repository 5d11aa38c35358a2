// magnitud.dat and frequen.dat: standard magnitudes and radio channels by catalogue number.

#include "InstallDataFiles.h"
#include "support/RequiredData.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QHash>
#include <QRegularExpression>

using namespace installdata;

namespace {

// Catalogue numbers as they stand in columns 3-7 of an element set's line 1.
const QRegularExpression kCatalogueNumber(QStringLiteral("^[0-9]{5}$"));

// Amateur and weather satellites transmit from HF (29 MHz) to the 10 GHz band.
constexpr double kLowestFrequencyMHz = 25.0;
constexpr double kHighestFrequencyMHz = 11000.0;

bool isFrequency(double mhz)
{
    return mhz >= kLowestFrequencyMHz && mhz <= kHighestFrequencyMHz;
}

// Mike McCants' quicksat magnitude file, the source of magnitud.dat (see data/README.md).
const QString kQuicksatFile = QStringLiteral(QUORVANEL_SOURCE_DIR "/../shared/data/qs.mag");

QHash<QString, QString> magnitudesByCatalogueNumber()
{
    QHash<QString, QString> magnitudes;
    for (const QStringList& r : readRecords(QStringLiteral("magnitud.dat")))
        if (r.size() == 2)
            magnitudes.insert(r[0], r[1]);
    return magnitudes;
}

} // namespace

TEST(StandardMagnitudes, WellKnownSatellitesHaveTheirQuicksatValues)
{
    const QHash<QString, QString> magnitudes = magnitudesByCatalogueNumber();
    // qs.mag, December 2025: ISS, HST, Seasat 1, Envisat, Terra, Vanguard 1.
    const std::pair<const char*, const char*> expected[] = {
        {"25544", "-2.5"}, {"20580", "1.5"}, {"10967", "2.5"},
        {"27386", "3.0"},  {"25994", "2.0"}, {"00005", "9.5"}};
    for (const auto& [number, magnitude] : expected)
        EXPECT_EQ(magnitudes.value(QString::fromLatin1(number)), QString::fromLatin1(magnitude))
            << number;
    // NOAA 18 has no magnitude in qs.mag, so it has no entry and shows "???".
    EXPECT_FALSE(magnitudes.contains(QStringLiteral("28654")));
    EXPECT_GE(magnitudes.size(), 4000);
}

TEST(StandardMagnitudes, EveryQuicksatMagnitudeIsCarriedOverUnchanged)
{
    QFile source(kQuicksatFile);
    if (!source.open(QIODevice::ReadOnly))
        SKIP_OR_FAIL_WITHOUT_DATA("no " << kQuicksatFile.toStdString());
    const QHash<QString, QString> magnitudes = magnitudesByCatalogueNumber();
    int given = 0;
    for (QByteArray line : source.readAll().split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        // Catalogue number in columns 1-5, standard magnitude in columns 34-37.
        const QString number = QString::fromLatin1(line.left(5));
        const QString magnitude = QString::fromLatin1(line.mid(33, 4).trimmed());
        bool ok = false;
        const double value = magnitude.toDouble(&ok);
        if (!ok) {
            EXPECT_FALSE(magnitudes.contains(number)) << number.toStdString();
            continue;
        }
        ++given;
        EXPECT_EQ(magnitudes.value(number).toDouble(), value) << number.toStdString();
    }
    EXPECT_EQ(magnitudes.size(), given);
}

TEST(StandardMagnitudes, AscendByCatalogueNumberWithNumericMagnitudes)
{
    const auto records = readRecords(QStringLiteral("magnitud.dat"));
    ASSERT_FALSE(records.empty());
    int previous = 0;
    for (const QStringList& r : records) {
        SCOPED_TRACE(r.join(u',').toStdString());
        ASSERT_EQ(r.size(), 2);
        EXPECT_TRUE(kCatalogueNumber.match(r[0]).hasMatch());
        const int catalogueNumber = r[0].toInt();
        // Each record resizes the table to end at its own number: the file must ascend.
        EXPECT_GT(catalogueNumber, previous);
        previous = catalogueNumber;
        bool ok = false;
        const double magnitude = number(r[1], &ok);
        EXPECT_TRUE(ok);
        EXPECT_GT(magnitude, -5.0);
        EXPECT_LT(magnitude, 12.0);
    }
}

TEST(RadioChannels, EveryRowIsACatalogueNumberWithItsFrequencies)
{
    const auto records = readRecords(QStringLiteral("frequen.dat"));
    EXPECT_GE(records.size(), std::size_t(24));
    QHash<QString, int> channels;
    for (const QStringList& r : records) {
        SCOPED_TRACE(r.join(u',').toStdString());
        ASSERT_EQ(r.size(), 4);
        EXPECT_TRUE(kCatalogueNumber.match(r[0]).hasMatch());
        bool okUp = false, okDown = false;
        const double uplink = number(r[1], &okUp);
        const double downlink = number(r[2], &okDown);
        ASSERT_TRUE(okUp && okDown);
        EXPECT_TRUE(uplink == 0.0 || isFrequency(uplink)) << "0 means no uplink";
        EXPECT_TRUE(isFrequency(downlink));
        EXPECT_FALSE(r[3].isEmpty());
        ++channels[r[0]];
    }
    // A satellite has at most ten radio channels.
    for (auto it = channels.cbegin(); it != channels.cend(); ++it)
        EXPECT_LE(it.value(), 10) << it.key().toStdString();
}

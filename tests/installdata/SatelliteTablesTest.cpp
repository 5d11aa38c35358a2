// magnitud.dat and frequen.dat: standard magnitudes and radio channels by catalogue number.

#include "InstallDataFiles.h"

#include <gtest/gtest.h>

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

} // namespace

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

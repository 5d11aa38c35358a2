// cities.dat: the places of the location dialog, "Country: Town", latitude, longitude, zone.

#include "InstallDataFiles.h"

#include <gtest/gtest.h>

#include <QSet>

#include <cmath>

using namespace installdata;

namespace {

// Standard time zones in use run from UT-12 to UT+14 in steps of a quarter hour.
constexpr double kWestmostZoneHours = -12.0;
constexpr double kEastmostZoneHours = 14.0;
constexpr double kZoneStepHours = 0.25;

} // namespace

TEST(CityList, EveryRecordIsANamedPlaceWithPossibleCoordinates)
{
    const QByteArray bytes = readBytes(QStringLiteral("cities.dat"));
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << "every line ends with CR LF";
    for (char c : bytes)
        ASSERT_TRUE(c == '\r' || c == '\n' || (c >= 0x20 && c <= 0x7e)) << "not ASCII: " << int(c);

    const auto records = readRecords(QStringLiteral("cities.dat"));
    EXPECT_GT(records.size(), std::size_t(3000));
    QSet<QString> names;
    for (const QStringList& r : records) {
        SCOPED_TRACE(r.join(u',').toStdString());
        ASSERT_EQ(r.size(), 4);
        const QString& name = r[0];
        const qsizetype colon = name.indexOf(QStringLiteral(": "));
        EXPECT_GT(colon, 0) << "no country";
        EXPECT_GT(name.size(), colon + 2) << "no town";
        EXPECT_FALSE(names.contains(name)) << "listed twice";
        names.insert(name);
        bool okLat = false, okLon = false, okZone = false;
        const double lat = number(r[1], &okLat);
        const double lon = number(r[2], &okLon);
        const double zone = number(r[3], &okZone);
        ASSERT_TRUE(okLat && okLon && okZone);
        EXPECT_GE(lat, -90.0);
        EXPECT_LE(lat, 90.0);
        EXPECT_GE(lon, -180.0);
        EXPECT_LE(lon, 180.0);
        EXPECT_GE(zone, kWestmostZoneHours);
        EXPECT_LE(zone, kEastmostZoneHours);
        EXPECT_DOUBLE_EQ(std::fmod(zone, kZoneStepHours), 0.0);
        EXPECT_FALSE(r[1].contains(u'e') || r[2].contains(u'e')) << "plain decimals only";
    }
}

TEST(CityList, HoldsTheDefaultObserversPlace)
{
    bool found = false;
    for (const QStringList& r : readRecords(QStringLiteral("cities.dat"))) {
        if (r.value(0) != QStringLiteral("Italy: Milano"))
            continue;
        found = true;
        bool ok = false;
        EXPECT_DOUBLE_EQ(number(r.value(1), &ok), 45.47);
        EXPECT_DOUBLE_EQ(number(r.value(2), &ok), 9.19);
        EXPECT_DOUBLE_EQ(number(r.value(3), &ok), 1.0);
    }
    EXPECT_TRUE(found);
}

TEST(CityList, ZonesAreTheStandardOffsetsOfTheirPlaces)
{
    // Standard (winter) time, so no place of these shows a daylight-saving hour.
    const std::pair<const char*, double> places[] = {
        {"United Kingdom: London", 0.0}, {"Germany: Berlin", 1.0}, {"India: New Delhi", 5.5},
        {"Nepal: Kathmandu", 5.75},      {"Australia: Sydney", 10.0},
        {"United States: Chicago", -6.0}, {"Brazil: Brasilia", -3.0}};
    QHash<QString, double> zones;
    for (const QStringList& r : readRecords(QStringLiteral("cities.dat"))) {
        bool ok = false;
        zones.insert(r.value(0), number(r.value(3), &ok));
    }
    for (const auto& [name, zone] : places) {
        const QString key = QString::fromLatin1(name);
        ASSERT_TRUE(zones.contains(key)) << name;
        EXPECT_DOUBLE_EQ(zones.value(key), zone) << name;
    }
}

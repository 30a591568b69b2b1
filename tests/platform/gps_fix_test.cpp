#include "platform/gps_fix.h"

#include <cmath>
#include <gtest/gtest.h>

namespace stellaro {
namespace {

TEST(GpsFix, ModesMapToFixKinds)
{
    EXPECT_EQ(fix_kind_of_mode(0), GpsFixKind::NONE);
    EXPECT_EQ(fix_kind_of_mode(1), GpsFixKind::NONE);
    EXPECT_EQ(fix_kind_of_mode(2), GpsFixKind::TWO_D);
    EXPECT_EQ(fix_kind_of_mode(3), GpsFixKind::THREE_D);
    EXPECT_EQ(fix_kind_of_mode(4), GpsFixKind::NONE);
    EXPECT_EQ(fix_kind_of_mode(-7), GpsFixKind::NONE);
}

TEST(GpsFix, PositionNeedsAFixAndCoordinatesOnEarth)
{
    GpsFix fix;
    fix.latitude_deg = 55.7;
    fix.longitude_deg = 37.6;
    EXPECT_FALSE(fix.has_position());
    fix.kind = GpsFixKind::TWO_D;
    EXPECT_TRUE(fix.has_position());
    fix.latitude_deg = NAN;
    EXPECT_FALSE(fix.has_position());
    fix.latitude_deg = 91.0;
    EXPECT_FALSE(fix.has_position());
    fix.latitude_deg = -90.0;
    fix.longitude_deg = 180.5;
    EXPECT_FALSE(fix.has_position());
}

TEST(GpsFix, TwelveStrongestSatellitesAreKept)
{
    std::vector<GpsSatellite> fifteen;
    for (int i = 1; i <= 15; ++i)
        fifteen.push_back({i, 10.0, 20.0 * i, static_cast<double>((i * 7) % 15), false});
    const std::vector<GpsSatellite> shown = strongest_satellites(fifteen);
    ASSERT_EQ(shown.size(), 12u);
    for (size_t i = 1; i < shown.size(); ++i)
        EXPECT_GE(shown[i - 1].signal_db, shown[i].signal_db);
    // Signals 0, 1 and 2 (PRNs 15, 13 and 11) are the weakest and left out.
    for (const GpsSatellite& satellite : shown) {
        EXPECT_NE(satellite.prn, 15);
        EXPECT_NE(satellite.prn, 13);
        EXPECT_NE(satellite.prn, 11);
    }
}

TEST(GpsFix, SatellitesThatCannotBePlacedAreDropped)
{
    const std::vector<GpsSatellite> seen = {
        {1, NAN, 10.0, 30.0, false}, {2, 20.0, NAN, 30.0, false}, {3, 95.0, 10.0, 30.0, false},
        {4, 20.0, 1e9, 30.0, false}, {5, 45.0, 90.0, NAN, true},  {6, 45.0, 90.0, -1.0, false},
    };
    const std::vector<GpsSatellite> shown = strongest_satellites(seen);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].prn, 5);
    EXPECT_EQ(shown[0].signal_db, -1.0);
    EXPECT_TRUE(shown[0].used);
    EXPECT_EQ(shown[1].prn, 6);
}

TEST(GpsFix, AddressesAreHostAndPort)
{
    const auto plain = parse_gpsd_address("127.0.0.1:4711");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->host, "127.0.0.1");
    EXPECT_EQ(plain->port, "4711");
    const auto v6 = parse_gpsd_address("[::1]:2947");
    ASSERT_TRUE(v6);
    EXPECT_EQ(v6->host, "::1");
    for (const char* bad : {"", "localhost", ":2947", "host:", "host:0", "host:65536", "host:12a", "::1:2947", "[]:2947", "host:999999999999"})
        EXPECT_FALSE(parse_gpsd_address(bad)) << bad;
}

} // namespace
} // namespace stellaro

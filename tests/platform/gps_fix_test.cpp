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
    EXPECT_EQ(fix_kind_of_mode(-7), GpsFixKind::NONE);
    GpsFix fix;
    fix.latitude_deg = 55.7;
    EXPECT_FALSE(fix.has_position());
    fix.kind = GpsFixKind::TWO_D;
    EXPECT_TRUE(fix.has_position());
    fix.latitude_deg = NAN;
    EXPECT_FALSE(fix.has_position());
    fix.latitude_deg = 91.0;
    EXPECT_FALSE(fix.has_position());
}

TEST(GpsFix, TheStrongestPlaceableSatellitesAreKept)
{
    std::vector<GpsSatellite> seen;
    for (int i = 1; i <= 15; ++i)
        seen.push_back({i, 10.0, 20.0 * i, 20.0 + i, false});
    seen.push_back({20, NAN, 10.0, 60.0, false});
    seen.push_back({21, 95.0, 10.0, 60.0, false});
    seen.push_back({22, 20.0, 1e9, 60.0, false});
    seen.push_back({23, 45.0, 90.0, NAN, true});
    const std::vector<GpsSatellite> shown = strongest_satellites(seen);
    ASSERT_EQ(shown.size(), 12u);
    for (size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(shown[i].prn, static_cast<int32_t>(15 - i)) << "strongest first, without the unplaceable";
    EXPECT_EQ(strongest_satellites({seen.back()})[0].signal_db, -1.0);
}

TEST(GpsFix, AddressesAreHostAndPort)
{
    const auto plain = parse_gpsd_address("127.0.0.1:4711");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->host + " " + plain->port, "127.0.0.1 4711");
    EXPECT_EQ(parse_gpsd_address("[::1]:2947")->host, "::1");
    for (const char* bad : {"", "localhost", ":2947", "host:", "host:0", "host:65536", "host:12a", "::1:2947", "[]:1"})
        EXPECT_FALSE(parse_gpsd_address(bad)) << bad;
}

} // namespace
} // namespace stellaro

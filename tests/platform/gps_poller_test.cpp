#include "platform/gps_link.h"
#include "platform/gps_poller.h"
#include "support/gps_replay.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace stellaro {
namespace {

// The latest snapshot once it satisfies the condition, or when a generous deadline has passed.
GpsSnapshot wait_for(const GpsPoller& poller, const std::function<bool(const GpsSnapshot&)>& condition)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    GpsSnapshot snapshot = poller.latest();
    for (; !condition(snapshot) && std::chrono::steady_clock::now() < until; snapshot = poller.latest())
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return snapshot;
}

bool has_position(const GpsSnapshot& snapshot) { return snapshot.fix.has_position(); }

class GpsPollerTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!GpsReplay::available() || !GpsLink::library_available())
            GTEST_SKIP() << "gpsfake (gpsd-clients) or " << GpsLink::LIBRARY << " (libgps28) is not installed";
    }
};

TEST_F(GpsPollerTest, TwoDimensionalFixGivesThePlace)
{
    GpsReplay replay("fix_2d.nmea");
    GpsPoller poller({"127.0.0.1", replay.port});
    const GpsSnapshot seen = wait_for(poller, has_position);
    EXPECT_EQ(seen.fix.kind, GpsFixKind::TWO_D);
    EXPECT_NEAR(seen.fix.latitude_deg, 55.7558, 1e-6);
    EXPECT_NEAR(seen.fix.longitude_deg, 37.6173, 1e-6);
}

TEST_F(GpsPollerTest, ThreeDimensionalFixWithSatellites)
{
    GpsReplay replay("fix_3d.nmea");
    GpsPoller poller({"127.0.0.1", replay.port});
    const GpsSnapshot seen = wait_for(poller, [](const GpsSnapshot& s) {
        return has_position(s) && s.fix.altitude_m != 0.0 && s.fix.satellites.size() == 8;
    });
    EXPECT_EQ(seen.fix.kind, GpsFixKind::THREE_D);
    EXPECT_NEAR(seen.fix.altitude_m, 156.0, 1e-6);
    ASSERT_EQ(seen.fix.satellites.size(), 8u);
    const GpsSatellite nine = *std::find_if(seen.fix.satellites.begin(), seen.fix.satellites.end(),
                                            [](const GpsSatellite& satellite) { return satellite.prn == 9; });
    EXPECT_EQ(nine.elevation_deg, 80.0);
    EXPECT_EQ(nine.azimuth_deg, 210.0);
    EXPECT_EQ(nine.signal_db, 47.0);
    EXPECT_TRUE(nine.used);
}

TEST_F(GpsPollerTest, LostFixAndEndedDaemonAreNoticed)
{
    auto replay = std::make_unique<GpsReplay>("fix_lost.nmea");
    GpsPoller poller({"127.0.0.1", replay->port});
    ASSERT_TRUE(has_position(wait_for(poller, has_position)));
    const GpsSnapshot lost = wait_for(poller, [](const GpsSnapshot& s) { return !has_position(s); });
    EXPECT_TRUE(lost.connected);
    EXPECT_FALSE(has_position(lost));
    replay.reset();
    EXPECT_FALSE(wait_for(poller, [](const GpsSnapshot& s) { return !s.connected; }).connected);
}

TEST(GpsPollerWithoutDaemon, NobodyListeningMeansNoGps)
{
    GpsPoller poller({"127.0.0.1", free_tcp_port()});
    const GpsSnapshot seen = wait_for(poller, [](const GpsSnapshot& s) { return s.serial > 0; });
    EXPECT_GT(seen.serial, 0u);
    EXPECT_FALSE(seen.connected);
}

} // namespace
} // namespace stellaro

#include "platform/gps_link.h"
#include "platform/gps_poller.h"
#include "support/gps_replay.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace stellaro {
namespace {

// Generous: gpsfake needs a second or two to start its gpsd on a busy machine.
constexpr auto DEADLINE = std::chrono::seconds(30);

// Waits until the poller's snapshot satisfies the condition; the last snapshot either way.
GpsSnapshot wait_for(const GpsPoller& poller, const std::function<bool(const GpsSnapshot&)>& condition)
{
    const auto until = std::chrono::steady_clock::now() + DEADLINE;
    GpsSnapshot snapshot = poller.latest();
    while (!condition(snapshot) && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        snapshot = poller.latest();
    }
    return snapshot;
}

class GpsPollerTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!GpsReplay::available())
            GTEST_SKIP() << "gpsfake is not installed (package gpsd-clients)";
        if (!GpsLink::library_available())
            GTEST_SKIP() << "the gpsd client library " << GpsLink::LIBRARY << " is not installed";
    }

    static GpsdAddress address_of(const GpsReplay& replay) { return {"127.0.0.1", replay.port()}; }
};

bool has_position(const GpsSnapshot& snapshot) { return snapshot.fix.has_position(); }

TEST_F(GpsPollerTest, NoFixLeavesThePositionUnknown)
{
    GpsReplay replay("no_fix.nmea");
    GpsPoller poller(address_of(replay));
    const GpsSnapshot seen = wait_for(poller, [](const GpsSnapshot& s) { return s.connected && s.fix.satellites.size() == 3; });
    ASSERT_TRUE(seen.connected);
    ASSERT_EQ(seen.fix.satellites.size(), 3u);
    EXPECT_FALSE(seen.fix.has_position());
    for (const GpsSatellite& satellite : seen.fix.satellites)
        EXPECT_FALSE(satellite.used);
}

TEST_F(GpsPollerTest, TwoDimensionalFixGivesThePlace)
{
    GpsReplay replay("fix_2d.nmea");
    GpsPoller poller(address_of(replay));
    const GpsSnapshot seen = wait_for(poller, has_position);
    ASSERT_TRUE(seen.fix.has_position());
    EXPECT_EQ(seen.fix.kind, GpsFixKind::TWO_D);
    EXPECT_NEAR(seen.fix.latitude_deg, 55.7558, 1e-6);
    EXPECT_NEAR(seen.fix.longitude_deg, 37.6173, 1e-6);
}

TEST_F(GpsPollerTest, ThreeDimensionalFixWithSatellites)
{
    GpsReplay replay("fix_3d.nmea");
    GpsPoller poller(address_of(replay));
    const GpsSnapshot seen = wait_for(poller, [](const GpsSnapshot& s) {
        return s.fix.kind == GpsFixKind::THREE_D && s.fix.has_position() && s.fix.satellites.size() == 8;
    });
    ASSERT_EQ(seen.fix.kind, GpsFixKind::THREE_D);
    EXPECT_NEAR(seen.fix.altitude_m, 156.0, 1e-6);
    ASSERT_EQ(seen.fix.satellites.size(), 8u);
    int used = 0;
    for (const GpsSatellite& satellite : seen.fix.satellites) {
        used += satellite.used ? 1 : 0;
        if (satellite.prn == 9) {
            EXPECT_EQ(satellite.elevation_deg, 80.0);
            EXPECT_EQ(satellite.azimuth_deg, 210.0);
            EXPECT_EQ(satellite.signal_db, 47.0);
            EXPECT_TRUE(satellite.used);
        }
    }
    EXPECT_EQ(used, 5);
}

TEST_F(GpsPollerTest, MoreThanTwelveSatellitesShowTheStrongest)
{
    GpsReplay replay("many_satellites.nmea");
    GpsPoller poller(address_of(replay));
    const GpsSnapshot seen = wait_for(poller, [](const GpsSnapshot& s) { return s.fix.satellites.size() == 16; });
    ASSERT_EQ(seen.fix.satellites.size(), 16u);
    const std::vector<GpsSatellite> shown = strongest_satellites(seen.fix.satellites);
    ASSERT_EQ(shown.size(), 12u);
    // The log gives PRN n a signal of 15 + 2n: PRNs 1 to 4 are the weakest.
    for (const GpsSatellite& satellite : shown)
        EXPECT_GT(satellite.prn, 4);
}

TEST_F(GpsPollerTest, LostFixIsNoticed)
{
    GpsReplay replay("fix_lost.nmea");
    GpsPoller poller(address_of(replay));
    ASSERT_TRUE(wait_for(poller, has_position).fix.has_position());
    const GpsSnapshot lost = wait_for(poller, [](const GpsSnapshot& s) { return !s.fix.has_position(); });
    EXPECT_TRUE(lost.connected);
    EXPECT_FALSE(lost.fix.has_position());
}

TEST_F(GpsPollerTest, EndedDaemonMeansNoGps)
{
    std::unique_ptr<GpsReplay> replay = std::make_unique<GpsReplay>("fix_3d.nmea");
    GpsPoller poller(address_of(*replay));
    ASSERT_TRUE(wait_for(poller, has_position).connected);
    replay.reset();
    const GpsSnapshot gone = wait_for(poller, [](const GpsSnapshot& s) { return !s.connected; });
    EXPECT_FALSE(gone.connected);
    EXPECT_FALSE(gone.fix.has_position());
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

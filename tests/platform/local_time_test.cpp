#include "platform/local_time.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace stellaro {

namespace {

TEST(LocalTime, ANamedZoneLeavesTheComputersZoneAsItWas)
{
    EnvironmentGuard zone{"TZ", "America/New_York"};
    EXPECT_EQ(zone_bias_minutes("Asia/Kolkata", 2024, 1, 15, 12, 0), -330);
    EXPECT_EQ(zone_bias_minutes("Australia/Sydney", 2024, 1, 15, 12, 0), -660);
    // The computer's zone is back, with its own daylight saving.
    EXPECT_STREQ(std::getenv("TZ"), "America/New_York");
    EXPECT_EQ(zone_bias_minutes(2024, 1, 15, 12, 0), 300);
    EXPECT_EQ(zone_bias_minutes(2024, 7, 15, 12, 0), 240);
    EXPECT_EQ(system_zone_name(), "America/New_York");
}

TEST(LocalTime, OnlyPlainZoneNamesOfTheDatabaseAreAvailable)
{
    EXPECT_TRUE(zone_available("Europe/Moscow"));
    EXPECT_TRUE(zone_available("Etc/GMT+10"));
    EXPECT_TRUE(zone_available("America/Argentina/Buenos_Aires"));
    EXPECT_FALSE(zone_available("Mars/Olympus_Mons"));
    EXPECT_FALSE(zone_available("Europe")) << "a folder is no zone";
    for (const char* bad : {"", "/etc/passwd", "../../etc/passwd", "Europe/../../etc/passwd", "Europe//Paris", ":Europe/Paris",
                            "-Europe/Paris", "Europe/Paris ", "Europe/Paris/"})
        EXPECT_FALSE(zone_name_valid(bad)) << bad;
}

} // namespace

} // namespace stellaro

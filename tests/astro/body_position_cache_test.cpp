#include "astro/body_position_cache.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace stellaro {

namespace {

TEST(BodyPositionCache, ExhaustedBudgetComputesNothing)
{
    std::vector<std::string> lines;
    BodyPositionCache cache([&](const std::string& line) { lines.push_back(line); });
    int budget = 0;
    EXPECT_FALSE(cache.cached_body_position(3, 2451545.0, budget).has_value());
    budget = -2;
    EXPECT_FALSE(cache.cached_body_position(0, 2451545.0, budget).has_value());
    EXPECT_EQ(budget, -2);
    EXPECT_EQ(cache.size(3), 0u);
    EXPECT_EQ(cache.size(0), 0u);
    EXPECT_TRUE(lines.empty());
}

TEST(BodyPositionCache, ComputesOnceWithinTheBudgetAndLogs)
{
    std::vector<std::string> lines;
    BodyPositionCache cache([&](const std::string& line) { lines.push_back(line); });
    int budget = 1;
    const auto first = cache.cached_body_position(5, 2451545.0, budget);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(budget, 0);
    const BodyPosition expected = body_position(2451545.0, 5, true);
    EXPECT_EQ(first->ra, expected.ra);
    EXPECT_EQ(first->dec, expected.dec);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("Planet5 elapsed=", 0), 0u) << lines[0];
    EXPECT_EQ(lines[0].back(), '\n');

    // Known days cost nothing, other days and bodies wait for the next frame.
    const auto again = cache.cached_body_position(5, 2451545.0, budget);
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->ra, expected.ra);
    EXPECT_FALSE(cache.cached_body_position(5, 2451546.0, budget).has_value());
    EXPECT_FALSE(cache.cached_body_position(6, 2451545.0, budget).has_value());
    EXPECT_EQ(budget, 0);
    EXPECT_EQ(lines.size(), 1u);
}

TEST(BodyPositionCache, OneBudgetServesAllBodies)
{
    BodyPositionCache cache;
    int budget = 2;
    int computed = 0;
    for (int body = 0; body < BODY_COUNT; ++body)
        computed += cache.cached_body_position(body, 2460000.5, budget).has_value();
    EXPECT_EQ(computed, 2);
    EXPECT_EQ(budget, 0);
    EXPECT_EQ(cache.size(0) + cache.size(1) + cache.size(2), 2u);
}

TEST(BodyPositionCache, RejectsUnknownBodiesAndDays)
{
    BodyPositionCache cache;
    int budget = 5;
    EXPECT_FALSE(cache.cached_body_position(9, 2451545.0, budget).has_value());
    EXPECT_FALSE(cache.cached_body_position(-1, 2451545.0, budget).has_value());
    EXPECT_FALSE(cache.cached_body_position(0, std::nan(""), budget).has_value());
    EXPECT_FALSE(cache.cached_body_position(0, INFINITY, budget).has_value());
    EXPECT_EQ(budget, 5);
    EXPECT_EQ(cache.size(9), 0u);
}

TEST(BodyPositionCache, KeepsOnlyTheDaysUsedMostRecently)
{
    BodyPositionCache cache({}, 8);
    int budget = 1000;
    const double first_day = 2451545.0;
    for (int day = 0; day < 40; ++day) {
        ASSERT_TRUE(cache.cached_body_position(1, first_day + day, budget).has_value());
        // The first day stays in use all along.
        ASSERT_TRUE(cache.cached_body_position(1, first_day, budget).has_value());
        EXPECT_LE(cache.size(1), 8u);
    }
    EXPECT_EQ(cache.size(1), 8u);
    EXPECT_EQ(budget, 1000 - 40);

    int none = 0;
    EXPECT_TRUE(cache.cached_body_position(1, first_day, none).has_value());
    EXPECT_TRUE(cache.cached_body_position(1, first_day + 39, none).has_value());
    EXPECT_FALSE(cache.cached_body_position(1, first_day + 1, none).has_value());

    cache.clear();
    EXPECT_EQ(cache.size(1), 0u);
}

TEST(BodyPositionCache, DefaultBoundIs64DaysPerBody)
{
    BodyPositionCache cache;
    int budget = 100;
    for (int day = 0; day < 100; ++day)
        cache.cached_body_position(BODY_MOON, 2451545.0 + day, budget);
    EXPECT_EQ(cache.size(BODY_MOON), BodyPositionCache::DAYS_PER_BODY);
    EXPECT_EQ(BodyPositionCache::DAYS_PER_BODY, 64u);
}

} // namespace

} // namespace stellaro

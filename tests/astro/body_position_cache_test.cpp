#include "astro/body_position_cache.h"
#include "astro/delta_t.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace stellaro {

namespace {

constexpr double J2000 = 2451545.0;

TEST(BodyPositionCache, SpendsOneBudgetOnNewDaysOnlyLogsThemAndForgetsTheOldest)
{
    std::vector<std::string> lines;
    BodyPositionCache cache([&](const std::string& line) { lines.push_back(line); }, 8);
    int budget = 0;
    EXPECT_FALSE(cache.cached_body_position(Body::moon, J2000, budget).has_value());

    budget = 1;
    const auto first = cache.cached_body_position(Body::jupiter, J2000, budget);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(budget, 0);
    EXPECT_EQ(first->ra, body_position(terrestrial_time(J2000), Body::jupiter, true).ra) << "a UT day, computed at TT";
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("Planet5 elapsed=", 0), 0u) << lines[0];

    // A known day costs nothing; other days and bodies wait for the next frame; no day is no day.
    EXPECT_TRUE(cache.cached_body_position(Body::jupiter, J2000, budget).has_value());
    EXPECT_FALSE(cache.cached_body_position(Body::jupiter, J2000 + 1.0, budget).has_value());
    EXPECT_FALSE(cache.cached_body_position(Body::saturn, J2000, budget).has_value());
    budget = 5;
    EXPECT_FALSE(cache.cached_body_position(Body::sun, std::nan(""), budget).has_value());
    EXPECT_EQ(budget, 5);
    EXPECT_EQ(lines.size(), 1u);

    // Within its bound the cache keeps the days used most recently.
    budget = 1000;
    for (int day = 0; day < 40; ++day) {
        cache.cached_body_position(Body::mercury, J2000 + day, budget);
        cache.cached_body_position(Body::mercury, J2000, budget);
        EXPECT_LE(cache.size(Body::mercury), 8u);
    }
    int none = 0;
    EXPECT_TRUE(cache.cached_body_position(Body::mercury, J2000, none).has_value());
    EXPECT_TRUE(cache.cached_body_position(Body::mercury, J2000 + 39, none).has_value());
    EXPECT_FALSE(cache.cached_body_position(Body::mercury, J2000 + 1, none).has_value());
}

} // namespace

} // namespace stellaro

#include "astro/body_position_cache.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace stellaro {

namespace {

constexpr double J2000 = 2451545.0;

TEST(BodyPositionCache, ComputesWithinTheBudgetOnlyAndLogsEachComputation)
{
    std::vector<std::string> lines;
    BodyPositionCache cache([&](const std::string& line) { lines.push_back(line); });
    for (int budget : {0, -2}) {
        EXPECT_FALSE(cache.cached_body_position(Body::moon, J2000, budget).has_value());
        EXPECT_LE(budget, 0);
    }
    EXPECT_EQ(cache.size(Body::moon), 0u);
    EXPECT_TRUE(lines.empty());

    int budget = 1;
    const auto first = cache.cached_body_position(Body::jupiter, J2000, budget);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(budget, 0);
    const BodyPosition expected = body_position(J2000, Body::jupiter, true);
    EXPECT_EQ(first->ra, expected.ra);
    EXPECT_EQ(first->dec, expected.dec);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("Planet5 elapsed=", 0), 0u) << lines[0];
    EXPECT_EQ(lines[0].back(), '\n');

    // Known days cost nothing, other days and bodies wait for the next frame.
    const auto again = cache.cached_body_position(Body::jupiter, J2000, budget);
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->ra, expected.ra);
    EXPECT_FALSE(cache.cached_body_position(Body::jupiter, J2000 + 1.0, budget).has_value());
    EXPECT_FALSE(cache.cached_body_position(Body::saturn, J2000, budget).has_value());
    budget = 5;
    EXPECT_FALSE(cache.cached_body_position(Body::sun, std::nan(""), budget).has_value());
    EXPECT_FALSE(cache.cached_body_position(Body::sun, INFINITY, budget).has_value());
    EXPECT_EQ(budget, 5);
    EXPECT_EQ(lines.size(), 1u);
}

TEST(BodyPositionCache, OneBudgetServesAllBodies)
{
    BodyPositionCache cache;
    int budget = 2;
    int computed = 0;
    for (const Body body : ALL_BODIES)
        computed += cache.cached_body_position(body, 2460000.5, budget).has_value();
    EXPECT_EQ(computed, 2);
    EXPECT_EQ(cache.size(Body::sun) + cache.size(Body::mercury), 2u);
}

TEST(BodyPositionCache, KeepsOnlyTheDaysUsedMostRecently)
{
    BodyPositionCache cache({}, 8);
    int budget = 1000;
    for (int day = 0; day < 40; ++day) {
        ASSERT_TRUE(cache.cached_body_position(Body::mercury, J2000 + day, budget).has_value());
        // The first day stays in use all along.
        ASSERT_TRUE(cache.cached_body_position(Body::mercury, J2000, budget).has_value());
        EXPECT_LE(cache.size(Body::mercury), 8u);
    }
    EXPECT_EQ(budget, 1000 - 40);

    int none = 0;
    EXPECT_TRUE(cache.cached_body_position(Body::mercury, J2000, none).has_value());
    EXPECT_TRUE(cache.cached_body_position(Body::mercury, J2000 + 39, none).has_value());
    EXPECT_FALSE(cache.cached_body_position(Body::mercury, J2000 + 1, none).has_value());
    cache.clear();
    EXPECT_EQ(cache.size(Body::mercury), 0u);

    BodyPositionCache bounded;
    budget = 100;
    for (int day = 0; day < 100; ++day)
        bounded.cached_body_position(Body::moon, J2000 + day, budget);
    EXPECT_EQ(bounded.size(Body::moon), 64u);
}

} // namespace

} // namespace stellaro

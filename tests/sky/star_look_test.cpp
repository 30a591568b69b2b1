#include "astro/solar_system.h"
#include "sky/sky_painters.h"
#include "sky/star_strength.h"

#include <gtest/gtest.h>

namespace stellaro {

TEST(StarLook, TheTwinkleDimsAStarWhenItsPhaseComesRoundButNotASinglePixel)
{
    // The golden pictures show one moment; this is the passage of time.
    const StarFrame frame = star_frame(2.0, 0.0);
    ASSERT_EQ(frame.phase, 2048);
    EXPECT_EQ(star_look(300, 8192, frame).strength, 384);
    EXPECT_EQ(star_look(300, 2048, frame).strength, 255);
    EXPECT_EQ(star_look(300, 2048 + 200, frame).strength, 384 + 200 - 256);
    EXPECT_EQ(star_look(300, 2048 + 256, frame).strength, 384);
    // The phase wraps around the period.
    EXPECT_EQ(star_look(300, 16184, star_frame(0.0, 0.0)).strength, 384 + 200 - 256);
    EXPECT_EQ(star_look(409, 2048, frame).strength, 602);
    // One more class gets names with each unit of zoom.
    EXPECT_LE(label_alpha(frame, 3), 32);
    EXPECT_GT(label_alpha(star_frame(2.0, 1.0), 3), 32);
}

TEST(MoonPhase, TheRealMoonShowsItsLitSideTowardTheSunBeforeAndAfterFullMoon)
{
    // 2026-12-20 and 2026-12-28, four days before and after the full moon the goldens show:
    // waxing lights the right side of the disc, waning the left.
    const int before = static_cast<int>(body_position(2461394.5, Body::moon, true).phase_angle) / 90;
    const int after = static_cast<int>(body_position(2461402.5, Body::moon, true).phase_angle) / 90;
    EXPECT_EQ(before, 0);
    EXPECT_EQ(after, 3);
    EXPECT_TRUE(phase_lit(60, 32, 32, before, 10));
    EXPECT_FALSE(phase_lit(4, 32, 32, before, 10));
    EXPECT_FALSE(phase_lit(60, 32, 32, after, 10));
    EXPECT_TRUE(phase_lit(4, 32, 32, after, 10));
}

} // namespace stellaro

#include "astro/solar_system.h"
#include "sky/sky_painters.h"
#include "sky/star_strength.h"

#include <cmath>
#include <utility>

#include <gtest/gtest.h>

namespace stellaro {

namespace {

Pixel star_pixel(Pixel destination, Pixel sprite, int32_t strength, uint8_t r, uint8_t g, uint8_t b)
{
    return StarRule{strength, r, g, b}(destination, sprite);
}

} // namespace

TEST(StarLook, StrengthByMagnitudeAndZoom)
{
    const StarFrame frame = star_frame(8.0, 0.0); // phase 8192, far from the phases below
    EXPECT_EQ(star_look(300, 0, frame).strength, 384);
    EXPECT_EQ(star_look(-146, 0, frame).strength, 384);
    EXPECT_EQ(star_look(409, 0, frame).strength, 602);
    EXPECT_GT(star_look(409, 0, frame).strength, SINGLE_PIXEL_STRENGTH);
    EXPECT_EQ(star_look(-146, 0, frame).star_class, 0);
    EXPECT_EQ(star_look(300, 0, frame).star_class, 1);
    EXPECT_EQ(star_look(20000, 0, frame).star_class, 7);

    const StarFrame closer = star_frame(8.0, 1.0);
    EXPECT_EQ(closer.limit, frame.limit + 100);
    EXPECT_EQ(closer.label_level, frame.label_level + 100);
    EXPECT_EQ(closer.base, 256);
    EXPECT_EQ(star_frame(8.0, 3.0).base, 256);
    // One more class gets names with each unit of zoom.
    EXPECT_LE(label_alpha(frame, 3), 32);
    EXPECT_GT(label_alpha(closer, 3), 32);
}

TEST(StarLook, TheTwinkleDimsAStarWhoseMomentHasCome)
{
    const StarFrame frame = star_frame(2.0, 0.0);
    ASSERT_EQ(frame.phase, 2048);
    EXPECT_EQ(star_look(300, 2048, frame).strength, 255);
    EXPECT_EQ(star_look(350, 2048, frame).strength, 255);
    EXPECT_EQ(star_look(300, 2048 + 200, frame).strength, 384 + 200 - 256);
    EXPECT_EQ(star_look(300, 2048 + 256, frame).strength, 384);
    // The phase wraps around the period.
    EXPECT_EQ(star_look(300, 16184, star_frame(0.0, 0.0)).strength, 384 + 200 - 256);
    // Single pixels do not twinkle.
    EXPECT_EQ(star_look(409, 2048, frame).strength, 602);
}

TEST(StarLook, NightColoursKeepTheLuminanceInRed)
{
    const StarColour blue = night_star_colour(StarColour{0, 0, 255, 255});
    EXPECT_EQ(blue.red, 27);
    EXPECT_EQ(blue.green, 0);
    EXPECT_EQ(blue.blue, 0);
    EXPECT_EQ(night_star_colour(StarColour{255, 255, 255, 255}).red, 255);
}

TEST(StarPainter, StrengthShrinksAndDimsTheDisc)
{
    const Pixel core = rgb565(255, 255, 255);
    const Pixel edge = rgb565(128, 128, 128);
    EXPECT_EQ(star_pixel(0, core, 256, 255, 0, 0) & 0xF800, 0xF000);
    EXPECT_NE(star_pixel(0, edge, 256, 255, 255, 255), 0);
    EXPECT_EQ(star_pixel(0, edge, 600, 255, 255, 255), 0);
    EXPECT_NE(star_pixel(0, core, 600, 255, 255, 255), 0);
    // The destination is kept under the sprite (OR).
    EXPECT_EQ(star_pixel(0x001F, 0, 256, 255, 0, 0), 0x001F);
}

TEST(MoonPhase, TheLitSideBeforeAndAfterFullMoon)
{
    const int32_t c = 32;
    const auto lit_right_and_left = [&](double phase_angle) {
        const auto quarter = static_cast<int32_t>(phase_angle) / 90;
        const auto w = static_cast<int32_t>(c * std::fabs(std::cos(std::trunc(phase_angle) * 0.017453292519943295)) + 1);
        return std::pair{phase_lit(2 * c - 2, c, c, quarter, w), phase_lit(2, c, c, quarter, w)};
    };
    // Waxing: the Sun is west of the Moon, the right side is lit.
    EXPECT_EQ(lit_right_and_left(120.0), (std::pair{true, false}));
    EXPECT_EQ(lit_right_and_left(45.0), (std::pair{true, false}));
    // Waning: the left side.
    EXPECT_EQ(lit_right_and_left(315.0), (std::pair{false, true}));
    EXPECT_EQ(lit_right_and_left(240.0), (std::pair{false, true}));
    // Near full the whole disc, near new nothing of the middle row.
    EXPECT_TRUE(phase_lit(c, c, c, 0, c + 1));
    EXPECT_TRUE(phase_lit(2, c, c, 3, c + 1));
    EXPECT_FALSE(phase_lit(c + 1, c, c, 1, c + 1));
}

TEST(MoonPhase, TheRealMoonShowsItsLitSideTowardTheSun)
{
    // 2026-12-20 and 2026-12-28, four days before and after the full moon of the 24th.
    const double before = body_position(2461394.5, Body::moon, true).phase_angle;
    const double after = body_position(2461402.5, Body::moon, true).phase_angle;
    EXPECT_LT(static_cast<int>(before) / 90, 1);
    EXPECT_EQ(static_cast<int>(after) / 90, 3);
    EXPECT_TRUE(phase_lit(60, 32, 32, static_cast<int>(before) / 90, 10));
    EXPECT_FALSE(phase_lit(60, 32, 32, static_cast<int>(after) / 90, 10));
}

} // namespace stellaro

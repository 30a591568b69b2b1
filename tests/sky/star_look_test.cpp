#include "sky/sky_daylight.h"
#include "sky/star_strength.h"

#include <gtest/gtest.h>

namespace stellaro {

TEST(StarLook, BrightnessAndSizeFallSmoothlyWithMagnitudeAtEveryZoom)
{
    for (const double zoom : {0.0, 1.0, 2.0, 3.0}) {
        const StarFrame frame = star_frame(0.5, zoom);
        StarLook previous = star_look(-150, 8000, frame);
        EXPECT_EQ(previous.star_class, 0);
        EXPECT_EQ(previous.intensity, 255);
        int32_t classes_used = 1;
        for (int32_t magnitude = -149; magnitude <= frame.limit; ++magnitude) {
            const StarLook look = star_look(magnitude, 8000, frame);
            ASSERT_LE(look.intensity, previous.intensity) << zoom << " " << magnitude;
            const bool not_larger = look.single_pixel || (!previous.single_pixel && (look.star_class > previous.star_class ||
                                    (look.star_class == previous.star_class && look.strength >= previous.strength)));
            ASSERT_TRUE(not_larger) << zoom << " " << magnitude;
            classes_used += look.star_class != previous.star_class;
            previous = look;
        }
        EXPECT_EQ(classes_used, 8) << "every sprite is used at zoom " << zoom;
        EXPECT_GT(previous.intensity, 0) << "the faintest drawn star still shows";
        EXPECT_EQ(star_look(frame.limit + 1, 8000, frame).intensity, 0) << "past the limit nothing is drawn";
    }
    // Zooming in shows fainter stars and makes a given star larger.
    EXPECT_LT(star_frame(0, 0.0).limit, star_frame(0, 3.0).limit);
    EXPECT_LT(star_look(300, 8000, star_frame(0, 3.0)).star_class, star_look(300, 8000, star_frame(0, 0.0)).star_class);
}

TEST(StarLook, TheTwinkleSwellsAStarForAMomentAsTheClockComesRound)
{
    const StarFrame frame = star_frame(2.0, 0.0);
    ASSERT_EQ(frame.phase, 2048);
    const StarLook calm = star_look(420, 8192, frame);
    const StarLook twinkling = star_look(420, 2048, frame);
    EXPECT_LE(twinkling.strength, calm.strength);
    EXPECT_GE(twinkling.strength, 256) << "the sprite's dark square never shows";
    EXPECT_GT(twinkling.intensity, calm.intensity);
    // The phase wraps around the period, and comes from the clock, not from frames drawn.
    EXPECT_EQ(star_look(420, 16184, star_frame(0.0, 0.0)).intensity, star_look(420, 200, star_frame(0.0, 0.0)).intensity);
    EXPECT_EQ(star_frame(2.0 + 16.0, 0.0).phase, frame.phase);
}

TEST(SkyLight, TheSkyDarkensThroughTwilightAndLetsFainterStarsThrough)
{
    const SkyColours colours{{70, 130, 200, 255}, {60, 90, 150, 255}, {28, 44, 92, 255}, {10, 16, 44, 255}};
    const auto brightness = [&](double altitude) {
        const Colour c = sky_colour(altitude, colours);
        return c.r + c.g + c.b;
    };
    EXPECT_EQ(brightness(40.0), 70 + 130 + 200);
    double previous = brightness(40.0);
    double previous_limit = sky_limiting_magnitude(40.0);
    for (double altitude = 39.0; altitude >= -30.0; altitude -= 0.5) {
        EXPECT_LE(brightness(altitude), previous) << altitude;
        EXPECT_GE(sky_limiting_magnitude(altitude), previous_limit) << altitude;
        previous = brightness(altitude);
        previous_limit = sky_limiting_magnitude(altitude);
    }
    EXPECT_GT(brightness(-15.0), 0) << "astronomical twilight is not yet night";
    EXPECT_EQ(brightness(-18.5), 0);
    EXPECT_LT(sky_limiting_magnitude(20.0), -1.5) << "no star by day";
    EXPECT_GT(sky_limiting_magnitude(-4.0), 0.0) << "the brightest stars in civil twilight";
    EXPECT_GT(sky_limiting_magnitude(-20.0), 7.9) << "night sets no limit";
}

} // namespace stellaro

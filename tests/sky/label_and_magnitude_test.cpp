#include "astro/julian_date.h"
#include "sky/label_placement.h"
#include "sky/planet_magnitude.h"

#include <gtest/gtest.h>

namespace stellaro {

TEST(LabelPlacement, ACrowdedFieldKeepsTheBrighterNamesAndNeverOverlaps)
{
    LabelPlacer placer;
    placer.keep_clear({0, 0, 400, 12}); // the compass along the top
    // Forty stars within a few pixels, the faintest first, and one selected faint star.
    for (int32_t i = 0; i < 40; ++i)
        placer.add({i, Point{100 + (i % 5) * 3, 50 + (i / 5) * 2}, Size{40, 12}, 2, 600 - i * 10, false, false});
    placer.add({99, Point{110, 60}, Size{40, 12}, 2, 700, true, false});
    const std::vector<LabelPlace> places = placer.place();
    ASSERT_FALSE(places.empty());
    EXPECT_EQ(places.front().id, 99) << "the selected object's name comes first";
    EXPECT_LT(places.size(), 41u) << "not every name fits";
    EXPECT_EQ(places[1].id, 39) << "the brightest next";
    for (size_t i = 0; i < places.size(); ++i) {
        EXPECT_GE(places[i].box.top, 12) << "clear of the compass";
        for (size_t j = i + 1; j < places.size(); ++j)
            EXPECT_FALSE(places[i].box.overlaps(places[j].box)) << places[i].id << " and " << places[j].id;
    }
}

TEST(PlanetMagnitude, PlanetsShineAsTheAlmanacSays)
{
    // 2026-01-10: Jupiter at opposition, Venus behind the Sun, Saturn with its rings nearly
    // edge-on in the year after their crossing, Uranus and Neptune as ever.
    const double jd = julian_day_from_calendar(2026, 1, 10, true);
    EXPECT_NEAR(sky_magnitude(Body::jupiter, jd), -2.7, 0.2);
    EXPECT_NEAR(sky_magnitude(Body::venus, jd), -3.9, 0.2);
    EXPECT_NEAR(sky_magnitude(Body::saturn, jd), 1.0, 0.3);
    EXPECT_NEAR(sky_magnitude(Body::uranus, jd), 5.7, 0.2);
    EXPECT_NEAR(sky_magnitude(Body::neptune, jd), 7.9, 0.2);
    EXPECT_NEAR(sky_magnitude(Body::sun, jd), -26.7, 0.1);
    // A crescent Venus near the Earth is brighter than a full one far away.
    EXPECT_LT(apparent_magnitude_of(Body::venus, 0.72, 0.4, 120.0), apparent_magnitude_of(Body::venus, 0.72, 1.7, 5.0));
    // Nonsense distances give a plain value, not a failure.
    EXPECT_EQ(apparent_magnitude_of(Body::mars, 0.0, -1.0, 10.0), 0.0);
}

} // namespace stellaro

#include "sky/label_placement.h"

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

} // namespace stellaro

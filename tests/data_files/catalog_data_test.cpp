#include "data_files/built_files.h"

#include "astro/angles.h"
#include "astro/equatorial_vector.h"
#include "astro/sky_grid.h"
#include "astro/star_catalog.h"
#include "catalog/star_catalog_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace stellaro {

namespace {

TEST(CatalogData, HoldsEveryBrightStarWithItsPositionBrightnessColourAndDesignation)
{
    StarCatalog catalog;
    SkyGrid grid;
    const StarCatalogLoad load = load_star_catalog(built_path("catalog.db"), catalog, grid);
    ASSERT_TRUE(load.header_read);
    EXPECT_EQ(load.highest, 9110);
    EXPECT_EQ(load.problem, "");
    EXPECT_EQ(load.rejected + load.replaced, 0u);
    EXPECT_EQ(catalog.valid_count(), 9096u);
    // Numbers the catalogue keeps for novae, clusters and a galaxy have no star.
    for (int missing : {92, 95, 182, 1057, 1841, 2472, 2496, 3515, 3671, 6309, 6515, 7189, 7539, 8296})
        EXPECT_EQ(catalog.find(missing), nullptr) << missing;

    size_t lettered = 0;
    int faintest = -10000;
    for (const StarRecord& star : catalog) {
        if (!star.valid)
            continue;
        faintest = std::max(faintest, star.magnitude);
        ASSERT_EQ(std::max({star.colour.red, star.colour.green, star.colour.blue}), 255) << star.id;
        const EquatorialVector v = equatorial_vector(star.ra_hours() * 15.0 * DEG_TO_RAD, star.dec_degrees() * DEG_TO_RAD);
        ASSERT_LE(std::abs(star.direction_fixed.x - static_cast<int64_t>(v.x * 1024)), 1) << star.id;
        ASSERT_LE(std::abs(star.direction_fixed.y - static_cast<int64_t>(v.y * 1024)), 1) << star.id;
        ASSERT_LE(std::abs(star.direction_fixed.z - static_cast<int64_t>(v.z * 1024)), 1) << star.id;
        if (star.bayer_letter != 0) {
            ++lettered;
            ASSERT_TRUE(star.bayer_letter >= u'α' && star.bayer_letter <= u'ω') << star.id;
            ASSERT_EQ(star.constellation_code.size(), 3u) << star.id;
        }
    }
    EXPECT_EQ(lettered, 1564u);
    EXPECT_GT(faintest, 700);
    EXPECT_LT(faintest, 1000);
    size_t listed = 0;
    for (int row = 0; row < SkyGrid::ROWS; ++row)
        for (int column = 0; column < SkyGrid::COLUMNS; ++column)
            listed += grid.node(row, column).stars.size();
    EXPECT_EQ(listed, 9096u);

    // Sirius at 6h 45m 08.9s and -16 deg 42' 58" within 0.2 s and 3".
    const StarRecord* sirius = catalog.find(2491);
    ASSERT_NE(sirius, nullptr);
    EXPECT_NEAR(sirius->ra, 6 * 36000 + 45 * 600 + 89, 2);
    EXPECT_NEAR(sirius->dec, -(16 * 3600 + 42 * 60 + 58), 3);
    EXPECT_EQ(sirius->bayer_letter, u'α');
    EXPECT_EQ(sirius->constellation_code, u"CMa");
    // Below V 1.5 the order is kept and the value is negative, the largest drawing class:
    // Sirius V -1.46, Vega V 0.03, Regulus V 1.35, Adhara V 1.50.
    for (const auto& [id, magnitude] : {std::pair{2491, -297}, std::pair{7001, -148}, std::pair{3982, -16}, std::pair{2618, 150}}) {
        ASSERT_NE(catalog.find(id), nullptr) << id;
        EXPECT_EQ(catalog.find(id)->magnitude, magnitude) << id;
    }
    // Colours follow the colour index: Betelgeuse (B-V 1.50) red, Rigel (-0.03) blue-white.
    const StarRecord* betelgeuse = catalog.find(2061);
    const StarRecord* rigel = catalog.find(1713);
    ASSERT_TRUE(betelgeuse && rigel);
    EXPECT_EQ(betelgeuse->colour.red, 255);
    EXPECT_LT(betelgeuse->colour.blue, 160);
    EXPECT_EQ(rigel->colour.blue, 255);
    EXPECT_LT(rigel->colour.red, rigel->colour.blue);
}

} // namespace

} // namespace stellaro

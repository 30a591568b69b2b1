#include "data_files/built_files.h"

#include "astro/equatorial_vector.h"
#include "astro/sky_grid.h"
#include "astro/star_catalog.h"
#include "catalog/star_catalog_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace stellaro {

namespace {

// The built catalogue, loaded once for all the cases.
struct CatalogData : testing::Test {
    struct Loaded {
        StarCatalog catalog;
        SkyGrid grid;
        StarCatalogLoad load;
        Loaded() { load = load_star_catalog(built_path("catalog.db"), catalog, grid); }
    };
    static const Loaded& loaded()
    {
        static const Loaded data;
        return data;
    }
    const StarCatalog* catalog = &loaded().catalog;
    const SkyGrid* grid = &loaded().grid;
    const StarCatalogLoad* load = &loaded().load;
};

TEST_F(CatalogData, HoldsEveryStarOfTheBrightStarCatalogue)
{
    ASSERT_TRUE(load->header_read);
    EXPECT_EQ(load->highest, 9110);
    EXPECT_EQ(load->problem, "");
    EXPECT_EQ(load->rejected, 0u);
    EXPECT_EQ(load->replaced, 0u);
    EXPECT_EQ(catalog->size(), 9111u);
    EXPECT_EQ(catalog->valid_count(), 9096u);
    // Numbers the catalogue keeps for novae, clusters and a galaxy have no star.
    for (int missing : {92, 95, 182, 1057, 1841, 2472, 2496, 3515, 3671, 6309, 6515, 7189, 7539, 8296})
        EXPECT_EQ(catalog->find(missing), nullptr) << missing;
    size_t listed = 0;
    for (int row = 0; row < SkyGrid::ROWS; ++row)
        for (int column = 0; column < SkyGrid::COLUMNS; ++column)
            listed += grid->node(row, column).stars.size();
    EXPECT_EQ(listed, 9096u);
}

TEST_F(CatalogData, SiriusHasItsCataloguePositionBrightnessAndDesignation)
{
    const StarRecord* sirius = catalog->find(2491);
    ASSERT_NE(sirius, nullptr);
    // 6h 45m 08.9s and -16 deg 42' 58" within 0.2 s and 3".
    EXPECT_NEAR(sirius->ra, 6 * 36000 + 45 * 600 + 89, 2);
    EXPECT_NEAR(sirius->dec, -(16 * 3600 + 42 * 60 + 58), 3);
    EXPECT_EQ(sirius->magnitude, -297); // V -1.46, among the first-magnitude stars stored below zero
    EXPECT_EQ(sirius->bayer_letter, u'α');
    EXPECT_EQ(sirius->constellation_code, u"CMa");
    EXPECT_EQ(sirius->colour.alpha, 255);
    // A hot white star: blue strongest, red not far behind.
    EXPECT_EQ(sirius->colour.blue, 255);
    EXPECT_GT(sirius->colour.red, 180);
}

TEST_F(CatalogData, ColoursFollowTheColourIndex)
{
    const StarRecord* betelgeuse = catalog->find(2061); // B-V 1.50: red
    const StarRecord* rigel = catalog->find(1713);      // B-V -0.03: blue-white
    ASSERT_NE(betelgeuse, nullptr);
    ASSERT_NE(rigel, nullptr);
    EXPECT_EQ(betelgeuse->colour.red, 255);
    EXPECT_LT(betelgeuse->colour.blue, 160);
    EXPECT_EQ(rigel->colour.blue, 255);
    EXPECT_LT(rigel->colour.red, rigel->colour.blue);
    for (const StarRecord& star : *catalog) {
        if (star.valid) {
            ASSERT_EQ(std::max({star.colour.red, star.colour.green, star.colour.blue}), 255) << star.id;
        }
    }
}

TEST_F(CatalogData, DirectionsMatchThePositions)
{
    for (const StarRecord& star : *catalog) {
        if (!star.valid)
            continue;
        const EquatorialVector v =
            equatorial_vector(star.ra_hours() * 15.0 * 0.017453292519943295, star.dec_degrees() * 0.017453292519943295);
        ASSERT_LE(std::abs(star.direction_fixed.x - static_cast<int64_t>(v.x * 1024)), 1) << star.id;
        ASSERT_LE(std::abs(star.direction_fixed.y - static_cast<int64_t>(v.y * 1024)), 1) << star.id;
        ASSERT_LE(std::abs(star.direction_fixed.z - static_cast<int64_t>(v.z * 1024)), 1) << star.id;
        ASSERT_EQ(star.direction_fixed.w, 1024);
    }
}

TEST_F(CatalogData, MagnitudesAreHundredthsWithTheFirstMagnitudeStarsBelowZero)
{
    int faintest = -10000;
    int brightest = 10000;
    for (const StarRecord& star : *catalog)
        if (star.valid) {
            faintest = std::max(faintest, star.magnitude);
            brightest = std::min(brightest, star.magnitude);
        }
    EXPECT_EQ(brightest, -297); // Sirius
    EXPECT_GT(faintest, 700);
    EXPECT_LT(faintest, 1000);
    // Below V 1.5 the order is kept and the value is negative: the largest drawing class.
    // Vega V 0.03, Regulus V 1.35, Adhara V 1.50.
    for (const auto& [id, magnitude] : {std::pair{7001, -148}, std::pair{3982, -16}, std::pair{2618, 150}}) {
        const StarRecord* star = catalog->find(id);
        ASSERT_NE(star, nullptr) << id;
        EXPECT_EQ(star->magnitude, magnitude) << id;
    }
}

TEST_F(CatalogData, BayerStarsCarryTheirConstellation)
{
    size_t lettered = 0;
    for (const StarRecord& star : *catalog) {
        if (!star.valid || star.bayer_letter == 0)
            continue;
        ++lettered;
        ASSERT_GE(star.bayer_letter, u'α') << star.id;
        ASSERT_LE(star.bayer_letter, u'ω') << star.id;
        ASSERT_EQ(star.constellation_code.size(), 3u) << star.id;
    }
    EXPECT_EQ(lettered, 1564u);
}

} // namespace

} // namespace stellaro

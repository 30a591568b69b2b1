#include "data_files/built_files.h"

#include "astro/constellation.h"
#include "catalog/constellation_file.h"
#include "astro/sky_grid.h"
#include "catalog/star_catalog_file.h"
#include "skin/io/zip_reader.h"
#include "skin/surface/decode_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace stellaro {

namespace {

// The built constellations, loaded once for all the cases.
struct ConstellationData : testing::Test {
    struct Loaded {
        StarCatalog catalog;
        std::vector<Constellation> constellations;
        ConstellationLoad load;
        Loaded()
        {
            SkyGrid grid;
            load_star_catalog(built_path("catalog.db"), catalog, grid);
            load = load_constellations(built_path("constellations.txt"), catalog, constellations);
        }
    };
    static const Loaded& loaded()
    {
        static const Loaded data;
        return data;
    }
    const std::vector<Constellation>* constellations = &loaded().constellations;
    const ConstellationLoad* load = &loaded().load;
};

TEST_F(ConstellationData, EveryLineIsAFigureWithALabelPoint)
{
    ASSERT_TRUE(load->file_read);
    EXPECT_EQ(load->loaded, 88u);
    EXPECT_EQ(load->ignored, 0u);
    EXPECT_EQ(load->rejected, 0u);
    EXPECT_EQ(load->empty, 0u);
    EXPECT_FALSE(load->unterminated_tail);
    ASSERT_EQ(constellations->size(), 88u);
    std::set<std::u16string> codes;
    size_t segments = 0;
    for (const Constellation& constellation : *constellations) {
        EXPECT_TRUE(codes.insert(constellation.code).second);
        EXPECT_GE(constellation.label_ra, 0.0);
        EXPECT_LT(constellation.label_ra, 24.0);
        EXPECT_GE(constellation.label_dec, -90.0);
        EXPECT_LE(constellation.label_dec, 90.0);
        for (size_t i = 1; i < constellation.figure.size(); ++i)
            if (constellation.figure[i] != PEN_UP && constellation.figure[i - 1] != PEN_UP)
                ++segments;
    }
    EXPECT_EQ(segments, 676u);
}

TEST_F(ConstellationData, OrionHasItsFigureAndLabel)
{
    const Constellation* orion = find_constellation(*constellations, u"Ori");
    ASSERT_NE(orion, nullptr);
    ASSERT_GE(orion->figure.size(), 3u);
    EXPECT_EQ(orion->figure[0], 1948); // Alnitak
    EXPECT_NE(std::find(orion->figure.begin(), orion->figure.end(), 2061), orion->figure.end()); // Betelgeuse
    EXPECT_NEAR(orion->label_ra, 5.6, 0.3);
    EXPECT_NEAR(orion->label_dec, 3.0, 5.0);
}

TEST_F(ConstellationData, EveryConstellationHasAFigurePicture)
{
    ZipReader zip(built_path("constellations.zip"));
    for (const Constellation& constellation : *constellations) {
        ASSERT_TRUE(zip.find(constellation.code + u".png")) << utf16_to_utf8(constellation.code);
        const std::unique_ptr<PixelBuffer> picture = decode_image(zip);
        ASSERT_NE(picture, nullptr) << utf16_to_utf8(constellation.code);
        EXPECT_EQ(picture->width(), 160);
        EXPECT_EQ(picture->height(), 160);
        // Something bright (a star or a line) on the dark ground.
        int bright = 0;
        for (int y = 0; y < picture->height(); ++y)
            for (int x = 0; x < picture->width(); ++x)
                bright += std::max({red_of(picture->row(y)[x]), green_of(picture->row(y)[x]), blue_of(picture->row(y)[x])}) > 150;
        EXPECT_GT(bright, 50) << utf16_to_utf8(constellation.code);
    }
    EXPECT_FALSE(zip.find(u"Xyz.png"));
}

} // namespace

} // namespace stellaro

#include "data_files/built_files.h"

#include "astro/constellation.h"
#include "astro/sky_grid.h"
#include "catalog/constellation_file.h"
#include "catalog/star_catalog_file.h"
#include "skin/io/zip_reader.h"
#include "skin/surface/decode_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace stellaro {

namespace {

TEST(ConstellationData, All88HaveAFigureALabelPointAndAPicture)
{
    StarCatalog catalog;
    SkyGrid grid;
    load_star_catalog(built_path("catalog.db"), catalog, grid);
    std::vector<Constellation> constellations;
    const ConstellationLoad load = load_constellations(built_path("constellations.txt"), catalog, constellations);
    ASSERT_TRUE(load.file_read);
    EXPECT_TRUE(load.sound()) << load.problem;
    ASSERT_EQ(constellations.size(), 88u);

    ZipReader zip(built_path("constellations.zip"));
    std::set<std::u16string> codes;
    size_t segments = 0;
    for (const Constellation& constellation : constellations) {
        SCOPED_TRACE(utf16_to_utf8(constellation.code));
        EXPECT_TRUE(codes.insert(constellation.code).second);
        for (size_t i = 1; i < constellation.figure.size(); ++i)
            segments += constellation.figure[i] != PEN_UP && constellation.figure[i - 1] != PEN_UP;
        ASSERT_TRUE(zip.find(constellation.code + u".png"));
        const std::unique_ptr<PixelBuffer> picture = decode_image(zip);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(std::pair(picture->width(), picture->height()), std::pair(160, 160));
        // Something bright (a star or a line) on the dark ground.
        int bright = 0;
        for (int y = 0; y < picture->height(); ++y)
            for (int x = 0; x < picture->width(); ++x)
                bright += std::max({red_of(picture->row(y)[x]), green_of(picture->row(y)[x]), blue_of(picture->row(y)[x])}) > 150;
        EXPECT_GT(bright, 50);
    }
    EXPECT_EQ(segments, 676u);

    const Constellation* orion = find_constellation(constellations, u"Ori");
    ASSERT_NE(orion, nullptr);
    EXPECT_EQ(orion->figure.front(), 1948); // Alnitak
    EXPECT_NE(std::find(orion->figure.begin(), orion->figure.end(), 2061), orion->figure.end()); // Betelgeuse
    EXPECT_NEAR(orion->label_ra, 5.6, 0.3);
    EXPECT_NEAR(orion->label_dec, 3.0, 5.0);
}

} // namespace

} // namespace stellaro

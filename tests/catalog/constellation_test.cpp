#include "astro/constellation.h"
#include "catalog/constellation_file.h"
#include "catalog/sky_catalog.h"

#include "catalog/catalog_samples.h"
#include "platform/utf.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

// Stars 1..200 at known places: star n at n minutes of right ascension and n x 100 seconds of arc;
// 201 and 202 on either side of 0 h.
class ConstellationFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<StarRecord> stars;
        for (int32_t id = 1; id <= 200; ++id) {
            if (id != 99)
                stars.push_back(sample_star(id, id * 600, id * 100));
        }
        stars.push_back(sample_star(201, 36000 * 23, 3600));
        stars.push_back(sample_star(202, 36000 * 1, -3600));
        SkyGrid grid;
        parse_star_catalog(star_catalog_bytes(300, stars), catalog, grid);
    }

    ConstellationLoad parse(const std::string& text) { return parse_constellations(text, catalog, constellations); }

    StarCatalog catalog;
    std::vector<Constellation> constellations;
};

TEST_F(ConstellationFile, TheLabelIsTheMeanOfTheFigureStarsEvenAcrossZeroHours)
{
    parse("Ori,Orion,0,0,0,0,10,20,-1,30,40\nPsc,x,0,0,0,0,201,202\nPeg,x,0,0,0,0,201,201,202\n");
    ASSERT_EQ(constellations.size(), 3u);
    EXPECT_EQ(constellations[0].figure, (std::vector<int32_t>{10, 20, -1, 30, 40}));
    // 25 minutes of time, 2500 seconds of arc.
    EXPECT_NEAR(constellations[0].label_ra, 25.0 / 60.0, 1e-12);
    EXPECT_NEAR(constellations[0].label_dec, 2500.0 / 3600.0, 1e-12);
    EXPECT_EQ(constellations[0].label_direction_fixed.w, 1024);
    EXPECT_NEAR(constellations[1].label_ra, 0.0, 1e-12);
    EXPECT_NEAR(constellations[1].label_direction.x, 1.0, 1e-12);
    EXPECT_NEAR(constellations[2].label_ra, 23 + 2.0 / 3.0, 1e-12);
}

TEST_F(ConstellationFile, EachLineIsKeptOrCountedForWhatIsWrongWithIt)
{
    using Kept = std::pair<std::u16string, std::vector<int32_t>>; // code and figure
    struct Case {
        std::string text;
        std::vector<Kept> kept;
        size_t ignored = 0, rejected = 0, empty = 0;
        bool unterminated = false;
    };
    const Case cases[] = {
        // Five numbers are needed; the figure starts at the fifth.
        {"Aaa,x,1,2,3,4\nBbb,x,1,2,3,4,15\n", {{u"Bbb", {15}}}, 1},
        // The number list ends at the first field without digits.
        {"Ccc,x,1,2,3,4,15,abc,165\nDdd,x, 1, +2,-3 , 4 ,  +15xyz,\t16\r\nEee,x,1,2,3,4,15,,16\n",
         {{u"Ccc", {15}}, {u"Ddd", {15, 16}}, {u"Eee", {15}}}},
        // Leading spaces are dropped, spaces before the comma kept.
        {"   \tLyr ,x,0,0,0,0,5\n", {{u"Lyr ", {5}}}},
        // Lines without two commas or a code are ignored.
        {"Fff 1 2 3 4 5\nGgg,1 2 3 4 5\n,x,1,2,3,4,5\n\nHhh,x,1,2,3,4,5\n", {{u"Hhh", {5}}}, 4},
        // A final line without a line feed is not read.
        {"Iii,x,1,2,3,4,5\nJjj,x,1,2,3,4,6", {{u"Iii", {5}}}, 0, 0, 0, true},
        // Stars outside the catalogue: missing, beyond N, 0 (never filled), -2 (only -1 separates),
        // too large for any number.
        {"Kkk,x,0,0,0,0,10,99,-1,11\nLll,x,0,0,0,0,10,301\nMmm,x,0,0,0,0,10,0\nNnn,x,0,0,0,0,10,-2\n"
         "Ooo,x,0,0,0,0,10,99999999999999999999\nPpp,x,0,0,0,0,10,11\n",
         {{u"Ppp", {10, 11}}}, 0, 5},
        // A figure without stars is skipped.
        {"Qqq,x,0,0,0,0,-1\nRrr,x,0,0,0,0,-1,-1,-1\nSss,x,0,0,0,0,-1,7,-1\n", {{u"Sss", {-1, 7, -1}}}, 0, 0, 2},
    };
    for (const Case& c : cases) {
        const ConstellationLoad result = parse(c.text);
        std::vector<Kept> kept;
        for (const Constellation& constellation : constellations)
            kept.push_back({constellation.code, constellation.figure});
        EXPECT_EQ(kept, c.kept) << c.text;
        EXPECT_EQ(result.loaded, c.kept.size()) << c.text;
        EXPECT_EQ(result.ignored, c.ignored) << c.text;
        EXPECT_EQ(result.rejected, c.rejected) << c.text;
        EXPECT_EQ(result.empty, c.empty) << c.text;
        EXPECT_EQ(result.unterminated_tail, c.unterminated) << c.text;
    }
    EXPECT_EQ(parse("Kkk,x,0,0,0,0,10,99\nLll,x,0,0,0,0,10,301\n").rejected_codes, (std::vector<std::u16string>{u"Kkk", u"Lll"}));
}

TEST(SkyCatalog, LoadsStarsThenConstellationsAndFindsThemByExactOrFoldedCode)
{
    TemporaryFolder folder;
    write_file(folder.file("catalog.db"), star_catalog_bytes(50, spread_stars(50)));
    write_file(folder.file("constellations.txt"), "Ori,Orion,0,0,0,0,1,2,-1,3\nORI,x,0,0,0,0,4\nBad,x,0,0,0,0,51\n");
    SkyCatalog sky;
    const SkyCatalogLoad result =
        load_sky_catalog(sky, utf8_to_utf16(folder.file("catalog.db")), utf8_to_utf16(folder.file("constellations.txt")));
    EXPECT_EQ(result.stars.loaded, 50u);
    EXPECT_EQ(result.constellations.loaded, 2u);
    EXPECT_EQ(result.constellations.rejected, 1u);
    EXPECT_EQ(find_constellation(sky.constellations, u"ORI"), &sky.constellations[1]);
    EXPECT_EQ(find_constellation(sky.constellations, u"Ori"), &sky.constellations[0]);
    EXPECT_EQ(find_constellation(sky.constellations, u"ori"), &sky.constellations[0]);
    EXPECT_EQ(find_constellation(sky.constellations, u"Cas"), nullptr);

    const SkyCatalogLoad missing =
        load_sky_catalog(sky, utf8_to_utf16(folder.file("none.db")), utf8_to_utf16(folder.file("none.txt")));
    EXPECT_FALSE(missing.stars.header_read);
    EXPECT_FALSE(missing.constellations.file_read);
    EXPECT_TRUE(sky.stars.empty());
    EXPECT_TRUE(sky.constellations.empty());
}

} // namespace

} // namespace stellaro

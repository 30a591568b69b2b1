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

TEST_F(ConstellationFile, LinesThatDoNotParseCompletelyAreLeftOutAndReportedAsDamage)
{
    using Kept = std::pair<std::u16string, std::vector<int32_t>>; // code and figure
    struct Case {
        std::string text;
        std::vector<Kept> kept;
        size_t damaged = 0, rejected = 0;
        bool unterminated = false;
    };
    const Case cases[] = {
        // Five numbers are needed; the figure starts at the fifth. Blanks around numbers are fine.
        {"Aaa,x,1,2,3,4\nBbb,x, 1, +2,-3 , 4 ,\t15\r\n", {{u"Bbb", {15}}}, 1},
        // A field with anything beside its number: a damaged digit would move the label unseen.
        {"Ccc,x,1,2,3,4,15,abc,165\nDdd,x,0,0,0,0,+15xyz,16\nEee,x,1,2,3,4,15,,16\nFff,x,0,0,0,0,15\n",
         {{u"Fff", {15}}}, 3},
        // Leading spaces are dropped, spaces before the comma kept; blank lines are allowed.
        {"\n   \tLyr ,x,0,0,0,0,5\n  \n", {{u"Lyr ", {5}}}},
        // Lines without two commas or a code, bytes that are no text, a code given twice.
        {"Ggg 1 2 3 4 5\nHhh,1 2 3 4 5\n,x,1,2,3,4,5\nIi\x90,x,0,0,0,0,5\nJjj,x,0,0,0,0,5\nJjj,x,0,0,0,0,6\n",
         {{u"Jjj", {5}}}, 5},
        // A final line without a line feed: the file was cut short.
        {"Kkk,x,1,2,3,4,5\nLll,x,1,2,3,4,6", {{u"Kkk", {5}}}, 0, 0, true},
        // Numbers out of range: -2 (only -1 separates), 0, too large for any number.
        {"Mmm,x,0,0,0,0,10,-2\nNnn,x,0,0,0,0,10,0\nOoo,x,0,0,0,0,10,99999999999999999999\nPpp,x,0,0,0,0,10,11\n",
         {{u"Ppp", {10, 11}}}, 3},
        // Stars the catalogue lacks: missing, beyond N.
        {"Qqq,x,0,0,0,0,10,99,-1,11\nRrr,x,0,0,0,0,10,301\nSss,x,0,0,0,0,-1,7,-1\n", {{u"Sss", {-1, 7, -1}}}, 0, 2},
        // A figure without stars.
        {"Ttt,x,0,0,0,0,-1,-1\nUuu,x,0,0,0,0,7\n", {{u"Uuu", {7}}}, 1},
    };
    for (const Case& c : cases) {
        const ConstellationLoad result = parse(c.text);
        std::vector<Kept> kept;
        for (const Constellation& constellation : constellations)
            kept.push_back({constellation.code, constellation.figure});
        EXPECT_EQ(kept, c.kept) << c.text;
        EXPECT_EQ(result.loaded, c.kept.size()) << c.text;
        EXPECT_EQ(result.damaged, c.damaged) << c.text;
        EXPECT_EQ(result.rejected, c.rejected) << c.text;
        EXPECT_EQ(result.unterminated_tail, c.unterminated) << c.text;
        EXPECT_EQ(result.sound(), c.damaged + c.rejected == 0 && !c.unterminated) << c.text << result.problem;
    }
    EXPECT_EQ(parse("Kkk,x,0,0,0,0,10,99\nLll,x,0,0,0,0,10,301\nMmm,x,0,0,0,0,10\n").rejected_codes,
              (std::vector<std::u16string>{u"Kkk", u"Lll"}));
    EXPECT_EQ(parse("Ori,x,0,0,0,0,1\nBad,x,0,0,0,0,1x\n").problem, "1 damaged lines left out, the first at line 2: a field is not a number");
    EXPECT_EQ(parse("").problem, "it holds no constellations");
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

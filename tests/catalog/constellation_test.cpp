#include "astro/constellation.h"
#include "catalog/constellation_file.h"
#include "catalog/sky_catalog.h"

#include "catalog/catalog_samples.h"
#include "platform/utf.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

// Stars 1..200 at known places: star n at n minutes of right ascension and n x 100 seconds of arc.
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

    ConstellationLoad parse(const std::string& text)
    {
        return parse_constellations(text, catalog, constellations);
    }

    StarCatalog catalog;
    std::vector<Constellation> constellations;
};

TEST_F(ConstellationFile, ReadsCodeFigureAndLabelPoint)
{
    const ConstellationLoad result = parse("Ori,Orion,0,0,0,0,10,20,-1,30,40\n");
    EXPECT_EQ(result.loaded, 1u);
    ASSERT_EQ(constellations.size(), 1u);
    const Constellation& ori = constellations[0];
    EXPECT_EQ(ori.code, u"Ori");
    EXPECT_EQ(ori.figure, (std::vector<int32_t>{10, 20, -1, 30, 40}));
    // The mean of the four stars: 25 minutes of time, 2500 seconds of arc.
    EXPECT_DOUBLE_EQ(ori.label_ra, 25 * 600 * 2.777777777777778e-5);
    EXPECT_DOUBLE_EQ(ori.label_dec, 2500 * 0.0002777777777777778);
    const EquatorialVector expected = equatorial_vector(ori.label_ra * HOURS_TO_RAD, ori.label_dec * DEG_TO_RAD);
    EXPECT_DOUBLE_EQ(ori.label_direction.x, expected.x);
    EXPECT_DOUBLE_EQ(ori.label_direction.z, expected.z);
    EXPECT_EQ(ori.label_direction_fixed.x, static_cast<int64_t>(expected.x * 1024));
    EXPECT_EQ(ori.label_direction_fixed.w, 1024);
}

TEST_F(ConstellationFile, NeedsFiveNumbersAndTakesTheFigureFromTheFifth)
{
    parse("Aaa,x,1,2,3,4\n"
          "Bbb,x,1,2,3,4,15\n");
    ASSERT_EQ(constellations.size(), 1u);
    EXPECT_EQ(constellations[0].code, u"Bbb");
    EXPECT_EQ(constellations[0].figure, (std::vector<int32_t>{15}));
}

TEST_F(ConstellationFile, TheNumberListEndsAtTheFirstFieldWithoutDigits)
{
    parse("Ccc,x,1,2,3,4,15,abc,165\n"
          "Ddd,x, 1, +2,-3 , 4 ,  +15xyz,\t16\r\n"
          "Eee,x,1,2,3,4,15,,16\n");
    ASSERT_EQ(constellations.size(), 3u);
    EXPECT_EQ(constellations[0].figure, (std::vector<int32_t>{15}));
    EXPECT_EQ(constellations[1].figure, (std::vector<int32_t>{15, 16}));
    EXPECT_EQ(constellations[2].figure, (std::vector<int32_t>{15}));
}

TEST_F(ConstellationFile, LeadingSpacesAreDroppedAndSpacesBeforeTheCommaKept)
{
    parse("   \tLyr ,x,0,0,0,0,5\n");
    ASSERT_EQ(constellations.size(), 1u);
    EXPECT_EQ(constellations[0].code, u"Lyr ");
}

TEST_F(ConstellationFile, LinesWithoutTwoCommasOrACodeAreIgnored)
{
    const ConstellationLoad result = parse("Fff 1 2 3 4 5\n"
                                           "Ggg,1 2 3 4 5\n"
                                           ",x,1,2,3,4,5\n"
                                           "\n"
                                           "Hhh,x,1,2,3,4,5\n");
    EXPECT_EQ(result.ignored, 4u);
    ASSERT_EQ(constellations.size(), 1u);
    EXPECT_EQ(constellations[0].code, u"Hhh");
}

TEST_F(ConstellationFile, AFinalLineWithoutALineFeedIsNotRead)
{
    const ConstellationLoad result = parse("Iii,x,1,2,3,4,5\nJjj,x,1,2,3,4,6");
    EXPECT_TRUE(result.unterminated_tail);
    ASSERT_EQ(constellations.size(), 1u);
    EXPECT_EQ(constellations[0].code, u"Iii");
    EXPECT_FALSE(parse("Iii,x,1,2,3,4,5\n").unterminated_tail);
}

TEST_F(ConstellationFile, AFigureNamingAStarOutsideTheCatalogueIsRejected)
{
    const ConstellationLoad result = parse("Kkk,x,0,0,0,0,10,99,-1,11\n"       // 99 is not in the catalogue
                                           "Lll,x,0,0,0,0,10,301\n"            // beyond N
                                           "Mmm,x,0,0,0,0,10,0\n"              // number 0 is never filled
                                           "Nnn,x,0,0,0,0,10,-2\n"             // -1 is the only separator
                                           "Ooo,x,0,0,0,0,10,99999999999999999999\n"
                                           "Ppp,x,0,0,0,0,10,11\n");
    EXPECT_EQ(result.rejected, 5u);
    EXPECT_EQ(result.rejected_codes, (std::vector<std::u16string>{u"Kkk", u"Lll", u"Mmm", u"Nnn", u"Ooo"}));
    ASSERT_EQ(constellations.size(), 1u);
    EXPECT_EQ(constellations[0].code, u"Ppp");
}

TEST_F(ConstellationFile, AFigureWithoutStarsIsSkipped)
{
    const ConstellationLoad result = parse("Qqq,x,0,0,0,0,-1\nRrr,x,0,0,0,0,-1,-1,-1\nSss,x,0,0,0,0,-1,7,-1\n");
    EXPECT_EQ(result.empty, 2u);
    ASSERT_EQ(constellations.size(), 1u);
    EXPECT_EQ(constellations[0].figure, (std::vector<int32_t>{-1, 7, -1}));
}

TEST_F(ConstellationFile, ALabelOfStarsAcrossZeroHoursLiesBetweenThem)
{
    parse("Psc,x,0,0,0,0,201,202\n");
    ASSERT_EQ(constellations.size(), 1u);
    EXPECT_NEAR(constellations[0].label_ra, 0.0, 1e-12);
    EXPECT_NEAR(constellations[0].label_dec, 0.0, 1e-12);
    EXPECT_NEAR(constellations[0].label_direction.x, 1.0, 1e-12);

    parse("Peg,x,0,0,0,0,201,201,202\n");
    EXPECT_NEAR(constellations[0].label_ra, 23 + 2.0 / 3.0, 1e-12);
}

TEST_F(ConstellationFile, FindsConstellationsByCode)
{
    parse("Ori,x,0,0,0,0,1\nORI,x,0,0,0,0,2\nCMa,x,0,0,0,0,3\n");
    EXPECT_EQ(find_constellation(constellations, u"ORI"), &constellations[1]);
    EXPECT_EQ(find_constellation(constellations, u"Ori"), &constellations[0]);
    EXPECT_EQ(find_constellation(constellations, u"cma"), &constellations[2]);
    EXPECT_EQ(find_constellation(constellations, u"Cas"), nullptr);
}

TEST(SkyCatalog, LoadsStarsThenConstellationsFromFiles)
{
    TemporaryFolder folder;
    write_file(folder.file("catalog.db"), star_catalog_bytes(50, spread_stars(50)));
    write_file(folder.file("constellations.txt"), "Ori,Orion,0,0,0,0,1,2,-1,3\nBad,x,0,0,0,0,51\n");
    SkyCatalog sky;
    const SkyCatalogLoad result = load_sky_catalog(sky, utf8_to_utf16(folder.file("catalog.db")),
                                                       utf8_to_utf16(folder.file("constellations.txt")));
    EXPECT_EQ(result.stars.loaded, 50u);
    EXPECT_EQ(result.constellations.loaded, 1u);
    EXPECT_EQ(result.constellations.rejected, 1u);
    ASSERT_NE(find_constellation(sky.constellations, u"Ori"), nullptr);
    ASSERT_NE(sky.stars.find(3), nullptr);

    const SkyCatalogLoad missing = load_sky_catalog(sky, utf8_to_utf16(folder.file("none.db")),
                                                        utf8_to_utf16(folder.file("none.txt")));
    EXPECT_FALSE(missing.stars.header_read);
    EXPECT_FALSE(missing.constellations.file_read);
    EXPECT_TRUE(sky.stars.empty());
    EXPECT_TRUE(sky.constellations.empty());
}

} // namespace

} // namespace stellaro

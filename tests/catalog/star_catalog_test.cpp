#include "catalog/star_catalog_file.h"

#include "catalog/catalog_samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <utility>

namespace stellaro {

namespace {

size_t listings(const SkyGrid& grid, int32_t id)
{
    size_t count = 0;
    for (int row = 0; row < SkyGrid::ROWS; ++row)
        for (int column = 0; column < SkyGrid::COLUMNS; ++column) {
            const std::vector<int32_t>& stars = grid.node(row, column).stars;
            count += static_cast<size_t>(std::count(stars.begin(), stars.end(), id));
        }
    return count;
}

TEST(StarCatalogFile, WrittenRecordsReadBackFieldForFieldAndImpossibleOnesAreReportedAndLeftOut)
{
    std::vector<StarRecord> stars = spread_stars(30);
    stars.push_back(sample_star(40, 863999, 324000, u'β', u"UMa"));
    stars.push_back(sample_star(41, 0, 0, u'γ', std::u16string(200, u'x'))); // a code of a long length prefix
    stars.push_back(sample_star(42, 0, -323999, u'δ', u""));
    stars.push_back(sample_star(0, 0, 0)); // number 0 lies inside 0..N
    stars[4].magnitude = -1460;
    std::string bytes = star_catalog_bytes(42, stars);
    StarCatalog catalog;
    SkyGrid grid;
    EXPECT_TRUE(parse_star_catalog(bytes, catalog, grid).sound());
    StarRecord wrong_direction = sample_star(30, 0, 0);
    wrong_direction.direction_fixed.z = 20;
    StarRecord wrong_colour = sample_star(30, 0, 0);
    std::string colour_bytes = star_record_bytes(wrong_colour);
    colour_bytes[15] = 1; // the high byte of the red component
    bytes += colour_bytes;
    for (const StarRecord& impossible : {sample_star(43, 0, 0), sample_star(-1, 0, 0), sample_star(43, 0, -324000),
                                         sample_star(44, 864000, 0), sample_star(45, -1, 0), sample_star(46, 0, 324001),
                                         wrong_direction, sample_star(30, 0, 0, u'β', u"U1a")})
        bytes += star_record_bytes(impossible);
    const StarCatalogLoad result = parse_star_catalog(bytes, catalog, grid);
    EXPECT_EQ(result.problem, "9 damaged records left out, the first at byte " + std::to_string(star_catalog_bytes(42, stars).size()) +
                                  " (a colour component above 255)");
    EXPECT_EQ(result.rejected, 9u);
    EXPECT_EQ(result.loaded, stars.size());
    ASSERT_EQ(catalog.size(), 43u);
    EXPECT_EQ(catalog.valid_count(), stars.size());
    for (const StarRecord& star : stars) {
        const StarRecord& read = catalog[static_cast<size_t>(star.id)];
        EXPECT_TRUE(read.valid);
        EXPECT_EQ((std::array{read.ra, read.dec, read.magnitude}), (std::array{star.ra, star.dec, star.magnitude})) << star.id;
        EXPECT_EQ((std::array{read.colour.red, read.colour.green, read.colour.blue, read.colour.alpha}),
                  (std::array{star.colour.red, star.colour.green, star.colour.blue, star.colour.alpha}));
        EXPECT_EQ(read.bayer_letter, star.bayer_letter);
        EXPECT_EQ(read.constellation_code, star.constellation_code);
        EXPECT_EQ((std::array{read.direction_fixed.x, read.direction_fixed.y, read.direction_fixed.z, read.direction_fixed.w}),
                  (std::array{star.direction_fixed.x, star.direction_fixed.y, star.direction_fixed.z, int64_t{1024}}));
        EXPECT_EQ(listings(grid, star.id), 1u);
    }
    // Numbers the file does not fill stay empty.
    for (const int32_t absent : {31, 43, -1})
        EXPECT_EQ(catalog.find(absent), nullptr) << absent;
}

TEST(StarCatalogFile, ALaterWholeRecordOfTheSameNumberReplacesTheEarlierEverywhere)
{
    const StarRecord first = sample_star(2, 200, 200);
    const StarRecord replacement = sample_star(2, 36000 * 12, -54000);
    const std::string whole = star_catalog_bytes(5, {sample_star(1, 100, 100), first});
    const std::string later = star_record_bytes(replacement);
    // A cut-short record of number 2 must not spoil the whole one read before it.
    for (size_t cut = 1; cut <= later.size(); ++cut) {
        StarCatalog catalog;
        SkyGrid grid;
        const StarCatalogLoad result = parse_star_catalog(whole + later.substr(0, cut), catalog, grid);
        const bool replaced = cut == later.size();
        EXPECT_EQ(result.replaced, replaced ? 1u : 0u) << cut;
        EXPECT_EQ(catalog[2].ra, replaced ? replacement.ra : first.ra);
        EXPECT_EQ(listings(grid, 2), 1u);
        const std::vector<int32_t>& cell = replaced ? grid.node(12, 4).stars : grid.node(0, 6).stars;
        EXPECT_NE(std::find(cell.begin(), cell.end(), 2), cell.end());
    }
}

TEST(SkyGrid, PlacesPositionsAtTheCellEdges)
{
    struct Case {
        int32_t ra;
        int32_t dec;
        int row; // -1: outside the grid
        int column;
    };
    for (const Case& c : {Case{0, 0, 0, 6}, Case{863999, 0, 23, 6}, Case{36000, 0, 1, 6}, Case{35999, 0, 0, 6},
                          Case{0, -1, 0, 5}, Case{0, 53999, 0, 6}, Case{0, 54000, 0, 7}, Case{0, -54000, 0, 4},
                          Case{0, 324000, 0, 12}, Case{0, -323999, 0, 0}, Case{0, -324000, -1, 0}, Case{864000, 0, -1, 0},
                          Case{-1, 0, -1, 0}}) {
        int row = -1;
        int column = 0;
        EXPECT_EQ(SkyGrid::cell_of(c.ra, c.dec, row, column), c.row >= 0) << c.ra << " " << c.dec;
        if (c.row >= 0) {
            EXPECT_EQ(std::pair(row, column), std::pair(c.row, c.column)) << c.ra << " " << c.dec;
        }
    }
}

TEST(StarCatalogFile, TwinklePhasesFollowTheSequenceThePicturesWereMadeWith)
{
    // The first values of that sequence; each loaded record takes the next phase.
    const uint32_t first[] = {1804289383u, 846930886u, 1681692777u, 1714636915u, 1957747793u};
    StarCatalog catalog;
    SkyGrid grid;
    parse_star_catalog(star_catalog_bytes(5, spread_stars(5)), catalog, grid);
    for (int32_t id = 1; id <= 5; ++id)
        EXPECT_EQ(catalog[static_cast<size_t>(id)].twinkle_phase, static_cast<int32_t>(first[id - 1] % 1024) * 16) << id;
}

} // namespace

} // namespace stellaro

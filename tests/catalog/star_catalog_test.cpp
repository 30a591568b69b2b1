#include "catalog/sky_catalog.h"
#include "catalog/star_catalog_file.h"

#include "catalog/catalog_samples.h"
#include "platform/utf.h"
#include "support/byte_writer.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
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

bool listed_in(const SkyGrid& grid, int row, int column, int32_t id)
{
    const std::vector<int32_t>& stars = grid.node(row, column).stars;
    return std::find(stars.begin(), stars.end(), id) != stars.end();
}

std::string header(int32_t version, int32_t highest)
{
    return ByteWriter().u32(version).u32(highest).str();
}

// A record with a Bayer letter whose code is written with the given length prefix bytes.
std::string record_with_code_prefix(int32_t id, const std::string& prefix, const std::u16string& code)
{
    const std::string plain = star_record_bytes(sample_star(id, 1000, 2000));
    return ByteWriter().bytes(plain.substr(0, 20)).u16(u'α').bytes(prefix).utf16(code).bytes(plain.substr(22)).str();
}

TEST(StarCatalogFile, ReadsEveryFieldOfRecordsWithAndWithoutABayerLetter)
{
    StarRecord plain = sample_star(5, 123456, -98765);
    plain.magnitude = -1460;
    plain.colour = {255, 1, 128, 255};
    StarRecord lettered = sample_star(7, 863999, 324000, u'β', u"UMa");
    StarRecord no_code = sample_star(8, 0, 0, u'γ', u"");
    StarCatalog catalog;
    SkyGrid grid;
    const StarCatalogLoad result = parse_star_catalog(star_catalog_bytes(10, {plain, lettered, no_code}), catalog, grid);

    EXPECT_TRUE(result.header_read);
    EXPECT_TRUE(result.problem.empty()) << result.problem;
    EXPECT_EQ(result.loaded, 3u);
    ASSERT_EQ(catalog.size(), 11u);
    EXPECT_EQ(catalog.valid_count(), 3u);
    const StarRecord& five = catalog[5];
    EXPECT_TRUE(five.valid);
    EXPECT_EQ(five.id, 5);
    EXPECT_EQ(five.ra, 123456);
    EXPECT_EQ(five.dec, -98765);
    EXPECT_EQ(five.magnitude, -1460);
    EXPECT_EQ((std::array{five.colour.red, five.colour.green, five.colour.blue, five.colour.alpha}),
              (std::array<uint8_t, 4>{255, 1, 128, 255}));
    EXPECT_EQ(five.bayer_letter, 0);
    EXPECT_TRUE(five.constellation_code.empty());
    EXPECT_EQ((std::array{five.direction_fixed.x, five.direction_fixed.z, five.direction_fixed.w}),
              (std::array{plain.direction_fixed.x, plain.direction_fixed.z, int64_t{1024}}));
    EXPECT_DOUBLE_EQ(five.direction.y, plain.direction_fixed.y / 1024.0);
    EXPECT_NEAR(five.ra_hours(), 3.4293333, 1e-6);
    EXPECT_NEAR(five.dec_degrees(), -27.4347222, 1e-6);

    EXPECT_EQ(catalog[7].bayer_letter, u'β');
    EXPECT_EQ(catalog[7].constellation_code, u"UMa");
    EXPECT_EQ(catalog[8].bayer_letter, u'γ');
    EXPECT_TRUE(catalog[8].constellation_code.empty());
    // Numbers the file does not fill stay default records.
    EXPECT_FALSE(catalog[0].valid);
    EXPECT_FALSE(catalog[6].valid);
    EXPECT_EQ(catalog[6].colour.alpha, 255);
    for (const int32_t absent : {6, 11, -1})
        EXPECT_EQ(catalog.find(absent), nullptr) << absent;
    EXPECT_EQ(catalog.find(7), &catalog[7]);

    // Each colour field is 16 bits of which the low byte counts.
    std::string bytes = star_record_bytes(sample_star(1, 0, 0));
    patch_le(bytes, 14, 0xFFFF1234, 4);
    parse_star_catalog(header(1, 1) + bytes, catalog, grid);
    EXPECT_EQ(catalog[1].colour.red, 0x34);
    EXPECT_EQ(catalog[1].colour.green, 0xFF);
}

TEST(StarCatalogFile, LengthPrefixesOfOneToFourBytesAreReadAndADamagedOneEndsTheLoading)
{
    struct Case {
        std::string prefix;
        std::u16string code; // read as this, or empty when the prefix is damaged
    };
    const Case cases[] = {
        {std::string("\xFE\x03\x00", 3), u"Cyg"},
        {std::string("\xFC\x02\x00\x00\x00", 5), u"Or"},
        {std::string("\xFF\x01", 2), u"A"},
        {std::string("\x03", 1), u"Lyr"},
        {std::string("\xFB\x01\x00\x00\x00\x00", 6), u""}, // a five-byte length
        {std::string("\xFE\x00\x00", 3), u""},                // a long length of zero
        {std::string("\xFE\xFF\xFF", 3), u""},                // a negative long length
        {std::string("\x7F", 1), u""},                          // more characters than remain
        {std::string("\xFC\xFF\xFF\xFF\x7F", 5), u""},
    };
    for (const Case& c : cases) {
        StarCatalog catalog;
        SkyGrid grid;
        const std::u16string written = c.code.empty() ? u"Cyg" : c.code;
        const std::string bytes = header(1, 5) + star_record_bytes(sample_star(1, 10, 10)) +
                                  record_with_code_prefix(2, c.prefix, written) + star_record_bytes(sample_star(3, 10, 10));
        const StarCatalogLoad result = parse_star_catalog(bytes, catalog, grid);
        const bool sound = !c.code.empty();
        EXPECT_EQ(result.problem.empty(), sound) << result.problem;
        EXPECT_EQ(result.loaded, sound ? 3u : 1u);
        EXPECT_TRUE(catalog[1].valid);
        EXPECT_EQ(catalog[2].valid, sound);
        EXPECT_EQ(catalog[3].valid, sound);
        if (sound) {
            EXPECT_EQ(catalog[2].constellation_code, c.code);
            EXPECT_EQ(catalog[2].ra, 1000);
        }
    }
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
        EXPECT_EQ(result.problem.empty(), replaced) << cut;
        EXPECT_EQ(result.replaced, replaced ? 1u : 0u);
        EXPECT_EQ(catalog[2].ra, replaced ? replacement.ra : first.ra);
        EXPECT_EQ(listings(grid, 2), 1u);
        EXPECT_TRUE(replaced ? listed_in(grid, 12, 4, 2) : listed_in(grid, 0, 6, 2));
    }
}

TEST(StarCatalogFile, RecordsWithImpossibleNumbersOrPositionsAreSkipped)
{
    StarCatalog catalog;
    SkyGrid grid;
    const std::vector<StarRecord> stars = {sample_star(11, 0, 0),      sample_star(-1, 0, 0),     sample_star(3, 0, -324000),
                                           sample_star(4, 864000, 0),  sample_star(5, -1, 0),     sample_star(6, 0, 324001),
                                           sample_star(7, 0, -400000), sample_star(10, 5, -323999)};
    const StarCatalogLoad result = parse_star_catalog(star_catalog_bytes(10, stars), catalog, grid);
    EXPECT_TRUE(result.problem.empty());
    EXPECT_EQ(result.rejected, 7u);
    EXPECT_EQ(result.loaded, 1u);
    EXPECT_EQ(catalog.valid_count(), 1u);
    EXPECT_TRUE(catalog[10].valid);
    EXPECT_TRUE(listed_in(grid, 0, 0, 10));
    // Number 0 lies inside 0..N.
    parse_star_catalog(star_catalog_bytes(10, {sample_star(0, 0, 0)}), catalog, grid);
    EXPECT_TRUE(catalog[0].valid);
}

TEST(StarCatalogFile, TheHeaderMustBeSound)
{
    StarCatalog catalog;
    SkyGrid grid;
    const std::string record = star_record_bytes(sample_star(1, 0, 0));
    EXPECT_FALSE(parse_star_catalog("", catalog, grid).header_read);
    EXPECT_FALSE(parse_star_catalog(header(1, 5).substr(0, 6), catalog, grid).header_read);
    EXPECT_FALSE(parse_star_catalog(header(2, 5) + record, catalog, grid).header_read);
    EXPECT_FALSE(parse_star_catalog(header(1, -1) + record, catalog, grid).header_read);
    EXPECT_TRUE(catalog.empty());

    // Small catalogues may leave numbers out freely...
    EXPECT_TRUE(parse_star_catalog(header(1, 16383) + record, catalog, grid).header_read);
    EXPECT_EQ(catalog.size(), 16384u);
    // ...but a huge N is refused instead of allocated.
    const StarCatalogLoad huge = parse_star_catalog(header(1, 2000000000) + record, catalog, grid);
    EXPECT_FALSE(huge.header_read);
    EXPECT_FALSE(huge.problem.empty());
    EXPECT_TRUE(catalog.empty());
    EXPECT_EQ(listings(grid, 1), 0u);

    std::string many;
    for (int32_t id = 1; id <= 5000; ++id)
        many += star_record_bytes(sample_star(id, 0, 0));
    EXPECT_TRUE(parse_star_catalog(header(1, 20000) + many, catalog, grid).header_read);
    EXPECT_FALSE(parse_star_catalog(header(1, 20004) + many, catalog, grid).header_read);

    // Otherwise the number of records is not compared with N.
    const StarCatalogLoad sparse = parse_star_catalog(star_catalog_bytes(100, {sample_star(50, 0, 0)}), catalog, grid);
    EXPECT_TRUE(sparse.problem.empty());
    EXPECT_EQ(catalog.size(), 101u);
    EXPECT_EQ(catalog.valid_count(), 1u);
}

TEST(StarCatalogFile, LoadsThroughTheFileAndLeavesNothingForAMissingOne)
{
    TemporaryFolder folder;
    write_file(folder.file("catalog.db"), star_catalog_bytes(3000, spread_stars(3000)));
    StarCatalog catalog;
    SkyGrid grid;
    const StarCatalogLoad result = load_star_catalog(utf8_to_utf16(folder.file("catalog.db")), catalog, grid);
    EXPECT_TRUE(result.problem.empty());
    EXPECT_EQ(result.loaded, 3000u);
    EXPECT_EQ(catalog.valid_count(), 3000u);
    size_t listed = 0;
    for (int row = 0; row < SkyGrid::ROWS; ++row)
        for (int column = 0; column < SkyGrid::COLUMNS; ++column)
            listed += grid.node(row, column).stars.size();
    EXPECT_EQ(listed, 3000u);

    const StarCatalogLoad missing = load_star_catalog(utf8_to_utf16(folder.file("none.db")), catalog, grid);
    EXPECT_FALSE(missing.header_read);
    EXPECT_TRUE(catalog.empty());
    EXPECT_EQ(listings(grid, 1), 0u);
}

TEST(SkyGrid, PlacesPositionsAtTheCellEdges)
{
    struct Case {
        int32_t ra;
        int32_t dec;
        int row;
        int column;
    };
    // Row -1: outside the grid.
    for (const Case& c : {Case{0, 0, 0, 6}, Case{863999, 0, 23, 6}, Case{36000, 0, 1, 6}, Case{35999, 0, 0, 6},
                          Case{0, 1, 0, 6}, Case{0, -1, 0, 5}, Case{0, 53999, 0, 6}, Case{0, 54000, 0, 7},
                          Case{0, -53999, 0, 5}, Case{0, -54000, 0, 4}, Case{0, 324000, 0, 12}, Case{0, 323999, 0, 11},
                          Case{0, -323999, 0, 0}, Case{0, -324000, -1, 0}, Case{864000, 0, -1, 0}, Case{-1, 0, -1, 0},
                          Case{0, 324001, -1, 0}}) {
        int row = -1;
        int column = 0;
        EXPECT_EQ(SkyGrid::cell_of(c.ra, c.dec, row, column), c.row >= 0) << c.ra << " " << c.dec;
        if (c.row >= 0) {
            EXPECT_EQ(std::pair(row, column), std::pair(c.row, c.column)) << c.ra << " " << c.dec;
        }
    }
}

TEST(SkyGrid, NodesLieAtWholeHoursAndDeclinationSteps)
{
    const SkyGrid grid;
    const GridNode& origin = grid.node(0, 6);
    EXPECT_DOUBLE_EQ(origin.direction.x, 1.0);
    EXPECT_EQ(origin.direction_fixed.x, 1024);
    EXPECT_EQ(origin.direction_fixed.y, 0);
    EXPECT_EQ(origin.direction_fixed.w, 1024);
    const GridNode& six_hours = grid.node(6, 6);
    EXPECT_EQ(six_hours.direction_fixed.x, 0);
    EXPECT_EQ(six_hours.direction_fixed.y, 1024);
    // The declination step is a little under 15 degrees, so the top row stops short of the pole.
    const GridNode& top = grid.node(0, 12);
    EXPECT_NEAR(top.direction.z, std::sin(6 * 0.26166666666666666), 1e-15);
    EXPECT_LT(top.direction.z, 1.0);
    EXPECT_EQ(top.direction_fixed.z, 1023);
    EXPECT_EQ(grid.node(23, 0).direction_fixed.z, -1023);
    EXPECT_TRUE(grid.node(5, 5).stars.empty());
}

TEST(StarCatalogFile, TwinklePhasesFollowTheSequenceThePicturesWereMadeWith)
{
    // The first values of that sequence; each loaded record takes the next phase.
    const uint32_t first[] = {1804289383u, 846930886u, 1681692777u, 1714636915u, 1957747793u};
    std::vector<StarRecord> stars;
    for (int32_t id = 1; id <= 5; ++id)
        stars.push_back(sample_star(id, id * 1000, 0));
    StarCatalog catalog;
    SkyGrid grid;
    parse_star_catalog(star_catalog_bytes(5, stars), catalog, grid);
    TwinkleSequence again;
    for (int32_t id = 1; id <= 5; ++id) {
        const int32_t phase = static_cast<int32_t>(first[id - 1] % 1024) * 16;
        EXPECT_EQ(catalog[static_cast<size_t>(id)].twinkle_phase, phase) << id;
        EXPECT_EQ(again.next_phase(), phase) << id;
    }
}

} // namespace

} // namespace stellaro

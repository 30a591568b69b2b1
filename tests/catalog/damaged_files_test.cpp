// Damaged catalogues, constellation files and archives: none may crash a loader, and whatever
// a loader keeps must be sound.
#include "catalog/constellation_file.h"
#include "catalog/star_catalog_file.h"
#include "skin/io/zip_reader.h"

#include "catalog/catalog_samples.h"
#include "platform/utf.h"
#include "support/stored_zip.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace stellaro {

namespace {

// The file cut short at every length, then at every offset a byte inverted and the extreme
// numbers a damaged field is most likely to hold.
std::vector<std::string> damaged_versions(const std::string& sound)
{
    std::vector<std::string> versions;
    for (size_t length = 0; length < sound.size(); ++length)
        versions.push_back(sound.substr(0, length));
    for (size_t at = 0; at < sound.size(); ++at) {
        versions.push_back(sound);
        versions.back()[at] = static_cast<char>(~versions.back()[at]);
        for (const uint32_t value : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 0xFFFB0000u}) {
            versions.push_back(sound);
            patch_le(versions.back(), at, value, 4);
        }
    }
    return versions;
}

void expect_sound_catalogue(const StarCatalog& catalog, const SkyGrid& grid, size_t file_size)
{
    // A huge highest number is refused rather than allocated.
    EXPECT_LE(catalog.size(), std::max<size_t>(16384, file_size));
    size_t valid = 0;
    for (size_t i = 0; i < catalog.size(); ++i) {
        if (catalog[i].valid) {
            ++valid;
            EXPECT_EQ(catalog[i].id, static_cast<int32_t>(i));
        }
    }
    size_t listed = 0;
    for (int row = 0; row < SkyGrid::ROWS; ++row) {
        for (int column = 0; column < SkyGrid::COLUMNS; ++column) {
            for (const int32_t id : grid.node(row, column).stars) {
                ++listed;
                const StarRecord* star = catalog.find(id);
                ASSERT_NE(star, nullptr);
                int star_row = 0;
                int star_column = 0;
                EXPECT_TRUE(SkyGrid::cell_of(star->ra, star->dec, star_row, star_column));
                EXPECT_EQ(std::pair(star_row, star_column), std::pair(row, column));
            }
        }
    }
    EXPECT_EQ(listed, valid);
}

TEST(DamagedFiles, EveryCutAndOverwrittenFieldLeavesOnlySoundContent)
{
    std::vector<StarRecord> stars = spread_stars(12);
    stars.push_back(sample_star(13, 863999, 324000, u'ω', std::u16string(130, u'x')));
    const std::string catalogue = star_catalog_bytes(13, stars);
    StarCatalog catalog;
    SkyGrid grid;
    size_t loaded_before_the_cut = 0;
    for (const std::string& bytes : damaged_versions(catalogue)) {
        const StarCatalogLoad result = parse_star_catalog(bytes, catalog, grid);
        expect_sound_catalogue(catalog, grid, bytes.size());
        // A shorter file never yields more than a longer one.
        if (bytes.size() < catalogue.size() && catalogue.starts_with(bytes)) {
            EXPECT_GE(result.loaded, loaded_before_the_cut) << bytes.size();
            loaded_before_the_cut = result.loaded;
        }
        ASSERT_FALSE(HasFailure()) << "catalogue of " << bytes.size() << " bytes";
    }
    parse_star_catalog(star_catalog_bytes(300, spread_stars(300)), catalog, grid);

    std::string figures;
    for (int line = 0; line < 6; ++line)
        figures += "C" + std::to_string(line) + ",Name,0,0,0,0,1" + std::to_string(line) + ",-1,2" + std::to_string(line) + ",3\n";
    std::vector<Constellation> constellations;
    for (const std::string& text : damaged_versions(figures)) {
        parse_constellations(text, catalog, constellations);
        for (const Constellation& constellation : constellations) {
            EXPECT_FALSE(constellation.code.empty());
            EXPECT_TRUE(std::any_of(constellation.figure.begin(), constellation.figure.end(), [&](int32_t n) { return n != PEN_UP; }));
            for (const int32_t number : constellation.figure)
                EXPECT_TRUE(number == PEN_UP || catalog.find(number)) << number;
            EXPECT_GE(constellation.label_ra, 0.0);
            EXPECT_LT(constellation.label_ra, 24.0);
            EXPECT_LE(std::abs(constellation.label_dec), 90.0);
        }
        ASSERT_FALSE(HasFailure()) << text;
    }

    std::vector<ZipMember> members;
    for (int i = 0; i < 4; ++i)
        members.push_back({"m" + std::to_string(i) + ".png", std::string(static_cast<size_t>(i * 37), 'm'), i == 2, i == 3 ? "extra" : ""});
    TemporaryFolder folder;
    std::string buffer(1000, '\0');
    int count = 0;
    for (const std::string& bytes : damaged_versions(stored_zip(members))) {
        // A fresh file each time: emptying an existing one makes the file system flush it.
        const std::string path = folder.file(std::to_string(++count) + ".zip");
        write_file(path, bytes);
        ZipReader zip(utf8_to_utf16(path));
        for (const ZipMember& member : members) {
            if (!zip.find(utf8_to_utf16(member.name)))
                continue;
            EXPECT_LE(uint64_t{zip.data_offset()} + zip.size(), bytes.size());
            EXPECT_EQ(zip.read(buffer.data(), buffer.size()), std::min<uint64_t>(zip.size(), buffer.size()));
            EXPECT_FALSE(zip.seek(zip.size() + 1));
        }
        std::filesystem::remove(path);
        ASSERT_FALSE(HasFailure()) << "archive " << count;
    }
}

} // namespace

} // namespace stellaro

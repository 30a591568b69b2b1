// Feeds randomly damaged catalogues, constellation files and archives through the loaders:
// none may crash, and whatever they keep must be sound.
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
#include <random>

namespace stellaro {

namespace {

class Damage {
public:
    explicit Damage(uint32_t seed) : random(seed) {}

    std::string apply(std::string bytes)
    {
        const int changes = pick(1, 6);
        for (int i = 0; i < changes && !bytes.empty(); ++i) {
            const size_t at = static_cast<size_t>(pick(0, static_cast<int>(bytes.size()) - 1));
            switch (pick(0, 5)) {
            case 0:
                bytes[at] = static_cast<char>(pick(0, 255));
                break;
            case 1:
                bytes.resize(at);
                break;
            case 2:
                bytes.insert(at, static_cast<size_t>(pick(1, 40)), static_cast<char>(pick(0, 255)));
                break;
            case 3:
                bytes.erase(at, static_cast<size_t>(pick(1, 40)));
                break;
            case 4: {
                // Extreme values where numbers are most likely to be.
                static const uint32_t EXTREMES[] = {0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0, 0xFFFF, 0x8000, 0xFFFB0000};
                const uint32_t value = EXTREMES[pick(0, 6)];
                for (size_t k = 0; k < 4 && at + k < bytes.size(); ++k)
                    bytes[at + k] = static_cast<char>((value >> (8 * k)) & 0xFF);
                break;
            }
            default:
                bytes += bytes.substr(at, static_cast<size_t>(pick(1, 200)));
                break;
            }
        }
        return bytes;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    std::mt19937 random;
};

void expect_sound_catalogue(const StarCatalog& catalog, const SkyGrid& grid, size_t file_size)
{
    EXPECT_LE(catalog.size(), std::max<size_t>(16384, file_size));
    size_t valid = 0;
    for (size_t i = 0; i < catalog.size(); ++i) {
        const StarRecord& star = catalog[i];
        if (!star.valid)
            continue;
        ++valid;
        EXPECT_EQ(star.id, static_cast<int32_t>(i));
        int row = 0;
        int column = 0;
        EXPECT_TRUE(SkyGrid::cell_of(star.ra, star.dec, row, column));
        EXPECT_GE(star.twinkle_phase, 0);
        EXPECT_LE(star.twinkle_phase, 16368);
    }
    size_t listed = 0;
    for (int row = 0; row < SkyGrid::ROWS; ++row) {
        for (int column = 0; column < SkyGrid::COLUMNS; ++column) {
            for (int32_t id : grid.node(row, column).stars) {
                ++listed;
                const StarRecord* star = catalog.find(id);
                ASSERT_NE(star, nullptr);
                int star_row = 0;
                int star_column = 0;
                SkyGrid::cell_of(star->ra, star->dec, star_row, star_column);
                EXPECT_EQ(star_row, row);
                EXPECT_EQ(star_column, column);
            }
        }
    }
    EXPECT_EQ(listed, valid);
}

TEST(DamagedFiles, CatalogueLoadingKeepsOnlySoundRecords)
{
    std::vector<StarRecord> stars = spread_stars(300);
    stars.push_back(sample_star(300, 863999, 324000, u'ω', std::u16string(200, u'x')));
    const std::string sound = star_catalog_bytes(300, stars);
    Damage damage(1);
    StarCatalog catalog;
    SkyGrid grid;
    for (int i = 0; i < 1500; ++i) {
        const std::string bytes = damage.apply(sound);
        parse_star_catalog(bytes, catalog, grid);
        expect_sound_catalogue(catalog, grid, bytes.size());
        if (HasFailure())
            FAIL() << "damaged catalogue " << i;
    }
}

TEST(DamagedFiles, ConstellationLoadingKeepsOnlySoundFigures)
{
    StarCatalog catalog;
    SkyGrid grid;
    parse_star_catalog(star_catalog_bytes(300, spread_stars(300)), catalog, grid);
    std::string sound;
    for (int line = 0; line < 30; ++line) {
        sound += "C" + std::to_string(line) + ",Name " + std::to_string(line) + ",0,0,0,0";
        for (int k = 0; k < 8; ++k)
            sound += "," + (k == 4 ? std::string("-1") : std::to_string(1 + (line * 37 + k * 11) % 300));
        sound += "\n";
    }
    Damage damage(2);
    std::vector<Constellation> constellations;
    for (int i = 0; i < 1500; ++i) {
        parse_constellations(damage.apply(sound), catalog, constellations);
        for (const Constellation& constellation : constellations) {
            EXPECT_FALSE(constellation.code.empty());
            size_t stars = 0;
            for (int32_t number : constellation.figure) {
                if (number != PEN_UP) {
                    EXPECT_NE(catalog.find(number), nullptr) << number;
                    ++stars;
                }
            }
            EXPECT_GT(stars, 0u);
            EXPECT_GE(constellation.label_ra, 0.0);
            EXPECT_LT(constellation.label_ra, 24.0);
            EXPECT_LE(std::abs(constellation.label_dec), 90.0);
        }
        if (HasFailure())
            FAIL() << "damaged constellation file " << i;
    }
}

TEST(DamagedFiles, ArchiveMembersStayInsideTheArchive)
{
    std::vector<ZipMember> members;
    for (int i = 0; i < 8; ++i)
        members.push_back({"member" + std::to_string(i) + ".png", std::string(static_cast<size_t>(i * 37), 'm'),
                           i == 6, i == 3 ? "extra" : ""});
    const std::string sound = stored_zip(members);
    TemporaryFolder folder;
    Damage damage(3);
    std::string buffer(1000, '\0');
    for (int i = 0; i < 600; ++i) {
        const std::string bytes = damage.apply(sound);
        // A fresh file each time: emptying an existing one makes the file system flush it.
        const std::string path = folder.file("damaged" + std::to_string(i) + ".zip");
        write_file(path, bytes);
        ZipReader zip(utf8_to_utf16(path));
        for (const ZipMember& member : members) {
            if (!zip.find(utf8_to_utf16(member.name)))
                continue;
            EXPECT_LE(uint64_t{zip.data_offset()} + zip.size(), bytes.size());
            EXPECT_EQ(zip.read(buffer.data(), buffer.size()), std::min<uint64_t>(zip.size(), buffer.size()));
            EXPECT_FALSE(zip.seek(zip.size() + 1));
            EXPECT_EQ(zip.read(buffer.data(), buffer.size()), 0u);
        }
        std::filesystem::remove(path);
        if (HasFailure())
            FAIL() << "damaged archive " << i;
    }
}

} // namespace

} // namespace stellaro

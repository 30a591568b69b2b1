#pragma once
#include "astro/sky_grid.h"
#include "astro/star_catalog.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace stellaro {

// What loading "catalog.db" found. The file: a little-endian header of format version (1) and
// the highest catalogue number N, then records (number, ra, dec, magnitude, three colour
// components, Bayer letter, the constellation code when there is a letter, direction x 1024).
struct StarCatalogLoad {
    bool header_read = false; // false: no stars at all (missing file, wrong version, bad header)
    int32_t highest = 0;      // N from the header
    size_t loaded = 0;        // records entered, a repeated number counted each time
    size_t rejected = 0;      // records holding an impossible value, left out
    size_t skipped_bytes = 0; // bytes passed over to find the next sound record after damage
    size_t replaced = 0;      // records that replaced an earlier one of the same number
    std::string problem;      // what was wrong with the file, for the user; empty when it was sound

    bool sound() const { return problem.empty(); }
};

// The stars' twinkle phases, 0..16368 in steps of 16, in load order. The sequence is the one the
// C library's rand() gave on glibc without a seed, which the phases were first drawn from: the
// sky pictures depend on it, so it is kept exactly.
class TwinkleSequence {
public:
    TwinkleSequence();
    int32_t next_phase();

private:
    static constexpr size_t DEGREE = 31;
    static constexpr size_t SEPARATION = 3;

    uint32_t next_value();

    std::array<uint32_t, DEGREE> state{};
    size_t front = SEPARATION;
    size_t rear = 0;
};

// Fills the catalogue and lists every loaded star in the grid's cells. Every length and value
// is checked against the bytes that remain and the ranges it must lie in, and the stored
// direction against the position: a record that fails is left out, and after one whose length
// cannot be trusted the reading goes on at the next offset where a sound record starts. The
// file must reach star N, which its header names as the highest. Anything left out makes the
// load unsound. A later record with the same number replaces the earlier one. Each loaded
// record takes the next phase of a new TwinkleSequence.
StarCatalogLoad parse_star_catalog(std::string_view bytes, StarCatalog& catalog, SkyGrid& grid);

// Reads the catalogue file through a FileStream and parses it. A missing or unreadable file
// leaves the catalogue empty.
StarCatalogLoad load_star_catalog(std::u16string_view path, StarCatalog& catalog, SkyGrid& grid);

// The file form of one record and of a whole catalogue (used by the data tools and tests).
std::string star_record_bytes(const StarRecord& star);
std::string star_catalog_bytes(int32_t highest, const std::vector<StarRecord>& stars);

} // namespace stellaro

#pragma once
#include "astro/constellation.h"
#include "astro/star_catalog.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace stellaro {

// What loading "constellations.txt" found. Each line ending in a line feed reads
//     code, skipped field, four skipped numbers, star numbers with -1 between strokes
// separated by commas; the number list ends at the line's end or at the first field without digits.
struct ConstellationLoad {
    bool file_read = false;
    size_t loaded = 0;
    size_t ignored = 0;  // lines without two commas, without a code, or with fewer than five numbers
    size_t rejected = 0; // lines whose figure names a star the catalogue does not have
    size_t empty = 0;    // figures with no star at all
    bool unterminated_tail = false; // text after the last line feed, which is not read
    std::vector<std::u16string> rejected_codes;
};

// Appends a constellation, with its label point, for every sound line, in file order.
ConstellationLoad parse_constellations(std::string_view text, const StarCatalog& catalog,
                                       std::vector<Constellation>& constellations);

// Reads the file through a FileStream, parses it and logs what was left out.
// A missing or empty file gives no constellations.
ConstellationLoad load_constellations(std::u16string_view path, const StarCatalog& catalog,
                                      std::vector<Constellation>& constellations);

} // namespace stellaro

#pragma once
#include "astro/constellation.h"
#include "astro/star_catalog.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace stellaro {

// What loading "constellations.txt" found. Each line ending in a line feed reads
//     code, name, four numbers the program does not use, star numbers with -1 between strokes
// separated by commas, each number alone in its field apart from blanks.
struct ConstellationLoad {
    bool file_read = false;
    size_t loaded = 0;
    size_t damaged = 0;  // lines left out: not that form, impossible numbers, no star, a code seen before
    size_t rejected = 0; // lines left out because their figure names a star the catalogue does not have
    std::vector<std::u16string> rejected_codes;
    bool unterminated_tail = false; // text after the last line feed: the file was cut short
    std::string problem;            // what was wrong with the file, for the user; empty when it was sound

    bool sound() const { return problem.empty(); }
};

// Appends a constellation, with its label point, for every sound line, in file order. Blank
// lines are allowed; any other line that does not parse completely is left out and makes the
// load unsound, as do a cut-short last line and a file without constellations.
ConstellationLoad parse_constellations(std::string_view text, const StarCatalog& catalog,
                                       std::vector<Constellation>& constellations);

// Reads the file through a FileStream and parses it. A missing file gives no constellations.
ConstellationLoad load_constellations(std::u16string_view path, const StarCatalog& catalog,
                                      std::vector<Constellation>& constellations);

} // namespace stellaro

#pragma once
#include "star_table.h"

#include <string>
#include <vector>

namespace stellaro {

// One constellation figure: its IAU code, Latin name and the strokes of catalogue numbers,
// -1 lifting the pen between strokes.
struct SourceConstellation {
    std::string code;
    std::string name;
    std::vector<int> figure;
};

// Reads "constellation_lines.tsv" and the English names; every figure star must be in the table.
// False with a message on stderr otherwise.
bool load_constellations(const std::string& lines_path, const std::string& names_path, const StarTable& stars,
                         std::vector<SourceConstellation>& constellations);

// The text of "constellations.txt": per line the code, the name, four unused integers and the figure.
std::string constellation_text(const std::vector<SourceConstellation>& constellations);

} // namespace stellaro

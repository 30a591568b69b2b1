#pragma once
#include <map>
#include <string>

namespace stellaro {

// One star of the bright star source table.
struct SourceStar {
    int hr = 0;
    double ra_degrees = 0.0;   // J2000, 0 <= ra < 360
    double dec_degrees = 0.0;  // J2000
    double magnitude = 0.0;    // visual
    bool has_colour_index = false;
    double colour_index = 0.0; // B-V
    char16_t bayer_letter = 0; // Greek letter, 0 when the star has none
    std::string constellation; // IAU abbreviation, may be empty
};

// The stars by catalogue number.
using StarTable = std::map<int, SourceStar>;

// Reads "stars.tsv"; false with a message on stderr when the file or one of its rows is unusable.
bool load_star_table(const std::string& path, StarTable& stars);

} // namespace stellaro

#include "star_table.h"

#include "tsv_table.h"

#include "platform/utf.h"

#include <iostream>

namespace stellaro {

bool load_star_table(const std::string& path, StarTable& stars)
{
    TsvTable table;
    if (!table.load(path)) {
        std::cerr << table.problem << "\n";
        return false;
    }
    const int hr = table.column("hr");
    const int ra = table.column("ra_deg");
    const int dec = table.column("dec_deg");
    const int vmag = table.column("vmag");
    const int bv = table.column("bv");
    const int bayer = table.column("bayer");
    const int constellation = table.column("constellation");
    if (hr < 0 || ra < 0 || dec < 0 || vmag < 0 || bv < 0 || bayer < 0 || constellation < 0) {
        std::cerr << path << ": a column is missing\n";
        return false;
    }
    stars.clear();
    for (size_t row = 0; row < table.size(); ++row) {
        SourceStar star;
        long number = 0;
        if (!parse_int(table.field(row, hr), number) || number < 1 || number > 32767 ||
            !parse_double(table.field(row, ra), star.ra_degrees) || star.ra_degrees < 0.0 || star.ra_degrees >= 360.0 ||
            !parse_double(table.field(row, dec), star.dec_degrees) || star.dec_degrees < -90.0 || star.dec_degrees > 90.0 ||
            !parse_double(table.field(row, vmag), star.magnitude)) {
            std::cerr << path << ": row " << row + 2 << " is not a valid star\n";
            return false;
        }
        star.hr = static_cast<int>(number);
        star.has_colour_index = parse_double(table.field(row, bv), star.colour_index);
        const std::u16string letter = utf8_to_utf16(table.field(row, bayer));
        if (letter.size() > 1) {
            std::cerr << path << ": HR " << number << " has a Bayer letter of more than one character\n";
            return false;
        }
        star.bayer_letter = letter.empty() ? 0 : letter[0];
        star.constellation = table.field(row, constellation);
        if (!stars.emplace(star.hr, star).second) {
            std::cerr << path << ": HR " << number << " appears twice\n";
            return false;
        }
    }
    return true;
}

} // namespace stellaro

#pragma once
// Small catalogues and constellation files for the tests.
#include "astro/angles.h"
#include "catalog/star_catalog_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace stellaro {

inline StarRecord sample_star(int32_t id, int32_t ra, int32_t dec, char16_t letter = 0, const std::u16string& code = u"")
{
    StarRecord star;
    star.id = id;
    star.ra = ra;
    star.dec = dec;
    star.magnitude = 1000 + id;
    star.colour = {static_cast<uint8_t>(id & 0xFF), 200, 100, 255};
    star.bayer_letter = letter;
    star.constellation_code = code;
    star.direction = equatorial_vector(ra * RA_UNITS_TO_HOURS * HOURS_TO_RAD, dec * DEC_UNITS_TO_DEGREES * DEG_TO_RAD);
    star.direction_fixed = fixed_vector(star.direction);
    return star;
}

// Stars 1..count spread over the sky, every third one with a Bayer letter.
inline std::vector<StarRecord> spread_stars(int32_t count)
{
    std::vector<StarRecord> stars;
    for (int32_t id = 1; id <= count; ++id) {
        const int32_t ra = static_cast<int32_t>((int64_t{id} * 7919 * 37) % RA_UNITS_PER_TURN);
        const int32_t dec = static_cast<int32_t>((int64_t{id} * 104729) % (2 * DEC_UNITS_AT_POLE - 1)) - DEC_UNITS_AT_POLE + 1;
        stars.push_back(id % 3 == 0 ? sample_star(id, ra, dec, u'α' + id % 24, u"Ori") : sample_star(id, ra, dec));
    }
    return stars;
}

} // namespace stellaro

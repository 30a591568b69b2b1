#include "catalog_file.h"

#include "star_colour.h"

#include "astro/angles.h"
#include "astro/equatorial_vector.h"
#include "astro/fixed_vector.h"
#include "astro/star_record.h"
#include "catalog/star_catalog_file.h"
#include "platform/utf.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace stellaro {

int32_t catalog_magnitude(double visual)
{
    constexpr double FIRST_MAGNITUDE_LIMIT = 1.5;
    const int64_t hundredths = visual < FIRST_MAGNITUDE_LIMIT
                                   ? std::llround((visual - FIRST_MAGNITUDE_LIMIT) * 100.0) - 1
                                   : std::llround(visual * 100.0);
    return static_cast<int32_t>(std::clamp<int64_t>(hundredths, -32768, 32767));
}

std::vector<StarRecord> catalog_records(const StarTable& stars)
{
    std::vector<StarRecord> records;
    for (const auto& [hr, star] : stars) {
        if (hr < 1 || hr > CATALOG_SIZE)
            continue;
        StarRecord record;
        record.id = hr;
        // 15 degrees of right ascension are one hour: 36000 tenths of a second.
        record.ra = static_cast<int32_t>(std::llround(star.ra_degrees * 2400.0) % RA_UNITS_PER_TURN);
        // The sky grid has no cell below the south pole itself, so -90 degrees is kept one second above it.
        record.dec = static_cast<int32_t>(
            std::clamp<int64_t>(std::llround(star.dec_degrees * 3600.0), 1 - DEC_UNITS_AT_POLE, DEC_UNITS_AT_POLE));
        record.magnitude = catalog_magnitude(star.magnitude);
        const std::array<uint8_t, 3> tint =
            star.has_colour_index ? star_tint(star.colour_index) : std::array<uint8_t, 3>{255, 255, 255};
        record.colour = {tint[0], tint[1], tint[2], 255};
        record.bayer_letter = star.bayer_letter;
        if (star.bayer_letter != 0)
            record.constellation_code = utf8_to_utf16(star.constellation);
        record.direction = equatorial_vector(star.ra_degrees * DEG_TO_RAD, star.dec_degrees * DEG_TO_RAD);
        record.direction_fixed = fixed_vector(record.direction);
        record.valid = true;
        records.push_back(std::move(record));
    }
    return records;
}

std::string catalog_file(const StarTable& stars)
{
    // The header names the highest number present: the reader takes a file that stops short of it as cut.
    const std::vector<StarRecord> records = catalog_records(stars);
    return star_catalog_bytes(records.empty() ? 0 : records.back().id, records);
}

} // namespace stellaro

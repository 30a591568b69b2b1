#pragma once
#include "astro/equatorial_vector.h"
#include "astro/fixed_vector.h"

#include <cstdint>
#include <string>

namespace stellaro {

// Right ascension is kept in tenths of a second of time, declination in seconds of arc.
constexpr int32_t RA_UNITS_PER_TURN = 864000;
constexpr int32_t DEC_UNITS_AT_POLE = 324000;
constexpr double RA_UNITS_TO_HOURS = 2.777777777777778e-5;
constexpr double DEC_UNITS_TO_DEGREES = 0.0002777777777777778;

// A star's tint: red, green, blue as the renderer uses them, always opaque.
struct StarColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 255;
};

// One star of the catalogue; its catalogue ("HR") number is its index in the StarCatalog.
struct StarRecord {
    int32_t id = 0;
    int32_t ra = 0;        // 0..863999
    int32_t dec = 0;       // -323999..324000
    int32_t magnitude = 0; // smaller is brighter; the renderer's classes change every 1024 units
    StarColour colour;
    int32_t twinkle_phase = 0; // 0..16368, set at load time
    char16_t bayer_letter = 0; // Greek letter of the Bayer designation, or 0
    std::u16string constellation_code; // only with a Bayer letter: the constellation's code
    std::u16string display_name;       // proper name in the current language, filled by the sky view
    EquatorialVector direction;        // as stored in the catalogue, not recomputed from ra and dec
    FixedVector direction_fixed;
    FixedVector projected; // screen x, screen y, depth, w: written by the renderer each frame
    bool valid = false;    // the catalogue file filled this record

    double ra_hours() const { return ra * RA_UNITS_TO_HOURS; }
    double dec_degrees() const { return dec * DEC_UNITS_TO_DEGREES; }
};

} // namespace stellaro

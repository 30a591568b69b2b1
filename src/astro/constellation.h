#pragma once
#include "astro/equatorial_vector.h"
#include "astro/fixed_vector.h"
#include "astro/star_catalog.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace stellaro {

// In a constellation figure: lift the pen, the next star starts a new stroke.
constexpr int32_t PEN_UP = -1;

// A constellation: its code, its stick figure of catalogue stars and the point its name is
// written at.
struct Constellation {
    std::u16string code;         // key of the language file, of stars' constellation codes, of the picture
    std::u16string display_name; // filled from the language file by the sky view
    std::vector<int32_t> figure; // catalogue numbers; PEN_UP between strokes
    double label_ra = 0.0;       // hours, 0..24
    double label_dec = 0.0;      // degrees
    EquatorialVector label_direction;
    FixedVector label_direction_fixed;
};

// Places the label at the mean position of the figure's stars (the mean right ascension taken
// across the 0 h line where the stars straddle it). False, and nothing changed, when the
// figure names no star or a star the catalogue does not have.
bool place_label(Constellation& constellation, const StarCatalog& catalog);

// The constellation with this code: the exact code first, then one differing only in letter case.
const Constellation* find_constellation(const std::vector<Constellation>& constellations, std::u16string_view code);

} // namespace stellaro

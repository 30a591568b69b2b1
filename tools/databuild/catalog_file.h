#pragma once
#include "star_table.h"

#include <cstdint>
#include <string>
#include <vector>

namespace stellaro {

struct StarRecord;

// The highest catalogue number of the bright star catalogue; the file's array runs 0..N.
constexpr int CATALOG_SIZE = 9110;

// The stored brightness of a star of visual magnitude V. Hundredths of V, so that the renderer's
// dimming (full discs up to 300 + 100 x zoom, single pixels from 109 units fainter) shows discs
// down to about V 3 at the widest view and V 7 at zoom 3. The drawing class, (value >> 10) + 1,
// only tells values below zero from the rest, so the first-magnitude stars (V < 1.5) are stored
// below zero, in the same order, to take the largest sprite.
int32_t catalog_magnitude(double visual);

// The catalogue records of the stars, as the program holds them.
std::vector<StarRecord> catalog_records(const StarTable& stars);
// The bytes of "catalog.db" (version 1) for the stars.
std::string catalog_file(const StarTable& stars);

} // namespace stellaro

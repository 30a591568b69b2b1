#pragma once
#include "star_table.h"

#include <string>
#include <vector>

struct StarRecord;

// The highest catalogue number of the bright star catalogue; the file's array runs 0..N.
constexpr int CATALOG_SIZE = 9110;

// Visual magnitudes are stored in hundredths: the renderer's dimming rule (full discs up to
// 300 + 100 x zoom, single pixels from 108 units fainter) then shows discs down to about V 3
// at the widest view and V 7 at zoom 3, and the drawing class (value >> 10) + 1 sets the
// few stars brighter than V 0 apart.
constexpr double MAGNITUDE_UNITS = 100.0;

// The catalogue records of the stars, as the program holds them.
std::vector<StarRecord> catalog_records(const StarTable& stars);
// The bytes of "catalog.db" (version 1) for the stars.
std::string catalog_file(const StarTable& stars);

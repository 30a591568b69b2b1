#pragma once
#include "constellation_table.h"
#include "jpeg_codec.h"

#include <string>
#include <vector>

namespace stellaro {

// Side of the square constellation pictures, in pixels.
constexpr int CONSTELLATION_PICTURE_SIZE = 160;

// The figure of one constellation as the sky shows it (north up, east left): the stick figure
// over a dark ground, its stars and the other stars of the field as dots sized by brightness.
RgbImage constellation_picture(const SourceConstellation& constellation, const StarTable& stars);

// The stored archive of "<code>.png" pictures, one per constellation; scratch_path is a file
// the PNG encoding may use and removes again.
bool constellation_archive(const std::vector<SourceConstellation>& constellations, const StarTable& stars,
                           const std::string& scratch_path, std::string& archive);

} // namespace stellaro

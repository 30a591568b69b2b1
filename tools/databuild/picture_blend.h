#pragma once
#include "coverage_mask.h"
#include "jpeg_codec.h"

#include <array>

namespace stellaro {

using Rgb = std::array<double, 3>; // 0..255 per channel

// Lays a colour over the picture wherever the mask covers it, with the given opacity.
void blend_mask(RgbImage& image, const CoverageMask& mask, const Rgb& colour, double opacity);
void fill(RgbImage& image, const Rgb& colour);

} // namespace stellaro

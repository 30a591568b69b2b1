#pragma once
#include <array>
#include <cstdint>

namespace stellaro {

// The colour of a black body with the temperature that the B-V colour index implies, as sRGB
// 0..255 scaled so that the strongest channel is 255 (a tint, not a brightness).
std::array<uint8_t, 3> star_tint(double colour_index);

// Black-body temperature in kelvin for a B-V colour index (Ballesteros 2012).
double colour_temperature(double colour_index);

} // namespace stellaro

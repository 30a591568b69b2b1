#include "sky/sky_painters.h"

#include <algorithm>
#include <cstring>

namespace stellaro {

void VeilFiller::fill(Pixel* begin, Pixel* end) const
{
    // Halving drops each channel's low bit first, so the sum never carries into its neighbour;
    // four pixels go at a time through one 64-bit word.
    constexpr uint64_t LOW_BITS_CLEARED = 0xF7DEF7DEF7DEF7DEull;
    const uint64_t halves = half * 0x0001000100010001ull;
    for (; begin + 4 <= end; begin += 4) {
        uint64_t four;
        std::memcpy(&four, begin, sizeof four);
        four = ((four & LOW_BITS_CLEARED) >> 1) + halves;
        std::memcpy(begin, &four, sizeof four);
    }
    for (; begin < end; ++begin)
        *begin = static_cast<Pixel>(((*begin & 0xF7DE) >> 1) + half);
}

void LightenFiller::fill(Pixel* begin, Pixel* end) const
{
    const Pixel r = colour & 0xF800, g = colour & 0x07E0, b = colour & 0x001F;
    for (; begin < end; ++begin) {
        const Pixel d = *begin;
        *begin = static_cast<Pixel>(std::max<Pixel>(d & 0xF800, r) | std::max<Pixel>(d & 0x07E0, g) | std::max<Pixel>(d & 0x001F, b));
    }
}

} // namespace stellaro

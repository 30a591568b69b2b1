#include "sky/sky_painters.h"

namespace stellaro {

bool phase_lit(int32_t x, int32_t y, int32_t c, int32_t q, int32_t w)
{
    if (w <= 0)
        w = 1;
    const int64_t dx = x - c, dy = y - c, c2 = static_cast<int64_t>(c) * c;
    const int64_t e = dx * dx * c2 / (static_cast<int64_t>(w) * w) + dy * dy;
    switch (q) {
    case 0:
        return x >= c || e < c2;
    case 1:
        return x >= c && e > c2;
    case 2:
        return x <= c && e > c2;
    case 3:
        return x <= c || e < c2;
    default:
        return true;
    }
}

} // namespace stellaro

#include "astro/equatorial_vector.h"

#include <cmath>

namespace stellaro {

EquatorialVector equatorial_vector(double ra_radians, double dec_radians)
{
    const double c = std::cos(dec_radians);
    return {std::cos(ra_radians) * c, std::sin(ra_radians) * c, std::sin(dec_radians)};
}

} // namespace stellaro

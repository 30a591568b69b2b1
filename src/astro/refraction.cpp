#include "astro/refraction.h"

#include "astro/angles.h"

#include <cmath>

namespace stellaro {

namespace {

// The formula's value at the zenith, arcminutes, taken off everywhere.
constexpr double ZENITH_OFFSET_ARCMIN = 0.0019279;
// The lowest altitude the formula is used at; below it the refraction fades to 0 at -2°.
constexpr double FORMULA_FLOOR_DEG = -1.0;
constexpr double FADED_DEG = -2.0;

double saemundsson_deg(double h)
{
    const double arcmin = 1.02 / std::tan((h + 10.3 / (h + 5.11)) * DEG_TO_RAD) + ZENITH_OFFSET_ARCMIN;
    return arcmin / 60.0;
}

} // namespace

double refraction_deg(double h)
{
    if (!(h > FADED_DEG))
        return 0.0;
    if (h >= 90.0)
        return 0.0;
    if (h >= FORMULA_FLOOR_DEG)
        return std::fmax(0.0, saemundsson_deg(h));
    return saemundsson_deg(FORMULA_FLOOR_DEG) * (h - FADED_DEG) / (FORMULA_FLOOR_DEG - FADED_DEG);
}

double refracted_altitude(double airless_altitude_deg)
{
    return airless_altitude_deg + refraction_deg(airless_altitude_deg);
}

} // namespace stellaro

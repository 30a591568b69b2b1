#include "astro/angles.h"

#include <cmath>

namespace stellaro {

namespace {

double normalize(double value, double turn)
{
    // Whole turns at once, so that far-off values (a planet's mean longitude) cost no loop.
    if (value < 0.0)
        value += turn * std::ceil(-value / turn);
    while (value < 0.0)
        value += turn;
    if (value > turn)
        value -= turn * (std::ceil(value / turn) - 1.0);
    while (value > turn)
        value -= turn;
    return value;
}

} // namespace

double degrees_from_dms(double degrees, double minutes, double seconds, bool positive)
{
    const double value = degrees + minutes / 60.0 + seconds / 3600.0;
    return positive ? value : -value;
}

double normalize_degrees(double angle)
{
    return normalize(angle, 360.0);
}

double normalize_hours(double hours)
{
    return normalize(hours, 24.0);
}

} // namespace stellaro

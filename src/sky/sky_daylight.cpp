#include "sky/sky_daylight.h"

#include <array>
#include <utility>
#include <cmath>

namespace stellaro {

namespace {

Colour blend(Colour a, Colour b, double t)
{
    const auto mix = [t](uint8_t x, uint8_t y) { return static_cast<uint8_t>(std::lround(x + (y - x) * t)); };
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b), 255};
}

struct Stage {
    double altitude_deg;
    double value;
};

// Piecewise-linear in the Sun's altitude, from the highest stage down.
template <size_t N>
double along(const std::array<Stage, N>& stages, double altitude)
{
    if (altitude >= stages.front().altitude_deg)
        return stages.front().value;
    for (size_t i = 1; i < N; ++i)
        if (altitude >= stages[i].altitude_deg) {
            const Stage& hi = stages[i - 1];
            const Stage& lo = stages[i];
            return lo.value + (hi.value - lo.value) * (altitude - lo.altitude_deg) / (hi.altitude_deg - lo.altitude_deg);
        }
    return stages.back().value;
}

} // namespace

Colour sky_colour(double altitude, const SkyColours& c)
{
    if (!(altitude > NIGHT_SUN_ALTITUDE_DEG))
        return {0, 0, 0, 255};
    const std::array<std::pair<double, Colour>, 5> stages{
        {{8.0, c.day}, {0.0, c.sunset}, {-6.0, c.civil}, {-12.0, c.nautical}, {NIGHT_SUN_ALTITUDE_DEG, Colour{0, 0, 0, 255}}}};
    if (altitude >= stages[0].first)
        return c.day;
    for (size_t i = 1; i < stages.size(); ++i)
        if (altitude >= stages[i].first) {
            const double t = (stages[i - 1].first - altitude) / (stages[i - 1].first - stages[i].first);
            return blend(stages[i - 1].second, stages[i].second, t);
        }
    return {0, 0, 0, 255};
}

double sky_limiting_magnitude(double altitude)
{
    // Below the end of astronomical twilight the sky sets no limit (nor for an unknown Sun).
    if (!(altitude > NIGHT_SUN_ALTITUDE_DEG))
        return 99.0;
    static constexpr std::array<Stage, 4> STAGES{{{0.0, -3.5}, {-6.0, 2.0}, {-12.0, 4.0}, {NIGHT_SUN_ALTITUDE_DEG, 6.5}}};
    return along(STAGES, altitude);
}

} // namespace stellaro

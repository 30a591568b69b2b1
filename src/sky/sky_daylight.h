#pragma once
#include "skin/surface/pixel.h"

namespace stellaro {

// The sky's colours as the Sun sinks: in daylight (Sun 8 degrees up or more), at sunset (0),
// at the end of civil (-6) and of nautical twilight (-12); through astronomical twilight the
// sky darkens to black at -18, after which it is night (its background).
struct SkyColours {
    Colour day;
    Colour sunset;
    Colour civil;
    Colour nautical;
};

constexpr double NIGHT_SUN_ALTITUDE_DEG = -18.0;

// The colour of the sky for the Sun's altitude in degrees, blended between the stages; black
// once it is night.
Colour sky_colour(double sun_altitude_deg, const SkyColours& colours);

// The faintest magnitude the sky's brightness lets through: bright stars appear in civil
// twilight, the faint ones only once the sky is dark.
double sky_limiting_magnitude(double sun_altitude_deg);

} // namespace stellaro

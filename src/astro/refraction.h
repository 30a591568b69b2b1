#pragma once

namespace stellaro {

// Atmospheric refraction in degrees for a body whose airless (geometric) altitude is given in
// degrees, at 10 °C and 1010 hPa: Sæmundsson's formula (Sky & Telescope 1986), shifted so that
// the zenith gets none. Below the horizon it fades out, reaching 0 at −2°, where nothing is seen.
double refraction_deg(double airless_altitude_deg);

// The altitude in degrees at which the body is seen.
double refracted_altitude(double airless_altitude_deg);

} // namespace stellaro

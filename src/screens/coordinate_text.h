#pragma once
#include <string>

namespace stellaro {

// The texts of sky and Earth coordinates, with truncated (never rounded) minutes and seconds, so
// that a value just below a whole hour or degree never reads as the next one.

// Hours as "5h 30m 00s".
std::u16string format_right_ascension(double hours);

// Degrees with a sign as "+12°34'56''"; zero and negative values take "-".
std::u16string format_signed_degrees(double degrees);

// A latitude as "N 55 45'" ("S " below the equator); with_fraction adds four decimals of the
// minutes, "N 55 45.0000'".
std::u16string format_latitude(double degrees, bool with_fraction);

// A longitude as "E 37 37'" ("W " for 0 and west of it); with_fraction as for latitudes.
std::u16string format_longitude(double degrees, bool with_fraction);

} // namespace stellaro

#pragma once
#include <string>

namespace stellaro {

// Hours as "13h 10m 46.1351s", with the given decimals of the second.
std::string format_hms(double hours, int decimals);
// Degrees as "-16° 42′ 58.0″", with the given decimals of the arcsecond.
std::string format_dms(double degrees, int decimals);
// A place as "55.7558° N, 37.6173° E".
std::string format_place(double latitude, double longitude);
// A zone bias (UTC = local + bias) as "UTC+05:30".
std::string format_zone(int bias_minutes);

} // namespace stellaro

#pragma once

namespace stellaro {

constexpr double DEG_TO_RAD = 0.017453292519943295;
constexpr double RAD_TO_DEG = 57.29577951308232;
constexpr double HOURS_TO_RAD = 0.26179938779914946;
constexpr double RAD_TO_HOURS = 3.819718634205488;

// d + m/60 + s/3600 when positive, otherwise the negative of it (the parts are magnitudes).
double degrees_from_dms(double degrees, double minutes, double seconds, bool positive);

// Into 0..360 (or 0..24) by whole turns; a value of exactly one turn is left as it is.
double normalize_degrees(double angle);
double normalize_hours(double hours);

} // namespace stellaro

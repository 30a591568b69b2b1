#pragma once
#include <string>
#include <string_view>

namespace stellaro {

// A civil date and time of day on the device's clock.
struct LocalClock {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The device's local date and time now, in the computer's own zone.
LocalClock local_clock_now();

// The date and time now in the named zone of the time-zone database ("Europe/Moscow"); an empty
// name is the computer's zone.
LocalClock zone_clock_now(const std::string& zone);

// The zone bias in minutes (UTC = local time + bias) that the system's time-zone rules give for
// the local civil time, daylight saving included; half-hour and 45-minute parts are kept.
int zone_bias_minutes(int year, int month, int day, int hour, int minute);

// The same for the named zone (empty: the computer's zone).
int zone_bias_minutes(const std::string& zone, int year, int month, int day, int hour, int minute);

// True when the name is a well-formed zone name ("Area/Place", letters, digits, "_", "-", "+",
// no "." parts) and the system's zone database holds its rules.
bool zone_available(std::string_view zone);

// The name of the computer's own zone: TZ when set, else the zone /etc/localtime points into,
// else /etc/timezone; "UTC" when nothing says.
std::string system_zone_name();

// A well-formed zone name: what may be handed to the system's rules without naming a file
// outside the zone database.
bool zone_name_valid(std::string_view zone);

} // namespace stellaro

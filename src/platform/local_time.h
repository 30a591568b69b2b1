#pragma once

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

// The device's local date and time now.
LocalClock local_clock_now();

// The zone bias in minutes (UTC = local time + bias) that the system's time-zone rules give for
// the local civil time, daylight saving included; half-hour and 45-minute parts are kept.
int zone_bias_minutes(int year, int month, int day, int hour, int minute);

} // namespace stellaro

#include "platform/local_time.h"

#include <ctime>

namespace stellaro {

LocalClock local_clock_now()
{
    const std::time_t now = std::time(nullptr);
    std::tm parts {};
    localtime_r(&now, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

int zone_bias_minutes(int year, int month, int day, int hour, int minute)
{
    tzset();
    std::tm parts {};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_isdst = -1;
    if (std::mktime(&parts) == static_cast<std::time_t>(-1))
        return 0;
    // tm_gmtoff is local minus UTC in seconds; the bias has the opposite sign.
    return static_cast<int>(-parts.tm_gmtoff / 60);
}

} // namespace stellaro

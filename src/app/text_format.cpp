#include "app/text_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace stellaro {

namespace {

// Splits a non-negative value into whole units, minutes and seconds rounded to the decimals,
// carrying a rounded 60 into the next unit.
void split(double value, int decimals, long long& units, int& minutes, double& seconds)
{
    const double scale = std::pow(10.0, decimals);
    const long long ticks = std::llround(value * 3600.0 * scale);
    const long long per_minute = static_cast<long long>(60 * scale);
    const long long per_unit = per_minute * 60;
    units = ticks / per_unit;
    minutes = static_cast<int>((ticks % per_unit) / per_minute);
    seconds = static_cast<double>(ticks % per_minute) / scale;
}

} // namespace

std::string format_hms(double hours, int decimals)
{
    long long h = 0;
    int m = 0;
    double s = 0;
    split(std::fabs(hours), decimals, h, m, s);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s%lldh %02dm %0*.*fs", hours < 0 ? "-" : "", h, m, decimals + (decimals ? 3 : 2), decimals, s);
    return buffer;
}

std::string format_dms(double degrees, int decimals)
{
    long long d = 0;
    int m = 0;
    double s = 0;
    split(std::fabs(degrees), decimals, d, m, s);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s%lld\u00b0 %02d\u2032 %0*.*f\u2033", degrees < 0 ? "-" : "+", d, m,
                  decimals + (decimals ? 3 : 2), decimals, s);
    return buffer;
}

std::string format_place(double latitude, double longitude)
{
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%.4f\u00b0 %c, %.4f\u00b0 %c", std::fabs(latitude), latitude < 0 ? 'S' : 'N',
                  std::fabs(longitude), longitude < 0 ? 'W' : 'E');
    return buffer;
}

std::string format_zone(int bias_minutes)
{
    const int offset = -bias_minutes;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "UTC%c%02d:%02d", offset < 0 ? '-' : '+', std::abs(offset) / 60, std::abs(offset) % 60);
    return buffer;
}

} // namespace stellaro

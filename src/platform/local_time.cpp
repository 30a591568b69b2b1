#include "platform/local_time.h"

#include <climits>
#include <cstdlib>
#include <fstream>
#include <ctime>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace stellaro {

namespace {

constexpr size_t MAX_ZONE_NAME = 64;

// Puts the named zone in force for the C library's local-time calls while it lives, and the
// computer's own zone back afterwards. Used on the interface thread only, as the rest of the
// local-time calls.
class ZoneInForce {
public:
    explicit ZoneInForce(const std::string& zone) : active(!zone.empty())
    {
        if (!active)
            return;
        if (const char* before = std::getenv("TZ"))
            saved = before;
        setenv("TZ", zone.c_str(), 1);
        tzset();
    }
    ~ZoneInForce()
    {
        if (!active)
            return;
        if (saved)
            setenv("TZ", saved->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    ZoneInForce(const ZoneInForce&) = delete;
    ZoneInForce& operator=(const ZoneInForce&) = delete;

private:
    bool active;
    std::optional<std::string> saved;
};

std::string zone_folder()
{
    const char* folder = std::getenv("TZDIR");
    return folder && *folder ? folder : "/usr/share/zoneinfo";
}

bool is_name_char(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
           c == '+' || c == '/';
}

} // namespace

LocalClock local_clock_now() { return zone_clock_now({}); }

LocalClock zone_clock_now(const std::string& zone)
{
    const std::time_t now = std::time(nullptr);
    std::tm parts {};
    {
        ZoneInForce in_force(zone);
        localtime_r(&now, &parts);
    }
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

int zone_bias_minutes(int year, int month, int day, int hour, int minute)
{
    return zone_bias_minutes({}, year, month, day, hour, minute);
}

int zone_bias_minutes(const std::string& zone, int year, int month, int day, int hour, int minute)
{
    ZoneInForce in_force(zone);
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

bool zone_name_valid(std::string_view zone)
{
    if (zone.empty() || zone.size() > MAX_ZONE_NAME || zone.front() == '/' || zone.back() == '/')
        return false;
    size_t part_start = 0;
    for (size_t i = 0; i <= zone.size(); ++i) {
        if (i < zone.size() && zone[i] != '/') {
            if (!is_name_char(zone[i]))
                return false;
            continue;
        }
        // No empty parts and none starting with a sign that a shell or the rules would read as an option.
        if (i == part_start || zone[part_start] == '-')
            return false;
        part_start = i + 1;
    }
    return true;
}

bool zone_available(std::string_view zone)
{
    if (!zone_name_valid(zone))
        return false;
    struct stat info {};
    const std::string path = zone_folder() + "/" + std::string(zone);
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace stellaro

namespace stellaro {

std::string system_zone_name()
{
    if (const char* tz = std::getenv("TZ"); tz && *tz)
        return tz[0] == ':' ? std::string(tz + 1) : std::string(tz);
    char target[PATH_MAX];
    const ssize_t length = readlink("/etc/localtime", target, sizeof target - 1);
    if (length > 0) {
        const std::string path(target, static_cast<size_t>(length));
        constexpr std::string_view MARKER = "zoneinfo/";
        if (const size_t at = path.find(MARKER); at != std::string::npos)
            return path.substr(at + MARKER.size());
    }
    std::ifstream file("/etc/timezone");
    std::string name;
    if (file >> name && zone_name_valid(name))
        return name;
    return "UTC";
}

} // namespace stellaro

#include "platform/gps_fix.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace stellaro {

bool GpsFix::has_position() const
{
    return kind != GpsFixKind::NONE && std::isfinite(latitude_deg) && std::isfinite(longitude_deg) &&
           std::abs(latitude_deg) <= 90.0 && std::abs(longitude_deg) <= 180.0;
}

GpsFixKind fix_kind_of_mode(int mode)
{
    switch (mode) {
    case 2:
        return GpsFixKind::TWO_D;
    case 3:
        return GpsFixKind::THREE_D;
    default:
        return GpsFixKind::NONE;
    }
}

std::vector<GpsSatellite> strongest_satellites(std::vector<GpsSatellite> satellites, size_t count)
{
    std::erase_if(satellites, [](const GpsSatellite& satellite) {
        return !std::isfinite(satellite.elevation_deg) || !std::isfinite(satellite.azimuth_deg) ||
               satellite.elevation_deg < -90.0 || satellite.elevation_deg > 90.0 ||
               satellite.azimuth_deg < -360.0 || satellite.azimuth_deg > 360.0;
    });
    for (GpsSatellite& satellite : satellites) {
        if (!std::isfinite(satellite.signal_db) || satellite.signal_db < 0.0)
            satellite.signal_db = -1.0;
    }
    std::stable_sort(satellites.begin(), satellites.end(), [](const GpsSatellite& a, const GpsSatellite& b) {
        if (a.signal_db != b.signal_db)
            return a.signal_db > b.signal_db;
        return a.prn < b.prn;
    });
    if (satellites.size() > count)
        satellites.resize(count);
    return satellites;
}

GpsdAddress default_gpsd_address() { return {"localhost", "2947"}; }

std::optional<GpsdAddress> parse_gpsd_address(const std::string& text)
{
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0)
        return std::nullopt;
    std::string host = text.substr(0, colon);
    const std::string port = text.substr(colon + 1);
    if (host.front() == '[') {
        if (host.size() < 3 || host.back() != ']')
            return std::nullopt;
        host = host.substr(1, host.size() - 2);
    } else if (host.find(':') != std::string::npos) {
        return std::nullopt;
    }
    if (port.empty() || port.size() > 5 || !std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int number = std::stoi(port);
    if (number < 1 || number > 65535)
        return std::nullopt;
    return GpsdAddress{host, port};
}

std::optional<GpsdAddress> gpsd_address_from_environment()
{
    const char* named = std::getenv("STELLARO_GPSD");
    if (!named || !*named)
        return default_gpsd_address();
    return parse_gpsd_address(named);
}

} // namespace stellaro

#pragma once
#include <string>
#include <vector>

namespace stellaro {

// The time-zone database's table of zones ("zone1970.tab"): per zone the countries it covers,
// its reference point and its name.
class ZoneTable {
public:
    // Reads the table; false (with a message in `problem`) when it cannot be read or a row is malformed.
    bool load(const std::string& path);

    // The zone of a place in a country: among the zones covering the country, the one whose
    // reference point is nearest; a country the table does not list (Kosovo) takes the nearest
    // zone of any country. Empty when the table is empty.
    std::string zone_of(const std::string& country, double latitude_deg, double longitude_deg) const;

    size_t size() const { return zones.size(); }
    std::string problem;

private:
    struct Zone {
        std::vector<std::string> countries;
        double latitude_deg = 0.0;
        double longitude_deg = 0.0;
        std::string name;
    };
    std::vector<Zone> zones;
};

// Reads an ISO 6709 coordinate pair, "+DDMM+DDDMM" or "+DDMMSS+DDDMMSS"; false when malformed.
bool parse_iso6709(const std::string& text, double& latitude_deg, double& longitude_deg);

} // namespace stellaro

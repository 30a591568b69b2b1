#include "zone_table.h"

#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

namespace stellaro {

namespace {

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator))
        parts.push_back(part);
    return parts;
}

// One signed sexagesimal angle of `degree_digits` degree digits, then minutes and maybe seconds.
bool parse_angle(const std::string& text, size_t degree_digits, double& degrees)
{
    if (text.size() != 1 + degree_digits + 2 && text.size() != 1 + degree_digits + 4)
        return false;
    if (text[0] != '+' && text[0] != '-')
        return false;
    for (size_t i = 1; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    const double whole = std::stod(text.substr(1, degree_digits));
    const double minutes = std::stod(text.substr(1 + degree_digits, 2));
    const double seconds = text.size() > 1 + degree_digits + 2 ? std::stod(text.substr(1 + degree_digits + 2, 2)) : 0.0;
    degrees = (whole + minutes / 60.0 + seconds / 3600.0) * (text[0] == '-' ? -1.0 : 1.0);
    return true;
}

// The angle between two places on the sphere, in radians.
double separation(double lat1_deg, double lon1_deg, double lat2_deg, double lon2_deg)
{
    constexpr double TO_RAD = 3.14159265358979323846 / 180.0;
    const double a = std::sin((lat2_deg - lat1_deg) * TO_RAD / 2);
    const double b = std::sin((lon2_deg - lon1_deg) * TO_RAD / 2);
    const double h = a * a + std::cos(lat1_deg * TO_RAD) * std::cos(lat2_deg * TO_RAD) * b * b;
    return 2 * std::asin(std::sqrt(std::min(1.0, h)));
}

} // namespace

bool parse_iso6709(const std::string& text, double& latitude_deg, double& longitude_deg)
{
    const size_t split_at = text.find_first_of("+-", 1);
    if (split_at == std::string::npos)
        return false;
    return parse_angle(text.substr(0, split_at), 2, latitude_deg) && parse_angle(text.substr(split_at), 3, longitude_deg);
}

bool ZoneTable::load(const std::string& path)
{
    std::ifstream file(path);
    if (!file) {
        problem = path + ": cannot be read";
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> fields = split(line, '\t');
        Zone zone;
        if (fields.size() < 3 || !parse_iso6709(fields[1], zone.latitude_deg, zone.longitude_deg) || fields[2].empty()) {
            problem = path + ": line " + std::to_string(number) + " is not a zone";
            return false;
        }
        zone.countries = split(fields[0], ',');
        zone.name = fields[2];
        zones.push_back(std::move(zone));
    }
    if (zones.empty()) {
        problem = path + ": holds no zones";
        return false;
    }
    return true;
}

std::string ZoneTable::zone_of(const std::string& country, double latitude_deg, double longitude_deg) const
{
    const Zone* best = nullptr;
    const Zone* best_anywhere = nullptr;
    double best_distance = std::numeric_limits<double>::max();
    double best_anywhere_distance = std::numeric_limits<double>::max();
    for (const Zone& zone : zones) {
        const double distance = separation(latitude_deg, longitude_deg, zone.latitude_deg, zone.longitude_deg);
        if (distance < best_anywhere_distance) {
            best_anywhere = &zone;
            best_anywhere_distance = distance;
        }
        bool covers = false;
        for (const std::string& code : zone.countries)
            covers = covers || code == country;
        if (covers && distance < best_distance) {
            best = &zone;
            best_distance = distance;
        }
    }
    if (best)
        return best->name;
    return best_anywhere ? best_anywhere->name : std::string();
}

} // namespace stellaro

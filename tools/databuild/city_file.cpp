#include "city_file.h"

#include "keypad_key.h"
#include "tsv_table.h"
#include "zone_table.h"

#include "document/city_database.h"
#include "platform/utf.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <tuple>

namespace stellaro {

namespace {

struct SourceCity {
    CityRecord record;
    CityFilePosition position;
    std::u16string sort_key; // the name folded to base letters, for an order that ignores case and accents
    long population = 0;
};

std::u16string folded(const std::u16string& name)
{
    std::u16string out;
    for (char16_t c : name) {
        const char16_t letter = base_letter(c);
        if (letter != 0)
            out.push_back(letter);
        else if (c < 0x0300 || c > 0x036F)
            out.push_back(c);
    }
    return out;
}

int32_t fine_degrees(double degrees)
{
    return static_cast<int32_t>(std::llround(degrees * 1048576.0));
}

} // namespace

bool build_city_file(const std::string& source_path, const std::string& zones_path, std::string& bytes, size_t& count)
{
    ZoneTable zones;
    if (!zones.load(zones_path)) {
        std::cerr << zones.problem << "\n";
        return false;
    }
    TsvTable table;
    if (!table.load(source_path)) {
        std::cerr << table.problem << "\n";
        return false;
    }
    const int name = table.column("name");
    const int ascii = table.column("ascii_name");
    const int country = table.column("country");
    const int latitude = table.column("lat");
    const int longitude = table.column("lon");
    const int population = table.column("population");
    if (name < 0 || ascii < 0 || country < 0 || latitude < 0 || longitude < 0 || population < 0) {
        std::cerr << source_path << ": a column is missing\n";
        return false;
    }
    std::vector<SourceCity> cities;
    cities.reserve(table.size());
    for (size_t row = 0; row < table.size(); ++row) {
        SourceCity city;
        double lat = 0.0;
        double lon = 0.0;
        city.record.name = utf8_to_utf16(table.field(row, name));
        city.record.country = utf8_to_utf16(table.field(row, country));
        if (city.record.name.empty() || city.record.country.empty() || !parse_double(table.field(row, latitude), lat) ||
            !parse_double(table.field(row, longitude), lon) || std::abs(lat) > 90.0 || std::abs(lon) > 180.0) {
            std::cerr << source_path << ": row " << row + 2 << " is not a valid city\n";
            return false;
        }
        parse_int(table.field(row, population), city.population);
        city.record.key = keypad_key(city.record.name, utf8_to_utf16(table.field(row, ascii)));
        city.position = {fine_degrees(lat), fine_degrees(lon)};
        city.record.zone = zones.zone_of(table.field(row, country), lat, lon);
        city.record.latitude = city.position.latitude / 1024;
        city.record.longitude = city.position.longitude / 1024;
        city.sort_key = folded(city.record.name);
        cities.push_back(std::move(city));
    }
    // By name; among cities of the same name the larger first, so "Paris" (France) leads "Paris" (Texas).
    std::stable_sort(cities.begin(), cities.end(), [](const SourceCity& a, const SourceCity& b) {
        return std::tie(a.sort_key, a.record.name, b.population, a.record.country) <
               std::tie(b.sort_key, b.record.name, a.population, b.record.country);
    });
    std::vector<CityRecord> records;
    std::vector<CityFilePosition> positions;
    for (SourceCity& city : cities) {
        records.push_back(std::move(city.record));
        positions.push_back(city.position);
    }
    bytes = serialize_cities(records, positions);
    count = records.size();
    return true;
}

} // namespace stellaro

#pragma once
#include "document/city_record.h"

#include <string>
#include <string_view>
#include <vector>

namespace stellaro {

// What reading "cities.db" found.
struct CityReadResult {
    bool count_read = false;     // false: no cities at all (missing or empty file)
    bool complete = false;       // every record the header announced was read
    int32_t announced = 0;       // the header's record count
    size_t skipped = 0;          // records with coordinates off the globe, left out
    std::string problem;         // why reading stopped early, for the log
};

// Parses the bytes of "cities.db": a little-endian signed record count, then per record the
// country, name and key strings and the latitude and longitude in degrees x 2^20. Every count
// and length is checked against the bytes that remain; reading stops at the first damaged
// record and keeps the records read before it.
CityReadResult parse_cities(std::string_view bytes, std::vector<CityRecord>& cities);

// Reads a city database file; a missing file gives no cities.
CityReadResult read_city_file(const std::string& path, std::vector<CityRecord>& cities);

// The file form of a record list (the reverse of parse_cities), used by the data tools and tests.
std::string serialize_cities(const std::vector<CityRecord>& cities);

// A city's position as the file keeps it: degrees x 2^20, finer than the records in memory.
struct CityFilePosition {
    int32_t latitude = 0;
    int32_t longitude = 0;
};

// The file form with the full precision of the positions, one position per record (missing
// positions fall back to the record's own).
std::string serialize_cities(const std::vector<CityRecord>& cities, const std::vector<CityFilePosition>& positions);

} // namespace stellaro

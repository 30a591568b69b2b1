#pragma once
#include "document/city_record.h"

#include <string>
#include <string_view>
#include <vector>

namespace stellaro {

// What reading "cities.db" found.
struct CityReadResult {
    bool count_read = false;  // false: no cities at all (missing or empty file)
    int32_t announced = 0;    // the header's record count
    size_t damaged = 0;       // places where damaged records were left out
    size_t skipped_bytes = 0; // bytes passed over to find the next sound record after damage
    std::string problem;      // what was wrong with the file, for the user; empty when it was sound

    bool sound() const { return problem.empty(); }
};

// Parses the bytes of "cities.db": a little-endian signed record count, then per record the
// country, name and key strings, the latitude and longitude in degrees x 2^20 and the name of
// its time zone. A record is sound when every length fits the bytes that remain, the country is
// two capital letters, the name is valid UTF-16 text of 1 to 255 units, the key spells the name
// on a telephone keypad, the position lies on the globe and the zone is a well-formed zone name or
// empty (the computer's zone). A damaged record is left out and reading goes on at the
// next offset where a sound record starts, so the cities on either side of the damage survive;
// the records read must number what the count says.
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

#pragma once
#include <string>

namespace stellaro {

// Reads "cities.tsv" and gives the bytes of "cities.db": every city with its keypad key and its
// time zone (from the zone table "zone1970.tab"), sorted by name as the city list shows it.
// False with a message on stderr when a source is unusable.
bool build_city_file(const std::string& source_path, const std::string& zones_path, std::string& bytes, size_t& count);

} // namespace stellaro

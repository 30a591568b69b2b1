#include "document/city_database.h"

#include "platform/atomic_file.h"
#include "skin/io/packed_bytes.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace stellaro {

namespace {

constexpr int64_t SCALE = 1 << 20;
// The smallest record: three one-byte string lengths and two coordinates.
constexpr size_t MIN_RECORD_BYTES = 3 + 4 + 4;
constexpr size_t MAX_FILE_BYTES = 512u * 1024 * 1024;

} // namespace

CityReadResult parse_cities(std::string_view bytes, std::vector<CityRecord>& cities)
{
    CityReadResult result;
    cities.clear();
    ByteReader reader(bytes);
    if (!reader.integer(4, result.announced)) {
        result.problem = "no record count";
        return result;
    }
    result.count_read = true;
    if (result.announced < 0) {
        result.problem = "negative record count";
        return result;
    }
    // Never reserve more records than the file could hold, whatever the header says.
    const size_t possible = reader.remaining() / MIN_RECORD_BYTES;
    cities.reserve(std::min(static_cast<size_t>(result.announced), possible));
    for (int32_t i = 0; i < result.announced; ++i) {
        CityRecord record;
        int32_t latitude = 0;
        int32_t longitude = 0;
        if (!reader.string(record.country) || !reader.string(record.name) || !reader.string(record.key) ||
            !reader.integer(4, latitude) || !reader.integer(4, longitude)) {
            result.problem = "record " + std::to_string(i) + " is damaged or cut short";
            return result;
        }
        if (std::abs(static_cast<int64_t>(latitude)) > 90 * SCALE || std::abs(static_cast<int64_t>(longitude)) > 180 * SCALE) {
            ++result.skipped;
            continue;
        }
        record.latitude = latitude / 1024;
        record.longitude = longitude / 1024;
        cities.push_back(std::move(record));
    }
    result.complete = true;
    return result;
}

CityReadResult read_city_file(const std::string& path, std::vector<CityRecord>& cities)
{
    std::string bytes;
    if (!read_whole_file(path, bytes, MAX_FILE_BYTES)) {
        cities.clear();
        CityReadResult result;
        result.problem = "cannot be read";
        return result;
    }
    return parse_cities(bytes, cities);
}

std::string serialize_cities(const std::vector<CityRecord>& cities)
{
    std::string out;
    put_integer(out, static_cast<int32_t>(cities.size()), 4);
    for (const CityRecord& city : cities) {
        put_string(out, city.country);
        put_string(out, city.name);
        put_string(out, city.key);
        put_integer(out, city.latitude * 1024, 4);
        put_integer(out, city.longitude * 1024, 4);
    }
    return out;
}

std::string serialize_cities(const std::vector<CityRecord>& cities, const std::vector<CityFilePosition>& positions)
{
    std::string out;
    put_integer(out, static_cast<int32_t>(cities.size()), 4);
    for (size_t i = 0; i < cities.size(); ++i) {
        const CityRecord& city = cities[i];
        const CityFilePosition position =
            i < positions.size() ? positions[i] : CityFilePosition{city.latitude * 1024, city.longitude * 1024};
        put_string(out, city.country);
        put_string(out, city.name);
        put_string(out, city.key);
        put_integer(out, position.latitude, 4);
        put_integer(out, position.longitude, 4);
    }
    return out;
}

} // namespace stellaro

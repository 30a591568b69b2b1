#include "document/city_database.h"

#include "platform/atomic_file.h"
#include "platform/local_time.h"
#include "skin/io/packed_bytes.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace stellaro {

namespace {

constexpr int64_t SCALE = 1 << 20;
// The smallest record: three one-byte string lengths, two coordinates and the zone's length.
constexpr size_t MIN_RECORD_BYTES = 3 + 4 + 4 + 1;
constexpr size_t MAX_FILE_BYTES = 512u * 1024 * 1024;
constexpr size_t MAX_NAME_LENGTH = 255;
constexpr char KEYPAD_DIGITS[] = "22233344455566677778889999";

bool is_capital(char16_t c) { return c >= u'A' && c <= u'Z'; }
bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Text a person can read: no control characters, no unpaired surrogates, no non-characters.
bool is_valid_text(std::u16string_view text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0xFFFE || c == 0xFFFF || (c >= 0xDC00 && c <= 0xDFFF))
            return false;
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF)
                return false;
            ++i;
        }
    }
    return true;
}

// The key holds, at each position of the name, the keypad digit of an ASCII letter, the digit
// itself, a blank for other ASCII signs, and a digit or a blank for the letters beyond ASCII.
bool key_spells_name(std::u16string_view key, std::u16string_view name)
{
    if (key.size() != name.size())
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const char16_t c = name[i];
        const char16_t k = key[i];
        char16_t expected = u' ';
        if (c >= 0x80) {
            if (k != u' ' && !is_digit(k))
                return false;
            continue;
        }
        if (is_digit(c))
            expected = c;
        else if (is_capital(c))
            expected = static_cast<char16_t>(KEYPAD_DIGITS[c - u'A']);
        else if (c >= u'a' && c <= u'z')
            expected = static_cast<char16_t>(KEYPAD_DIGITS[c - u'a']);
        if (k != expected)
            return false;
    }
    return true;
}

// Reads one record and checks it; null when it is sound, else why not.
const char* read_record(ByteReader& reader, CityRecord& record)
{
    int32_t latitude = 0;
    int32_t longitude = 0;
    std::u16string zone;
    if (!reader.string(record.country) || !reader.string(record.name) || !reader.string(record.key) ||
        !reader.integer(4, latitude) || !reader.integer(4, longitude) || !reader.string(zone))
        return "a length beyond the end of the file";
    if (record.country.size() != 2 || !is_capital(record.country[0]) || !is_capital(record.country[1]))
        return "a country that is not two capital letters";
    if (record.name.empty() || record.name.size() > MAX_NAME_LENGTH || !is_valid_text(record.name))
        return "a name that is not text of 1 to 255 characters";
    if (!key_spells_name(record.key, record.name))
        return "a keypad key that does not spell the name";
    if (std::abs(static_cast<int64_t>(latitude)) > 90 * SCALE || std::abs(static_cast<int64_t>(longitude)) > 180 * SCALE)
        return "a position off the globe";
    // The zone is handed to the system's rules, so only a plain zone name will do; none at all
    // leaves the city in the computer's zone.
    record.zone.assign(zone.begin(), zone.end());
    if (!std::all_of(zone.begin(), zone.end(), [](char16_t c) { return c < 0x80; }) ||
        (!record.zone.empty() && !zone_name_valid(record.zone)))
        return "a time zone that is not a zone name";
    record.latitude = latitude / 1024;
    record.longitude = longitude / 1024;
    return nullptr;
}

// The offset of the next record after `from` that reads as a sound city; the end when none does.
size_t next_sound_record(std::string_view bytes, size_t from)
{
    for (size_t at = from; at + MIN_RECORD_BYTES <= bytes.size(); ++at) {
        ByteReader reader(bytes.substr(at));
        CityRecord record;
        if (!read_record(reader, record))
            return at;
    }
    return bytes.size();
}

} // namespace

CityReadResult parse_cities(std::string_view bytes, std::vector<CityRecord>& cities)
{
    CityReadResult result;
    cities.clear();
    ByteReader reader(bytes);
    if (!reader.integer(4, result.announced)) {
        result.problem = bytes.empty() ? "it is empty" : "it is cut short in its record count";
        return result;
    }
    result.count_read = true;
    // Never reserve more records than the file could hold, whatever the header says.
    const size_t possible = reader.remaining() / MIN_RECORD_BYTES;
    cities.reserve(std::min(static_cast<size_t>(std::max(result.announced, 0)), possible));
    size_t position = reader.offset();
    size_t first_fault_at = 0;
    const char* first_fault = nullptr;
    while (position < bytes.size()) {
        ByteReader record_reader(bytes.substr(position));
        CityRecord record;
        if (const char* fault = read_record(record_reader, record)) {
            if (!first_fault) {
                first_fault = fault;
                first_fault_at = position;
            }
            ++result.damaged;
            const size_t next = next_sound_record(bytes, position + 1);
            result.skipped_bytes += next - position;
            position = next;
            continue;
        }
        position += record_reader.offset();
        cities.push_back(std::move(record));
    }
    if (first_fault)
        result.problem = "damaged records at " + std::to_string(result.damaged) + " places left out, the first at byte " +
                         std::to_string(first_fault_at) + " (" + first_fault + "); ";
    if (first_fault || static_cast<int64_t>(cities.size()) != result.announced)
        result.problem += std::to_string(cities.size()) + " cities read where its count says " + std::to_string(result.announced);
    return result;
}

CityReadResult read_city_file(const std::string& path, std::vector<CityRecord>& cities)
{
    std::string bytes;
    if (!read_whole_file(path, bytes, MAX_FILE_BYTES)) {
        cities.clear();
        CityReadResult result;
        result.problem = "it cannot be read";
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
        put_string(out, std::u16string(city.zone.begin(), city.zone.end()));
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
        put_string(out, std::u16string(city.zone.begin(), city.zone.end()));
    }
    return out;
}

} // namespace stellaro

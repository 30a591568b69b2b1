#include "catalog/star_catalog_file.h"

#include "astro/angles.h"
#include "skin/io/file_stream.h"
#include "skin/io/packed_bytes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace stellaro {

namespace {

constexpr int32_t FORMAT_VERSION = 1;
// A record without a constellation code: number, ra, dec, then eight 16-bit fields.
constexpr size_t MIN_RECORD_BYTES = 4 + 4 + 4 + 8 * 2;
constexpr uint64_t MAX_FILE_BYTES = 64u * 1024 * 1024;
// Catalogue numbers up to this are always accepted, so that a small or thinned-out catalogue
// may keep its stars' numbers; a larger N must not exceed a few times the records the file
// could hold, so that a damaged header cannot demand an enormous array.
constexpr int32_t ALWAYS_ACCEPTED_HIGHEST = 16383;
constexpr size_t MAX_SPARSENESS = 4;
// Bayer letters are the small Greek letters alpha to omega.
constexpr int32_t FIRST_BAYER_LETTER = 0x03B1;
constexpr int32_t LAST_BAYER_LETTER = 0x03C9;
constexpr size_t MAX_CODE_LENGTH = 255;
// The stored direction is the position's unit vector x 1024 truncated; a little more than the
// truncation and the rounding of the position to tenths of a second is allowed.
constexpr double DIRECTION_TOLERANCE = 4.0;

bool is_ascii_letter(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool direction_matches_position(const StarRecord& star)
{
    const EquatorialVector expected = equatorial_vector(star.ra_hours() * HOURS_TO_RAD, star.dec_degrees() * DEG_TO_RAD);
    return std::abs(expected.x * FIXED_ONE - static_cast<double>(star.direction_fixed.x)) <= DIRECTION_TOLERANCE &&
           std::abs(expected.y * FIXED_ONE - static_cast<double>(star.direction_fixed.y)) <= DIRECTION_TOLERANCE &&
           std::abs(expected.z * FIXED_ONE - static_cast<double>(star.direction_fixed.z)) <= DIRECTION_TOLERANCE;
}

// One record as read, and whether it can be a star.
struct RecordRead {
    const char* fault = nullptr; // why the record is no star; null for a sound one
    bool length_known = false;   // the next record starts where this one ended
};

RecordRead read_record(ByteReader& reader, int32_t highest, StarRecord& star)
{
    int32_t magnitude = 0;
    int32_t colour[3] = {};
    int32_t letter = 0;
    if (!reader.integer(4, star.id) || !reader.integer(4, star.ra) || !reader.integer(4, star.dec) ||
        !reader.integer(2, magnitude) || !reader.integer(2, colour[0]) || !reader.integer(2, colour[1]) ||
        !reader.integer(2, colour[2]) || !reader.integer(2, letter))
        return {"cut short"};
    star.magnitude = magnitude;
    letter &= 0xFFFF;
    if (letter != 0 && (letter < FIRST_BAYER_LETTER || letter > LAST_BAYER_LETTER))
        return {"a Bayer letter that is no Greek letter"};
    star.bayer_letter = static_cast<char16_t>(letter);
    if (letter != 0 && !reader.string(star.constellation_code))
        return {"a damaged or cut-short constellation code"};
    int32_t v[3] = {};
    for (int32_t& component : v) {
        if (!reader.integer(2, component))
            return {"cut short"};
    }
    star.colour = {static_cast<uint8_t>(colour[0] & 0xFF), static_cast<uint8_t>(colour[1] & 0xFF),
                   static_cast<uint8_t>(colour[2] & 0xFF), 255};
    star.direction = {v[0] * 0.0009765625, v[1] * 0.0009765625, v[2] * 0.0009765625};
    star.direction_fixed = {v[0], v[1], v[2], FIXED_ONE};

    int row = 0;
    int column = 0;
    if (star.id < 0 || star.id > highest)
        return {"a catalogue number outside 0..N", true};
    if (!SkyGrid::cell_of(star.ra, star.dec, row, column))
        return {"a position off the sky", true};
    for (const int32_t component : colour) {
        if (component < 0 || component > 255)
            return {"a colour component above 255", true};
    }
    if (star.constellation_code.size() > MAX_CODE_LENGTH ||
        !std::all_of(star.constellation_code.begin(), star.constellation_code.end(), is_ascii_letter))
        return {"a constellation code that is not letters", true};
    if (!direction_matches_position(star))
        return {"a direction that does not match its position", true};
    return {nullptr, true};
}

// The offset of the next record after `from` that reads as a sound star; the end when none does.
size_t next_sound_record(std::string_view bytes, size_t from, int32_t highest)
{
    for (size_t at = from; at + MIN_RECORD_BYTES <= bytes.size(); ++at) {
        ByteReader reader(bytes.substr(at));
        StarRecord star;
        if (!read_record(reader, highest, star).fault)
            return at;
    }
    return bytes.size();
}

void add_problem(std::string& problem, const std::string& text)
{
    problem += (problem.empty() ? "" : "; ") + text;
}

} // namespace

TwinkleSequence::TwinkleSequence()
{
    // Seed 1 spread by the minimal standard generator (Schrage's method keeps it in 32 bits),
    // then the first ten rounds thrown away, as the C library does.
    int32_t word = 1;
    state[0] = 1;
    for (size_t i = 1; i < DEGREE; ++i) {
        const int32_t high = word / 127773;
        const int32_t low = word % 127773;
        word = 16807 * low - 2836 * high;
        if (word < 0)
            word += 2147483647;
        state[i] = static_cast<uint32_t>(word);
    }
    for (size_t i = 0; i < 10 * DEGREE; ++i)
        next_value();
}

uint32_t TwinkleSequence::next_value()
{
    state[front] += state[rear];
    const uint32_t value = state[front] >> 1;
    front = (front + 1) % DEGREE;
    rear = (rear + 1) % DEGREE;
    return value;
}

int32_t TwinkleSequence::next_phase()
{
    return static_cast<int32_t>(next_value() % 1024) * 16;
}

StarCatalogLoad parse_star_catalog(std::string_view bytes, StarCatalog& catalog, SkyGrid& grid)
{
    StarCatalogLoad result;
    TwinkleSequence twinkles;
    catalog.reset(0);
    grid.clear_stars();
    ByteReader reader(bytes);
    int32_t version = 0;
    if (!reader.integer(4, version)) {
        result.problem = bytes.empty() ? "it is empty" : "it is cut short in its header";
        return result;
    }
    if (version != FORMAT_VERSION) {
        result.problem = "its format version " + std::to_string(version) + " is not 1";
        return result;
    }
    if (!reader.integer(4, result.highest)) {
        result.problem = "it is cut short in its header";
        return result;
    }
    if (result.highest < 0) {
        result.problem = "its header names a negative highest catalogue number " + std::to_string(result.highest);
        return result;
    }
    const size_t possible = reader.remaining() / MIN_RECORD_BYTES;
    if (result.highest > ALWAYS_ACCEPTED_HIGHEST &&
        static_cast<size_t>(result.highest) / MAX_SPARSENESS > possible) {
        result.problem = "its header names a highest catalogue number " + std::to_string(result.highest) +
                         ", far beyond the " + std::to_string(possible) + " records the file can hold";
        return result;
    }
    result.header_read = true;
    catalog.reset(static_cast<size_t>(result.highest) + 1);

    size_t position = reader.offset();
    size_t first_fault_at = 0;
    const char* first_fault = nullptr;
    while (position < bytes.size()) {
        ByteReader record(bytes.substr(position));
        StarRecord star;
        const RecordRead read = read_record(record, result.highest, star);
        if (read.fault) {
            if (!first_fault) {
                first_fault = read.fault;
                first_fault_at = position;
            }
            ++result.rejected;
            if (read.length_known) {
                position += record.offset();
            } else {
                const size_t next = next_sound_record(bytes, position + 1, result.highest);
                result.skipped_bytes += next - position;
                position = next;
            }
            continue;
        }
        position += record.offset();
        StarRecord& slot = catalog[static_cast<size_t>(star.id)];
        if (slot.valid) {
            // The later record wins everywhere, so the star is listed in one cell only.
            grid.remove_star(slot.id, slot.ra, slot.dec);
            ++result.replaced;
        }
        star.twinkle_phase = twinkles.next_phase();
        star.valid = true;
        grid.add_star(star.id, star.ra, star.dec);
        slot = std::move(star);
        ++result.loaded;
    }
    if (first_fault)
        add_problem(result.problem, std::to_string(result.rejected) + " damaged records left out, the first at byte " +
                                        std::to_string(first_fault_at) + " (" + first_fault + ")");
    if (!catalog[static_cast<size_t>(result.highest)].valid)
        add_problem(result.problem, "it ends before star " + std::to_string(result.highest) +
                                        ", the highest number its header names");
    return result;
}

StarCatalogLoad load_star_catalog(std::u16string_view path, StarCatalog& catalog, SkyGrid& grid)
{
    std::string bytes;
    if (!read_whole_stream(path, bytes, MAX_FILE_BYTES)) {
        catalog.reset(0);
        grid.clear_stars();
        StarCatalogLoad result;
        result.problem = "it cannot be read";
        return result;
    }
    return parse_star_catalog(bytes, catalog, grid);
}

std::string star_record_bytes(const StarRecord& star)
{
    std::string out;
    put_integer(out, star.id, 4);
    put_integer(out, star.ra, 4);
    put_integer(out, star.dec, 4);
    put_integer(out, star.magnitude, 2);
    put_integer(out, star.colour.red, 2);
    put_integer(out, star.colour.green, 2);
    put_integer(out, star.colour.blue, 2);
    put_integer(out, star.bayer_letter, 2);
    if (star.bayer_letter != 0)
        put_string(out, star.constellation_code);
    put_integer(out, star.direction_fixed.x, 2);
    put_integer(out, star.direction_fixed.y, 2);
    put_integer(out, star.direction_fixed.z, 2);
    return out;
}

std::string star_catalog_bytes(int32_t highest, const std::vector<StarRecord>& stars)
{
    std::string out;
    put_integer(out, FORMAT_VERSION, 4);
    put_integer(out, highest, 4);
    for (const StarRecord& star : stars)
        out += star_record_bytes(star);
    return out;
}

} // namespace stellaro

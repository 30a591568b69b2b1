#include "catalog/star_catalog_file.h"

#include "platform/clock.h"
#include "skin/io/file_stream.h"
#include "skin/io/log.h"
#include "skin/io/packed_bytes.h"
#include "skin/io/paths.h"

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

bool read_record(ByteReader& reader, StarRecord& star)
{
    int32_t magnitude = 0;
    int32_t colour[3] = {};
    int32_t letter = 0;
    if (!reader.integer(4, star.id) || !reader.integer(4, star.ra) || !reader.integer(4, star.dec) ||
        !reader.integer(2, magnitude) || !reader.integer(2, colour[0]) || !reader.integer(2, colour[1]) ||
        !reader.integer(2, colour[2]) || !reader.integer(2, letter))
        return false;
    star.magnitude = magnitude;
    star.colour = {static_cast<uint8_t>(colour[0] & 0xFF), static_cast<uint8_t>(colour[1] & 0xFF),
                   static_cast<uint8_t>(colour[2] & 0xFF), 255};
    star.bayer_letter = static_cast<char16_t>(letter & 0xFFFF);
    if (star.bayer_letter != 0 && !reader.string(star.constellation_code))
        return false;
    int32_t v[3] = {};
    for (int32_t& component : v) {
        if (!reader.integer(2, component))
            return false;
    }
    star.direction = {v[0] * 0.0009765625, v[1] * 0.0009765625, v[2] * 0.0009765625};
    star.direction_fixed = {v[0], v[1], v[2], FIXED_ONE};
    return true;
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
        result.problem = "no header";
        return result;
    }
    if (version != FORMAT_VERSION) {
        result.problem = "format version " + std::to_string(version) + " is not 1";
        return result;
    }
    if (!reader.integer(4, result.highest)) {
        result.problem = "no highest catalogue number";
        return result;
    }
    if (result.highest < 0) {
        result.problem = "negative highest catalogue number " + std::to_string(result.highest);
        return result;
    }
    const size_t possible = reader.remaining() / MIN_RECORD_BYTES;
    if (result.highest > ALWAYS_ACCEPTED_HIGHEST &&
        static_cast<size_t>(result.highest) / MAX_SPARSENESS > possible) {
        result.problem = "highest catalogue number " + std::to_string(result.highest) +
                         " is far beyond the " + std::to_string(possible) + " records the file can hold";
        return result;
    }
    result.header_read = true;
    catalog.reset(static_cast<size_t>(result.highest) + 1);

    while (reader.remaining() > 0) {
        const size_t start = reader.offset();
        StarRecord star;
        if (!read_record(reader, star)) {
            result.problem = "record at byte " + std::to_string(start) + " is damaged or cut short";
            break;
        }
        int row = 0;
        int column = 0;
        if (star.id < 0 || star.id > result.highest || !SkyGrid::cell_of(star.ra, star.dec, row, column)) {
            ++result.rejected;
            continue;
        }
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
    return result;
}

StarCatalogLoad load_star_catalog(std::u16string_view path, StarCatalog& catalog, SkyGrid& grid)
{
    std::string bytes;
    if (!read_whole_stream(path, bytes, MAX_FILE_BYTES)) {
        catalog.reset(0);
        grid.clear_stars();
        StarCatalogLoad result;
        result.problem = "cannot be read";
        log() << tick_count() << " StarCatalog: " << file_part(path) << " cannot be read; no stars\n";
        return result;
    }
    StarCatalogLoad result = parse_star_catalog(bytes, catalog, grid);
    if (!result.problem.empty())
        log() << tick_count() << " StarCatalog: " << file_part(path) << ": " << result.problem << "\n";
    if (result.rejected > 0 || result.replaced > 0)
        log() << tick_count() << " StarCatalog: " << file_part(path) << ": " << result.rejected
              << " records rejected (number outside 0.." << result.highest << " or position off the sky), "
              << result.replaced << " replaced by a later record of the same number\n";
    return result;
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

#include "catalog/constellation_file.h"

#include "platform/clock.h"
#include "skin/io/file_stream.h"
#include "skin/io/log.h"
#include "skin/io/paths.h"

#include <algorithm>
#include <optional>

namespace stellaro {

namespace {

constexpr uint64_t MAX_FILE_BYTES = 16u * 1024 * 1024;
// The first four numbers of a line are not part of the figure.
constexpr size_t SKIPPED_NUMBERS = 4;
// Longer digit runs are no star number either; stop before they overflow.
constexpr int64_t NUMBER_LIMIT = int64_t{1} << 40;

bool is_space(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// White space, an optional sign and a run of digits; whatever follows them is ignored.
std::optional<int64_t> leading_number(std::string_view field)
{
    size_t i = 0;
    while (i < field.size() && is_space(field[i]))
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
        negative = field[i] == '-';
        ++i;
    }
    if (i >= field.size() || field[i] < '0' || field[i] > '9')
        return std::nullopt;
    int64_t value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
        value = std::min(value * 10 + (field[i] - '0'), NUMBER_LIMIT);
    return negative ? -value : value;
}

std::vector<int64_t> number_list(std::string_view text)
{
    std::vector<int64_t> numbers;
    while (true) {
        const size_t comma = text.find(',');
        const std::optional<int64_t> number = leading_number(text.substr(0, comma));
        if (!number)
            break;
        numbers.push_back(*number);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return numbers;
}

enum class LineResult { LOADED, IGNORED, REJECTED, EMPTY };

LineResult parse_line(std::string_view line, const StarCatalog& catalog, Constellation& constellation)
{
    size_t start = 0;
    while (start < line.size() && is_space(line[start]))
        ++start;
    const size_t first_comma = line.find(',', start);
    if (first_comma == std::string_view::npos || first_comma == start)
        return LineResult::IGNORED;
    const size_t second_comma = line.find(',', first_comma + 1);
    if (second_comma == std::string_view::npos)
        return LineResult::IGNORED;
    const std::vector<int64_t> numbers = number_list(line.substr(second_comma + 1));
    if (numbers.size() <= SKIPPED_NUMBERS)
        return LineResult::IGNORED;

    for (const char c : line.substr(start, first_comma - start))
        constellation.code.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    bool has_star = false;
    for (size_t i = SKIPPED_NUMBERS; i < numbers.size(); ++i) {
        if (numbers[i] != PEN_UP && !catalog.find(numbers[i]))
            return LineResult::REJECTED;
        has_star = has_star || numbers[i] != PEN_UP;
        constellation.figure.push_back(static_cast<int32_t>(numbers[i]));
    }
    if (!has_star)
        return LineResult::EMPTY;
    return place_label(constellation, catalog) ? LineResult::LOADED : LineResult::REJECTED;
}

} // namespace

ConstellationLoad parse_constellations(std::string_view text, const StarCatalog& catalog,
                                       std::vector<Constellation>& constellations)
{
    ConstellationLoad result;
    result.file_read = true;
    constellations.clear();
    size_t start = 0;
    while (true) {
        const size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            result.unterminated_tail = start < text.size();
            break;
        }
        Constellation constellation;
        switch (parse_line(text.substr(start, end - start), catalog, constellation)) {
        case LineResult::LOADED:
            constellations.push_back(std::move(constellation));
            ++result.loaded;
            break;
        case LineResult::IGNORED:
            ++result.ignored;
            break;
        case LineResult::REJECTED:
            result.rejected_codes.push_back(std::move(constellation.code));
            ++result.rejected;
            break;
        case LineResult::EMPTY:
            ++result.empty;
            break;
        }
        start = end + 1;
    }
    return result;
}

ConstellationLoad load_constellations(std::u16string_view path, const StarCatalog& catalog,
                                      std::vector<Constellation>& constellations)
{
    std::string text;
    if (!read_whole_stream(path, text, MAX_FILE_BYTES)) {
        constellations.clear();
        log() << tick_count() << " Constellations: " << file_part(path) << " cannot be read; no constellations\n";
        return {};
    }
    ConstellationLoad result = parse_constellations(text, catalog, constellations);
    if (result.rejected > 0) {
        LogStream line = log();
        line << tick_count() << " Constellations: " << file_part(path) << ": figures naming stars not in the catalogue left out:";
        for (const std::u16string& code : result.rejected_codes)
            line << " " << code;
        line << "\n";
    }
    if (result.empty > 0)
        log() << tick_count() << " Constellations: " << file_part(path) << ": " << result.empty
              << " figures without stars left out\n";
    if (result.unterminated_tail)
        log() << tick_count() << " Constellations: " << file_part(path) << ": text after the last line feed ignored\n";
    return result;
}

} // namespace stellaro

#include "catalog/constellation_file.h"

#include "skin/io/file_stream.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace stellaro {

namespace {

constexpr uint64_t MAX_FILE_BYTES = 16u * 1024 * 1024;
// The first four numbers of a line are not part of the figure.
constexpr size_t SKIPPED_NUMBERS = 4;
// Longer digit runs are no star number either; stop before they overflow.
constexpr int64_t NUMBER_LIMIT = int64_t{1} << 40;
// The problem line names this many codes of figures left out.
constexpr size_t LISTED_CODES = 5;

bool is_space(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool is_printable(char c)
{
    return c >= 0x20 && c <= 0x7E;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && is_space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_space(text.back()))
        text.remove_suffix(1);
    return text;
}

// An optional sign and a run of digits, with nothing else in the field but blanks around them.
std::optional<int64_t> whole_number(std::string_view field)
{
    field = trimmed(field);
    bool negative = false;
    if (!field.empty() && (field.front() == '+' || field.front() == '-')) {
        negative = field.front() == '-';
        field.remove_prefix(1);
    }
    if (field.empty())
        return std::nullopt;
    int64_t value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = std::min(value * 10 + (c - '0'), NUMBER_LIMIT);
    }
    return negative ? -value : value;
}

// Why the line is no constellation; null when it is one, and then it is filled in.
struct LineRead {
    const char* fault = nullptr;
    bool unknown_star = false;
};

LineRead parse_line(std::string_view line, const StarCatalog& catalog, const std::vector<Constellation>& earlier,
                    Constellation& constellation)
{
    size_t start = 0;
    while (start < line.size() && is_space(line[start]))
        ++start;
    line.remove_prefix(start);
    if (line.back() == '\r')
        line.remove_suffix(1);
    if (!std::all_of(line.begin(), line.end(), [](char c) { return is_printable(c) || c == '\t'; }))
        return {"it holds bytes that are no text"};
    const size_t first_comma = line.find(',');
    const size_t second_comma = first_comma == std::string_view::npos ? first_comma : line.find(',', first_comma + 1);
    if (first_comma == 0 || second_comma == std::string_view::npos)
        return {"it is not a code, a name and numbers separated by commas"};

    for (const char c : line.substr(0, first_comma))
        constellation.code.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    if (std::any_of(earlier.begin(), earlier.end(), [&](const Constellation& c) { return c.code == constellation.code; }))
        return {"its code was given before"};

    std::string_view rest = line.substr(second_comma + 1);
    size_t count = 0;
    bool has_star = false;
    bool unknown_star = false;
    while (true) {
        const size_t comma = rest.find(',');
        const std::optional<int64_t> number = whole_number(rest.substr(0, comma));
        if (!number)
            return {"a field is not a number"};
        if (count++ >= SKIPPED_NUMBERS) {
            if (*number != PEN_UP && (*number < 1 || *number > INT32_MAX))
                return {"a star number is out of range"};
            unknown_star = unknown_star || (*number != PEN_UP && !catalog.find(*number));
            has_star = has_star || *number != PEN_UP;
            constellation.figure.push_back(static_cast<int32_t>(*number));
        }
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    if (count <= SKIPPED_NUMBERS)
        return {"it has fewer than five numbers"};
    if (!has_star)
        return {"its figure has no star"};
    if (unknown_star || !place_label(constellation, catalog))
        return {"its figure names a star the catalogue does not have", true};
    return {};
}

void add_problem(std::string& problem, const std::string& text)
{
    problem += (problem.empty() ? "" : "; ") + text;
}

bool is_blank_line(std::string_view line)
{
    return std::all_of(line.begin(), line.end(), is_space);
}

} // namespace

ConstellationLoad parse_constellations(std::string_view text, const StarCatalog& catalog,
                                       std::vector<Constellation>& constellations)
{
    ConstellationLoad result;
    result.file_read = true;
    constellations.clear();
    size_t start = 0;
    size_t line_number = 0;
    std::string first_damage;
    while (true) {
        const size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            result.unterminated_tail = start < text.size();
            break;
        }
        ++line_number;
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (is_blank_line(line))
            continue;
        Constellation constellation;
        const LineRead read = parse_line(line, catalog, constellations, constellation);
        if (!read.fault) {
            constellations.push_back(std::move(constellation));
            ++result.loaded;
        } else if (read.unknown_star) {
            result.rejected_codes.push_back(std::move(constellation.code));
            ++result.rejected;
        } else {
            if (result.damaged++ == 0)
                first_damage = "line " + std::to_string(line_number) + ": " + read.fault;
        }
    }
    if (result.damaged > 0)
        add_problem(result.problem, std::to_string(result.damaged) + " damaged lines left out, the first at " + first_damage);
    if (result.rejected > 0) {
        std::string codes;
        for (size_t i = 0; i < std::min(result.rejected_codes.size(), LISTED_CODES); ++i)
            codes += " " + std::string(result.rejected_codes[i].begin(), result.rejected_codes[i].end());
        if (result.rejected_codes.size() > LISTED_CODES)
            codes += " and " + std::to_string(result.rejected_codes.size() - LISTED_CODES) + " more";
        add_problem(result.problem, "figures naming stars the catalogue does not have left out:" + codes);
    }
    if (result.unterminated_tail)
        add_problem(result.problem, "it is cut short: text after the last line feed");
    if (constellations.empty())
        add_problem(result.problem, "it holds no constellations");
    return result;
}

ConstellationLoad load_constellations(std::u16string_view path, const StarCatalog& catalog,
                                      std::vector<Constellation>& constellations)
{
    std::string text;
    if (!read_whole_stream(path, text, MAX_FILE_BYTES)) {
        constellations.clear();
        ConstellationLoad result;
        result.problem = "it cannot be read";
        return result;
    }
    return parse_constellations(text, catalog, constellations);
}

} // namespace stellaro

#include "tsv_table.h"

#include "platform/atomic_file.h"

#include <charconv>
#include <cstdlib>

namespace stellaro {

namespace {

constexpr size_t MAX_SOURCE_BYTES = 64u * 1024 * 1024;

std::vector<std::string> split_tabs(std::string_view line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        const size_t tab = line.find('\t', start);
        fields.emplace_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

} // namespace

bool TsvTable::load(const std::string& path)
{
    std::string bytes;
    if (!read_whole_file(path, bytes, MAX_SOURCE_BYTES)) {
        problem = path + ": cannot be read";
        return false;
    }
    header.clear();
    rows.clear();
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string_view line(bytes.data() + start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        start = end + 1;
        if (line.empty())
            continue;
        if (header.empty())
            header = split_tabs(line);
        else
            rows.push_back(split_tabs(line));
    }
    if (header.empty()) {
        problem = path + ": no header line";
        return false;
    }
    return true;
}

int TsvTable::column(std::string_view name) const
{
    for (size_t i = 0; i < header.size(); ++i)
        if (header[i] == name)
            return static_cast<int>(i);
    return -1;
}

const std::string& TsvTable::field(size_t row, int column) const
{
    static const std::string EMPTY;
    if (row >= rows.size() || column < 0 || static_cast<size_t>(column) >= rows[row].size())
        return EMPTY;
    return rows[row][static_cast<size_t>(column)];
}

bool parse_int(std::string_view text, long& value)
{
    if (text.empty())
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool parse_double(std::string_view text, double& value)
{
    if (text.empty())
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

} // namespace stellaro

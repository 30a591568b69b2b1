#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace stellaro {

// A tab-separated text file with one header line: rows of fields looked up by column name.
class TsvTable {
public:
    // Reads the file; false (with a message in `problem`) when it cannot be read or has no header.
    bool load(const std::string& path);

    size_t size() const { return rows.size(); }
    // Index of a column; -1 when the header has no such column.
    int column(std::string_view name) const;
    // The field of a row, empty when the row is shorter than the header.
    const std::string& field(size_t row, int column) const;

    std::string problem;

private:
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

// Parses a whole decimal number or a decimal fraction; false on anything else.
bool parse_int(std::string_view text, long& value);
bool parse_double(std::string_view text, double& value);

} // namespace stellaro

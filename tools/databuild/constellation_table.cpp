#include "constellation_table.h"

#include "tsv_table.h"

#include <iostream>
#include <map>
#include <sstream>

namespace stellaro {

bool load_constellations(const std::string& lines_path, const std::string& names_path, const StarTable& stars,
                         std::vector<SourceConstellation>& constellations)
{
    TsvTable names;
    TsvTable lines;
    if (!names.load(names_path) || !lines.load(lines_path)) {
        std::cerr << names.problem << lines.problem << "\n";
        return false;
    }
    std::map<std::string, std::string> name_of;
    for (size_t row = 0; row < names.size(); ++row)
        name_of[names.field(row, names.column("code"))] = names.field(row, names.column("name"));

    constellations.clear();
    const int code_column = lines.column("code");
    const int lines_column = lines.column("lines");
    for (size_t row = 0; row < lines.size(); ++row) {
        SourceConstellation constellation;
        constellation.code = lines.field(row, code_column);
        constellation.name = name_of[constellation.code];
        std::istringstream numbers(lines.field(row, lines_column));
        std::string word;
        bool has_star = false;
        while (numbers >> word) {
            long number = 0;
            if (!parse_int(word, number) || (number != -1 && !stars.contains(static_cast<int>(number)))) {
                std::cerr << lines_path << ": " << constellation.code << " names the unknown star " << word << "\n";
                return false;
            }
            has_star = has_star || number != -1;
            constellation.figure.push_back(static_cast<int>(number));
        }
        if (constellation.code.empty() || constellation.name.empty() || !has_star) {
            std::cerr << lines_path << ": row " << row + 2 << " is not a usable figure\n";
            return false;
        }
        constellations.push_back(std::move(constellation));
    }
    return true;
}

std::string constellation_text(const std::vector<SourceConstellation>& constellations)
{
    std::string text;
    for (const SourceConstellation& constellation : constellations) {
        // The file is eight-bit text and its fields are comma-separated: keep the name plain.
        std::string name;
        for (char c : constellation.name)
            if (static_cast<unsigned char>(c) < 0x80 && c != ',')
                name.push_back(c);
        text += constellation.code + "," + name + ",0,0,0,0";
        for (int number : constellation.figure)
            text += "," + std::to_string(number);
        text += "\n";
    }
    return text;
}

} // namespace stellaro

#include "language_files.h"

#include "binary_output.h"
#include "tsv_table.h"

#include "platform/atomic_file.h"
#include "platform/utf.h"
#include "skin/io/packed_bytes.h"

#include <iostream>
#include <map>
#include <set>
#include <utility>

namespace stellaro {

namespace {

constexpr size_t MAX_TEXT_BYTES = 4u * 1024 * 1024;
constexpr const char* BODY_NAMES[] = {"Sun", "Mercury", "Venus", "Moon", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"};

using Entries = std::vector<std::pair<std::string, std::string>>;

// Texts that a translation may share with English: names, abbreviations and words that are
// spelt the same in some of the languages. Any other English text in a translation is a text
// left untranslated.
const std::set<std::string> SAME_IN_TRANSLATIONS = {"GPS", "Menu", "Date", "Constellations", "Version", "Venus", "Mars",
                                                    "Jupiter", "Saturn", "Uranus", "Neptune", "Planet", "Jan", "Feb",
                                                    "Apr", "Jun", "Jul", "Aug", "Sep", "Nov"};

bool is_space(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Interface texts: "key=value" lines in UTF-8; blank lines and lines starting with "#" are notes.
bool read_texts(const std::string& path, Entries& entries)
{
    std::string bytes;
    if (!read_whole_file(path, bytes, MAX_TEXT_BYTES)) {
        std::cerr << path << ": cannot be read\n";
        return false;
    }
    size_t start = 0;
    int line_number = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        ++line_number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const size_t equals = line.find('=');
        const std::string key = line.substr(0, equals);
        bool key_ok = equals != std::string::npos && !key.empty();
        for (char c : key)
            key_ok = key_ok && !is_space(c);
        if (!key_ok) {
            std::cerr << path << ":" << line_number << ": expected key=value with a key without spaces\n";
            return false;
        }
        entries.emplace_back(key, line.substr(equals + 1));
    }
    return true;
}

// Rows of key and name; with a flag column, only the rows whose flag is "1".
bool read_names(const std::string& path, const char* key_column, Entries& entries, const char* flag_column = nullptr)
{
    TsvTable table;
    if (!table.load(path)) {
        std::cerr << table.problem << "\n";
        return false;
    }
    const int key = table.column(key_column);
    const int name = table.column("name");
    const int flag = flag_column ? table.column(flag_column) : -1;
    if (key < 0 || name < 0 || (flag_column && flag < 0)) {
        std::cerr << path << ": a column is missing\n";
        return false;
    }
    for (size_t row = 0; row < table.size(); ++row)
        if (!table.field(row, key).empty() && !table.field(row, name).empty() &&
            (flag < 0 || table.field(row, flag) == "1"))
            entries.emplace_back(table.field(row, key), table.field(row, name));
    return true;
}

std::string language_file(const Entries& entries)
{
    std::string out = "\xFF\xFE";
    for (const auto& [key, value] : entries)
        for (char16_t unit : utf8_to_utf16(key + "=" + value + "\n"))
            put_integer(out, unit, 2);
    return out;
}

} // namespace

bool build_language_files(const std::string& sources_folder, const std::string& texts_folder,
                          const std::string& out_folder, const std::vector<LanguageFile>& languages)
{
    Entries english_texts;
    Entries english_stars;
    if (!read_texts(texts_folder + "/english.txt", english_texts) ||
        !read_names(sources_folder + "/star_names_en.tsv", "hr", english_stars, "iau"))
        return false;
    std::set<std::string> named_stars;
    for (const auto& [hr, name] : english_stars)
        named_stars.insert(hr);

    for (const LanguageFile& language : languages) {
        Entries texts;
        Entries constellations;
        Entries stars;
        Entries countries;
        const std::string prefix = sources_folder + "/";
        if (!read_texts(texts_folder + "/" + language.name + ".txt", texts) ||
            !read_names(prefix + "constellation_names_" + language.code + ".tsv", "code", constellations) ||
            !read_names(prefix + "star_names_" + language.code + ".tsv", "hr", stars) ||
            !read_names(prefix + "country_names_" + language.code + ".tsv", "code", countries))
            return false;

        std::map<std::string, std::string> has_text(texts.begin(), texts.end());
        for (const auto& [key, value] : english_texts) {
            if (!has_text.contains(key)) {
                std::cerr << texts_folder << "/" << language.name << ".txt: the text \"" << key << "\" is missing\n";
                return false;
            }
            if (language.name != "english" && has_text[key] == value && !SAME_IN_TRANSLATIONS.contains(value)) {
                std::cerr << texts_folder << "/" << language.name << ".txt: the text \"" << key
                          << "\" is the English one, not translated\n";
                return false;
            }
        }
        for (const char* body : BODY_NAMES)
            if (!has_text.contains(body)) {
                std::cerr << texts_folder << "/" << language.name << ".txt: the body name \"" << body << "\" is missing\n";
                return false;
            }

        Entries entries = texts;
        entries.insert(entries.end(), constellations.begin(), constellations.end());
        std::map<int, std::string> star_name;
        for (const Entries* source : {&english_stars, &stars})
            for (const auto& [hr, name] : *source) {
                if (!named_stars.contains(hr))
                    continue;
                long number = 0;
                if (!parse_int(hr, number)) {
                    std::cerr << "star_names_" << language.code << ".tsv: bad catalogue number " << hr << "\n";
                    return false;
                }
                star_name[static_cast<int>(number)] = name;
            }
        for (const auto& [hr, name] : star_name)
            entries.emplace_back(std::to_string(hr), name);
        for (const auto& [code, name] : countries)
            entries.emplace_back("iso3166_" + code, name);

        // One key, one text: a key given twice would show its last text in both places.
        std::set<std::string> keys;
        for (const auto& [key, value] : entries)
            if (!keys.insert(key).second) {
                std::cerr << language.name << ".lng: the key \"" << key << "\" is given twice\n";
                return false;
            }

        if (!write_output(out_folder + "/" + language.name + ".lng", language_file(entries)))
            return false;
    }
    return true;
}

} // namespace stellaro

#pragma once
#include <map>
#include <string>
#include <string_view>

namespace stellaro {

// The texts of one language: key to text, keys compared exactly (case-sensitive).
//
// A ".lng" file is UTF-16LE when it has an even length of at least two bytes and starts with
// FF FE; otherwise every byte is one character. Each entry is a key (up to white space or "="),
// then either one "=" or a run of blanks on the same line, then the value up to the end of the
// line, kept as it stands. A later entry replaces an earlier one; there are no comments.
class LanguageTable {
public:
    // Reads and parses the file (path macros allowed). On success the whole table is replaced
    // and path remembered; a file that cannot be opened leaves everything as it was.
    bool load_language_file(std::u16string_view path);

    // The text of key, or the key itself when the language has none.
    std::u16string translate(std::u16string_view key) const
    {
        const auto found = texts.find(key);
        return found == texts.end() ? std::u16string(key) : found->second;
    }

    // The text of key, or fallback when the language has none.
    std::u16string translate_or(std::u16string_view key, std::u16string_view fallback) const
    {
        const auto found = texts.find(key);
        return found == texts.end() ? std::u16string(fallback) : found->second;
    }

    // The file the table came from; empty before the first load.
    const std::u16string& loaded_path() const { return path; }
    size_t size() const { return texts.size(); }

private:
    std::map<std::u16string, std::u16string, std::less<>> texts;
    std::u16string path;
};

// The text of a ".lng" file's bytes, decoded as described above.
std::u16string decode_language_text(std::string_view bytes);

// Adds the entries of a decoded ".lng" text to texts.
void parse_language_entries(std::u16string_view text, std::map<std::u16string, std::u16string, std::less<>>& texts);

} // namespace stellaro

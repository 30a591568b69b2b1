#pragma once
#include <map>
#include <string>
#include <string_view>

namespace stellaro {

// What loading a language file found.
struct LanguageLoad {
    bool loaded = false; // the table now holds the file's texts
    std::string problem; // why the file was not used, for the user; empty when it was

    explicit operator bool() const { return loaded; }
};

// The texts of one language: key to text, keys compared exactly (case-sensitive).
//
// A ".lng" file is UTF-16LE when it has an even length of at least two bytes and starts with
// FF FE; otherwise every byte is one character. Each entry is a key (up to white space or "="),
// then either one "=" or a run of blanks on the same line, then the value up to the end of the
// line, kept as it stands. A later entry replaces an earlier one; there are no comments.
class LanguageTable {
public:
    // Reads and parses the file (path macros allowed). On success the whole table is replaced
    // and path remembered. A file that cannot be read, is not text (control characters, broken
    // UTF-16, UTF-16 of odd length) or holds no texts leaves everything as it was.
    LanguageLoad load_language_file(std::u16string_view path);

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

// Why the bytes of a ".lng" file cannot be its text; empty when they can.
std::string language_text_fault(std::string_view bytes, std::u16string_view text);

// Adds the entries of a decoded ".lng" text to texts.
void parse_language_entries(std::u16string_view text, std::map<std::u16string, std::u16string, std::less<>>& texts);

} // namespace stellaro

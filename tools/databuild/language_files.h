#pragma once
#include <string>
#include <vector>

namespace stellaro {

// One language file to build: the file name ("english") and the code of its sources ("en").
struct LanguageFile {
    std::string name;
    std::string code;
};

// Builds "<name>.lng" for each language in out_folder: UTF-16 with the byte-order mark, one
// "key=value" line per entry: the interface texts of texts_folder/<name>.txt (which must hold
// every key of the English texts, translated: only a short list of names and words may equal
// the English text), then the constellation names by code, the star names by
// catalogue number (English where the language has none; only the names the IAU approved, which
// the English table flags, since every name is also a label on the sky) and the country names as
// "iso3166_" + code. False with a message on stderr on any problem.
bool build_language_files(const std::string& sources_folder, const std::string& texts_folder,
                          const std::string& out_folder, const std::vector<LanguageFile>& languages);

} // namespace stellaro

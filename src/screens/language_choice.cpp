#include "screens/language_choice.h"

#include "platform/folder_listing.h"
#include "platform/utf.h"
#include "screens/system_language.h"
#include "skin/io/paths.h"
#include "skin/io/registry.h"

#include <algorithm>
#include <cctype>

namespace stellaro {

namespace {

constexpr std::u16string_view MENU_ID = u"Language";
constexpr std::u16string_view ITEM_PREFIX = u"Language#";
constexpr std::u16string_view EXTENSION = u".lng";
constexpr const char16_t* FOLDER = u"%app_path%";
constexpr const char16_t* VALUE = u"Language";
// The key of each language file's own name for itself, shown in the language menu.
constexpr const char16_t* OWN_NAME_KEY = u"LanguageName";

std::u16string settings_key(std::u16string_view product) { return u"HKEY_CURRENT_USER\\Software\\Vendrix\\" + std::u16string(product); }

std::u16string upper(std::u16string_view text)
{
    std::u16string result(text);
    for (char16_t& c : result)
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
    return result;
}

// The language's own name for itself, or its file name when the file has none.
std::u16string display_name(const std::u16string& path)
{
    LanguageTable table;
    if (table.load_language_file(path))
        return table.translate_or(OWN_NAME_KEY, language_name(path));
    return language_name(path);
}

} // namespace

std::vector<std::u16string> language_files()
{
    std::vector<std::u16string> files;
    for (const std::string& file : files_with_extension(native_path(FOLDER), ".lng"))
        files.push_back(std::u16string(FOLDER) + u"/" + file_part(utf8_to_utf16(file)));
    return files;
}

std::u16string language_name(std::u16string_view path)
{
    std::u16string name = file_part(path);
    if (name.size() >= EXTENSION.size() && std::u16string_view(name).substr(name.size() - EXTENSION.size()) == EXTENSION)
        name.resize(name.size() - EXTENSION.size());
    return name;
}

std::u16string language_path(std::u16string_view name)
{
    const std::u16string exact = std::u16string(FOLDER) + u"/" + std::u16string(name) + std::u16string(EXTENSION);
    const std::vector<std::u16string> files = language_files();
    if (std::find(files.begin(), files.end(), exact) != files.end())
        return exact;
    for (const std::u16string& file : files)
        if (upper(language_name(file)) == upper(name))
            return file;
    return exact;
}

bool languages_available() { return language_files().size() >= 2; }

bool load_language(Properties& properties, std::u16string_view product, const LanguageProblem& problem)
{
    const std::vector<std::u16string> files = language_files();
    std::vector<std::u16string> tried;
    // Only files that are there are tried, so that a name without a file (a language chosen
    // once and since removed, a locale with no translation) is passed over without a word.
    const auto attempt = [&](const std::u16string& path) {
        if (std::find(files.begin(), files.end(), path) == files.end() ||
            std::find(tried.begin(), tried.end(), path) != tried.end())
            return false;
        tried.push_back(path);
        const LanguageLoad load = properties.load_language_file(path);
        if (!load && problem)
            problem(path, load.problem);
        return load.loaded;
    };
    std::u16string stored;
    reg_get_string(settings_key(product), VALUE, stored);
    for (const std::u16string& name : {stored, system_language_name(), std::u16string(u"english")})
        if (!name.empty() && attempt(language_path(name)))
            return true;
    for (const std::u16string& path : files)
        if (attempt(path))
            return true;
    return false;
}

bool language_menu(Properties& properties, std::u16string_view product, std::u16string_view command,
                   std::vector<MenuItem>& items)
{
    if (command == MENU_ID) {
        std::vector<std::u16string> files = language_files();
        std::sort(files.begin(), files.end());
        const std::u16string loaded = upper(language_name(properties.language().loaded_path()));
        for (const std::u16string& file : files) {
            MenuItem item;
            item.id = std::u16string(ITEM_PREFIX) + language_name(file);
            item.text = display_name(file);
            item.checked = upper(language_name(file)) == loaded;
            items.push_back(std::move(item));
        }
        MenuItem cancel;
        cancel.id = u"Cancel";
        items.push_back(std::move(cancel));
        return false;
    }
    if (!command.starts_with(ITEM_PREFIX))
        return false;
    const std::u16string name(command.substr(ITEM_PREFIX.size()));
    const std::u16string path = std::u16string(FOLDER) + u"/" + name + std::u16string(EXTENSION);
    if (name.empty() || path == properties.language().loaded_path() || !properties.load_language_file(path))
        return false;
    reg_set_string(settings_key(product), VALUE, name);
    return true;
}

} // namespace stellaro

#include "skin/io/paths.h"

#include "platform/executable_path.h"
#include "platform/program_data_folder.h"
#include "platform/user_folders.h"
#include "platform/utf.h"

#include <array>

namespace stellaro {

namespace {

struct AppNames {
    std::u16string full_name;
    std::u16string path;
    std::u16string name;
};

const AppNames& app_names()
{
    static const AppNames names = [] {
        AppNames made;
        made.full_name = get_app_path();
        // Data files are looked for where the program's data are, beside it or installed.
        made.path = strip_trailing_separator(utf8_to_utf16(program_data_folder()));
        made.name = file_part(made.full_name);
        return made;
    }();
    return names;
}

bool is_separator(char16_t c)
{
    return c == u'/' || c == u'\\';
}

// The special folders are asked for on every expansion, as the user may change them.
std::u16string special_folder(std::u16string_view macro)
{
    std::string folder;
    if (macro == u"%my_documents%")
        folder = documents_folder();
    else if (macro == u"%startup%")
        folder = config_folder().empty() ? std::string() : config_folder() + "/autostart";
    else if (macro == u"%programs%" || macro == u"%start_menu%")
        folder = data_folder().empty() ? std::string() : data_folder() + "/applications";
    else if (macro == u"%program_files%")
        folder = "/opt";
    return utf8_to_utf16(folder);
}

} // namespace

std::u16string get_app_path()
{
    return utf8_to_utf16(executable_path());
}

std::u16string expand_macros(std::u16string_view path)
{
    static constexpr std::array<std::u16string_view, 9> MACROS = {
        u"%app_full_name%", u"%app_path%", u"%app_name%", u"%my_documents%", u"%windows%",
        u"%startup%", u"%programs%", u"%start_menu%", u"%program_files%"};
    std::u16string result;
    size_t rest = 0;
    for (const auto macro : MACROS) {
        if (path.substr(0, macro.size()) != macro)
            continue;
        const AppNames& names = app_names();
        if (macro == MACROS[0])
            result = names.full_name;
        else if (macro == MACROS[1])
            result = names.path;
        else if (macro == MACROS[2])
            result = names.name;
        else
            result = special_folder(macro);
        rest = macro.size();
        break;
    }
    for (size_t i = rest; i < path.size(); ++i)
        result.push_back(path[i] == u'\\' ? u'/' : path[i]);
    return result;
}

std::u16string strip_trailing_separator(std::u16string_view path)
{
    if (!path.empty() && is_separator(path.back()))
        path.remove_suffix(1);
    return std::u16string(path);
}

std::u16string dir_part(std::u16string_view path)
{
    const auto last = path.find_last_of(u"/\\");
    return last == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(0, last + 1));
}

std::u16string file_part(std::u16string_view path)
{
    const auto last = path.find_last_of(u"/\\");
    return std::u16string(last == std::u16string_view::npos ? path : path.substr(last + 1));
}

bool same_path(std::u16string_view a, std::u16string_view b)
{
    return to_lower(strip_trailing_separator(expand_macros(a))) == to_lower(strip_trailing_separator(expand_macros(b)));
}

std::string native_path(std::u16string_view path)
{
    return utf16_to_utf8(expand_macros(path));
}

} // namespace stellaro

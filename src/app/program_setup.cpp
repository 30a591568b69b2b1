#include "app/program_setup.h"

#include "app/command_line.h"
#include "app/load_report.h"
#include "skin/io/paths.h"
#include "skin/io/registry.h"

#include <vector>

namespace stellaro {

Size parse_size(const std::string& text)
{
    const size_t x = text.find('x');
    if (x == std::string::npos)
        throw UsageError("--size: expected WxH, got '" + text + "'");
    const int width = parse_integer_in("--size", text.substr(0, x), 16, 8192);
    const int height = parse_integer_in("--size", text.substr(x + 1), 16, 8192);
    return {width, height};
}

int32_t parse_rotation(const std::string& text)
{
    const int degrees = parse_integer_in("--rotate", text, 0, 270);
    if (degrees % 90 != 0)
        throw UsageError("--rotate: expected 0, 90, 180 or 270, got '" + text + "'");
    return degrees / 90;
}

bool load_language(Properties& properties, const std::string& command)
{
    std::u16string name;
    std::vector<std::u16string> candidates;
    if (reg_get_string(u"HKEY_CURRENT_USER\\Software\\Vendrix\\Stellaro II", u"Language", name) && !name.empty())
        candidates.push_back(u"%app_path%/" + name + u".lng");
    candidates.push_back(u"%app_path%/english.lng");
    bool sound = true;
    for (const std::u16string& path : candidates) {
        const LanguageLoad load = properties.load_language_file(path);
        if (load)
            return sound;
        report_load_problem(command, native_path(path), load.problem);
        sound = false;
    }
    return false;
}

} // namespace stellaro

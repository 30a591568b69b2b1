#include "app/program_setup.h"

#include "app/command_line.h"
#include "app/load_report.h"
#include "skin/io/paths.h"
#include "platform/utf.h"
#include "screens/language_choice.h"

#include <algorithm>
#include <iostream>
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

std::u16string check_language_name(const std::string& name)
{
    const std::u16string path = language_path(utf8_to_utf16(name));
    std::vector<std::u16string> files = language_files();
    if (std::find(files.begin(), files.end(), path) != files.end())
        return path;
    std::sort(files.begin(), files.end());
    std::string known;
    for (const std::u16string& file : files)
        known += (known.empty() ? "" : ", ") + utf16_to_utf8(language_name(file));
    throw UsageError("--language: no language '" + name + "' (" +
                     (known.empty() ? std::string("there are no language files") : "available: " + known) + ")");
}

bool load_language(Properties& properties, const std::string& command, const std::optional<std::string>& name)
{
    bool sound = true;
    const auto report = [&](const std::u16string& path, const std::string& problem) {
        report_load_problem(command, native_path(path), problem);
        sound = false;
    };
    if (name) {
        const std::u16string path = check_language_name(*name);
        const LanguageLoad load = properties.load_language_file(path);
        if (!load)
            report(path, load.problem);
        return load.loaded;
    }
    if (!stellaro::load_language(properties, PRODUCT_NAME, report)) {
        std::cerr << "stellaro " << command << ": no language file could be loaded from " << native_path(u"%app_path%") << "\n";
        return false;
    }
    return sound;
}

} // namespace stellaro

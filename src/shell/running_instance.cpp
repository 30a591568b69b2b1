#include "shell/running_instance.h"

#include "platform/single_instance.h"
#include "platform/utf.h"
#include "skin/io/log.h"

#include <memory>

namespace stellaro {

namespace {

std::unique_ptr<SingleInstance>& instance()
{
    static std::unique_ptr<SingleInstance> held;
    return held;
}

// "Stellaro II" -> "stellaro-ii": the name of the lock and socket files.
std::string file_name_for(std::u16string_view title)
{
    std::string name;
    for (const char16_t c : title) {
        if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'))
            name.push_back(static_cast<char>(c));
        else if (c >= u'A' && c <= u'Z')
            name.push_back(static_cast<char>(c - u'A' + u'a'));
        else if (!name.empty() && name.back() != '-')
            name.push_back('-');
    }
    return name.empty() ? "stellaro" : name;
}

std::u16string joined(const std::vector<std::string>& arguments)
{
    std::string text;
    for (const std::string& argument : arguments) {
        if (!text.empty())
            text.push_back(' ');
        text += argument;
    }
    return utf8_to_utf16(text);
}

} // namespace

bool show_running_instance(const std::vector<std::string>& arguments, std::u16string_view title)
{
    log() << "Application::show_running_instance_open_bracket cmd_line=" << joined(arguments) << "\n";
    auto claimed = std::make_unique<SingleInstance>(file_name_for(title));
    switch (claimed->claim(arguments)) {
    case SingleInstance::Outcome::HANDED_OVER:
        log() << "Application::EnumProc window found 2\n";
        return true;
    case SingleInstance::Outcome::OWNER:
        instance() = std::move(claimed);
        return false;
    case SingleInstance::Outcome::UNAVAILABLE:
        log() << "Application::show_running_instance_open_bracket mutex==0\n";
        return false;
    }
    return false;
}

std::vector<std::u16string> take_handed_command_lines()
{
    std::vector<std::u16string> lines;
    if (!instance())
        return lines;
    for (const HandedCommandLine& handed : instance()->receive())
        lines.push_back(joined(handed.arguments));
    return lines;
}

void close_running_instance()
{
    instance().reset();
}

} // namespace stellaro

#include "platform/user_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>

namespace stellaro {

namespace {

std::string from_environment(const char* name)
{
    const char* value = std::getenv(name);
    // Relative values are invalid under the XDG rules and are ignored.
    return (value && value[0] == '/') ? std::string(value) : std::string();
}

std::string below_home(const char* relative)
{
    const std::string home = home_folder();
    return home.empty() ? std::string() : home + relative;
}

// Reads one entry of user-dirs.dirs, e.g. XDG_DOCUMENTS_DIR="$HOME/Documents".
std::string user_dir_entry(const std::string& name)
{
    std::ifstream file(config_folder() + "/user-dirs.dirs");
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind(name + "=", 0) != 0)
            continue;
        std::string value = line.substr(name.size() + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0)
            value = home_folder() + value.substr(5);
        return value.empty() || value[0] != '/' ? std::string() : value;
    }
    return {};
}

} // namespace

std::string home_folder()
{
    std::string home = from_environment("HOME");
    if (!home.empty())
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return {};
}

std::string config_folder()
{
    const std::string value = from_environment("XDG_CONFIG_HOME");
    return value.empty() ? below_home("/.config") : value;
}

std::string state_folder()
{
    const std::string value = from_environment("XDG_STATE_HOME");
    return value.empty() ? below_home("/.local/state") : value;
}

std::string data_folder()
{
    const std::string value = from_environment("XDG_DATA_HOME");
    return value.empty() ? below_home("/.local/share") : value;
}

std::string cache_folder()
{
    const std::string value = from_environment("XDG_CACHE_HOME");
    return value.empty() ? below_home("/.cache") : value;
}

std::string documents_folder()
{
    const std::string value = user_dir_entry("XDG_DOCUMENTS_DIR");
    return value.empty() ? below_home("/Documents") : value;
}

bool make_folders(const std::string& path, unsigned mode)
{
    if (path.empty())
        return false;
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return true;
        errno = ENOTDIR;
        return false;
    }
    const auto slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !make_folders(path.substr(0, slash), mode))
        return false;
    return mkdir(path.c_str(), mode) == 0 || errno == EEXIST;
}

} // namespace stellaro

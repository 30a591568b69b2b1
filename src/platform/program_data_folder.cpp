#include "platform/program_data_folder.h"

#include "platform/executable_path.h"

#include <cstdlib>
#include <filesystem>

namespace stellaro {

namespace {

bool is_folder(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

} // namespace

std::string data_folder_for(const std::string& executable)
{
    if (executable.empty())
        return {};
    const std::filesystem::path beside = std::filesystem::path(executable).parent_path();
    if (is_folder(beside / "skins"))
        return beside.string();
    if (beside.filename() == "bin") {
        const std::filesystem::path installed = beside.parent_path() / "share" / DATA_FOLDER_NAME;
        if (is_folder(installed))
            return installed.string();
    }
    return beside.string();
}

std::string program_data_folder()
{
    if (const char* named = std::getenv("STELLARO_DATA_DIR"); named && *named)
        return named;
    return data_folder_for(executable_path());
}

} // namespace stellaro

#include "platform/folder_listing.h"

#include <filesystem>
#include <system_error>

namespace stellaro {

std::vector<std::string> files_with_extension(const std::string& folder, std::string_view extension)
{
    std::vector<std::string> files;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error)
        return files;
    for (const std::filesystem::directory_entry& entry : entries) {
        std::error_code kind_error;
        const std::string name = entry.path().filename().string();
        if (name.size() > extension.size() && name.ends_with(extension) && entry.is_regular_file(kind_error))
            files.push_back(entry.path().string());
    }
    return files;
}

} // namespace stellaro

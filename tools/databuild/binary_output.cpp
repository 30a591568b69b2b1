#include "binary_output.h"

#include "platform/atomic_file.h"

#include <filesystem>
#include <iostream>

namespace stellaro {

bool write_output(const std::string& path, const std::string& bytes)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (!write_file_atomically(path, bytes)) {
        std::cerr << path << ": cannot be written\n";
        return false;
    }
    // Data files are for everyone to read, unlike the private files the atomic writer makes.
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read | std::filesystem::perms::others_read,
                                 error);
    return true;
}

} // namespace stellaro

#include "binary_output.h"

#include "platform/atomic_file.h"

#include <filesystem>
#include <iostream>

namespace stellaro {

void put_le(std::string& out, int64_t value, int bytes)
{
    const auto bits = static_cast<uint64_t>(value);
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

void put_prefixed_string(std::string& out, const std::u16string& text)
{
    if (text.size() <= 127) {
        put_le(out, static_cast<int64_t>(text.size()), 1);
    } else {
        put_le(out, -4, 1);
        put_le(out, static_cast<int64_t>(text.size()), 4);
    }
    for (char16_t unit : text)
        put_le(out, unit, 2);
}

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

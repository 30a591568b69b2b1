#include "fuzz_support.h"

#include "platform/utf.h"

#include <stdlib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace stellaro {

namespace {

// Made with the first use, removed with the process.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "stellaro-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        for (const char* variable : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_RUNTIME_DIR"})
            setenv(variable, pattern.c_str(), 1);
        setenv("STELLARO_REGISTRY", (pattern + "/registry.reg").c_str(), 1);
        unsetenv("STELLARO_LOG");
        path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string path;
};

} // namespace

const std::string& fuzz_folder()
{
    static const ScratchFolder folder;
    return folder.path;
}

std::string write_scratch_file(const std::string& name, const uint8_t* data, size_t size)
{
    const std::string path = fuzz_folder() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

std::u16string fuzz_data_path(std::u16string_view file)
{
    return utf8_to_utf16(STELLARO_FUZZ_DATA "/") + std::u16string(file);
}

size_t MemoryStream::read(void* buffer, size_t count)
{
    const size_t taken = std::min(count, length - position);
    if (taken > 0)
        std::memcpy(buffer, bytes + position, taken);
    position += taken;
    return taken;
}

uint64_t MemoryStream::skip(uint64_t count)
{
    const size_t moved = static_cast<size_t>(std::min<uint64_t>(count, length - position));
    position += moved;
    return moved;
}

bool MemoryStream::seek(uint64_t to)
{
    if (to > length)
        return false;
    position = static_cast<size_t>(to);
    return true;
}

} // namespace stellaro

// The settings file: parsing, and saving again what was parsed.
#include "platform/registry_file.h"

#include <cstdlib>
#include <optional>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace stellaro;
    std::string error;
    const std::optional<RegistryFile> file = RegistryFile::parse(std::string(reinterpret_cast<const char*>(data), size), error);
    if (!file)
        return 0;
    // What was saved must read back: otherwise the next start would set the file aside.
    const std::optional<RegistryFile> again = RegistryFile::parse(file->serialize(), error);
    if (!again)
        std::abort();
    return 0;
}

#pragma once
#include "platform/utf.h"

#include <string>

namespace stellaro {

// The data files the build put beside the executable.
inline std::string built_file(const std::string& name)
{
    return std::string(STELLARO_APP_DIR) + "/" + name;
}

inline std::u16string built_path(const std::string& name)
{
    return utf8_to_utf16(built_file(name));
}

} // namespace stellaro

#pragma once
#include <string>

namespace stellaro {

// Full path of the running executable (UTF-8), read from /proc/self/exe; empty when unknown.
std::string executable_path();

} // namespace stellaro

#pragma once
#include <string>

namespace stellaro {

// Writes a file so that it is either complete or absent; reports failure on stderr.
bool write_output(const std::string& path, const std::string& bytes);

} // namespace stellaro

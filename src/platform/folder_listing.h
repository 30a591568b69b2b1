#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace stellaro {

// The regular files directly in the folder whose names end in the extension (".lng"), as full
// paths in the order the file system lists them; sub-folders are not searched. Empty when the
// folder cannot be read.
std::vector<std::string> files_with_extension(const std::string& folder, std::string_view extension);

} // namespace stellaro

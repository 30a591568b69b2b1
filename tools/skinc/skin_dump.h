#pragma once
#include "skin/props/skin_file.h"

#include <string>

namespace stellaro {

// The readable source of a compiled skin: nodes in name order, each block's properties by kind
// and name, pictures with their four points. Compiling the text gives the same file back.
std::string dump_skin(const SkinFile& skin);

} // namespace stellaro

#pragma once
#include "skin_source.h"

#include <string>

namespace stellaro {

// Lays a parsed skin out as a compiled skin file: names first (so that every record's name lies
// in the first 64 KB), then the tree entries with their blocks (records sorted by name, the
// tree balanced), then the string area. The output depends only on the skin's content, not on
// the order of its nodes in the source, so dumping and compiling again gives the same bytes.
// Whole pictures must have had their points filled in. False with the reason on failure.
bool write_skin(const SkinSource& skin, std::string& bytes, std::string& error);

} // namespace stellaro

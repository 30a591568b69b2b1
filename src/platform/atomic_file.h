#pragma once
#include <string>

namespace stellaro {

// Replaces a file's contents so that a crash or a full disk leaves either the old or the new
// contents, never a partial file: temporary file in the same folder, fsync, rename, fsync folder.
bool write_file_atomically(const std::string& path, const std::string& bytes);

// Reads a whole file; false when it cannot be opened or read, or is larger than max_bytes.
bool read_whole_file(const std::string& path, std::string& bytes, size_t max_bytes);

} // namespace stellaro

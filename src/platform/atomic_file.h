#pragma once
#include <string>

namespace stellaro {

// Replaces a file's contents so that a crash or a full disk leaves either the old or the new
// contents, never a partial file: temporary file in the same folder, fsync, rename, fsync folder.
bool write_file_atomically(const std::string& path, const std::string& bytes);

// Reads a whole file; false when it cannot be opened or read, is not a regular file or is larger
// than max_bytes.
bool read_whole_file(const std::string& path, std::string& bytes, size_t max_bytes);

// The same, telling why it failed. The file is opened without blocking, so that a FIFO or a
// device in its place is refused at once instead of waiting for a writer.
enum class FileRead { READ, MISSING, NOT_A_FILE, UNREADABLE, TOO_LARGE };
FileRead read_regular_file(const std::string& path, std::string& bytes, size_t max_bytes);

// Renames a file unless the new name is taken (then false with errno EEXIST): a file moved this
// way never replaces another.
bool rename_without_replacing(const std::string& from, const std::string& to);

} // namespace stellaro

#pragma once
#include <string>

namespace stellaro {

// How a file operation went: it worked, or the system's reason why not ("No space left on device").
struct FileResult {
    std::string reason;
    // The file was larger than the reader allowed.
    bool too_large = false;

    explicit operator bool() const { return reason.empty(); }
};

// Who may read a file the program makes, and the folders made for it on the way.
enum class FileSharing {
    PRIVATE, // the user alone: settings (files 0600, folders 0700)
    SHARED,  // as the umask allows, like any program's output: pictures, dumps, data files
};

// Writes a whole file at path, following symbolic links to the file they name. A regular file
// (or none yet) is replaced so that a crash or a full disk leaves either the old or the new
// contents, never a partial file: temporary file in the same folder, fsync, rename, fsync
// folder; a replaced file keeps its permissions and missing folders are made. Anything else (a
// device, a FIFO, a terminal) is written in place, as a shell redirection would.
FileResult write_whole_file(const std::string& path, const std::string& bytes, FileSharing sharing);

// The file that path names once symbolic links are followed; the path itself when it is no link.
std::string followed_path(const std::string& path);

// Reads a whole file; fails when it cannot be opened or read, is a folder, or is larger than max_bytes.
FileResult read_whole_file(const std::string& path, std::string& bytes, size_t max_bytes);

// The same, telling why it failed. The file is opened without blocking, so that a FIFO or a
// device in its place is refused at once instead of waiting for a writer.
enum class FileRead { READ, MISSING, NOT_A_FILE, UNREADABLE, TOO_LARGE };
FileRead read_regular_file(const std::string& path, std::string& bytes, size_t max_bytes);

// Renames a file unless the new name is taken (then false with errno EEXIST): a file moved this
// way never replaces another.
bool rename_without_replacing(const std::string& from, const std::string& to);

} // namespace stellaro

#pragma once
#include "skin/io/input_stream.h"
#include "skin/io/output_stream.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace stellaro {

// A file opened by path (path macros such as "%app_path%" are expanded first).
// A stream that could not be opened is invalid: every operation then returns 0 or false.
class FileStream final : public InputStream, public OutputStream {
public:
    enum Mode : int {
        READ = 0,       // an existing file, read only
        WRITE = 1,      // created, or emptied when it exists; write only
        APPEND = 2,     // created when missing, positioned at its end; write only
        READ_WRITE = 3, // created when missing, kept when it exists
    };

    FileStream() = default;
    FileStream(std::u16string_view path, Mode mode);
    ~FileStream() override;
    FileStream(FileStream&& other) noexcept;
    FileStream& operator=(FileStream&& other) noexcept;
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    // Closes any file held, then opens path; false when it cannot be opened (or is a folder).
    bool open(std::u16string_view path, Mode mode);
    void close();

    size_t read(void* buffer, size_t count) override;
    uint64_t skip(uint64_t count) override;
    size_t write(const void* buffer, size_t count) override;
    bool is_open() const override { return fd >= 0; }
    uint64_t size() const override;
    bool seek(uint64_t position) override;
    uint64_t tell() const override;
    // Reads up to count bytes at an absolute position without moving the stream's position.
    size_t read_at(uint64_t position, void* buffer, size_t count) const;
    // Pushes what was written to storage; false on failure.
    bool flush();

private:
    int fd = -1;
};

// Reads a whole file through a FileStream (its size, then one read of that many bytes).
// False when it cannot be opened, cannot be read whole, or is larger than max_bytes.
bool read_whole_stream(std::u16string_view path, std::string& bytes, uint64_t max_bytes);

} // namespace stellaro

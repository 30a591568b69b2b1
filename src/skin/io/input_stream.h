#pragma once
#include <cstddef>
#include <cstdint>

namespace stellaro {

// The reading side of a byte stream: a file, or one member of a stored-zip archive.
// Every operation reports failure by its result (0 or false) and never throws.
class InputStream {
public:
    virtual ~InputStream() = default;

    // Copies up to count bytes into buffer; the number copied, 0 at the end or on failure.
    virtual size_t read(void* buffer, size_t count) = 0;
    // Moves forward up to count bytes (never past the end); the distance moved.
    virtual uint64_t skip(uint64_t count) = 0;
    virtual bool is_open() const = 0;
    // Total length in bytes; 0 on failure.
    virtual uint64_t size() const = 0;
    // Absolute position from the start; true on success.
    virtual bool seek(uint64_t position) = 0;
    // Current position; 0 on failure.
    virtual uint64_t tell() const = 0;
};

} // namespace stellaro

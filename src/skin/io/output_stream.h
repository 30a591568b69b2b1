#pragma once
#include <cstddef>
#include <cstdint>

namespace stellaro {

// The writing side of a byte stream. Objects that can be both read and written implement this
// beside InputStream; the operations of the same name are shared by both sides.
class OutputStream {
public:
    virtual ~OutputStream() = default;

    // Writes count bytes from buffer; the number written (less on failure).
    virtual size_t write(const void* buffer, size_t count) = 0;
    virtual bool is_open() const = 0;
    virtual uint64_t size() const = 0;
    virtual bool seek(uint64_t position) = 0;
    virtual uint64_t tell() const = 0;
};

} // namespace stellaro

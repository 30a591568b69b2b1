#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace stellaro {

// The little-endian records of the program's data files: integers of 1 to 4 bytes, and strings
// of UTF-16 units behind a length byte whose negative value gives the width (1..4) of a longer
// length that follows. Every read is checked against the bytes that remain.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes(bytes) {}

    size_t remaining() const { return bytes.size() - position; }
    size_t offset() const { return position; }

    // Sign-extended from the top byte.
    bool integer(size_t width, int32_t& out);
    bool string(std::u16string& out);

private:
    std::string_view bytes;
    size_t position = 0;
};

// The unsigned integer of `width` (1 to 4) little-endian bytes at `bytes`; unchecked.
uint32_t get_unsigned(const unsigned char* bytes, size_t width);

// The low `width` bytes of the value, least significant first.
void put_integer(std::string& out, int64_t value, size_t width);
void put_string(std::string& out, const std::u16string& text);

} // namespace stellaro

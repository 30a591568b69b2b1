#pragma once
// Little-endian records built byte by byte, as the program's files lay them out.
#include <cstdint>
#include <string>
#include <string_view>

namespace stellaro {

class ByteWriter {
public:
    // The low `width` bytes of the value, lowest first; negative values in two's complement.
    ByteWriter& le(int64_t value, int width)
    {
        for (int i = 0; i < width; ++i)
            out.push_back(static_cast<char>((static_cast<uint64_t>(value) >> (8 * i)) & 0xFF));
        return *this;
    }
    ByteWriter& u8(int64_t value) { return le(value, 1); }
    ByteWriter& u16(int64_t value) { return le(value, 2); }
    ByteWriter& u32(int64_t value) { return le(value, 4); }
    ByteWriter& bytes(std::string_view raw)
    {
        out.append(raw);
        return *this;
    }
    // UTF-16 code units, low byte first, without a length or a terminator.
    ByteWriter& utf16(std::u16string_view text)
    {
        for (const char16_t unit : text)
            le(unit, 2);
        return *this;
    }

    const std::string& str() const { return out; }
    size_t size() const { return out.size(); }

private:
    std::string out;
};

// Overwrites `width` bytes at `at` with the value, low byte first; bytes past the end are left out.
inline void patch_le(std::string& bytes, size_t at, uint64_t value, int width)
{
    for (int i = 0; i < width && at + static_cast<size_t>(i) < bytes.size(); ++i)
        bytes[at + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace stellaro

#include "skin/io/packed_bytes.h"

namespace stellaro {

bool ByteReader::integer(size_t width, int32_t& out)
{
    if (width < 1 || width > 4 || remaining() < width)
        return false;
    const uint32_t value = get_unsigned(reinterpret_cast<const unsigned char*>(bytes.data() + position), width);
    const auto shift = static_cast<unsigned>(32 - 8 * width);
    out = static_cast<int32_t>(value << shift) >> shift;
    position += width;
    return true;
}

bool ByteReader::string(std::u16string& out)
{
    int32_t length = 0;
    if (!integer(1, length))
        return false;
    if (length < 0) {
        const int32_t width = -length;
        if (width > 4 || !integer(static_cast<size_t>(width), length) || length < 1)
            return false;
    }
    if (static_cast<size_t>(length) > remaining() / 2)
        return false;
    out.resize(static_cast<size_t>(length));
    for (char16_t& unit : out) {
        unit = static_cast<char16_t>(get_unsigned(reinterpret_cast<const unsigned char*>(bytes.data() + position), 2));
        position += 2;
    }
    return true;
}

uint32_t get_unsigned(const unsigned char* bytes, size_t width)
{
    uint32_t value = 0;
    for (size_t i = 0; i < width; ++i)
        value |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    return value;
}

void put_integer(std::string& out, int64_t value, size_t width)
{
    const auto bits = static_cast<uint64_t>(value);
    for (size_t i = 0; i < width; ++i)
        out.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

void put_string(std::string& out, const std::u16string& text)
{
    const auto length = static_cast<int64_t>(text.size());
    if (length <= 127) {
        put_integer(out, length, 1);
    } else {
        put_integer(out, -4, 1);
        put_integer(out, length, 4);
    }
    for (char16_t unit : text)
        put_integer(out, unit, 2);
}

} // namespace stellaro

#pragma once
// Builds zip archives in memory for the tests: local headers, data, central directory, end record.
#include <cstdint>
#include <string>
#include <vector>

namespace stellaro {

struct ZipMember {
    std::string name;
    std::string data;
    bool deflated = false; // written with method 8 and a compressed size unlike the real one
    std::string extra;     // the local header's extra field
};

inline void put_le(std::string& out, uint32_t value, int width)
{
    for (int i = 0; i < width; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

inline uint32_t zip_crc32(const std::string& data)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : data) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline std::string stored_zip(const std::vector<ZipMember>& members)
{
    std::string out;
    std::string directory;
    for (const ZipMember& member : members) {
        const auto offset = static_cast<uint32_t>(out.size());
        const auto size = static_cast<uint32_t>(member.data.size());
        const uint32_t compressed = member.deflated ? size / 2 + 1 : size;
        const uint32_t method = member.deflated ? 8 : 0;
        const uint32_t crc = zip_crc32(member.data);
        put_le(out, 0x04034B50, 4);
        put_le(out, 20, 2);
        put_le(out, 0, 2);
        put_le(out, method, 2);
        put_le(out, 0, 2);
        put_le(out, 0x21, 2);
        put_le(out, crc, 4);
        put_le(out, compressed, 4);
        put_le(out, size, 4);
        put_le(out, static_cast<uint32_t>(member.name.size()), 2);
        put_le(out, static_cast<uint32_t>(member.extra.size()), 2);
        out += member.name;
        out += member.extra;
        out += member.deflated ? std::string(compressed, '\x55') : member.data;

        put_le(directory, 0x02014B50, 4);
        put_le(directory, 20, 2);
        put_le(directory, 20, 2);
        put_le(directory, 0, 2);
        put_le(directory, method, 2);
        put_le(directory, 0, 2);
        put_le(directory, 0x21, 2);
        put_le(directory, crc, 4);
        put_le(directory, compressed, 4);
        put_le(directory, size, 4);
        put_le(directory, static_cast<uint32_t>(member.name.size()), 2);
        put_le(directory, 0, 2);
        put_le(directory, 0, 2);
        put_le(directory, 0, 2);
        put_le(directory, 0, 2);
        put_le(directory, 0, 4);
        put_le(directory, offset, 4);
        directory += member.name;
    }
    const auto directory_offset = static_cast<uint32_t>(out.size());
    out += directory;
    put_le(out, 0x06054B50, 4);
    put_le(out, 0, 2);
    put_le(out, 0, 2);
    put_le(out, static_cast<uint32_t>(members.size()), 2);
    put_le(out, static_cast<uint32_t>(members.size()), 2);
    put_le(out, static_cast<uint32_t>(directory.size()), 4);
    put_le(out, directory_offset, 4);
    put_le(out, 0, 2);
    return out;
}

} // namespace stellaro

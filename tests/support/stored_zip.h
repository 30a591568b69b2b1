#pragma once
// Builds zip archives in memory for the tests: local headers, data, central directory, end record.
#include "support/byte_writer.h"

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
    ByteWriter out;
    ByteWriter directory;
    for (const ZipMember& member : members) {
        const size_t offset = out.size();
        const size_t size = member.data.size();
        const size_t compressed = member.deflated ? size / 2 + 1 : size;
        const int method = member.deflated ? 8 : 0;
        const uint32_t crc = zip_crc32(member.data);
        // version, flags, method, time, date, crc, sizes, name length
        out.u32(0x04034B50).u16(20).u16(0).u16(method).u16(0).u16(0x21).u32(crc).u32(compressed).u32(size);
        out.u16(member.name.size()).u16(member.extra.size()).bytes(member.name).bytes(member.extra);
        out.bytes(member.deflated ? std::string(compressed, '\x55') : member.data);

        directory.u32(0x02014B50).u16(20).u16(20).u16(0).u16(method).u16(0).u16(0x21).u32(crc);
        directory.u32(compressed).u32(size).u16(member.name.size());
        // extra, comment, disk, internal and external attributes, offset
        directory.u16(0).u16(0).u16(0).u16(0).u32(0).u32(offset).bytes(member.name);
    }
    const size_t directory_offset = out.size();
    out.bytes(directory.str());
    out.u32(0x06054B50).u16(0).u16(0).u16(members.size()).u16(members.size());
    out.u32(directory.size()).u32(directory_offset).u16(0);
    return out.str();
}

} // namespace stellaro

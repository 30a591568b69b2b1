#include "stored_zip.h"

#include "skin/io/packed_bytes.h"

#include <array>
#include <limits>

namespace stellaro {

namespace {

// 1980-01-01 00:00, the earliest zip time: the archives do not change from build to build.
constexpr int DOS_TIME = 0;
constexpr int DOS_DATE = (0 << 9) | (1 << 5) | 1;
constexpr int VERSION_NEEDED = 10;

std::array<uint32_t, 256> make_crc_table()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

} // namespace

uint32_t crc32(const std::string& data)
{
    static const std::array<uint32_t, 256> TABLE = make_crc_table();
    uint32_t c = 0xFFFFFFFFu;
    for (unsigned char byte : data)
        c = TABLE[(c ^ byte) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

bool StoredZip::add(const std::string& name, const std::string& data)
{
    constexpr uint64_t LIMIT = std::numeric_limits<uint32_t>::max();
    if (name.empty() || name.size() > 0xFFFF || members.size() >= 0xFFFF ||
        body.size() + 30 + name.size() + data.size() >= LIMIT)
        return false;
    Member member{name, crc32(data), static_cast<uint32_t>(data.size()), static_cast<uint32_t>(body.size())};
    put_integer(body, 0x04034B50, 4);
    put_integer(body, VERSION_NEEDED, 2);
    put_integer(body, 0, 2); // flags
    put_integer(body, 0, 2); // stored
    put_integer(body, DOS_TIME, 2);
    put_integer(body, DOS_DATE, 2);
    put_integer(body, member.crc, 4);
    put_integer(body, member.size, 4);
    put_integer(body, member.size, 4);
    put_integer(body, static_cast<int64_t>(name.size()), 2);
    put_integer(body, 0, 2);
    body += name;
    body += data;
    members.push_back(std::move(member));
    return true;
}

std::string StoredZip::finish() const
{
    std::string out = body;
    const auto directory_offset = static_cast<uint32_t>(out.size());
    for (const Member& member : members) {
        put_integer(out, 0x02014B50, 4);
        put_integer(out, VERSION_NEEDED, 2); // made by
        put_integer(out, VERSION_NEEDED, 2);
        put_integer(out, 0, 2);
        put_integer(out, 0, 2);
        put_integer(out, DOS_TIME, 2);
        put_integer(out, DOS_DATE, 2);
        put_integer(out, member.crc, 4);
        put_integer(out, member.size, 4);
        put_integer(out, member.size, 4);
        put_integer(out, static_cast<int64_t>(member.name.size()), 2);
        put_integer(out, 0, 2); // extra
        put_integer(out, 0, 2); // comment
        put_integer(out, 0, 2); // disk
        put_integer(out, 0, 2); // internal attributes
        put_integer(out, 0, 4); // external attributes
        put_integer(out, member.header_offset, 4);
        out += member.name;
    }
    const auto directory_size = static_cast<uint32_t>(out.size() - directory_offset);
    put_integer(out, 0x06054B50, 4);
    put_integer(out, 0, 2);
    put_integer(out, 0, 2);
    put_integer(out, static_cast<int64_t>(members.size()), 2);
    put_integer(out, static_cast<int64_t>(members.size()), 2);
    put_integer(out, directory_size, 4);
    put_integer(out, directory_offset, 4);
    put_integer(out, 0, 2);
    return out;
}

} // namespace stellaro

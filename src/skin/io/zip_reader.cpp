#include "skin/io/zip_reader.h"

#include "platform/utf.h"

#include <algorithm>
#include <limits>

namespace stellaro {

namespace {

constexpr uint32_t LOCAL_HEADER_SIGNATURE = 0x04034B50;
// Signature, version, flags, method, time, date, CRC-32, both sizes, both name lengths.
constexpr size_t FIXED_HEADER_BYTES = 30;
// Names are short: one read usually brings the fixed part and the whole name.
constexpr size_t USUAL_NAME_BYTES = 98;

uint32_t little_endian(const unsigned char* bytes, size_t width)
{
    uint32_t value = 0;
    for (size_t i = 0; i < width; ++i)
        value |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    return value;
}

// Case and one trailing separator do not matter; "/" and "\" inside the name do.
void normalize_name(std::u16string& name)
{
    if (!name.empty() && (name.back() == u'/' || name.back() == u'\\'))
        name.pop_back();
    for (char16_t& c : name)
        c = lower_char(c);
}

} // namespace

ZipReader::ZipReader(std::u16string_view archive_path) : file(archive_path, FileStream::READ) { build_index(); }

void ZipReader::build_index()
{
    archive_size = file.size();
    next_header = 0;
    std::u16string entry;
    // An entry without a name ends the scan like any other damaged header.
    while (read_entry(entry) && !entry.empty()) {
        normalize_name(entry);
        index.try_emplace(entry, Member{data_start, member_size});
    }
    position = 0;
    data_start = 0;
    member_size = 0;
}

bool ZipReader::read_entry(std::u16string& name)
{
    unsigned char header[FIXED_HEADER_BYTES + USUAL_NAME_BYTES];
    const size_t got = file.read_at(next_header, header, sizeof header);
    if (got < FIXED_HEADER_BYTES || little_endian(header, 4) != LOCAL_HEADER_SIGNATURE)
        return false;
    const uint32_t compressed_size = little_endian(header + 18, 4);
    const uint32_t uncompressed_size = little_endian(header + 22, 4);
    const uint32_t name_length = little_endian(header + 26, 2);
    const uint32_t extra_length = little_endian(header + 28, 2);
    // Only stored members can be read as they lie in the file.
    if (compressed_size != uncompressed_size)
        return false;
    // The member must lie wholly inside the archive, and the next header inside 32-bit offsets.
    const uint64_t data = uint64_t{next_header} + FIXED_HEADER_BYTES + name_length + extra_length;
    const uint64_t end = data + uncompressed_size;
    if (end > archive_size || end > std::numeric_limits<uint32_t>::max())
        return false;

    name.resize(name_length);
    if (FIXED_HEADER_BYTES + name_length <= got) {
        std::copy(header + FIXED_HEADER_BYTES, header + FIXED_HEADER_BYTES + name_length, name.begin());
    } else {
        std::string bytes(name_length, '\0');
        if (file.read_at(next_header + FIXED_HEADER_BYTES, bytes.data(), bytes.size()) != bytes.size())
            return false;
        std::transform(bytes.begin(), bytes.end(), name.begin(),
                       [](char byte) { return static_cast<char16_t>(static_cast<unsigned char>(byte)); });
    }
    data_start = static_cast<uint32_t>(data);
    next_header = static_cast<uint32_t>(end);
    member_size = uncompressed_size;
    position = 0;
    return true;
}

bool ZipReader::find(std::u16string_view name)
{
    position = 0;
    data_start = 0;
    member_size = 0;
    std::u16string wanted(name);
    normalize_name(wanted);
    const auto found = index.find(wanted);
    if (found == index.end() || !file.seek(found->second.data_start))
        return false;
    data_start = found->second.data_start;
    member_size = found->second.size;
    return true;
}

size_t ZipReader::read(void* buffer, size_t count)
{
    if (position >= member_size)
        return 0;
    const size_t wanted = static_cast<size_t>(std::min<uint64_t>(count, member_size - position));
    const size_t got = file.read(buffer, wanted);
    position += static_cast<uint32_t>(got);
    return got;
}

uint64_t ZipReader::skip(uint64_t count)
{
    if (position >= member_size)
        return 0;
    const uint64_t moved = file.skip(std::min<uint64_t>(count, member_size - position));
    position += static_cast<uint32_t>(moved);
    return moved;
}

bool ZipReader::seek(uint64_t target)
{
    if (target > member_size || !file.seek(uint64_t{data_start} + target))
        return false;
    position = static_cast<uint32_t>(target);
    return true;
}

size_t ZipReader::write(const void*, size_t)
{
    return 0;
}

} // namespace stellaro

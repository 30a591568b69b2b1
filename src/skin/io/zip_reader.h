#pragma once
#include "skin/io/file_stream.h"
#include "skin/io/input_stream.h"
#include "skin/io/output_stream.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace stellaro {

// Finds members of a zip archive whose members are stored uncompressed, by walking the local
// headers from the start of the file once when it is opened (the central directory is never
// read) into an index of names, and then reads the member found as a stream of its own bytes.
//
// Names are matched ignoring letter case and one trailing "/" or "\"; inside a name "/" and "\"
// are different characters. The scan stops at the first entry that is not a stored local
// header (the central directory, a damaged header, a member whose data runs past the end of
// the archive, a compressed member), so a member behind a compressed one is never found.
//
// Typical use:
//     ZipReader zip(u"%app_path%/constellations.zip");
//     if (zip.find(u"Ori.png")) { ... zip.size(), zip.read(buffer, count) ... }
class ZipReader final : public InputStream, public OutputStream {
public:
    // Opens the archive and indexes its members. A missing archive gives a reader on which
    // every find fails.
    explicit ZipReader(std::u16string_view archive_path);

    // Looks the member up in the index; true when it was found, the reader then being at its
    // first byte. On failure the reader holds no member (size 0, reads return 0).
    bool find(std::u16string_view name);
    // Number of members the index holds.
    size_t member_count() const { return index.size(); }

    // The current member as a stream: reads and skips stop at its end.
    size_t read(void* buffer, size_t count) override;
    uint64_t skip(uint64_t count) override;
    bool is_open() const override { return file.is_open(); }
    uint64_t size() const override { return member_size; }
    // Positions inside the member, its end included; a position beyond the end is refused.
    bool seek(uint64_t position) override;
    uint64_t tell() const override { return position; }
    // Archives are read only: nothing is ever written.
    size_t write(const void* buffer, size_t count) override;
    // Offset in the archive of the current member's first byte.
    uint32_t data_offset() const { return data_start; }

private:
    // Where a member's bytes lie in the archive.
    struct Member {
        uint32_t data_start = 0;
        uint32_t size = 0;
    };

    // Reads the local header at next_header; the member's name, or false when the scan must end.
    bool read_entry(std::u16string& name);
    // Walks the local headers once and records each stored member by its normalised name.
    void build_index();

    FileStream file;
    uint64_t archive_size = 0;
    // The first of equal names wins, as a scan from the start would find it.
    std::unordered_map<std::u16string, Member> index;
    uint32_t next_header = 0;
    uint32_t position = 0;
    uint32_t data_start = 0;
    uint32_t member_size = 0;
};

} // namespace stellaro

#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace stellaro {

// Builds a zip archive whose members are stored without compression, with the local headers the
// program scans and a central directory so that ordinary zip tools read it too.
class StoredZip {
public:
    // Member names are ASCII; false when the name or the archive would outgrow the format.
    bool add(const std::string& name, const std::string& data);
    // The complete archive.
    std::string finish() const;

private:
    struct Member {
        std::string name;
        uint32_t crc = 0;
        uint32_t size = 0;
        uint32_t header_offset = 0;
    };
    std::vector<Member> members;
    std::string body;
};

uint32_t crc32(const std::string& data);

} // namespace stellaro

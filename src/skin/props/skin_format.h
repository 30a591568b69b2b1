#pragma once
#include <cstdint>
#include <cstring>

namespace stellaro {

// The layout of compiled skin files. All integers are little-endian; offsets count bytes from
// the start of the file unless said otherwise; strings are UTF-16LE ending in a zero unit.
namespace skin_format {

constexpr uint32_t HEADER_SIZE = 92;
constexpr char16_t MAGIC[4] = {0x0421, 0x043A, 0x0438, 0x043D};
// Bytes 8..71 of the header are free for the writer; the loader never reads them.
constexpr uint32_t ROOT_OFFSET = 72;   // first tree entry, NO_ENTRY for an empty tree
constexpr uint32_t PICTURE_COUNT = 76;
constexpr uint32_t FONT_COUNT = 80;
constexpr uint32_t STRING_AREA = 84;   // picture names, then font descriptions, then texts
constexpr uint32_t STRING_COUNT = 88;
constexpr uint32_t NO_ENTRY = 0xFFFFFFFF;

// Tree entry: left and right subtree entries, name, then the node's property block.
constexpr uint32_t ENTRY_LEFT = 0;
constexpr uint32_t ENTRY_RIGHT = 4;
constexpr uint32_t ENTRY_NAME = 8;
constexpr uint32_t ENTRY_BLOCK = 12;

// Property block: seven 16-bit boundaries relative to the block (the start of each record
// array and the end of the last), a 16-bit child count, then 32-bit child block offsets.
enum RecordKind : int { INTEGER, FONT, POINT, STRING, PICTURE, COLOUR, KIND_COUNT };
constexpr uint32_t BLOCK_BOUNDS = 0;
constexpr uint32_t BLOCK_CHILD_COUNT = 14;
constexpr uint32_t BLOCK_HEADER_SIZE = 16;
constexpr uint32_t RECORD_SIZE[KIND_COUNT] = {8, 8, 8, 4, 20, 8};

// Every record starts with the 16-bit offset of its name, so names live in the first 64 KB.
constexpr uint32_t NAME_LIMIT = 0x10000;
constexpr uint32_t INTEGER_VALUE = 4;  // signed 32-bit
constexpr uint32_t FONT_INDEX = 4;     // 32-bit
constexpr uint32_t POINT_X = 4;        // signed 16-bit x, then y
constexpr uint32_t STRING_INDEX = 2;   // 16-bit
constexpr uint32_t PICTURE_POINTS = 2; // eight unsigned 16-bit coordinates p0..p3
constexpr uint32_t PICTURE_INDEX = 18; // 8-bit
constexpr uint32_t PICTURE_FLAG = 19;  // 8-bit
constexpr uint32_t COLOUR_RGB = 4;     // red, green, blue bytes

inline uint16_t load16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t load32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}
inline void store16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void store32(uint8_t* p, uint32_t v)
{
    store16(p, static_cast<uint16_t>(v));
    store16(p + 2, static_cast<uint16_t>(v >> 16));
}

} // namespace skin_format

} // namespace stellaro

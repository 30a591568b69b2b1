#pragma once
#include "skin/props/skin_format.h"

#include <cstdint>
#include <string>
#include <vector>

namespace stellaro {

// A skin as its readable source describes it.
//
//     // a comment runs to the end of the line
//     node Main {                          // a named node of the skin's tree
//         string type = "node"
//         int cache = 1                    // decimal, or 0x hexadecimal
//         point design_size = 240, 320     // signed 16-bit x, y
//         color outside_color = #102030    // red, green, blue in hex
//         font font = "10 1 0 0 Tahoma"    // size bold italic underline face
//         picture star0 = "star0" 0,0 0,0 16,16 16,16 flag 1
//         picture background = "background"  // the whole picture, its size read from the file
//         child {                          // child blocks, in order; their "id" names them
//             string id = "stars"
//         }
//     }
//
// Names are bare words (letters, digits, "_", "#", ".", "-") or quoted strings. Strings are UTF-8
// with the escapes \\ \" \n \t and \uXXXX (one UTF-16 unit). Picture files are named without
// ".bmp", relative to the skin's folder; the four points are p0 (top-left), p1 and p2 (the
// repeated middle part) and p3 (one past the bottom-right).
struct PictureValue {
    std::u16string file;
    uint16_t points[8] = {};
    uint8_t flag = 0;
    // Given without points: the whole picture, filled in once its size is known.
    bool whole = false;
};

struct SourceProperty {
    skin_format::RecordKind kind = skin_format::INTEGER;
    std::u16string name;
    int32_t integer = 0;
    int16_t x = 0;
    int16_t y = 0;
    std::u16string text; // string value or font description
    PictureValue picture;
    uint8_t rgb[3] = {};
    int line = 0;
};

struct SourceBlock {
    std::vector<SourceProperty> properties;
    std::vector<SourceBlock> children;
    int line = 0;
};

struct SourceNode {
    std::u16string name;
    SourceBlock block;
    int line = 0;
};

struct SkinSource {
    std::vector<SourceNode> nodes;
};

// Parses source text; on failure error holds "file:line: reason" and the result is false.
bool parse_skin_source(const std::string& text, const std::string& file_name, SkinSource& skin, std::string& error);

// The type keyword of a record kind ("int", "font", "point", "string", "picture", "color").
const char* kind_keyword(skin_format::RecordKind kind);

} // namespace stellaro

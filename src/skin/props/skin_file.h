#pragma once
#include "skin/props/skin_format.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace stellaro {

// One compiled skin held in memory and queried in place. open() checks the whole structure once
// (every offset, count, name and index against the buffer, the tree and the child links for
// loops), so the lookups afterwards never leave the buffer; a file that fails any check is
// refused as a whole. Blocks are addressed by their file offset.
class SkinFile {
public:
    // Deeper nesting or more elements under one node than this is taken as damage: no real
    // interface comes near, and building it would exhaust the stack or the memory.
    static constexpr uint32_t MAX_DEPTH = 64;
    static constexpr uint32_t MAX_ELEMENTS_PER_NODE = 100000;

    // Takes the bytes and checks them; false (with the reason) when they are not a sound skin.
    // A file that is too short or lacks the magic gives an empty reason.
    bool open(std::string bytes, std::string& reason);
    bool is_open() const { return opened; }

    const uint8_t* data() const { return reinterpret_cast<const uint8_t*>(bytes.data()); }
    uint32_t size() const { return static_cast<uint32_t>(bytes.size()); }

    const std::vector<std::u16string>& picture_names() const { return pictures; }
    const std::vector<std::u16string>& font_descriptions() const { return fonts; }
    const std::vector<std::u16string>& strings() const { return texts; }

    // The block of the tree entry with that name; 0 when absent (no block starts at 0).
    uint32_t find_block(std::u16string_view name) const;
    // The tree entries in name order, as (name, block).
    std::vector<std::pair<std::u16string, uint32_t>> tree_entries() const;
    // True when a checked block starts at offset.
    bool is_block(uint32_t offset) const;

    uint32_t child_count(uint32_t block) const;
    uint32_t child(uint32_t block, uint32_t index) const;

    uint32_t record_count(uint32_t block, skin_format::RecordKind kind) const;
    // The index-th record of the kind (index < record_count).
    const uint8_t* record(uint32_t block, skin_format::RecordKind kind, uint32_t index) const;
    // Binary search of the block's records of the kind; null when the name is absent.
    const uint8_t* find_record(uint32_t block, skin_format::RecordKind kind, std::u16string_view name) const;
    // The name of a record, or any checked string offset.
    std::u16string name_at(uint32_t offset) const;

    // Night colours: every colour record of every block becomes (L, 0, 0) with
    // L = (77 red + 151 green + 28 blue) >> 8. Each block is converted once. False, changing
    // nothing, when the converted file no longer passes the checks (colours overlapping other
    // structures of a damaged file).
    bool convert_colours_to_night();

private:
    bool check_strings(std::string& reason);
    bool check_tree(std::string& reason);
    bool check_block(uint32_t block, uint32_t depth, std::string& reason);
    bool record_name_ok(uint16_t offset);
    // The length in units of the zero-terminated string at offset; false when it runs out.
    bool string_length(uint32_t offset, uint32_t& length) const;
    std::u16string string_at(uint32_t offset, uint32_t length) const;
    uint32_t bound(uint32_t block, int index) const;

    std::string bytes;
    bool opened = false;
    uint32_t root = skin_format::NO_ENTRY;
    std::vector<std::u16string> pictures;
    std::vector<std::u16string> fonts;
    std::vector<std::u16string> texts;
    // Checked blocks with the number of elements each expands to (0 while being checked, which
    // finds loops), then the sorted offsets of all blocks.
    std::map<uint32_t, uint32_t> checked;
    std::vector<uint32_t> blocks;
    // While checking: 0 unknown, 1 sound, 2 damaged, per record name offset.
    std::vector<uint8_t> record_names;
};

// The order of skin names: code units compared as unsigned values over the shorter length,
// then the shorter name first. Negative, zero or positive.
int compare_skin_names(std::u16string_view a, std::u16string_view b);

} // namespace stellaro

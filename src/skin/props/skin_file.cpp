#include "skin/props/skin_file.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace stellaro {

using namespace skin_format;

int compare_skin_names(std::u16string_view a, std::u16string_view b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

namespace {

// The wanted name against the zero-terminated name stored at p (checked to end in the buffer).
int compare_stored(std::u16string_view wanted, const uint8_t* p)
{
    for (size_t i = 0;; ++i, p += 2) {
        const char16_t stored = static_cast<char16_t>(load16(p));
        if (stored == 0)
            return i == wanted.size() ? 0 : 1;
        if (i == wanted.size())
            return -1;
        if (wanted[i] != stored)
            return wanted[i] < stored ? -1 : 1;
    }
}

std::string number(uint64_t value) { return std::to_string(value); }

} // namespace

bool SkinFile::string_length(uint32_t offset, uint32_t& length) const
{
    const uint32_t total = size();
    for (uint32_t at = offset; at <= total - 2 && total >= 2; at += 2) {
        if (load16(data() + at) == 0) {
            length = (at - offset) / 2;
            return true;
        }
    }
    return false;
}

std::u16string SkinFile::string_at(uint32_t offset, uint32_t length) const
{
    std::u16string text(length, u'\0');
    for (uint32_t i = 0; i < length; ++i)
        text[i] = static_cast<char16_t>(load16(data() + offset + 2 * i));
    return text;
}

std::u16string SkinFile::name_at(uint32_t offset) const
{
    uint32_t length = 0;
    if (offset >= size() || !string_length(offset, length))
        return {};
    return string_at(offset, length);
}

bool SkinFile::open(std::string content, std::string& reason)
{
    bytes = std::move(content);
    opened = false;
    root = NO_ENTRY;
    pictures.clear();
    fonts.clear();
    texts.clear();
    checked.clear();
    blocks.clear();
    record_names.clear();
    reason.clear();
    if (bytes.size() < HEADER_SIZE)
        return false;
    for (int i = 0; i < 4; ++i) {
        if (load16(data() + 2 * i) != MAGIC[i])
            return false;
    }
    if (bytes.size() >= 0xFFFFFFFFu) {
        reason = "file too large";
        return false;
    }
    if (!check_strings(reason) || !check_tree(reason))
        return false;
    blocks.reserve(checked.size());
    for (const auto& [offset, elements] : checked)
        blocks.push_back(offset);
    record_names.clear();
    record_names.shrink_to_fit();
    opened = true;
    // Nodes are found by a search down the tree: one out of name order could never be found.
    const auto entries = tree_entries();
    for (size_t i = 1; i < entries.size(); ++i) {
        if (!(entries[i - 1].first < entries[i].first)) {
            reason = "tree entry at " + number(entries[i].second - ENTRY_BLOCK) + " is out of name order";
            opened = false;
            return false;
        }
    }
    return true;
}

bool SkinFile::check_strings(std::string& reason)
{
    const uint32_t area = load32(data() + STRING_AREA);
    const uint64_t picture_count = load32(data() + PICTURE_COUNT);
    const uint64_t font_count = load32(data() + FONT_COUNT);
    const uint64_t text_count = load32(data() + STRING_COUNT);
    if (area > size()) {
        reason = "string area at " + number(area) + " lies beyond the end";
        return false;
    }
    // Every string takes at least its two-byte terminator.
    if (picture_count + font_count + text_count > (size() - area) / 2) {
        reason = "more strings counted than fit in the string area";
        return false;
    }
    uint32_t at = area;
    const auto read_strings = [&](uint64_t count, std::vector<std::u16string>& into, const char* what) {
        into.reserve(count);
        for (uint64_t i = 0; i < count; ++i) {
            uint32_t length = 0;
            if (!string_length(at, length)) {
                reason = std::string(what) + " " + number(i) + " runs past the end";
                return false;
            }
            into.push_back(string_at(at, length));
            at += 2 * (length + 1);
        }
        return true;
    };
    return read_strings(picture_count, pictures, "picture name") && read_strings(font_count, fonts, "font") &&
           read_strings(text_count, texts, "string");
}

bool SkinFile::check_tree(std::string& reason)
{
    root = load32(data() + ROOT_OFFSET);
    std::vector<uint32_t> pending;
    std::set<uint32_t> seen;
    if (root != NO_ENTRY)
        pending.push_back(root);
    while (!pending.empty()) {
        const uint32_t entry = pending.back();
        pending.pop_back();
        if (entry > size() || size() - entry < ENTRY_BLOCK + BLOCK_HEADER_SIZE) {
            reason = "tree entry at " + number(entry) + " lies beyond the end";
            return false;
        }
        if (!seen.insert(entry).second) {
            reason = "tree entry at " + number(entry) + " is reached twice";
            return false;
        }
        uint32_t length = 0;
        const uint32_t name = load32(data() + entry + ENTRY_NAME);
        if (name >= size() || !string_length(name, length)) {
            reason = "name of the tree entry at " + number(entry) + " runs past the end";
            return false;
        }
        if (!check_block(entry + ENTRY_BLOCK, 0, reason))
            return false;
        for (const uint32_t link : {ENTRY_LEFT, ENTRY_RIGHT}) {
            const uint32_t next = load32(data() + entry + link);
            if (next != NO_ENTRY)
                pending.push_back(next);
        }
    }
    return true;
}

bool SkinFile::record_name_ok(uint16_t offset)
{
    // Many records share a name: each is scanned once.
    if (record_names.empty())
        record_names.assign(NAME_LIMIT, 0);
    uint8_t& state = record_names[offset];
    if (state == 0) {
        uint32_t length = 0;
        state = string_length(offset, length) ? 1 : 2;
    }
    return state == 1;
}

uint32_t SkinFile::bound(uint32_t block, int index) const
{
    return load16(data() + block + BLOCK_BOUNDS + 2 * index);
}

bool SkinFile::check_block(uint32_t block, uint32_t depth, std::string& reason)
{
    const std::string where = "block at " + number(block);
    if (depth > MAX_DEPTH) {
        reason = where + " is nested too deeply";
        return false;
    }
    const auto known = checked.find(block);
    if (known != checked.end()) {
        if (known->second == 0) {
            reason = where + " contains itself";
            return false;
        }
        return true;
    }
    if (block < HEADER_SIZE || block > size() || size() - block < BLOCK_HEADER_SIZE) {
        reason = where + " lies outside the file's blocks";
        return false;
    }
    const uint64_t children = load16(data() + block + BLOCK_CHILD_COUNT);
    if (size() - block - BLOCK_HEADER_SIZE < 4 * children) {
        reason = where + " has more children than fit";
        return false;
    }
    // Every boundary must be in order and inside the file before any record is read.
    for (int kind = 0; kind < KIND_COUNT; ++kind) {
        if (bound(block, kind + 1) < bound(block, kind)) {
            reason = where + " has record arrays out of order";
            return false;
        }
    }
    if (bound(block, KIND_COUNT) > size() - block) {
        reason = where + " has records beyond the end";
        return false;
    }
    const uint32_t counts[] = {static_cast<uint32_t>(pictures.size()), static_cast<uint32_t>(fonts.size()),
                               static_cast<uint32_t>(texts.size())};
    for (int kind = 0; kind < KIND_COUNT; ++kind) {
        const uint32_t begin = bound(block, kind);
        const uint32_t end = bound(block, kind + 1);
        if ((end - begin) % RECORD_SIZE[kind] != 0) {
            reason = where + " has a damaged record array " + number(kind);
            return false;
        }
        std::u16string previous;
        for (uint32_t at = block + begin; at < block + end; at += RECORD_SIZE[kind]) {
            const uint8_t* record = data() + at;
            if (!record_name_ok(load16(record))) {
                reason = where + " has a record name running past the end";
                return false;
            }
            // Lookups search by name: a record out of order could never be found.
            std::u16string name = name_at(load16(record));
            if (at > block + begin && !(previous < name)) {
                reason = where + " has records out of name order";
                return false;
            }
            previous = std::move(name);
            const uint32_t index = kind == FONT      ? load32(record + FONT_INDEX)
                                   : kind == STRING  ? load16(record + STRING_INDEX)
                                   : kind == PICTURE ? record[PICTURE_INDEX]
                                                     : 0;
            const uint32_t limit = kind == FONT ? counts[1] : kind == STRING ? counts[2] : counts[0];
            if ((kind == FONT || kind == STRING || kind == PICTURE) && index >= limit) {
                reason = where + " refers to a missing " +
                         (kind == FONT ? "font " : kind == STRING ? "string " : "picture ") + number(index);
                return false;
            }
        }
    }
    checked.emplace(block, 0);
    uint64_t elements = 1;
    for (uint32_t i = 0; i < children; ++i) {
        const uint32_t offset = load32(data() + block + BLOCK_HEADER_SIZE + 4 * i);
        if (!check_block(offset, depth + 1, reason))
            return false;
        elements += checked[offset];
        if (elements > MAX_ELEMENTS_PER_NODE) {
            reason = where + " expands to too many elements";
            return false;
        }
    }
    checked[block] = static_cast<uint32_t>(elements);
    return true;
}

uint32_t SkinFile::find_block(std::u16string_view name) const
{
    if (!opened)
        return 0;
    uint32_t entry = root;
    while (entry != NO_ENTRY) {
        const int order = compare_stored(name, data() + load32(data() + entry + ENTRY_NAME));
        if (order == 0)
            return entry + ENTRY_BLOCK;
        entry = load32(data() + entry + (order < 0 ? ENTRY_LEFT : ENTRY_RIGHT));
    }
    return 0;
}

std::vector<std::pair<std::u16string, uint32_t>> SkinFile::tree_entries() const
{
    std::vector<std::pair<std::u16string, uint32_t>> entries;
    if (!opened)
        return entries;
    // In-order walk; the tree was checked to be loop-free.
    std::vector<uint32_t> stack;
    uint32_t entry = root;
    while (entry != NO_ENTRY || !stack.empty()) {
        while (entry != NO_ENTRY) {
            stack.push_back(entry);
            entry = load32(data() + entry + ENTRY_LEFT);
        }
        entry = stack.back();
        stack.pop_back();
        entries.emplace_back(name_at(load32(data() + entry + ENTRY_NAME)), entry + ENTRY_BLOCK);
        entry = load32(data() + entry + ENTRY_RIGHT);
    }
    return entries;
}

bool SkinFile::is_block(uint32_t offset) const
{
    return std::binary_search(blocks.begin(), blocks.end(), offset);
}

uint32_t SkinFile::child_count(uint32_t block) const { return load16(data() + block + BLOCK_CHILD_COUNT); }

uint32_t SkinFile::child(uint32_t block, uint32_t index) const
{
    return load32(data() + block + BLOCK_HEADER_SIZE + 4 * index);
}

uint32_t SkinFile::record_count(uint32_t block, RecordKind kind) const
{
    return (bound(block, kind + 1) - bound(block, kind)) / RECORD_SIZE[kind];
}

const uint8_t* SkinFile::record(uint32_t block, RecordKind kind, uint32_t index) const
{
    return data() + block + bound(block, kind) + index * RECORD_SIZE[kind];
}

const uint8_t* SkinFile::find_record(uint32_t block, RecordKind kind, std::u16string_view name) const
{
    uint32_t low = 0;
    uint32_t high = record_count(block, kind);
    while (low < high) {
        const uint32_t mid = (low + high) / 2;
        const uint8_t* candidate = record(block, kind, mid);
        const int order = compare_stored(name, data() + load16(candidate));
        if (order == 0)
            return candidate;
        if (order < 0)
            high = mid;
        else
            low = mid + 1;
    }
    return nullptr;
}

bool SkinFile::convert_colours_to_night()
{
    if (!opened)
        return false;
    // Converted in a copy first: in a damaged file a colour may overlap other structures, so the
    // result is checked again before it replaces the day colours.
    std::string converted = bytes;
    auto* base = reinterpret_cast<uint8_t*>(converted.data());
    for (const uint32_t block : blocks) {
        const uint32_t count = record_count(block, COLOUR);
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* day = record(block, COLOUR, i) + COLOUR_RGB;
            uint8_t* night = base + (day - data());
            night[0] = static_cast<uint8_t>((77 * day[0] + 151 * day[1] + 28 * day[2]) >> 8);
            night[1] = 0;
            night[2] = 0;
        }
    }
    SkinFile check;
    std::string reason;
    if (!check.open(converted, reason))
        return false;
    // Same length and layout: the buffer keeps its address, so blocks handed out stay valid.
    std::memcpy(bytes.data(), converted.data(), bytes.size());
    root = check.root;
    pictures = std::move(check.pictures);
    fonts = std::move(check.fonts);
    texts = std::move(check.texts);
    checked = std::move(check.checked);
    blocks = std::move(check.blocks);
    return true;
}

} // namespace stellaro

#include "skin_writer.h"

#include "platform/utf.h"
#include "skin/props/skin_file.h"

#include <algorithm>
#include <map>

namespace stellaro {

using namespace skin_format;

namespace {

struct NameOrder {
    bool operator()(const std::u16string& a, const std::u16string& b) const { return compare_skin_names(a, b) < 0; }
};

// Values shared through the string area, numbered in order of first use.
class Table {
public:
    uint32_t index(const std::u16string& value)
    {
        const auto [where, added] = numbers.emplace(value, static_cast<uint32_t>(order.size()));
        if (added)
            order.push_back(value);
        return where->second;
    }
    const std::vector<std::u16string>& values() const { return order; }

private:
    std::map<std::u16string, uint32_t> numbers;
    std::vector<std::u16string> order;
};

class Writer {
public:
    bool write(const SkinSource& skin, std::string& out, std::string& error)
    {
        std::vector<const SourceNode*> nodes;
        for (const SourceNode& node : skin.nodes)
            nodes.push_back(&node);
        std::sort(nodes.begin(), nodes.end(), [](const SourceNode* a, const SourceNode* b) {
            return compare_skin_names(a->name, b->name) < 0;
        });
        for (const SourceNode* node : nodes) {
            names.emplace(node->name, 0);
            if (!collect(node->block, error))
                return false;
        }

        bytes.assign(HEADER_SIZE, '\0');
        for (int i = 0; i < 4; ++i)
            store16(at(2 * i), MAGIC[i]);
        for (auto& [name, offset] : names) {
            offset = static_cast<uint32_t>(bytes.size());
            append_string(name);
        }
        uint32_t last_name = 0;
        for (const auto& [name, offset] : names)
            last_name = std::max(last_name, offset);
        if (last_name >= NAME_LIMIT) {
            error = "the names take more than the first 64 KB of the file";
            return false;
        }

        std::vector<uint32_t> entries;
        for (const SourceNode* node : nodes) {
            align();
            const uint32_t entry = static_cast<uint32_t>(bytes.size());
            entries.push_back(entry);
            bytes.resize(bytes.size() + ENTRY_BLOCK);
            store32(at(entry + ENTRY_LEFT), NO_ENTRY);
            store32(at(entry + ENTRY_RIGHT), NO_ENTRY);
            store32(at(entry + ENTRY_NAME), names.at(node->name));
            if (!write_block(node->block, error))
                return false;
        }
        store32(at(ROOT_OFFSET), link_tree(entries, 0, entries.size()));

        align();
        store32(at(STRING_AREA), static_cast<uint32_t>(bytes.size()));
        store32(at(PICTURE_COUNT), static_cast<uint32_t>(pictures.values().size()));
        store32(at(FONT_COUNT), static_cast<uint32_t>(fonts.values().size()));
        store32(at(STRING_COUNT), static_cast<uint32_t>(texts.values().size()));
        for (const Table* table : {&pictures, &fonts, &texts}) {
            for (const std::u16string& value : table->values())
                append_string(value);
        }
        out = std::move(bytes);
        return true;
    }

private:
    uint8_t* at(size_t offset) { return reinterpret_cast<uint8_t*>(bytes.data()) + offset; }

    void align() { bytes.resize((bytes.size() + 3) & ~size_t(3), '\0'); }

    void append_string(const std::u16string& text)
    {
        const size_t start = bytes.size();
        bytes.resize(start + 2 * (text.size() + 1), '\0');
        for (size_t i = 0; i < text.size(); ++i)
            store16(at(start + 2 * i), text[i]);
    }

    // The properties of a block in the order they are stored: by kind, then by name.
    static std::vector<const SourceProperty*> sorted(const SourceBlock& block)
    {
        std::vector<const SourceProperty*> properties;
        for (const SourceProperty& property : block.properties)
            properties.push_back(&property);
        std::sort(properties.begin(), properties.end(), [](const SourceProperty* a, const SourceProperty* b) {
            if (a->kind != b->kind)
                return a->kind < b->kind;
            return compare_skin_names(a->name, b->name) < 0;
        });
        return properties;
    }

    // Numbers names and shared values in the order the blocks will be written.
    bool collect(const SourceBlock& block, std::string& error)
    {
        for (const SourceProperty* property : sorted(block)) {
            names.emplace(property->name, 0);
            if (property->kind == FONT)
                fonts.index(property->text);
            else if (property->kind == STRING)
                texts.index(property->text);
            else if (property->kind == PICTURE)
                pictures.index(property->picture.file);
        }
        if (pictures.values().size() > 256) {
            error = "line " + std::to_string(block.line) + ": a skin holds at most 256 picture files";
            return false;
        }
        if (texts.values().size() > 65536) {
            error = "line " + std::to_string(block.line) + ": a skin holds at most 65536 different strings";
            return false;
        }
        for (const SourceBlock& child : block.children) {
            if (!collect(child, error))
                return false;
        }
        return true;
    }

    bool write_block(const SourceBlock& block, std::string& error)
    {
        const std::vector<const SourceProperty*> properties = sorted(block);
        const size_t start = bytes.size();
        if (block.children.size() > 0xFFFF) {
            error = "line " + std::to_string(block.line) + ": a block holds at most 65535 children";
            return false;
        }
        size_t end = BLOCK_HEADER_SIZE + 4 * block.children.size();
        uint32_t bounds[KIND_COUNT + 1] = {};
        size_t next = 0;
        for (int kind = 0; kind <= KIND_COUNT; ++kind) {
            bounds[kind] = static_cast<uint32_t>(end);
            while (kind < KIND_COUNT && next < properties.size() && properties[next]->kind == kind) {
                end += RECORD_SIZE[kind];
                ++next;
            }
        }
        if (end > 0xFFFF) {
            error = "line " + std::to_string(block.line) + ": the block's properties take more than 64 KB";
            return false;
        }
        bytes.resize(start + end, '\0');
        for (int kind = 0; kind <= KIND_COUNT; ++kind)
            store16(at(start + BLOCK_BOUNDS + 2 * kind), static_cast<uint16_t>(bounds[kind]));
        store16(at(start + BLOCK_CHILD_COUNT), static_cast<uint16_t>(block.children.size()));

        size_t record = start + bounds[0];
        for (const SourceProperty* property : properties) {
            uint8_t* r = at(record);
            store16(r, static_cast<uint16_t>(names.at(property->name)));
            switch (property->kind) {
            case INTEGER: store32(r + INTEGER_VALUE, static_cast<uint32_t>(property->integer)); break;
            case FONT: store32(r + FONT_INDEX, fonts.index(property->text)); break;
            case POINT:
                store16(r + POINT_X, static_cast<uint16_t>(property->x));
                store16(r + POINT_X + 2, static_cast<uint16_t>(property->y));
                break;
            case STRING: store16(r + STRING_INDEX, static_cast<uint16_t>(texts.index(property->text))); break;
            case PICTURE:
                if (property->picture.whole) {
                    error = "line " + std::to_string(property->line) + ": the size of picture \"" +
                            utf16_to_utf8(property->picture.file) + "\" is not known";
                    return false;
                }
                for (int i = 0; i < 8; ++i)
                    store16(r + PICTURE_POINTS + 2 * i, property->picture.points[i]);
                r[PICTURE_INDEX] = static_cast<uint8_t>(pictures.index(property->picture.file));
                r[PICTURE_FLAG] = property->picture.flag;
                break;
            case COLOUR:
                for (int i = 0; i < 3; ++i)
                    r[COLOUR_RGB + i] = property->rgb[i];
                break;
            case KIND_COUNT: break;
            }
            record += RECORD_SIZE[property->kind];
        }

        for (size_t i = 0; i < block.children.size(); ++i) {
            align();
            store32(at(start + BLOCK_HEADER_SIZE + 4 * i), static_cast<uint32_t>(bytes.size()));
            if (!write_block(block.children[i], error))
                return false;
        }
        return true;
    }

    // Links the sorted entries [begin, end) into a balanced tree; its root.
    uint32_t link_tree(const std::vector<uint32_t>& entries, size_t begin, size_t end)
    {
        if (begin == end)
            return NO_ENTRY;
        const size_t middle = begin + (end - begin) / 2;
        store32(at(entries[middle] + ENTRY_LEFT), link_tree(entries, begin, middle));
        store32(at(entries[middle] + ENTRY_RIGHT), link_tree(entries, middle + 1, end));
        return entries[middle];
    }

    std::string bytes;
    std::map<std::u16string, uint32_t, NameOrder> names;
    Table pictures;
    Table fonts;
    Table texts;
};

} // namespace

bool write_skin(const SkinSource& skin, std::string& bytes, std::string& error)
{
    Writer writer;
    return writer.write(skin, bytes, error);
}

} // namespace stellaro

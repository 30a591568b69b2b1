#include "skin_dump.h"

#include "platform/utf.h"
#include "skin_source.h"

#include <cstdio>

namespace stellaro {

using namespace skin_format;

namespace {

bool is_bare(std::u16string_view name)
{
    if (name.empty())
        return false;
    for (const char16_t c : name) {
        const bool ok = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
                        c == u'_' || c == u'#' || c == u'.' || c == u'-' || c == u'+';
        if (!ok)
            return false;
    }
    return true;
}

std::string quoted(std::u16string_view text)
{
    std::string out = "\"";
    size_t plain = 0;
    const auto flush = [&](size_t end) { out += utf16_to_utf8(text.substr(plain, end - plain)); };
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        const bool low = c >= 0xDC00 && c <= 0xDFFF;
        const bool paired = high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (paired) {
            ++i;
            continue;
        }
        const char* escape = c == u'\\' ? "\\\\" : c == u'"' ? "\\\"" : c == u'\n' ? "\\n" : c == u'\t' ? "\\t" : nullptr;
        if (!escape && c >= 0x20 && c != 0x7F && !high && !low)
            continue;
        flush(i);
        if (escape) {
            out += escape;
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(c));
            out += code;
        }
        plain = i + 1;
    }
    flush(text.size());
    return out + "\"";
}

std::string name_text(std::u16string_view name) { return is_bare(name) ? utf16_to_utf8(name) : quoted(name); }

class Dumper {
public:
    explicit Dumper(const SkinFile& skin) : skin(skin) {}

    std::string run()
    {
        bool first = true;
        for (const auto& [name, block] : skin.tree_entries()) {
            if (!first)
                out += "\n";
            first = false;
            out += "node " + name_text(name) + " ";
            dump_block(block, 0);
        }
        return out;
    }

private:
    void dump_block(uint32_t block, int depth)
    {
        const std::string indent(4 * (depth + 1), ' ');
        out += "{\n";
        for (int kind = 0; kind < KIND_COUNT; ++kind) {
            const auto k = static_cast<RecordKind>(kind);
            for (uint32_t i = 0; i < skin.record_count(block, k); ++i) {
                const uint8_t* r = skin.record(block, k, i);
                out += indent + kind_keyword(k) + " " + name_text(skin.name_at(load16(r))) + " = " + value(k, r) + "\n";
            }
        }
        for (uint32_t i = 0; i < skin.child_count(block); ++i) {
            out += indent + "child ";
            dump_block(skin.child(block, i), depth + 1);
        }
        out += std::string(4 * depth, ' ') + "}\n";
    }

    std::string value(RecordKind kind, const uint8_t* r) const
    {
        switch (kind) {
        case INTEGER: return std::to_string(static_cast<int32_t>(load32(r + INTEGER_VALUE)));
        case FONT: return quoted(skin.font_descriptions()[load32(r + FONT_INDEX)]);
        case POINT:
            return std::to_string(static_cast<int16_t>(load16(r + POINT_X))) + ", " +
                   std::to_string(static_cast<int16_t>(load16(r + POINT_X + 2)));
        case STRING: return quoted(skin.strings()[load16(r + STRING_INDEX)]);
        case PICTURE: {
            std::string text = quoted(skin.picture_names()[r[PICTURE_INDEX]]);
            for (int i = 0; i < 4; ++i)
                text += " " + std::to_string(load16(r + PICTURE_POINTS + 4 * i)) + "," +
                        std::to_string(load16(r + PICTURE_POINTS + 4 * i + 2));
            if (r[PICTURE_FLAG] != 0)
                text += " flag " + std::to_string(r[PICTURE_FLAG]);
            return text;
        }
        case COLOUR: {
            char text[8];
            std::snprintf(text, sizeof text, "#%02X%02X%02X", r[COLOUR_RGB], r[COLOUR_RGB + 1], r[COLOUR_RGB + 2]);
            return text;
        }
        case KIND_COUNT: break;
        }
        return {};
    }

    const SkinFile& skin;
    std::string out;
};

} // namespace

std::string dump_skin(const SkinFile& skin) { return Dumper(skin).run(); }

} // namespace stellaro

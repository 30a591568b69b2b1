#include "skin_source.h"

#include "fonts/font_desc.h"
#include "platform/utf.h"

#include <cctype>
#include <charconv>
#include <set>

namespace stellaro {

using namespace skin_format;

const char* kind_keyword(RecordKind kind)
{
    static const char* const KEYWORDS[KIND_COUNT] = {"int", "font", "point", "string", "picture", "color"};
    return KEYWORDS[kind];
}

namespace {

enum class TokenType { WORD, STRING, SYMBOL, END };

struct Token {
    TokenType type = TokenType::END;
    std::string text; // the word, the decoded string (UTF-8), or the symbol
    int line = 0;
};

bool is_word_char(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '#' || c == '.' || c == '-' || c == '+';
}

class Parser {
public:
    Parser(const std::string& text, const std::string& file) : text(text), file(file)
    {
        // Editors may start UTF-8 files with a byte-order mark.
        if (text.rfind("\xEF\xBB\xBF", 0) == 0)
            at = 3;
    }

    bool parse(SkinSource& skin, std::string& error)
    {
        if (!advance())
            return fail(error);
        std::set<std::u16string, std::less<>> names;
        while (current.type != TokenType::END) {
            SourceNode node;
            node.line = current.line;
            if (!expect_word("node") || !name(node.name) || !block(node.block))
                return fail(error);
            if (!names.insert(node.name).second) {
                problem = "node \"" + utf16_to_utf8(node.name) + "\" is defined twice";
                problem_line = node.line;
                return fail(error);
            }
            skin.nodes.push_back(std::move(node));
        }
        return true;
    }

private:
    bool fail(std::string& error) const
    {
        error = file + ":" + std::to_string(problem_line) + ": " + problem;
        return false;
    }

    bool report(const std::string& reason, int line)
    {
        if (problem.empty()) {
            problem = reason;
            problem_line = line;
        }
        return false;
    }
    bool report(const std::string& reason) { return report(reason, current.line); }

    // Reads the next token into current.
    bool advance()
    {
        while (at < text.size()) {
            const char c = text[at];
            if (c == '\n') {
                ++line;
                ++at;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++at;
            } else if (c == '/' && at + 1 < text.size() && text[at + 1] == '/') {
                while (at < text.size() && text[at] != '\n')
                    ++at;
            } else {
                break;
            }
        }
        current = Token{};
        current.line = line;
        if (at == text.size())
            return true;
        const char c = text[at];
        if (c == '"')
            return quoted();
        if (c == '{' || c == '}' || c == '=' || c == ',') {
            current.type = TokenType::SYMBOL;
            current.text = std::string(1, c);
            ++at;
            return true;
        }
        if (!is_word_char(c))
            return report(std::string("unexpected character '") + c + "'");
        const size_t start = at;
        while (at < text.size() && is_word_char(text[at]))
            ++at;
        current.type = TokenType::WORD;
        current.text = text.substr(start, at - start);
        return true;
    }

    bool quoted()
    {
        ++at;
        std::u16string value;
        size_t plain = at;
        const auto flush = [&] { value += utf8_to_utf16(std::string_view(text).substr(plain, at - plain)); };
        while (true) {
            if (at == text.size() || text[at] == '\n')
                return report("string not closed");
            const char c = text[at];
            if (c == '"') {
                flush();
                ++at;
                break;
            }
            if (c != '\\') {
                ++at;
                continue;
            }
            flush();
            if (at + 1 == text.size())
                return report("string not closed");
            const char escaped = text[at + 1];
            at += 2;
            if (escaped == '\\' || escaped == '"') {
                value += static_cast<char16_t>(escaped);
            } else if (escaped == 'n') {
                value += u'\n';
            } else if (escaped == 't') {
                value += u'\t';
            } else if (escaped == 'u') {
                unsigned unit = 0;
                const char* begin = text.data() + at;
                const auto [end, error] = std::from_chars(begin, begin + std::min<size_t>(4, text.size() - at), unit, 16);
                if (error != std::errc() || end != begin + 4)
                    return report("\\u needs four hexadecimal digits");
                value += static_cast<char16_t>(unit);
                at += 4;
            } else {
                return report(std::string("unknown escape \\") + escaped);
            }
            plain = at;
        }
        current.type = TokenType::STRING;
        current.text = utf16_to_utf8(value);
        wide = std::move(value);
        return true;
    }

    bool is_symbol(const char* symbol) const { return current.type == TokenType::SYMBOL && current.text == symbol; }
    bool is_word(const char* word) const { return current.type == TokenType::WORD && current.text == word; }

    bool expect_symbol(const char* symbol)
    {
        if (!is_symbol(symbol))
            return report(std::string("expected \"") + symbol + "\"" + found());
        return advance();
    }
    bool expect_word(const char* word)
    {
        if (!is_word(word))
            return report(std::string("expected \"") + word + "\"" + found());
        return advance();
    }

    std::string found() const
    {
        switch (current.type) {
        case TokenType::END: return " at the end of the file";
        case TokenType::STRING: return " before a string";
        default: return " before \"" + current.text + "\"";
        }
    }

    bool name(std::u16string& out)
    {
        if (current.type == TokenType::WORD)
            out = utf8_to_utf16(current.text);
        else if (current.type == TokenType::STRING)
            out = wide;
        else
            return report("expected a name" + found());
        if (out.empty())
            return report("a name may not be empty");
        if (out.find(u'\0') != std::u16string::npos)
            return report("a name may not contain a zero character");
        return advance();
    }

    bool string_value(std::u16string& out)
    {
        if (current.type != TokenType::STRING)
            return report("expected a quoted string" + found());
        out = wide;
        if (out.find(u'\0') != std::u16string::npos)
            return report("a string may not contain a zero character");
        return advance();
    }

    bool integer(int64_t low, int64_t high, int64_t& out)
    {
        if (current.type != TokenType::WORD)
            return report("expected a number" + found());
        const std::string& word = current.text;
        size_t start = 0;
        bool negative = false;
        if (!word.empty() && (word[0] == '-' || word[0] == '+')) {
            negative = word[0] == '-';
            start = 1;
        }
        int base = 10;
        if (word.size() > start + 2 && word[start] == '0' && (word[start + 1] == 'x' || word[start + 1] == 'X')) {
            base = 16;
            start += 2;
        }
        uint64_t magnitude = 0;
        const char* begin = word.data() + start;
        const char* end = word.data() + word.size();
        const auto result = std::from_chars(begin, end, magnitude, base);
        if (begin == end || result.ec != std::errc() || result.ptr != end)
            return report("\"" + word + "\" is not a number");
        if (magnitude > static_cast<uint64_t>(INT64_MAX))
            return report("\"" + word + "\" is out of range");
        out = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
        if (out < low || out > high)
            return report(word + " is outside " + std::to_string(low) + ".." + std::to_string(high));
        return advance();
    }

    bool coordinate_pair(int64_t low, int64_t high, int64_t& x, int64_t& y)
    {
        return integer(low, high, x) && expect_symbol(",") && integer(low, high, y);
    }

    bool starts_number() const
    {
        return current.type == TokenType::WORD && !current.text.empty() &&
               (std::isdigit(static_cast<unsigned char>(current.text[0])) || current.text[0] == '-' ||
                current.text[0] == '+');
    }

    bool block(SourceBlock& out)
    {
        out.line = current.line;
        if (!expect_symbol("{"))
            return false;
        std::set<std::pair<int, std::u16string>> seen;
        while (!is_symbol("}")) {
            if (current.type == TokenType::END)
                return report("block opened on line " + std::to_string(out.line) + " is not closed");
            if (is_word("child")) {
                if (!advance())
                    return false;
                out.children.emplace_back();
                if (!block(out.children.back()))
                    return false;
                continue;
            }
            SourceProperty property;
            if (!this->property(property))
                return false;
            if (!seen.emplace(property.kind, property.name).second)
                return report(std::string(kind_keyword(property.kind)) + " \"" + utf16_to_utf8(property.name) +
                                  "\" is given twice in this block",
                              property.line);
            out.properties.push_back(std::move(property));
        }
        return advance();
    }

    bool property(SourceProperty& out)
    {
        out.line = current.line;
        int kind = 0;
        while (kind < KIND_COUNT && !is_word(kind_keyword(static_cast<RecordKind>(kind))))
            ++kind;
        if (kind == KIND_COUNT)
            return report("expected a property type (int, font, point, string, picture, color), \"child\" or \"}\"" +
                          found());
        out.kind = static_cast<RecordKind>(kind);
        if (!advance() || !name(out.name) || !expect_symbol("="))
            return false;
        int64_t a = 0;
        int64_t b = 0;
        switch (out.kind) {
        case INTEGER:
            if (!integer(INT32_MIN, UINT32_MAX, a))
                return false;
            out.integer = static_cast<int32_t>(static_cast<uint32_t>(a));
            return true;
        case POINT:
            if (!coordinate_pair(INT16_MIN, INT16_MAX, a, b))
                return false;
            out.x = static_cast<int16_t>(a);
            out.y = static_cast<int16_t>(b);
            return true;
        case STRING:
            return string_value(out.text);
        case FONT: {
            const int line = current.line;
            if (!string_value(out.text))
                return false;
            FontDesc desc;
            if (!parse_font_desc(out.text, desc))
                return report("font \"" + utf16_to_utf8(out.text) + "\" is not \"size bold italic underline face\"",
                              line);
            return true;
        }
        case COLOUR:
            return colour(out.rgb);
        case PICTURE:
            return picture(out.picture);
        case KIND_COUNT: break;
        }
        return false;
    }

    bool colour(uint8_t rgb[3])
    {
        const std::string& word = current.text;
        unsigned value = 0;
        if (current.type != TokenType::WORD || word.size() != 7 || word[0] != '#' ||
            std::from_chars(word.data() + 1, word.data() + 7, value, 16).ptr != word.data() + 7)
            return report("expected a colour #RRGGBB" + found());
        rgb[0] = static_cast<uint8_t>(value >> 16);
        rgb[1] = static_cast<uint8_t>(value >> 8);
        rgb[2] = static_cast<uint8_t>(value);
        return advance();
    }

    bool picture(PictureValue& out)
    {
        if (!string_value(out.file))
            return false;
        if (out.file.empty())
            return report("a picture needs a file name");
        if (starts_number()) {
            const int line = current.line;
            for (int i = 0; i < 4; ++i) {
                int64_t x = 0;
                int64_t y = 0;
                if (!coordinate_pair(0, UINT16_MAX, x, y))
                    return false;
                out.points[2 * i] = static_cast<uint16_t>(x);
                out.points[2 * i + 1] = static_cast<uint16_t>(y);
            }
            for (int i = 0; i < 3; ++i) {
                if (out.points[2 * i] > out.points[2 * i + 2] || out.points[2 * i + 1] > out.points[2 * i + 3])
                    return report("picture points must not decrease from p0 to p3", line);
            }
        } else {
            out.whole = true;
        }
        if (is_word("flag")) {
            int64_t flag = 0;
            if (!advance() || !integer(0, 255, flag))
                return false;
            out.flag = static_cast<uint8_t>(flag);
        }
        return true;
    }

    const std::string& text;
    const std::string& file;
    size_t at = 0;
    int line = 1;
    Token current;
    std::u16string wide; // the current string token as UTF-16
    std::string problem;
    int problem_line = 0;
};

} // namespace

bool parse_skin_source(const std::string& text, const std::string& file_name, SkinSource& skin, std::string& error)
{
    skin = SkinSource{};
    Parser parser(text, file_name);
    return parser.parse(skin, error);
}

} // namespace stellaro

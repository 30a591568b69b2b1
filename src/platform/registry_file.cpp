#include "platform/registry_file.h"

#include "platform/utf.h"

#include <cstdio>

namespace stellaro {

namespace {

const char HEADER[] = "Windows Registry Editor Version 5.00";
const char OLD_HEADER[] = "REGEDIT4";

bool needs_hex(const std::u16string& text)
{
    for (char16_t c : text)
        if (c < 0x20)
            return true;
    return false;
}

std::string quote(const std::u16string& text)
{
    std::string out = "\"";
    for (char c : utf16_to_utf8(text)) {
        if (c == '\\' || c == '"')
            out.push_back('\\');
        out.push_back(c);
    }
    return out + "\"";
}

// REG_SZ as hex(1): UTF-16LE bytes with the terminating zero.
std::string hex_string(const std::u16string& text)
{
    std::string out = "hex(1):";
    char buffer[8];
    for (size_t i = 0; i <= text.size(); ++i) {
        const char16_t c = i < text.size() ? text[i] : 0;
        std::snprintf(buffer, sizeof buffer, "%s%02x,%02x", i ? "," : "", c & 0xFF, c >> 8);
        out += buffer;
    }
    return out;
}

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads a quoted string with \\ and \" escapes starting at line[pos] == '"'; pos ends after the quote.
bool read_quoted(const std::string& line, size_t& pos, std::string& out)
{
    ++pos;
    while (pos < line.size()) {
        const char c = line[pos++];
        if (c == '"')
            return true;
        if (c == '\\') {
            if (pos >= line.size())
                return false;
            out.push_back(line[pos++]);
        } else {
            out.push_back(c);
        }
    }
    return false;
}

bool parse_hex_bytes(const std::string& list, std::vector<unsigned char>& bytes)
{
    size_t i = 0;
    while (i < list.size()) {
        while (i < list.size() && (list[i] == ' ' || list[i] == '\t'))
            ++i;
        if (i >= list.size())
            break;
        if (i + 2 > list.size())
            return false;
        const int high = hex_digit(list[i]);
        const int low = hex_digit(list[i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes.push_back(static_cast<unsigned char>(high * 16 + low));
        i += 2;
        while (i < list.size() && (list[i] == ' ' || list[i] == '\t'))
            ++i;
        if (i < list.size()) {
            if (list[i] != ',')
                return false;
            ++i;
        }
    }
    return true;
}

bool parse_value(const std::string& text, RegistryValue& value)
{
    if (!text.empty() && text[0] == '"') {
        size_t pos = 0;
        std::string content;
        if (!read_quoted(text, pos, content) || pos != text.size())
            return false;
        value = RegistryValue::string(utf8_to_utf16(content));
        return true;
    }
    if (text.rfind("dword:", 0) == 0) {
        const std::string digits = text.substr(6);
        if (digits.empty() || digits.size() > 8)
            return false;
        uint32_t number = 0;
        for (char c : digits) {
            const int d = hex_digit(c);
            if (d < 0)
                return false;
            number = number * 16 + static_cast<uint32_t>(d);
        }
        value = RegistryValue::dword(number);
        return true;
    }
    if (text.rfind("hex", 0) == 0) {
        const auto colon = text.find(':');
        if (colon == std::string::npos)
            return false;
        std::vector<unsigned char> bytes;
        if (!parse_hex_bytes(text.substr(colon + 1), bytes))
            return false;
        if (text.compare(0, colon, "hex(1)") == 0 && bytes.size() % 2 == 0) {
            std::u16string decoded;
            for (size_t i = 0; i + 1 < bytes.size(); i += 2)
                decoded.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
            while (!decoded.empty() && decoded.back() == 0)
                decoded.pop_back();
            value = RegistryValue::string(decoded);
            return true;
        }
        value.type = RegistryValue::Type::OTHER;
        value.raw = text;
        return true;
    }
    return false;
}

std::string decode_bytes(const std::string& bytes)
{
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string units;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8)));
        return utf16_to_utf8(units);
    }
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        return bytes.substr(3);
    return bytes;
}

} // namespace

RegistryValue RegistryValue::string(std::u16string text)
{
    RegistryValue value;
    value.type = Type::STRING;
    value.text = std::move(text);
    return value;
}

RegistryValue RegistryValue::dword(uint32_t number)
{
    RegistryValue value;
    value.type = Type::DWORD;
    value.number = number;
    return value;
}

const RegistryValue* RegistryFile::find(const std::u16string& key, const std::u16string& name) const
{
    const auto found = keys.find(to_lower(key));
    if (found == keys.end())
        return nullptr;
    const std::u16string wanted = to_lower(name);
    for (const auto& [value_name, value] : found->second.values)
        if (to_lower(value_name) == wanted)
            return &value;
    return nullptr;
}

void RegistryFile::set(const std::u16string& key, const std::u16string& name, RegistryValue value)
{
    Key& entry = keys[to_lower(key)];
    if (entry.path.empty())
        entry.path = key;
    const std::u16string wanted = to_lower(name);
    for (auto& [value_name, existing] : entry.values) {
        if (to_lower(value_name) == wanted) {
            existing = std::move(value);
            return;
        }
    }
    entry.values.emplace_back(name, std::move(value));
}

std::optional<RegistryFile> RegistryFile::parse(const std::string& bytes, std::string& error)
{
    const std::string text = decode_bytes(bytes);
    RegistryFile file;
    Key* current = nullptr;
    bool header_seen = false;
    size_t line_number = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++line_number;
        // A value may continue on the next lines after a trailing backslash (long hex lists).
        while (!line.empty() && (line.back() == '\r' || line.back() == '\\') && start <= text.size()) {
            if (line.back() == '\r') {
                line.pop_back();
                continue;
            }
            line.pop_back();
            size_t next_end = text.find('\n', start);
            if (next_end == std::string::npos)
                next_end = text.size();
            std::string next = text.substr(start, next_end - start);
            start = next_end + 1;
            ++line_number;
            const auto first = next.find_first_not_of(" \t");
            line += first == std::string::npos ? std::string() : next.substr(first);
        }
        if (line.empty() || line[0] == ';')
            continue;
        const auto describe = [&](const char* reason) { error = "line " + std::to_string(line_number) + ": " + reason; };
        if (!header_seen) {
            if (line != HEADER && line != OLD_HEADER) {
                describe("not a registry file (the header is missing)");
                return std::nullopt;
            }
            header_seen = true;
            continue;
        }
        if (line[0] == '[') {
            if (line.back() != ']' || line.size() < 3 || line[1] == '-') {
                describe("bad key line");
                return std::nullopt;
            }
            const std::u16string path = utf8_to_utf16(line.substr(1, line.size() - 2));
            current = &file.keys[to_lower(path)];
            if (current->path.empty())
                current->path = path;
            continue;
        }
        if (!current) {
            describe("a value outside any key");
            return std::nullopt;
        }
        std::u16string name;
        size_t pos = 0;
        if (line[0] == '@') {
            pos = 1;
        } else if (line[0] == '"') {
            std::string raw_name;
            if (!read_quoted(line, pos, raw_name)) {
                describe("unterminated value name");
                return std::nullopt;
            }
            name = utf8_to_utf16(raw_name);
        } else {
            describe("unreadable line");
            return std::nullopt;
        }
        if (pos >= line.size() || line[pos] != '=') {
            describe("'=' expected after the value name");
            return std::nullopt;
        }
        RegistryValue value;
        if (!parse_value(line.substr(pos + 1), value)) {
            describe("unreadable value");
            return std::nullopt;
        }
        current->values.emplace_back(name, std::move(value));
    }
    if (!header_seen) {
        error = "the file is empty";
        return std::nullopt;
    }
    return file;
}

std::string RegistryFile::serialize() const
{
    std::string out = std::string(HEADER) + "\n";
    char buffer[32];
    for (const auto& [lowered, key] : keys) {
        out += "\n[" + utf16_to_utf8(key.path) + "]\n";
        for (const auto& [name, value] : key.values) {
            out += name.empty() ? std::string("@") : quote(name);
            out += "=";
            switch (value.type) {
            case RegistryValue::Type::STRING:
                out += needs_hex(value.text) ? hex_string(value.text) : quote(value.text);
                break;
            case RegistryValue::Type::DWORD:
                std::snprintf(buffer, sizeof buffer, "dword:%08x", value.number);
                out += buffer;
                break;
            case RegistryValue::Type::OTHER:
                out += value.raw;
                break;
            }
            out += "\n";
        }
    }
    return out;
}

} // namespace stellaro

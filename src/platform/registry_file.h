#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace stellaro {

// One registry value: a string (REG_SZ), a 32-bit number (REG_DWORD) or a value of another
// type kept as its raw .reg text so that saving the file does not lose it.
struct RegistryValue {
    enum class Type { STRING, DWORD, OTHER };
    Type type = Type::STRING;
    std::u16string text;
    uint32_t number = 0;
    std::string raw;

    static RegistryValue string(std::u16string text);
    static RegistryValue dword(uint32_t number);
};

// The contents of a settings file in the Windows .reg export format:
//   Windows Registry Editor Version 5.00
//   [HKEY_CURRENT_USER\Software\Vendrix\Stellaro]
//   "latitude"=dword:0375c28f
//   "language"="english"
// Key paths and value names compare without regard to letter case, as the registry's do.
class RegistryFile {
public:
    const RegistryValue* find(const std::u16string& key, const std::u16string& name) const;
    void set(const std::u16string& key, const std::u16string& name, RegistryValue value);
    bool empty() const { return keys.empty(); }

    // Parses the file's bytes; on failure returns nothing and says why in `error`.
    static std::optional<RegistryFile> parse(const std::string& bytes, std::string& error);
    std::string serialize() const;

private:
    struct Key {
        std::u16string path;
        std::vector<std::pair<std::u16string, RegistryValue>> values;
    };
    std::map<std::u16string, Key> keys; // by lower-cased path
};

} // namespace stellaro

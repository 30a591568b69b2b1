#include "skin/io/registry.h"

#include "platform/registry_store.h"

#include <array>
#include <optional>
#include <string_view>

namespace stellaro {

namespace {

// The key path with its root checked: the root followed by one separator and the sub-key.
std::optional<std::u16string> checked_key(const std::u16string& key)
{
    static constexpr std::array<std::u16string_view, 4> ROOTS = {
        u"HKEY_CLASSES_ROOT", u"HKEY_LOCAL_MACHINE", u"HKEY_USERS", u"HKEY_CURRENT_USER"};
    for (const auto root : ROOTS) {
        if (std::u16string_view(key).substr(0, root.size()) != root)
            continue;
        if (key.size() == root.size())
            return std::u16string(root);
        // The character after the root is the separator; it is dropped and normalised.
        return std::u16string(root) + u"\\" + key.substr(root.size() + 1);
    }
    return std::nullopt;
}

} // namespace

bool reg_set_string(const std::u16string& key, const std::u16string& name, const std::u16string& text)
{
    const auto path = checked_key(key);
    return path && registry_write(*path, name, RegistryValue::string(text));
}

bool reg_get_string(const std::u16string& key, const std::u16string& name, std::u16string& out)
{
    const auto path = checked_key(key);
    if (!path)
        return false;
    const auto value = registry_read(*path, name);
    if (!value || value->type != RegistryValue::Type::STRING)
        return false;
    // A string ends at its first zero, as the registry hands it out.
    out = value->text.substr(0, value->text.find(u'\0'));
    return true;
}

bool reg_set_dword(const std::u16string& key, const std::u16string& name, uint32_t value)
{
    const auto path = checked_key(key);
    return path && registry_write(*path, name, RegistryValue::dword(value));
}

bool reg_set_dwords(const std::u16string& key, const std::vector<std::pair<std::u16string, uint32_t>>& values)
{
    const auto path = checked_key(key);
    if (!path)
        return false;
    std::vector<std::pair<std::u16string, RegistryValue>> converted;
    for (const auto& [name, value] : values)
        converted.emplace_back(name, RegistryValue::dword(value));
    return registry_write_all(*path, converted);
}

bool reg_get_dword(const std::u16string& key, const std::u16string& name, uint32_t& out)
{
    const auto path = checked_key(key);
    if (!path)
        return false;
    const auto value = registry_read(*path, name);
    if (!value || value->type != RegistryValue::Type::DWORD)
        return false;
    out = value->number;
    return true;
}

bool reg_get_bool(const std::u16string& key, const std::u16string& name, bool& out)
{
    uint32_t value = 0;
    if (!reg_get_dword(key, name, value))
        return false;
    out = value != 0;
    return true;
}

} // namespace stellaro

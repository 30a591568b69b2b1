#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace stellaro {

// Registry values addressed by a full key path such as "HKEY_CURRENT_USER\Software\Vendrix".
// The path must begin with one of the roots HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE, HKEY_USERS or
// HKEY_CURRENT_USER; every operation returns false on failure and leaves `out` unchanged.
bool reg_set_string(const std::u16string& key, const std::u16string& name, const std::u16string& text);
bool reg_get_string(const std::u16string& key, const std::u16string& name, std::u16string& out);
bool reg_set_dword(const std::u16string& key, const std::u16string& name, uint32_t value);
bool reg_get_dword(const std::u16string& key, const std::u16string& name, uint32_t& out);
// Several 32-bit values of one key, saved together.
bool reg_set_dwords(const std::u16string& key, const std::vector<std::pair<std::u16string, uint32_t>>& values);
bool reg_get_bool(const std::u16string& key, const std::u16string& name, bool& out);

// The keys the program uses.
inline const std::u16string VENDOR_KEY = u"HKEY_CURRENT_USER\\Software\\Vendrix";
inline const std::u16string SETTINGS_KEY = u"HKEY_CURRENT_USER\\Software\\Vendrix\\Stellaro";

} // namespace stellaro

#pragma once
#include "shell/menu_item.h"
#include "skin/props/properties.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace stellaro {

// The name the product's settings are kept under, which holds the chosen language.
constexpr const char16_t* PRODUCT_NAME = u"Stellaro II";

// Told about a language file that was tried and did not load: its path and what was wrong.
using LanguageProblem = std::function<void(const std::u16string& path, const std::string& problem)>;

// The language files: every "*.lng" directly in the program's folder, as "%app_path%/NAME.lng",
// in the order the folder lists them.
std::vector<std::u16string> language_files();

// The language's name: the file name without folder and ".lng".
std::u16string language_name(std::u16string_view path);

// The file of the named language, "%app_path%/NAME.lng"; a file whose name differs only in
// letter case counts when there is none of exactly that name, so that "RUSSIAN" finds
// russian.lng.
std::u16string language_path(std::u16string_view name);

// True when there is a choice: at least two language files.
bool languages_available();

// The start-up choice of language, the first file that loads: the one named in the settings,
// the system's language, English, then every language file in turn. False when none loads.
// The choice is not written to the settings.
bool load_language(Properties& properties, std::u16string_view product, const LanguageProblem& problem = {});

// The language menu. For "Language" fills items with one entry per language file ("Language#"
// + name, sorted by path, the loaded one checked) and "Cancel"; for "Language#NAME" loads that
// language and keeps it in the settings, true when the language changed. Anything else: false.
bool language_menu(Properties& properties, std::u16string_view product, std::u16string_view command,
                   std::vector<MenuItem>& items);

} // namespace stellaro

#pragma once
#include <string>
#include <string_view>

namespace stellaro {

// Full path of the running executable.
std::u16string get_app_path();

// Replaces one path macro at the very start of the path ("%app_path%": the program's data
// folder, beside the executable or installed, see program_data_folder; "%app_name%",
// "%app_full_name%", "%my_documents%", "%windows%", "%startup%", "%programs%",
// "%start_menu%", "%program_files%"; case-sensitive) and turns every "\" into "/".
std::u16string expand_macros(std::u16string_view path);

std::u16string strip_trailing_separator(std::u16string_view path);
// The path up to and including its last "\" or "/"; empty when it has none.
std::u16string dir_part(std::u16string_view path);
// The text after the last "\" or "/"; the whole path when it has none.
std::u16string file_part(std::u16string_view path);
// Equal after expansion, without one trailing separator, ignoring letter case.
bool same_path(std::u16string_view a, std::u16string_view b);

// The expanded path as a UTF-8 file name for the system calls.
std::string native_path(std::u16string_view path);

} // namespace stellaro

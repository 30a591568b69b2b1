#pragma once
#include <string>

namespace stellaro {

// Name of the installed data folder under "<prefix>/share".
inline constexpr const char* DATA_FOLDER_NAME = "stellaro";

// The folder holding the program's data files (skins, languages, catalogue, archives): the one
// STELLARO_DATA_DIR names when it is set; else the executable's own folder when the data sit
// beside it (it has a "skins" folder, as the build tree has); else "<prefix>/share/stellaro"
// when the executable is installed as "<prefix>/bin/NAME" and that folder exists; else the
// executable's folder. Empty only when the executable cannot be found.
std::string program_data_folder();

// The same choice for an executable at that path, without looking at the environment.
std::string data_folder_for(const std::string& executable);

} // namespace stellaro

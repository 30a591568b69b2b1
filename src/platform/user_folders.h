#pragma once
#include <string>

namespace stellaro {

// The user's folders as the XDG base-directory and user-dirs rules give them (UTF-8, no trailing "/").
// Each returns an empty string when it cannot be resolved.
std::string home_folder();
std::string config_folder();   // $XDG_CONFIG_HOME or ~/.config
std::string state_folder();    // $XDG_STATE_HOME or ~/.local/state
std::string data_folder();     // $XDG_DATA_HOME or ~/.local/share
std::string cache_folder();    // $XDG_CACHE_HOME or ~/.cache
std::string documents_folder(); // XDG_DOCUMENTS_DIR of user-dirs.dirs, or ~/Documents

// Creates a folder and its parents with the given mode (less the umask); true when it exists
// afterwards, else false with errno saying why.
bool make_folders(const std::string& path, unsigned mode = 0700);

} // namespace stellaro

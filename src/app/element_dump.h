#pragma once
#include "platform/atomic_file.h"
#include "shell/screen_stack.h"

#include <string>

namespace stellaro {

// The open screens as JSON, bottom first: for each element its name (id), kind, rectangle on
// the frame, whether it is visible and enabled, what it shows (text, checkbox state, spinner or
// progress value, list selection and first item in view) and its children.
std::string dump_screens(const ScreenStack& screens);

// Writes the dump to the file as write_whole_file does; fails, saying why, when it could not be
// written completely.
FileResult write_dump(const ScreenStack& screens, const std::string& path);

} // namespace stellaro
